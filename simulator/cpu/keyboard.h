#pragma once
// The held keys and what the key matrix reads back from them.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// A skin key's code (bytes b0 b1 b2 b3) pressed or released; only while the
// core runs.
void KeyInput(KernelCore& core, std::uint32_t code, bool down);

// What $08 and $09 read: the lines of held keys that the other side drives.
std::uint8_t ReadKeyLines08(const KernelCore& core);
std::uint8_t ReadKeyLines09(const KernelCore& core);

// Bit 0 of $0B: 0 while the power key or a matching wake key is held.
bool KeyLine(const KernelCore& core);

}  // namespace simcpu
