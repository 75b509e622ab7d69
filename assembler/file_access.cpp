#include "assembler/file_access.h"

#include "platform/os/file.h"

namespace dravlin {

bool read_whole_file(const std::string& path, std::string& contents, std::string& error_text) {
    os::Result<std::string> text = os::read_text_file(path, kLargestSource);
    if (!text) {
        error_text = os::reason_text(text.error());
        return false;
    }
    contents = std::move(text.value());
    return true;
}

bool write_whole_file(const std::string& path, std::string_view bytes, std::string& error_text) {
    os::Status status = os::write_file(path, bytes, os::Durability::regenerable);
    if (status) return true;
    error_text = os::reason_text(status.error());
    return false;
}

std::string output_refusal(const std::string& path) {
    os::Status status = os::check_output(path);
    return status ? std::string() : os::reason_text(status.error());
}

void remove_stale_output(const std::string& path) { (void)os::remove_output(path); }

bool same_file(const std::string& a, const std::string& b) {
    const auto identity = os::file_identity(a);
    return identity && identity == os::file_identity(b);
}

}  // namespace dravlin
