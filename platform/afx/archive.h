#pragma once
// CArchive: values in the framework's little-endian encoding over a CFile.
// Counts below 0xFFFF are one WORD, larger ones 0xFFFF and a DWORD; strings
// are their length (a BYTE below 0xFF, else 0xFF and a WORD below 0xFFFE,
// else 0xFF, 0xFFFF and a DWORD) and their bytes. A short or malformed input
// throws CArchiveException instead of allocating what it claims.
#include <string>

#include "platform/afx/byte_string.h"
#include "platform/afx/exceptions.h"
#include "platform/afx/file.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode);
    ~CArchive();  // flushes a storing archive; errors are dropped, so call Close to see them
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return loading_; }
    BOOL IsStoring() const { return !loading_; }
    CFile* GetFile() const { return file_; }
    void Flush();
    void Close();  // flushes; the file stays open

    UINT Read(void* buffer, UINT count);  // bytes read, fewer at the end of the file
    void Write(const void* buffer, UINT count);
    void WriteCount(DWORD count);
    DWORD ReadCount();
    // Text lines: WriteString writes the bytes as they are; ReadString drops
    // the line end ("\n" or "\r\n") and returns FALSE at the end of the file.
    void WriteString(const char* text);
    BOOL ReadString(CString& line);

    CArchive& operator<<(BYTE value) { return put(&value, 1); }
    CArchive& operator<<(char value) { return *this << BYTE(value); }
    CArchive& operator<<(WORD value);
    CArchive& operator<<(short value) { return *this << WORD(value); }
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(LONG value) { return *this << DWORD(value); }
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(const CString& value);

    CArchive& operator>>(BYTE& value) { return get(&value, 1); }
    CArchive& operator>>(char& value) { return get(&value, 1); }
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(short& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(LONG& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(CString& value);

private:
    CArchive& put(const void* bytes, UINT count);
    CArchive& get(void* bytes, UINT count);  // all of them or CArchiveException::endOfFile
    void require(bool loading) const;

    CFile* file_;
    bool loading_;
    std::string pending_;  // stored bytes not yet written
};
