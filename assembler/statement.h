#pragma once
// Hands one logical line (not a "#" line) to the statement form its first
// words select: a label, an instruction, data, a directive, or a statement
// that names something.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// True when the line held one instruction and nothing else (no label).
bool assemble_statement(AsmContext& context, std::string_view line);

}  // namespace dravlin
