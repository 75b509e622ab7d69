#pragma once
// The largest file of each format that its readers take; a larger one is
// refused before a byte is read. The kit's binary formats place their parts
// by 32-bit file offsets (an object's own size field is 32 bits), so none of
// them can be larger than the last byte such an offset reaches.
#include <cstdint>

namespace formats {

inline constexpr std::uint64_t kLargest32BitOffsetFile = 0xFFFFFFFF;

inline constexpr std::uint64_t kLargestObjFile = kLargest32BitOffsetFile;    // .obj
inline constexpr std::uint64_t kLargestSymFile = kLargest32BitOffsetFile;    // .sym
inline constexpr std::uint64_t kLargestLibFile = kLargest32BitOffsetFile;    // .lib
inline constexpr std::uint64_t kLargestImageFile = kLargest32BitOffsetFile;  // .LKE and its .DEB map
inline constexpr std::uint64_t kLargestSkinFile = kLargest32BitOffsetFile;   // .cfs
inline constexpr std::uint64_t kLargestCsyFile = kLargest32BitOffsetFile;    // .csy

// Text files the tools write for the IDE (messages, tables, projects): far
// beyond any real one, a bound against a stray huge file.
inline constexpr std::uint64_t kLargestToolText = std::uint64_t{64} << 20;

}  // namespace formats
