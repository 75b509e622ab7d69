#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// The string forms of the readers: what the view form found, copied. The
// view is taken by reference, so it is read after the reader has run.
WordResult copy_found(WordResult result, const std::string_view& found, std::string& text) {
    text.assign(found);
    return result;
}

}  // namespace

WordResult read_word(std::string_view line, size_t& pos, std::string& word) {
    std::string_view found;
    return copy_found(read_word(line, pos, found), found, word);
}

WordResult read_word_or_colon(std::string_view line, size_t& pos, std::string& word) {
    std::string_view found;
    return copy_found(word_reading::read_any_word(line, pos, found, true), found, word);
}

WordResult read_operand(std::string_view line, size_t& pos, std::string& operand) {
    std::string_view found;
    return copy_found(read_operand(line, pos, found), found, operand);
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
