// One small machine per CPU exception: the address reported, the value used
// when the user goes on, and where PC goes next.
#include <functional>
#include <gtest/gtest.h>

#include "simulator/cpu/run_control.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

struct ExceptionCase {
    const char* name;
    MachineOptions options;
    std::uint16_t at;  // where the instruction lies
    std::vector<std::uint8_t> code;
    std::function<void(MachineFixture&)> prepare;
    RaisedException expected;
    std::uint16_t nextPc;
    std::function<void(MachineFixture&)> check;  // the substitute value at work
};

void PrintTo(const ExceptionCase& c, std::ostream* os) { *os << c.name; }

class ExceptionTest : public ::testing::TestWithParam<ExceptionCase> {};

TEST_P(ExceptionTest, ReportsAndGoesOn) {
    const ExceptionCase& c = GetParam();
    MachineFixture m(c.options);
    m.Poke(c.at, c.code);
    m.regs().pc = c.at;
    m.regs().s = 0xF0;
    if (c.prepare) c.prepare(m);
    EXPECT_EQ(m.StepOnce(), StepOutcome::Ran);
    EXPECT_EQ(m.exceptions, (std::vector<RaisedException>{c.expected}));
    EXPECT_EQ(m.regs().pc, c.nextPc);
    c.check(m);
}

const MachineOptions kNoExternal{.externalRam = 0};
const MachineOptions kFlat{.flatRam = true};
const MachineOptions kHugeLcd{.lcdWidth = 2048, .lcdHeight = 200};

INSTANTIATE_TEST_SUITE_P(
    Codes, ExceptionTest,
    ::testing::Values(ExceptionCase{"ReadWithoutRight",
                                    kNoExternal,
                                    0x0200,
                                    {0xAD, 0x00, 0x40},
                                    nullptr,
                                    {0x4000, 1},
                                    0x0203,
                                    [](MachineFixture& m) {
                                        EXPECT_EQ(m.regs().a, 0xFF);
                                        EXPECT_TRUE(m.regs().run_flags & formats::RunFlag::kAccessRefused);
                                    }},
                      ExceptionCase{"OperandByteUnreadable",
                                    kNoExternal,
                                    0x3FFE,
                                    {0xAD, 0x00},
                                    nullptr,
                                    {0x4000, 1},
                                    0x4001,
                                    [](MachineFixture& m) { EXPECT_EQ(m.core.operandAddress, 0xFF00); }},
                      ExceptionCase{"WriteWithoutRight",
                                    {},
                                    0x0200,
                                    {0x8D, 0x00, 0x80},
                                    [](MachineFixture& m) { m.regs().a = 0x12; },
                                    {0x8000, 2},
                                    0x0203,
                                    [](MachineFixture& m) {
                                        EXPECT_EQ(m.rom[0], 0x00);
                                        EXPECT_EQ(m.core.scratch[0], 0x12);
                                    }},
                      ExceptionCase{"InvalidOpcode",
                                    {},
                                    0x0200,
                                    {0x02},
                                    nullptr,
                                    {0x0200, 3},
                                    0x0201,
                                    [](MachineFixture& m) { EXPECT_EQ(m.core.cycles, 0); }},
                      ExceptionCase{"BytesPast64K",
                                    kFlat,
                                    0xFFFE,
                                    {0xAD, 0x34},
                                    [](MachineFixture& m) { m.Poke(0xFF34, {0x66}); },
                                    {0x0000, 4},
                                    0x0001,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x66); }},
                      ExceptionCase{"IndirectPointerAtFFFF",
                                    kFlat,
                                    0x0200,
                                    {0x6C, 0xFF, 0xFF},
                                    [](MachineFixture& m) { m.Poke(0xFFFF, {0x12}), m.Poke(0x0000, {0x34}); },
                                    {0x0000, 4},
                                    0x3412,
                                    [](MachineFixture&) {}},
                      ExceptionCase{"ZeroPageIndexedAtFF",
                                    {},
                                    0x0200,
                                    {0xB5, 0xFF},
                                    [](MachineFixture& m) { m.regs().x = 1, m.Poke(0x0100, {0x5C}); },
                                    {0x0100, 5},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x5C); }},
                      ExceptionCase{"ZeroPageIndexedSumIsFF",
                                    {},
                                    0x0200,
                                    {0xB5, 0xFF},
                                    [](MachineFixture& m) { m.Poke(0x00FF, {0x3C}); },
                                    {0x00FF, 5},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x3C); }},
                      ExceptionCase{"IndexedIndirectPointerAtFF",
                                    {},
                                    0x0200,
                                    {0xA1, 0xF0},
                                    [](MachineFixture& m) {
                                        m.regs().x = 0x10, m.Poke(0x0100, {0x90, 0x00, 0x00}), m.Poke(0x90, {0x4D});
                                    },
                                    {0x0100, 5},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x4D); }},
                      ExceptionCase{"IndirectIndexedPointerAtFF",
                                    {},
                                    0x0200,
                                    {0xB1, 0xFF},
                                    [](MachineFixture& m) {
                                        m.Poke(0x00FF, {0x90}), m.Poke(0x0100, {0x00}), m.Poke(0x90, {0x4E});
                                    },
                                    {0x00FF, 5},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x4E); }},
                      ExceptionCase{"IndirectIndexedPast64K",
                                    {},
                                    0x0200,
                                    {0xB1, 0x80},
                                    [](MachineFixture& m) {
                                        m.regs().y = 0xA0, m.Poke(0x80, {0xF0, 0xFF}), m.Poke(0x90, {0x42});
                                    },
                                    {0xFFF0, 6},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.regs().a, 0x42); }},
                      ExceptionCase{"StackUnderflow",
                                    {},
                                    0x0200,
                                    {0x68},
                                    [](MachineFixture& m) { m.regs().s = 0xFF, m.Poke(0x0100, {0x21}); },
                                    {0x0200, 8},
                                    0x0201,
                                    [](MachineFixture& m) {
                                        EXPECT_EQ(m.regs().a, 0x21);
                                        EXPECT_EQ(m.regs().s, 0x00);
                                    }},
                      ExceptionCase{"StackOverflow",
                                    {},
                                    0x0200,
                                    {0x20, 0x34, 0x12},
                                    [](MachineFixture& m) { m.regs().s = 0x00; },
                                    {0x0200, 9},
                                    0x1234,
                                    [](MachineFixture& m) {
                                        EXPECT_EQ(m.regs().s, 0xFE);
                                        EXPECT_EQ(m.Peek(0x0100), 0x02);  // high byte of $0202 at the old S
                                        EXPECT_EQ(m.Peek(0x01FF), 0x02);  // low byte wrapped to $01FF
                                    }},
                      ExceptionCase{"LcdBufferOverflow",
                                    kHugeLcd,
                                    0x0200,
                                    {0x85, 0x06},
                                    [](MachineFixture& m) { m.WriteIo(0x0C, 3), m.regs().a = 0xFF; },
                                    {0x0200, 10},
                                    0x0202,
                                    [](MachineFixture& m) { EXPECT_EQ(m.core.lcdStart, 0x3FF0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExceptionAnswerTest, StopEndsTheRun) {
    MachineFixture m;
    m.exceptionAnswer = ExceptionAnswer::Stop;
    m.Load(0x0200, {0x02});
    EXPECT_EQ(m.StepOnce(), StepOutcome::Ended);
    EXPECT_FALSE(m.regs().run_flags & formats::RunFlag::kRunning);
    EXPECT_EQ(m.regs().pc, 0x0200);
}

TEST(ExceptionAnswerTest, IgnoreThisKindAndIgnoreAll) {
    MachineFixture m({.externalRam = 0});
    m.exceptionAnswer = ExceptionAnswer::IgnoreThisKind;
    m.Load(0x0200, {0xAD, 0x00, 0x40, 0xAD, 0x00, 0x40, 0x8D, 0x00, 0x80, 0x02});
    for (int i = 0; i < 3; ++i) m.StepOnce();
    EXPECT_EQ(m.exceptions, (std::vector<RaisedException>{{0x4000, 1}, {0x8000, 2}}));
    EXPECT_EQ(m.regs().a, 0xFF);  // the second refused read still gives $FF

    m.exceptionAnswer = ExceptionAnswer::IgnoreAll;
    m.StepOnce();  // asked once more (code 3), then nothing is asked
    m.Load(0x0200, {0x02, 0x02});
    m.StepOnce();
    m.StepOnce();
    EXPECT_EQ(m.exceptions.size(), 3u);
}

TEST(ExceptionAnswerTest, StopRequestEndsWithoutAsking) {
    MachineFixture m;
    m.core.controlFlags |= ControlFlag::kExitRequest;
    m.Load(0x0200, {0x02});
    EXPECT_EQ(m.StepOnce(), StepOutcome::Ended);
    EXPECT_TRUE(m.exceptions.empty());
}

TEST(ExceptionAnswerTest, OperandInfoIsFilledBeforeAsking) {
    formats::TargetRegisterBlock seen{};
    struct Recorder : MachineFixture {
        using MachineFixture::MachineFixture;
        formats::TargetRegisterBlock* seen = nullptr;
        ExceptionAnswer AskException(std::uint16_t address, int code) override {
            *seen = regs();
            return MachineFixture::AskException(address, code);
        }
    } r({.externalRam = 0});
    r.seen = &seen;
    r.Load(0x0200, {0xBD, 0x00, 0x40});  // LDA $4000,X
    r.regs().x = 2;
    r.StepOnce();
    EXPECT_EQ(seen.operand_address, 0x4002);
    EXPECT_EQ(seen.operand_flags, formats::OperandFlag::kAddressValid);  // address known, value unreadable
}

TEST(ExceptionTextTest, DialogTexts) {
    EXPECT_EQ(ExceptionText(0), "Simulator execution suspend by user !");
    EXPECT_EQ(ExceptionText(5), "Zero page indirect accross zero page boundary !");
    EXPECT_EQ(ExceptionText(10), "LCD buffer overflow !");
    EXPECT_EQ(ExceptionText(11), "");
}

}  // namespace
}  // namespace simcpu::testing
