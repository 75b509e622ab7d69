#pragma once
// Text bytes to character codes (a byte, or lead << 8 | trail), and character
// codes to Unicode for the glyph lookup.
#include <cstdint>
#include <string_view>
#include <vector>

namespace gdi {

std::vector<std::uint32_t> split_characters(std::string_view text);
// U'?' when the code page has no such character.
char32_t to_unicode(std::uint32_t code);

}  // namespace gdi
