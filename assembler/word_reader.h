#pragma once
// The small readers that split a logical line into words and operands, and
// the rule for valid names.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace dravlin {

enum WordResult : int {
    kWordRead = 0,
    kWordComma = 100,
    kWordEndOfLine = 101,
    kWordEndOfText = 102,
    kWordEquals = 103,  // the word is "="
    kWordColon = 104,   // colon reader only
};

// General reader: a word ends at a blank, tab, ",", ";", "=", carriage
// return, line feed or the end; ";" and a carriage return start a comment.
// The view form points into `line`; the string form copies the word.
inline WordResult read_word(std::string_view line, size_t& pos, std::string_view& word);
WordResult read_word(std::string_view line, size_t& pos, std::string& word);

// As read_word, but ":" also ends a word and is answered kWordColon.
WordResult read_word_or_colon(std::string_view line, size_t& pos, std::string& word);

// Operand reader: the text up to the next ",", ";", carriage return, line
// feed or end, without trailing blanks; blanks inside are kept.
inline WordResult read_operand(std::string_view line, size_t& pos, std::string_view& operand);
WordResult read_operand(std::string_view line, size_t& pos, std::string& operand);

// The position of the first character from `pos` on that is no blank or tab.
inline size_t skip_blanks(std::string_view line, size_t pos);

// A name begins with no digit and holds letters, digits, "_" and "$" only.
bool is_valid_name(std::string_view name);

// A letter, digit, "_" or "$": a character a name may hold.
inline bool is_name_character(char c);

// The text with a-z folded to A-Z (keywords and type words match in any case).
std::string to_upper(std::string_view text);

// The view readers are defined here, inline: they run several times for
// every line of every pass, and inlined their results stay in registers.
namespace word_reading {

inline char at(std::string_view line, size_t pos) { return pos < line.size() ? line[pos] : '\0'; }

// What each character means to the readers, one table lookup per character.
enum CharClass : uint8_t {
    kBlank = 1,
    kEndsWord = 2,     // blank, tab, ",", line feed, ";", NUL, carriage return, "="
    kColon = 4,        // ends a word for the colon reader
    kEndsOperand = 8,  // ",", carriage return, ";", NUL, line feed
    kName = 16,        // a letter, digit, "_" or "$"
};

inline constexpr std::array<uint8_t, 256> kCharClasses = [] {
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
inline size_t scan_until(std::string_view line, size_t pos, uint8_t classes) {
    while (pos < line.size() && !(kCharClasses[static_cast<unsigned char>(line[pos])] & classes)) ++pos;
    return pos;
}

// Skips a comment up to its line feed.
inline WordResult skip_comment(std::string_view line, size_t& pos) {
    while (pos < line.size() && line[pos] != '\n' && line[pos] != '\0') ++pos;
    if (at(line, pos) == '\n') {
        ++pos;
        return kWordEndOfLine;
    }
    return kWordEndOfText;
}

inline WordResult read_any_word(std::string_view line, size_t& pos, std::string_view& word, bool colon_ends) {
    word = {};
    pos = skip_blanks(line, pos);
    char c = at(line, pos);
    switch (c) {
        case ',': ++pos; return kWordComma;
        case '=': word = line.substr(pos++, 1); return kWordEquals;
        case '\n': ++pos; return kWordEndOfLine;
        case '\r':
        case ';': return skip_comment(line, pos);
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

}  // namespace word_reading

inline WordResult read_word(std::string_view line, size_t& pos, std::string_view& word) {
    return word_reading::read_any_word(line, pos, word, false);
}

inline WordResult read_operand(std::string_view line, size_t& pos, std::string_view& operand) {
    using namespace word_reading;
    operand = {};
    pos = skip_blanks(line, pos);
    switch (at(line, pos)) {
        case ',': ++pos; return kWordComma;
        case '\r':
        case ';':
        case '\n': return kWordEndOfLine;
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

inline size_t skip_blanks(std::string_view line, size_t pos) {
    // Indentation mostly comes in runs of spaces: take eight at a time.
    constexpr uint64_t kEightSpaces = 0x2020202020202020;
    while (pos + sizeof kEightSpaces <= line.size()) {
        uint64_t eight;
        std::memcpy(&eight, line.data() + pos, sizeof eight);
        if (eight != kEightSpaces) break;
        pos += sizeof eight;
    }
    while (pos < line.size() &&
           (word_reading::kCharClasses[static_cast<unsigned char>(line[pos])] & word_reading::kBlank)) {
        ++pos;
    }
    return pos;
}

inline bool is_name_character(char c) {
    return word_reading::kCharClasses[static_cast<unsigned char>(c)] & word_reading::kName;
}

}  // namespace dravlin
