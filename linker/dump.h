#pragma once
// Text dumps of the files the linker and the library maker write: the bank
// image (.LKE), the debug map (.DEB) and the library (.lib). Each reads
// through the checked reader and says where a corrupt file stops making
// sense instead of reading past it. Used by the tests' goldens and by
// dumping tools.
#include <string>

#include "formats/byte_reader.h"

namespace linker {

std::string dump_image(const formats::ByteReader& image);
std::string dump_debug_map(const formats::ByteReader& map);
std::string dump_library(const formats::ByteReader& library);

}  // namespace linker
