#pragma once
// The passes over the main source and everything it reads in: pass 0
// declares, pass 1 sizes, pass 2 emits.
#include "assembler/context.h"

namespace dravlin {

// Runs pass 0, 1 or 2 from the first line of the main source (index 0);
// true when the pass reported no error.
bool run_pass(AsmContext& context, int pass);

// Runs the three passes with the steps between them (stable indices after
// pass 0; symbol rows and the object's file list after pass 1). True when
// every pass succeeded and the object tables are complete.
bool run_passes(AsmContext& context);

// Reads source `source_index` in place of the current line, to its end (an
// include or a macro expansion). False, with nothing read, when sources are
// already nested kMaxReadingDepth deep.
bool read_nested(AsmContext& context, int source_index);

// Pass 0: records that the current line read in source `included` (an
// included file or a macro expansion).
void record_include(AsmContext& context, IncludeKind kind, int included);

// Passes 1 and 2: the source that pass 0 read in at the current line, or -1.
int recorded_include(AsmContext& context);

// The next logical line of the innermost source, for statements that read
// a body of lines (MACRO, STRUC); false at the end of that source.
bool read_body_line(AsmContext& context, LogicalLine& line);

}  // namespace dravlin
