#include "editor/profile_access.h"

#include <cctype>
#include <cstdlib>

namespace editor {

std::string MemoryProfile::KeyOf(std::string_view section, std::string_view key) {
    std::string joined;
    for (char c : section) joined += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    joined += '\n';
    for (char c : key) joined += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return joined;
}

int MemoryProfile::GetProfileInt(std::string_view section, std::string_view key, int default_value) {
    auto found = values_.find(KeyOf(section, key));
    if (found == values_.end()) return default_value;
    return static_cast<int>(std::strtol(found->second.c_str(), nullptr, 10));
}

std::string MemoryProfile::GetProfileString(std::string_view section, std::string_view key,
                                            std::string_view default_value) {
    auto found = values_.find(KeyOf(section, key));
    return found == values_.end() ? std::string(default_value) : found->second;
}

void MemoryProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    values_[KeyOf(section, key)] = std::to_string(value);
}

void MemoryProfile::WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
    values_[KeyOf(section, key)] = std::string(value);
}

ProfileAccess& DefaultProfile() {
    // Reads only: nothing writes to the shared default.
    static MemoryProfile profile;
    return profile;
}

}  // namespace editor
