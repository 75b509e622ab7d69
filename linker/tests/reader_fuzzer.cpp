// Feeds arbitrary bytes to the object and library readers: each input must be
// read or refused with CorruptInput, never read out of bounds.
#include <cstddef>
#include <cstdint>

#include "formats/byte_reader.h"
#include "linker/library_file.h"
#include "linker/object_module.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const formats::ByteReader bytes(data, size);
    try {
        if (linker::has_library_magic(bytes))
            linker::read_library(bytes);
        else
            linker::read_object_module(bytes);
    } catch (const linker::CorruptInput&) {
    }
    return 0;
}
