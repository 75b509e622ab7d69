#pragma once
// The fast interpreter: the same machine as the checked one, run without the
// debugger's checks (no rights, no exceptions, no breakpoints, no operand
// fields), with the CPU registers in locals for the length of a run.
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {

RunResult FastRun(KernelCore& core);

}  // namespace simcpu
