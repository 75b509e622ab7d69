#pragma once
// Double-byte characters of the configured code page, so that the caret and deletes
// move over a character as a whole while the buffer itself stays byte-based.
#include <string_view>

namespace editor {

inline constexpr int kDefaultCodePage = 936;

// True when the byte starts a two-byte character in the code page (936, 949, 950 or
// 932); single-byte code pages have none.
bool IsLeadByte(int code_page, unsigned char byte);

// The index where the character holding `index` begins.
int CharStart(std::string_view text, int index, int code_page = kDefaultCodePage);

// The bytes of the character at `index`: 2 for a lead byte with a byte after it, else 1.
int CharSize(std::string_view text, int index, int code_page = kDefaultCodePage);

}  // namespace editor
