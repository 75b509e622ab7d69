// Decodes hand-made file bytes through the record layouts, so a field that
// reads the wrong bytes shows here rather than in a reader.
#include <string>

#include <gtest/gtest.h>

#include "formats/byte_reader.h"
#include "formats/obj_file.h"

namespace formats {
namespace {

TEST(ObjLayout, HeaderAndFixupFieldsReadTheirBytes) {
    std::string bytes(72 + 16, '\0');
    bytes[8] = 0x58;                       // file size 0x58
    bytes[12] = 72;                        // sections offset
    bytes[56] = 1;                         // one section
    bytes[64] = 3;                         // three symbol rows
    std::string fixup = {1, 0, 0, 0, 2, 0, 0x34, 0x12, 5, 0, 0, 0, char(0xFE), char(0xFF), char(0xFF), char(0xFF)};
    bytes.replace(72, 16, fixup);
    ByteReader reader(bytes);

    auto header = reader.record<ObjFileHeader>(0);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->file_size, 0x58u);
    EXPECT_EQ(header->sections_offset, kObjSectionsOffset);
    EXPECT_EQ(header->section_count, 1);
    EXPECT_EQ(header->symbol_count, 3);

    auto record = reader.record<ObjFixupRecord>(72);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->is_extern, 1u);
    EXPECT_EQ(FixupType(record->type), FixupType::HighByte);
    EXPECT_EQ(record->place, 0x1234);
    EXPECT_EQ(record->symbol_row, 5);
    EXPECT_EQ(static_cast<std::int32_t>(record->addend), -2);
}

TEST(ObjLayout, LineRecordPacksFileIndexAboveLineNumber) {
    EXPECT_EQ(line_file_index(0x03000010), 3u);
    EXPECT_EQ(line_number(0x03000010), 16u);
}

}  // namespace
}  // namespace formats
