#pragma once
// CString: a byte string in the kit's code page (GBK by default). Searches,
// trimming and case changes step over double-byte characters whole, so a
// trail byte is never taken for an ASCII character.
#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/gdi/win_types.h"

// True for the first byte of a double-byte character of the code page.
constexpr bool afx_is_lead_byte(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

class CString {
public:
    CString() = default;
    CString(const char* text) : text_(text ? text : "") {}
    CString(const char* text, int length);
    CString(char c, int repeat = 1);
    CString(std::string_view text) : text_(text) {}
    CString(const std::string& text) : text_(text) {}

    int GetLength() const { return int(text_.size()); }
    BOOL IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    char GetAt(int index) const;  // 0 past the end
    void SetAt(int index, char c);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return text_.c_str(); }
    const std::string& str() const { return text_; }

    CString& operator=(const char* text);
    CString& operator=(char c);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char c);
    friend CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
    friend CString operator+(const CString& a, const char* b) { return a + CString(b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, char b) { return a + CString(b); }

    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;  // ASCII letters only; double-byte characters as bytes
    int Collate(const char* text) const { return Compare(text); }
    int CollateNoCase(const char* text) const { return CompareNoCase(text); }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend auto operator<=>(const CString& a, const CString& b) { return a.text_ <=> b.text_; }

    // Byte positions and counts, clamped to the string.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();  // double-byte characters keep their byte order
    int Replace(char old_char, char new_char);
    int Replace(const char* old_text, const char* new_text);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    void TrimLeft();  // white space
    void TrimLeft(char c);
    void TrimLeft(const char* chars);
    void TrimRight();
    void TrimRight(char c);
    void TrimRight(const char* chars);
    void Trim() {
        TrimRight();
        TrimLeft();
    }

    // Byte index of the match, or -1; matches start only on character boundaries.
    int Find(char c, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* chars) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    BOOL LoadString(UINT id);  // from the registered string tables; empty and FALSE when absent

    // Direct access for C-style fillers: write at most `min_length` bytes,
    // then ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int min_length);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int new_length = -1);
    void FreeExtra() { text_.shrink_to_fit(); }

private:
    // Offsets where characters start, in order.
    template <typename Visit>
    void for_each_character(Visit visit) const;
    std::string text_;
};

// Formats like sprintf into a new string.
CString AfxFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
