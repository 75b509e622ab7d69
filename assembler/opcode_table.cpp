#include "assembler/opcode_table.h"

#include <cstddef>

namespace dravlin {

namespace {

using G = InstructionGroup;
constexpr uint8_t no = kNoOpcode;

// Columns: implied, #imm, zp, zp,X, zp,Y, abs, abs,X, abs,Y, (zp,X), (zp),Y.
constexpr std::array<OpcodeRow, 57> kOpcodes{{
    {G::None, {no, no, no, no, no, no, no, no, no, no}},
    {G::General, {no, 0x69, 0x65, 0x75, no, 0x6D, 0x7D, 0x79, 0x61, 0x71}},  // ADC
    {G::General, {no, 0x29, 0x25, 0x35, no, 0x2D, 0x3D, 0x39, 0x21, 0x31}},  // AND
    {G::General, {0x0A, no, 0x06, 0x16, no, 0x0E, 0x1E, no, no, no}},        // ASL
    {G::Branch, {0x90, no, no, no, no, no, no, no, no, no}},                 // BCC
    {G::Branch, {0xB0, no, no, no, no, no, no, no, no, no}},                 // BCS
    {G::Branch, {0xF0, no, no, no, no, no, no, no, no, no}},                 // BEQ
    {G::General, {no, no, 0x24, no, no, 0x2C, no, no, no, no}},              // BIT
    {G::Branch, {0x30, no, no, no, no, no, no, no, no, no}},                 // BMI
    {G::Branch, {0xD0, no, no, no, no, no, no, no, no, no}},                 // BNE
    {G::Branch, {0x10, no, no, no, no, no, no, no, no, no}},                 // BPL
    {G::Implied, {0x00, no, no, no, no, no, no, no, no, no}},                // BRK
    {G::Branch, {0x50, no, no, no, no, no, no, no, no, no}},                 // BVC
    {G::Branch, {0x70, no, no, no, no, no, no, no, no, no}},                 // BVS
    {G::Implied, {0x18, no, no, no, no, no, no, no, no, no}},                // CLC
    {G::Implied, {0xD8, no, no, no, no, no, no, no, no, no}},                // CLD
    {G::Implied, {0x58, no, no, no, no, no, no, no, no, no}},                // CLI
    {G::Implied, {0xB8, no, no, no, no, no, no, no, no, no}},                // CLV
    {G::General, {no, 0xC9, 0xC5, 0xD5, no, 0xCD, 0xDD, 0xD9, 0xC1, 0xD1}},  // CMP
    {G::General, {no, 0xE0, 0xE4, no, no, 0xEC, no, no, no, no}},            // CPX
    {G::General, {no, 0xC0, 0xC4, no, no, 0xCC, no, no, no, no}},            // CPY
    {G::General, {no, no, 0xC6, 0xD6, no, 0xCE, 0xDE, no, no, no}},          // DEC
    {G::Implied, {0xCA, no, no, no, no, no, no, no, no, no}},                // DEX
    {G::Implied, {0x88, no, no, no, no, no, no, no, no, no}},                // DEY
    {G::General, {no, 0x49, 0x45, 0x55, no, 0x4D, 0x5D, 0x59, 0x41, 0x51}},  // EOR
    {G::General, {no, no, 0xE6, 0xF6, no, 0xEE, 0xFE, no, no, no}},          // INC
    {G::Implied, {0xE8, no, no, no, no, no, no, no, no, no}},                // INX
    {G::Implied, {0xC8, no, no, no, no, no, no, no, no, no}},                // INY
    {G::Jump, {no, no, no, no, no, no, no, no, no, no}},                     // JMP: 4C, 6C
    {G::Call, {no, no, no, no, no, 0x20, no, no, no, no}},                   // JSR
    {G::General, {no, 0xA9, 0xA5, 0xB5, no, 0xAD, 0xBD, 0xB9, 0xA1, 0xB1}},  // LDA
    {G::General, {no, 0xA2, 0xA6, no, 0xB6, 0xAE, no, 0xBE, no, no}},        // LDX
    {G::General, {no, 0xA0, 0xA4, 0xB4, no, 0xAC, 0xBC, no, no, no}},        // LDY
    {G::General, {0x4A, no, 0x46, 0x56, no, 0x4E, 0x5E, no, no, no}},        // LSR
    {G::Implied, {0xEA, no, no, no, no, no, no, no, no, no}},                // NOP
    {G::General, {no, 0x09, 0x05, 0x15, no, 0x0D, 0x1D, 0x19, 0x01, 0x11}},  // ORA
    {G::Implied, {0x48, no, no, no, no, no, no, no, no, no}},                // PHA
    {G::Implied, {0x08, no, no, no, no, no, no, no, no, no}},                // PHP
    {G::Implied, {0x68, no, no, no, no, no, no, no, no, no}},                // PLA
    {G::Implied, {0x28, no, no, no, no, no, no, no, no, no}},                // PLP
    {G::General, {0x2A, no, 0x26, 0x36, no, 0x2E, 0x3E, no, no, no}},        // ROL
    {G::General, {0x6A, no, 0x66, 0x76, no, 0x6E, 0x7E, no, no, no}},        // ROR
    {G::Implied, {0x40, no, no, no, no, no, no, no, no, no}},                // RTI
    {G::Implied, {0x60, no, no, no, no, no, no, no, no, no}},                // RTS
    {G::General, {no, 0xE9, 0xE5, 0xF5, no, 0xED, 0xFD, 0xF9, 0xE1, 0xF1}},  // SBC
    {G::Implied, {0x38, no, no, no, no, no, no, no, no, no}},                // SEC
    {G::Implied, {0xF8, no, no, no, no, no, no, no, no, no}},                // SED
    {G::Implied, {0x78, no, no, no, no, no, no, no, no, no}},                // SEI
    {G::General, {no, no, 0x85, 0x95, no, 0x8D, 0x9D, 0x99, 0x81, 0x91}},    // STA
    {G::General, {no, no, 0x86, no, 0x96, 0x8E, no, no, no, no}},            // STX
    {G::General, {no, no, 0x84, 0x94, no, 0x8C, no, no, no, no}},            // STY
    {G::Implied, {0xAA, no, no, no, no, no, no, no, no, no}},                // TAX
    {G::Implied, {0xA8, no, no, no, no, no, no, no, no, no}},                // TAY
    {G::Implied, {0xBA, no, no, no, no, no, no, no, no, no}},                // TSX
    {G::Implied, {0x8A, no, no, no, no, no, no, no, no, no}},                // TXA
    {G::Implied, {0x9A, no, no, no, no, no, no, no, no, no}},                // TXS
    {G::Implied, {0x98, no, no, no, no, no, no, no, no, no}},                // TYA
}};

}  // namespace

const OpcodeRow& opcode_row(int mnemonic) { return kOpcodes.at(static_cast<std::size_t>(mnemonic)); }

}  // namespace dravlin
