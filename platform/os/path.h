#pragma once
// Paths as the programs write them ("C:\PROJ\DEBUG\MAIN.OBJ", "debug\main.obj")
// mapped to this system's files. `\` separators become `/`, a drive prefix
// "X:" is dropped (so "C:\x" is "/x" and "C:x" is "x"), and names are matched
// case-insensitively against what exists when the exact name is absent.
#include <filesystem>
#include <string>
#include <string_view>

namespace os {

// Spelling only, no file system access: separators and drive prefix mapped.
std::filesystem::path map_path(std::string_view path);

// For opening an existing file or folder: the mapped path when it exists as
// spelled, else the path whose components match case-insensitively (the exact
// spelling wins among several; otherwise the first in byte order). When no
// such file exists the mapped path comes back unchanged, so the caller's open
// fails with the usual "No such file or directory".
std::filesystem::path resolve_existing(std::string_view path);

// For creating a file: each component that exists (in any case) is taken as
// it exists, the rest keep the case given. "DEBUG\GAME.LKE" beside a folder
// "debug" gives "debug/GAME.LKE"; an existing "debug/game.lke" is reused.
std::filesystem::path resolve_for_create(std::string_view path);

}  // namespace os
