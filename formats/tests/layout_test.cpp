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
    bytes[8] = 0x58;  // file size 0x58
    bytes[12] = 72;   // sections offset
    bytes[56] = 1;    // one section
    bytes[64] = 3;    // three symbol rows
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

// The remaining layouts are pinned by their static_asserts; including them
// here makes every build check them.
#include "formats/breakpoint_record.h"
#include "formats/image_file.h"
#include "formats/lib_file.h"
#include "formats/sym_file.h"
#include "formats/version_file.h"

namespace formats {
namespace {

TEST(ImageLayout, HeadWordsAtOddOffsetsReadTheirBytes) {
    std::string bytes(64, '\0');
    bytes[25] = 0x34;
    bytes[26] = 0x12;
    bytes[42] = char(0xC0);
    bytes[43] = 0x1A;
    auto head = ByteReader(bytes).record<ImageFileHead>(0);
    ASSERT_TRUE(head);
    // Fields at odd offsets are read by value: binding a reference (as
    // EXPECT_EQ does) to a packed member is misaligned.
    EXPECT_EQ(std::uint16_t(head->reset_address), 0x1234);
    EXPECT_EQ(std::uint16_t(head->fixed_data_end), kFixedDataBase);
}

}  // namespace
}  // namespace formats
