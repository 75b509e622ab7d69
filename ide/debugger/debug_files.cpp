#include "ide/debugger/debug_files.h"

#include "formats/file_sizes.h"

namespace ide {

MapOutcome map_read_only(const std::string& path) {
    auto mapped = os::MappedFile::open_read(path, formats::kLargest32BitOffsetFile);
    if (!mapped) return {std::nullopt, mapped.error().code ? mapped.error().code : 2};
    return {MappedDebugFile{std::move(mapped.value())}, 0};
}

DebugMap::DebugMap(formats::ByteReader bytes) : bytes_(bytes) {
    if (auto header = bytes_.record<formats::DebFileHeader>(0)) {
        object_count_ = header->object_count;
        name_block_ = header->name_block_offset;
    }
}

std::optional<formats::DebObjectEntry> DebugMap::object(std::uint32_t index) const {
    return bytes_.table_entry<formats::DebObjectEntry>(sizeof(formats::DebFileHeader), object_count_, index);
}

std::optional<std::string_view> DebugMap::object_name(std::uint32_t index) const {
    auto entry = object(index);
    if (!entry) return std::nullopt;
    return bytes_.c_string(std::uint64_t{name_block_} + entry->name_offset);
}

std::optional<std::uint32_t> DebugMap::find_object(std::string_view path) const {
    for (std::uint32_t o = 0; o < object_count_; ++o) {
        auto name = object_name(o);
        if (name && SamePath(*name, path)) return o;
    }
    return std::nullopt;
}

std::optional<formats::DebSegmentEntry> DebugMap::segment(const formats::DebObjectEntry& object, std::uint32_t section,
                                                          std::uint32_t segment) const {
    auto entry =
        bytes_.table_entry<formats::DebSectionEntry>(object.first_section_offset, object.section_count, section);
    if (!entry) return std::nullopt;
    return bytes_.table_entry<formats::DebSegmentEntry>(entry->first_segment_offset, entry->segment_count, segment);
}

std::optional<ObjectDebugInfo> ObjectDebugInfo::read(formats::ByteReader bytes) {
    auto header = bytes.record<formats::ObjFileHeader>(0);
    if (!header) return std::nullopt;
    return ObjectDebugInfo(bytes, *header);
}

std::optional<formats::ObjLineRecord> ObjectDebugInfo::line(std::uint32_t index) const {
    return bytes_.table_entry<formats::ObjLineRecord>(header_.lines_offset, header_.line_count, index);
}

std::optional<formats::ObjSourceFileRecord> ObjectDebugInfo::source_file(std::uint32_t index) const {
    return bytes_.table_entry<formats::ObjSourceFileRecord>(header_.source_files_offset, header_.source_file_count,
                                                            index);
}

std::optional<formats::ObjProcedureRecord> ObjectDebugInfo::procedure(std::uint32_t index) const {
    return bytes_.table_entry<formats::ObjProcedureRecord>(header_.procedures_offset, header_.procedure_count, index);
}

std::optional<formats::ObjSymbolRecord> ObjectDebugInfo::symbol(std::uint32_t index) const {
    return bytes_.table_entry<formats::ObjSymbolRecord>(header_.symbols_offset, header_.symbol_count, index);
}

std::optional<formats::ObjPublicRecord> ObjectDebugInfo::public_entry(std::uint32_t index) const {
    return bytes_.table_entry<formats::ObjPublicRecord>(header_.publics_offset, header_.public_count, index);
}

std::optional<std::string_view> ObjectDebugInfo::pool_string(std::uint32_t offset) const {
    return bytes_.c_string(std::uint64_t{header_.string_pool_offset} + offset);
}

std::optional<std::uint32_t> ObjectDebugInfo::find_source_file(std::string_view path) const {
    for (std::uint32_t f = 0; f < header_.source_file_count; ++f) {
        auto entry = source_file(f);
        if (!entry) return std::nullopt;
        auto name = pool_string(entry->name_offset);
        if (name && SamePath(*name, path)) return f;
    }
    return std::nullopt;
}

}  // namespace ide
