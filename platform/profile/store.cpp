#include "platform/profile/store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <system_error>

#include "platform/os/file.h"
#include "platform/os/text.h"
#include "platform/profile/store_format.h"

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
    auto text = os::read_text_file(file_.string());
    if (!text) {
        if (text.error().code != ENOENT) load_error_ = text.error().text;
        return;
    }
    std::string error;
    *tree_ = parse_tree(*text, error);
    if (!error.empty()) {
        load_error_ = file_.string() + ": " + error;
        // Keep the damaged file for a person to look at: the next save drops
        // what could not be read.
        (void)os::copy_file(file_.string(), file_.string() + ".damaged");
    }
}

Store Store::for_program(std::string_view maker, std::string_view program) {
    return Store(store_path(maker, program));
}

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

bool is_within(std::string_view path, std::string_view folder) {
    return path.size() >= folder.size() && os::equals_ignore_case(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

// The spelling an existing section path uses for `folder`, or `folder` itself.
std::string existing_spelling(const Tree& tree, const std::string& folder) {
    for (auto it = tree.sections.lower_bound(folder); it != tree.sections.end(); ++it) {
        if (!os::equals_ignore_case(std::string_view(it->first).substr(0, folder.size()), folder)) break;
        if (is_within(it->first, folder)) return it->first.substr(0, folder.size());
    }
    return folder;
}

// The section, created when absent; parts of its path that exist in another
// case keep their first spelling, so a file shows one spelling per folder.
Section& section_for_write(Tree& tree, std::string_view section) {
    const std::string wanted = normalise_section(section);
    if (auto found = tree.sections.find(wanted); found != tree.sections.end()) return found->second;
    std::string spelled;
    for (std::size_t start = 0; start <= wanted.size();) {
        std::size_t end = wanted.find('\\', start);
        if (end == std::string::npos) end = wanted.size();
        spelled = existing_spelling(tree, (spelled.empty() ? "" : spelled + '\\') + wanted.substr(start, end - start));
        start = end + 1;
    }
    return tree.sections[spelled];
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

namespace {

void put(Tree& tree, std::string_view section, std::string_view key, Value value) {
    Section& target = section_for_write(tree, section);
    if (auto found = target.values.find(key); found != target.values.end())
        found->second = std::move(value);
    else
        target.values.emplace(std::string(key), std::move(value));
}

}  // namespace

os::Status Store::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    std::lock_guard lock(*mutex_);
    put(*tree_, section, key, value);
    return changed();
}

os::Status Store::WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
    std::lock_guard lock(*mutex_);
    put(*tree_, section, key, std::string(value));
    return changed();
}

os::Status Store::WriteProfileBinary(std::string_view section, std::string_view key,
                                     std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(*mutex_);
    put(*tree_, section, key, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    return changed();
}

os::Status Store::DeleteValue(std::string_view section, std::string_view key) {
    std::lock_guard lock(*mutex_);
    const auto found = tree_->sections.find(normalise_section(section));
    if (found == tree_->sections.end() || found->second.values.erase(std::string(key)) == 0) return {};
    if (found->second.values.empty()) tree_->sections.erase(found);
    return changed();
}

os::Status Store::DeleteSection(std::string_view section) {
    std::lock_guard lock(*mutex_);
    const std::string path = normalise_section(section);
    const std::size_t before = tree_->sections.size();
    std::erase_if(tree_->sections, [&](const auto& entry) { return is_within(entry.first, path); });
    return tree_->sections.size() == before ? os::Status() : changed();
}

os::Status Store::changed() {
    dirty_ = true;
    return batch_depth_ > 0 ? os::Status() : save();
}

os::Status Store::save() {
    std::lock_guard lock(*mutex_);
    std::error_code error;
    fs::create_directories(file_.parent_path(), error);
    if (error)
        return os::Error{error.value(), "create folder '" + file_.parent_path().string() + "': " + error.message()};
    if (os::Status status = os::write_file(file_.string(), format_tree(*tree_)); !status) return status;
    dirty_ = false;
    return {};
}

Store::Batch::Batch(Store& store) : store_(store) {
    std::lock_guard lock(*store_.mutex_);
    ++store_.batch_depth_;
}

Store::Batch::~Batch() {
    std::lock_guard lock(*store_.mutex_);
    if (--store_.batch_depth_ == 0 && store_.dirty_) (void)store_.save();
}

os::Status Store::Batch::save() { return store_.save(); }

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
