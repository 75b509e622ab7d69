#pragma once
// A private profile (INI) file read into memory. Lookups follow the platform's private
// profile reading: section and key names compare without case, blanks around names and
// values are dropped, one pair of enclosing quotes is removed from a value, and the
// first of two equal keys wins.
#include <string>
#include <string_view>
#include <vector>

namespace editor {

class IniFile {
public:
    // Parses the bytes of an INI file.
    explicit IniFile(std::string_view image = {});

    // The value of a key, or the default when the section or key is missing.
    std::string GetString(std::string_view section, std::string_view key, std::string_view default_value) const;

    // The key names of a section in file order (the key-list read), empty when missing.
    std::vector<std::string> GetKeys(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::string_view name) const;
    std::vector<Section> sections_;
};

}  // namespace editor
