#pragma once
// Command-line helpers shared by Mossrel and Vostrel. Both tools upper-case
// their arguments and take an argument that starts with '/' as a keyword. On
// this system '/' also starts absolute paths, so an argument is a keyword only
// when it is exactly one of the tool's keywords; any other is a path, and an
// absolute path is kept exactly as given.
#include <initializer_list>
#include <string>
#include <string_view>

namespace linker {

std::string upper_case(std::string_view text);

bool is_absolute_path(std::string_view path);

// The argument as the tool reads it: upper-cased, except an absolute path.
std::string tool_argument(std::string_view raw);

bool is_keyword(std::string_view argument, std::initializer_list<std::string_view> keywords);

// The object directory text joined to an object name without a separator (the
// directory ends with a backslash); an absolute name is used as it stands.
std::string join_object_path(std::string_view directory, std::string_view name);

}  // namespace linker
