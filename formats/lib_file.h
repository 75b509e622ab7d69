#pragma once
// The library file (.lib) that Vostrel writes: "IL", a member count, a table
// of {member offset, name offset}, the member object files whole, then the
// member names, NUL-terminated. All offsets are absolute; nothing is aligned.
#include <cstdint>

#include "formats/pack_check.h"

namespace formats {

#pragma pack(push, 1)

struct LibFileHeader {
    std::uint16_t magic;  // kLibMagic
    std::uint16_t member_count;
};

struct LibMemberEntry {
    std::uint32_t object_offset;
    std::uint32_t name_offset;
};

#pragma pack(pop)

inline constexpr std::uint16_t kLibMagic = 0x4C49;  // the bytes "IL"
inline constexpr std::uint32_t kLibMemberTableOffset = 4;

static_assert(sizeof(LibFileHeader) == 4);
FORMATS_PIN(LibFileHeader, member_count, 2);
static_assert(sizeof(LibMemberEntry) == 8);
FORMATS_PIN(LibMemberEntry, name_offset, 4);

}  // namespace formats
