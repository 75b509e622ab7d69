#include "assembler/passes.h"

#include "assembler/blocks.h"
#include "assembler/line_records.h"
#include "assembler/preprocessor.h"
#include "assembler/statement.h"
#include "assembler/symbol_rows.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

void start_pass(AsmContext& context, int pass) {
    context.pass = pass;
    context.pass_failed = false;
    context.state = AssemblyState{};
    context.conditionals.clear();
    context.reading.clear();
    context.reading.push_back(ReadingFrame{0, SourceCursor{context.sources.front().text}});
    if (pass == 0) context.decisions.clear();
    if (pass == 1) context.statement_sizes.clear();
    context.next_decision = 0;
    context.next_statement = 0;
}

void assemble_line(AsmContext& context, std::string_view text) {
    // Every reader of a line starts by skipping blanks: skip the indentation once.
    text.remove_prefix(skip_blanks(text, 0));
    if (handle_preprocessor_line(context, text)) return;
    LinePlace before = line_place(context);
    assemble_statement(context, text);
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
        switch (read_logical_line(frame.cursor, line, text)) {
        case LineRead::EndOfText:
            if (context.reading.size() == 1) check_end_of_source(context);
            context.reading.pop_back();
            break;
        case LineRead::TooLong:
            context.error(kMsgLineTooLong);
            break;
        case LineRead::Line:
            frame.line_start = static_cast<uint32_t>(line.start_offset);
            assemble_line(context, text);
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
    if (!run_pass(context, 1)) return false;
    context.rows = build_symbol_rows(context.symbols, context.members);
    list_object_files(context);
    return run_pass(context, 2);
}

}  // namespace dravlin
