#include "assembler/declarations.h"

namespace dravlin {

namespace {

SourcePlace current_place(const AsmContext& context) {
    if (context.reading.empty()) return {};
    const ReadingFrame& frame = context.reading.back();
    return {static_cast<uint32_t>(frame.source_index), frame.line_start};
}

}  // namespace

int declare_symbol(AsmContext& context, std::string_view name, SymbolKind kind, int32_t value) {
    SymbolTable::InsertResult result = context.symbols.insert(name, kind, value, current_place(context));
    switch (result.outcome) {
        case SymbolTable::InsertOutcome::Duplicate: context.error(kMsgSymbolRedefined); return -1;
        default: return result.index;
    }
}

bool define_symbol(AsmContext& context, std::string_view name, SymbolKind kind, int32_t value, bool settled) {
    bool found = context.symbols.define(name, kind, value, settled, current_place(context), context.state.section,
                                        context.state.segment);
    if (!found) context.error(kMsgUndefinedName);
    return found;
}

}  // namespace dravlin
