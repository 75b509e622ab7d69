#include "assembler/operand.h"

#include "assembler/opcode_table.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

bool fits_zero_page(const ExprResult& expression) {
    return expression.immediate || (expression.constant && expression.value <= 255);
}

}  // namespace

bool split_operand(std::string_view text, OperandPieces& pieces) {
    // The readings in order, an operand or a comma each: "x", or "x" "," "y".
    pieces = OperandPieces{};
    std::string_view item;
    bool comma[3] = {false, false, false};
    int count = 0;
    size_t pos = 0;
    for (;;) {
        WordResult result = read_operand(text, pos, item);
        if (result == kWordEndOfLine || result == kWordEndOfText) break;
        if (count == 3) return false;
        comma[count] = result == kWordComma;
        if (count == 0) pieces.first = item;
        if (count == 2) pieces.third = item;
        ++count;
    }
    bool one = count == 1 && !comma[0];
    bool three = count == 3 && !comma[0] && comma[1] && !comma[2];
    pieces.count = count == 0 ? 0 : one ? 1 : three ? 3 : -1;
    return true;
}

bool is_parenthesised(std::string_view text) {
    if (text.empty() || text.front() != '(') return false;
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i + 1 == text.size();
    }
    return false;
}

ClassifiedOperand classify_operand(const AsmContext& context, const OperandPieces& pieces, bool zero_page_y) {
    ClassifiedOperand result;
    std::string_view first = pieces.first;
    if (pieces.count == 1) {
        if (first.starts_with('#')) {
            result.expression = evaluate(context, first.substr(1));
            result.expression.immediate = true;
            result.column = kColumnImmediate;
        } else if (first == "A" || first == "a") {
            result.column = kColumnImplied;
        } else {
            result.expression = evaluate(context, first);
            const ExprResult& e = result.expression;
            result.column = e.immediate ? kColumnImmediate : fits_zero_page(e) ? kColumnZeroPage : kColumnAbsolute;
        }
        return result;
    }
    if (pieces.count != 3) return result;

    std::string index = to_upper(pieces.third);
    std::string_view inner = first.substr(first.empty() ? 0 : 1);
    if (first.starts_with('(') && index == "X)") {
        result.expression = evaluate(context, inner);
        result.column = kColumnIndirectX;
    } else if (is_parenthesised(first) && index == "Y") {
        result.expression = evaluate(context, inner.substr(0, inner.size() - 1));
        result.column = kColumnIndirectY;
    } else if (index == "X" || index == "Y") {
        result.expression = evaluate(context, first);
        bool zero_page = fits_zero_page(result.expression);
        if (index == "X") {
            result.column = zero_page ? kColumnZeroPageX : kColumnAbsoluteX;
        } else {
            result.column = zero_page && zero_page_y ? kColumnZeroPageY : kColumnAbsoluteY;
        }
    }
    return result;
}

}  // namespace dravlin
