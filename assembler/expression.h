#pragma once
// The expression evaluator: the 32-bit value of an operand text, whether it
// is a constant or an address the linker must relocate, and how.
#include <cstdint>
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

struct Relocation {
    bool relocatable = false;
    bool external = false;  // the address symbol is declared EXTERN
    uint8_t type = 0;       // FixupType
    int symbol = -1;        // the address symbol (the open segment's for "$")
    int32_t addend = 0;     // value minus the symbol's value (before a byte was taken)
};

struct ExprResult {
    int32_t value = 0;
    bool constant = false;     // numbers, characters, EQU/#DEFINE and "=" names only
    bool immediate = false;    // a "#" occurs in the expression
    bool settled = true;       // pass 1: every name in it is settled (Symbol::settled)
    int error = 0;             // 0 or a message id 3001-3009
    std::string missing_name;  // for 3005: the name as written
    Relocation relocation;
};

// Evaluates the whole of `text` (blanks and tabs around tokens are skipped;
// anything left over is an error). An error leaves value 0.
ExprResult evaluate(const AsmContext& context, std::string_view text);

}  // namespace dravlin
