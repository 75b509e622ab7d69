#include "tools/standins/standin_files.h"

#include <cstdio>

#include "formats/file_sizes.h"
#include "platform/os/file.h"
#include "platform/os/path.h"

namespace standins {

bool ReadLines(std::string_view path, std::vector<std::string>& lines) {
    const auto text = os::read_text_file(path, formats::kLargestToolText);
    if (!text) return false;
    const std::string plain = os::strip_cr(*text);
    for (std::size_t start = 0; start < plain.size();) {
        std::size_t end = plain.find('\n', start);
        if (end == std::string::npos) end = plain.size();
        lines.push_back(plain.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

bool WriteText(std::string_view path, std::string_view text) { return os::write_file(path, text).ok(); }

void ReportMessage(std::string_view message_file, std::string_view line) {
    const std::string path = os::resolve_for_create(message_file).string();
    if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fputs("\r\n", file);
        std::fclose(file);
    }
}

}  // namespace standins
