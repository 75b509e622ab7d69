#pragma once
// The bank image (.LKE) and the debug map (.DEB) that Mossrel writes.
//
// Image: a table of 27 banks {file offset, length}, a 28-byte prefix, then
// bank 0: its 512-byte export table (whose first 64 bytes are the file head),
// the init_data bytes of the fixed data area and its code; then each further
// bank: its export table and its code.
//
// Debug map: a header, one entry per object, one per object per section, a
// block of object names, then one entry per segment {bank, start, end}.
#include <cstdint>

#include "formats/pack_check.h"

namespace formats {

inline constexpr int kImageBankCount = 27;
inline constexpr std::uint16_t kImagePrefixMark = 0x2455;
inline constexpr std::uint32_t kBankExportEntries = 256;
inline constexpr std::uint32_t kBankExportTableSize = 512;
inline constexpr std::uint32_t kHeadExportEntries = 32;   // bank 0's entries used by the head
inline constexpr std::uint32_t kBankWindowBase = 0x4000;  // device address of a bank's byte 0
inline constexpr std::uint32_t kBankMaxSize = 0x8000;
inline constexpr std::uint32_t kFixedDataBase = 0x1AC0;  // device address of the fixed data area
inline constexpr std::uint32_t kFixedDataSize = 0x2000;
inline constexpr std::uint32_t kDisplayNameLength = 16;

#pragma pack(push, 1)

struct ImageBankEntry {
    std::uint32_t file_offset;
    std::uint32_t length;  // 0 for unused banks
};

struct ImageBankTable {
    ImageBankEntry banks[kImageBankCount];
};

struct ImagePrefix {
    std::uint16_t mark;  // kImagePrefixMark
    std::uint8_t zero[26];
};

// The first 64 bytes of bank 0's export table.
struct ImageFileHead {
    std::uint16_t head_size;                // 0x0040
    char display_name[kDisplayNameLength];  // space-padded, not NUL-terminated
    std::uint8_t zero0[6];
    std::uint8_t kind;  // 'L'
    std::uint16_t reset_address;
    std::uint8_t signature[3];       // A5 AA 55
    std::uint8_t version_a[4];       // 01 00 00 00
    std::uint8_t version_b[4];       // 01 00 00 01
    std::uint16_t global_length;     // G
    std::uint16_t init_data_length;  // I
    std::uint16_t fixed_data_end;    // 0x1AC0 + G + I
    std::uint8_t zero1[20];
};

struct DebFileHeader {
    std::uint16_t object_count;
    std::uint16_t reserved;
    std::uint32_t name_block_offset;
};

struct DebObjectEntry {
    std::uint32_t name_offset;  // within the name block
    std::uint16_t section_count;
    std::uint16_t reserved;
    std::uint32_t first_section_offset;  // file offset of its first DebSectionEntry
};

struct DebSectionEntry {
    std::uint32_t first_segment_offset;  // file offset of its first DebSegmentEntry
    std::uint16_t segment_count;
    std::uint16_t reserved;
};

struct DebSegmentEntry {
    std::uint8_t bank;
    std::uint8_t reserved;
    std::uint16_t start_address;
    std::uint16_t end_address;  // exclusive
};

#pragma pack(pop)

inline constexpr std::uint32_t kImagePrefixOffset = 216;
inline constexpr std::uint32_t kImageBank0Offset = 244;
inline constexpr std::uint32_t kImageInitDataOffset = 756;
inline constexpr std::uint8_t kImageHeadKind = 'L';
inline constexpr std::uint8_t kImageHeadSignature[3] = {0xA5, 0xAA, 0x55};
inline constexpr std::uint8_t kImageHeadVersionA[4] = {0x01, 0x00, 0x00, 0x00};
inline constexpr std::uint8_t kImageHeadVersionB[4] = {0x01, 0x00, 0x00, 0x01};

static_assert(sizeof(ImageBankEntry) == 8);
FORMATS_PIN(ImageBankEntry, length, 4);
static_assert(sizeof(ImageBankTable) == kImagePrefixOffset);
static_assert(sizeof(ImagePrefix) == 28);
static_assert(kImagePrefixOffset + sizeof(ImagePrefix) == kImageBank0Offset);
static_assert(kImageBank0Offset + kBankExportTableSize == kImageInitDataOffset);
static_assert(kBankExportEntries * 2 == kBankExportTableSize);

static_assert(sizeof(ImageFileHead) == 64);
static_assert(sizeof(ImageFileHead) == kHeadExportEntries * 2);
FORMATS_PIN(ImageFileHead, display_name, 2);
FORMATS_PIN(ImageFileHead, zero0, 18);
FORMATS_PIN(ImageFileHead, kind, 24);
FORMATS_PIN(ImageFileHead, reset_address, 25);
FORMATS_PIN(ImageFileHead, signature, 27);
FORMATS_PIN(ImageFileHead, version_a, 30);
FORMATS_PIN(ImageFileHead, version_b, 34);
FORMATS_PIN(ImageFileHead, global_length, 38);
FORMATS_PIN(ImageFileHead, init_data_length, 40);
FORMATS_PIN(ImageFileHead, fixed_data_end, 42);
FORMATS_PIN(ImageFileHead, zero1, 44);

static_assert(sizeof(DebFileHeader) == 8);
FORMATS_PIN(DebFileHeader, name_block_offset, 4);
static_assert(sizeof(DebObjectEntry) == 12);
FORMATS_PIN(DebObjectEntry, section_count, 4);
FORMATS_PIN(DebObjectEntry, first_section_offset, 8);
static_assert(sizeof(DebSectionEntry) == 8);
FORMATS_PIN(DebSectionEntry, segment_count, 4);
static_assert(sizeof(DebSegmentEntry) == 6);
FORMATS_PIN(DebSegmentEntry, start_address, 2);
FORMATS_PIN(DebSegmentEntry, end_address, 4);

}  // namespace formats
