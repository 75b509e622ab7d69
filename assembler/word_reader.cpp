#include "assembler/word_reader.h"

#include <array>
#include <cstring>
#include <cstdint>

namespace dravlin {

namespace {

char at(std::string_view line, size_t pos) { return pos < line.size() ? line[pos] : '\0'; }

// What each character means to the readers, one table lookup per character.
enum CharClass : uint8_t {
    kBlank = 1,
    kEndsWord = 2,     // blank, tab, ",", line feed, ";", NUL, carriage return, "="
    kColon = 4,        // ends a word for the colon reader
    kEndsOperand = 8,  // ",", carriage return, ";", NUL, line feed
    kName = 16,        // a letter, digit, "_" or "$"
};

constexpr std::array<uint8_t, 256> kCharClasses = [] {
    std::array<uint8_t, 256> classes{};
    for (unsigned char c : std::string_view(" \t", 2)) classes[c] |= kBlank;
    for (unsigned char c : std::string_view(" \t,\n;\0\r=", 8)) classes[c] |= kEndsWord;
    classes[':'] |= kColon;
    for (unsigned char c : std::string_view(",\r;\0\n", 5)) classes[c] |= kEndsOperand;
    for (int c = 0; c < 256; ++c) {
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (letter || (c >= '0' && c <= '9') || c == '_' || c == '$') classes[static_cast<size_t>(c)] |= kName;
    }
    return classes;
}();

// The end of the run of characters from `pos` that have none of `classes`.
size_t scan_until(std::string_view line, size_t pos, uint8_t classes) {
    while (pos < line.size() && !(kCharClasses[static_cast<unsigned char>(line[pos])] & classes)) ++pos;
    return pos;
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

WordResult read_any_word(std::string_view line, size_t& pos, std::string_view& word, bool colon_ends) {
    word = {};
    pos = skip_blanks(line, pos);
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
    pos = scan_until(line, pos, colon_ends ? kEndsWord | kColon : kEndsWord);
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
    pos = skip_blanks(line, pos);
    switch (at(line, pos)) {
    case ',': ++pos; return kWordComma;
    case '\r': case ';': case '\n': return kWordEndOfLine;
    case '\0': return kWordEndOfText;
    default: break;
    }
    size_t start = pos;
    pos = scan_until(line, pos, kEndsOperand);
    size_t end = pos;
    while (end > start && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    operand = line.substr(start, end - start);
    return kWordRead;
}

WordResult read_operand(std::string_view line, size_t& pos, std::string& operand) {
    std::string_view found;
    return copy_found(read_operand(line, pos, found), found, operand);
}

size_t skip_blanks(std::string_view line, size_t pos) {
    // Indentation mostly comes in runs of spaces: take eight at a time.
    constexpr uint64_t kEightSpaces = 0x2020202020202020;
    while (pos + sizeof kEightSpaces <= line.size()) {
        uint64_t eight;
        std::memcpy(&eight, line.data() + pos, sizeof eight);
        if (eight != kEightSpaces) break;
        pos += sizeof eight;
    }
    while (pos < line.size() && (kCharClasses[static_cast<unsigned char>(line[pos])] & kBlank)) ++pos;
    return pos;
}

bool is_name_character(char c) { return kCharClasses[static_cast<unsigned char>(c)] & kName; }

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
