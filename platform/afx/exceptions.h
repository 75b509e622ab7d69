#pragma once
// The framework's exceptions. As the programs expect, they are thrown as
// pointers made with new (AfxThrow...), caught as CException*, and released
// with Delete().
#include <string>

#include "platform/afx/object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    void Delete() { delete this; }
    // Copies the message (at most size - 1 bytes and a NUL); FALSE when there is none.
    virtual BOOL GetErrorMessage(char* buffer, UINT size, UINT* help_context = nullptr) const;
    // Shows the message in a message box (answerable by a test's script).
    int ReportError(UINT type = 0x30, UINT message_id = 0) const;

protected:
    virtual std::string message() const { return {}; }
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
protected:
    std::string message() const override { return "Out of memory."; }
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
protected:
    std::string message() const override { return "An unsupported operation was attempted."; }
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
protected:
    std::string message() const override { return "An invalid argument was encountered."; }
};

// Thrown after the user was already told (a failed DDV check): callers stay quiet.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
protected:
    std::string message() const override { return "A required resource was unavailable."; }
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    CFileException(int cause = none, long os_error = -1, const char* file_name = nullptr)
        : m_cause(cause), m_lOsError(os_error), m_strFileName(file_name ? file_name : "") {}
    // The cause for an errno value.
    static int OsErrorToException(long os_error);

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;

protected:
    std::string message() const override;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause = none, const char* file_name = nullptr)
        : m_cause(cause), m_strFileName(file_name ? file_name : "") {}
    int m_cause;
    std::string m_strFileName;

protected:
    std::string message() const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(int cause, long os_error = -1, const char* file_name = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, const char* file_name = nullptr);
