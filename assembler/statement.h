#pragma once
// Hands one logical line to the current pass. Instructions are handled here;
// the other statement forms join as their handlers are written.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

void assemble_statement(AsmContext& context, std::string_view line);

}  // namespace dravlin
