#include "assembler/passes.h"

#include "assembler/blocks.h"
#include "assembler/encoder.h"
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
    if (pass == 0) context.decisions.clear();
    if (pass == 0) context.instructions_seen = 0;
    if (pass == 1) {
        context.statement_sizes.clear();
        context.statement_sizes.reserve(context.instructions_seen);
        context.settled_code.clear();
        context.settled_code.reserve(context.instructions_seen);
        context.settled_fixups.clear();
        unsettle_symbols(context.symbols);
    }
    context.next_decision = 0;
    context.next_statement = 0;
    context.next_settled = 0;
    context.next_settled_fixup = 0;
}

// Pass 1: the last settled instruction was all its line held, and the line
// is one line of the file: pass 2 may step over it.
void mark_whole_line(AsmContext& context, const ReadingFrame& frame) {
    AsmContext::SettledCode& code = context.settled_code.back();
    code.whole_line = true;
    code.source_index = frame.source_index;
    code.line_start = frame.line_start;
}

// Pass 2: a line that held only an instruction pass 1 settled is written
// from what pass 1 kept, without being read again.
bool step_over_settled_line(AsmContext& context, ReadingFrame& frame) {
    const AsmContext::SettledCode* code = next_settled_instruction(context);
    if (!code || !code->whole_line || code->source_index != frame.source_index ||
        code->line_start != frame.cursor.position || !context.assembling()) {
        return false;
    }
    SourceCursor& cursor = frame.cursor;
    frame.line_start = code->line_start;
    size_t end = cursor.text.find('\n', cursor.position);
    cursor.position = end == std::string_view::npos ? cursor.text.size() : end + 1;
    ++cursor.line_number;
    LinePlace before = line_place(context);
    emit_settled_instruction(context);
    if (!context.settings.code_lines) record_source_line(context, before);
    return true;
}

void assemble_line(AsmContext& context, std::string_view text, bool physical_line) {
    // Every reader of a line starts by skipping blanks: skip the indentation once.
    text.remove_prefix(skip_blanks(text, 0));
    if (handle_preprocessor_line(context, text)) return;
    LinePlace before = line_place(context);
    size_t settled = context.settled_code.size();
    bool lone_instruction = assemble_statement(context, text);
    if (context.pass == 1 && lone_instruction && physical_line && context.settled_code.size() > settled) {
        mark_whole_line(context, context.reading.back());
    }
    // Reported once, by the statement that crosses the end of the buffer.
    if (context.pass == 1 && before.location_counter <= kSegmentCodeSize &&
        context.state.location_counter > kSegmentCodeSize) {
        context.error(kMsgSegmentOverflow);
    }
    if (context.pass == 2 && !context.settings.code_lines) record_source_line(context, before);
}

// Reads and assembles lines until only `depth` frames remain.
void read_until(AsmContext& context, size_t depth) {
    LogicalLine line;
    std::string_view text;
    while (context.reading.size() > depth) {
        ReadingFrame& frame = context.reading.back();
        if (context.pass == 2 && step_over_settled_line(context, frame)) continue;
        switch (read_logical_line(frame.cursor, line, text)) {
        case LineRead::EndOfText:
            context.sources[static_cast<size_t>(frame.source_index)].line_count = frame.cursor.line_number;
            if (context.reading.size() == 1) check_end_of_source(context);
            context.reading.pop_back();
            break;
        case LineRead::TooLong:
            context.error(kMsgLineTooLong);
            break;
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

bool read_body_line(AsmContext& context, LogicalLine& line) {
    ReadingFrame& frame = context.reading.back();
    for (;;) {
        switch (read_logical_line(frame.cursor, line)) {
        case LineRead::EndOfText: return false;
        case LineRead::TooLong: context.error(kMsgLineTooLong); break;
        case LineRead::Line:
            frame.line_start = static_cast<uint32_t>(line.start_offset);
            return true;
        }
    }
}

bool run_pass(AsmContext& context, int pass) {
    start_pass(context, pass);
    read_until(context, 0);
    return !context.pass_failed;
}

bool run_passes(AsmContext& context) {
    if (!run_pass(context, 0)) return false;
    context.index_of_handle = context.symbols.indices_by_handle();
    context.symbols.freeze_lookup();
    if (!run_pass(context, 1)) return false;
    context.rows = build_symbol_rows(context.symbols, context.members);
    list_object_files(context);
    return run_pass(context, 2);
}

}  // namespace dravlin
