#pragma once
// Copying item texts out to callers' buffers: always terminated, and cut only
// between characters, so a double-byte character is never split.
#include <string_view>

namespace uikit {

// Copies at most size - 1 bytes of `text` into `out` and terminates it; a
// double-byte character that does not fit whole is left out. Returns the
// number of bytes copied (0 and nothing written when size < 1 or out is null).
int copy_text_out(char* out, int size, std::string_view text);

// The length of `text` cut to at most `limit` bytes on a character boundary.
int cut_on_character(std::string_view text, int limit);

}  // namespace uikit
