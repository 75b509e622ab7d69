#pragma once
// A context with a small symbol table for tests of the evaluator and the
// encoder: labels in the open segment and in another one, an external,
// constants, and a structure variable.
#include "assembler/context.h"

namespace dravlin_test {

inline void define_symbol(dravlin::AsmContext& context, const char* name, dravlin::SymbolKind kind, int32_t value,
                          int16_t section = 0, int16_t segment = 0) {
    context.symbols.insert(name, kind, value, {});
    context.symbols.define(name, kind, value, true, {}, section, segment);
}

// code segment 0 is open at location 0x40; "far" lies in segment 1.
inline void fill_context(dravlin::AsmContext& context) {
    using dravlin::SymbolKind;
    context.state.segment_open = true;
    context.state.section = 0;
    context.state.segment = 0;
    context.state.location_counter = 0x40;
    define_symbol(context, "code", SymbolKind::Segment, 0);
    define_symbol(context, "start", SymbolKind::Label, 0x10);
    define_symbol(context, "later", SymbolKind::Label, 0x1234);
    define_symbol(context, "near", SymbolKind::Label, 0xC1);  // 129 bytes past 0x40
    define_symbol(context, "beyond", SymbolKind::Label, 0xC2);
    define_symbol(context, "far", SymbolKind::Label, 0x20, 0, 1);
    define_symbol(context, "count", SymbolKind::ByteVariable, 0x30);
    define_symbol(context, "K", SymbolKind::Constant, 5);
    define_symbol(context, "big", SymbolKind::Constant, 0x300);
    define_symbol(context, "v", SymbolKind::AssignedValue, 7);
    define_symbol(context, "sect", SymbolKind::Section, 0);
    define_symbol(context, "mac", SymbolKind::Macro, 0);
    context.symbols.insert("ext", SymbolKind::WordVariable, 0, {});
    context.symbols.at(context.symbols.index_of("ext")).state = dravlin::kSymbolExternal;

    // point STRUC: x DB, y DW, inner pair; pair STRUC: lo DB, hi DB.
    context.members = {
        {83, -1, "lo", 0}, {83, -1, "hi", 1},    {dravlin::kMemberListEnd, -1, "", 0}, {83, -1, "x", 0},
        {84, -1, "y", 1},  {96, -1, "inner", 3}, {dravlin::kMemberListEnd, -1, "", 0},
    };
    define_symbol(context, "pair", SymbolKind::StructType, 2);
    define_symbol(context, "point", SymbolKind::StructType, 5);
    context.symbols.at(context.symbols.index_of("pair")).aux = 0;
    context.symbols.at(context.symbols.index_of("point")).aux = 3;
    define_symbol(context, "pt", SymbolKind::StructVariable, 0x50);
    // Types are referred to by handle, which later inserts do not move.
    context.members[5].type_handle = context.symbols.handle(context.symbols.index_of("pair"));
    context.symbols.at(context.symbols.index_of("pt")).aux = context.symbols.handle(context.symbols.index_of("point"));
    context.state.segment_symbol = context.symbols.index_of("code");
}

}  // namespace dravlin_test
