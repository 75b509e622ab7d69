#include "assembler/passes.h"

#include <algorithm>

#include "assembler/blocks.h"
#include "assembler/encoder.h"
#include "assembler/instruction_records.h"
#include "assembler/line_records.h"
#include "assembler/preprocessor.h"
#include "assembler/statement.h"
#include "assembler/symbol_rows.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// Pass 1 starts with no value settled but those of externals, which never change.
void unsettle_symbols(SymbolTable& symbols) {
    for (int index = 0; index < symbols.size(); ++index) {
        Symbol& symbol = symbols.at(index);
        symbol.settled = symbol.state == kSymbolExternal;
    }
}

void start_pass(AsmContext& context, int pass) {
    context.pass = pass;
    context.pass_failed = false;
    context.state = AssemblyState{};
    context.conditionals.clear();
    context.reading.clear();
    context.reading.push_back(ReadingFrame{0, SourceCursor{context.sources.front().text}});
    if (pass == 0) {
        context.decisions.clear();
        context.instructions.clear();
        // Room for an instruction per four bytes of the main source and a
        // name per 64: address space rather than memory, and no copying
        // while the lists grow.
        context.instructions.reserve(std::min(context.sources.front().text.size() / 4 + 64, kMostReservedEntries));
        context.symbols.reserve(std::min(context.sources.front().text.size() / 64 + 64, kMostReservedEntries));
    }
    if (pass == 1) {
        context.statement_sizes.clear();
        context.statement_sizes.reserve(context.instructions.size());
        context.settled_fixups.clear();
        unsettle_symbols(context.symbols);
    }
    context.next_decision = 0;
    context.next_statement = 0;
    context.next_instruction = 0;
    context.next_include = 0;
}

// What follows every statement line: pass 1's check of the segment's end
// (reported once, by the statement that crosses it) and pass 2's line record.
void close_statement_line(AsmContext& context, const LinePlace& before) {
    if (context.pass == 1 && before.location_counter <= kSegmentCodeSize &&
        context.state.location_counter > kSegmentCodeSize) {
        context.error(kMsgSegmentOverflow);
    }
    if (context.pass == 2 && !context.settings.code_lines) record_source_line(context, before);
}

// Passes 1 and 2: a line that pass 0 found to hold nothing but an
// instruction is not read again: its operand goes straight to pass 1's
// sizing or pass 2's writing.
bool step_over_whole_line(AsmContext& context, ReadingFrame& frame) {
    InstructionRecord* record = whole_line_at(context, frame);
    if (!record) return false;
    SourceCursor& cursor = frame.cursor;
    size_t end = cursor.text.find('\n', cursor.position);
    size_t next_line = end == std::string_view::npos ? cursor.text.size() : end + 1;
    size_t operand_start = cursor.position + record->operand_offset;
    std::string_view operand = cursor.text.substr(operand_start, next_line - operand_start);
    frame.line_start = record->line_start;
    cursor.position = next_line;
    ++cursor.line_number;
    ++context.next_instruction;
    LinePlace before = line_place(context);
    if (context.pass == 1)
        size_instruction(context, record, record->mnemonic, operand);
    else
        emit_instruction(context, record, record->mnemonic, operand);
    close_statement_line(context, before);
    return true;
}

void assemble_line(AsmContext& context, std::string_view text, bool physical_line) {
    // Every reader of a line starts by skipping blanks: skip the indentation once.
    text.remove_prefix(skip_blanks(text, 0));
    if (handle_preprocessor_line(context, text)) return;
    LinePlace before = line_place(context);
    size_t noted = context.instructions.size();
    bool lone_instruction = assemble_statement(context, text);
    if (context.pass == 0 && lone_instruction && physical_line && context.instructions.size() > noted) {
        mark_whole_line(context);
    }
    close_statement_line(context, before);
}

// Reads and assembles lines until only `depth` frames remain.
void read_until(AsmContext& context, size_t depth) {
    LogicalLine line;
    std::string_view text;
    while (context.reading.size() > depth) {
        ReadingFrame& frame = context.reading.back();
        if (context.pass > 0 && step_over_whole_line(context, frame)) continue;
        switch (read_logical_line(frame.cursor, line, text)) {
            case LineRead::EndOfText:
                context.sources[static_cast<size_t>(frame.source_index)].line_count = frame.cursor.line_number;
                if (context.reading.size() == 1) check_end_of_source(context);
                context.reading.pop_back();
                break;
            case LineRead::TooLong: context.error(kMsgLineTooLong); break;
            case LineRead::Line:
                frame.line_start = static_cast<uint32_t>(line.start_offset);
                // A view of the file, not of the line's buffer: no continuation.
                assemble_line(context, text, text.data() != line.text.data());
                break;
        }
    }
}

}  // namespace

bool read_nested(AsmContext& context, int source_index) {
    if (context.reading.size() >= kMaxReadingDepth) return false;
    size_t depth = context.reading.size();
    context.reading.push_back(
        ReadingFrame{source_index, SourceCursor{context.sources[static_cast<size_t>(source_index)].text}});
    read_until(context, depth);
    return true;
}

namespace {

uint64_t place_key(int source_index, uint32_t line_offset) {
    return (uint64_t{static_cast<uint32_t>(source_index)} << 32) | line_offset;
}

}  // namespace

void record_include(AsmContext& context, IncludeKind kind, int included) {
    const ReadingFrame& frame = context.reading.back();
    context.includes.push_back(IncludeRecord{kind, included, frame.source_index, frame.line_start});
}

// Later passes meet the lines that read sources in in pass 0's order: the
// record after the last one taken is the likely one. The search by place,
// made the first time it is needed, is left for lines that a pass skips (a
// STRUC body).
int recorded_include(AsmContext& context) {
    const ReadingFrame& frame = context.reading.back();
    size_t next = context.next_include;
    if (next < context.includes.size()) {
        const IncludeRecord& record = context.includes[next];
        if (record.including == frame.source_index && record.line_offset == frame.line_start) {
            context.next_include = next + 1;
            return record.included;
        }
    }
    if (context.include_by_place.empty()) {
        for (size_t i = 0; i < context.includes.size(); ++i) {
            const IncludeRecord& record = context.includes[i];
            context.include_by_place[place_key(record.including, record.line_offset)] = static_cast<int>(i);
        }
    }
    auto found = context.include_by_place.find(place_key(frame.source_index, frame.line_start));
    if (found == context.include_by_place.end()) return -1;
    context.next_include = static_cast<size_t>(found->second) + 1;
    return context.includes[static_cast<size_t>(found->second)].included;
}

bool read_body_line(AsmContext& context, LogicalLine& line) {
    ReadingFrame& frame = context.reading.back();
    for (;;) {
        switch (read_logical_line(frame.cursor, line)) {
            case LineRead::EndOfText: return false;
            case LineRead::TooLong: context.error(kMsgLineTooLong); break;
            case LineRead::Line: frame.line_start = static_cast<uint32_t>(line.start_offset); return true;
        }
    }
}

bool run_pass(AsmContext& context, int pass) {
    start_pass(context, pass);
    read_until(context, 0);
    return !context.pass_failed;
}

bool run_passes(AsmContext& context) {
    const bool pass0_clean = run_pass(context, 0);
    context.all_sources_read = true;
    if (!pass0_clean) return false;
    context.symbols.sort();
    context.index_of_handle = context.symbols.indices_by_handle();
    if (!run_pass(context, 1)) return false;
    context.rows = build_symbol_rows(context.symbols, context.members);
    list_object_files(context);
    return run_pass(context, 2);
}

}  // namespace dravlin
