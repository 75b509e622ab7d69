#pragma once
// Test-only writer of object files, so that readers can be tested before the
// assembler writes objects. Describe sections, segments, symbols, procedures,
// publics and fix-ups by name; bytes() lays them out as the assembler does:
// header, sections, segments, fix-ups, publics, lines, symbols, source files,
// procedures, string pool, code.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/obj_file.h"

namespace formats::testing {

class ObjBuilder {
public:
    // Starts a section; segments added next belong to it.
    ObjBuilder& section(std::string name, std::uint16_t bank = 0);
    // Starts a segment of the current section with the given code bytes.
    ObjBuilder& segment(std::string name, std::vector<std::uint8_t> code);
    // A label at `offset` in the current segment.
    ObjBuilder& label(std::string name, std::uint16_t offset, SymbolKind kind = SymbolKind::Label);
    // A procedure [start, end) in the current segment (symbol row plus procedure record).
    ObjBuilder& procedure(std::string name, std::uint16_t start, std::uint16_t end);
    ObjBuilder& constant(std::string name, std::uint16_t value);
    // An EXTERN symbol (a variable row with the external type, or a procedure row).
    ObjBuilder& external(std::string name, SymbolKind kind = SymbolKind::Procedure);
    ObjBuilder& make_public(std::string_view name);
    // A fix-up in the current segment against a symbol named earlier; the
    // external flag follows the symbol's declaration.
    ObjBuilder& fixup(FixupType type, std::uint16_t place, std::string_view symbol, std::int32_t addend = 0);

    std::string bytes() const;

private:
    struct Fixup {
        std::uint8_t type;
        std::uint16_t place;
        std::uint16_t row;
        std::int32_t addend;
        bool is_extern;
    };
    struct Segment {
        std::string name;
        std::vector<std::uint8_t> code;
        std::vector<Fixup> fixups;
    };
    struct Section {
        std::string name;
        std::uint16_t bank;
        std::vector<Segment> segments;
    };
    struct Symbol {
        std::string name;
        SymbolKind kind;
        std::uint16_t section, segment, value;
        bool is_extern;
    };

    std::uint16_t current_section() const;
    std::uint16_t current_segment() const;
    std::uint16_t row_of(std::string_view name) const;

    std::vector<Section> sections_;
    std::vector<Symbol> symbols_;
    std::vector<std::uint16_t> publics_;
    std::vector<ObjProcedureRecord> procedures_;
};

}  // namespace formats::testing
