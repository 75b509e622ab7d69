#include "platform/afx/byte_string.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/res/resources.h"

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }
int clamp_count(int value, int limit) { return std::clamp(value, 0, limit); }

}  // namespace

template <typename Visit>
void CString::for_each_character(Visit visit) const {
    const int length = GetLength();
    for (int at = 0; at < length;) {
        const int width = afx_is_lead_byte(text_[at]) && at + 1 < length ? 2 : 1;
        if (!visit(at, width)) return;
        at += width;
    }
}

CString::CString(const char* text, int length) {
    if (text && length > 0) text_.assign(text, size_t(length));
}

CString::CString(char c, int repeat) : text_(size_t(std::max(repeat, 0)), c) {}

char CString::GetAt(int index) const { return index >= 0 && index < GetLength() ? text_[index] : '\0'; }

void CString::SetAt(int index, char c) {
    if (index >= 0 && index < GetLength()) text_[index] = c;
}

CString& CString::operator=(const char* text) {
    text_ = text ? text : "";
    return *this;
}

CString& CString::operator=(char c) {
    text_.assign(1, c);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text) text_ += text;
    return *this;
}

CString& CString::operator+=(char c) {
    text_ += c;
    return *this;
}

int CString::Compare(const char* text) const {
    int result = std::strcmp(text_.c_str(), text ? text : "");
    return (result > 0) - (result < 0);
}

int CString::CompareNoCase(const char* text) const {
    const char* a = text_.c_str();
    const char* b = text ? text : "";
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(ascii_lower(*a));
        unsigned char cb = static_cast<unsigned char>(ascii_lower(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (!ca) return 0;
    }
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    first = clamp_count(first, GetLength());
    count = clamp_count(count, GetLength() - first);
    return CString(std::string_view(text_).substr(size_t(first), size_t(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    count = clamp_count(count, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* chars) const {
    return Left(int(std::strspn(text_.c_str(), chars ? chars : "")));
}

CString CString::SpanExcluding(const char* chars) const {
    return Left(int(std::strcspn(text_.c_str(), chars ? chars : "")));
}

void CString::MakeUpper() {
    for_each_character([this](int at, int width) {
        if (width == 1) text_[at] = ascii_upper(text_[at]);
        return true;
    });
}

void CString::MakeLower() {
    for_each_character([this](int at, int width) {
        if (width == 1) text_[at] = ascii_lower(text_[at]);
        return true;
    });
}

void CString::MakeReverse() {
    std::string reversed;
    reversed.reserve(text_.size());
    for_each_character([&](int at, int width) {
        reversed.insert(0, text_, size_t(at), size_t(width));
        return true;
    });
    text_ = std::move(reversed);
}

int CString::Replace(char old_char, char new_char) {
    int count = 0;
    for_each_character([&](int at, int width) {
        if (width == 1 && text_[at] == old_char) {
            text_[at] = new_char;
            ++count;
        }
        return true;
    });
    return count;
}

int CString::Replace(const char* old_text, const char* new_text) {
    if (!old_text || !*old_text) return 0;
    const std::string replacement = new_text ? new_text : "";
    const int old_length = int(std::strlen(old_text));
    std::string result;
    int count = 0;
    int copied = 0;
    for (int at = Find(old_text); at >= 0; at = Find(old_text, at + old_length)) {
        result.append(text_, size_t(copied), size_t(at - copied));
        result += replacement;
        copied = at + old_length;
        ++count;
    }
    if (count) text_ = result + text_.substr(size_t(copied));
    return count;
}

int CString::Remove(char c) {
    std::string kept;
    int removed = 0;
    for_each_character([&](int at, int width) {
        if (width == 1 && text_[at] == c)
            ++removed;
        else
            kept.append(text_, size_t(at), size_t(width));
        return true;
    });
    text_ = std::move(kept);
    return removed;
}

int CString::Insert(int index, char c) { return Insert(index, std::string(1, c).c_str()); }

int CString::Insert(int index, const char* text) {
    text_.insert(size_t(clamp_count(index, GetLength())), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0)
        text_.erase(size_t(index), size_t(clamp_count(count, GetLength() - index)));
    return GetLength();
}

void CString::TrimLeft() {
    size_t first = 0;
    while (first < text_.size() && is_space(text_[first])) ++first;
    text_.erase(0, first);
}

void CString::TrimLeft(char c) { TrimLeft(std::string(1, c).c_str()); }

void CString::TrimLeft(const char* chars) {
    int first = GetLength();
    for_each_character([&](int at, int width) {
        if (width == 1 && chars && std::strchr(chars, text_[at]) && text_[at]) return true;
        first = at;
        return false;
    });
    text_.erase(0, size_t(first));
}

void CString::TrimRight() {
    // Walk forward so that a trail byte that looks like a space is never cut.
    int keep = 0;
    for_each_character([&](int at, int width) {
        if (width == 2 || !is_space(text_[at])) keep = at + width;
        return true;
    });
    text_.resize(size_t(keep));
}

void CString::TrimRight(char c) { TrimRight(std::string(1, c).c_str()); }

void CString::TrimRight(const char* chars) {
    int keep = 0;
    for_each_character([&](int at, int width) {
        if (width == 2 || !chars || !text_[at] || !std::strchr(chars, text_[at])) keep = at + width;
        return true;
    });
    text_.resize(size_t(keep));
}

int CString::Find(char c, int start) const {
    int found = -1;
    for_each_character([&](int at, int width) {
        if (at >= start && width == 1 && text_[at] == c) found = at;
        return found < 0;
    });
    return found;
}

int CString::Find(const char* text, int start) const {
    if (!text) return -1;
    const std::string_view needle(text);
    int found = -1;
    for_each_character([&](int at, int) {
        if (at >= start && std::string_view(text_).substr(size_t(at)).starts_with(needle)) found = at;
        return found < 0;
    });
    if (found < 0 && needle.empty() && start >= 0 && start <= GetLength()) found = start;
    return found;
}

int CString::ReverseFind(char c) const {
    int found = -1;
    for_each_character([&](int at, int width) {
        if (width == 1 && text_[at] == c) found = at;
        return true;
    });
    return found;
}

int CString::FindOneOf(const char* chars) const {
    int found = -1;
    for_each_character([&](int at, int width) {
        if (width == 1 && chars && text_[at] && std::strchr(chars, text_[at])) found = at;
        return found < 0;
    });
    return found;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format ? format : "", measure);
    va_end(measure);
    if (length < 0) {
        text_.clear();
        return;
    }
    std::string formatted(size_t(length) + 1, '\0');
    std::vsnprintf(formatted.data(), formatted.size(), format ? format : "", args);
    formatted.resize(size_t(length));
    text_ = std::move(formatted);
}

BOOL CString::LoadString(UINT id) {
    const std::string* found = kit::res::find_string(id);
    text_ = found ? *found : std::string();
    return found != nullptr;
}

char* CString::GetBuffer(int min_length) {
    if (min_length > GetLength()) text_.resize(size_t(min_length));
    return text_.data();
}

char* CString::GetBufferSetLength(int length) {
    text_.resize(size_t(std::max(length, 0)));
    return text_.data();
}

void CString::ReleaseBuffer(int new_length) {
    if (new_length < 0) new_length = int(std::strlen(text_.c_str()));
    text_.resize(size_t(std::min(new_length, GetLength())));
}

CString AfxFormat(const char* format, ...) {
    CString result;
    va_list args;
    va_start(args, format);
    result.FormatV(format, args);
    va_end(args);
    return result;
}
