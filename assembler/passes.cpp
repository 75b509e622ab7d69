#include "assembler/passes.h"

#include "assembler/statement.h"

namespace dravlin {

namespace {

void start_pass(AsmContext& context, int pass) {
    context.pass = pass;
    context.pass_failed = false;
    context.state = AssemblyState{};
    context.reading.clear();
    context.reading.push_back(ReadingFrame{0, SourceCursor{context.sources.front().text}});
    if (pass == 1) context.statement_sizes.clear();
    context.next_statement = 0;
}

}  // namespace

bool run_pass(AsmContext& context, int pass) {
    start_pass(context, pass);
    LogicalLine line;
    while (!context.reading.empty()) {
        switch (read_logical_line(context.reading.back().cursor, line)) {
        case LineRead::EndOfText:
            context.reading.pop_back();
            break;
        case LineRead::TooLong:
            context.error(kMsgLineTooLong);
            break;
        case LineRead::Line:
            context.reading.back().line_start = static_cast<uint32_t>(line.start_offset);
            assemble_statement(context, line.text);
            if (pass == 1 && context.state.location_counter > kSegmentCodeSize) {
                context.error(kMsgSegmentOverflow);
            }
            break;
        }
    }
    return !context.pass_failed;
}

}  // namespace dravlin
