#pragma once
// The stack at $0100 + S, reached through page 0's memory without a rights
// check. Every push and pull moves S through StackAdjust, which raises stack
// overflow (9) and underflow (8) at the current instruction. Inline: every
// JSR, RTS and push of the checked interpreter comes here.
#include <cstdint>
#include <initializer_list>
#include <span>

#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/run_control.h"

namespace simcpu {

inline std::uint8_t& StackByte(KernelCore& core, int s) { return core.internalRam[0x100 + (s & 0xFF)]; }

// Moves S by `delta` (negative: push) and returns the previous S.
inline std::uint8_t StackAdjust(KernelCore& core, int delta) {
    formats::TargetRegisterBlock& r = core.regs();
    int next = r.s + delta;
    if (next > 0xFF) RaiseException(core, core.instructionPC, 8);
    if (next < 0) RaiseException(core, core.instructionPC, 9);
    std::uint8_t old = r.s;
    r.s = static_cast<std::uint8_t>(next);
    return old;
}

// Pushes the bytes in order (the first lands at the old S).
inline void Push(KernelCore& core, std::initializer_list<std::uint8_t> bytes) {
    int s = StackAdjust(core, -static_cast<int>(bytes.size()));
    for (std::uint8_t byte : bytes) StackByte(core, s--) = byte;
}

// Pulls out.size() bytes; out[0] is the first pulled.
inline void Pull(KernelCore& core, std::span<std::uint8_t> out) {
    int s = StackAdjust(core, static_cast<int>(out.size()));
    for (std::uint8_t& byte : out) byte = StackByte(core, ++s);
}

}  // namespace simcpu
