#pragma once
// Small helpers shared by the workspace manager, the bank pages and the build:
// folder creation, number texts, ';' lists and the path pieces the project
// files and tool command lines are made of. Paths keep the spelling the user
// gave them; both '\' and '/' separate folders.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ide {

// True when `path` is a folder, or could be created with all its parents.
bool CreateDirectoryTree(std::string_view path);

// Decimal or "0x"/"0X" hexadecimal text to a number. Reading ends at the
// first character that is no digit of the mode, and before the digit that
// would carry the value past `bound`, so the result never exceeds it.
std::uint32_t StringToNumber(std::string_view text, std::uint32_t bound);

// True and the digit's value when `character` is a digit of the mode.
bool HexDigitValue(char character, bool hex, std::uint32_t& value);

std::string JoinStrings(const std::vector<std::string>& list, char separator);
// Appends the non-empty pieces of `text` to `list`.
void SplitString(std::string_view text, std::vector<std::string>& list, char separator);

// The lines of a text without their line ends (LF or CR LF); a last line
// without a line end counts, an empty text has none.
std::vector<std::string> TextLines(std::string_view text);

// Blanks, tabs and line ends removed from both ends.
std::string Trim(std::string_view text);

bool IsPathSeparator(char c);
// "C:\P\MAIN.C" gives "C:\P\" (up to and including the last separator).
std::string FolderOf(std::string_view path);
// "C:\P\MAIN.C" gives "MAIN.C".
std::string FileNameOf(std::string_view path);
// "C:\P\MAIN.C" gives "MAIN"; the extension starts at the file name's last '.'.
std::string FileTitleOf(std::string_view path);
// ".C" for "C:\P\MAIN.C"; empty when the file name has no '.'.
std::string ExtensionOf(std::string_view path);
// The path with `extension` (".OBJ") in place of its own.
std::string ReplaceExtension(std::string_view path, std::string_view extension);
// The folder with a backslash added when it ends in no separator (an empty
// folder stays empty).
std::string WithTrailingSeparator(std::string_view folder);
// A path from the root or with a drive letter ("C:\x", "/x", "\x").
bool IsAbsolutePath(std::string_view path);
// Two paths as the programs spell them ("C:\PROJ\DEBUG\MAIN.OBJ",
// "/proj/debug/main.obj") name the same file: separators and drive prefix
// mapped, letters compared without case.
bool SamePath(std::string_view a, std::string_view b);

}  // namespace ide

namespace ide {

// The first folder of a ';' list (each folder given a final separator when it
// lacks one) that holds `name`: that folder + name; empty when none does.
std::string FindFileInFolders(std::string_view folder_list, std::string_view name);

}  // namespace ide
