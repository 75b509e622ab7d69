#include "assembler/file_access.h"

#include <array>
#include <cstring>
#include <optional>

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

struct OutputFile::Writer {
    static constexpr size_t kBufferBytes = 64 * 1024;
    std::optional<os::AtomicFile> file;
    os::Status status;
    std::array<char, kBufferBytes> buffer;
    size_t used = 0;

    void flush() {
        if (status && used > 0) status = file->write(std::string_view(buffer.data(), used));
        used = 0;
    }
};

// Default-initialised, not value-initialised: the buffer is not zeroed first.
OutputFile::OutputFile(const std::string& path) : writer_(new Writer) {
    auto file = os::AtomicFile::create(path, os::Durability::regenerable);
    if (file)
        writer_->file.emplace(std::move(*file));
    else
        writer_->status = file.error();
}

OutputFile::~OutputFile() = default;

void OutputFile::append(std::string_view bytes) {
    Writer& writer = *writer_;
    if (bytes.size() <= Writer::kBufferBytes - writer.used) [[likely]] {
        std::memcpy(writer.buffer.data() + writer.used, bytes.data(), bytes.size());
        writer.used += bytes.size();
        return;
    }
    writer.flush();
    if (!writer.status) {
        writer.used = Writer::kBufferBytes;  // nothing more is taken
    } else if (bytes.size() >= Writer::kBufferBytes) {
        writer.status = writer.file->write(bytes);
    } else {
        std::memcpy(writer.buffer.data(), bytes.data(), bytes.size());
        writer.used = bytes.size();
    }
}

bool OutputFile::finish(std::string& error_text) {
    Writer& writer = *writer_;
    if (writer.status) writer.flush();
    if (writer.status) writer.status = writer.file->commit();
    if (writer.status) return true;
    error_text = os::reason_text(writer.status.error());
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
