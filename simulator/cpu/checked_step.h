#pragma once
// The checked interpreter: one instruction with every check a debugger needs
// (page rights, address limits, stack limits, breakpoints), and the devices fed
// by its operand accesses.
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {

enum class StepOutcome {
    Ran,    // the instruction ran (possibly after exceptions the host let pass)
    Ended,  // the host ended the run; the running flag is cleared
};

StepOutcome Step(KernelCore& core);

// The run loop of the checked interpreter (Run hands it the run): the round
// before each instruction, the step, then its cycles counted.
RunResult CheckedRun(KernelCore& core);

}  // namespace simcpu
