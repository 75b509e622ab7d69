#pragma once
// Lines whose first word begins with "#": constants, includes, conditional
// blocks and the C compiler's line marks; and the skipping of the lines of
// inactive blocks.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// Handles a "#" line, or skips a line of an inactive block; true when the
// line needs no statement handler.
bool handle_preprocessor_line(AsmContext& context, std::string_view line);

}  // namespace dravlin
