// Execute and data breakpoints from both tables, ranges and banked entries.
#include <gtest/gtest.h>

#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

struct Stop {
    std::uint32_t code;
    std::uint16_t pc;
    bool operator==(const Stop&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Stop& s) {
    return os << std::hex << "{code 0x" << s.code << ", pc 0x" << s.pc << "}";
}

std::vector<Stop> StopsOf(const MachineFixture& m) {
    std::vector<Stop> stops;
    for (std::size_t i = 0; i < m.stops.size(); ++i) stops.push_back({m.stops[i], m.stopPcs[i]});
    return stops;
}

// In internal RAM at $0200:   LDA #1 / STA $0300 / LDA $0300 / NOP
// In external RAM at $4000:   LDA #1 / NOP / NOP / NOP
const std::initializer_list<std::uint8_t> kProgram = {0xA9, 0x01, 0x8D, 0x00, 0x03, 0xAD, 0x00, 0x03, 0xEA};
const std::initializer_list<std::uint8_t> kFlashProgram = {0xA9, 0x01, 0xEA, 0xEA, 0xEA};

struct BreakCase {
    const char* name;
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> second;
    bool inFlash;
    std::vector<Stop> expected;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class BreakpointTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(BreakpointTest, Stops) {
    const BreakCase& c = GetParam();
    MachineFixture m;
    if (c.inFlash) {
        m.Load(0x4000, kFlashProgram);
    } else {
        m.Load(0x0200, kProgram);
    }
    std::copy(c.first.begin(), c.first.end(), m.block().first_table);
    std::copy(c.second.begin(), c.second.end(), m.block().second_table);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(m.StepOnce(), StepOutcome::Ran);
    EXPECT_EQ(StopsOf(m), c.expected);
    EXPECT_EQ(m.regs().pc, c.inFlash ? 0x4005 : 0x0209);  // a stop never changes the program's course
}

constexpr std::uint32_t kSecond = 0x8000;

INSTANTIATE_TEST_SUITE_P(
    Tables, BreakpointTest,
    ::testing::Values(
        BreakCase{"ExecuteBefore", {0xE0000202}, {}, false, {{0x02020000, 0x0202}}},
        BreakCase{"ExecuteAfter", {0xF0000202}, {}, false, {{0x02020000, 0x0205}}},
        BreakCase{"BeforeThenAfterAtOnePlace",
                  {0xE0000202, 0xF0000202},
                  {},
                  false,
                  {{0x02020000, 0x0202}, {0x02020001, 0x0205}}},
        BreakCase{"DataWritesOnly", {0xC0000300}, {}, false, {{0x02020000, 0x0205}}},
        BreakCase{"DataReadsToo", {0xD0000300}, {}, false, {{0x02020000, 0x0205}, {0x02050000, 0x0208}}},
        BreakCase{"DataRange", {0xC10002FF, 0xC0000301}, {}, false, {{0x02020000, 0x0205}}},
        BreakCase{"DataRangeMissed", {0xD1000301, 0xC0000310}, {}, false, {}},
        BreakCase{"ExecuteRange", {0xE1000203, 0xE0000208}, {}, false, {{0x02050000, 0x0205}, {0x02080000, 0x0208}}},
        BreakCase{"RangeWithoutEnd", {0xE1000205}, {}, false, {{0x02050000, 0x0205}}},
        BreakCase{"SecondTable", {}, {0xE0000205}, false, {{0x02050000 | kSecond, 0x0205}}},
        BreakCase{"BothTablesFirstWins", {0xE0000205}, {0xE0000205}, false, {{0x02050000, 0x0205}}},
        BreakCase{"UnarmedSkipped", {0xA0000202, 0xE0000205}, {}, false, {{0x02050001, 0x0205}}},
        BreakCase{"EndsAtFirstInvalid",
                  {0x00000000, 0xE0000202},
                  {0xE0000208, 0, 0xE0000205},
                  false,
                  {{0x02080000 | kSecond, 0x0208}}},
        BreakCase{"ExecuteEntryIgnoresData", {0xE0000300}, {}, false, {}},
        BreakCase{"BankedLineBreakpoint", {0xEC004002}, {}, true, {{0x40020000, 0x4002}}},
        BreakCase{"BankedOtherBank", {0xEC014002}, {}, true, {}},
        BreakCase{"BankedRomBankZero", {0xE8004002}, {}, true, {{0x40020000, 0x4002}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BreakpointResumeTest, MovedPcStartsTheStepOver) {
    struct MovingHost : MachineFixture {
        bool PostStop(std::uint32_t code) override {
            MachineFixture::PostStop(code);
            regs().pc = 0x0208;
            return true;
        }
    } m;
    m.Load(0x0200, kProgram);
    m.block().first_table[0] = 0xE0000202;
    m.StepOnce();
    m.StepOnce();
    EXPECT_EQ(m.regs().pc, 0x0209);
    EXPECT_EQ(m.Peek(0x0300), 0x00);  // the STA never ran
}

TEST(BreakpointResumeTest, RefusedStopEndsTheRun) {
    MachineFixture m;
    m.resumeAfterStop = false;
    m.Load(0x0200, kProgram);
    m.block().first_table[0] = 0xE0000200;
    EXPECT_EQ(m.StepOnce(), StepOutcome::Ended);
    EXPECT_EQ(m.regs().pc, 0x0200);
}

TEST(BreakpointPlaceTest, EntriesArePlacedOnceAndAgainWhenRewritten) {
    MachineFixture m;
    m.Load(0x0200, kProgram);
    m.block().first_table[0] = 0xE0000208;
    m.StepOnce();
    EXPECT_EQ(m.block().first_table[0], 0xE2000208u);  // placed and cached
    m.block().first_table[0] = 0xE0000205;             // the IDE moves it
    m.StepOnce();
    m.StepOnce();
    EXPECT_EQ(StopsOf(m), (std::vector<Stop>{{0x02050000, 0x0205}}));
}

TEST(BreakpointPlaceTest, PlainEntriesFollowTheMapAtPlacing) {
    MachineFixture m;
    m.Load(0x0200, {0xAD, 0x00, 0x40, 0x85, 0x00, 0xAD, 0x00, 0x40});  // LDA $4000 / STA $00 / LDA $4000
    m.block().first_table[0] = 0xD0004000;  // placed at external RAM 0x4000 on its first check
    m.regs().a = 0;
    m.StepOnce();
    m.regs().a = 1;
    m.StepOnce();  // bank 1 now shows ROM at $4000: the cached place no longer shows there
    m.StepOnce();
    EXPECT_EQ(StopsOf(m), (std::vector<Stop>{{0x02000000, 0x0203}}));
}

}  // namespace
}  // namespace simcpu::testing
