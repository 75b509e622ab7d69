#pragma once
// ASCII-only case folding, as the programs' file and profile names need it.
// Bytes 0x80-0xFF (double-byte text) are compared as they stand.
#include <string>
#include <string_view>

namespace os {

constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string to_lower(std::string_view text);
std::string to_upper(std::string_view text);

bool equals_ignore_case(std::string_view a, std::string_view b);

// <0, 0, >0 like lstrcmpi, comparing lower-cased bytes as unsigned.
int compare_ignore_case(std::string_view a, std::string_view b);

// The leading decimal number of a text, as the platform's profile readers
// take it: blanks skipped, an optional sign, digits up to the first other
// character (wrapping at 32 bits like the original); 0 when there are none.
int leading_int(std::string_view text);

// Ordering for maps keyed by case-insensitive names.
struct LessIgnoreCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return compare_ignore_case(a, b) < 0; }
};

}  // namespace os
