#include "simulator/cpu/stack.h"

#include "simulator/cpu/run_control.h"

namespace simcpu {
namespace {

std::uint8_t& StackByte(KernelCore& core, int s) { return core.internalRam[0x100 + (s & 0xFF)]; }

}  // namespace

std::uint8_t StackAdjust(KernelCore& core, int delta) {
    formats::TargetRegisterBlock& r = core.regs();
    int next = r.s + delta;
    if (next > 0xFF) RaiseException(core, core.instructionPC, 8);
    if (next < 0) RaiseException(core, core.instructionPC, 9);
    std::uint8_t old = r.s;
    r.s = static_cast<std::uint8_t>(next);
    return old;
}

void Push(KernelCore& core, std::initializer_list<std::uint8_t> bytes) {
    int s = StackAdjust(core, -static_cast<int>(bytes.size()));
    for (std::uint8_t byte : bytes) StackByte(core, s--) = byte;
}

void Pull(KernelCore& core, std::span<std::uint8_t> out) {
    int s = StackAdjust(core, static_cast<int>(out.size()));
    for (std::uint8_t& byte : out) byte = StackByte(core, ++s);
}

}  // namespace simcpu
