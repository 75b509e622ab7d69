#include "editor/line_text.h"

#include <algorithm>

#include "editor/result_codes.h"

namespace editor {

LineEnd LineEndOfType(int type) {
    switch (type) {
        case kLineEndLfCr: return {kLineEndLfCr, "\n\r"};
        case kLineEndLf: return {kLineEndLf, "\n"};
        case kLineEndCr: return {kLineEndCr, "\r"};
        default: return {kLineEndCrLf, "\r\n"};
    }
}

int DetectLineEndType(std::string_view text) {
    size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return -1;
    bool has_next = at + 1 < text.size();
    if (text[at] == '\n') return has_next && text[at + 1] == '\r' ? kLineEndLfCr : kLineEndLf;
    return has_next && text[at + 1] == '\n' ? kLineEndCrLf : kLineEndCr;
}

int LineEndSizeAt(std::string_view text, size_t at, int type) {
    if (at + 1 >= text.size()) return 1;
    char here = text[at];
    char next = text[at + 1];
    if (here == '\r' && next == '\n') return 2;
    return type == kLineEndLfCr && here == '\n' && next == '\r' ? 2 : 1;
}

std::string ConvertLineEnds(std::string_view text, int target_type) {
    int own_type = DetectLineEndType(text);
    if (own_type < 0) return std::string(text);
    std::string target = LineEndOfType(target_type).chars;
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, end - at));
        out += target;
        at = end + LineEndSizeAt(text, end, own_type);
    }
    return out;
}

int IndexToColumn(std::string_view text, int index, int tab_size) {
    int column = 0;
    int within = std::min<int>(index, static_cast<int>(text.size()));
    for (int i = 0; i < within; ++i) column += ByteWidth(text[i], column, tab_size);
    return column + (index - within);
}

int ColumnToIndex(std::string_view text, int column, int tab_size) {
    int at = 0;
    int reached = 0;
    int size = static_cast<int>(text.size());
    while (at < size) {
        int width = ByteWidth(text[at], reached, tab_size);
        if (reached + width > column) return at;
        reached += width;
        ++at;
    }
    return at + (column > reached ? column - reached : 0);
}

std::string ExpandTabs(std::string_view text, int tab_size, int line_end_length) {
    std::string out;
    out.reserve(text.size());
    int column = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char byte = text[i];
        if (byte == '\r' || byte == '\n') {
            size_t take = std::min<size_t>(line_end_length, text.size() - i);
            out.append(text.substr(i, take));
            i += take - 1;
            column = 0;
        } else if (byte == '\t') {
            int width = ByteWidth(byte, column, tab_size);
            out.append(width, ' ');
            column += width;
        } else {
            out += byte;
            ++column;
        }
    }
    return out;
}

int MaxCharsInWidth(std::string_view text, int tab_size, int max_columns) {
    int column = 0;
    int size = static_cast<int>(text.size());
    for (int i = 0; i < size; ++i) {
        column += ByteWidth(text[i], column, tab_size);
        if (column > max_columns) return i;
    }
    return size;
}

std::vector<std::string> SplitIntoLines(std::string_view text, const LineEnd& line_end, int tab_size,
                                        bool* cut_long_line, SplitRule rule) {
    std::vector<std::string> lines;
    int max_columns = kMaxLineColumns - static_cast<int>(line_end.chars.size());
    bool two_byte_end = line_end.chars.size() == 2;
    bool own_only = rule == SplitRule::kOwnLineEndOnly;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = own_only ? text.find(line_end.chars, at) : text.find_first_of("\r\n", at);
        // With a two-byte line end, a lone CR or LF as the text's very last byte is no
        // line end but a byte of the last line, so that the text is written back as read.
        bool has_end = end != std::string_view::npos && (own_only || !(two_byte_end && end + 1 == text.size()));
        std::string_view body = text.substr(at, (has_end ? end : text.size()) - at);
        // Only lines that could be too wide are measured.
        if (static_cast<long long>(body.size()) * tab_size > max_columns) {
            int fits = MaxCharsInWidth(body, tab_size, max_columns);
            if (fits < static_cast<int>(body.size())) {
                if (cut_long_line) *cut_long_line = true;
                lines.emplace_back(body.substr(0, std::max(fits, 1)));
                at += std::max(fits, 1);
                continue;
            }
        }
        lines.emplace_back(body);
        if (!has_end) break;
        lines.back() += line_end.chars;
        at = end + (own_only ? line_end.chars.size() : LineEndSizeAt(text, end, line_end.type));
    }
    return lines;
}

}  // namespace editor
