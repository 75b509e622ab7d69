#pragma once
// The stack at $0100 + S, reached through page 0's memory without a rights
// check. Every push and pull moves S through StackAdjust, which raises stack
// overflow (9) and underflow (8) at the current instruction.
#include <cstdint>
#include <initializer_list>
#include <span>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// Moves S by `delta` (negative: push) and returns the previous S.
std::uint8_t StackAdjust(KernelCore& core, int delta);

// Pushes the bytes in order (the first lands at the old S).
void Push(KernelCore& core, std::initializer_list<std::uint8_t> bytes);

// Pulls out.size() bytes; out[0] is the first pulled.
void Pull(KernelCore& core, std::span<std::uint8_t> out);

}  // namespace simcpu
