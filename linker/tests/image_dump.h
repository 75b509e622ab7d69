#pragma once
// Text dumps of a bank image and a debug map, for reviewed goldens.
#include <cstdio>
#include <string>

#include "formats/byte_reader.h"
#include "formats/image_file.h"

namespace linker::testing {

inline std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// 16 bytes a line, each line led by its device address.
inline std::string dump_bytes(formats::ByteReader bytes, std::uint32_t address) {
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        out += "  " + hex(std::uint32_t(address + at), 4) + ":";
        for (std::size_t i = at; i < at + 16 && i < bytes.size(); ++i) out += " " + hex(*bytes.u8(i), 2);
        out += "\n";
    }
    return out;
}

inline std::string dump_image(const std::string& file) {
    const formats::ByteReader image(file);
    const auto table = *image.record<formats::ImageBankTable>(0);
    const auto head = *image.record<formats::ImageFileHead>(formats::kImageBank0Offset);
    std::string out = "image: " + std::to_string(file.size()) + " bytes\n";
    out += "head: name \"" + std::string(head.display_name, sizeof head.display_name) + "\" reset " +
           hex(head.reset_address, 4) + " G " + hex(head.global_length, 4) + " I " + hex(head.init_data_length, 4) +
           " end " + hex(head.fixed_data_end, 4) + "\n";
    for (int bank = 0; bank < formats::kImageBankCount; ++bank) {
        const formats::ImageBankEntry entry = table.banks[bank];
        if (entry.length == 0) continue;
        out += "bank " + std::to_string(bank) + ": offset " + std::to_string(entry.file_offset) + " length " +
               hex(entry.length, 4) + "\n";
        const auto content = *image.slice(entry.file_offset, entry.length);
        out += "  exports:";
        for (std::uint32_t i = bank == 0 ? formats::kHeadExportEntries : 0; i < formats::kBankExportEntries; ++i)
            if (auto value = *content.u16(2 * i)) out += " " + std::to_string(i) + "=" + hex(value, 4);
        out += "\n";
        out += dump_bytes(*content.slice(formats::kBankExportTableSize, entry.length - formats::kBankExportTableSize),
                          formats::kBankWindowBase + formats::kBankExportTableSize);
    }
    return out;
}

inline std::string dump_debug_map(const std::string& file) {
    const formats::ByteReader map(file);
    const auto header = *map.record<formats::DebFileHeader>(0);
    std::string out = "debug map: " + std::to_string(header.object_count) + " objects\n";
    for (std::uint32_t o = 0; o < header.object_count; ++o) {
        const auto object = *map.record<formats::DebObjectEntry>(8 + 12 * o);
        out += std::string(*map.c_string(header.name_block_offset + object.name_offset)) + "\n";
        for (std::uint32_t s = 0; s < object.section_count; ++s) {
            const auto section = *map.record<formats::DebSectionEntry>(object.first_section_offset + 8 * s);
            for (std::uint32_t g = 0; g < section.segment_count; ++g) {
                const auto segment = *map.record<formats::DebSegmentEntry>(section.first_segment_offset + 6 * g);
                out += "  section " + std::to_string(s) + " segment " + std::to_string(g) + ": bank " +
                       std::to_string(segment.bank) + " " + hex(segment.start_address, 4) + "-" +
                       hex(segment.end_address, 4) + "\n";
            }
        }
    }
    return out;
}

}  // namespace linker::testing
