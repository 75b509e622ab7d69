#pragma once
// Text bytes to character codes (a byte, or lead << 8 | trail), and character
// codes to Unicode for the glyph lookup.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace gdi {

// Which bytes lead a double-byte character in the current code page.
const std::array<bool, 256>& lead_bytes();

// Calls fn(code) for each character of `text`; a lead byte at the very end
// stands alone.
template <class Fn>
void for_each_character(std::string_view text, Fn&& fn) {
    const std::array<bool, 256>& lead = lead_bytes();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (lead[b] && i + 1 < text.size())
            fn(std::uint32_t{b} << 8 | static_cast<unsigned char>(text[++i]));
        else
            fn(std::uint32_t{b});
    }
}

// U'?' when the code page has no such character.
char32_t to_unicode(std::uint32_t code);

// `text` in UTF-8, for the places outside the kit that take no other encoding.
std::string to_utf8(std::string_view text);

}  // namespace gdi
