#pragma once
// The debug-symbol file (.sym): its type rows and descriptors as text, and
// their validation.
#include <optional>
#include <string>

#include "formats/byte_reader.h"

namespace objdump {

std::string dump_symbols(const formats::ByteReader& file);

// What is wrong with the file, or nothing: counts and the pool offset against
// the size, names inside the pool, member types against the descriptors and
// structure descriptors against the header rows.
std::optional<std::string> check_symbols(const formats::ByteReader& file);

}  // namespace objdump
