#pragma once
// One pass over the main source and everything it reads in.
#include "assembler/context.h"

namespace dravlin {

// Runs pass 0, 1 or 2 from the first line of the main source (index 0);
// true when the pass reported no error.
bool run_pass(AsmContext& context, int pass);

}  // namespace dravlin
