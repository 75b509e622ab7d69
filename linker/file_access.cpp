#include "linker/file_access.h"

#include "platform/os/result.h"

namespace linker {
namespace {

std::string system_text(const os::Error& error) { return os::reason_text(error); }

}  // namespace

ReadResult read_whole_file(std::string_view path, std::uint64_t max_size) {
    ReadResult result;
    auto file = os::read_file(path, max_size);
    if (!file) {
        result.error = system_text(file.error());
        return result;
    }
    result.bytes = std::move(*file);
    result.ok = true;
    return result;
}

const std::string* input_named_by(std::string_view output, const std::vector<std::string>& inputs) {
    const auto identity = os::file_identity(output);
    if (!identity) return nullptr;
    for (const auto& input : inputs)
        if (os::file_identity(input) == identity) return &input;
    return nullptr;
}

std::string replaces_input_text(std::string_view input) {
    return "the output would replace the input " + std::string(input);
}

bool PendingOutput::create() {
    auto file = os::AtomicFile::create(path_, os::Durability::regenerable);
    if (!file) {
        error_ = system_text(file.error());
        return false;
    }
    file_.emplace(std::move(*file));
    return true;
}

bool PendingOutput::write(std::span<const std::uint8_t> bytes) {
    if (!file_) return false;
    auto status = file_->write(bytes);
    if (!status) error_ = system_text(status.error());
    return status.ok();
}

bool PendingOutput::commit() {
    if (!file_) return false;
    auto status = file_->commit();
    if (!status) error_ = system_text(status.error());
    return status.ok();
}

}  // namespace linker
