#pragma once
// What simrun prints of the machine after a run.
#include <string>

#include "simulator/cpu/kernel_core.h"
#include "tools/simrun/simrun_options.h"

namespace simrun {

// "PC=xxxx P=xx S=xx A=xx X=xx Y=xx cycles=N\n"
std::string RegisterLine(const simcpu::KernelCore& core);

// 16 bytes a line, "AAAA: xx xx ...", through the current map; "--" where no memory is.
std::string MemoryLines(const simcpu::KernelCore& core, const MemoryDump& dump);

}  // namespace simrun
