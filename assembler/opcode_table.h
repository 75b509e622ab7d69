#pragma once
// The 6502 opcode table: one row per mnemonic (in mnemonic-table order) with
// the instruction's group and its opcode in each addressing-mode column.
#include <array>
#include <cstdint>

namespace dravlin {

enum AddressingColumn : int {
    kColumnImplied = 0,  // also the accumulator and branches
    kColumnImmediate = 1,
    kColumnZeroPage = 2,
    kColumnZeroPageX = 3,
    kColumnZeroPageY = 4,
    kColumnAbsolute = 5,
    kColumnAbsoluteX = 6,
    kColumnAbsoluteY = 7,
    kColumnIndirectX = 8,  // (zp,X)
    kColumnIndirectY = 9,  // (zp),Y
    kColumnCount = 10,
};

inline constexpr uint8_t kNoOpcode = 0xFF;

enum class InstructionGroup : uint8_t {
    None,     // the empty first row
    Implied,  // no operand
    Branch,   // relative
    Jump,     // JMP: absolute or (indirect)
    Call,     // JSR
    General,  // column chosen by the operand
};

struct OpcodeRow {
    InstructionGroup group;
    std::array<uint8_t, kColumnCount> codes;
};

// The row of a mnemonic index (see mnemonics()).
const OpcodeRow& opcode_row(int mnemonic);

}  // namespace dravlin
