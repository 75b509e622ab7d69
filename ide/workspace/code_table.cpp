#include "ide/workspace/code_table.h"

#include <algorithm>
#include <cstdio>

#include "formats/file_sizes.h"
#include "platform/os/file.h"

namespace ide {

namespace {

constexpr std::size_t kMaxLineBytes = 255;

std::uint32_t CodeAt(std::string_view text, std::size_t i) {
    return static_cast<std::uint8_t>(text[i]) << 8 | static_cast<std::uint8_t>(text[i + 1]);
}

void AppendLine(std::string& log, const char* format, int line) {
    char text[64];
    std::snprintf(text, sizeof text, format, line);
    log += text;
}

}  // namespace

CodeTable::CodeTable() : gb_(kGbEnd - kGbFirst), big5_(kBig5Last - kBig5First + 1) {}

void CodeTable::AddCode(Entry& entry, std::uint32_t code) {
    if (entry.primary == 0) {
        entry.primary = code;
    } else if (entry.primary != code &&
               std::find(entry.candidates.begin(), entry.candidates.end(), code) == entry.candidates.end()) {
        entry.candidates.push_back(code);
    }
}

int CodeTable::Load(std::string_view path, std::string& log) {
    const auto file = os::read_text_file(path, formats::kLargestToolText);
    if (!file) {
        log += "can't open table file: " + std::string(path) + "\n";
        return -1;
    }
    gb_.assign(gb_.size(), Entry{});
    big5_.assign(big5_.size(), Entry{});
    const std::string_view text = *file;
    int count = 0;
    int line_number = 0;
    for (std::size_t start = 0; start < text.size(); ++line_number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() < 2 || static_cast<std::uint8_t>(line[0]) < 0xA1) continue;
        // A longer line is refused whole rather than cut at some code.
        if (line.size() > kMaxLineBytes) {
            AppendLine(log, "Line %d is longer than 255 bytes\n", line_number);
            continue;
        }
        const std::uint32_t gb = CodeAt(line, 0);
        if (gb < kGbFirst || gb >= kGbEnd) {
            AppendLine(log, "Invalid GB code in line %d\n", line_number);
            continue;
        }
        int entered = 0;
        bool valid = true;
        for (std::size_t i = 2; i + 1 < line.size(); i += 2) {
            const std::uint32_t big5 = CodeAt(line, i);
            if (big5 < kBig5First || big5 > kBig5Last) {
                AppendLine(log, "Invalid BIG5 code in line %d\n", line_number);
                valid = false;
                break;
            }
            AddCode(gb_[gb - kGbFirst], big5);
            AddCode(big5_[big5 - kBig5First], gb);
            ++entered;
        }
        if (valid) count += entered;
    }
    return count;
}

int CodeTable::Lookup(Direction direction, std::uint32_t code, std::uint32_t* out, int max) const {
    if (max < 1) return -2;
    const bool to_big5 = direction == Direction::gb_to_big5;
    out[0] = to_big5 ? kGbMissing : kBig5Missing;
    const bool in_range = to_big5 ? code >= kGbFirst && code < kGbEnd : code >= kBig5First && code <= kBig5Last;
    if (!in_range) return -1;
    const Entry& entry = to_big5 ? gb_[code - kGbFirst] : big5_[code - kBig5First];
    if (entry.primary == 0) return 0;
    out[0] = entry.primary;
    int n = 1;
    for (std::uint32_t candidate : entry.candidates) {
        if (n >= max) break;
        out[n++] = candidate;
    }
    return n;
}

std::string ConvertToBig5(const CodeTable& table, std::string_view gb_text) {
    std::string out;
    for (std::size_t i = 0; i < gb_text.size(); ++i) {
        const bool pair = i + 1 < gb_text.size() && static_cast<std::uint8_t>(gb_text[i + 1]) >= 0xA1;
        std::uint32_t big5 = 0;
        if (pair && table.Lookup(CodeTable::Direction::gb_to_big5, CodeAt(gb_text, i), &big5, 1) >= 0) {
            out += static_cast<char>(big5 >> 8);
            out += static_cast<char>(big5 & 0xFF);
            ++i;
        } else {
            out += gb_text[i];
        }
    }
    return out;
}

}  // namespace ide
