#pragma once
// The skins in the program's folder and the one chosen at start.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "simulator/strings/sim_strings.h"

namespace sim {

struct SkinEntry {
    std::filesystem::path path;
    std::string display_name;
};

struct SkinList {
    std::vector<SkinEntry> entries;
    std::size_t current = 0;
    // Set when a file's header could not be read whole (string 40); the search
    // stopped there and the entries before it remain.
    std::optional<SimFailure> problem;
};

// Every ".cfs" file of `dir` (any case), in name order. The entry whose file
// name equals that of `requested` (without case) is the current one, else the first.
SkinList find_skins(const std::filesystem::path& dir, const std::string& requested);

// The skin to load at start: the one named by the profile's "CFFileName" value
// when it is set (in the program's folder, extension "cfs" when it has none),
// else the list's current entry. The entry of the skin chosen becomes the
// current one, so the menu checks the skin that is shown.
std::filesystem::path start_skin_path(SkinList& list, const std::filesystem::path& program_dir,
                                      const std::optional<std::string>& remembered);

// Whether two paths name the same file (the same text when either is missing).
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace sim
