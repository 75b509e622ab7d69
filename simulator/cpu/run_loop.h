#pragma once
// The run loop: the CPU's clock. Between instructions it serves the host's
// requests (stop, exit, pause, reset, key input), wakes a halted CPU and takes
// pending interrupts; after each instruction it counts the cycles into the
// 64-bit counter, the LCD, timer and NMI countdowns and the $02 counter.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/lcd.h"

namespace simcpu {

enum class RunResult : int {
    Stopped = 0,       // a stop request
    Ended = 1,         // an exception answered with Stop, a refused stop report, an exit request
    Reinitialise = 2,  // a reset request of kind 2
};

// Runs until the run ends, in the interpreter the register block's mode bit chooses.
RunResult Run(KernelCore& core);

// What the round before an instruction decided.
enum class Round {
    Step,        // execute one instruction
    Counted,     // an interrupt entry or a restart took the round; its cycles are counted
    EndStopped,  // end the run with RunResult::Stopped
    EndEnded,    // end the run with RunResult::Ended
    EndReinitialise,
};

// The result of a run that a round ended (EndStopped, EndEnded, EndReinitialise).
RunResult EndResult(Round round);

// The checks before an instruction, shared by both interpreters. The fast
// interpreter calls it only when AttentionNeeded() says so, with its
// registers written back to the block.
Round BeforeInstruction(KernelCore& core);

// Host requests, held wake keys, a reset request or a pending interrupt: the
// round before the next instruction has work.
inline bool AttentionNeeded(const KernelCore& core) {
    constexpr std::uint8_t kAttention =
        ControlFlag::kStopRequest | ControlFlag::kExitRequest | ControlFlag::kPauseRequest |
        ControlFlag::kInputWaiting | ControlFlag::kDownloadRequested | ControlFlag::kPowerKey | ControlFlag::kWakeKeys;
    constexpr std::uint8_t kPending = formats::RunFlag::kNmiPending | formats::RunFlag::kIrqPending;
    return (core.controlFlags & kAttention) || core.resetRequest != ResetKind::kNone ||
           (core.regs().run_flags & kPending);
}

// The automatic download starts when the low word of the cycle counter lies here.
inline constexpr std::uint32_t kAutoDownloadFirst = 16777216, kAutoDownloadLast = 16777232;

// One countdown: true when it ran out (it is then reloaded).
inline bool CountDown(std::int64_t& countdown, std::uint32_t period, int cycles) {
    countdown -= cycles;
    if (countdown > 0) return false;
    countdown = period;
    return true;
}

// Counts the cycles of an instruction or interrupt entry into the cycle
// counter, the timer, the NMI and the $02 counter (not the LCD countdown).
// Inline: the checked interpreter counts after every instruction.
inline void CountCycles(KernelCore& core, int cycles) {
    formats::TargetRegisterBlock& r = core.regs();
    std::uint8_t* write = core.block->write_latches;
    std::uint8_t* read = core.block->read_latches;
    core.cycleCount += static_cast<unsigned>(cycles);
    if (core.cycleCount >= core.cycleLimit) core.controlFlags |= ControlFlag::kStopRequest;
    // Timer, NMI and counter all off, no download waiting: nothing more to count.
    bool quiet = !(write[0x04] & 0x0F) && (write[0x01] & 0x10) && !(r.cpu_state & formats::CpuStateBit::kCounterRuns);
    if (quiet && !core.autoDownloadPending) return;
    if ((write[0x04] & 0x0F) && CountDown(core.timerCountdown, core.timerPeriod, cycles)) {
        read[0x01] |= 0x08;
        r.run_flags |= formats::RunFlag::kIrqPending;
    }
    if (!(write[0x01] & 0x10) && CountDown(core.nmiCountdown, core.nmiPeriod, cycles)) {
        r.run_flags |= formats::RunFlag::kNmiPending;
    }
    if (r.cpu_state & formats::CpuStateBit::kCounterRuns) {
        unsigned sum = write[0x02] + static_cast<unsigned>(cycles);
        write[0x02] = static_cast<std::uint8_t>(sum);
        if (sum > 0xFF) {
            read[0x01] |= 0x10;
            r.run_flags |= formats::RunFlag::kIrqPending;
        }
    }
    if (core.autoDownloadPending && core.downloadState == 0) {
        auto low = static_cast<std::uint32_t>(core.cycleCount);
        if (low >= kAutoDownloadFirst && low <= kAutoDownloadLast) {
            core.autoDownloadPending = false;
            if (core.host) core.host->AutoDownloadDue();
        }
    }
}

// Counts the cycles of an instruction into a dirty LCD's countdown and
// refreshes it when due.
inline void CountLcd(KernelCore& core, int cycles) {
    if (!(core.state & StateBit::kLcdDirty)) return;
    if (!CountDown(core.lcdCountdown, core.lcdPeriod, cycles)) return;
    core.state &= static_cast<std::uint8_t>(~StateBit::kLcdDirty);
    RefreshLcd(core);
}

// Batched counting. Both interpreters take each instruction's cycles off
// `cyclesLeft` and count them only at a boundary, once it runs out: the
// budget is the distance to the nearest event (a countdown running out, the
// $02 counter carrying, the automatic download's moment, the cycle bound, or
// the longest wait before host requests are looked at), so every event falls
// on the same instruction as when counting one instruction at a time.
// Anything that a count could change or that could see the counters (an I/O
// access, the LCD turning dirty, a host notice, a trap) counts the pending
// cycles first and asks for a boundary after its instruction, where the run
// loop's round looks at the requests.

inline std::int64_t PendingCycles(const KernelCore& core) { return core.cycleBudget - core.cyclesLeft; }

// Sets the budget to the nearest event, keeping the pending cycles.
void SetCycleBudget(KernelCore& core);

// Counts the pending cycles (the LCD's countdown, then CountCycles) and sets the budget anew.
void CountPendingCycles(KernelCore& core);

// Keeps the pending cycles and makes `cyclesLeft` run out with this instruction.
inline void AskBoundary(KernelCore& core) {
    core.cycleBudget = PendingCycles(core);
    core.cyclesLeft = 0;
}

// Before anything that a count could change or that could see the counters:
// the pending cycles counted, and a boundary after this instruction.
inline void SettleCycles(KernelCore& core) {
    CountPendingCycles(core);
    AskBoundary(core);
}

// The interrupt entries: PC and P pushed (B clear), PC from the vector.
void EnterNmi(KernelCore& core);
void EnterIrq(KernelCore& core);

// Ends the run on the way out: the running flag cleared.
RunResult EndRun(KernelCore& core, RunResult result);

// What the emulation thread does between two runs on a reset of kind 2: the
// machine is initialised anew (no cold start, same interpreter) keeping the
// control flags, the host bitmap and the IDE's breakpoint tables (their
// places are worked out anew); the wake-key flag follows the key list.
void Reinitialise(KernelCore& core);

}  // namespace simcpu
