#pragma once
// The memory window's model of target memory: where each address region lies
// in the simulator's two views, which regions are writable and which share
// memory (aliases), and which bytes changed since the target last ran.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ide/debugger/target_memory.h"

namespace ide {

enum class ByteWrite { Written, SameValue, NotWritable };

class CMemImage {
public:
    static constexpr int kRegionCount = 10;
    static constexpr std::int32_t kNoAlias = -1;

    explicit CMemImage(TargetViews views);

    // After a stop: rebuilds the regions; the first time fills the compare
    // copy, afterwards marks every byte that differs from it.
    void Refresh();
    // Before the target runs: the values to compare the next stop with.
    void Snapshot();

    // Bytes from `address` on, at most up to 0xFFFF and only as far as memory
    // is backed; returns how many were delivered.
    std::size_t Read(std::uint16_t address, std::span<std::uint8_t> out) const;
    std::optional<std::uint8_t> ReadByte(std::uint16_t address) const;
    // Stores one byte; on `Written` sets `alias` to the address that shares it
    // (the byte's own address when none).
    ByteWrite WriteByte(std::uint16_t address, std::uint8_t value, std::uint16_t& alias);

    bool IsChanged(std::uint16_t address) const { return changed_[address >> 3] & (1u << (address & 7)); }
    bool IsWritable(std::uint16_t address) const;

private:
    struct Region {
        std::uint32_t start = 0, end = 0;  // target addresses, end exclusive
        std::uint8_t* host = nullptr;      // null when unbacked
        std::uint32_t backed = 0;          // bytes of the region the view holds
        bool writable = false;
        std::int32_t alias = kNoAlias;  // address of the region sharing its memory
        std::uint8_t flags = 0;         // the page's flags
    };

    const Region& region_of(std::uint16_t address) const;
    void mark(std::uint16_t address) { changed_[address >> 3] |= static_cast<std::uint8_t>(1u << (address & 7)); }
    void copy_region(const Region& region);
    std::uint16_t alias_of(const Region& region, std::uint16_t address) const;

    TargetMemory memory_;
    std::array<std::uint8_t, 0x2000> changed_{};
    bool first_refresh_ = true;
    std::vector<std::uint8_t> compare_;
    std::array<Region, kRegionCount> regions_{};
};

}  // namespace ide
