#include "linker/dump.h"

#include <cstdio>

#include "formats/image_file.h"
#include "formats/lib_file.h"
#include "linker/library_file.h"

namespace linker {
namespace {

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// 16 bytes a line, each line led by its device address.
std::string dump_bytes(const formats::ByteReader& bytes, std::uint32_t address) {
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        out += "  " + hex(std::uint32_t(address + at), 4) + ":";
        for (std::size_t i = at; i < at + 16 && i < bytes.size(); ++i) out += " " + hex(*bytes.u8(i), 2);
        out += "\n";
    }
    return out;
}

std::string dump_head(const formats::ImageFileHead& head) {
    return "head: name \"" + std::string(head.display_name, sizeof head.display_name) + "\" reset " +
           hex(head.reset_address, 4) + " G " + hex(head.global_length, 4) + " I " + hex(head.init_data_length, 4) +
           " end " + hex(head.fixed_data_end, 4) + "\n";
}

std::string dump_bank(const formats::ByteReader& content, int bank) {
    std::string out = "  exports:";
    for (std::uint32_t i = bank == 0 ? formats::kHeadExportEntries : 0; i < formats::kBankExportEntries; ++i)
        if (auto value = content.u16(2 * i); value && *value) out += " " + std::to_string(i) + "=" + hex(*value, 4);
    out += "\n";
    if (auto code = content.slice(formats::kBankExportTableSize, content.size() - formats::kBankExportTableSize))
        out += dump_bytes(*code, formats::kBankWindowBase + formats::kBankExportTableSize);
    return out;
}

}  // namespace

std::string dump_image(const formats::ByteReader& image) {
    const auto table = image.record<formats::ImageBankTable>(0);
    const auto head = image.record<formats::ImageFileHead>(formats::kImageBank0Offset);
    if (!table || !head) return "error: shorter than a bank table and a head\n";
    std::string out = "image: " + std::to_string(image.size()) + " bytes\n" + dump_head(*head);
    for (int bank = 0; bank < formats::kImageBankCount; ++bank) {
        const formats::ImageBankEntry entry = table->banks[bank];
        if (entry.length == 0) continue;
        out += "bank " + std::to_string(bank) + ": offset " + std::to_string(entry.file_offset) + " length " +
               hex(entry.length, 4) + "\n";
        auto content = image.slice(entry.file_offset, entry.length);
        if (!content || entry.length < formats::kBankExportTableSize) {
            out += "error: bank " + std::to_string(bank) + " lies outside the file\n";
            break;
        }
        out += dump_bank(*content, bank);
    }
    return out;
}

std::string dump_debug_map(const formats::ByteReader& map) {
    const auto header = map.record<formats::DebFileHeader>(0);
    if (!header) return "error: shorter than a debug map header\n";
    std::string out = "debug map: " + std::to_string(header->object_count) + " objects\n";
    for (std::uint32_t o = 0; o < header->object_count; ++o) {
        const auto object = map.table_entry<formats::DebObjectEntry>(sizeof *header, header->object_count, o);
        const auto name =
            object ? map.c_string(std::uint64_t(header->name_block_offset) + object->name_offset) : std::nullopt;
        if (!name) return out + "error: object " + std::to_string(o) + " lies outside the file\n";
        out += std::string(*name) + "\n";
        for (std::uint32_t s = 0; s < object->section_count; ++s) {
            const auto section =
                map.table_entry<formats::DebSectionEntry>(object->first_section_offset, object->section_count, s);
            if (!section) return out + "error: a section entry lies outside the file\n";
            for (std::uint32_t g = 0; g < section->segment_count; ++g) {
                const auto segment =
                    map.table_entry<formats::DebSegmentEntry>(section->first_segment_offset, section->segment_count, g);
                if (!segment) return out + "error: a segment entry lies outside the file\n";
                out += "  section " + std::to_string(s) + " segment " + std::to_string(g) + ": bank " +
                       std::to_string(segment->bank) + " " + hex(segment->start_address, 4) + "-" +
                       hex(segment->end_address, 4) + "\n";
            }
        }
    }
    return out;
}

std::string dump_library(const formats::ByteReader& library) {
    std::vector<LibraryMember> members;
    try {
        members = read_library(library);
    } catch (const CorruptInput& error) {
        return std::string("error: ") + error.what() + "\n";
    }
    std::string out = "library: " + std::to_string(members.size()) + " members\n";
    for (std::size_t m = 0; m < members.size(); ++m) {
        const auto entry =
            *library.table_entry<formats::LibMemberEntry>(formats::kLibMemberTableOffset, members.size(), m);
        out += std::string(members[m].name) + " at " + std::to_string(entry.object_offset) + ":";
        const auto& module = members[m].module;
        for (auto row : module.public_rows) out += " " + std::string(module.symbols[row].name);
        out += "\n";
    }
    return out;
}

}  // namespace linker
