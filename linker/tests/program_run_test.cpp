// The golden program run on the device's CPU core: packed by the stand-in
// packer, its banks placed in external RAM slots as the download leaves them,
// entered through reset. Far calls in both directions, the init_data copy and
// the pulled and every-bank library routines must all do their work.
#include <gtest/gtest.h>

#include "formats/byte_reader.h"
#include "formats/image_file.h"
#include "linker/tests/golden_program.h"
#include "simulator/cpu/tests/machine_fixture.h"
#include "tools/packer/pack_image.h"

namespace linker {
namespace {

using testing::link_golden_program;
using testing::LinkedProgram;

constexpr std::uint8_t kFirstSlot = 3;  // external RAM slot that holds bank 0
constexpr std::uint16_t kStub = 0x0300;

TEST(ProgramRun, ResetAndFarCallsRunOnTheDevice) {
    LinkedProgram program;
    link_golden_program(program);
    if (HasFatalFailure()) return;
    const auto image = program.fixture.image();
    const auto packed = packer::pack_image({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()});
    ASSERT_EQ(packed.error, "");
    const auto banks = packed.program.size() / formats::kBankMaxSize;
    ASSERT_EQ(banks, 2u);

    simcpu::testing::MachineFixture machine;
    machine.WriteIo(0x0A, 0x80);  // the window shows external RAM
    const auto& bin = packed.program;
    for (std::size_t bank = 0; bank < banks; ++bank) {
        machine.WriteIo(0x00, std::uint8_t(kFirstSlot + bank));
        const auto* slot = bin.data() + bank * formats::kBankMaxSize;
        machine.Poke(0x4000, std::vector<std::uint8_t>(slot + 0x4000, slot + 0x8000));
        machine.Poke(0x8000, std::vector<std::uint8_t>(slot, slot + 0x4000));
    }
    machine.WriteIo(0x00, kFirstSlot);
    const auto head = *formats::ByteReader(image).record<formats::ImageFileHead>(formats::kImageBank0Offset);
    const std::uint16_t reset = head.reset_address;
    // LDX #FF / TXS / LDA #slot / JSR reset / JMP to itself
    machine.Load(kStub, {0xA2, 0xFF, 0x9A, 0xA9, kFirstSlot, 0x20, std::uint8_t(reset), std::uint8_t(reset >> 8), 0x4C,
                         0x08, 0x03});

    ASSERT_TRUE(machine.RunUntil(kStub + 8, 100000));
    for (const auto& raised : machine.exceptions)
        ADD_FAILURE() << "exception " << raised.code << " at " << std::hex << raised.address;
    EXPECT_EQ(machine.regs().s, 0xFF);
    EXPECT_EQ(machine.block().write_latches[0x00], kFirstSlot);  // back in bank 0
    EXPECT_EQ(machine.Peek(0x1AC0), 1);                          // counter: cleared by main, counted by plot in bank 1
    EXPECT_EQ(machine.Peek(0x1AC1), 2);                          // result: twice, pulled from util.lib
    EXPECT_EQ(machine.Peek(0x1AC2), 'H');                        // echo: beep's A, from bank 0 back to bank 1
    const std::uint16_t greeting = formats::kFixedDataBase + head.global_length;
    EXPECT_EQ(machine.Peek(greeting), 'H');  // init_data copied into the fixed area
    EXPECT_EQ(machine.Peek(greeting + 1), 'I');
}

}  // namespace
}  // namespace linker
