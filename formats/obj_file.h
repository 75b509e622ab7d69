#pragma once
// The object file (.obj) that Dravlin writes for one source: a 72-byte header
// of table offsets and counts, fixed-size tables, a string pool and the code of
// each segment. No magic and no version; all offsets are absolute file offsets
// except name offsets, which count from the start of the string pool.
#include <cstdint>

#include "formats/pack_check.h"

namespace formats {

#pragma pack(push, 1)

struct ObjFileHeader {
    std::uint16_t zero0;
    std::uint16_t reserved0;
    std::uint32_t zero1;
    std::uint32_t file_size;        // includes the entry record when present
    std::uint32_t sections_offset;  // always 72
    std::uint32_t publics_offset;
    std::uint32_t zero2;
    std::uint32_t string_pool_offset;
    std::uint32_t lines_offset;
    std::uint32_t symbols_offset;
    std::uint32_t zero3;
    std::uint32_t procedures_offset;
    std::uint32_t entry_offset;  // 0 when the source names no entry point
    std::uint32_t source_files_offset;
    std::uint32_t segments_offset;
    std::uint16_t section_count;
    std::uint16_t public_count;
    std::uint16_t zero4;
    std::uint16_t line_count;
    std::uint16_t symbol_count;
    std::uint16_t procedure_count;
    std::uint16_t source_file_count;
    std::uint16_t reserved1;
};

struct ObjSectionRecord {
    std::uint16_t base_address;
    std::uint16_t length;
    std::uint16_t bank_number;
    std::uint16_t reserved0;
    std::uint32_t name_offset;
    std::uint32_t first_segment_offset;  // file offset of its first ObjSegmentRecord
    std::uint16_t segment_count;
    std::uint16_t reserved1;
};

struct ObjSegmentRecord {
    std::uint16_t reserved0;
    std::uint16_t code_length;
    std::uint32_t name_offset;  // the name "init_data" marks a data area
    std::uint32_t code_offset;
    std::uint32_t first_fixup_offset;  // file offset of its first ObjFixupRecord
    std::uint16_t fixup_count;
    std::uint16_t reserved1;
};

enum class FixupType : std::uint8_t {
    Address = 1,  // u16, low byte first
    HighByte = 2,
    LowByte = 3,
    FarCall = 4,      // u16 far-call address, u8 bank, u8 export slot
    HereAddress = 5,  // location-counter forms of 1, 2, 3
    HereHighByte = 6,
    HereLowByte = 7,
};

struct ObjFixupRecord {
    std::uint32_t is_extern;  // 1 when the target is declared EXTERN
    std::uint8_t type;        // FixupType; 0 and values above 7 patch nothing
    std::uint8_t reserved0;
    std::uint16_t place;  // offset in the segment's code of the first byte to patch
    std::uint16_t symbol_row;
    std::uint16_t reserved1;
    std::uint32_t addend;  // operand value minus the target symbol's own value
};

struct ObjPublicRecord {
    std::uint32_t name_offset;
    std::uint16_t symbol_row;
    std::uint16_t reserved;
};

struct ObjLineRecord {
    std::uint32_t file_and_line;  // source-file index << 24 | line number (from 1)
    std::uint16_t section_index;
    std::uint16_t segment_index;  // within the section
    std::uint16_t start_offset;
    std::uint16_t end_offset;  // exclusive
};

inline constexpr std::uint32_t line_file_index(std::uint32_t file_and_line) { return file_and_line >> 24; }
inline constexpr std::uint32_t line_number(std::uint32_t file_and_line) { return file_and_line & 0xFFFFFF; }

enum class SymbolKind : std::uint16_t {
    Variable = 1,
    Label = 16,
    SectionName = 32,
    SegmentName = 48,
    Procedure = 64,
    Constant = 81,
};

// Type field of an external variable's symbol row.
inline constexpr std::uint32_t kExternalVariableType = 0xFFFFFFFF;

struct ObjSymbolRecord {
    std::uint32_t name_offset;
    std::uint32_t type_offset;  // variables: offset of the SymTypeRecord in the .sym file
    std::uint16_t kind;         // SymbolKind
    std::uint16_t section_index;
    std::uint16_t segment_index;
    std::uint16_t value;  // offset in the segment, or the constant of kind 81
};

// First-line index of a source file that produced no line records.
inline constexpr std::uint32_t kNoLines = 0xFFFFFFFF;

struct ObjSourceFileRecord {
    std::uint32_t name_offset;
    std::uint32_t first_line_index;  // record index, not byte offset; kNoLines when none
};

struct ObjProcedureRecord {
    std::uint16_t symbol_row;
    std::uint16_t section_index;
    std::uint16_t segment_index;
    std::uint16_t start_offset;
    std::uint16_t end_offset;  // exclusive
    std::uint8_t reserved[4];
};

struct ObjEntryRecord {
    std::uint16_t section_index;
    std::uint16_t segment_index;
    std::uint16_t value;
};

#pragma pack(pop)

inline constexpr std::uint32_t kObjSectionsOffset = 72;
inline constexpr char kInitDataSegmentName[] = "init_data";

static_assert(sizeof(ObjFileHeader) == 72);
FORMATS_PIN(ObjFileHeader, file_size, 8);
FORMATS_PIN(ObjFileHeader, sections_offset, 12);
FORMATS_PIN(ObjFileHeader, publics_offset, 16);
FORMATS_PIN(ObjFileHeader, string_pool_offset, 24);
FORMATS_PIN(ObjFileHeader, lines_offset, 28);
FORMATS_PIN(ObjFileHeader, symbols_offset, 32);
FORMATS_PIN(ObjFileHeader, procedures_offset, 40);
FORMATS_PIN(ObjFileHeader, entry_offset, 44);
FORMATS_PIN(ObjFileHeader, source_files_offset, 48);
FORMATS_PIN(ObjFileHeader, segments_offset, 52);
FORMATS_PIN(ObjFileHeader, section_count, 56);
FORMATS_PIN(ObjFileHeader, public_count, 58);
FORMATS_PIN(ObjFileHeader, line_count, 62);
FORMATS_PIN(ObjFileHeader, symbol_count, 64);
FORMATS_PIN(ObjFileHeader, procedure_count, 66);
FORMATS_PIN(ObjFileHeader, source_file_count, 68);

static_assert(sizeof(ObjSectionRecord) == 20);
FORMATS_PIN(ObjSectionRecord, length, 2);
FORMATS_PIN(ObjSectionRecord, bank_number, 4);
FORMATS_PIN(ObjSectionRecord, name_offset, 8);
FORMATS_PIN(ObjSectionRecord, first_segment_offset, 12);
FORMATS_PIN(ObjSectionRecord, segment_count, 16);

static_assert(sizeof(ObjSegmentRecord) == 20);
FORMATS_PIN(ObjSegmentRecord, code_length, 2);
FORMATS_PIN(ObjSegmentRecord, name_offset, 4);
FORMATS_PIN(ObjSegmentRecord, code_offset, 8);
FORMATS_PIN(ObjSegmentRecord, first_fixup_offset, 12);
FORMATS_PIN(ObjSegmentRecord, fixup_count, 16);

static_assert(sizeof(ObjFixupRecord) == 16);
FORMATS_PIN(ObjFixupRecord, type, 4);
FORMATS_PIN(ObjFixupRecord, place, 6);
FORMATS_PIN(ObjFixupRecord, symbol_row, 8);
FORMATS_PIN(ObjFixupRecord, addend, 12);

static_assert(sizeof(ObjPublicRecord) == 8);
FORMATS_PIN(ObjPublicRecord, symbol_row, 4);

static_assert(sizeof(ObjLineRecord) == 12);
FORMATS_PIN(ObjLineRecord, section_index, 4);
FORMATS_PIN(ObjLineRecord, segment_index, 6);
FORMATS_PIN(ObjLineRecord, start_offset, 8);
FORMATS_PIN(ObjLineRecord, end_offset, 10);

static_assert(sizeof(ObjSymbolRecord) == 16);
FORMATS_PIN(ObjSymbolRecord, type_offset, 4);
FORMATS_PIN(ObjSymbolRecord, kind, 8);
FORMATS_PIN(ObjSymbolRecord, section_index, 10);
FORMATS_PIN(ObjSymbolRecord, segment_index, 12);
FORMATS_PIN(ObjSymbolRecord, value, 14);

static_assert(sizeof(ObjSourceFileRecord) == 8);
FORMATS_PIN(ObjSourceFileRecord, first_line_index, 4);

static_assert(sizeof(ObjProcedureRecord) == 14);
FORMATS_PIN(ObjProcedureRecord, section_index, 2);
FORMATS_PIN(ObjProcedureRecord, segment_index, 4);
FORMATS_PIN(ObjProcedureRecord, start_offset, 6);
FORMATS_PIN(ObjProcedureRecord, end_offset, 8);

static_assert(sizeof(ObjEntryRecord) == 6);
FORMATS_PIN(ObjEntryRecord, value, 4);

}  // namespace formats
