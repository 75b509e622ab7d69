#pragma once
// The debug-symbol file (.sym) that Dravlin writes beside each object: the
// types of the data a source declares (four basic sizes and its structures),
// which the object's variable rows point into by file offset.
#include <cstdint>

#include "formats/pack_check.h"

namespace formats {

#pragma pack(push, 1)

struct SymFileHeader {
    std::uint32_t zero;
    std::uint32_t type_record_count;
    std::uint32_t descriptor_count;
    std::uint32_t string_pool_offset;  // 16 + 16 x type records + 8 x descriptors
};

// Three forms share the layout (see the field comments):
//   basic row k (0-3):  {0, k, 0, 0, 0, 0}
//   structure header:   {name, kStructHeaderMarker, member count, 0, 0, 0}
//   member j (1..n):    {name, basic type 0-3 or 'A' descriptor index, 0, j, byte offset, 0}
struct SymTypeRecord {
    std::uint32_t name_offset;
    std::uint32_t type;           // descriptor index, member type, or kStructHeaderMarker
    std::uint16_t member_count;   // structure header only
    std::uint16_t member_number;  // member rows: 1..n
    std::uint16_t member_offset;  // member rows: bytes from the structure's start
    std::uint16_t reserved;
};

struct SymTypeDescriptor {
    std::uint8_t one;   // always 1
    std::uint8_t kind;  // SymDescriptorKind
    std::uint16_t reserved;
    std::uint32_t value;  // for 'A': the row of the structure's header
};

#pragma pack(pop)

inline constexpr std::uint32_t kStructHeaderMarker = 0xFFFFFFFF;
inline constexpr std::uint32_t kSymBasicTypeCount = 4;

// Row offset in the .sym file that an object's variable row names: 16 + 16 x row.
inline constexpr std::uint32_t sym_type_row_offset(std::uint32_t row) { return 16 + 16 * row; }

enum class SymDescriptorKind : std::uint8_t {
    Byte = 0x21,  // the low nibble is the size in bytes
    Word = 0x22,
    DoubleWord = 0x24,
    QuadWord = 0x28,
    Structure = 0x41,  // 'A'
};

static_assert(sizeof(SymFileHeader) == 16);
FORMATS_PIN(SymFileHeader, type_record_count, 4);
FORMATS_PIN(SymFileHeader, descriptor_count, 8);
FORMATS_PIN(SymFileHeader, string_pool_offset, 12);

static_assert(sizeof(SymTypeRecord) == 16);
FORMATS_PIN(SymTypeRecord, type, 4);
FORMATS_PIN(SymTypeRecord, member_count, 8);
FORMATS_PIN(SymTypeRecord, member_number, 10);
FORMATS_PIN(SymTypeRecord, member_offset, 12);

static_assert(sizeof(SymTypeDescriptor) == 8);
FORMATS_PIN(SymTypeDescriptor, kind, 1);
FORMATS_PIN(SymTypeDescriptor, value, 4);

}  // namespace formats
