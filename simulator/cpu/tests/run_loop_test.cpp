// The run loop in both interpreters: periods, interrupt entries, halt and
// wake, reset requests, host requests and the cycle counter.
#include <gtest/gtest.h>

#include "simulator/cpu/keyboard.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

namespace BreakEntry = formats::BreakEntry;
namespace RunFlag = formats::RunFlag;

constexpr std::uint16_t kIdle = 0x8001;
constexpr std::uint16_t kTicks = 0x0200;     // IRQ handler counts here
constexpr std::uint16_t kNmiTicks = 0x0201;  // NMI handler counts here
constexpr std::uint32_t kTimerPeriod = 14400;

// CLI, then an idle loop; the IRQ handler counts and reads $01 (clearing its
// cause), the NMI handler counts.
void LoadTicker(MachineFixture& m, bool fast) {
    m.PokeRom(0x8000, {0x58, 0x4C, 0x01, 0x80});
    m.PokeRom(0x8100, {0xEE, 0x00, 0x02, 0xA5, 0x01, 0x40});
    m.PokeRom(0x8200, {0xEE, 0x01, 0x02, 0x40});
    m.PokeRom(0xFFFA, {0x00, 0x82, 0x00, 0x80, 0x00, 0x81});
    InitMachine(m.core, InitOption::kColdStart | (fast ? InitOption::kFastInterpreter : 0));
}

class RunLoopTest : public ::testing::TestWithParam<bool> {
protected:
    RunLoopTest() { LoadTicker(m, GetParam()); }
    MachineFixture m;
};

TEST_P(RunLoopTest, TimerTicksEveryPeriodWhileEnabled) {
    m.WriteIo(0x01, 0x10);  // no NMI
    m.WriteIo(0x04, 0x01);
    EXPECT_EQ(m.RunCycles(10 * kTimerPeriod + 40), RunResult::Stopped);
    EXPECT_EQ(m.Peek(kTicks), 10);
    EXPECT_EQ(m.Peek(kNmiTicks), 0);
    EXPECT_EQ(m.regs().pc, kIdle);

    m.WriteIo(0x04, 0x00);  // disabled: no more ticks
    m.RunCycles(3 * kTimerPeriod);
    EXPECT_EQ(m.Peek(kTicks), 10);
}

TEST_P(RunLoopTest, TimerExpiryWithISetIsLostUntilTheNext) {
    m.PokeRom(0x8000, {0x78});  // SEI instead of CLI
    m.WriteIo(0x01, 0x10);
    m.WriteIo(0x04, 0x01);
    m.RunCycles(kTimerPeriod + 20);
    EXPECT_EQ(m.Peek(kTicks), 0);
    EXPECT_TRUE(m.block().read_latches[0x01] & 0x08);
    EXPECT_FALSE(m.regs().run_flags & RunFlag::kIrqPending);
}

TEST_P(RunLoopTest, NmiFollowsItsPeriodAndBit4OfRegister01) {
    m.core.nmiCountdown = 1000;
    m.RunCycles(1000 + 2 * m.core.nmiPeriod + 40);
    EXPECT_EQ(m.Peek(kNmiTicks), 3);

    m.WriteIo(0x01, 0x10);
    m.RunCycles(2 * m.core.nmiPeriod);
    EXPECT_EQ(m.Peek(kNmiTicks), 3);
}

TEST_P(RunLoopTest, CountdownPastZeroExpiresInsteadOfWrapping) {
    m.WriteIo(0x01, 0x10);
    m.WriteIo(0x04, 0x01);
    m.core.timerCountdown = 1;  // the next instruction overshoots it
    m.RunCycles(40);
    EXPECT_EQ(m.Peek(kTicks), 1);
    EXPECT_GT(m.core.timerCountdown, kTimerPeriod - 40);
}

TEST_P(RunLoopTest, CycleCounterPassesTwoToThe32) {
    m.WriteIo(0x01, 0x10);
    m.core.cycleCount = 0xFFFFFFF0u;
    m.RunCycles(100);
    EXPECT_GE(m.core.cycleCount, 0x100000000u + 0x50);
    EXPECT_LT(m.core.cycleCount, 0x100000000u + 0x60);
}

TEST_P(RunLoopTest, CounterOf02CarriesIntoAnIrq) {
    m.WriteIo(0x01, 0x10);
    m.regs().cpu_state |= formats::CpuStateBit::kCounterRuns;
    m.RunCycles(300);
    EXPECT_EQ(m.Peek(kTicks), 1);
}

TEST_P(RunLoopTest, HaltedCpuWakesOnlyThroughTheResetVector) {
    m.WriteIo(0x01, 0x10);
    m.RunCycles(20);
    m.WriteIo(0x05, 0xE0);
    ASSERT_TRUE(m.regs().cpu_state & formats::CpuStateBit::kHalted);
    m.regs().pc = 0x8001;

    m.regs().run_flags |= RunFlag::kRunning;
    KeyInput(m.core, 0x00010001, true);  // no wake flags
    m.RunCycles(30);
    EXPECT_TRUE(m.regs().cpu_state & formats::CpuStateBit::kHalted);

    m.regs().run_flags |= RunFlag::kRunning;
    KeyInput(m.core, 0x00000102, true);  // a wake key (k2 = 1)
    m.core.cycleCount = 0;
    m.RunCycles(1);
    EXPECT_FALSE(m.regs().cpu_state & formats::CpuStateBit::kHalted);
    EXPECT_EQ(m.block().write_latches[0x05] & 0xE0, 0);
    EXPECT_EQ(m.core.cycleCount, 6u);
    EXPECT_EQ(m.regs().pc, 0x8000);
}

TEST_P(RunLoopTest, NmiWhileHaltedWakesThroughTheResetVector) {
    m.WriteIo(0x05, 0xE0);
    m.regs().pc = 0x8001;
    m.regs().run_flags |= RunFlag::kNmiPending;
    m.core.cycleCount = 0;
    m.RunCycles(1);
    EXPECT_EQ(m.regs().pc, 0x8000);
    EXPECT_EQ(m.Peek(kNmiTicks), 0);
}

TEST_P(RunLoopTest, RestartRequestTakesTheResetVector) {
    m.RunCycles(20);
    m.core.resetRequest = ResetKind::kRestart;
    m.core.cycleCount = 0;
    m.RunCycles(1);
    EXPECT_EQ(m.regs().pc, 0x8000);
    EXPECT_EQ(m.core.cycleCount, 6u);
    EXPECT_EQ(m.core.resetRequest, ResetKind::kNone);
}

TEST_P(RunLoopTest, HostRequestsEndTheRun) {
    m.core.controlFlags |= ControlFlag::kStopRequest;
    EXPECT_EQ(simcpu::Run(m.core), RunResult::Stopped);
    // Only the checked interpreter tells of a stopped run.
    EXPECT_EQ(m.stops, GetParam() ? std::vector<std::uint32_t>{} : std::vector<std::uint32_t>{kStoppedCode});
    EXPECT_FALSE(m.regs().run_flags & RunFlag::kRunning);

    m.core.controlFlags = ControlFlag::kExitRequest;
    EXPECT_EQ(simcpu::Run(m.core), RunResult::Ended);

    m.core.controlFlags = 0;
    m.core.resetRequest = ResetKind::kReinitialise;
    EXPECT_EQ(simcpu::Run(m.core), RunResult::Reinitialise);
}

TEST_P(RunLoopTest, PauseIsReportedOnceWithTheRegistersInTheBlock) {
    m.RunCycles(20);
    m.core.controlFlags |= ControlFlag::kPauseRequest;
    m.RunCycles(20);
    ASSERT_EQ(m.stops, std::vector<std::uint32_t>{kPauseCode});
    EXPECT_EQ(m.stopPcs[0], kIdle);
}

TEST_P(RunLoopTest, ExitRequestedDuringAPauseEndsTheRun) {
    struct ExitOnPause : MachineFixture {
        bool PostStop(std::uint32_t code) override {
            core.controlFlags |= ControlFlag::kExitRequest;
            return MachineFixture::PostStop(code);
        }
    } host;
    LoadTicker(host, GetParam());
    host.core.controlFlags |= ControlFlag::kPauseRequest;
    EXPECT_EQ(simcpu::Run(host.core), RunResult::Ended);
    EXPECT_EQ(host.stops, std::vector<std::uint32_t>{kPauseCode});
}

INSTANTIATE_TEST_SUITE_P(Interpreters, RunLoopTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fast" : "Checked"; });

TEST(ReinitialiseTest, KeepsTheBreakpointTablesAndRecomputesTheWakeFlag) {
    MachineFixture m;
    LoadTicker(m, false);
    std::uint32_t entry = 0xE0000000u | BreakEntry::kPlaced | 0x8001;
    m.block().first_table[0] = entry;
    m.block().second_table[0] = 0xEC010000u;
    m.core.controlFlags |= ControlFlag::kWakeKeys | ControlFlag::kLcdRotated;
    m.core.resetRequest = ResetKind::kReinitialise;

    Reinitialise(m.core);

    EXPECT_EQ(m.block().first_table[0], entry & ~BreakEntry::kPlaced);
    EXPECT_EQ(m.block().second_table[0], 0xEC010000u);
    EXPECT_FALSE(m.core.controlFlags & ControlFlag::kWakeKeys);  // the key list starts empty
    EXPECT_TRUE(m.core.controlFlags & ControlFlag::kLcdRotated);
    EXPECT_EQ(m.core.resetRequest, ResetKind::kNone);
    EXPECT_EQ(m.regs().pc, 0x8000);

    // The kept entry still stops the checked interpreter.
    m.RunCycles(20);
    ASSERT_FALSE(m.stops.empty());
    EXPECT_EQ(m.stops[0], 0x80010000u);
}

}  // namespace
}  // namespace simcpu::testing
