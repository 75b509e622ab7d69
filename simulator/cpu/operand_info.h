#pragma once
// The operand fields of the register block (address, value, flags) for the
// instruction at PC, as the register window shows them at a stop.
#include "simulator/cpu/kernel_core.h"

namespace simcpu {

void ComputeOperandInfo(KernelCore& core);

}  // namespace simcpu
