#include "editor/ini_file.h"

#include <strings.h>

namespace editor {
namespace {

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

IniFile::IniFile(std::string_view image) {
    size_t at = 0;
    while (at < image.size()) {
        size_t end = image.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = image.size();
        std::string_view line = Trim(image.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(1, (close == std::string_view::npos ? line.size() : close) - 1));
            sections_.push_back({std::string(name), {}});
            continue;
        }
        if (sections_.empty()) continue;
        size_t equals = line.find('=');
        std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        sections_.back().entries.push_back({std::string(key), std::string(value)});
    }
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view default_value) const {
    if (const Section* found = FindSection(section))
        for (const Entry& entry : found->entries)
            if (SameName(entry.key, key)) return entry.value;
    return std::string(default_value);
}

std::vector<std::string> IniFile::GetKeys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const Entry& entry : found->entries)
            if (!entry.key.empty()) keys.push_back(entry.key);
    return keys;
}

}  // namespace editor
