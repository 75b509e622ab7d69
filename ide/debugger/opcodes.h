#pragma once
// Facts of the NMOS 6502's documented instruction set: for each of the 256
// opcodes its mnemonic and addressing mode, or nothing for the 105 opcodes
// outside it. The disassembler formats from these; stepping takes lengths.
#include <cstdint>
#include <string_view>

namespace ide {

enum class AddressMode : std::uint8_t {
    Undefined,
    Implied,
    Accumulator,
    Immediate,
    ZeroPage,
    ZeroPageX,
    ZeroPageY,
    IndirectX,
    IndirectY,
    Relative,
    Absolute,
    AbsoluteX,
    AbsoluteY,
    Indirect,
};

struct OpcodeInfo {
    std::string_view mnemonic;  // three capitals; empty when undefined
    AddressMode mode = AddressMode::Undefined;
};

const OpcodeInfo& opcode_info(std::uint8_t opcode);
// 1, 2 or 3 for a documented opcode, 0 for an undefined one.
unsigned instruction_length(AddressMode mode);
// The length the line walk of stepping advances by: BRK counts 4, the
// opcodes 0x5B, 0xAB and 0xBB count 3, every undefined opcode 1.
unsigned step_length(std::uint8_t opcode);
bool is_conditional_branch(std::uint8_t opcode);

}  // namespace ide
