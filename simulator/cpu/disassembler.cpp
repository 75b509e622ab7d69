#include "simulator/cpu/disassembler.h"

#include <deque>
#include <optional>

#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/opcode_table.h"

namespace simcpu {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";
constexpr unsigned kBytesWidth = 9;  // "A9 41 00 "

// Operand formats by mode: b byte, w word, r branch target; a digit and B, W
// or R append that many spaces and the value in decimal.
constexpr std::string_view kFormats[] = {
    "",       "#$b6B",  "$w5W",     "$b7B",     "",     "($w)3W", "$w,X3W", "$w,Y3W",
    "$b,X5B", "$b,Y5B", "($b,X)3B", "($b),Y3B", "$r5R", "A",      "$w5W",
};

void Pad(std::string& out, std::size_t lineStart, unsigned column) {
    if (out.size() - lineStart < column) out.append(lineStart + column - out.size(), ' ');
}

void Spaces(std::string& out, unsigned count) { out.append(count, ' '); }

std::optional<std::uint8_t> ReadByte(const KernelCore& core, std::uint32_t address) {
    if (address > 0xFFFF) return std::nullopt;
    Place place = MapAddress(core, static_cast<std::uint16_t>(address));
    if (!place.readable()) return std::nullopt;
    return *place.at;
}

void HexOrUnknown(std::string& out, std::optional<std::uint8_t> byte) {
    if (byte) {
        HexByte(out, *byte);
    } else {
        out += "??";
    }
}

struct Operands {
    std::optional<std::uint8_t> low, high;
    std::uint16_t address = 0;

    std::optional<unsigned> byte() const { return low ? std::optional<unsigned>(*low) : std::nullopt; }
    std::optional<unsigned> word() const {
        if (!low || !high) return std::nullopt;
        return *low | *high << 8;
    }
    std::optional<unsigned> target() const {
        if (!low) return std::nullopt;
        return (address + 2u + static_cast<std::int8_t>(*low)) & 0xFFFF;
    }
};

void FormatOperand(std::string& out, std::string_view format, const Operands& ops, bool decimal) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c >= '0' && c <= '9' && i + 1 < format.size()) {
            char kind = format[++i];
            auto value = kind == 'B' ? ops.byte() : kind == 'W' ? ops.word() : ops.target();
            if (!decimal || !value) continue;
            Spaces(out, static_cast<unsigned>(c - '0'));
            out += '[';
            Decimal(out, *value, 5);
            out += ']';
        } else if (c == 'b') {
            HexOrUnknown(out, ops.low);
        } else if (c == 'w') {
            HexOrUnknown(out, ops.high);
            HexOrUnknown(out, ops.low);
        } else if (c == 'r') {
            if (auto target = ops.target()) {
                HexWord(out, static_cast<std::uint16_t>(*target));
            } else {
                out += "????";
            }
        } else {
            out += c;
        }
    }
}

// Instruction length at `address` as the listing walks it.
int LengthAt(const KernelCore& core, std::uint32_t address) {
    auto opcode = ReadByte(core, address);
    return opcode ? OpcodeTable()[*opcode].length() : 1;
}

}  // namespace

void HexByte(std::string& out, std::uint8_t value) {
    out += kDigits[value >> 4];
    out += kDigits[value & 15];
}

void HexWord(std::string& out, std::uint16_t value) {
    HexByte(out, static_cast<std::uint8_t>(value >> 8));
    HexByte(out, static_cast<std::uint8_t>(value));
}

void Decimal(std::string& out, unsigned value, unsigned width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) Spaces(out, static_cast<unsigned>(width - digits.size()));
    out += digits;
}

int DisassembleLine(const KernelCore& core, std::uint16_t address, DisassemblyLayout layout, std::string& out) {
    Spaces(out, layout.lead());
    std::size_t start = out.size();
    HexWord(out, address);
    out += ": ";
    Pad(out, start, layout.address());
    std::size_t bytesStart = out.size();

    auto opcode = ReadByte(core, address);
    if (!opcode) {
        out += "??";
        Pad(out, bytesStart, kBytesWidth);
        Pad(out, bytesStart, layout.bytes());
        out += "???";
        unsigned rest = layout.mnemonic() + layout.operand();
        if (rest > 3) Spaces(out, rest - 3);
        out += "\r\n";
        return 1;
    }

    const OpcodeInfo& info = OpcodeTable()[*opcode];
    Operands ops;
    ops.address = address;
    if (info.length() > 1) ops.low = ReadByte(core, address + 1u);
    if (info.length() > 2) ops.high = ReadByte(core, address + 2u);

    HexByte(out, *opcode);
    out += ' ';
    for (int i = 1; i < info.length(); ++i) {
        HexOrUnknown(out, i == 1 ? ops.low : ops.high);
        out += ' ';
    }
    Pad(out, bytesStart, kBytesWidth);
    Pad(out, bytesStart, layout.bytes());

    std::size_t mnemonicStart = out.size();
    out += MnemonicText(info.op());
    out += ' ';
    Pad(out, mnemonicStart, layout.mnemonic());

    std::size_t operandStart = out.size();
    FormatOperand(out, kFormats[static_cast<int>(info.mode())], ops, layout.decimal());
    Pad(out, operandStart, layout.operand());
    out += "\r\n";
    return info.length();
}

Listing DisassembleListing(const KernelCore& core, std::uint16_t address, std::uint32_t lines,
                           DisassemblyLayout layout) {
    std::uint32_t before = lines >> 16;
    std::uint32_t after = lines & 0xFFFF;
    std::uint32_t start = address;
    if (before > 0) {
        std::uint32_t walk = address >= 6 * before ? address - 6 * before : 0;
        std::deque<std::uint32_t> starts;
        while (walk < address) {
            starts.push_back(walk);
            if (starts.size() > before) starts.pop_front();
            walk += static_cast<std::uint32_t>(LengthAt(core, walk));
        }
        if (!starts.empty()) start = starts.front();
    }

    Listing listing;
    listing.start = static_cast<std::uint16_t>(start);
    std::uint32_t at = start;
    std::uint32_t shownBefore = 0;
    std::uint32_t shownAfter = 0;
    bool reached = false;
    while (at <= 0xFFFF) {
        if (!reached && at >= address) reached = true;
        if (reached && shownAfter == after + 1) break;
        at += static_cast<std::uint32_t>(DisassembleLine(core, static_cast<std::uint16_t>(at), layout, listing.text));
        if (reached) {
            ++shownAfter;
        } else {
            ++shownBefore;
        }
    }
    listing.next = at;
    listing.linesBefore = shownBefore;
    listing.linesAfter = shownAfter > 0 ? shownAfter - 1 : 0;
    return listing;
}

}  // namespace simcpu
