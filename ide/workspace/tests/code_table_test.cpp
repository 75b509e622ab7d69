#include "ide/workspace/code_table.h"

#include <gtest/gtest.h>

#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

using Direction = CodeTable::Direction;

// One GB code with two BIG5 codes, the same pair again, a line whose second
// BIG5 code is invalid and a line with an invalid GB code.
const char kTable[] =
    "# comment\n"
    "\xB0\xA1\xB0\xDA\xB0\xDB\n"
    "\xB0\xA1\xB0\xDA\r\n"
    "\xB0\xA2\xA1\x40\x7F\x7F\n"
    "\xFE\xFF\xA1\x40\n";

class IdeCodeTable : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("hc.tab", kTable);
        ASSERT_EQ(table.Load((dir / "hc.tab").string(), log), 3);
    }

    std::vector<std::uint32_t> Lookup(Direction direction, std::uint32_t code, int max = 4) {
        std::vector<std::uint32_t> out(4, 0);
        const int n = table.Lookup(direction, code, out.data(), max);
        out.resize(n > 0 ? static_cast<std::size_t>(n) : 1);
        return out;
    }

    testing_kit::TempDir dir;
    CodeTable table;
    std::string log;
};

TEST_F(IdeCodeTable, LinesEnterPrimariesCandidatesAndReverseEntries) {
    EXPECT_EQ(log, "Invalid BIG5 code in line 3\nInvalid GB code in line 4\n");
    EXPECT_EQ(Lookup(Direction::gb_to_big5, 0xB0A1), (std::vector<std::uint32_t>{0xB0DA, 0xB0DB}));
    EXPECT_EQ(Lookup(Direction::gb_to_big5, 0xB0A1, 1), (std::vector<std::uint32_t>{0xB0DA}));
    EXPECT_EQ(Lookup(Direction::big5_to_gb, 0xB0DA), (std::vector<std::uint32_t>{0xB0A1}));
    EXPECT_EQ(Lookup(Direction::big5_to_gb, 0xB0DB), (std::vector<std::uint32_t>{0xB0A1}));
    // The pair before the invalid code stays entered.
    EXPECT_EQ(Lookup(Direction::gb_to_big5, 0xB0A2), (std::vector<std::uint32_t>{0xA140}));
}

TEST_F(IdeCodeTable, LookupResultsOutsideTheTable) {
    std::uint32_t out = 0;
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xB0A3, &out, 1), 0);
    EXPECT_EQ(out, CodeTable::kGbMissing);
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xA141, &out, 1), -1);
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xFEFF, &out, 1), -1);
    EXPECT_EQ(table.Lookup(Direction::big5_to_gb, 0xF9FF, &out, 1), -1);
    EXPECT_EQ(out, CodeTable::kBig5Missing);
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xB0A1, &out, 0), -2);
}

TEST_F(IdeCodeTable, ConversionPairsOnlyLeadAndTrailBytes) {
    struct Case {
        std::string gb, big5;
    };
    const Case cases[] = {
        {"Game 1", "Game 1"},
        {"A\xB0\xA1Z", "A\xB0\xDAZ"},
        {"\xB0\xA3", "\xA1\xBC"},  // no entry
        {"\xA1"
         "a",
         "\xA1"
         "a"},  // below the GB range
        {"\xB0"
         "A",
         "\xB0"
         "A"},               // an ASCII letter is no trail byte
        {"X\xB0", "X\xB0"},  // a lone lead byte at the end
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertToBig5(table, c.gb), c.big5) << c.gb;
}

TEST_F(IdeCodeTable, ReloadingReplacesTheTablesAndAMissingFileFails) {
    dir.write("other.tab", "\xB0\xA2\xB0\xDC\n");
    EXPECT_EQ(table.Load((dir / "other.tab").string(), log), 1);
    std::uint32_t out = 0;
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xB0A1, &out, 1), 0);
    EXPECT_EQ(table.Lookup(Direction::big5_to_gb, 0xB0DA, &out, 1), 0);
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xB0A2, &out, 1), 1);
    EXPECT_EQ(out, 0xB0DCu);

    log.clear();
    EXPECT_EQ(table.Load((dir / "none.tab").string(), log), -1);
    EXPECT_EQ(log, "can't open table file: " + (dir / "none.tab").string() + "\n");
}

TEST_F(IdeCodeTable, ALineLongerThan255BytesIsABadLineAndEntersNothing) {
    // A GB code and 126 BIG5 codes make 254 bytes; one code more makes 256.
    std::string fits = "\xB0\xA5";
    for (std::uint32_t code = 0xB140; code < 0xB140 + 126; ++code) fits += {char(code >> 8), char(code & 0xFF)};
    std::string too_long = "\xB0\xA6" + fits.substr(2) + "\xB2\x40";
    ASSERT_EQ(fits.size(), 254u);
    ASSERT_EQ(too_long.size(), 256u);
    dir.write("long.tab",
              "# a comment may run on" + std::string(300, '.') + "\r\n" + too_long + "\r\n" + fits + "\r\n");
    log.clear();
    EXPECT_EQ(table.Load((dir / "long.tab").string(), log), 126);
    EXPECT_EQ(log, "Line 1 is longer than 255 bytes\n");
    std::uint32_t out = 0;
    EXPECT_EQ(table.Lookup(Direction::gb_to_big5, 0xB0A6, &out, 1), 0);
    EXPECT_EQ(table.Lookup(Direction::big5_to_gb, 0xB240, &out, 1), 0);
    EXPECT_EQ(table.Lookup(Direction::big5_to_gb, 0xB140 + 125, &out, 1), 1);
    EXPECT_EQ(out, 0xB0A5u);
}

TEST(IdeCodeTableFile, TheShippedTableMapsSimplifiedToTraditional) {
    CodeTable table;
    std::string log;
    EXPECT_GT(table.Load(testing_kit::program_path("hc.tab").string(), log), 6000);
    EXPECT_EQ(log, "");
    // "zhong guo" in simplified characters becomes the traditional pair.
    EXPECT_EQ(ConvertToBig5(table, "\xD6\xD0\xB9\xFA"), "\xA4\xA4\xB0\xEA");
}

}  // namespace
}  // namespace ide
