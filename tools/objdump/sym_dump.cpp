#include "tools/objdump/sym_dump.h"

#include "formats/sym_file.h"
#include "tools/objdump/dump_text.h"

namespace objdump {

namespace {

using formats::ByteReader;
using formats::SymFileHeader;
using formats::SymTypeDescriptor;
using formats::SymTypeRecord;

struct SymTables {
    SymFileHeader header;
    ByteReader pool;
};

std::optional<std::string> tables_of(const ByteReader& file, SymTables& tables) {
    auto header = file.record<SymFileHeader>(0);
    if (!header) return "shorter than a symbol-file header";
    tables.header = *header;
    if (!file.contains_table<SymTypeRecord>(sizeof(SymFileHeader), header->type_record_count)) {
        return "type rows outside the file";
    }
    std::uint64_t descriptors = sizeof(SymFileHeader) + std::uint64_t{16} * header->type_record_count;
    if (!file.contains_table<SymTypeDescriptor>(descriptors, header->descriptor_count)) {
        return "descriptors outside the file";
    }
    if (header->string_pool_offset != descriptors + std::uint64_t{8} * header->descriptor_count) {
        return "string pool does not follow the descriptors";
    }
    tables.pool = *file.slice(header->string_pool_offset, file.size() - header->string_pool_offset);
    return std::nullopt;
}

SymTypeRecord row(const ByteReader& file, std::uint32_t index) {
    return *file.record<SymTypeRecord>(sizeof(SymFileHeader) + std::uint64_t{16} * index);
}

SymTypeDescriptor descriptor(const ByteReader& file, const SymFileHeader& header, std::uint32_t index) {
    return *file.record<SymTypeDescriptor>(sizeof(SymFileHeader) + std::uint64_t{16} * header.type_record_count +
                                           std::uint64_t{8} * index);
}

std::string name(const ByteReader& pool, std::uint32_t offset) {
    auto text = pool.c_string(offset);
    return text ? quoted(*text) : "<name outside the pool>";
}

}  // namespace

std::string dump_symbols(const ByteReader& file) {
    SymTables tables;
    if (auto problem = tables_of(file, tables)) return *problem + "\n";
    const SymFileHeader& header = tables.header;
    std::string out = "types: " + std::to_string(header.type_record_count) + "\n";
    for (std::uint32_t i = 0; i < header.type_record_count; ++i) {
        SymTypeRecord record = row(file, i);
        out += "  " + std::to_string(i) + " at " + hex(formats::sym_type_row_offset(i), 8) + " ";
        if (i < formats::kSymBasicTypeCount && record.type == i) {
            out += "basic, descriptor " + std::to_string(record.type) + "\n";
        } else if (record.type == formats::kStructHeaderMarker) {
            out += "structure " + name(tables.pool, record.name_offset) + ", " + std::to_string(record.member_count) +
                   " member(s)\n";
        } else {
            out += "member " + std::to_string(record.member_number) + " " + name(tables.pool, record.name_offset) +
                   " offset " + std::to_string(record.member_offset) + " type " + std::to_string(record.type) + "\n";
        }
    }
    out += "descriptors: " + std::to_string(header.descriptor_count) + "\n";
    for (std::uint32_t i = 0; i < header.descriptor_count; ++i) {
        SymTypeDescriptor d = descriptor(file, header, i);
        out += "  " + std::to_string(i) + " kind " + hex(d.kind, 2) + " value " + std::to_string(d.value) + "\n";
    }
    return out;
}

std::optional<std::string> check_symbols(const ByteReader& file) {
    SymTables tables;
    if (auto problem = tables_of(file, tables)) return problem;
    const SymFileHeader& header = tables.header;
    if (header.type_record_count < formats::kSymBasicTypeCount ||
        header.descriptor_count < formats::kSymBasicTypeCount) {
        return "fewer than the four basic types";
    }
    for (std::uint32_t i = 0; i < header.descriptor_count; ++i) {
        SymTypeDescriptor d = descriptor(file, header, i);
        if (d.kind != static_cast<std::uint8_t>(formats::SymDescriptorKind::Structure)) continue;
        if (d.value >= header.type_record_count || row(file, d.value).type != formats::kStructHeaderMarker) {
            return "descriptor " + std::to_string(i) + " names no structure header";
        }
    }
    for (std::uint32_t i = formats::kSymBasicTypeCount; i < header.type_record_count; ++i) {
        SymTypeRecord header_row = row(file, i);
        if (header_row.type != formats::kStructHeaderMarker) {
            return "row " + std::to_string(i) + " is no structure header";
        }
        if (!tables.pool.c_string(header_row.name_offset)) {
            return "row " + std::to_string(i) + " has no name in the pool";
        }
        if (std::uint64_t{i} + header_row.member_count >= header.type_record_count) {
            return "structure at row " + std::to_string(i) + " has members past the table";
        }
        for (std::uint32_t j = 1; j <= header_row.member_count; ++j) {
            SymTypeRecord member = row(file, i + j);
            std::string where = "row " + std::to_string(i + j);
            if (!tables.pool.c_string(member.name_offset)) return where + " has no name in the pool";
            if (member.member_number != j) return where + " is out of its structure's order";
            if (member.type >= header.descriptor_count) return where + " has an unknown type";
        }
        i += header_row.member_count;
    }
    return std::nullopt;
}

}  // namespace objdump
