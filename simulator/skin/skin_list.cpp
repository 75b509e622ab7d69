#include "simulator/skin/skin_list.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "simulator/skin/skin_layout.h"

namespace sim {

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

SkinList find_skins(const std::filesystem::path& dir, const std::string& requested) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (entry.is_regular_file(error) && lower(entry.path().extension().string()) == ".cfs")
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());

    SkinList list;
    std::string wanted = lower(std::filesystem::path(requested).filename().string());
    for (const auto& path : found) {
        char header[skin_layout::kListedHeaderSize];
        std::ifstream file(path, std::ios::binary);
        if (!file.read(header, sizeof header)) {
            list.problem = sim_failure(kSkinHeaderIncomplete, path.string());
            break;
        }
        std::string name(header + skin_layout::kDisplayName, skin_layout::kDisplayNameSize);
        name = name.substr(0, name.find('\0'));
        if (!wanted.empty() && lower(path.filename().string()) == wanted) list.current = list.entries.size();
        list.entries.push_back({path, name});
    }
    return list;
}

std::filesystem::path start_skin_path(SkinList& list, const std::filesystem::path& program_dir,
                                      const std::optional<std::string>& remembered) {
    if (!remembered || remembered->empty()) return list.entries.at(list.current).path;
    std::filesystem::path name = *remembered;
    if (!name.has_extension()) name += ".cfs";
    std::filesystem::path path = program_dir / name.filename();
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (same_file(list.entries[i].path, path)) list.current = i;
    return path;
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    bool same = std::filesystem::equivalent(a, b, error);
    return error ? a == b : same;
}

}  // namespace sim
