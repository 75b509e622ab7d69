#include "assembler/blocks.h"

#include <algorithm>

#include "assembler/declarations.h"
#include "assembler/expression.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

bool has_more_words(std::string_view rest) {
    size_t pos = 0;
    std::string word;
    WordResult result = read_word(rest, pos, word);
    return result == kWordRead || result == kWordComma || result == kWordEquals;
}

// The symbol a SECTION or SEGMENT statement declared: pass 0 enters it (a
// repeated name gets a record of its own); later passes take the record of
// the same statement back by its handle.
int block_symbol(AsmContext& context, std::vector<int>& handles, int ordinal, const std::string& name,
                 SymbolKind kind) {
    if (context.pass == 0) {
        int index = declare_symbol(context, name, kind, 0);
        handles.push_back(index < 0 ? -1 : context.symbols.handle(index));
        return index;
    }
    int handle = ordinal < static_cast<int>(handles.size()) ? handles[static_cast<size_t>(ordinal)] : -1;
    if (handle < 0) return -1;
    Symbol& symbol = context.symbols.by_handle(handle);
    symbol.state = kSymbolDefined;
    symbol.section = context.state.section;
    symbol.segment = std::max<int16_t>(context.state.segment, 0);
    symbol.value = 0;
    return context.index_of_handle[static_cast<size_t>(handle)];
}

// "BASEADDRESS:e LENGTH:e BANKNUMBER:e" in any order and case.
void fill_section_record(AsmContext& context, SectionEntry& entry, std::string_view rest) {
    bool base = false, length = false, bank = false;
    size_t pos = 0;
    std::string word, colon, value;
    for (;;) {
        WordResult result = read_word_or_colon(rest, pos, word);
        if (result == kWordComma || result == kWordEquals) continue;
        if (result != kWordRead) break;
        size_t after_word = pos;
        if (read_word_or_colon(rest, pos, colon) != kWordColon || read_word(rest, pos, value) != kWordRead) {
            pos = after_word;
            continue;
        }
        ExprResult result_value = evaluate(context, value);
        if (result_value.error) {
            context.error(kMsgExpression);
            continue;
        }
        auto field = static_cast<uint16_t>(result_value.value);
        std::string parameter = to_upper(word);
        if (parameter == "BASEADDRESS") {
            entry.base_address = field;
            base = true;
        } else if (parameter == "LENGTH") {
            entry.length = field;
            length = true;
        } else if (parameter == "BANKNUMBER") {
            entry.bank_number = field;
            bank = true;
        }
    }
    if (!length)
        context.error(kMsgMissingBankLength);
    else if (!base)
        context.error(kMsgMissingBaseAddress);
    else if (!bank)
        context.error(kMsgMissingBankNumber);
}

}  // namespace

void open_section(AsmContext& context, const std::string& name, std::string_view rest) {
    AssemblyState& state = context.state;
    if (state.section_open) {
        context.error(kMsgMissingSectionEnd);
        return;
    }
    state.section = static_cast<int16_t>(state.sections_seen++);
    state.segment = -1;
    int index = block_symbol(context, context.section_handles, state.section, name, SymbolKind::Section);
    state.section_open = true;
    state.section_name = name;
    if (context.pass != 2) return;
    SectionEntry entry;
    entry.symbol = index;
    entry.first_segment = static_cast<uint32_t>(context.object.segments.size());
    fill_section_record(context, entry, rest);
    context.object.sections.push_back(entry);
}

void close_section(AsmContext& context, const std::string& name, std::string_view rest) {
    AssemblyState& state = context.state;
    if (has_more_words(rest)) context.error(kMsgSectionDefinition);
    if (!state.section_open || name != state.section_name) {
        context.error(kMsgSectionNotDefined);
    } else if (state.segment_open) {
        context.error(kMsgMissingSegmentEnd);
    } else if (state.procedure_open) {
        context.error(kMsgMissingProcedureEnd);
    }
    if (state.section_open && context.pass == 2 && !context.object.sections.empty()) {
        context.object.sections.back().segment_count = static_cast<uint16_t>(state.segment + 1);
    }
    state.section_open = false;
}

void open_segment(AsmContext& context, const std::string& name) {
    AssemblyState& state = context.state;
    if (state.segment_open) {
        context.error(kMsgMissingSegmentEnd);
        return;
    }
    if (!state.section_open) {
        context.error(kMsgSectionNotDefined);
        return;
    }
    ++state.segment;
    int index = block_symbol(context, context.segment_handles, state.segments_seen++, name, SymbolKind::Segment);
    state.segment_open = true;
    state.segment_name = name;
    state.segment_symbol = index;
    state.location_counter = 0;
    state.last_code_line = 0;
    if (context.pass != 2) return;
    SegmentEntry entry;
    entry.symbol = index;
    entry.first_fixup = static_cast<uint32_t>(context.object.fixups.size());
    context.object.segments.push_back(std::move(entry));
    std::fill(context.code.begin(), context.code.end(), uint8_t{0});
}

void close_segment(AsmContext& context, const std::string& name, std::string_view rest) {
    AssemblyState& state = context.state;
    if (has_more_words(rest)) context.error(kMsgSegmentDefinition);
    if (!state.segment_open || name != state.segment_name) {
        context.error(kMsgSegmentNotDefined);
    } else if (state.procedure_open) {
        context.error(kMsgMissingProcedureEnd);
    }
    if (state.segment_open && context.pass == 2 && !context.object.segments.empty()) {
        SegmentEntry& entry = context.object.segments.back();
        int32_t length = std::clamp(state.location_counter, 0, kSegmentCodeSize);
        entry.code.assign(context.code.begin(), context.code.begin() + length);
        entry.fixup_count = static_cast<uint16_t>(context.object.fixups.size() - entry.first_fixup);
    }
    state.segment_open = false;
}

void open_procedure(AsmContext& context, const std::string& name) {
    AssemblyState& state = context.state;
    if (state.procedure_open) {
        context.error(kMsgMissingProcedureEnd);
        return;
    }
    if (!state.segment_open) {
        context.error(kMsgNoSegment);
        return;
    }
    int index = -1;
    if (context.pass == 0) {
        index = declare_symbol(context, name, SymbolKind::Procedure, state.location_counter);
    } else if (define_symbol(context, name, SymbolKind::Procedure, state.location_counter, true)) {
        index = context.symbols.index_of(name);
    }
    state.procedure_open = true;
    state.procedure_name = name;
    if (context.pass != 2 || index < 0) return;
    ProcedureEntry entry;
    entry.symbol = index;
    entry.section = static_cast<uint16_t>(state.section);
    entry.segment = static_cast<uint16_t>(state.segment);
    entry.start = static_cast<uint16_t>(state.location_counter);
    entry.end = entry.start;
    context.object.procedures.push_back(entry);
}

void close_procedure(AsmContext& context, const std::string& name, std::string_view rest) {
    AssemblyState& state = context.state;
    if (has_more_words(rest)) context.error(kMsgProcedureDefinition);
    if (!state.procedure_open || name != state.procedure_name) context.error(kMsgProcedureNotDefined);
    if (state.procedure_open && context.pass == 2 && !context.object.procedures.empty()) {
        context.object.procedures.back().end = static_cast<uint16_t>(state.location_counter);
    }
    state.procedure_open = false;
}

void check_end_of_source(AsmContext& context) {
    const AssemblyState& state = context.state;
    bool conditional_open = !context.conditionals.empty();
    if (context.pass == 0) {
        if (conditional_open) context.error(kMsgIfWithoutEnd);
        if (state.section_open) context.error(kMsgMissingSectionEnd);
        if (state.segment_open) context.error(kMsgMissingSegmentEnd);
        if (state.procedure_open) context.error(kMsgMissingProcedureEnd);
        return;
    }
    if (state.section_open || state.segment_open || state.procedure_open) {
        context.error(kMsgMissingSectionEnd);
    } else if (conditional_open) {
        context.error(kMsgIfWithoutEnd);
    }
}

}  // namespace dravlin
