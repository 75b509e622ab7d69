#include "simulator/cpu/run_control.h"

#include "simulator/cpu/lcd.h"
#include "simulator/cpu/operand_info.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {
namespace {

constexpr std::string_view kTexts[] = {
    "Simulator execution suspend by user !",
    "Cannot read data at this address !",
    "Cannot write data at this address !",
    "Invalid OP code !",
    "Try to fetch data cross 64 K address !",
    "Zero page indirect accross zero page boundary !",
    "Indirect indexed addressing cross 64 K address !",
    "Cannot read / write program stack !",
    "Stack underflow !",
    "Stack overflow !",
    "LCD buffer overflow !",
};

constexpr std::uint32_t kSecondTableIndexBit = 0x8000;

bool EndRequested(const KernelCore& core) {
    return core.controlFlags & (ControlFlag::kStopRequest | ControlFlag::kExitRequest);
}

}  // namespace

std::string_view ExceptionText(int code) {
    return code >= 0 && code <= kExceptionCodes ? kTexts[code] : std::string_view{};
}

void RaiseException(KernelCore& core, std::uint16_t address, int code) {
    // Outside a run there is nothing to end or ask about; the fast interpreter raises none.
    if (!(core.regs().run_flags & formats::RunFlag::kRunning) || core.fastMode()) return;
    SettleCycles(core);  // the host sees the counters; a run that ends has counted its cycles
    if (EndRequested(core)) throw RunEnded{};
    bool ignorable = code >= 1 && code <= kExceptionCodes;
    if (ignorable && core.ignore[code - 1]) return;
    ComputeOperandInfo(core);
    ExceptionAnswer answer = core.host ? core.host->AskException(address, code) : ExceptionAnswer::Stop;
    switch (answer) {
        case ExceptionAnswer::Stop: throw RunEnded{};
        case ExceptionAnswer::IgnoreThisKind:
            if (ignorable) core.ignore[code - 1] = 1;
            break;
        case ExceptionAnswer::IgnoreAll: core.ignore.fill(1); break;
        case ExceptionAnswer::Continue:
        case ExceptionAnswer::SingleStep: break;
    }
}

namespace {

// A notice that suspends the core until the host resumes it: operand
// information and any pending LCD refresh first, so the host sees the device
// as it stands.
void ReportAndWait(KernelCore& core, std::uint32_t code) {
    if (core.controlFlags & ControlFlag::kStopRequest) return;
    SettleCycles(core);
    ComputeOperandInfo(core);
    if (core.state & StateBit::kLcdDirty) {
        core.state &= static_cast<std::uint8_t>(~StateBit::kLcdDirty);
        core.lcdCountdown = core.lcdPeriod;
        RefreshLcd(core);
    }
    core.state |= StateBit::kPaused;
    bool goOn = core.host && core.host->PostStop(code);
    ++core.stepSerial;  // the IDE may have planted entries meanwhile
    core.state &= static_cast<std::uint8_t>(~StateBit::kPaused);
    if (!goOn) throw RunEnded{};
}

}  // namespace

void ReportStop(KernelCore& core) {
    std::uint32_t index = core.stopIndex < formats::kFirstBreakTableEntries
                              ? core.stopIndex
                              : (core.stopIndex - formats::kFirstBreakTableEntries) | kSecondTableIndexBit;
    ReportAndWait(core, std::uint32_t{core.stopPC} << 16 | index);
}

void ReportPause(KernelCore& core) { ReportAndWait(core, kPauseCode); }

void ReportStopped(KernelCore& core) {
    if (!(core.regs().run_flags & formats::RunFlag::kRunning) || !core.host) return;
    core.host->PostStop(kStoppedCode);
}

}  // namespace simcpu
