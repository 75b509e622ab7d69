#pragma once
// The small readers that split a logical line into words and operands, and
// the rule for valid names.
#include <cstddef>
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
WordResult read_word(std::string_view line, size_t& pos, std::string_view& word);
WordResult read_word(std::string_view line, size_t& pos, std::string& word);

// As read_word, but ":" also ends a word and is answered kWordColon.
WordResult read_word_or_colon(std::string_view line, size_t& pos, std::string& word);

// Operand reader: the text up to the next ",", ";", carriage return, line
// feed or end, without trailing blanks; blanks inside are kept.
WordResult read_operand(std::string_view line, size_t& pos, std::string_view& operand);
WordResult read_operand(std::string_view line, size_t& pos, std::string& operand);

// The position of the first character from `pos` on that is no blank or tab.
size_t skip_blanks(std::string_view line, size_t pos);

// A name begins with no digit and holds letters, digits, "_" and "$" only.
bool is_valid_name(std::string_view name);

// A letter, digit, "_" or "$": a character a name may hold.
bool is_name_character(char c);

// The text with a-z folded to A-Z (keywords and type words match in any case).
std::string to_upper(std::string_view text);

}  // namespace dravlin
