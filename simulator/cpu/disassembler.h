#pragma once
// Fixed-column disassembly for the simulator's code listing and the kernel's
// Disassemble entry.
#include <cstdint>
#include <string>
#include <string_view>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// Column widths of a line, packed as the layout word: bits 24-29 leading
// spaces, 18-23 address column, 12-17 byte column, 6-11 mnemonic column, 0-5
// operand column; bit 31 leaves out the decimal annotations.
struct DisassemblyLayout {
    std::uint32_t word;

    static constexpr DisassemblyLayout Make(unsigned lead, unsigned address, unsigned bytes, unsigned mnemonic,
                                            unsigned operand, bool decimal = true) {
        return {(lead & 63u) << 24 | (address & 63u) << 18 | (bytes & 63u) << 12 | (mnemonic & 63u) << 6 |
                (operand & 63u) | (decimal ? 0u : 0x80000000u)};
    }
    unsigned lead() const { return (word >> 24) & 63; }
    unsigned address() const { return (word >> 18) & 63; }
    unsigned bytes() const { return (word >> 12) & 63; }
    unsigned mnemonic() const { return (word >> 6) & 63; }
    unsigned operand() const { return word & 63; }
    bool decimal() const { return !(word & 0x80000000u); }
};

void HexByte(std::string& out, std::uint8_t value);
void HexWord(std::string& out, std::uint16_t value);
void Decimal(std::string& out, unsigned value, unsigned width);  // right-aligned, space-padded

// Appends one line (ending in CR LF); returns the instruction's length, 1 for
// an unreadable address.
int DisassembleLine(const KernelCore& core, std::uint16_t address, DisassemblyLayout layout, std::string& out);

struct Listing {
    std::string text;
    std::uint16_t start = 0;        // address of the first line
    std::uint32_t next = 0;         // address after the last line (0x10000 at the end)
    std::uint32_t linesBefore = 0;  // lines before `address` actually shown
    std::uint32_t linesAfter = 0;   // lines after it, fewer when the listing met $FFFF
};

// Lines around `address`: `lines` = lines before << 16 | lines after.
Listing DisassembleListing(const KernelCore& core, std::uint16_t address, std::uint32_t lines,
                           DisassemblyLayout layout);

}  // namespace simcpu
