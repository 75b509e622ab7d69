#pragma once
// Names entering the symbol table from the current line, with their errors
// reported: the statement handlers declare through here.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// Pass 0: enters a name defined at the current line. An existing name is
// 2004 "symbol redefine" (unless the table's rules accept it). Returns the
// index, or -1.
int declare_symbol(AsmContext& context, std::string_view name, SymbolKind kind, int32_t value);

// Passes 1 and 2: gives an existing name its value and the current section
// and segment; 2019 "undefine symbol" when it is missing. `settled` tells
// whether pass 2 will give it the same value here (Symbol::settled).
bool define_symbol(AsmContext& context, std::string_view name, SymbolKind kind, int32_t value, bool settled);

}  // namespace dravlin
