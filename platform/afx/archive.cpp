#include "platform/afx/archive.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kFlushAt = 4096;
constexpr UINT kReadChunk = 65536;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode) : file_(file), loading_((mode & load) != 0) {
    if (!file_) AfxThrowInvalidArgException();
}

CArchive::~CArchive() {
    try {
        Flush();
    } catch (CException* error) {
        error->Delete();
    }
}

void CArchive::require(bool loading) const {
    if (loading_ != loading)
        AfxThrowArchiveException(loading_ ? CArchiveException::readOnly : CArchiveException::writeOnly);
}

void CArchive::Flush() {
    if (pending_.empty()) return;
    std::string bytes = std::move(pending_);
    pending_.clear();
    file_->Write(bytes.data(), UINT(bytes.size()));
}

void CArchive::Close() { Flush(); }

UINT CArchive::Read(void* buffer, UINT count) {
    require(true);
    return file_->Read(buffer, count);
}

void CArchive::Write(const void* buffer, UINT count) { put(buffer, count); }

CArchive& CArchive::put(const void* bytes, UINT count) {
    require(false);
    pending_.append(static_cast<const char*>(bytes), count);
    if (pending_.size() >= kFlushAt) Flush();
    return *this;
}

CArchive& CArchive::get(void* bytes, UINT count) {
    require(true);
    if (file_->Read(bytes, count) != count) AfxThrowArchiveException(CArchiveException::endOfFile);
    return *this;
}

CArchive& CArchive::operator<<(WORD value) {
    const BYTE bytes[2] = {BYTE(value), BYTE(value >> 8)};
    return put(bytes, 2);
}

CArchive& CArchive::operator<<(DWORD value) {
    const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    return put(bytes, 4);
}

CArchive& CArchive::operator<<(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, 4);
    return *this << bits;
}

CArchive& CArchive::operator<<(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    return *this << DWORD(bits) << DWORD(bits >> 32);
}

CArchive& CArchive::operator>>(WORD& value) {
    BYTE bytes[2];
    get(bytes, 2);
    value = WORD(bytes[0] | bytes[1] << 8);
    return *this;
}

CArchive& CArchive::operator>>(short& value) {
    WORD word;
    *this >> word;
    value = short(word);
    return *this;
}

CArchive& CArchive::operator>>(DWORD& value) {
    BYTE bytes[4];
    get(bytes, 4);
    value = DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
    return *this;
}

CArchive& CArchive::operator>>(LONG& value) {
    DWORD bits;
    *this >> bits;
    value = LONG(bits);
    return *this;
}

CArchive& CArchive::operator>>(float& value) {
    DWORD bits;
    *this >> bits;
    std::memcpy(&value, &bits, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& value) {
    DWORD low, high;
    *this >> low >> high;
    const std::uint64_t bits = std::uint64_t(high) << 32 | low;
    std::memcpy(&value, &bits, 8);
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    if (count < 0xFFFF) {
        *this << WORD(count);
    } else {
        *this << WORD(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount() {
    WORD short_count;
    *this >> short_count;
    if (short_count != 0xFFFF) return short_count;
    DWORD count;
    *this >> count;
    return count;
}

CArchive& CArchive::operator<<(const CString& value) {
    const DWORD length = DWORD(value.GetLength());
    if (length < 0xFF) {
        *this << BYTE(length);
    } else if (length < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(length);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << length;
    }
    return put(value.str().data(), length);
}

CArchive& CArchive::operator>>(CString& value) {
    BYTE byte_length;
    *this >> byte_length;
    DWORD length = byte_length;
    if (byte_length == 0xFF) {
        WORD word_length;
        *this >> word_length;
        length = word_length;
        // 0xFFFE marks a wide-character string, which this code page never stores.
        if (word_length == 0xFFFE) AfxThrowArchiveException(CArchiveException::badSchema);
        if (word_length == 0xFFFF) *this >> length;
    }
    // Read in chunks so that a damaged length fails at the end of the data
    // instead of reserving what it claims.
    std::string bytes;
    while (bytes.size() < length) {
        const UINT chunk = UINT(std::min<DWORD>(kReadChunk, length - DWORD(bytes.size())));
        const size_t at = bytes.size();
        bytes.resize(at + chunk);
        get(bytes.data() + at, chunk);
    }
    value = CString(std::move(bytes));
    return *this;
}

void CArchive::WriteString(const char* text) {
    if (text) put(text, UINT(std::strlen(text)));
}

BOOL CArchive::ReadString(CString& line) {
    std::string bytes;
    char c;
    bool any = false;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n') break;
        bytes += c;
    }
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    line = CString(std::move(bytes));
    return any;
}
