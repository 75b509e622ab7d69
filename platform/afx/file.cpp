#include "platform/afx/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

CFile::CFile(const char* file_name, UINT open_flags) {
    CFileException error;
    if (!Open(file_name, open_flags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, file_name);
}

CFile::~CFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

BOOL CFile::Open(const char* file_name, UINT open_flags, CFileException* error) {
    Abort();
    int flags = O_CLOEXEC;
    switch (open_flags & 3) {
        case modeRead: flags |= O_RDONLY; break;
        case modeWrite: flags |= O_WRONLY; break;
        default: flags |= O_RDWR; break;
    }
    if (open_flags & modeCreate) flags |= O_CREAT | ((open_flags & modeNoTruncate) ? 0 : O_TRUNC);
    descriptor_ = file_name ? ::open(file_name, flags, 0666) : -1;
    if (descriptor_ < 0) {
        const int os_error = file_name ? errno : ENOENT;
        if (error) {
            error->m_cause = CFileException::OsErrorToException(os_error);
            error->m_lOsError = os_error;
            error->m_strFileName = file_name ? file_name : "";
        }
        return FALSE;
    }
    path_ = file_name;
    return TRUE;
}

void CFile::throw_os_error(int os_error) const {
    AfxThrowFileException(CFileException::OsErrorToException(os_error), os_error, path_);
}

UINT CFile::Read(void* buffer, UINT count) {
    UINT total = 0;
    while (total < count) {
        const ssize_t got = ::read(descriptor_, static_cast<char*>(buffer) + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw_os_error(errno);
        if (got == 0) break;
        total += UINT(got);
    }
    return total;
}

void CFile::Write(const void* buffer, UINT count) {
    UINT total = 0;
    while (total < count) {
        const ssize_t put = ::write(descriptor_, static_cast<const char*>(buffer) + total, count - total);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) throw_os_error(put < 0 ? errno : ENOSPC);
        total += UINT(put);
    }
}

long CFile::Seek(long offset, UINT from) {
    const off_t at = ::lseek(descriptor_, offset, from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET);
    if (at < 0) throw_os_error(errno);
    return long(at);
}

DWORD CFile::GetLength() const {
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) throw_os_error(errno);
    return DWORD(std::min<off_t>(info.st_size, std::numeric_limits<DWORD>::max()));
}

void CFile::SetLength(DWORD length) {
    if (::ftruncate(descriptor_, off_t(length)) != 0) throw_os_error(errno);
}

DWORD CFile::GetPosition() const {
    const off_t at = ::lseek(descriptor_, 0, SEEK_CUR);
    if (at < 0) throw_os_error(errno);
    return DWORD(at);
}

void CFile::Close() {
    if (descriptor_ < 0) return;
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    if (result != 0) throw_os_error(errno);
}

void CFile::Abort() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
}

CString CFile::GetFileName() const {
    const int slash = std::max(path_.ReverseFind('/'), path_.ReverseFind('\\'));
    return path_.Mid(slash + 1);
}

CString CFile::GetFileTitle() const {
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(const char* file_name, CFileStatus& status) {
    struct stat info {};
    if (!file_name || ::stat(file_name, &info) != 0) return FALSE;
    status.m_ctime = CTime(info.st_ctime);
    status.m_mtime = CTime(info.st_mtime);
    status.m_atime = CTime(info.st_atime);
    status.m_size = long(info.st_size);
    status.m_attribute = BYTE((S_ISDIR(info.st_mode) ? 0x10 : 0) | (::access(file_name, W_OK) != 0 ? 0x01 : 0));
    std::snprintf(status.m_szFullName, sizeof status.m_szFullName, "%s", file_name);
    return TRUE;
}

void CFile::Remove(const char* file_name) {
    if (!file_name || ::unlink(file_name) != 0)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, file_name);
}

void CFile::Rename(const char* old_name, const char* new_name) {
    if (!old_name || !new_name || ::rename(old_name, new_name) != 0)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, old_name);
}

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
    if (error) error->m_cause = CFileException::generic;
    return FALSE;  // a memory file has no name to open
}

UINT CMemFile::Read(void* buffer, UINT count) {
    const DWORD available = position_ < bytes_.size() ? DWORD(bytes_.size()) - position_ : 0;
    const UINT taken = std::min<UINT>(count, available);
    if (taken) std::memcpy(buffer, bytes_.data() + position_, taken);
    position_ += taken;
    return taken;
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count > std::numeric_limits<DWORD>::max() - position_) AfxThrowFileException(CFileException::diskFull);
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    if (count) std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
}

long CMemFile::Seek(long offset, UINT from) {
    const long long base = from == current ? position_ : from == end ? (long long)bytes_.size() : 0;
    const long long target = base + offset;
    if (target < 0 || target > std::numeric_limits<DWORD>::max()) AfxThrowFileException(CFileException::badSeek);
    position_ = DWORD(target);
    return long(target);
}

void CMemFile::SetLength(DWORD length) {
    bytes_.resize(length);
    position_ = std::min<DWORD>(position_, length);
}

void CMemFile::Close() {
    bytes_.clear();
    position_ = 0;
}

std::vector<BYTE> CMemFile::Detach() {
    std::vector<BYTE> taken = std::move(bytes_);
    Close();
    return taken;
}
