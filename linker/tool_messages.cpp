#include "linker/tool_messages.h"

#include "platform/os/file.h"

namespace linker {

namespace {
// Only a missing or writable regular file is taken: never a FIFO or a device.
constexpr const char* kMessageFile = "output.msg";
}  // namespace

Console Console::standard() {
    return {[](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); },
            [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }};
}

ToolMessages::ToolMessages(const Console& console, bool with_file)
    : console_(console),
      file_(with_file && os::check_output(kMessageFile) ? std::fopen(kMessageFile, "wb") : nullptr) {}

ToolMessages::~ToolMessages() { close(); }

void ToolMessages::write(std::string_view text) {
    if (file_) {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::fflush(file_);
    }
    if (echo_ || !file_) console_.err(text);
}

void ToolMessages::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

std::string fill_texts(std::string_view pattern, std::string_view first, std::string_view second) {
    std::string out;
    int filled = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            out += filled++ == 0 ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace linker
