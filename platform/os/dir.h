#pragma once
// Directory listing with the programs' wildcards (FindFirstFile/FindNextFile).
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/file.h"
#include "platform/os/result.h"

namespace os {

// Windows wildcard match, ASCII case-insensitive: `*` any run, `?` one
// character, and a final ".*" may also match nothing, so "*.*" matches every
// name, with or without a dot, and "main.*" matches "main".
bool wildcard_match(std::string_view pattern, std::string_view name);

struct DirEntry {
    std::string name;  // as stored, without the folder
    FileInfo info;
};

// Entries of the folder part of `pattern` whose names match its last part
// ("src\*.c", "C:\proj\*.*"); "." and ".." are left out. Sorted by name so
// that every run sees the same order.
Result<std::vector<DirEntry>> find_files(std::string_view pattern);

}  // namespace os
