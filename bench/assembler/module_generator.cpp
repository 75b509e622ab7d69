#include "module_generator.h"

#include <vector>

namespace dravlin_bench {

namespace {

constexpr int kBlockLines = 26;

// One line in each syntax.
struct Line {
    std::string dravlin;
    std::string tass;
};

const std::vector<Line>& prelude() {
    static const std::vector<Line> lines = {
        {"; generated module: constants, a structure and macros", "; generated module"},
        {"ZP_A EQU 80H", "ZP_A = $80"},
        {"ZP_B EQU 81H", "ZP_B = $81"},
        {"ZP_P EQU 82H", "ZP_P = $82"},
        {"ZP_T EQU 84H", "ZP_T = $84"},
        {"K0 EQU 1", "K0 = 1"},
        {"K1 EQU 2", "K1 = 2"},
        {"K2 EQU 3", "K2 = 3"},
        {"K3 EQU 5", "K3 = 5"},
        {"#DEFINE MODE 1", "MODE = 1"},
        {"entry STRUC", "entry .struct"},
        {"key     DB 0", "key .byte 0"},
        {"value   DW 0", "value .word 0"},
        {"ENDS", "        .ends"},
        {"add8 MACRO zp, n", "add8 .macro zp, n"},
        {"        LDA zp", "        LDA \\zp"},
        {"        CLC", "        CLC"},
        {"        ADC #n", "        ADC #\\n"},
        {"        STA zp", "        STA \\zp"},
        {"ENDM", "        .endm"},
        {"delay MACRO n", "delay .macro n"},
        {"LOCAL again", "; again is local to the expansion"},
        {"        LDX #n", "        LDX #\\n"},
        {"again:  DEX", "again   DEX"},
        {"        BNE again", "        BNE again"},
        {"ENDM", "        .endm"},
    };
    return lines;
}

// The 26 lines of block `block`; `previous` is a routine of the same bank.
std::vector<Line> block_lines(int block, int previous) {
    const std::string n = std::to_string(block);
    const std::string r = "r" + n, s = "s" + n, t = "t" + n, j = "j" + n, v = "v" + n;
    const std::string k = "K" + std::to_string(block % 4);
    const std::string add = std::to_string(block % 50 + 1), count = std::to_string(block % 5 + 1);
    const std::string mode = std::to_string(block % 3);
    return {
        {"; block " + n, "; block " + n},
        {v + "      entry", v + " .dstruct entry"},
        {r + ":     LDA #" + k, r + "   LDA #" + k},
        {"        STA ZP_A", "        STA ZP_A"},
        {"        LDA ZP_T,X", "        LDA ZP_T,X"},
        {"        LDX ZP_B,Y", "        LDX ZP_B,Y"},
        {"        LDA " + t + ",X", "        LDA " + t + ",X"},
        {"        ADC " + t + ",Y", "        ADC " + t + ",Y"},
        {"        STA (ZP_P,X)", "        STA (ZP_P,X)"},
        {"        LDA (ZP_P),Y", "        LDA (ZP_P),Y"},
        {"        ASL A", "        ASL A"},
        {"        ROL ZP_B", "        ROL ZP_B"},
        {"        BNE " + s, "        BNE " + s},
        {"        JSR r" + std::to_string(previous), "        JSR r" + std::to_string(previous)},
        {s + ":     add8 ZP_A, " + add, s + "   #add8 ZP_A, " + add},
        {"        delay " + count, "        #delay " + count},
        {"#IF MODE-" + mode, "        .if MODE-" + mode},
        {"        INC ZP_B", "        INC ZP_B"},
        {"#ELSE", "        .else"},
        {"        DEC " + v + ".key", "        DEC " + v + ".key"},
        {"#ENDIF", "        .endif"},
        {"        LDA " + v + ".value", "        LDA " + v + ".value"},
        {"        STA " + v + ".value+1", "        STA " + v + ".value+1"},
        {"        JMP (" + j + ")", "        JMP (" + j + ")"},
        {t + ":     DB " + std::to_string(block % 256) + ", 1, 2, 3",
         t + "   .byte " + std::to_string(block % 256) + ", 1, 2, 3"},
        {j + ":     DW " + r, j + "   .word " + r},
    };
}

void append(GeneratedModule& out, const Line& line) {
    out.dravlin += line.dravlin + "\n";
    out.tass += line.tass + "\n";
}

}  // namespace

GeneratedModule generate_module(int index, int lines) {
    GeneratedModule out;
    for (const Line& line : prelude()) append(out, line);
    // 64tass counts the output from 0: each bank is a logical block at $4000.
    out.tass += "        * = 0\n";
    constexpr int kBankLines = 4;  // SECTION, SEGMENT and their ends
    const int blocks_per_bank = (lines - static_cast<int>(prelude().size()) - 2 * kBankLines) / (2 * kBlockLines);
    int block = 0;
    for (int bank = 0; bank < 2; ++bank) {
        const std::string section = "bank" + std::to_string(bank);
        const int bank_number = index * 2 + bank + 1;
        append(out, {section + " SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:" + std::to_string(bank_number),
                     "        .logical $4000"});
        append(out, {"code SEGMENT", "; bank " + std::to_string(bank_number)});
        const int first = block;
        for (int b = 0; b < blocks_per_bank; ++b, ++block) {
            for (const Line& line : block_lines(block, block == first ? block : block - 1)) append(out, line);
        }
        append(out, {"code ENDSG", "        .here"});
        append(out, {section + " ENDSC", "; end of bank"});
    }
    const int used = static_cast<int>(prelude().size()) + 2 * kBankLines + 2 * blocks_per_bank * kBlockLines;
    for (int padding = lines - used; padding > 0; --padding) append(out, {"; end of module", "; end of module"});
    return out;
}

}  // namespace dravlin_bench
