// The project's CPU self-test ROM, assembled at build time, run in the checked
// interpreter until it reaches its pass or fail address.
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

#include "simulator/cpu/opcode_table.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

constexpr std::uint16_t kPass = 0xFF00;
constexpr std::uint16_t kFail = 0xFF10;

std::vector<std::uint8_t> ReadRom() {
    std::ifstream in(SELFTEST_ROM_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SelfTestRomTest, ReachesThePassAddress) {
    MachineFixture m;
    std::vector<std::uint8_t> image = ReadRom();
    ASSERT_EQ(image.size(), m.rom.size()) << SELFTEST_ROM_PATH;
    std::copy(image.begin(), image.end(), m.rom.begin());
    InitMachine(m.core, InitOption::kColdStart);

    std::set<std::uint8_t> executed;
    std::uint16_t lastPc = 0;
    int steps = 0;
    while (steps < 100000 && m.regs().pc != kPass && m.regs().pc != kFail) {
        lastPc = m.regs().pc;
        executed.insert(m.Peek(m.regs().pc));
        ASSERT_EQ(m.StepOnce(), StepOutcome::Ran);
        ++steps;
    }
    for (const RaisedException& e : m.exceptions)
        ADD_FAILURE() << "exception " << e.code << " at 0x" << std::hex << e.address;
    ASSERT_NE(m.regs().pc, kFail) << "failed check " << int(m.regs().a) << ", jumping from 0x" << std::hex << lastPc;
    ASSERT_EQ(m.regs().pc, kPass) << "stuck at 0x" << std::hex << m.regs().pc;

    // Every valid opcode ran at least once.
    for (int opcode = 0; opcode < 256; ++opcode) {
        if (OpcodeTable()[opcode].op() != Op::Invalid && !executed.count(static_cast<std::uint8_t>(opcode))) {
            ADD_FAILURE() << "opcode 0x" << std::hex << opcode << " never ran";
        }
    }

    // The queue opcodes put 1..5 for the host and refused the sixth.
    const formats::TargetRing& ring = m.block().device_to_host;
    EXPECT_EQ(std::vector<std::uint8_t>(ring.data, ring.data + 5), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(ring.full, 1);
    EXPECT_GE(m.queueWaits, 2);
}

}  // namespace
}  // namespace simcpu::testing
