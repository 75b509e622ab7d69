#include "simulator/cpu/run_loop.h"

#include <algorithm>
#include <array>

#include "simulator/cpu/checked_step.h"
#include "simulator/cpu/download_traps.h"
#include "simulator/cpu/fast_run.h"
#include "simulator/cpu/key_inbox.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/machine_init.h"
#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/stack.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr int kResetCycles = 6;
constexpr int kInterruptCycles = 8;

constexpr std::uint8_t kWakers = ControlFlag::kPowerKey | ControlFlag::kWakeKeys;

void Clear(std::uint8_t& byte, std::uint8_t bits) { byte = static_cast<std::uint8_t>(byte & ~bits); }

bool Halted(const KernelCore& core) { return core.regs().cpu_state & CpuStateBit::kHalted; }

void Restart(KernelCore& core) {
    core.regs().pc = VectorWord(core, 0xFFFC);
    CountCycles(core, kResetCycles);
}

// A held power or wake key, or an NMI, ends the halt through the reset vector.
void Wake(KernelCore& core) {
    TargetRegisterBlock& r = core.regs();
    Clear(r.cpu_state, CpuStateBit::kHalted);
    Clear(core.block->write_latches[0x05], 0xE0);
    Clear(core.keptIo[0x05], 0xE0);
    Restart(core);
}

void EnterInterrupt(KernelCore& core, std::uint16_t vector) {
    TargetRegisterBlock& r = core.regs();
    core.instructionPC = r.pc;  // where a stack overflow is reported
    Push(core, {static_cast<std::uint8_t>(r.pc >> 8), static_cast<std::uint8_t>(r.pc), r.p});
    r.pc = VectorWord(core, vector);
}

Round ServeRequests(KernelCore& core) {
    std::uint8_t flags = core.controlFlags;
    if (flags & ControlFlag::kDownloadRequested) ActivateDownload(core);
    if ((flags & ControlFlag::kInputWaiting) && core.keyInbox) core.keyInbox->Deliver(core);
    if (flags & ControlFlag::kExitRequest) return Round::EndEnded;
    if (flags & ControlFlag::kStopRequest) {
        // The fast interpreter ends a stopped run silently.
        if (!core.fastMode()) ReportStopped(core);
        return Round::EndStopped;
    }
    if (flags & ControlFlag::kPauseRequest) {
        // The request is served once; the host asks again for another pause.
        core.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kPauseRequest);
        ReportPause(core);
    }
    return Round::Step;
}

}  // namespace

Round BeforeInstruction(KernelCore& core) {
    if (Round round = ServeRequests(core); round != Round::Step) return round;

    std::uint8_t reset = core.resetRequest;
    if (reset == ResetKind::kReinitialise) return Round::EndReinitialise;
    if (reset == ResetKind::kRestart) {
        core.resetRequest = ResetKind::kNone;
        Restart(core);
        return Round::Counted;
    }

    TargetRegisterBlock& r = core.regs();
    bool halted = Halted(core);
    if (halted && (core.controlFlags & kWakers)) {
        Wake(core);
        return Round::Counted;
    }
    if (r.run_flags & RunFlag::kNmiPending) {
        Clear(r.run_flags, RunFlag::kNmiPending);
        if (halted) {
            Wake(core);
        } else {
            EnterNmi(core);
            CountCycles(core, kInterruptCycles);
        }
        return Round::Counted;
    }
    // The checked interpreter takes no IRQ while halted; the fast one does.
    if ((r.run_flags & RunFlag::kIrqPending) && (!halted || core.fastMode())) {
        Clear(r.run_flags, RunFlag::kIrqPending);
        if (!(r.p & RegisterP::kI)) {
            Clear(r.p, RegisterP::kB);
            EnterIrq(core);
            CountCycles(core, kInterruptCycles);
        }
        return Round::Counted;  // with I set the request is dropped
    }
    return Round::Step;
}

void SetCycleBudget(KernelCore& core) {
    // Host requests from other threads are looked at least this often.
    constexpr std::int64_t kPollCycles = 1 << 16;
    const std::uint8_t* write = core.block->write_latches;
    std::int64_t budget = kPollCycles;
    if (core.state & StateBit::kLcdDirty) budget = std::min(budget, core.lcdCountdown);
    if (write[0x04] & 0x0F) budget = std::min(budget, core.timerCountdown);
    if (!(write[0x01] & 0x10)) budget = std::min(budget, core.nmiCountdown);
    if (core.regs().cpu_state & CpuStateBit::kCounterRuns) budget = std::min<std::int64_t>(budget, 256 - write[0x02]);
    if (core.cycleLimit > core.cycleCount) {
        budget = static_cast<std::int64_t>(std::min<std::uint64_t>(budget, core.cycleLimit - core.cycleCount));
    }
    if (core.autoDownloadPending) {
        auto low = static_cast<std::uint32_t>(core.cycleCount);
        if (low < kAutoDownloadFirst) budget = std::min<std::int64_t>(budget, kAutoDownloadFirst - low);
    }
    std::int64_t pending = PendingCycles(core);
    core.cycleBudget = std::max<std::int64_t>(budget, 1);
    core.cyclesLeft = core.cycleBudget - pending;
}

void CountPendingCycles(KernelCore& core) {
    if (std::int64_t pending = PendingCycles(core); pending > 0) {
        auto cycles = static_cast<int>(pending);
        core.cycleBudget = core.cyclesLeft;  // nothing pending meanwhile
        CountLcd(core, cycles);
        CountCycles(core, cycles);
    }
    SetCycleBudget(core);
}

void EnterNmi(KernelCore& core) { EnterInterrupt(core, 0xFFFA); }

void EnterIrq(KernelCore& core) {
    EnterInterrupt(core, 0xFFFE);
    core.regs().p |= RegisterP::kI;
}

RunResult EndResult(Round round) {
    switch (round) {
        case Round::EndStopped: return RunResult::Stopped;
        case Round::EndReinitialise: return RunResult::Reinitialise;
        default: return RunResult::Ended;
    }
}

RunResult EndRun(KernelCore& core, RunResult result) {
    Clear(core.regs().run_flags, RunFlag::kRunning);
    return result;
}

RunResult Run(KernelCore& core) { return core.fastMode() ? FastRun(core) : CheckedRun(core); }

void Reinitialise(KernelCore& core) {
    std::uint8_t flags = core.controlFlags;
    std::uint8_t* bitmap = core.hostBitmap;
    TargetControlBlock& block = *core.block;
    std::array<std::uint32_t, kFirstBreakTableEntries> first;
    std::array<std::uint32_t, kSecondBreakTableEntries> second;
    std::copy(std::begin(block.first_table), std::end(block.first_table), first.begin());
    std::copy(std::begin(block.second_table), std::end(block.second_table), second.begin());

    InitMachine(core, core.fastMode() ? InitOption::kFastInterpreter : 0);

    auto unplaced = [](std::uint32_t word) { return word & ~BreakEntry::kPlaced; };
    std::transform(first.begin(), first.end(), std::begin(block.first_table), unplaced);
    std::transform(second.begin(), second.end(), std::begin(block.second_table), unplaced);
    Clear(flags, ControlFlag::kWakeKeys);
    if (core.keyList.wakeKeyCount) flags |= ControlFlag::kWakeKeys;
    core.controlFlags = flags;
    LcdGeometry(core, bitmap);
}

}  // namespace simcpu
