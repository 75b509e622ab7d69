#include "assembler/context.h"

namespace dravlin {

std::string_view AsmContext::current_file() const {
    if (reading.empty()) return {};
    return sources[static_cast<size_t>(reading.back().source_index)].name;
}

int AsmContext::current_line() const {
    return reading.empty() ? 0 : reading.back().cursor.line_number;
}

void AsmContext::error(int id, std::string_view detail) {
    pass_failed = true;
    reporter.error(id, current_file(), current_line(), detail);
}

}  // namespace dravlin
