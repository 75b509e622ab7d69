#pragma once
// Mossrel, the linker: objects and libraries in, the bank image (.LKE) and the
// debug map (.DEB) out. Exit code 0 after a clean link, 1 when errors were
// reported (or no argument was given), 7 after a fatal error. A link with any
// error writes no file and leaves existing outputs as they were.
#include <string>
#include <vector>

#include "linker/tool_messages.h"

namespace linker {

int run_mossrel(const std::vector<std::string>& arguments, const Console& console);

}  // namespace linker
