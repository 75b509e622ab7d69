#include "ide/debugger/disassembler.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ide/debugger/debug_target.h"
#include "ide/debugger/opcodes.h"
#include "ide/debugger/target_memory.h"

namespace ide {

namespace {

// Text before and after the operand of each addressing mode.
struct ModeText {
    const char* prefix;
    const char* suffix;
};

ModeText mode_text(AddressMode mode) {
    switch (mode) {
        case AddressMode::Accumulator: return {"A", "\t"};
        case AddressMode::Immediate: return {"#", "\t"};
        case AddressMode::ZeroPageX:
        case AddressMode::AbsoluteX: return {"", ",x\t"};
        case AddressMode::ZeroPageY:
        case AddressMode::AbsoluteY: return {"", ",y\t"};
        case AddressMode::IndirectX: return {"(", ",x)\t"};
        case AddressMode::IndirectY: return {"(", "),y\t"};
        case AddressMode::Indirect: return {"(", ")\t"};
        default: return {"", "\t"};
    }
}

template <class... Args>
std::string format(const char* pattern, Args... args) {
    char line[128];
    std::snprintf(line, sizeof line, pattern, args...);
    return line;
}

// The 64 KB image plus two spare bytes, so the operands of an instruction at
// 0xFFFE or 0xFFFF read as 0.
constexpr std::size_t kImageSize = 0x10000 + 2;

}  // namespace

std::string disassemble_one(std::uint32_t address, const std::uint8_t* bytes, unsigned& length) {
    const std::uint8_t opcode = bytes[0];
    const OpcodeInfo& info = opcode_info(opcode);
    length = instruction_length(info.mode);
    if (length == 0) {
        length = 1;
        return format("%04X: %02X        DB\t $%02X\t\t[%5d]\r\n", address, opcode, opcode, opcode);
    }
    const ModeText text = mode_text(info.mode);
    const std::string mnemonic = "\t" + std::string(info.mnemonic) + "  " + text.prefix;
    const std::string suffix = text.suffix;
    if (length == 1) return format("%04X: %02X      %s\t\r\n", address, opcode, mnemonic.c_str());
    if (length == 2) {
        const unsigned operand = bytes[1];
        if (info.mode == AddressMode::Relative) {
            const int target = static_cast<int>(address) + 2 + static_cast<std::int8_t>(bytes[1]);
            return format("%04X: %02X %02X   %s$%04X%s\t[%5d]\r\n", address, opcode, operand, mnemonic.c_str(), target,
                          suffix.c_str(), target);
        }
        const char* pattern =
            suffix.size() >= 4 ? "%04X: %02X %02X   %s$%02X%s[%5d]\r\n" : "%04X: %02X %02X   %s$%02X%s\t[%5d]\r\n";
        return format(pattern, address, opcode, operand, mnemonic.c_str(), operand, suffix.c_str(), operand);
    }
    const unsigned word = bytes[1] | bytes[2] << 8;
    const char* pattern =
        suffix.size() >= 2 ? "%04X: %02X %02X %02X%s$%04X%s[%5d]\r\n" : "%04X: %02X %02X %02X%s$%04X%s\t[%5d]\r\n";
    return format(pattern, address, opcode, unsigned{bytes[1]}, unsigned{bytes[2]}, mnemonic.c_str(), word,
                  suffix.c_str(), word);
}

int DisassembleRange(const TargetMemory& memory, DisassemblyPane& pane, std::uint16_t start, std::uint16_t end,
                     std::uint16_t pc) {
    const std::uint32_t from = start < 256 ? 0 : start - 256u;
    const std::uint32_t to = std::min<std::uint32_t>(end + 256u, 0xFFFF);
    pane.Clear();

    std::vector<std::uint8_t> image(kImageSize, 0);
    for (std::uint32_t at = from; at <= to;) {
        auto run = memory.translate(static_cast<std::uint16_t>(at));
        if (!run) {
            ++at;  // unbacked bytes read as 0
            continue;
        }
        const std::uint32_t take = std::min<std::uint32_t>(run->left, to - at + 1);
        std::copy(run->bytes, run->bytes + take, image.begin() + at);
        at += take;
    }

    int first_mark = -1, last_mark = -1, pc_mark = -1;
    int line = 0;
    // The decoding address is 32-bit so that it never wraps back to 0.
    for (std::uint32_t at = from; at < to; ++line) {
        if (at == start) {
            first_mark = line;
        } else if (at == end) {
            last_mark = line - 1;
        }
        if (at == pc) pc_mark = line;
        unsigned length = 0;
        const std::string text = disassemble_one(at, image.data() + at, length);
        if (!pane.AddLine(text)) return -1;
        at += length;
    }
    pane.SetMarkLines(first_mark, last_mark, pc_mark);
    return 0;
}

int DisassembleSession(const CDebugTarget& session, DisassemblyPane& pane) {
    return DisassembleRange(session.memory(), pane, session.line_start(), session.line_end(), session.stop_pc());
}

}  // namespace ide
