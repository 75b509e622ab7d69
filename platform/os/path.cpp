#include "platform/os/path.h"

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/os/text.h"

namespace fs = std::filesystem;

namespace os {

namespace {

bool has_drive_prefix(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool exists_no_follow_errors(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

// The entry of `folder` named `name` in some case: the exact name when it
// exists, else the first case-insensitive match in byte order.
std::optional<std::string> find_in_folder(const fs::path& folder, const std::string& name) {
    if (exists_no_follow_errors(folder / name)) return name;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view candidate = entry->d_name;
        if (equals_ignore_case(candidate, name) && (!best || candidate < *best)) best = std::string(candidate);
    }
    return best;
}

// Walks the components, replacing each that exists in another case. Stops
// matching at the first missing component; `complete` tells whether all matched.
fs::path resolve_components(const fs::path& mapped, bool& complete) {
    fs::path result = mapped.root_path();
    complete = true;
    for (const auto& part : mapped.relative_path()) {
        const std::string name = part.string();
        if (!complete || name == "." || name == ".." || name.empty()) {
            result /= part;
            continue;
        }
        auto found = find_in_folder(result, name);
        if (found) {
            result /= *found;
        } else {
            complete = false;
            result /= part;
        }
    }
    return result;
}

}  // namespace

fs::path map_path(std::string_view path) {
    std::string text(path);
    if (has_drive_prefix(text)) text.erase(0, 2);
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

static fs::path resolve_existing_mapped(const fs::path& path) {
    if (path.empty() || exists_no_follow_errors(path)) return path;
    bool complete = false;
    fs::path resolved = resolve_components(path, complete);
    return complete ? resolved : path;
}

fs::path resolve_existing(std::string_view path) { return resolve_existing_mapped(map_path(path)); }

static fs::path resolve_for_create_mapped(const fs::path& path) {
    if (path.empty() || exists_no_follow_errors(path)) return path;
    bool complete = false;
    return resolve_components(path, complete);
}

fs::path resolve_for_create(std::string_view path) { return resolve_for_create_mapped(map_path(path)); }

}  // namespace os
