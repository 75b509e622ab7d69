#pragma once
// The operand of an instruction: its pieces and the addressing-mode column
// they select.
#include <string>
#include <string_view>

#include "assembler/expression.h"

namespace dravlin {

// The operand read as up to three pieces: the first, a comma, the rest.
// The pieces are views into the text that was split.
struct OperandPieces {
    int count = 0;  // 0 (no operand), 1 or 3; -1 for a comma out of place
    std::string_view first;
    std::string_view third;
};

// Splits the text after the mnemonic; false when it holds more than three
// pieces (a second comma).
bool split_operand(std::string_view text, OperandPieces& pieces);

// True when `text` opens with "(" whose matching ")" is its last character.
bool is_parenthesised(std::string_view text);

struct ClassifiedOperand {
    int column = -1;  // -1: no addressing mode fits
    ExprResult expression;
};

// Picks the column of a general instruction (LDA, STX, ...). `zero_page_y`
// tells whether the mnemonic has the zp,Y form (LDX and STX).
ClassifiedOperand classify_operand(const AsmContext& context, const OperandPieces& pieces, bool zero_page_y);

}  // namespace dravlin
