#pragma once
// After pass 1: the object's symbol rows and the debug-symbol file's type
// tables, which the variable rows point into.
#include <vector>

#include "assembler/context.h"

namespace dravlin {

SymbolRows build_symbol_rows(const SymbolTable& symbols, const std::vector<StructMember>& members);

}  // namespace dravlin
