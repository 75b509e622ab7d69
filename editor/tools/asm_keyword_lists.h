#pragma once
// The assembler's keyword tables as the keywords file is generated from them. These
// lists stand in until the assembler exposes its own tables; then this header includes
// them instead, so the editor's colouring follows the assembler.
#include <string_view>

namespace editor::asm_keywords {

inline constexpr std::string_view kPreprocessor[] = {
    "CODELINE", "DEFINE", "ELSE", "ENDIF", "IF", "IFDEF", "IFDIF", "IFE", "IFIDN", "IFNDEF", "INCLUDE", "REDEF",
    "UNDEF"};

inline constexpr std::string_view kDirectives[] = {
    "=", "BANK", "CALL", "COMMENT", "END", "ENDM", "ENDP", "ENDS", "ENDSC", "ENDSG", "EQU", "EXITM", "EXTERN",
    "LABEL", "LOCAL", "MACRO", "ORG", "PROC", "PUBLIC", "PURGE", "RECORD", "REPT", "SECTION", "SEGMENT", "STRUC"};

inline constexpr std::string_view kDataDirectives[] = {"DB", "DD", "DW", "QW"};

inline constexpr std::string_view kMnemonics[] = {
    "",    "ADC", "AND", "ASL", "BCC", "BCS", "BEQ", "BIT", "BMI", "BNE", "BPL", "BRK", "BVC", "BVS", "CLC",
    "CLD", "CLI", "CLV", "CMP", "CPX", "CPY", "DEC", "DEX", "DEY", "EOR", "INC", "INX", "INY", "JMP",
    "JSR", "LDA", "LDX", "LDY", "LSR", "NOP", "ORA", "PHA", "PHP", "PLA", "PLP", "ROL", "ROR", "RTI",
    "RTS", "SBC", "SEC", "SED", "SEI", "STA", "STX", "STY", "TAX", "TAY", "TSX", "TXA", "TXS", "TYA"};

}  // namespace editor::asm_keywords
