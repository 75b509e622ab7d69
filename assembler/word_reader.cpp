#include "assembler/word_reader.h"

namespace dravlin {

namespace {

char at(std::string_view line, size_t pos) { return pos < line.size() ? line[pos] : '\0'; }

void skip_blanks(std::string_view line, size_t& pos) {
    while (at(line, pos) == ' ' || at(line, pos) == '\t') ++pos;
}

// Skips a comment up to its line feed.
WordResult skip_comment(std::string_view line, size_t& pos) {
    while (pos < line.size() && line[pos] != '\n' && line[pos] != '\0') ++pos;
    if (at(line, pos) == '\n') {
        ++pos;
        return kWordEndOfLine;
    }
    return kWordEndOfText;
}

bool ends_word(char c, bool colon_ends) {
    switch (c) {
    case ' ': case '\t': case ',': case '\n': case ';': case '\0': case '\r': case '=':
        return true;
    case ':':
        return colon_ends;
    default:
        return false;
    }
}

WordResult read_any_word(std::string_view line, size_t& pos, std::string_view& word, bool colon_ends) {
    word = {};
    skip_blanks(line, pos);
    char c = at(line, pos);
    switch (c) {
    case ',': ++pos; return kWordComma;
    case '=': word = line.substr(pos++, 1); return kWordEquals;
    case '\n': ++pos; return kWordEndOfLine;
    case '\r': case ';': return skip_comment(line, pos);
    case '\0': return kWordEndOfText;
    case ':':
        if (colon_ends) {
            ++pos;
            return kWordColon;
        }
        break;
    default: break;
    }
    size_t start = pos;
    while (!ends_word(at(line, pos), colon_ends)) ++pos;
    word = line.substr(start, pos - start);
    return kWordRead;
}

// The string forms of the readers: what the view form found, copied. The
// view is taken by reference, so it is read after the reader has run.
WordResult copy_found(WordResult result, const std::string_view& found, std::string& text) {
    text.assign(found);
    return result;
}

}  // namespace

WordResult read_word(std::string_view line, size_t& pos, std::string_view& word) {
    return read_any_word(line, pos, word, false);
}

WordResult read_word(std::string_view line, size_t& pos, std::string& word) {
    std::string_view found;
    return copy_found(read_word(line, pos, found), found, word);
}

WordResult read_word_or_colon(std::string_view line, size_t& pos, std::string& word) {
    std::string_view found;
    return copy_found(read_any_word(line, pos, found, true), found, word);
}

WordResult read_operand(std::string_view line, size_t& pos, std::string_view& operand) {
    operand = {};
    skip_blanks(line, pos);
    switch (at(line, pos)) {
    case ',': ++pos; return kWordComma;
    case '\r': case ';': case '\n': return kWordEndOfLine;
    case '\0': return kWordEndOfText;
    default: break;
    }
    size_t start = pos;
    for (char c = at(line, pos); c != ',' && c != '\r' && c != ';' && c != '\0' && c != '\n';
         c = at(line, pos)) {
        ++pos;
    }
    size_t end = pos;
    while (end > start && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    operand = line.substr(start, end - start);
    return kWordRead;
}

WordResult read_operand(std::string_view line, size_t& pos, std::string& operand) {
    std::string_view found;
    return copy_found(read_operand(line, pos, found), found, operand);
}

bool is_name_character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

bool is_valid_name(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name) {
        if (!is_name_character(c)) return false;
    }
    return true;
}

std::string to_upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

}  // namespace dravlin
