// The opcode table's entries, the checked interpreter's cycle counts, and the
// operand information shown at a stop.
#include <gtest/gtest.h>

#include "simulator/cpu/opcode_table.h"
#include "simulator/cpu/operand_info.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

TEST(OpcodeTableTest, ValidAndInvalidOpcodes) {
    int valid = 0;
    for (const OpcodeInfo& info : OpcodeTable()) {
        if (info.op() != Op::Invalid) {
            ++valid;
            EXPECT_EQ(info.length(), ModeLength(info.mode()));
        } else {
            EXPECT_EQ(info.lengthCycles, 0x01);
            EXPECT_EQ(info.modeAccess | info.flagsChanged | info.mnemonic, 0);
        }
    }
    EXPECT_EQ(valid, 151 + 3);
    EXPECT_EQ(OpcodeTable()[0x53].op(), Op::Invalid);  // the download traps are not instructions here
    EXPECT_EQ(MnemonicText(Op::BTQ), "BTQ");
}

struct EntryCase {
    std::uint8_t opcode;
    std::string_view mnemonic;
    Mode mode;
    int length, cycles;
    bool pageCross;
    std::uint8_t access, flags;
};

TEST(OpcodeTableTest, Entries) {
    constexpr std::uint8_t R = kAccessRead, W = kAccessWrite;
    const EntryCase cases[] = {
        {0xBD, "LDA", Mode::AbsoluteX, 3, 4, true, R, 0x82},
        {0x9D, "STA", Mode::AbsoluteX, 3, 5, false, W, 0x00},
        {0xFE, "INC", Mode::AbsoluteX, 3, 7, false, R | W, 0x82},
        {0x71, "ADC", Mode::IndirectY, 2, 5, true, R, 0xC3},
        {0x91, "STA", Mode::IndirectY, 2, 6, false, W, 0x00},
        {0xBE, "LDX", Mode::AbsoluteY, 3, 4, true, R, 0x82},
        {0xBC, "LDY", Mode::AbsoluteX, 3, 4, true, R, 0x82},
        {0x96, "STX", Mode::ZeroPageY, 2, 4, false, W, 0x00},
        {0xF0, "BEQ", Mode::Relative, 2, 2, true, 0, 0x00},
        {0x6C, "JMP", Mode::Indirect, 3, 5, false, R, 0x00},
        {0x20, "JSR", Mode::JumpTarget, 3, 6, false, 0, 0x00},
        {0x00, "BRK", Mode::Implied, 1, 7, false, 0, 0x14},
        {0x28, "PLP", Mode::Implied, 1, 4, false, 0, 0xFF},
        {0x0A, "ASL", Mode::Accumulator, 1, 2, false, 0, 0x83},
        {0x2C, "BIT", Mode::Absolute, 3, 4, false, R, 0xC2},
        {0xF4, "BTQ", Mode::Implied, 1, 2, false, 0, 0x03},
        {0xF2, "TAQ", Mode::Implied, 1, 2, false, 0, 0x01},
    };
    for (const EntryCase& c : cases) {
        const OpcodeInfo& info = OpcodeTable()[c.opcode];
        SCOPED_TRACE(c.mnemonic);
        EXPECT_EQ(MnemonicText(info.op()), c.mnemonic);
        EXPECT_EQ(info.mode(), c.mode);
        EXPECT_EQ(info.length(), c.length);
        EXPECT_EQ(info.cycles(), c.cycles);
        EXPECT_EQ(info.pageCrossCycle(), c.pageCross);
        EXPECT_EQ(info.access(), c.access);
        EXPECT_EQ(info.flagsChanged, c.flags);
    }
}

struct CycleCase {
    const char* name;
    std::vector<std::uint8_t> code;  // at $1000
    std::uint8_t x, y, p;
    int cycles;
};

TEST(CycleTest, CountsPerInstruction) {
    const CycleCase cases[] = {
        {"LDA abs,X same page", {0xBD, 0x00, 0x20}, 0x10, 0, 0, 4},
        {"LDA abs,X crossing", {0xBD, 0xF8, 0x20}, 0x10, 0, 0, 5},
        {"LDA abs,X crossing $FFFF", {0xBD, 0xF0, 0xFF}, 0x20, 0, 0, 5},
        {"STA abs,X crossing", {0x9D, 0xF8, 0x20}, 0x10, 0, 0, 5},
        {"LDA (zp),Y same page", {0xB1, 0x80}, 0, 0x01, 0, 5},
        {"LDA (zp),Y crossing", {0xB1, 0x80}, 0, 0x20, 0, 6},
        {"STA (zp),Y crossing", {0x91, 0x80}, 0, 0x20, 0, 6},
        {"INC abs,X", {0xFE, 0x00, 0x20}, 0x01, 0, 0, 7},
        {"BEQ not taken", {0xF0, 0x10}, 0, 0, 0x00, 2},
        {"BEQ taken", {0xF0, 0x10}, 0, 0, 0x02, 3},
        {"BEQ taken to another page", {0xF0, 0x80}, 0, 0, 0x02, 4},
        {"Invalid opcode", {0x02}, 0, 0, 0, 0},
        {"TAQ", {0xF2}, 0, 0, 0, 2},
    };
    for (const CycleCase& c : cases) {
        MachineFixture m({.flatRam = true});
        m.Poke(0x0080, {0xF0, 0x20});  // (zp) pointer $20F0
        m.Poke(0x1000, c.code);
        m.regs().pc = 0x1000;
        m.regs().x = c.x;
        m.regs().y = c.y;
        m.regs().p = c.p;
        m.StepOnce();
        EXPECT_EQ(m.core.cycles, c.cycles) << c.name;
    }
}

TEST(OperandInfoTest, FieldsForTheInstructionAtPc) {
    using namespace formats::OperandFlag;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> code;  // at $0300
        std::uint8_t x, y;
        std::uint16_t address, value;
        std::uint8_t flags;
    };
    const Case cases[] = {
        {"abs,X", {0xBD, 0x00, 0x02}, 0x05, 0, 0x0205, 0x55, kAddressValid | kValueValid},
        {"JMP (abs) gives a word",
         {0x6C, 0x00, 0x02},
         0,
         0,
         0x0200,
         0x5150,
         kAddressValid | kValueValid | kValueIsWord},
        {"zp,X at $FF", {0xB5, 0xF0}, 0x0F, 0, 0, 0, 0},
        {"(zp),Y past $FFFF", {0xB1, 0x90}, 0, 0x20, 0, 0, 0},
        {"(zp),Y", {0xB1, 0x90}, 0, 0x0F, 0xFFFF, 0xAB, kAddressValid | kValueValid},
        {"(zp,X)", {0xA1, 0x88}, 0x08, 0, 0xFFF0, 0xCD, kAddressValid | kValueValid},
        {"unreadable operand", {0xAD, 0x00, 0x40}, 0, 0, 0x4000, 0, kAddressValid},
        {"I/O shows the write latch", {0xA5, 0x10}, 0, 0, 0x0010, 0x21, kAddressValid | kValueValid},
        {"implied has none", {0xEA}, 0, 0, 0, 0, 0},
        {"JSR target has none", {0x20, 0x00, 0x02}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        MachineFixture m({.externalRam = 0});
        for (int i = 0; i < 8; ++i)
            m.Poke(static_cast<std::uint16_t>(0x0200 + i), {static_cast<std::uint8_t>(0x50 + i)});
        m.Poke(0x0090, {0xF0, 0xFF});
        m.rom[0x7FFF] = 0xAB;
        m.rom[0x7FF0] = 0xCD;
        m.block().write_latches[0x10] = 0x21;
        m.Poke(0x0300, c.code);
        m.regs().pc = 0x0300;
        m.regs().x = c.x;
        m.regs().y = c.y;
        ComputeOperandInfo(m.core);
        EXPECT_EQ(m.regs().operand_address, c.address) << c.name;
        EXPECT_EQ(m.regs().operand_value, c.value) << c.name;
        EXPECT_EQ(m.regs().operand_flags, c.flags) << c.name;
    }
}

TEST(OperandInfoTest, UnreadablePcGivesZeros) {
    MachineFixture m({.externalRam = 0});
    m.regs().operand_flags = 7;
    m.regs().pc = 0x4000;
    ComputeOperandInfo(m.core);
    EXPECT_EQ(m.regs().operand_flags, 0);
}

}  // namespace
}  // namespace simcpu::testing
