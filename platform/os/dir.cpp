#include "platform/os/dir.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

#include "platform/os/file_info_at.h"
#include "platform/os/path.h"
#include "platform/os/text.h"

namespace fs = std::filesystem;

namespace os {

namespace {

// `*` and `?` only. Iterative with one backtrack point for the last `*`:
// linear in practice and never recursive, whatever the pattern.
bool match_stars(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || ascii_lower(pattern[p]) == ascii_lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
    // A final ".*" also matches names without an extension, so "*.*"
    // matches every name and "main.*" matches "main".
    return match_stars(pattern, name) ||
           (pattern.ends_with(".*") && match_stars(pattern.substr(0, pattern.size() - 2), name));
}

Result<std::vector<DirEntry>> find_files(std::string_view pattern) {
    const fs::path mapped = map_path(pattern);
    const std::string name_pattern = mapped.filename().string();
    fs::path folder = mapped.parent_path();
    folder = folder.empty() ? fs::path(".") : resolve_existing(folder.string());

    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return system_error("list '" + folder.string() + "'");
    std::vector<DirEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !wildcard_match(name_pattern, name)) continue;
        entries.push_back({std::string(name), file_info_at(::dirfd(dir.get()), entry->d_name)});
    }
    std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace os
