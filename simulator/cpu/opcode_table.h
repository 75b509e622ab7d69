#pragma once
// The one instruction table of the simulator: the interpreters take length,
// cycles, access and addressing mode from it, the disassembler the mnemonic and
// the operand format. 151 documented NMOS opcodes plus TAQ, TQA and BTQ; every
// other opcode is invalid ("???", one byte, no cycles).
#include <array>
#include <cstdint>
#include <string_view>

namespace simcpu {

enum class Mode : std::uint8_t {
    Invalid = 0,
    Immediate = 1,
    Absolute = 2,
    ZeroPage = 3,
    Implied = 4,
    Indirect = 5,  // JMP (abs)
    AbsoluteX = 6,
    AbsoluteY = 7,
    ZeroPageX = 8,
    ZeroPageY = 9,
    IndirectX = 10,  // (zp,X)
    IndirectY = 11,  // (zp),Y
    Relative = 12,
    Accumulator = 13,
    JumpTarget = 14,  // absolute target of JMP and JSR
};

// Index into the mnemonic table; the order is the table's.
enum class Op : std::uint8_t {
    Invalid,
    ADC,
    AND,
    ASL,
    BCC,
    BCS,
    BEQ,
    BIT,
    BMI,
    BNE,
    BPL,
    BRK,
    BVC,
    BVS,
    CLC,
    CLD,
    CLI,
    CLV,
    CMP,
    CPX,
    CPY,
    DEC,
    DEX,
    DEY,
    EOR,
    INC,
    INX,
    INY,
    JMP,
    JSR,
    LDA,
    LDX,
    LDY,
    LSR,
    NOP,
    ORA,
    PHA,
    PHP,
    PLA,
    PLP,
    ROL,
    ROR,
    RTI,
    RTS,
    SBC,
    SEC,
    SED,
    SEI,
    STA,
    STX,
    STY,
    TAX,
    TAY,
    TSX,
    TXA,
    TXS,
    TYA,
    TAQ,
    TQA,
    BTQ,
};
inline constexpr int kMnemonicCount = 60;

// Bits of OpcodeInfo byte 1 (besides the mode in bits 0-5).
inline constexpr std::uint8_t kAccessRead = 0x40;
inline constexpr std::uint8_t kAccessWrite = 0x80;
// Bit of OpcodeInfo byte 0: one more cycle when the indexed address crosses a page.
inline constexpr std::uint8_t kPageCrossCycle = 0x08;

// One 4-byte table entry, as the table lays it out.
struct OpcodeInfo {
    std::uint8_t lengthCycles;  // bits 0-2 length, bit 3 page-cross cycle, bits 4-7 base cycles
    std::uint8_t modeAccess;    // bits 0-5 mode, bit 6 reads, bit 7 writes its operand
    std::uint8_t flagsChanged;  // P bits the instruction may change
    std::uint8_t mnemonic;      // Op

    constexpr int length() const { return lengthCycles & 7; }
    constexpr int cycles() const { return lengthCycles >> 4; }
    constexpr bool pageCrossCycle() const { return lengthCycles & kPageCrossCycle; }
    constexpr Mode mode() const { return static_cast<Mode>(modeAccess & 0x3F); }
    constexpr std::uint8_t access() const { return modeAccess & (kAccessRead | kAccessWrite); }
    constexpr Op op() const { return static_cast<Op>(mnemonic); }
};
static_assert(sizeof(OpcodeInfo) == 4);

const std::array<OpcodeInfo, 256>& OpcodeTable();

// Three letters: "???", "ADC", ... "BTQ".
std::string_view MnemonicText(Op op);

// Instruction length that an addressing mode implies.
int ModeLength(Mode mode);

}  // namespace simcpu
