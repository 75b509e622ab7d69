#pragma once
// The bytes of the debug-symbol file and of the object file, laid out from
// the symbol rows and pass 2's tables.
#include <string>

#include "assembler/context.h"

namespace dravlin {

std::string symbol_file_bytes(const SymbolRows& rows);

// Ends the run with 1001 when a count outgrows its 16-bit header field.
std::string object_file_bytes(AsmContext& context);

}  // namespace dravlin
