// The address range of View Assembly Code: inside the 64 KB, never backwards.
#include <gtest/gtest.h>

#include <string>

#include "ide/shell/debug/assembly_range.h"

namespace shell {
namespace {

TEST(AssemblyRangeTest, TakesRangesInsideTheAddressSpace) {
    struct Case {
        const char* start;
        const char* end;
        std::uint16_t first, last;
    };
    for (const Case& c : {Case{"0x4000", "0x4010", 0x4000, 0x4010}, Case{"0", "0xFFFF", 0, 0xFFFF},
                          Case{" 16384 ", "16400", 0x4000, 0x4010}, Case{"0xE000", "0xE000", 0xE000, 0xE000}}) {
        const auto range = ParseAssemblyRange(c.start, c.end);
        ASSERT_TRUE(range.ok()) << c.start << " " << c.end << ": " << range.error().text;
        EXPECT_EQ(range->start, c.first);
        EXPECT_EQ(range->end, c.last);
    }
}

TEST(AssemblyRangeTest, RefusesAddressesPastTheEndAndABackwardRange) {
    struct Case {
        const char* start;
        const char* end;
        const char* says;
    };
    for (const Case& c : {Case{"0x10000", "0x10010", "0x10000 lies past the end"},
                          Case{"0x4000", "0x1FFFF", "0x1FFFF lies past the end"},
                          Case{"0", "4294967295", "0xFFFFFFFF lies past the end"},
                          Case{"0x4010", "0x4000", "start address 0x4010 lies after the end address 0x4000"}}) {
        const auto range = ParseAssemblyRange(c.start, c.end);
        ASSERT_FALSE(range.ok()) << c.start << " " << c.end;
        EXPECT_NE(range.error().text.find(c.says), std::string::npos) << range.error().text;
    }
}

}  // namespace
}  // namespace shell
