// The disassembler's fixed columns, compared with goldens, and the listing's
// walk back, its end at $FFFF and unreadable pages.
#include <gtest/gtest.h>

#include "simulator/cpu/disassembler.h"
#include "simulator/cpu/tests/machine_fixture.h"
#include "testing/golden.h"

namespace simcpu::testing {
namespace {

constexpr DisassemblyLayout kWide = DisassemblyLayout::Make(2, 8, 12, 6, 22);

std::string Line(const MachineFixture& m, std::uint16_t address, DisassemblyLayout layout = kWide) {
    std::string out;
    DisassembleLine(m.core, address, layout, out);
    return out;
}

TEST(DisassembleLineTest, ImmediateWithDecimal) {
    MachineFixture m;
    m.Poke(0x0300, {0xA9, 0x41});
    EXPECT_EQ(Line(m, 0x0300, DisassemblyLayout::Make(0, 6, 9, 4, 0)), "0300: A9 41    LDA #$41      [   65]\r\n");
    EXPECT_EQ(Line(m, 0x0300, DisassemblyLayout::Make(0, 6, 9, 4, 0, false)), "0300: A9 41    LDA #$41\r\n");
}

TEST(DisassembleLineTest, BranchTargetWrapsAt16Bits) {
    MachineFixture m;
    m.Poke(0xFFFE, {0xF0, 0x04});
    std::string out;
    EXPECT_EQ(DisassembleLine(m.core, 0xFFFE, DisassemblyLayout::Make(0, 6, 9, 4, 0), out), 2);
    EXPECT_EQ(out, "FFFE: F0 04    BEQ $0004     [    4]\r\n");
}

TEST(DisassembleListingTest, EveryModeMatchesGolden) {
    MachineFixture m;
    m.Poke(0x0300, {
                       0xA9, 0x41,        // LDA #
                       0xAD, 0x34, 0x12,  // LDA abs
                       0xA5, 0x80,        // LDA zp
                       0xEA,              // NOP
                       0x6C, 0xFE, 0x02,  // JMP (abs)
                       0xBD, 0x00, 0x20,  // LDA abs,X
                       0xB9, 0xFF, 0xFF,  // LDA abs,Y
                       0xB5, 0x10,        // LDA zp,X
                       0xB6, 0x20,        // LDX zp,Y
                       0xA1, 0x30,        // LDA (zp,X)
                       0xB1, 0x40,        // LDA (zp),Y
                       0xD0, 0xFE,        // BNE *
                       0x10, 0x80,        // BPL back
                       0x0A,              // ASL A
                       0x20, 0x00, 0x90,  // JSR
                       0x02, 0xFF,        // invalid
                       0xF2, 0xF3, 0xF4,  // TAQ TQA BTQ
                   });
    Listing listing = DisassembleListing(m.core, 0x0300, 21, kWide);
    EXPECT_EQ(listing.start, 0x0300);
    EXPECT_EQ(listing.linesBefore, 0u);
    EXPECT_EQ(listing.linesAfter, 21u);
    EXPECT_EQ(listing.next, 0x0328u);
    EXPECT_TRUE(testing_kit::matches_golden("simulator/cpu/tests/golden/disasm_modes.txt", listing.text));
}

TEST(DisassembleLineTest, EveryOpcodeMatchesGolden) {
    MachineFixture m;
    std::string text;
    for (int opcode = 0; opcode < 256; ++opcode) {
        m.Poke(0x0300, {static_cast<std::uint8_t>(opcode), 0x84, 0x12});
        DisassembleLine(m.core, 0x0300, DisassemblyLayout::Make(0, 6, 9, 4, 0), text);
    }
    EXPECT_TRUE(testing_kit::matches_golden("simulator/cpu/tests/golden/disasm_opcodes.txt", text));
}

TEST(DisassembleListingTest, UnreadablePageMatchesGolden) {
    MachineFixture m({.externalRam = 0});                        // $4000-$7FFF unreadable
    m.Poke(0x3FF9, {0xEA, 0xA9, 0x01, 0xEA, 0xEA, 0xAD, 0x00});  // the LDA abs at $3FFE runs into $4000
    Listing listing = DisassembleListing(m.core, 0x3FFE, 2 << 16 | 3, kWide);
    EXPECT_EQ(listing.start, 0x3FFC);
    EXPECT_EQ(listing.linesBefore, 2u);
    EXPECT_EQ(listing.linesAfter, 3u);
    EXPECT_EQ(listing.next, 0x4004u);
    EXPECT_TRUE(testing_kit::matches_golden("simulator/cpu/tests/golden/disasm_unreadable.txt", listing.text));
}

TEST(DisassembleListingTest, WalkBackSkipsExtraLinesAndStopsAtFFFF) {
    MachineFixture m;
    for (std::uint32_t a = 0xFFE0; a <= 0xFFFF; ++a) m.rom[a - 0x8000] = 0xEA;  // NOPs
    Listing listing = DisassembleListing(m.core, 0xFFFC, 3 << 16 | 10, DisassemblyLayout::Make(0, 6, 9, 4, 0));
    EXPECT_EQ(listing.start, 0xFFF9);
    EXPECT_EQ(listing.linesBefore, 3u);
    EXPECT_EQ(listing.linesAfter, 3u);  // $FFFD, $FFFE, $FFFF
    EXPECT_EQ(listing.next, 0x10000u);
    EXPECT_EQ(listing.text.substr(0, 6), "FFF9: ");
}

}  // namespace
}  // namespace simcpu::testing
