#include "ide/debugger/mem_image.h"

#include <algorithm>
#include <cstring>

namespace ide {

namespace {

constexpr std::uint32_t kRegionStarts[CMemImage::kRegionCount + 1] = {0x0000, 0x0040, 0x0080, 0x2000, 0x4000, 0x6000,
                                                                      0x8000, 0xA000, 0xC000, 0xE000, 0x10000};
// Where the low area may lie inside page 0, and the address it then shares.
constexpr std::uint32_t kLowAreaPlaces[] = {0x200, 0x240, 0x280, 0x2C0};

}  // namespace

CMemImage::CMemImage(TargetViews views) : memory_(views), compare_(0x10000, 0) {}

void CMemImage::Refresh() {
    for (int r = 0; r < kRegionCount; ++r) {
        Region& region = regions_[static_cast<std::size_t>(r)];
        region = Region{kRegionStarts[r], kRegionStarts[r + 1]};
        const unsigned page = region.start >> 13;
        region.flags = memory_.page_flags(page).value_or(0);
        if (auto run = memory_.translate(static_cast<std::uint16_t>(region.start))) {
            region.host = const_cast<std::uint8_t*>(run->bytes);
            region.backed = std::min(run->left, region.end - region.start);
        }
    }
    Region& io = regions_[0];
    Region& low = regions_[1];
    Region& page0 = regions_[2];
    low.writable = low.host && low.host != io.host;
    for (int r = 2; r < kRegionCount; ++r) {
        Region& region = regions_[static_cast<std::size_t>(r)];
        region.writable = region.host && (region.flags & ControlBlock::kPageWritable) &&
                          (region.flags & ControlBlock::kPageInControlView);
    }
    for (int a = 0; a < kRegionCount; ++a) {
        for (int b = 0; b < kRegionCount; ++b) {
            Region& one = regions_[static_cast<std::size_t>(a)];
            const Region& other = regions_[static_cast<std::size_t>(b)];
            if (a != b && one.host && one.host == other.host && one.alias == kNoAlias)
                one.alias = static_cast<std::int32_t>(other.start);
        }
    }
    // Page 0's region starts at 0x80; its memory starts 0x80 bytes earlier.
    if (low.host && page0.host && low.alias == kNoAlias) {
        const std::uint8_t* page_start = page0.host - 0x80;
        for (std::uint32_t place : kLowAreaPlaces) {
            if (low.host == page_start + place) {
                low.alias = static_cast<std::int32_t>(place);
                break;
            }
        }
    }

    if (first_refresh_) {
        std::fill(compare_.begin(), compare_.end(), 0);
        for (const Region& region : regions_) {
            if (region.flags & ControlBlock::kPageInCompareCopy) copy_region(region);
        }
        first_refresh_ = false;
        return;
    }
    changed_.fill(0);
    for (const Region& region : regions_) {
        for (std::uint32_t i = 0; i < region.backed; ++i) {
            if (region.host[i] != compare_[region.start + i]) mark(static_cast<std::uint16_t>(region.start + i));
        }
    }
}

void CMemImage::copy_region(const Region& region) {
    if (region.host) std::memcpy(compare_.data() + region.start, region.host, region.backed);
}

void CMemImage::Snapshot() {
    copy_region(regions_[0]);
    copy_region(regions_[1]);
    for (int r = 2; r < kRegionCount; ++r) {
        const Region& region = regions_[static_cast<std::size_t>(r)];
        if (region.writable) copy_region(region);
    }
}

const CMemImage::Region& CMemImage::region_of(std::uint16_t address) const {
    int r = kRegionCount - 1;
    while (kRegionStarts[r] > address) --r;
    return regions_[static_cast<std::size_t>(r)];
}

bool CMemImage::IsWritable(std::uint16_t address) const {
    const Region& region = region_of(address);
    return region.writable && address - region.start < region.backed;
}

std::optional<std::uint8_t> CMemImage::ReadByte(std::uint16_t address) const {
    const Region& region = region_of(address);
    if (address - region.start >= region.backed) return std::nullopt;
    return region.host[address - region.start];
}

std::size_t CMemImage::Read(std::uint16_t address, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    for (std::uint32_t at = address; done < out.size() && at <= 0xFFFF; ++at, ++done) {
        auto byte = ReadByte(static_cast<std::uint16_t>(at));
        if (!byte) break;
        out[done] = *byte;
    }
    return done;
}

std::uint16_t CMemImage::alias_of(const Region& region, std::uint16_t address) const {
    if (region.alias != kNoAlias)
        return static_cast<std::uint16_t>(static_cast<std::uint32_t>(region.alias) + (address - region.start));
    // Page 0 bytes that the low area shows.
    const Region& low = regions_[1];
    if (low.alias != kNoAlias && address >= low.alias && address < low.alias + 0x40u)
        return static_cast<std::uint16_t>(0x40 + address - static_cast<std::uint32_t>(low.alias));
    return address;
}

ByteWrite CMemImage::WriteByte(std::uint16_t address, std::uint8_t value, std::uint16_t& alias) {
    const Region& region = region_of(address);
    auto current = ReadByte(address);
    if (current && *current == value) return ByteWrite::SameValue;
    if (!current || !IsWritable(address)) return ByteWrite::NotWritable;
    region.host[address - region.start] = value;
    mark(address);
    alias = alias_of(region, address);
    if (alias != address) mark(alias);
    return ByteWrite::Written;
}

}  // namespace ide
