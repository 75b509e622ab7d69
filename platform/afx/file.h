#pragma once
// CFile over a POSIX descriptor and CMemFile over a growable buffer. Errors
// throw CFileException, as the programs expect; Open reports them instead.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/exceptions.h"
#include "platform/afx/object.h"
#include "platform/afx/time_value.h"

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    long m_size = 0;
    BYTE m_attribute = 0;  // 0x01 read-only, 0x10 directory
    char m_szFullName[4096] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const char* file_name, UINT open_flags);  // throws CFileException
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(const char* file_name, UINT open_flags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual long Seek(long offset, UINT from);
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD length);
    virtual DWORD GetPosition() const;
    virtual void Flush() {}
    virtual void Close();
    virtual void Abort();  // closes without throwing
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return DWORD(Seek(0, end)); }
    BOOL IsOpen() const { return descriptor_ >= 0; }

    CString GetFilePath() const { return path_; }
    CString GetFileName() const;
    CString GetFileTitle() const;  // the name without its extension

    static BOOL GetStatus(const char* file_name, CFileStatus& status);
    static void Remove(const char* file_name);
    static void Rename(const char* old_name, const char* new_name);

protected:
    [[noreturn]] void throw_os_error(int os_error) const;
    CString path_;

private:
    int descriptor_ = -1;
};

// A file in memory; GetBuffer-free: Detach hands the bytes over.
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    CMemFile() = default;
    CMemFile(const void* bytes, UINT size)
        : bytes_(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + size) {}

    BOOL Open(const char*, UINT, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    long Seek(long offset, UINT from) override;
    DWORD GetLength() const override { return DWORD(bytes_.size()); }
    void SetLength(DWORD length) override;
    DWORD GetPosition() const override { return position_; }
    void Close() override;
    void Abort() override { Close(); }
    const std::vector<BYTE>& bytes() const { return bytes_; }
    std::vector<BYTE> Detach();

private:
    std::vector<BYTE> bytes_;
    DWORD position_ = 0;
};
