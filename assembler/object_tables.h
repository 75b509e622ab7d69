#pragma once
// What pass 2 collects for the object file, and the symbol rows and type
// tables built after pass 1. Symbols are referred to by their index, which
// no longer moves once pass 0 is over.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/sym_file.h"

namespace dravlin {

struct Fixup {
    bool external = false;
    uint8_t type = 0;
    uint16_t place = 0;  // offset of the first byte to patch in the segment
    int symbol = -1;     // index in the symbol table
    int32_t addend = 0;
};

struct SectionEntry {
    uint16_t base_address = 0;
    uint16_t length = 0;
    uint16_t bank_number = 0;
    int symbol = -1;
    uint32_t first_segment = 0;  // index in the segment table
    uint16_t segment_count = 0;
};

struct SegmentEntry {
    int symbol = -1;
    std::vector<uint8_t> code;
    uint32_t first_fixup = 0;  // index in the fix-up table
    uint16_t fixup_count = 0;
};

struct ProcedureEntry {
    int symbol = -1;
    uint16_t section = 0;
    uint16_t segment = 0;
    uint16_t start = 0;
    uint16_t end = 0;
};

struct LineEntry {
    uint32_t file_and_line = 0;  // file position << 24 | line number
    uint16_t section = 0;
    uint16_t segment = 0;
    uint16_t start = 0;
    uint16_t end = 0;
};

struct EntryPoint {
    uint16_t section = 0;
    uint16_t segment = 0;
    uint16_t value = 0;
};

struct ObjectTables {
    std::vector<SectionEntry> sections;
    std::vector<SegmentEntry> segments;
    std::vector<Fixup> fixups;
    std::vector<int> publics;  // symbol indices
    std::vector<ProcedureEntry> procedures;
    std::optional<EntryPoint> entry;
    // The object's source-file list: #CODELINE names, then the files read.
    std::vector<std::string> file_names;
    std::vector<int> file_position;             // per source index; -1 for an expansion
    std::vector<std::vector<LineEntry>> lines;  // per file position
};

// One row of the object's symbol table.
struct SymbolRow {
    int symbol = -1;  // index in the symbol table
    uint16_t kind = 0;
    uint32_t type_offset = 0;  // variables: the row's offset in the .sym file
};

struct SymbolRows {
    std::vector<SymbolRow> rows;
    std::vector<int> row_of_symbol;  // per symbol index; -1 for a name without a row
    std::vector<formats::SymTypeRecord> types;
    std::vector<formats::SymTypeDescriptor> descriptors;
    std::string type_names;  // the .sym string pool
};

}  // namespace dravlin
