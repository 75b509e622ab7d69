#include "simulator/cpu/memory_map.h"

#include <algorithm>

namespace simcpu {
namespace {

using namespace formats;

enum class Memory { InternalRam, ExternalRam, Rom };

constexpr std::uint32_t kPageSize = 0x2000;
constexpr std::uint32_t kBankUnit = 0x1000;  // bank numbers count 4 KB

// 4 KB banks that $0A bits 0-3 put at $C000-$DFFF; 6 is the external RAM.
constexpr std::uint8_t kPage6Banks[16] = {4, 6, 0, 2, 12, 14, 8, 10, 20, 22, 16, 18, 28, 30, 24, 26};
constexpr std::uint8_t kPage6ExternalBank = 6;

std::uint8_t* MemoryStart(const KernelCore& core, Memory memory) {
    switch (memory) {
        case Memory::InternalRam: return core.internalRam;
        case Memory::ExternalRam: return core.externalRam;
        case Memory::Rom: return core.rom;
    }
    return nullptr;
}

std::uint32_t MemorySize(const KernelCore& core, Memory memory) {
    switch (memory) {
        case Memory::InternalRam: return core.internalRamSize;
        case Memory::ExternalRam: return core.externalRamSize;
        case Memory::Rom: return core.romSize;
    }
    return 0;
}

std::uint8_t* PlaceIn(const KernelCore& core, Memory memory, std::uint64_t offset) {
    return offset < MemorySize(core, memory) ? MemoryStart(core, memory) + offset : nullptr;
}

void SetPage(KernelCore& core, int page, Memory memory, std::uint32_t bank) {
    static constexpr std::uint8_t kRights[] = {0xC0 | PageRight::kInternalRam, 0xC0 | PageRight::kExternalRam,
                                               PageRight::kReadable | PageRight::kRom};
    std::uint64_t offset = std::uint64_t{bank} * kBankUnit;
    std::uint32_t size = MemorySize(core, memory);
    std::uint8_t rights = kRights[static_cast<int>(memory)];
    PageWindow window;
    if (offset < size) {
        window = {MemoryStart(core, memory) + offset,
                  static_cast<std::uint32_t>(std::min<std::uint64_t>(kPageSize, size - offset))};
    } else {
        rights &= PageRight::kKindMask;
    }
    core.pages[page] = window;

    std::uint64_t imageOffset = offset;
    if (memory == Memory::InternalRam) imageOffset += kBlockSize;
    if (memory == Memory::ExternalRam) imageOffset += kBlockSize + core.internalRamSize;
    core.block->page_offsets[page] = static_cast<std::uint32_t>(imageOffset);
    core.block->bank_numbers[page] = static_cast<std::uint16_t>(bank);
    core.block->page_rights[page] = rights;
}

// Pages 2-5 show a 32 KB slot n with its halves swapped: 4 KB banks 8n+4,
// 8n+6 at $4000-$7FFF and 8n, 8n+2 at $8000-$BFFF.
void SetSlot(KernelCore& core, Memory memory, std::uint32_t n) {
    static constexpr std::uint32_t kSwapped[] = {4, 6, 0, 2};
    for (int i = 0; i < 4; ++i) SetPage(core, 2 + i, memory, 8 * n + kSwapped[i]);
}

void MapWindowPages(KernelCore& core) {
    const std::uint8_t* latch = core.block->write_latches;
    std::uint8_t bank = latch[0x00];
    if (latch[0x0A] & 0x80) {
        SetSlot(core, Memory::ExternalRam, bank & 0x0F);
        return;
    }
    std::uint32_t n = bank;
    if ((latch[0x0D] & 0x01) && (bank & 0x80)) n = 256 + (bank & 0x7F);
    if (n != 0) {
        SetSlot(core, Memory::Rom, n);
        return;
    }
    SetPage(core, 2, Memory::ExternalRam, 4);
    SetPage(core, 3, Memory::ExternalRam, 6);
    SetPage(core, 4, Memory::Rom, 0);
    SetPage(core, 5, Memory::Rom, 2);
}

void MapPage6(KernelCore& core) {
    std::uint8_t bank = kPage6Banks[core.block->write_latches[0x0A] & 0x0F];
    SetPage(core, 6, bank == kPage6ExternalBank ? Memory::ExternalRam : Memory::Rom, bank);
}

// Internal RAM offset that a $0F value puts at $0040-$007F.
std::uint32_t LowBlockOffset(std::uint8_t select) {
    select &= 7;
    if (select == 0) return 0x40;
    if (select < 4) return 0x00;
    return 0x200 + (select & 3) * 0x40;
}

void MapLowBlock(KernelCore& core) {
    std::uint32_t offset = LowBlockOffset(core.block->write_latches[0x0F]);
    core.lowBlock = core.internalRam + offset;
    core.block->low_block_offset = kBlockSize + offset;
}

}  // namespace

std::uint8_t* MapPlain(const KernelCore& core, std::uint16_t address) { return MapAddress(core, address).at; }

std::uint8_t* MapBankedEntry(const KernelCore& core, std::uint32_t entry) {
    std::uint32_t address = entry & BreakEntry::kAddressMask;
    std::uint32_t bank = (entry & BreakEntry::kBankMask) >> BreakEntry::kBankShift;
    if (address >= 0x40 && address < 0x80) {
        return PlaceIn(core, Memory::InternalRam, LowBlockOffset(bank & 7) + (address - 0x40));
    }
    if (address >= 0x4000 && address < 0xC000) {
        std::uint32_t swapped = ((address & 0xE000) - 0x4000) ^ 0x4000;
        std::uint64_t offset = (std::uint64_t{bank} << 15) + swapped + (address & 0x1FFF);
        bool external = (entry & BreakEntry::kExternalBank) || (bank == 0 && (swapped & 0x4000));
        return PlaceIn(core, external ? Memory::ExternalRam : Memory::Rom, offset);
    }
    if (address >= 0xC000 && address < 0xE000) {
        std::uint8_t table = kPage6Banks[bank & 15];
        std::uint64_t offset = std::uint64_t{table} * kBankUnit + (address - 0xC000);
        return PlaceIn(core, table == kPage6ExternalBank ? Memory::ExternalRam : Memory::Rom, offset);
    }
    return MapPlain(core, static_cast<std::uint16_t>(address));
}

std::uint16_t VectorWord(const KernelCore& core, std::uint16_t vector) {
    // Setup makes sure the ROM backs all of page 7.
    const std::uint8_t* at = core.pages[7].base + (vector & (kPageSize - 1));
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

void ResetMapping(KernelCore& core) {
    SetPage(core, 0, Memory::InternalRam, 0);
    SetPage(core, 1, Memory::InternalRam, 2);
    SetPage(core, 2, Memory::ExternalRam, 4);
    SetPage(core, 3, Memory::ExternalRam, 6);
    for (int page = 4; page < 8; ++page) SetPage(core, page, Memory::Rom, 2 * (page - 4));
    MapLowBlock(core);
}

void RemapBanks(KernelCore& core, std::uint8_t reg, std::uint8_t changed) {
    switch (reg) {
        case 0x00:
            if (changed) MapWindowPages(core);
            break;
        case 0x0A:
            if (changed & 0x80) MapWindowPages(core);
            if (changed & 0x0F) MapPage6(core);
            break;
        case 0x0D:
            if (changed & 0x01) MapWindowPages(core);
            break;
        case 0x0F:
            if (changed & 0x07) MapLowBlock(core);
            break;
        default: break;
    }
}

}  // namespace simcpu
