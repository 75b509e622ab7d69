#pragma once
// The bytes of the debug-symbol file and of the object file, laid out from
// the symbol rows and pass 2's tables.
#include <string>

#include "assembler/byte_sink.h"
#include "assembler/context.h"

namespace dravlin {

// The first count of this run that its field in the object or debug-symbol
// file cannot hold, as a text that names the limit; empty when all fit. The
// writers below take the counts as fitting.
std::string format_limit_passed(const AsmContext& context);

void put_symbol_file(const SymbolRows& rows, ByteSink& out);

// The object file straight from the tables, never whole in memory: a large
// source's object would otherwise take its size in fresh pages.
void put_object_file(const AsmContext& context, ByteSink& out);

// The same bytes as one string.
std::string symbol_file_bytes(const SymbolRows& rows);
std::string object_file_bytes(const AsmContext& context);

}  // namespace dravlin
