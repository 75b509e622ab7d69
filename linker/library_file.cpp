#include "linker/library_file.h"

#include <cstring>
#include <limits>

#include "formats/lib_file.h"

namespace linker {
namespace {

template <class Record>
void append(std::vector<std::uint8_t>& out, const Record& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    out.insert(out.end(), bytes, bytes + sizeof record);
}

}  // namespace

std::vector<std::uint8_t> build_library(const std::vector<LibraryInput>& members) {
    if (members.size() > std::numeric_limits<std::uint16_t>::max()) throw CorruptInput("more than 65535 members");
    std::uint64_t total = formats::kLibMemberTableOffset + 8 * members.size();
    for (const auto& member : members) total += member.object.size() + member.name.size() + 1;
    if (total > std::numeric_limits<std::uint32_t>::max()) throw CorruptInput("library larger than 4 GB");

    std::vector<std::uint8_t> out;
    out.reserve(total);
    append(out, formats::LibFileHeader{formats::kLibMagic, std::uint16_t(members.size())});
    auto object_offset = std::uint32_t(formats::kLibMemberTableOffset + 8 * members.size());
    auto name_offset = object_offset;
    for (const auto& member : members) name_offset += std::uint32_t(member.object.size());
    for (const auto& member : members) {
        append(out, formats::LibMemberEntry{object_offset, name_offset});
        object_offset += std::uint32_t(member.object.size());
        name_offset += std::uint32_t(member.name.size() + 1);
    }
    for (const auto& member : members) out.insert(out.end(), member.object.begin(), member.object.end());
    for (const auto& member : members) {
        out.insert(out.end(), member.name.begin(), member.name.end());
        out.push_back(0);
    }
    return out;
}

bool has_library_magic(const formats::ByteReader& bytes) { return bytes.u16(0) == formats::kLibMagic; }

std::vector<LibraryMember> read_library(const formats::ByteReader& bytes) {
    auto header = bytes.record<formats::LibFileHeader>(0);
    if (!header || header->magic != formats::kLibMagic) throw CorruptInput("not a library");
    std::vector<LibraryMember> members;
    members.reserve(header->member_count);
    for (std::uint32_t index = 0; index < header->member_count; ++index) {
        auto entry =
            bytes.table_entry<formats::LibMemberEntry>(formats::kLibMemberTableOffset, header->member_count, index);
        if (!entry) throw CorruptInput("member table outside the file");
        auto name = bytes.c_string(entry->name_offset);
        if (!name) throw CorruptInput("member " + std::to_string(index) + ": name outside the file");
        // A member's extent is the size its own header gives.
        auto size = bytes.u32(std::uint64_t(entry->object_offset) + offsetof(formats::ObjFileHeader, file_size));
        auto object = size ? bytes.slice(entry->object_offset, *size) : std::nullopt;
        if (!object) throw CorruptInput("member " + std::string(*name) + ": object outside the file");
        try {
            members.push_back({*name, read_object_module(*object)});
        } catch (const CorruptInput& error) {
            throw CorruptInput("member " + std::string(*name) + ": " + error.what());
        }
    }
    return members;
}

}  // namespace linker
