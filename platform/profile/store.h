#pragma once
// The per-user profile store that stands in for the registry: a tree of
// sections (nested with `\`, e.g. "Editor\C Files") holding named values that
// are strings, integers or bytes. Section and value names are matched
// case-insensitively and keep the case they were first written with.
//
// The whole store lives in one text file. Writes change only the store in
// memory and cannot fail; Flush saves them, at the program's save points,
// rewriting the file through a temporary file and a rename, so a crash leaves
// either the old or the new file, never half of one. Flushing replays this
// store's own changes over the file as it is on disk, so two processes that
// change different values of one store keep both.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/result.h"

namespace profile {

// Folder that holds the stores: $KIT_PROFILE_DIR when set (tests), else
// $XDG_CONFIG_HOME/qvkit, else ~/.config/qvkit.
std::filesystem::path profile_directory();

// The file of one program's store under a maker ("Marlowquin", "Corvel"):
// <profile_directory>/<maker>/<program>.profile.
std::filesystem::path store_path(std::string_view maker, std::string_view program);

struct Tree;  // the loaded sections and values (store_format.h)
struct Edit;  // one recorded change (tree_edit.h)

class Store {
public:
    // Loads the file; a missing file is an empty store. A damaged file loads
    // what can be read, is copied aside for a person to look at (numbered, so
    // no earlier copy is replaced) and is described by load_error(); the next
    // Flush writes it anew.
    explicit Store(std::filesystem::path file);
    static Store for_program(std::string_view maker, std::string_view program);
    Store(Store&&) noexcept;
    Store& operator=(Store&&) noexcept;
    ~Store();

    const std::filesystem::path& file() const { return file_; }
    const std::string& load_error() const { return load_error_; }
    // Of a damaged file: its first bad line ("line 3: bad value line") and
    // the copy kept aside (empty when none could be made).
    const std::string& damage() const { return damage_; }
    const std::string& kept_copy() const { return kept_copy_; }

    int GetProfileInt(std::string_view section, std::string_view key, int default_value) const;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view default_value = {}) const;
    std::optional<std::vector<std::uint8_t>> GetProfileBinary(std::string_view section, std::string_view key) const;

    void WriteProfileInt(std::string_view section, std::string_view key, int value);
    void WriteProfileString(std::string_view section, std::string_view key, std::string_view value);
    void WriteProfileBinary(std::string_view section, std::string_view key, std::span<const std::uint8_t> bytes);
    void DeleteValue(std::string_view section, std::string_view key);
    // Removes the section, its values and every section nested below it.
    void DeleteSection(std::string_view section);

    bool HasValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> ValueNames(std::string_view section) const;
    std::vector<std::string> SubsectionNames(std::string_view section) const;  // direct children only

    // Saves the changes made since the last flush; with none (and a file that
    // loaded whole) the file is not touched.
    os::Status Flush();

private:
    void record(Edit edit);

    std::filesystem::path file_;
    std::unique_ptr<Tree> tree_;
    std::unique_ptr<std::recursive_mutex> mutex_;
    std::vector<Edit> pending_;  // made since the last flush
    std::string load_error_;
    std::string damage_;
    std::string kept_copy_;
    bool rewrite_ = false;  // the file on disk is damaged: the next flush replaces it
};

// A registry-style read (RegOpenKeyEx + RegQueryValueEx under the user's
// key) of "Software\<maker>\<program>[\section...]": the value when the
// store and value exist.
std::optional<std::string> read_user_value(std::string_view key_path, std::string_view value_name);

}  // namespace profile
