#pragma once
// Builds a C symbol file (.csy) from a text description, so that the
// debugger's tests never need the outside C compiler. One statement a line;
// '#' starts a comment; numbers are decimal or 0x-hexadecimal; labels name
// rows and may be used before the line that defines them.
//
//   module <source path>
//   function <start> <end> <scope label>          a range of the last module
//   scope <label> <level> <parent label | ->
//   symbol <name> <class> <type label> <value | @link name>   in the last scope
//   type <label> <kind> <next label | -> [<extra number | struct label>]
//   struct <label> <tag> <size> [hidden]
//   member <name> <type label> <offset>             of the last struct
#include <string>
#include <string_view>

namespace mkcsy {

// The file's bytes; on failure empty, with "line N: why" in `error`.
std::string build_csy(std::string_view description, std::string* error);

}  // namespace mkcsy
