#include "formats/testing/obj_builder.h"

#include <cstring>
#include <stdexcept>

namespace formats::testing {
namespace {

template <class Record>
void append(std::string& out, const Record& record) {
    out.append(reinterpret_cast<const char*>(&record), sizeof record);
}

}  // namespace

ObjBuilder& ObjBuilder::section(std::string name, std::uint16_t bank) {
    sections_.push_back({std::move(name), bank, {}});
    return *this;
}

ObjBuilder& ObjBuilder::segment(std::string name, std::vector<std::uint8_t> code) {
    if (sections_.empty()) throw std::logic_error("segment outside a section");
    sections_.back().segments.push_back({std::move(name), std::move(code), {}});
    return *this;
}

std::uint16_t ObjBuilder::current_section() const {
    if (sections_.empty()) throw std::logic_error("no section yet");
    return std::uint16_t(sections_.size() - 1);
}

std::uint16_t ObjBuilder::current_segment() const {
    const auto& segments = sections_.at(current_section()).segments;
    if (segments.empty()) throw std::logic_error("no segment yet");
    return std::uint16_t(segments.size() - 1);
}

std::uint16_t ObjBuilder::row_of(std::string_view name) const {
    for (std::size_t row = 0; row < symbols_.size(); ++row)
        if (symbols_[row].name == name) return std::uint16_t(row);
    throw std::logic_error("unknown symbol " + std::string(name));
}

ObjBuilder& ObjBuilder::label(std::string name, std::uint16_t offset, SymbolKind kind) {
    symbols_.push_back({std::move(name), kind, current_section(), current_segment(), offset, false});
    return *this;
}

ObjBuilder& ObjBuilder::procedure(std::string name, std::uint16_t start, std::uint16_t end) {
    label(std::move(name), start, SymbolKind::Procedure);
    ObjProcedureRecord record{};
    record.symbol_row = std::uint16_t(symbols_.size() - 1);
    record.section_index = current_section();
    record.segment_index = current_segment();
    record.start_offset = start;
    record.end_offset = end;
    procedures_.push_back(record);
    return *this;
}

ObjBuilder& ObjBuilder::constant(std::string name, std::uint16_t value) {
    symbols_.push_back({std::move(name), SymbolKind::Constant, 0, 0, value, false});
    return *this;
}

ObjBuilder& ObjBuilder::external(std::string name, SymbolKind kind) {
    symbols_.push_back({std::move(name), kind, 0, 0, 0, true});
    return *this;
}

ObjBuilder& ObjBuilder::make_public(std::string_view name) {
    publics_.push_back(row_of(name));
    return *this;
}

ObjBuilder& ObjBuilder::fixup(FixupType type, std::uint16_t place, std::string_view symbol, std::int32_t addend) {
    auto row = row_of(symbol);
    sections_.at(current_section())
        .segments.at(current_segment())
        .fixups.push_back({std::uint8_t(type), place, row, addend, symbols_[row].is_extern});
    return *this;
}

std::string ObjBuilder::bytes() const {
    // String pool: symbol names in row order, then section and segment names
    // (the assembler keeps those as symbol rows; here they are plain names).
    std::string pool;
    std::vector<std::uint32_t> symbol_names;
    for (const auto& symbol : symbols_) {
        symbol_names.push_back(std::uint32_t(pool.size()));
        pool += symbol.name;
        pool += '\0';
    }
    auto add_name = [&pool](const std::string& name) {
        auto offset = std::uint32_t(pool.size());
        pool += name;
        pool += '\0';
        return offset;
    };

    std::size_t segment_count = 0, fixup_count = 0, code_size = 0;
    for (const auto& section : sections_)
        for (const auto& segment : section.segments) {
            ++segment_count;
            fixup_count += segment.fixups.size();
            code_size += segment.code.size();
        }

    ObjFileHeader header{};
    header.sections_offset = kObjSectionsOffset;
    header.segments_offset = std::uint32_t(kObjSectionsOffset + 20 * sections_.size());
    const auto fixups_offset = std::uint32_t(header.segments_offset + 20 * segment_count);
    header.publics_offset = std::uint32_t(fixups_offset + 16 * fixup_count);
    header.lines_offset = std::uint32_t(header.publics_offset + 8 * publics_.size());
    header.symbols_offset = header.lines_offset;
    header.source_files_offset = std::uint32_t(header.symbols_offset + 16 * symbols_.size());
    header.procedures_offset = header.source_files_offset;
    header.section_count = std::uint16_t(sections_.size());
    header.public_count = std::uint16_t(publics_.size());
    header.symbol_count = std::uint16_t(symbols_.size());
    header.procedure_count = std::uint16_t(procedures_.size());

    std::string sections, segments, fixups;
    std::uint32_t segment_index = 0, fixup_index = 0;
    std::vector<std::uint32_t> code_lengths;
    for (const auto& section : sections_) {
        ObjSectionRecord record{};
        record.bank_number = section.bank;
        record.name_offset = add_name(section.name);
        record.first_segment_offset = header.segments_offset + 20 * segment_index;
        record.segment_count = std::uint16_t(section.segments.size());
        append(sections, record);
        for (const auto& segment : section.segments) {
            ObjSegmentRecord seg{};
            seg.code_length = std::uint16_t(segment.code.size());
            seg.name_offset = add_name(segment.name);
            seg.first_fixup_offset = fixups_offset + 16 * fixup_index;
            seg.fixup_count = std::uint16_t(segment.fixups.size());
            append(segments, seg);
            for (const auto& fixup : segment.fixups) {
                ObjFixupRecord fix{};
                fix.is_extern = fixup.is_extern ? 1 : 0;
                fix.type = fixup.type;
                fix.place = fixup.place;
                fix.symbol_row = fixup.row;
                fix.addend = std::uint32_t(fixup.addend);
                append(fixups, fix);
                ++fixup_index;
            }
            ++segment_index;
        }
    }
    header.string_pool_offset = std::uint32_t(header.procedures_offset + 14 * procedures_.size());
    std::uint32_t code_offset = std::uint32_t(header.string_pool_offset + pool.size());
    header.file_size = std::uint32_t(code_offset + code_size);

    // Code offsets are known only now that the pool is complete.
    for (std::size_t s = 0; s < segment_count; ++s) {
        auto* record = reinterpret_cast<ObjSegmentRecord*>(segments.data() + 20 * s);
        ObjSegmentRecord seg;
        std::memcpy(&seg, record, sizeof seg);
        seg.code_offset = code_offset;
        code_offset += seg.code_length;
        std::memcpy(record, &seg, sizeof seg);
    }

    std::string out;
    append(out, header);
    out += sections;
    out += segments;
    out += fixups;
    for (auto row : publics_) {
        ObjPublicRecord record{symbol_names[row], row, 0};
        append(out, record);
    }
    for (std::size_t row = 0; row < symbols_.size(); ++row) {
        const auto& symbol = symbols_[row];
        ObjSymbolRecord record{};
        record.name_offset = symbol_names[row];
        record.type_offset = symbol.kind == SymbolKind::Variable && symbol.is_extern ? kExternalVariableType : 0;
        record.kind = std::uint16_t(symbol.kind);
        record.section_index = symbol.section;
        record.segment_index = symbol.segment;
        record.value = symbol.value;
        append(out, record);
    }
    for (const auto& procedure : procedures_) append(out, procedure);
    out += pool;
    for (const auto& section : sections_)
        for (const auto& segment : section.segments) out.append(segment.code.begin(), segment.code.end());
    return out;
}

}  // namespace formats::testing
