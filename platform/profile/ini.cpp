#include "platform/profile/ini.h"

#include "platform/os/file.h"
#include "platform/os/text.h"

namespace profile {

namespace {

std::string_view trim(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Section* current = nullptr;  // keys before any header go to a nameless section
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos) continue;  // not a header; keys stay with the last section
            file.sections_.push_back({std::string(trim(line.substr(1, close - 1))), {}});
            current = &file.sections_.back();
            continue;
        }
        if (!current) {
            file.sections_.push_back({"", {}});
            current = &file.sections_.back();
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            current->entries.push_back({std::string(line), ""});
        } else {
            current->entries.push_back(
                {std::string(trim(line.substr(0, equals))), std::string(unquote(trim(line.substr(equals + 1))))});
        }
    }
    return file;
}

os::Result<IniFile> IniFile::load(std::string_view path) {
    auto text = os::read_text_file(path, kLargestIniFile);
    if (!text) return text.error();
    return parse(*text);
}

const IniFile::Section* IniFile::find(std::string_view section) const {
    for (const Section& candidate : sections_)
        if (os::equals_ignore_case(candidate.name, section)) return &candidate;
    return nullptr;
}

std::string IniFile::get(std::string_view section, std::string_view key, std::string_view default_value) const {
    if (const Section* found = find(section))
        for (const Entry& entry : found->entries)
            if (os::equals_ignore_case(entry.key, key)) return entry.value;
    const std::size_t end = default_value.find_last_not_of(' ');
    return std::string(default_value.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

bool IniFile::has(std::string_view section, std::string_view key) const {
    if (const Section* found = find(section))
        for (const Entry& entry : found->entries)
            if (os::equals_ignore_case(entry.key, key)) return true;
    return false;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* found = find(section))
        for (const Entry& entry : found->entries) names.push_back(entry.key);
    return names;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

namespace {

IniFile load_or_empty(std::string_view path) {
    auto file = IniFile::load(path);
    return file ? std::move(*file) : IniFile::parse({});
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view default_value,
                                    std::string_view path) {
    return load_or_empty(path).get(section, key, default_value);
}

std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view path) {
    return load_or_empty(path).keys(section);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int default_value, std::string_view path) {
    const IniFile file = load_or_empty(path);
    if (!file.has(section, key)) return default_value;
    return os::leading_int(file.get(section, key));
}

}  // namespace profile
