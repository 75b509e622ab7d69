#include "ide/debugger/opcodes.h"

#include <array>

namespace ide {

namespace {

using M = AddressMode;

struct Row {
    std::uint8_t opcode;
    const char* mnemonic;
    AddressMode mode;
};

// The documented instruction set, grouped by mnemonic.
constexpr Row kRows[] = {
    {0x69, "ADC", M::Immediate},   {0x65, "ADC", M::ZeroPage},    {0x75, "ADC", M::ZeroPageX},
    {0x6D, "ADC", M::Absolute},    {0x7D, "ADC", M::AbsoluteX},   {0x79, "ADC", M::AbsoluteY},
    {0x61, "ADC", M::IndirectX},   {0x71, "ADC", M::IndirectY},   {0x29, "AND", M::Immediate},
    {0x25, "AND", M::ZeroPage},    {0x35, "AND", M::ZeroPageX},   {0x2D, "AND", M::Absolute},
    {0x3D, "AND", M::AbsoluteX},   {0x39, "AND", M::AbsoluteY},   {0x21, "AND", M::IndirectX},
    {0x31, "AND", M::IndirectY},   {0x0A, "ASL", M::Accumulator}, {0x06, "ASL", M::ZeroPage},
    {0x16, "ASL", M::ZeroPageX},   {0x0E, "ASL", M::Absolute},    {0x1E, "ASL", M::AbsoluteX},
    {0x90, "BCC", M::Relative},    {0xB0, "BCS", M::Relative},    {0xF0, "BEQ", M::Relative},
    {0x30, "BMI", M::Relative},    {0xD0, "BNE", M::Relative},    {0x10, "BPL", M::Relative},
    {0x50, "BVC", M::Relative},    {0x70, "BVS", M::Relative},    {0x24, "BIT", M::ZeroPage},
    {0x2C, "BIT", M::Absolute},    {0x00, "BRK", M::Implied},     {0x18, "CLC", M::Implied},
    {0xD8, "CLD", M::Implied},     {0x58, "CLI", M::Implied},     {0xB8, "CLV", M::Implied},
    {0xC9, "CMP", M::Immediate},   {0xC5, "CMP", M::ZeroPage},    {0xD5, "CMP", M::ZeroPageX},
    {0xCD, "CMP", M::Absolute},    {0xDD, "CMP", M::AbsoluteX},   {0xD9, "CMP", M::AbsoluteY},
    {0xC1, "CMP", M::IndirectX},   {0xD1, "CMP", M::IndirectY},   {0xE0, "CPX", M::Immediate},
    {0xE4, "CPX", M::ZeroPage},    {0xEC, "CPX", M::Absolute},    {0xC0, "CPY", M::Immediate},
    {0xC4, "CPY", M::ZeroPage},    {0xCC, "CPY", M::Absolute},    {0xC6, "DEC", M::ZeroPage},
    {0xD6, "DEC", M::ZeroPageX},   {0xCE, "DEC", M::Absolute},    {0xDE, "DEC", M::AbsoluteX},
    {0xCA, "DEX", M::Implied},     {0x88, "DEY", M::Implied},     {0x49, "EOR", M::Immediate},
    {0x45, "EOR", M::ZeroPage},    {0x55, "EOR", M::ZeroPageX},   {0x4D, "EOR", M::Absolute},
    {0x5D, "EOR", M::AbsoluteX},   {0x59, "EOR", M::AbsoluteY},   {0x41, "EOR", M::IndirectX},
    {0x51, "EOR", M::IndirectY},   {0xE6, "INC", M::ZeroPage},    {0xF6, "INC", M::ZeroPageX},
    {0xEE, "INC", M::Absolute},    {0xFE, "INC", M::AbsoluteX},   {0xE8, "INX", M::Implied},
    {0xC8, "INY", M::Implied},     {0x4C, "JMP", M::Absolute},    {0x6C, "JMP", M::Indirect},
    {0x20, "JSR", M::Absolute},    {0xA9, "LDA", M::Immediate},   {0xA5, "LDA", M::ZeroPage},
    {0xB5, "LDA", M::ZeroPageX},   {0xAD, "LDA", M::Absolute},    {0xBD, "LDA", M::AbsoluteX},
    {0xB9, "LDA", M::AbsoluteY},   {0xA1, "LDA", M::IndirectX},   {0xB1, "LDA", M::IndirectY},
    {0xA2, "LDX", M::Immediate},   {0xA6, "LDX", M::ZeroPage},    {0xB6, "LDX", M::ZeroPageY},
    {0xAE, "LDX", M::Absolute},    {0xBE, "LDX", M::AbsoluteY},   {0xA0, "LDY", M::Immediate},
    {0xA4, "LDY", M::ZeroPage},    {0xB4, "LDY", M::ZeroPageX},   {0xAC, "LDY", M::Absolute},
    {0xBC, "LDY", M::AbsoluteX},   {0x4A, "LSR", M::Accumulator}, {0x46, "LSR", M::ZeroPage},
    {0x56, "LSR", M::ZeroPageX},   {0x4E, "LSR", M::Absolute},    {0x5E, "LSR", M::AbsoluteX},
    {0xEA, "NOP", M::Implied},     {0x09, "ORA", M::Immediate},   {0x05, "ORA", M::ZeroPage},
    {0x15, "ORA", M::ZeroPageX},   {0x0D, "ORA", M::Absolute},    {0x1D, "ORA", M::AbsoluteX},
    {0x19, "ORA", M::AbsoluteY},   {0x01, "ORA", M::IndirectX},   {0x11, "ORA", M::IndirectY},
    {0x48, "PHA", M::Implied},     {0x08, "PHP", M::Implied},     {0x68, "PLA", M::Implied},
    {0x28, "PLP", M::Implied},     {0x2A, "ROL", M::Accumulator}, {0x26, "ROL", M::ZeroPage},
    {0x36, "ROL", M::ZeroPageX},   {0x2E, "ROL", M::Absolute},    {0x3E, "ROL", M::AbsoluteX},
    {0x6A, "ROR", M::Accumulator}, {0x66, "ROR", M::ZeroPage},    {0x76, "ROR", M::ZeroPageX},
    {0x6E, "ROR", M::Absolute},    {0x7E, "ROR", M::AbsoluteX},   {0x40, "RTI", M::Implied},
    {0x60, "RTS", M::Implied},     {0xE9, "SBC", M::Immediate},   {0xE5, "SBC", M::ZeroPage},
    {0xF5, "SBC", M::ZeroPageX},   {0xED, "SBC", M::Absolute},    {0xFD, "SBC", M::AbsoluteX},
    {0xF9, "SBC", M::AbsoluteY},   {0xE1, "SBC", M::IndirectX},   {0xF1, "SBC", M::IndirectY},
    {0x38, "SEC", M::Implied},     {0xF8, "SED", M::Implied},     {0x78, "SEI", M::Implied},
    {0x85, "STA", M::ZeroPage},    {0x95, "STA", M::ZeroPageX},   {0x8D, "STA", M::Absolute},
    {0x9D, "STA", M::AbsoluteX},   {0x99, "STA", M::AbsoluteY},   {0x81, "STA", M::IndirectX},
    {0x91, "STA", M::IndirectY},   {0x86, "STX", M::ZeroPage},    {0x96, "STX", M::ZeroPageY},
    {0x8E, "STX", M::Absolute},    {0x84, "STY", M::ZeroPage},    {0x94, "STY", M::ZeroPageX},
    {0x8C, "STY", M::Absolute},    {0xAA, "TAX", M::Implied},     {0xA8, "TAY", M::Implied},
    {0xBA, "TSX", M::Implied},     {0x8A, "TXA", M::Implied},     {0x9A, "TXS", M::Implied},
    {0x98, "TYA", M::Implied},
};
static_assert(std::size(kRows) == 151);

const std::array<OpcodeInfo, 256>& table() {
    static const std::array<OpcodeInfo, 256> built = [] {
        std::array<OpcodeInfo, 256> out{};
        for (const Row& row : kRows) out[row.opcode] = OpcodeInfo{row.mnemonic, row.mode};
        return out;
    }();
    return built;
}

}  // namespace

const OpcodeInfo& opcode_info(std::uint8_t opcode) { return table()[opcode]; }

unsigned instruction_length(AddressMode mode) {
    switch (mode) {
        case M::Undefined: return 0;
        case M::Implied:
        case M::Accumulator: return 1;
        case M::Absolute:
        case M::AbsoluteX:
        case M::AbsoluteY:
        case M::Indirect: return 3;
        default: return 2;
    }
}

unsigned step_length(std::uint8_t opcode) {
    if (opcode == 0x00) return 4;
    if (opcode == 0x5B || opcode == 0xAB || opcode == 0xBB) return 3;
    const unsigned length = instruction_length(opcode_info(opcode).mode);
    return length ? length : 1;
}

bool is_conditional_branch(std::uint8_t opcode) { return (opcode & 0x1F) == 0x10; }

}  // namespace ide
