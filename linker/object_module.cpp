#include "linker/object_module.h"

#include <string>

namespace linker {
namespace {

using formats::ByteReader;
using formats::SymbolKind;

[[noreturn]] void corrupt(const std::string& what) { throw CorruptInput(what); }

template <class T>
T must(std::optional<T> value, const char* what) {
    if (!value) corrupt(what);
    return *value;
}

bool is_known_kind(std::uint16_t kind) {
    switch (SymbolKind(kind)) {
        case SymbolKind::Variable:
        case SymbolKind::Label:
        case SymbolKind::SectionName:
        case SymbolKind::SegmentName:
        case SymbolKind::Procedure:
        case SymbolKind::Constant: return true;
    }
    return false;
}

class ObjectReader {
public:
    ObjectReader(const ByteReader& file, const formats::ObjFileHeader& header) : file_(file), header_(header) {}

    ObjectModule read() {
        read_pool();
        read_symbols();
        read_sections();
        read_procedures();
        read_publics();
        check_fixup_targets();
        return std::move(module_);
    }

private:
    void read_pool() {
        // The pool runs from its offset to the first code byte or the end of
        // the file; names are checked one by one as they are read.
        if (header_.string_pool_offset > file_.size()) corrupt("string pool outside the file");
        pool_ = *file_.slice(header_.string_pool_offset, file_.size() - header_.string_pool_offset);
    }

    std::string_view name(std::uint32_t offset, const char* what) { return must(pool_.c_string(offset), what); }

    template <class Record>
    Record table_entry(std::uint32_t offset, std::uint32_t count, std::uint32_t index, const char* what) {
        return must(file_.table_entry<Record>(offset, count, index), what);
    }

    void read_symbols() {
        const auto count = header_.symbol_count;
        module_.symbols.reserve(count);
        for (std::uint32_t row = 0; row < count; ++row) {
            auto record = table_entry<formats::ObjSymbolRecord>(header_.symbols_offset, count, row,
                                                                "symbol table outside the file");
            if (!is_known_kind(record.kind)) corrupt("symbol row " + std::to_string(row) + " has an unknown kind");
            module_.symbols.push_back({name(record.name_offset, "symbol name outside the string pool"),
                                       SymbolKind(record.kind), record.section_index, record.segment_index,
                                       record.value});
        }
        module_.procedure_of_row.assign(count, kNoProcedure);
    }

    void read_sections() {
        const auto count = header_.section_count;
        module_.sections.reserve(count);
        for (std::uint32_t index = 0; index < count; ++index) {
            auto record = table_entry<formats::ObjSectionRecord>(header_.sections_offset, count, index,
                                                                 "section table outside the file");
            ObjSection section;
            section.name = name(record.name_offset, "section name outside the string pool");
            section.bank = record.bank_number;
            section.is_global = section.name == "global";
            section.is_library = section.name == "library";
            for (std::uint32_t s = 0; s < record.segment_count; ++s)
                section.segments.push_back(read_segment(record.first_segment_offset, record.segment_count, s));
            module_.sections.push_back(std::move(section));
        }
    }

    ObjSegment read_segment(std::uint32_t table, std::uint32_t count, std::uint32_t index) {
        auto record = table_entry<formats::ObjSegmentRecord>(table, count, index, "segment table outside the file");
        ObjSegment segment;
        segment.name = name(record.name_offset, "segment name outside the string pool");
        segment.is_init_data = segment.name == formats::kInitDataSegmentName;
        auto code = must(file_.slice(record.code_offset, record.code_length), "segment code outside the file");
        segment.code = code.bytes();
        for (std::uint32_t f = 0; f < record.fixup_count; ++f) {
            auto fixup = table_entry<formats::ObjFixupRecord>(record.first_fixup_offset, record.fixup_count, f,
                                                              "fix-up table outside the file");
            if (fixup.symbol_row >= module_.symbols.size()) corrupt("fix-up names a symbol row past the table");
            if (std::uint32_t(fixup.place) + fixup_width(fixup.type) > record.code_length)
                corrupt("fix-up place outside its segment");
            segment.fixups.push_back({fixup.type, fixup.is_extern != 0, fixup.place, fixup.symbol_row, fixup.addend});
        }
        return segment;
    }

    const ObjSegment* segment_at(std::uint16_t section, std::uint16_t segment) const {
        if (section >= module_.sections.size()) return nullptr;
        const auto& segments = module_.sections[section].segments;
        return segment < segments.size() ? &segments[segment] : nullptr;
    }

    void read_procedures() {
        const auto count = header_.procedure_count;
        for (std::uint32_t index = 0; index < count; ++index) {
            auto record = table_entry<formats::ObjProcedureRecord>(header_.procedures_offset, count, index,
                                                                   "procedure table outside the file");
            if (record.symbol_row >= module_.symbols.size()) corrupt("procedure names a symbol row past the table");
            const auto* segment = segment_at(record.section_index, record.segment_index);
            if (!segment) corrupt("procedure in a section or segment that does not exist");
            if (record.start_offset > record.end_offset || record.end_offset > segment->code.size())
                corrupt("procedure range outside its segment");
            module_.procedure_of_row[record.symbol_row] = std::int32_t(module_.procedures.size());
            module_.procedures.push_back({record.symbol_row, record.section_index, record.segment_index,
                                          record.start_offset, record.end_offset});
        }
    }

    void read_publics() {
        const auto count = header_.public_count;
        for (std::uint32_t index = 0; index < count; ++index) {
            auto record = table_entry<formats::ObjPublicRecord>(header_.publics_offset, count, index,
                                                                "public table outside the file");
            if (record.symbol_row >= module_.symbols.size()) corrupt("public names a symbol row past the table");
            const auto& symbol = module_.symbols[record.symbol_row];
            if (symbol.kind != SymbolKind::Constant && !segment_at(symbol.section, symbol.segment))
                corrupt("public '" + std::string(symbol.name) + "' is not defined in a segment of the object");
            if (symbol.kind == SymbolKind::Procedure && module_.procedure_of_row[record.symbol_row] == kNoProcedure)
                corrupt("public procedure '" + std::string(symbol.name) + "' has no procedure record");
            module_.public_rows.push_back(record.symbol_row);
        }
    }

    // A fix-up that is not external targets a symbol of this object, which
    // must then lie in one of its segments (or be a constant).
    void check_fixup_targets() const {
        for (const auto& section : module_.sections)
            for (const auto& segment : section.segments)
                for (const auto& fixup : segment.fixups) {
                    if (fixup.is_extern || fixup_width(fixup.type) == 0) continue;
                    const auto& symbol = module_.symbols[fixup.symbol_row];
                    if (symbol.kind != SymbolKind::Constant && !segment_at(symbol.section, symbol.segment))
                        corrupt("fix-up targets '" + std::string(symbol.name) + "', which has no segment here");
                }
    }

    const ByteReader& file_;
    formats::ObjFileHeader header_;
    ByteReader pool_;
    ObjectModule module_;
};

}  // namespace

bool ObjectModule::defines_place(const ObjSymbol& symbol) const {
    return symbol.kind != SymbolKind::Constant && symbol.section < sections.size() &&
           symbol.segment < sections[symbol.section].segments.size();
}

std::uint32_t fixup_width(std::uint8_t type) {
    switch (formats::FixupType(type)) {
        case formats::FixupType::Address:
        case formats::FixupType::HereAddress: return 2;
        case formats::FixupType::HighByte:
        case formats::FixupType::LowByte:
        case formats::FixupType::HereHighByte:
        case formats::FixupType::HereLowByte: return 1;
        case formats::FixupType::FarCall: return 4;
    }
    return 0;
}

ObjectModule read_object_module(const ByteReader& bytes) {
    auto header = bytes.record<formats::ObjFileHeader>(0);
    if (!header) throw CorruptInput("shorter than an object header");
    if (header->file_size > bytes.size()) throw CorruptInput("header gives a size past the end of the file");
    return ObjectReader(bytes, *header).read();
}

}  // namespace linker
