#pragma once
// Translation of CPU addresses into places in the three memories, and the bank
// registers that change it. Every remap writes the page offset, bank number and
// rights into the block at once, so the IDE always sees the current map.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// A host place for a CPU address. `run` counts the bytes from `at` to the end
// of its area (I/O latches, low block, or the backed part of one 8 KB page).
// An address that no memory backs has no place and no rights.
struct Place {
    std::uint8_t* at = nullptr;
    std::uint8_t rights = 0;
    std::uint32_t run = 0;

    bool readable() const { return rights & formats::PageRight::kReadable; }
    bool writable() const { return rights & formats::PageRight::kWritable; }
};

// $00-$3F show the write latches: only the interpreters' operand reads go
// through the read latches. Inline: every access of the checked interpreter maps.
inline Place MapAddress(const KernelCore& core, std::uint16_t address) {
    constexpr std::uint8_t kReadWrite = formats::PageRight::kReadable | formats::PageRight::kWritable;
    constexpr std::uint32_t kPageSize = 0x2000;
    if (address < 0x40) {
        return {core.block->write_latches + address, kReadWrite | formats::PageRight::kInternalRam, 0x40u - address};
    }
    if (address < 0x80) {
        return {core.lowBlock + (address - 0x40), core.block->page_rights[0], 0x80u - address};
    }
    int page = address >> 13;
    std::uint32_t offset = address & (kPageSize - 1);
    const PageWindow& window = core.pages[page];
    if (offset >= window.limit) return {};
    return {window.base + offset, core.block->page_rights[page], window.limit - offset};
}

// MapAddress for an instruction's operand: also keeps the page rights in state bits 6-7.
inline Place MapOperand(KernelCore& core, std::uint16_t address) {
    Place place = MapAddress(core, address);
    core.state =
        static_cast<std::uint8_t>((core.state & ~StateBit::kRightsMask) | (place.rights & StateBit::kRightsMask));
    return place;
}

// The place without regard to rights, for breakpoint entries.
std::uint8_t* MapPlain(const KernelCore& core, std::uint16_t address);

// The place of a banked breakpoint entry (bank in bits 16-23), or null.
std::uint8_t* MapBankedEntry(const KernelCore& core, std::uint32_t entry);

// The word at $FFFA, $FFFC or $FFFE, read through page 7 without a rights check.
std::uint16_t VectorWord(const KernelCore& core, std::uint16_t vector);

// The reset mapping of every page and of the low block.
void ResetMapping(KernelCore& core);

// Re-apply one bank register ($00, $0A, $0D, $0F) whose bits `changed` differ
// from the previous value.
void RemapBanks(KernelCore& core, std::uint8_t reg, std::uint8_t changed);

}  // namespace simcpu
