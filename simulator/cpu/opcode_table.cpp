#include "simulator/cpu/opcode_table.h"

#include "simulator/cpu/opcode_table_data.h"

namespace simcpu {
namespace {

constexpr std::string_view kMnemonics[kMnemonicCount] = {
    "???", "ADC", "AND", "ASL", "BCC", "BCS", "BEQ", "BIT", "BMI", "BNE", "BPL", "BRK", "BVC", "BVS", "CLC",
    "CLD", "CLI", "CLV", "CMP", "CPX", "CPY", "DEC", "DEX", "DEY", "EOR", "INC", "INX", "INY", "JMP", "JSR",
    "LDA", "LDX", "LDY", "LSR", "NOP", "ORA", "PHA", "PHP", "PLA", "PLP", "ROL", "ROR", "RTI", "RTS", "SBC",
    "SEC", "SED", "SEI", "STA", "STX", "STY", "TAX", "TAY", "TSX", "TXA", "TXS", "TYA", "TAQ", "TQA", "BTQ",
};

}  // namespace

const std::array<OpcodeInfo, 256>& OpcodeTable() { return kOpcodeTable; }

std::string_view MnemonicText(Op op) { return kMnemonics[static_cast<int>(op)]; }

int ModeLength(Mode mode) { return opcode_rows::kModeLengths[static_cast<int>(mode)]; }

}  // namespace simcpu
