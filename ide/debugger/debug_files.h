#pragma once
// Readers of the debug files a debug run consults: the linker's debug map
// (.deb) and the parts of the assembler's objects (.obj) that locate lines,
// procedures, symbols and publics. Files are mapped read-only for one
// operation. Every offset and count inside them is checked; an entry that does
// not fit its file reads as absent, so a corrupt file means "not found".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/byte_reader.h"
#include "formats/image_file.h"
#include "formats/obj_file.h"
#include "ide/workspace/text_utils.h"
#include "platform/os/file.h"

namespace ide {

// A file mapped read-only for the length of one operation.
struct MappedDebugFile {
    os::MappedFile file;
    formats::ByteReader bytes() const { return formats::ByteReader(file.bytes()); }
};
// The file mapped, or the errno of the failure.
struct MapOutcome {
    std::optional<MappedDebugFile> mapped;
    int error = 0;
};
MapOutcome map_read_only(const std::string& path);

class DebugMap {
public:
    explicit DebugMap(formats::ByteReader bytes);

    std::uint32_t object_count() const { return object_count_; }
    std::optional<formats::DebObjectEntry> object(std::uint32_t index) const;
    std::optional<std::string_view> object_name(std::uint32_t index) const;
    // The object whose name equals `path` ignoring case.
    std::optional<std::uint32_t> find_object(std::string_view path) const;
    // Segment `segment` of section `section` of an object.
    std::optional<formats::DebSegmentEntry> segment(const formats::DebObjectEntry& object, std::uint32_t section,
                                                    std::uint32_t segment) const;

    struct SegmentHit {
        std::uint32_t object, section, segment;
        formats::DebSegmentEntry entry;
    };
    // The first segment, over all objects and sections, with start <= address
    // < end whose bank `bank_matches` accepts.
    template <class BankMatches>
    std::optional<SegmentHit> find_segment(std::uint16_t address, BankMatches bank_matches) const;

private:
    formats::ByteReader bytes_;
    std::uint32_t object_count_ = 0;
    std::uint32_t name_block_ = 0;
};

class ObjectDebugInfo {
public:
    // Nothing when the header does not fit.
    static std::optional<ObjectDebugInfo> read(formats::ByteReader bytes);

    const formats::ObjFileHeader& header() const { return header_; }
    std::optional<formats::ObjLineRecord> line(std::uint32_t index) const;
    std::optional<formats::ObjSourceFileRecord> source_file(std::uint32_t index) const;
    std::optional<formats::ObjProcedureRecord> procedure(std::uint32_t index) const;
    std::optional<formats::ObjSymbolRecord> symbol(std::uint32_t index) const;
    std::optional<formats::ObjPublicRecord> public_entry(std::uint32_t index) const;
    std::optional<std::string_view> pool_string(std::uint32_t offset) const;

    // The source-file entry whose name equals `path` ignoring case.
    std::optional<std::uint32_t> find_source_file(std::string_view path) const;

private:
    explicit ObjectDebugInfo(formats::ByteReader bytes, formats::ObjFileHeader header)
        : bytes_(bytes), header_(header) {}
    formats::ByteReader bytes_;
    formats::ObjFileHeader header_;
};

template <class BankMatches>
std::optional<DebugMap::SegmentHit> DebugMap::find_segment(std::uint16_t address, BankMatches bank_matches) const {
    // A sound map holds each entry once; tables that overlap to look larger
    // than the file end the search instead of multiplying it.
    std::uint64_t sections_left = bytes_.size() / sizeof(formats::DebSectionEntry) + 1;
    std::uint64_t segments_left = bytes_.size() / sizeof(formats::DebSegmentEntry) + 1;
    for (std::uint32_t o = 0; o < object_count_; ++o) {
        auto entry = object(o);
        if (!entry) continue;
        for (std::uint32_t s = 0; s < entry->section_count; ++s) {
            if (sections_left-- == 0) return std::nullopt;
            auto section = bytes_.record<formats::DebSectionEntry>(std::uint64_t{entry->first_section_offset} +
                                                                   std::uint64_t{s} * sizeof(formats::DebSectionEntry));
            if (!section) break;
            for (std::uint32_t g = 0; g < section->segment_count; ++g) {
                if (segments_left-- == 0) return std::nullopt;
                auto found = bytes_.table_entry<formats::DebSegmentEntry>(section->first_segment_offset,
                                                                          section->segment_count, g);
                if (!found) break;
                if (found->start_address <= address && address < found->end_address && bank_matches(found->bank))
                    return SegmentHit{o, s, g, *found};
            }
        }
    }
    return std::nullopt;
}

}  // namespace ide
