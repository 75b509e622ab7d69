#pragma once
// Keeping a file as it is before a program replaces or rewrites it: a copy
// beside it under a name of its own.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os/result.h"

namespace os {

// Copies `path` (read as read_file does) beside itself under the first free
// name of "<path><suffix>", "<path><suffix>.2", "<path><suffix>.3", ...: a
// copy kept earlier is never replaced, and a copy is whole or absent. The
// name the copy took.
Result<std::string> keep_copy(std::string_view path, std::string_view suffix, std::uint64_t max_size);

}  // namespace os
