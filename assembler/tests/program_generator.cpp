#include "assembler/tests/program_generator.h"

#include <array>

namespace dravlin_test {

namespace {

constexpr int kBlockLines = 20;

const char kPrelude[] =
    "; generated program: constants and macros every module shares\n"
    "ZP_A EQU 80H\n"
    "ZP_B EQU 81H\n"
    "K0 EQU 1\nK1 EQU 2\nK2 EQU 3\nK3 EQU 5\nK4 EQU 8\nK5 EQU 13\nK6 EQU 21\nK7 EQU 34\n"
    "add8 MACRO zp, n\n"
    "        LDA zp\n"
    "        CLC\n"
    "        ADC #n\n"
    "        STA zp\n"
    "ENDM\n"
    "delay MACRO n\n"
    "LOCAL again\n"
    "        LDX #n\n"
    "again:  DEX\n"
    "        BNE again\n"
    "ENDM\n";

const char kStartup[] =
    "EXTERN main:PROC\n"
    "startup SECTION BASEADDRESS:4000H LENGTH:1000H BANKNUMBER:0\n"
    "code SEGMENT\n"
    "reset PROC\n"
    "        JSR main\n"
    "        NOP\n"
    "        NOP\n"
    "        RTS\n"
    "reset ENDP\n"
    "farcall PROC\n"
    "        RTS\n"
    "farcall ENDP\n"
    "code ENDSG\n"
    "startup ENDSC\n"
    "PUBLIC reset, farcall\n";

int count_lines(const std::string& text) {
    int count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

std::string suffix(int module, int block) { return "_" + std::to_string(module) + "_" + std::to_string(block); }

// Every tenth block is a procedure that the previous bank calls; the first
// of module 0 is "main".
bool is_procedure(int block) { return block % 10 == 0; }

std::string routine_name(int module, int block) {
    if (module == 0 && block == 0) return "main";
    return (is_procedure(block) ? "p" : "r") + suffix(module, block);
}

// The 20 lines of routine `block` of `module`; `callee_module` is the module
// whose procedures it calls, `whole` whether all modules are one source.
std::array<std::string, kBlockLines> block_lines(int module, int block, int callee_module, bool whole) {
    const std::string name = routine_name(module, block);
    const std::string table = "tab" + suffix(module, block - block % 2);
    const bool calls_out = block % 10 == 5;
    const std::string callee = routine_name(callee_module, block - 5);
    std::array<std::string, kBlockLines> lines;
    lines[0] = "; routine " + std::to_string(module) + "." + std::to_string(block);
    lines[1] = is_procedure(block) ? name + " PROC" : name + ":";
    lines[2] = "        LDA #K" + std::to_string(block % 8);
    lines[3] = "        STA ZP_A";
    lines[4] = "        add8 ZP_A, " + std::to_string(block % 50 + 1);
    lines[5] = "        TAY";
    lines[6] = "        LDA " + table + ",Y";
    lines[7] = "        STA ZP_B";
    switch (block % 4) {
        case 0: lines[8] = "        delay " + std::to_string(block % 5 + 1); break;
        case 1: lines[8] = "        JSR " + routine_name(module, block - 1); break;
        case 2: lines[8] = "        LDA #C" + suffix(module, block - 2); break;
        default: lines[8] = "        CLC"; break;
    }
    if (calls_out) {
        lines[9] =
            whole ? "; " + callee + " is in bank " + std::to_string(callee_module + 1) : "EXTERN " + callee + ":PROC";
        lines[10] = "        JSR " + callee;
        lines[11] = "        NOP";
        lines[12] = "        NOP";
    } else {
        lines[9] = "; no call out of the bank";
    }
    lines[13] = "        RTS";
    if (is_procedure(block)) {
        lines[14] = name + " ENDP";
        lines[15] = "PUBLIC " + name;
    }
    if (block % 2 == 0) {
        lines[16] = table + ": DB " + std::to_string(block % 256) + ", 1, 2, 3";
        lines[17] = "        DW " + name;
    }
    if (block % 4 == 0) lines[18] = "C" + suffix(module, block) + " EQU " + std::to_string(block % 200);
    return lines;
}

// Module `module`'s section with its blocks, padded with comment lines to
// `lines` lines.
std::string module_body(int module, int modules, int lines, bool whole) {
    const std::string section = "bank" + std::to_string(module);
    std::string text = section + " SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:" + std::to_string(module + 1) +
                       "\ncode SEGMENT\n";
    const int blocks = (lines - 4) / kBlockLines;
    for (int block = 0; block < blocks; ++block) {
        for (const std::string& line : block_lines(module, block, (module + 1) % modules, whole)) text += line + "\n";
    }
    text += "code ENDSG\n" + section + " ENDSC\n";
    for (int padding = lines - 4 - blocks * kBlockLines; padding > 0; --padding) text += "; end of module\n";
    return text;
}

}  // namespace

GeneratedProgram generate_program(int modules, int lines_per_module) {
    GeneratedProgram program;
    const int prelude_lines = count_lines(kPrelude);
    program.whole = kPrelude;
    for (int module = 0; module < modules; ++module) {
        const int body_lines = lines_per_module - prelude_lines;
        program.modules.push_back(kPrelude + module_body(module, modules, body_lines, false));
        program.whole += module_body(module, modules, body_lines, true);
    }
    // The whole source states the prelude once: comments take the other lines.
    for (int line = prelude_lines * (modules - 1); line > 0; --line) program.whole += "; end of program\n";
    program.startup = kStartup;
    return program;
}

}  // namespace dravlin_test
