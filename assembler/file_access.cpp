#include "assembler/file_access.h"

#include <filesystem>

#include "platform/os/file.h"
#include "platform/os/path.h"

namespace dravlin {

bool read_whole_file(const std::string& path, std::string& contents, std::string& error_text) {
    os::Result<std::string> text = os::read_text_file(path, kLargestSource);
    if (!text) {
        const os::Error& error = text.error();
        error_text = error.code != 0 ? os::error_text(error.code) : error.text;
        return false;
    }
    contents = std::move(text.value());
    return true;
}

bool write_whole_file(const std::string& path, std::string_view bytes, std::string& error_text) {
    os::Status status = os::write_file(path, bytes, os::Durability::regenerable);
    if (status) return true;
    const os::Error& error = status.error();
    error_text = error.code != 0 ? os::error_text(error.code) : error.text;
    return false;
}

void remove_file(const std::string& path) {
    if (os::file_exists(path)) (void)os::delete_file(path);
}

bool same_file(const std::string& a, const std::string& b) {
    std::error_code code;
    return std::filesystem::equivalent(os::resolve_existing(a), os::resolve_existing(b), code) && !code;
}

}  // namespace dravlin
