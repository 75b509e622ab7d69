#pragma once
// Hands one logical line (not a "#" line) to the statement form its first
// words select: a label, an instruction, data, a directive, or a statement
// that names something.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

void assemble_statement(AsmContext& context, std::string_view line);

}  // namespace dravlin
