#pragma once
// The opcode table's rows and its construction, at compile time: the
// interpreters specialise on it, the rest of the simulator reads it through
// OpcodeTable().
#include <array>
#include <cstdint>

#include "simulator/cpu/opcode_table.h"

namespace simcpu {
namespace opcode_rows {

struct Row {
    std::uint8_t opcode;
    Op op;
    Mode mode;
    std::uint8_t cycles;
};

using enum Op;
// Short names for the rows below (Mode::Invalid would clash with Op::Invalid).
constexpr Mode Immediate = Mode::Immediate, Absolute = Mode::Absolute, ZeroPage = Mode::ZeroPage,
               Implied = Mode::Implied, Indirect = Mode::Indirect, AbsoluteX = Mode::AbsoluteX,
               AbsoluteY = Mode::AbsoluteY, ZeroPageX = Mode::ZeroPageX, ZeroPageY = Mode::ZeroPageY,
               IndirectX = Mode::IndirectX, IndirectY = Mode::IndirectY, Relative = Mode::Relative,
               Accumulator = Mode::Accumulator, JumpTarget = Mode::JumpTarget;

// The documented opcodes and the device's three queue opcodes.
// clang-format off
constexpr Row kRows[] = {
    {0x69, ADC, Immediate, 2}, {0x65, ADC, ZeroPage, 3}, {0x75, ADC, ZeroPageX, 4},
    {0x6D, ADC, Absolute, 4}, {0x7D, ADC, AbsoluteX, 4}, {0x79, ADC, AbsoluteY, 4},
    {0x61, ADC, IndirectX, 6}, {0x71, ADC, IndirectY, 5},
    {0x29, AND, Immediate, 2}, {0x25, AND, ZeroPage, 3}, {0x35, AND, ZeroPageX, 4},
    {0x2D, AND, Absolute, 4}, {0x3D, AND, AbsoluteX, 4}, {0x39, AND, AbsoluteY, 4},
    {0x21, AND, IndirectX, 6}, {0x31, AND, IndirectY, 5},
    {0x0A, ASL, Accumulator, 2}, {0x06, ASL, ZeroPage, 5}, {0x16, ASL, ZeroPageX, 6},
    {0x0E, ASL, Absolute, 6}, {0x1E, ASL, AbsoluteX, 7},
    {0x90, BCC, Relative, 2}, {0xB0, BCS, Relative, 2}, {0xF0, BEQ, Relative, 2},
    {0x30, BMI, Relative, 2}, {0xD0, BNE, Relative, 2}, {0x10, BPL, Relative, 2},
    {0x50, BVC, Relative, 2}, {0x70, BVS, Relative, 2},
    {0x24, BIT, ZeroPage, 3}, {0x2C, BIT, Absolute, 4},
    {0x00, BRK, Implied, 7},
    {0x18, CLC, Implied, 2}, {0xD8, CLD, Implied, 2}, {0x58, CLI, Implied, 2},
    {0xB8, CLV, Implied, 2},
    {0xC9, CMP, Immediate, 2}, {0xC5, CMP, ZeroPage, 3}, {0xD5, CMP, ZeroPageX, 4},
    {0xCD, CMP, Absolute, 4}, {0xDD, CMP, AbsoluteX, 4}, {0xD9, CMP, AbsoluteY, 4},
    {0xC1, CMP, IndirectX, 6}, {0xD1, CMP, IndirectY, 5},
    {0xE0, CPX, Immediate, 2}, {0xE4, CPX, ZeroPage, 3}, {0xEC, CPX, Absolute, 4},
    {0xC0, CPY, Immediate, 2}, {0xC4, CPY, ZeroPage, 3}, {0xCC, CPY, Absolute, 4},
    {0xC6, DEC, ZeroPage, 5}, {0xD6, DEC, ZeroPageX, 6}, {0xCE, DEC, Absolute, 6},
    {0xDE, DEC, AbsoluteX, 7},
    {0xCA, DEX, Implied, 2}, {0x88, DEY, Implied, 2},
    {0x49, EOR, Immediate, 2}, {0x45, EOR, ZeroPage, 3}, {0x55, EOR, ZeroPageX, 4},
    {0x4D, EOR, Absolute, 4}, {0x5D, EOR, AbsoluteX, 4}, {0x59, EOR, AbsoluteY, 4},
    {0x41, EOR, IndirectX, 6}, {0x51, EOR, IndirectY, 5},
    {0xE6, INC, ZeroPage, 5}, {0xF6, INC, ZeroPageX, 6}, {0xEE, INC, Absolute, 6},
    {0xFE, INC, AbsoluteX, 7},
    {0xE8, INX, Implied, 2}, {0xC8, INY, Implied, 2},
    {0x4C, JMP, JumpTarget, 3}, {0x6C, JMP, Indirect, 5},
    {0x20, JSR, JumpTarget, 6},
    {0xA9, LDA, Immediate, 2}, {0xA5, LDA, ZeroPage, 3}, {0xB5, LDA, ZeroPageX, 4},
    {0xAD, LDA, Absolute, 4}, {0xBD, LDA, AbsoluteX, 4}, {0xB9, LDA, AbsoluteY, 4},
    {0xA1, LDA, IndirectX, 6}, {0xB1, LDA, IndirectY, 5},
    {0xA2, LDX, Immediate, 2}, {0xA6, LDX, ZeroPage, 3}, {0xB6, LDX, ZeroPageY, 4},
    {0xAE, LDX, Absolute, 4}, {0xBE, LDX, AbsoluteY, 4},
    {0xA0, LDY, Immediate, 2}, {0xA4, LDY, ZeroPage, 3}, {0xB4, LDY, ZeroPageX, 4},
    {0xAC, LDY, Absolute, 4}, {0xBC, LDY, AbsoluteX, 4},
    {0x4A, LSR, Accumulator, 2}, {0x46, LSR, ZeroPage, 5}, {0x56, LSR, ZeroPageX, 6},
    {0x4E, LSR, Absolute, 6}, {0x5E, LSR, AbsoluteX, 7},
    {0xEA, NOP, Implied, 2},
    {0x09, ORA, Immediate, 2}, {0x05, ORA, ZeroPage, 3}, {0x15, ORA, ZeroPageX, 4},
    {0x0D, ORA, Absolute, 4}, {0x1D, ORA, AbsoluteX, 4}, {0x19, ORA, AbsoluteY, 4},
    {0x01, ORA, IndirectX, 6}, {0x11, ORA, IndirectY, 5},
    {0x48, PHA, Implied, 3}, {0x08, PHP, Implied, 3}, {0x68, PLA, Implied, 4},
    {0x28, PLP, Implied, 4},
    {0x2A, ROL, Accumulator, 2}, {0x26, ROL, ZeroPage, 5}, {0x36, ROL, ZeroPageX, 6},
    {0x2E, ROL, Absolute, 6}, {0x3E, ROL, AbsoluteX, 7},
    {0x6A, ROR, Accumulator, 2}, {0x66, ROR, ZeroPage, 5}, {0x76, ROR, ZeroPageX, 6},
    {0x6E, ROR, Absolute, 6}, {0x7E, ROR, AbsoluteX, 7},
    {0x40, RTI, Implied, 6}, {0x60, RTS, Implied, 6},
    {0xE9, SBC, Immediate, 2}, {0xE5, SBC, ZeroPage, 3}, {0xF5, SBC, ZeroPageX, 4},
    {0xED, SBC, Absolute, 4}, {0xFD, SBC, AbsoluteX, 4}, {0xF9, SBC, AbsoluteY, 4},
    {0xE1, SBC, IndirectX, 6}, {0xF1, SBC, IndirectY, 5},
    {0x38, SEC, Implied, 2}, {0xF8, SED, Implied, 2}, {0x78, SEI, Implied, 2},
    {0x85, STA, ZeroPage, 3}, {0x95, STA, ZeroPageX, 4}, {0x8D, STA, Absolute, 4},
    {0x9D, STA, AbsoluteX, 5}, {0x99, STA, AbsoluteY, 5}, {0x81, STA, IndirectX, 6},
    {0x91, STA, IndirectY, 6},
    {0x86, STX, ZeroPage, 3}, {0x96, STX, ZeroPageY, 4}, {0x8E, STX, Absolute, 4},
    {0x84, STY, ZeroPage, 3}, {0x94, STY, ZeroPageX, 4}, {0x8C, STY, Absolute, 4},
    {0xAA, TAX, Implied, 2}, {0xA8, TAY, Implied, 2}, {0xBA, TSX, Implied, 2},
    {0x8A, TXA, Implied, 2}, {0x9A, TXS, Implied, 2}, {0x98, TYA, Implied, 2},
    {0xF2, TAQ, Implied, 2}, {0xF3, TQA, Implied, 2}, {0xF4, BTQ, Implied, 2},
};
// clang-format on

constexpr int kModeLengths[] = {1, 2, 3, 2, 1, 3, 3, 3, 2, 2, 2, 2, 2, 1, 3};

constexpr std::uint8_t FlagsChanged(Op op) {
    switch (op) {
        case ORA:
        case AND:
        case EOR:
        case LDA:
        case LDX:
        case LDY:
        case TAX:
        case TAY:
        case TSX:
        case TXA:
        case TYA:
        case PLA:
        case INC:
        case INX:
        case INY:
        case DEC:
        case DEX:
        case DEY: return 0x82;
        case ASL:
        case LSR:
        case ROL:
        case ROR:
        case CMP:
        case CPX:
        case CPY: return 0x83;
        case ADC:
        case SBC: return 0xC3;
        case BIT: return 0xC2;
        case PLP:
        case RTI: return 0xFF;
        case BRK: return 0x14;
        case CLC:
        case SEC:
        case TAQ:
        case TQA: return 0x01;
        case BTQ: return 0x03;
        case CLI:
        case SEI: return 0x04;
        case CLD:
        case SED: return 0x08;
        case CLV: return 0x40;
        default: return 0;
    }
}

// What the operation does with a memory operand (the accumulator and implied
// forms of the same operation touch no memory).
constexpr std::uint8_t Access(Op op, Mode mode) {
    if (mode == Accumulator || mode == Implied || mode == Relative || mode == JumpTarget) return 0;
    switch (op) {
        case STA:
        case STX:
        case STY: return kAccessWrite;
        case ASL:
        case LSR:
        case ROL:
        case ROR:
        case INC:
        case DEC: return kAccessRead | kAccessWrite;
        default: return kAccessRead;
    }
}

constexpr bool CrossCostsCycle(Op op, Mode mode, std::uint8_t access) {
    if (mode == Relative) return true;
    bool indexed = mode == AbsoluteX || mode == AbsoluteY || mode == IndirectY;
    return indexed && access == kAccessRead;
}

constexpr std::array<OpcodeInfo, 256> BuildTable() {
    std::array<OpcodeInfo, 256> table{};
    for (auto& entry : table) entry = {0x01, 0, 0, 0};
    for (const Row& row : kRows) {
        std::uint8_t access = Access(row.op, row.mode);
        auto length = static_cast<std::uint8_t>(kModeLengths[static_cast<int>(row.mode)]);
        std::uint8_t cross = CrossCostsCycle(row.op, row.mode, access) ? kPageCrossCycle : 0;
        table[row.opcode] = {
            static_cast<std::uint8_t>(length | cross | row.cycles << 4),
            static_cast<std::uint8_t>(static_cast<std::uint8_t>(row.mode) | access),
            FlagsChanged(row.op),
            static_cast<std::uint8_t>(row.op),
        };
    }
    return table;
}

}  // namespace opcode_rows

inline constexpr std::array<OpcodeInfo, 256> kOpcodeTable = opcode_rows::BuildTable();

}  // namespace simcpu
