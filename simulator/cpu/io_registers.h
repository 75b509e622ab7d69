#pragma once
// Side effects of the I/O registers $00-$3F: what a read sees and what a write
// changes. The interpreters call RefreshIo before an operand read, AfterIoRead
// after it, and ApplyIoWrite after an operand write.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

void RefreshIo(KernelCore& core, std::uint8_t reg);
void AfterIoRead(KernelCore& core, std::uint8_t reg);
void ApplyIoWrite(KernelCore& core, std::uint8_t reg);

// The latch an operand read of `reg` returns ($0B reads its write latch).
const std::uint8_t* IoReadPlace(const KernelCore& core, std::uint8_t reg);

}  // namespace simcpu
