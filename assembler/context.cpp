#include "assembler/context.h"

namespace dravlin {

std::string_view AsmContext::current_file() const {
    if (reading.empty()) return {};
    return sources[static_cast<size_t>(reading.back().source_index)].name;
}

int AsmContext::current_line() const {
    if (reported_line != 0) return reported_line;
    for (auto frame = reading.rbegin(); frame != reading.rend(); ++frame) {
        if (!sources[static_cast<size_t>(frame->source_index)].is_expansion()) return frame->cursor.line_number;
    }
    return 0;
}

void AsmContext::error(int id, std::string_view detail) {
    pass_failed = true;
    reporter.error(id, current_file(), current_line(), detail);
}

}  // namespace dravlin
