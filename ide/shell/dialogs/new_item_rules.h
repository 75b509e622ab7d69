#pragma once
// The rules of the file, project and general pages, apart from any window.
#include <string>
#include <string_view>

namespace ide {

// A display name is shorter than 16 characters.
inline constexpr std::size_t kDisplayNameLimit = 16;
inline bool DisplayNameFits(std::string_view name) { return name.size() < kDisplayNameLimit; }

// The type of a type-combo entry: the text between its first "(" and the ")" (".c" of "(.c)c source files").
std::string FileTypeOfChoice(std::string_view entry);
// A file name is cut before its first '.': the type comes from the combo.
std::string FileNameWithoutType(std::string_view name);

// The folder with one separator at its end (empty stays empty).
std::string WithSeparator(std::string_view folder);
// The location up to and including its last separator.
std::string BaseFolderOf(std::string_view location);
// The new project's file: location / name, with ".PRJ" when the name has no type.
std::string ProjectFilePath(std::string_view location, std::string_view name);
// The output path with its type changed to ".BIN" or ".LIB" (folder and name kept).
std::string OutputPathForMode(std::string_view path, bool library);

}  // namespace ide
