#pragma once
// Constants, "=" variables and the names that cross object files: EQU, "=",
// EXTERN, PUBLIC and END.
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// name EQU expr; `rest` is the text after EQU.
void equate(AsmContext& context, const std::string& name, std::string_view rest);
// name = expr; `rest` is the text after "=".
void assign(AsmContext& context, const std::string& name, std::string_view rest);
// EXTERN a, b:BYTE, c:PROC, ... (pass 0).
void declare_externals(AsmContext& context, std::string_view rest);
// PUBLIC a, b, ... (pass 2).
void export_publics(AsmContext& context, std::string_view rest);
// END [label]: the entry point.
void end_statement(AsmContext& context, std::string_view rest);

}  // namespace dravlin
