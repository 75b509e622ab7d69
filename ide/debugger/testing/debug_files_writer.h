#pragma once
// Test writer of the debug files a debug run reads: objects with line
// records, source files, procedures, symbols and publics; the linker's debug
// map; a type file of a given number of rows. Only the fields the IDE reads
// are filled; everything else is zero.
#include <cstdint>
#include <string>
#include <vector>

#include "formats/image_file.h"
#include "formats/obj_file.h"

namespace ide::testing {

struct ObjectContents {
    struct Line {
        std::uint32_t file, line;
        std::uint16_t section, segment, start, end;
    };
    struct Procedure {
        std::uint16_t section, segment, start, end;
    };
    struct Symbol {
        std::string name;
        std::uint32_t type_offset;
        formats::SymbolKind kind;
        std::uint16_t section, segment, value;
    };
    std::vector<std::string> sources;
    std::vector<Line> lines;  // grouped by file, ascending lines
    std::vector<Procedure> procedures;
    std::vector<Symbol> symbols;
    std::vector<std::uint16_t> public_rows;  // symbol rows made public
};
std::string write_obj(const ObjectContents& object);

struct DebugMapContents {
    struct Object {
        std::string name;  // stored upper-cased, as the linker does
        std::vector<std::vector<formats::DebSegmentEntry>> sections;
    };
    std::vector<Object> objects;
};
std::string write_deb(const DebugMapContents& map);

std::string write_sym(std::uint32_t rows);

}  // namespace ide::testing
