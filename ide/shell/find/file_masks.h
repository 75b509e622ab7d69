#pragma once
// The file-type masks of Find in Files: a text such as "*.c;*.h" split at ';'
// into wildcard masks ('*' any run, '?' one character), matched against file
// names without regard to letter case, as the dialog's users type them.
#include <string>
#include <string_view>
#include <vector>

namespace ide {

// The non-empty masks of `text` in order: ";;*.asm" gives just "*.asm".
std::vector<std::string> SplitFileMasks(std::string_view text);

// Whether `name` matches `mask`; "*.*" and "*" match every name.
bool MatchesFileMask(std::string_view name, std::string_view mask);

}  // namespace ide
