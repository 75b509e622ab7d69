#include "assembler/line_reader.h"

namespace dravlin {

LineRead read_logical_line(SourceCursor& cursor, LogicalLine& line, std::string_view& line_text) {
    std::string_view text = cursor.text;
    line_text = {};
    size_t& pos = cursor.position;
    line.text.clear();
    line.start_offset = pos;
    if (pos >= text.size()) return LineRead::EndOfText;

    // Most lines hold no continuation and fit: take them whole.
    size_t end = text.find('\n', pos);
    size_t stop = end == std::string_view::npos ? text.size() : end + 1;
    std::string_view whole = text.substr(pos, stop - pos);
    size_t length = whole.size() - (end == std::string_view::npos ? 0 : 1);
    if (length > 0 && whole[length - 1] == '\r' && end != std::string_view::npos) --length;
    bool continued = end != std::string_view::npos && end > pos && text[end - 1] == '\\';
    if (!continued && length <= kMaxLineLength) {
        line_text = whole;
        pos = stop;
        ++cursor.line_number;
        return LineRead::Line;
    }

    while (pos < text.size()) {
        char c = text[pos];
        char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (c == '\n') {
            line.text += c;
            ++pos;
            break;
        }
        if (c == '\\' && next == '\n') {
            pos += 2;
            ++cursor.line_number;
            continue;
        }
        // The carriage return of a CR LF ending is not counted against the limit.
        if (line.text.size() == kMaxLineLength && !(c == '\r' && next == '\n')) {
            size_t end = text.find('\n', pos);
            pos = end == std::string_view::npos ? text.size() : end + 1;
            ++cursor.line_number;
            line.text.clear();
            return LineRead::TooLong;
        }
        line.text += c;
        ++pos;
    }
    ++cursor.line_number;
    line_text = line.text;
    return LineRead::Line;
}

LineRead read_logical_line(SourceCursor& cursor, LogicalLine& line) {
    std::string_view text;
    LineRead read = read_logical_line(cursor, line, text);
    if (text.data() != line.text.data()) line.text.assign(text);
    return read;
}

}  // namespace dravlin
