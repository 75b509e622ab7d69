#pragma once
// Reading INI files with the platform's private-profile semantics: section
// and key names case-insensitive, names and values trimmed of blanks, a
// value wrapped in matching quotes unwrapped, lines starting with `;` are
// comments, the first of duplicate sections and keys wins.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/result.h"

namespace profile {

// No settings file comes near this; a larger file is refused unread.
inline constexpr std::uint64_t kLargestIniFile = std::uint64_t{64} << 20;

class IniFile {
public:
    // Any bytes parse; lines that are neither sections nor keys are skipped.
    static IniFile parse(std::string_view text);
    // A missing or unreadable file is an error (callers usually treat it as empty).
    static os::Result<IniFile> load(std::string_view path);

    // The value, or the default (trailing blanks trimmed) when absent.
    std::string get(std::string_view section, std::string_view key, std::string_view default_value = {}) const;
    bool has(std::string_view section, std::string_view key) const;
    // The key-list mode: the section's key names in file order.
    std::vector<std::string> keys(std::string_view section) const;
    std::vector<std::string> sections() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* find(std::string_view section) const;

    std::vector<Section> sections_;
};

// Win32-shaped reads of one file. A missing file gives the default.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view default_value,
                                    std::string_view path);
// The key-list mode (a null key name): every key name of the section.
std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view path);
// A leading decimal number of the value (0 when there is none), or the default when absent.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int default_value, std::string_view path);

}  // namespace profile
