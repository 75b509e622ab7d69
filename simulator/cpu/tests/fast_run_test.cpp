// The fast interpreter against the checked one, and where the two differ by design.
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

#include "simulator/cpu/alu.h"
#include "simulator/cpu/tests/interpreter_agreement.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

constexpr std::uint8_t kD = formats::RegisterP::kD;

std::vector<std::uint8_t> ReadSelfTestRom() {
    std::ifstream in(SELFTEST_ROM_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FastRunTest, SelfTestRomReachesThePassAddress) {
    MachineFixture m;
    std::vector<std::uint8_t> image = ReadSelfTestRom();
    ASSERT_EQ(image.size(), m.rom.size()) << SELFTEST_ROM_PATH;
    std::copy(image.begin(), image.end(), m.rom.begin());
    InitMachine(m.core, InitOption::kColdStart | InitOption::kFastInterpreter);
    m.WriteIo(0x01, 0x10);  // the self-test takes no NMI

    m.RunCycles(2'000'000);
    EXPECT_EQ(m.regs().pc, 0xFF00) << "failed check " << int(m.regs().a) << " at 0x" << std::hex << m.regs().pc;
    const formats::TargetRing& ring = m.block().device_to_host;
    EXPECT_EQ(std::vector<std::uint8_t>(ring.data, ring.data + 5), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
}

TEST(FastRunTest, DocumentedDifferencesFromTheCheckedInterpreter) {
    // A store into the ROM lands there; an invalid opcode is a free one-byte
    // instruction; 257 pushes wrap the stack over the first pushed byte.
    MachineFixture m;
    m.UseFast(true);
    m.Load(0x0300, {0x8D, 0x00, 0x80, 0x02, 0xEA});  // STA $8000; opcode $02; NOP
    m.regs().a = 0x5A;
    m.core.cycleCount = 0;
    m.RunCycles(1);
    EXPECT_EQ(m.rom[0], 0x5A);
    EXPECT_EQ(m.regs().pc, 0x0303);
    std::uint64_t before = m.core.cycleCount;
    m.RunCycles(1);
    EXPECT_EQ(m.regs().pc, 0x0305);
    EXPECT_EQ(m.core.cycleCount, before + 2);  // the invalid opcode took no cycles, the NOP two
    EXPECT_TRUE(m.exceptions.empty());

    MachineFixture pushes;
    pushes.UseFast(true);
    // LDA #$AA; PHA; LDA #0; loop: PHA; INX; BNE loop; JMP *
    pushes.Load(0x0300, {0xA9, 0xAA, 0x48, 0xA9, 0x00, 0x48, 0xE8, 0xD0, 0xFC, 0x4C, 0x09, 0x03});
    pushes.regs().s = 0xFF;
    pushes.regs().x = 0;
    pushes.RunCycles(3000);
    EXPECT_EQ(pushes.regs().pc, 0x0309);
    EXPECT_EQ(pushes.regs().s, 0xFE);
    EXPECT_EQ(pushes.Peek(0x01FF), 0x00);  // the 257th push (A = 0) over the first (0xAA)
    EXPECT_TRUE(pushes.exceptions.empty());
}

TEST(FastRunTest, DecimalAddAgreesOnEveryPairOfBcdDigits) {
    auto bcd = [](int n) { return static_cast<std::uint8_t>((n / 10) << 4 | n % 10); };
    for (int a = 0; a < 100; ++a) {
        for (int m = 0; m < 100; ++m) {
            for (std::uint8_t carry : {0, 1}) {
                formats::TargetRegisterBlock digitwise{}, nibbles{};
                digitwise.a = nibbles.a = bcd(a);
                digitwise.p = nibbles.p = static_cast<std::uint8_t>(kD | carry);
                AddDecimal(digitwise, bcd(m));
                AddDecimalHighNibbles(nibbles, bcd(m));
                ASSERT_EQ(digitwise.a, nibbles.a) << a << " + " << m << " + " << int(carry);
                ASSERT_EQ(digitwise.p, nibbles.p) << a << " + " << m << " + " << int(carry);
                ASSERT_EQ(nibbles.a, bcd((a + m + carry) % 100));
            }
        }
    }
}

// One random instruction on a random machine state, run by both interpreters.
struct RandomState {
    std::uint32_t seed;

    void Apply(MachineFixture& m) const {
        std::mt19937 rng(seed);
        auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
        std::generate(m.core.internalRam, m.core.internalRam + m.core.internalRamSize, byte);
        std::uint16_t pc = static_cast<std::uint16_t>(0x0200 + rng() % 0xFD00);
        m.regs().pc = pc;
        m.regs().a = byte();
        m.regs().x = byte();
        m.regs().y = byte();
        m.regs().s = byte();
        m.regs().p = byte();
    }
};

MachineOptions FlatMachine() {
    MachineOptions options;
    options.flatRam = true;
    options.externalRam = 0;
    return options;
}

TEST(FastRunTest, AgreesWithTheCheckedInterpreterOnRandomInstructions) {
    int compared = 0;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        RandomState state{seed};
        MachineFixture checked(FlatMachine()), fast(FlatMachine());
        state.Apply(checked);
        state.Apply(fast);
        fast.UseFast(true);
        const InstructionStart start = StartOf(checked);
        checked.RunCycles(1);
        fast.RunCycles(1);
        if (DiffersByDesign(start, checked)) continue;
        ++compared;
        ASSERT_EQ(Disagreement(checked, fast), "") << "seed " << seed;
    }
    EXPECT_GT(compared, 1500);
}

}  // namespace
}  // namespace simcpu::testing
