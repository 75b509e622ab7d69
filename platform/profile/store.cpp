#include "platform/profile/store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <system_error>

#include "platform/os/file.h"
#include "platform/os/keep_copy.h"
#include "platform/os/text.h"
#include "platform/profile/ini.h"
#include "platform/profile/store_format.h"
#include "platform/profile/tree_edit.h"

namespace fs = std::filesystem;

namespace profile {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path home_directory() {
    if (std::string home = environment("HOME"); !home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return ".";
}

}  // namespace

fs::path profile_directory() {
    if (std::string dir = environment("KIT_PROFILE_DIR"); !dir.empty()) return dir;
    if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty() && fs::path(config).is_absolute())
        return fs::path(config) / "qvkit";
    return home_directory() / ".config" / "qvkit";
}

fs::path store_path(std::string_view maker, std::string_view program) {
    return profile_directory() / std::string(maker) / (std::string(program) + ".profile");
}

// ---- Store ------------------------------------------------------------------

Store::Store(fs::path file)
    : file_(std::move(file)), tree_(std::make_unique<Tree>()), mutex_(std::make_unique<std::recursive_mutex>()) {
    auto text = os::read_text_file(file_.string(), kLargestIniFile);
    if (!text) {
        if (text.error().code != ENOENT) load_error_ = text.error().text;
        return;
    }
    *tree_ = parse_tree(*text, damage_);
    if (!damage_.empty()) {
        load_error_ = file_.string() + ": " + damage_;
        rewrite_ = true;
        // Keep the damaged file for a person to look at: the next flush drops
        // what could not be read.
        if (auto kept = os::keep_copy(file_.string(), ".damaged", kLargestIniFile)) {
            kept_copy_ = *kept;
            load_error_ += "; the file is kept as " + kept_copy_;
        }
    }
}

Store Store::for_program(std::string_view maker, std::string_view program) { return Store(store_path(maker, program)); }

Store::Store(Store&&) noexcept = default;
Store& Store::operator=(Store&&) noexcept = default;
Store::~Store() = default;

namespace {

const Value* find_value(const Tree& tree, std::string_view section, std::string_view key) {
    const auto found = tree.sections.find(normalise_section(section));
    if (found == tree.sections.end()) return nullptr;
    const auto value = found->second.values.find(key);
    return value == found->second.values.end() ? nullptr : &value->second;
}

}  // namespace

int Store::GetProfileInt(std::string_view section, std::string_view key, int default_value) const {
    std::lock_guard lock(*mutex_);
    const Value* value = find_value(*tree_, section, key);
    if (!value) return default_value;
    if (const auto* number = std::get_if<int>(value)) return *number;
    if (const auto* text = std::get_if<std::string>(value)) return os::leading_int(*text);
    return default_value;
}

std::string Store::GetProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    std::lock_guard lock(*mutex_);
    const Value* value = find_value(*tree_, section, key);
    if (!value) return std::string(default_value);
    if (const auto* text = std::get_if<std::string>(value)) return *text;
    if (const auto* number = std::get_if<int>(value)) return std::to_string(*number);
    return std::string(default_value);
}

std::optional<std::vector<std::uint8_t>> Store::GetProfileBinary(std::string_view section, std::string_view key) const {
    std::lock_guard lock(*mutex_);
    const Value* value = find_value(*tree_, section, key);
    if (const auto* bytes = value ? std::get_if<std::vector<std::uint8_t>>(value) : nullptr) return *bytes;
    return std::nullopt;
}

bool Store::HasValue(std::string_view section, std::string_view key) const {
    std::lock_guard lock(*mutex_);
    return find_value(*tree_, section, key) != nullptr;
}

std::vector<std::string> Store::ValueNames(std::string_view section) const {
    std::lock_guard lock(*mutex_);
    std::vector<std::string> names;
    if (const auto found = tree_->sections.find(normalise_section(section)); found != tree_->sections.end())
        for (const auto& entry : found->second.values) names.push_back(entry.first);
    return names;
}

std::vector<std::string> Store::SubsectionNames(std::string_view section) const {
    std::lock_guard lock(*mutex_);
    const std::string parent = normalise_section(section);
    const std::size_t skip = parent.empty() ? 0 : parent.size() + 1;
    std::set<std::string, os::LessIgnoreCase> children;
    for (const auto& [path, values] : tree_->sections) {
        if (path.size() <= skip || (!parent.empty() && !is_within(path, parent))) continue;
        children.insert(path.substr(skip, path.find('\\', skip) - skip));
    }
    return {children.begin(), children.end()};
}

void Store::record(Edit edit) {
    std::lock_guard lock(*mutex_);
    edit.section = normalise_section(edit.section);
    apply(*tree_, edit);
    pending_.push_back(std::move(edit));
}

void Store::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    record({Edit::Kind::put, std::string(section), std::string(key), value});
}

void Store::WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
    record({Edit::Kind::put, std::string(section), std::string(key), std::string(value)});
}

void Store::WriteProfileBinary(std::string_view section, std::string_view key, std::span<const std::uint8_t> bytes) {
    record({Edit::Kind::put, std::string(section), std::string(key),
            std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
}

void Store::DeleteValue(std::string_view section, std::string_view key) {
    record({Edit::Kind::erase_value, std::string(section), std::string(key), {}});
}

void Store::DeleteSection(std::string_view section) {
    record({Edit::Kind::erase_section, std::string(section), {}, {}});
}

namespace {

// Holds an exclusive lock on "<store>.lock" so that two processes saving the
// same store take turns; without one (read-only folder) saving goes on alone.
class SaveLock {
public:
    explicit SaveLock(const fs::path& store) {
        fd_ = ::open((store.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~SaveLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

// Replays this store's edits over the file as it is now, so that values
// another process saved since we loaded survive, then writes the result.
os::Status Store::Flush() {
    std::lock_guard lock(*mutex_);
    if (pending_.empty() && !rewrite_) return {};
    std::error_code error;
    fs::create_directories(file_.parent_path(), error);
    if (error)
        return os::Error{error.value(), "create folder '" + file_.parent_path().string() + "': " + error.message()};

    SaveLock save_lock(file_);
    Tree merged;
    if (auto text = os::read_text_file(file_.string(), kLargestIniFile)) {
        std::string damage;
        merged = parse_tree(*text, damage);
        for (const Edit& edit : pending_) apply(merged, edit);
    } else if (text.error().code == ENOENT) {
        for (const Edit& edit : pending_) apply(merged, edit);
    } else {
        merged = *tree_;  // cannot see the file: write what we know
    }
    if (os::Status status = os::write_file(file_.string(), format_tree(merged)); !status) return status;
    *tree_ = std::move(merged);
    pending_.clear();
    rewrite_ = false;
    return {};
}

// ---- Registry-style reads -----------------------------------------------------

std::optional<std::string> read_user_value(std::string_view key_path, std::string_view value_name) {
    const std::string path = normalise_section(key_path);
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (parts.size() < 3 || !os::equals_ignore_case(parts[0], "Software")) return std::nullopt;
    // The maker and program name a file: they may not lead out of the folder.
    for (const std::string& name : {parts[1], parts[2]})
        if (name == "." || name == ".." || name.find('/') != std::string::npos) return std::nullopt;
    std::string section;
    for (std::size_t i = 3; i < parts.size(); ++i) section += (section.empty() ? "" : "\\") + parts[i];
    const Store store = Store::for_program(parts[1], parts[2]);
    if (!store.HasValue(section, value_name)) return std::nullopt;
    return store.GetProfileString(section, value_name);
}

}  // namespace profile
