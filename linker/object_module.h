#pragma once
// An object file (.obj) read and validated once, through the checked reader,
// into plain tables the linker walks. Every offset, count, string, fix-up
// place and symbol row is checked here, so the later stages index these
// tables without further checks. A corrupt file throws CorruptInput.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/obj_file.h"

namespace linker {

struct CorruptInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ObjFixup {
    std::uint8_t type = 0;  // formats::FixupType; 0 and values above 7 patch nothing
    bool is_extern = false;
    std::uint16_t place = 0;
    std::uint16_t symbol_row = 0;
    std::uint32_t addend = 0;
};

struct ObjSegment {
    std::string_view name;
    std::span<const std::uint8_t> code;
    std::vector<ObjFixup> fixups;
    bool is_init_data = false;
};

struct ObjSection {
    std::string_view name;
    std::uint16_t bank = 0;
    bool is_global = false;   // fixed data area, never banked
    bool is_library = false;  // in a library: placed in every bank
    std::vector<ObjSegment> segments;
};

struct ObjSymbol {
    std::string_view name;
    formats::SymbolKind kind{};
    std::uint16_t section = 0;
    std::uint16_t segment = 0;
    std::uint16_t value = 0;
};

struct ObjProcedure {
    std::uint16_t symbol_row = 0;
    std::uint16_t section = 0;
    std::uint16_t segment = 0;
    std::uint16_t start = 0;
    std::uint16_t end = 0;
};

inline constexpr std::int32_t kNoProcedure = -1;

struct ObjectModule {
    std::vector<ObjSection> sections;
    std::vector<ObjSymbol> symbols;
    std::vector<std::uint16_t> public_rows;  // symbol rows, in public-table order
    std::vector<ObjProcedure> procedures;
    std::vector<std::int32_t> procedure_of_row;  // per symbol row: procedure index or kNoProcedure

    // True when the symbol names a place in one of this object's segments
    // (it is defined here and is not a constant).
    bool defines_place(const ObjSymbol& symbol) const;
};

// Number of bytes a fix-up of this type patches (0 for types that patch nothing).
std::uint32_t fixup_width(std::uint8_t type);

// Reads the object held by `bytes` (a file, or one member of a library). The
// module's names and code point into `bytes`, which must outlive it.
ObjectModule read_object_module(const formats::ByteReader& bytes);

}  // namespace linker
