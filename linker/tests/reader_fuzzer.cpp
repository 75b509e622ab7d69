// Feeds arbitrary bytes to the object and library readers and to the dumps:
// each input must be read or refused, never read out of bounds.
#include <cstddef>
#include <cstdint>

#include "formats/byte_reader.h"
#include "linker/dump.h"
#include "linker/library_file.h"
#include "linker/object_module.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const formats::ByteReader bytes(data, size);
    linker::dump_image(bytes);
    linker::dump_debug_map(bytes);
    linker::dump_library(bytes);
    try {
        if (linker::has_library_magic(bytes))
            linker::read_library(bytes);
        else
            linker::read_object_module(bytes);
    } catch (const linker::CorruptInput&) {
    }
    return 0;
}
