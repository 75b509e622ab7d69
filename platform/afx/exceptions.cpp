#include "platform/afx/exceptions.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

#include "platform/user/dialog_api.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

BOOL CException::GetErrorMessage(char* buffer, UINT size, UINT* help_context) const {
    if (help_context) *help_context = 0;
    const std::string text = message();
    if (!buffer || size == 0) return FALSE;
    const size_t length = std::min<size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return text.empty() ? FALSE : TRUE;
}

int CException::ReportError(UINT type, UINT message_id) const {
    std::string text = message();
    if (text.empty()) text = "An unknown error has occurred.";
    return MessageBox(nullptr, text.c_str(), nullptr, type);
}

int CFileException::OsErrorToException(long os_error) {
    switch (os_error) {
        case 0: return none;
        case ENOENT: return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG: return badPath;
        case EMFILE:
        case ENFILE: return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return accessDenied;
        case ESPIPE:
        case EINVAL: return badSeek;
        case EIO: return hardIO;
        case EBUSY:
        case ETXTBSY: return sharingViolation;
        case ENOSPC:
        case EDQUOT: return diskFull;
        default: return generic;
    }
}

std::string CFileException::message() const {
    static const char* const causes[] = {"No error occurred",
                                         "An unspecified error occurred",
                                         "was not found",
                                         "contains an invalid path",
                                         "could not be opened because there are too many open files",
                                         "Access was denied",
                                         "An invalid file handle was used",
                                         "The current directory cannot be removed",
                                         "The directory is full",
                                         "A seek error occurred",
                                         "A hardware I/O error occurred",
                                         "A sharing violation occurred",
                                         "A locking violation occurred",
                                         "The disk is full",
                                         "An attempt was made to access beyond the end of the file"};
    const std::string name = m_strFileName.empty() ? "an unnamed file" : m_strFileName;
    if (m_cause < 0 || m_cause > endOfFile) return "An unspecified error occurred while accessing " + name + ".";
    return std::string(causes[m_cause]) + " (" + name + ").";
}

std::string CArchiveException::message() const {
    static const char* const causes[] = {"No error occurred",
                                         "An unexpected error occurred while reading or writing",
                                         "Tried to write to an archive opened for loading",
                                         "An attempt was made to read past the end",
                                         "Tried to read from an archive opened for storing",
                                         "Invalid file format",
                                         "Unexpected object type",
                                         "Unexpected file format version"};
    const int cause = m_cause >= none && m_cause <= badSchema ? m_cause : generic;
    return std::string(causes[cause]) + (m_strFileName.empty() ? "." : " " + m_strFileName + ".");
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowFileException(int cause, long os_error, const char* file_name) {
    throw new CFileException(cause, os_error, file_name);
}
void AfxThrowArchiveException(int cause, const char* file_name) { throw new CArchiveException(cause, file_name); }
