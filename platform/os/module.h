#pragma once
// The running program's own file and its environment.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace os {

// Full path of the running executable (/proc/self/exe), GetModuleFileName's answer.
std::filesystem::path module_path();
// Its folder, where the programs look for files shipped beside them.
std::filesystem::path module_directory();

// An environment variable by name; when no variable has exactly that name,
// the first whose name matches case-insensitively ("include" finds INCLUDE).
std::optional<std::string> environment_variable(std::string_view name);

}  // namespace os
