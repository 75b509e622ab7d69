#pragma once
// The assembler's entry: command line, "output.msg", the passes, the summary
// line and the exit code (0; -1 when a pass failed; 1 when the run aborted).
#include <string>
#include <vector>

namespace dravlin {

// `args` are the arguments after the program name.
int assemble(const std::vector<std::string>& args);

}  // namespace dravlin
