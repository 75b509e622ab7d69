#include "formats/byte_reader.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace formats {
namespace {

constexpr std::uint8_t kBytes[] = {0x49, 0x4C, 0x02, 0x00, 0x78, 0x56, 0x34, 0x12, 'a', 'b', 0, 'c'};

TEST(ByteReader, ReadsLittleEndianScalarsInsideTheView) {
    ByteReader reader(kBytes, sizeof kBytes);
    EXPECT_EQ(reader.u16(0), 0x4C49);
    EXPECT_EQ(reader.u16(2), 2);
    EXPECT_EQ(reader.u32(4), 0x12345678u);
    EXPECT_EQ(reader.u8(11), 'c');
}

TEST(ByteReader, RefusesEveryAccessThatLeavesTheView) {
    ByteReader reader(kBytes, sizeof kBytes);
    constexpr auto kHuge = std::numeric_limits<std::uint64_t>::max();
    EXPECT_FALSE(reader.u8(12));
    EXPECT_FALSE(reader.u16(11));  // one byte inside, one outside
    EXPECT_FALSE(reader.u32(9));
    EXPECT_FALSE(reader.u32(kHuge));  // offset + width would wrap
    EXPECT_FALSE(reader.contains(4, kHuge));
    EXPECT_FALSE(reader.contains(kHuge, 1));
    EXPECT_TRUE(reader.contains(12, 0));  // an empty range at the end is inside
    EXPECT_FALSE(reader.contains(13, 0));
    EXPECT_FALSE(ByteReader().u8(0));
}

TEST(ByteReader, TablesAreCheckedAsAWholeAndByIndex) {
    ByteReader reader(kBytes, sizeof kBytes);
    EXPECT_EQ(reader.table_entry<std::uint16_t>(0, 2, 1), 2);
    EXPECT_FALSE(reader.table_entry<std::uint16_t>(0, 2, 2));  // index past the count
    EXPECT_FALSE(reader.table_entry<std::uint32_t>(4, 3, 0));  // table runs past the end
    EXPECT_FALSE(reader.contains_table<std::uint32_t>(0, 0x4000'0000'0000'0001ull));
    EXPECT_TRUE(reader.contains_table<std::uint32_t>(12, 0));
}

TEST(ByteReader, StringsNeedTheirTerminatorInsideTheView) {
    ByteReader reader(kBytes, sizeof kBytes);
    EXPECT_EQ(reader.c_string(8), "ab");
    EXPECT_EQ(reader.c_string(10), "");
    EXPECT_FALSE(reader.c_string(11));  // "c" runs to the end without a NUL
    EXPECT_FALSE(reader.c_string(12));
}

TEST(ByteReader, SlicesCannotReachOutsideTheirParent) {
    ByteReader reader(kBytes, sizeof kBytes);
    auto slice = reader.slice(4, 4);
    ASSERT_TRUE(slice);
    EXPECT_EQ(slice->size(), 4u);
    EXPECT_EQ(slice->u32(0), 0x12345678u);
    EXPECT_FALSE(slice->u8(4));  // kBytes[8] exists in the parent, not in the slice
    EXPECT_FALSE(slice->c_string(0));
    EXPECT_FALSE(reader.slice(8, 5));
}

}  // namespace
}  // namespace formats
