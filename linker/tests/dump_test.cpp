#include "linker/dump.h"

#include <gtest/gtest.h>

#include "formats/image_file.h"
#include "linker/tests/test_objects.h"

namespace linker {
namespace {

// Every truncation of a file is dumped as far as it goes and ends with an
// error line, without reading past the bytes given.
TEST(Dump, TruncatedFilesEndWithAnErrorLine) {
    std::string image(formats::kImageBank0Offset + 600, '\0');
    image[4] = char(600 & 0xFF);  // bank 0: 600 bytes at 244
    image[5] = char(600 >> 8);
    image[0] = char(formats::kImageBank0Offset);
    std::string map = {2, 0, 0, 0, 32, 0, 0, 0};  // two objects, names at 32
    const auto library = testing::library_of({{"A.OBJ", testing::procedure_object("alpha", 0)}});

    EXPECT_EQ(dump_image(formats::ByteReader(image)).find("error"), std::string::npos);
    EXPECT_NE(dump_library(formats::ByteReader(library)).find("A.OBJ at 12: alpha"), std::string::npos);
    for (std::size_t size = 0; size + 1 < image.size(); size += 97)
        EXPECT_NE(dump_image(formats::ByteReader(image.data(), size)).find("error: "), std::string::npos) << size;
    EXPECT_NE(dump_debug_map(formats::ByteReader(map)).find("error: object 0"), std::string::npos);
    for (std::size_t size = 0; size < library.size(); ++size)
        EXPECT_NE(dump_library(formats::ByteReader(library.data(), size)).find("error: "), std::string::npos) << size;
}

}  // namespace
}  // namespace linker
