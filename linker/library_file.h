#pragma once
// The library file (.lib): "IL", a member count, {member offset, name offset}
// per member, the member objects whole, then the member names.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_reader.h"
#include "linker/object_module.h"

namespace linker {

struct LibraryInput {
    std::string name;  // as the command line gave it, upper-cased
    std::span<const std::uint8_t> object;
};

// The library's bytes; throws CorruptInput when the members do not fit the
// format's 16-bit count and 32-bit offsets.
std::vector<std::uint8_t> build_library(const std::vector<LibraryInput>& members);

struct LibraryMember {
    std::string_view name;
    ObjectModule module;
};

// True when the bytes begin with the library magic "IL".
bool has_library_magic(const formats::ByteReader& bytes);

// Reads and validates every member; throws CorruptInput naming the member at fault.
std::vector<LibraryMember> read_library(const formats::ByteReader& bytes);

}  // namespace linker
