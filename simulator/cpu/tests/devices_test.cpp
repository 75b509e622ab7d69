// The key matrix, the flash command machine and the I/O registers' side effects.
#include <gtest/gtest.h>

#include "simulator/cpu/flash.h"
#include "simulator/cpu/keyboard.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

using formats::CpuStateBit::kCounterRuns;
using formats::CpuStateBit::kHalted;
using formats::RunFlag::kIrqPending;
using formats::RunFlag::kNmiPending;

// Key code bytes b0 b1 b2 b3: b0 lines on the $08 side, b2 on the $09 side,
// b1 and b3 wake flags.
constexpr std::uint32_t KeyCode(std::uint8_t lines08, std::uint8_t lines09, std::uint8_t wake1 = 0,
                                std::uint8_t wake3 = 0) {
    return lines08 | wake1 << 8 | lines09 << 16 | static_cast<std::uint32_t>(wake3) << 24;
}

struct KeyFixture : MachineFixture {
    KeyFixture() { regs().run_flags |= formats::RunFlag::kRunning; }

    // LDA reg through the interpreter, as a program reads it.
    std::uint8_t Read(std::uint8_t reg) {
        Load(0x0200, {0xA5, reg});
        StepOnce();
        return regs().a;
    }
};

TEST(KeyMatrixTest, LinesReadBackThroughTheOtherSide) {
    KeyFixture m;
    KeyInput(m.core, KeyCode(0x01, 0x02), true);
    KeyInput(m.core, KeyCode(0x10, 0x40), true);
    const struct {
        std::uint8_t driven09, read08;
    } reads08[] = {{0x02, 0x01}, {0x40, 0x10}, {0x42, 0x11}, {0x04, 0x00}};
    for (auto c : reads08) {
        m.WriteIo(0x09, c.driven09);
        EXPECT_EQ(m.Read(0x08), c.read08) << int(c.driven09);
    }
    m.WriteIo(0x08, 0x10);
    EXPECT_EQ(m.Read(0x09), 0x40);
    KeyInput(m.core, KeyCode(0x10, 0x40), false);
    EXPECT_EQ(m.Read(0x09), 0x00);
}

TEST(KeyMatrixTest, ListLimitsAndRepeats) {
    KeyFixture m;
    for (int i = 0; i < 63; ++i) KeyInput(m.core, KeyCode(static_cast<std::uint8_t>(i + 1), 1), true);
    KeyInput(m.core, KeyCode(0x80, 0x80), true);  // the 64th key
    EXPECT_EQ(m.core.keyList.keyCount, 63);
    m.WriteIo(0x09, 0x80);
    EXPECT_EQ(m.Read(0x08), 0x00);

    KeyInput(m.core, KeyCode(5, 1), true);  // already held
    EXPECT_EQ(m.core.keyList.keyCount, 63);
    KeyInput(m.core, KeyCode(0x77, 0x77), false);  // not held
    EXPECT_EQ(m.core.keyList.keyCount, 63);
    KeyInput(m.core, KeyCode(1, 1), false);
    EXPECT_EQ(m.core.keyList.keyCount, 62);
    EXPECT_EQ(m.core.keyList.keys[0], (KeyEntry{63, 1, 0, 0}));  // the last entry took its place
}

TEST(KeyMatrixTest, IgnoredWhileTheCoreIsNotRunning) {
    MachineFixture m;
    KeyInput(m.core, KeyCode(1, 1), true);
    EXPECT_EQ(m.core.keyList.keyCount, 0);
}

TEST(KeyLineTest, WakeKeysAndPowerKey) {
    KeyFixture m;
    EXPECT_EQ(m.Read(0x0B) & 1, 1);
    KeyInput(m.core, KeyCode(0x01, 0x02, /*wake1=*/1), true);
    EXPECT_EQ(m.core.keyList.wakeKeyCount, 1);
    EXPECT_TRUE(m.core.controlFlags & ControlFlag::kWakeKeys);
    EXPECT_EQ(m.Read(0x0B) & 1, 0);  // its $09 line is not driven
    m.WriteIo(0x09, 0x02);
    EXPECT_EQ(m.Read(0x0B) & 1, 1);
    EXPECT_EQ(m.block().write_latches[0x0B] & 1, 1);  // the key line stays in the write latch

    KeyInput(m.core, KeyCode(0x01, 0x02, 1), false);
    EXPECT_EQ(m.core.keyList.wakeKeyCount, 0);
    EXPECT_FALSE(m.core.controlFlags & ControlFlag::kWakeKeys);

    KeyInput(m.core, KeyCode(0x04, 0x00, 0, /*wake3=*/1), true);
    EXPECT_EQ(m.Read(0x0B) & 1, 0);
    m.WriteIo(0x08, 0x04);
    EXPECT_EQ(m.Read(0x0B) & 1, 1);

    m.core.controlFlags |= ControlFlag::kPowerKey;
    EXPECT_EQ(m.Read(0x0B) & 1, 0);
}

// Flash operations: a write (command byte) or a read at an external RAM offset.
struct FlashOp {
    char kind;  // 'W' or 'R'
    std::uint32_t offset;
    std::uint8_t byte;  // the byte written, or the byte a read must give (0 = memory)
};

struct FlashCase {
    const char* name;
    std::vector<FlashOp> ops;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> memory;  // expected bytes afterwards
    std::uint8_t state;
};

void PrintTo(const FlashCase& c, std::ostream* os) { *os << c.name; }

class FlashTest : public ::testing::TestWithParam<FlashCase> {};

TEST_P(FlashTest, Commands) {
    const FlashCase& c = GetParam();
    MachineFixture m({.externalRam = 0x10000});
    std::fill(m.core.externalRam, m.core.externalRam + 0x10000, 0xF0);
    for (const FlashOp& op : c.ops) {
        if (op.kind == 'W') {
            FlashCommand(m.core, op.offset, op.byte);
        } else {
            auto id = FlashRead(m.core, op.offset);
            EXPECT_EQ(id.value_or(0), op.byte) << std::hex << op.offset;
        }
    }
    for (auto [offset, byte] : c.memory) EXPECT_EQ(m.core.externalRam[offset], byte) << std::hex << offset;
    EXPECT_EQ(m.core.flashState, c.state);
}

const FlashOp kUnlock1{'W', 0x5555, 0xAA}, kUnlock2{'W', 0x2AAA, 0x55};

INSTANTIATE_TEST_SUITE_P(
    Sequences, FlashTest,
    ::testing::Values(
        FlashCase{"StoreWithoutUnlock", {{'W', 0x100, 0x00}}, {{0x100, 0xF0}}, 0},
        FlashCase{"ProgramAndsBits",
                  {kUnlock1, kUnlock2, {'W', 0x5555, 0xA0}, {'W', 0x100, 0x0F}},
                  {{0x100, 0x00}, {0x101, 0xF0}},
                  0},
        FlashCase{"ProgramThroughAnotherSlot",
                  {{'W', 0xD555, 0xAA}, {'W', 0xAAAA, 0x55}, {'W', 0x5555, 0xA0}, {'W', 0x100, 0x30}},
                  {{0x100, 0x30}},
                  0},
        FlashCase{"ProgramIsOneByte",
                  {kUnlock1, kUnlock2, {'W', 0x5555, 0xA0}, {'W', 0x100, 0xF0}, {'W', 0x101, 0x00}},
                  {{0x101, 0xF0}},
                  0},
        FlashCase{
            "SectorErase",
            {{'W', 0x1234, 0x00}, kUnlock1, kUnlock2, {'W', 0x5555, 0x80}, kUnlock1, kUnlock2, {'W', 0x1234, 0x30}},
            {{0x0FFF, 0xF0}, {0x1000, 0xFF}, {0x1FFF, 0xFF}, {0x2000, 0xF0}},
            0},
        FlashCase{"ChipErase",
                  {kUnlock1, kUnlock2, {'W', 0x5555, 0x80}, kUnlock1, kUnlock2, {'W', 0x5555, 0x10}},
                  {{0x0000, 0xFF}, {0xFFFF, 0xFF}},
                  0},
        FlashCase{"IdentificationMode",
                  {kUnlock1,
                   kUnlock2,
                   {'W', 0x5555, 0x90},
                   {'R', 0x1000, 0xBF},
                   {'R', 0x3001, 0xD7},
                   {'R', 0x1002, 0},
                   {'W', 0x100, 0x12}},
                  {{0x100, 0xF0}},
                  0x80},
        FlashCase{"IdentificationModeEnds",
                  {kUnlock1, kUnlock2, {'W', 0x5555, 0x90}, {'W', 0x0, 0xF0}, {'R', 0x1000, 0}},
                  {},
                  0},
        FlashCase{"ReadResetsTheSequence",
                  {kUnlock1, {'R', 0x200, 0}, kUnlock2, {'W', 0x5555, 0xA0}, {'W', 0x100, 0x00}},
                  {{0x100, 0xF0}},
                  0},
        FlashCase{"WrongAddressClears", {kUnlock1, {'W', 0x2AAB, 0x55}}, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlashRoutingTest, StoresAndLoadsGoThroughTheMachine) {
    MachineFixture m;
    // STA $4100 without unlocking: caught, memory unchanged.
    m.Load(0x0200, {0xA9, 0x12, 0x8D, 0x00, 0x41});
    m.StepOnce();
    m.StepOnce();
    EXPECT_TRUE(m.regs().run_flags & formats::RunFlag::kFlashStore);
    EXPECT_EQ(m.core.externalRam[0x4100], 0x00);
    // Identification mode, then LDA from offset 0x5000 of the external RAM.
    m.core.flashState = 0x80;
    m.Load(0x0200, {0xAD, 0x00, 0x50});
    m.StepOnce();
    EXPECT_EQ(m.regs().a, 0xBF);
}

TEST(IoRegisterTest, ReadsOfCounterAndStatus) {
    KeyFixture m;
    m.block().write_latches[0x02] = 0x33;
    EXPECT_EQ(m.Read(0x05), 0x33);
    EXPECT_EQ(m.regs().cpu_state & kCounterRuns, kCounterRuns);
    m.regs().state_change = 0x5A;
    EXPECT_EQ(m.Read(0x04), 0x33);
    EXPECT_EQ(m.regs().cpu_state & kCounterRuns, 0);
    EXPECT_EQ(m.regs().state_change, 0);

    m.block().read_latches[0x01] = 0xFF;
    EXPECT_EQ(m.Read(0x01), 0xFF);
    EXPECT_EQ(m.block().read_latches[0x01], 0xC0);

    EXPECT_EQ(m.Read(0x0C), 0x08);
    m.WriteIo(0x01, 0x10);
    EXPECT_EQ(m.Read(0x0C), 0x0C);
}

TEST(IoRegisterTest, PlainRegistersAndReadModifyWrite) {
    KeyFixture m;
    m.Load(0x0200, {0xA9, 0x21, 0x85, 0x10, 0xA5, 0x10, 0xE6, 0x10});  // LDA #$21 / STA $10 / LDA $10 / INC $10
    m.block().read_latches[0x10] = 5;
    m.StepOnce();
    m.StepOnce();
    EXPECT_EQ(m.block().write_latches[0x10], 0x21);
    m.StepOnce();
    EXPECT_EQ(m.regs().a, 5);  // reads give the read latch
    m.StepOnce();
    EXPECT_EQ(m.block().write_latches[0x10], 6);
    EXPECT_TRUE(m.regs().run_flags & formats::RunFlag::kIoReadModifyWrite);
}

TEST(IoRegisterTest, HaltTimerAndNmi) {
    MachineFixture m;
    m.WriteIo(0x05, 0xE0);
    EXPECT_EQ(m.regs().cpu_state & kHalted, kHalted);
    m.WriteIo(0x05, 0x60);
    EXPECT_EQ(m.regs().cpu_state & kHalted, 0);

    m.WriteIo(0x04, 0x01);
    m.core.timerCountdown = 5;
    m.regs().run_flags |= kIrqPending;
    m.block().read_latches[0x01] = 0x08;
    m.WriteIo(0x04, 0x02);  // nonzero to nonzero: nothing
    EXPECT_EQ(m.core.timerCountdown, 5u);
    m.WriteIo(0x04, 0x00);
    EXPECT_EQ(m.core.timerCountdown, m.core.timerPeriod);
    EXPECT_FALSE(m.regs().run_flags & kIrqPending);
    EXPECT_EQ(m.block().read_latches[0x01], 0);

    m.regs().run_flags |= kNmiPending;
    m.core.nmiCountdown = 7;
    m.WriteIo(0x01, 0x10);
    EXPECT_FALSE(m.regs().run_flags & kNmiPending);
    EXPECT_EQ(m.core.nmiCountdown, m.core.nmiPeriod);
}

TEST(IoRegisterTest, LcdStartAddress) {
    MachineFixture m({.lcdWidth = 160, .lcdHeight = 80});
    m.WriteIo(0x06, 0xFF);
    m.WriteIo(0x0C, 0x03);
    EXPECT_EQ(m.core.lcdStart, 0x3FF0);
    const std::pair<std::uint8_t, std::uint16_t> modes[] = {{0x20, 0x1FF0}, {0x40, 0x0FF0}, {0x60, 0x07F0}};
    for (auto [mode, start] : modes) {
        m.WriteIo(0x0B, mode);
        EXPECT_EQ(m.core.lcdStart, start) << int(mode);
    }
}

}  // namespace
}  // namespace simcpu::testing
