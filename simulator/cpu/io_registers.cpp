#include "simulator/cpu/io_registers.h"

#include "simulator/cpu/keyboard.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/memory_map.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr std::uint8_t kTimerExpired = 0x08;  // read latch $01

void SetCpuStateBit(KernelCore& core, std::uint8_t bit, bool on) {
    TargetRegisterBlock& r = core.regs();
    std::uint8_t next = on ? (r.cpu_state | bit) : (r.cpu_state & ~bit);
    if (next != r.cpu_state) r.state_change = 0;
    r.cpu_state = next;
}

void ApplyTimerEnable(KernelCore& core, std::uint8_t before, std::uint8_t after) {
    bool wasOn = before & 0x0F;
    bool isOn = after & 0x0F;
    if (wasOn == isOn) return;
    if (!isOn) {
        core.block->read_latches[0x01] &= static_cast<std::uint8_t>(~kTimerExpired);
        core.regs().run_flags &= static_cast<std::uint8_t>(~RunFlag::kIrqPending);
    }
    core.timerCountdown = core.timerPeriod;
}

void ApplyNmiOff(KernelCore& core, std::uint8_t after) {
    core.nmiCountdown = core.nmiPeriod;
    if (after & 0x10) core.regs().run_flags &= static_cast<std::uint8_t>(~RunFlag::kNmiPending);
}

void ApplyControl05(KernelCore& core, std::uint8_t changed, std::uint8_t after) {
    if (changed & 0xE0) SetCpuStateBit(core, CpuStateBit::kHalted, (after & 0xE0) == 0xE0);
    if (changed & 0x08) LcdSwitch(core, after & 0x08);
}

}  // namespace

void RefreshIo(KernelCore& core, std::uint8_t reg) {
    std::uint8_t* write = core.block->write_latches;
    std::uint8_t* read = core.block->read_latches;
    switch (reg) {
        case 0x04:
        case 0x05: read[reg] = write[0x02]; break;
        case 0x08: read[reg] = ReadKeyLines08(core); break;
        case 0x09: read[reg] = ReadKeyLines09(core); break;
        case 0x0B: write[reg] = static_cast<std::uint8_t>((write[reg] & 0xFE) | (KeyLine(core) ? 1 : 0)); break;
        case 0x0C: read[reg] = static_cast<std::uint8_t>(0x08 | ((write[0x01] >> 4) & 1) << 2); break;
        default: break;
    }
}

const std::uint8_t* IoReadPlace(const KernelCore& core, std::uint8_t reg) {
    return reg == 0x0B ? &core.block->write_latches[reg] : &core.block->read_latches[reg];
}

void AfterIoRead(KernelCore& core, std::uint8_t reg) {
    switch (reg) {
        case 0x01: core.block->read_latches[0x01] &= 0xC0; break;
        case 0x04: SetCpuStateBit(core, CpuStateBit::kCounterRuns, false); break;
        case 0x05: SetCpuStateBit(core, CpuStateBit::kCounterRuns, true); break;
        case 0x06: SetCpuStateBit(core, CpuStateBit::kReadOf07, false); break;
        case 0x07: SetCpuStateBit(core, CpuStateBit::kReadOf07, true); break;
        default: break;
    }
}

void ApplyIoWrite(KernelCore& core, std::uint8_t reg) {
    std::uint8_t after = core.block->write_latches[reg];
    std::uint8_t before = core.keptIo[reg];
    std::uint8_t changed = before ^ after;
    core.keptIo[reg] = after;
    if (!changed) return;
    switch (reg) {
        case 0x00:
        case 0x0A:
        case 0x0D:
        case 0x0F: RemapBanks(core, reg, changed); return;
        case 0x01:
            if (changed & 0x10) ApplyNmiOff(core, after);
            return;
        case 0x04: ApplyTimerEnable(core, before, after); return;
        case 0x05: ApplyControl05(core, changed, after); return;
        case 0x06: SetLcdStart(core, !core.fastMode()); return;
        case 0x0B:
            if (changed & 0x60) SetLcdStart(core, !core.fastMode());
            return;
        case 0x0C:
            if (changed & 0x03) SetLcdStart(core, !core.fastMode());
            return;
        default: return;
    }
}

}  // namespace simcpu
