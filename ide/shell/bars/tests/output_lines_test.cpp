// The pane's line store: splitting text into lines, the limits of its text
// area and line table, and what a refused text leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ide/shell/bars/output_lines.h"

namespace {

std::vector<std::string> Lines(const ide::OutputLines& store) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < store.Count(); ++i) out.emplace_back(store.Line(i));
    return out;
}

TEST(OutputLinesTest, SplitsAtRunsOfControlBytesButKeepsTabs) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n\r\nb", {"a", "b"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"\nb", {"", "b"}},
        {"x\ty", {"x\ty"}},
        {std::string("p\0q", 3), {"p", "q"}},
        {"a\x7f"
         "b\x1f"
         "c",
         {"a", "b", "c"}},
        {"\xb1\xe0\xd2\xeb", {"\xb1\xe0\xd2\xeb"}},  // bytes 128-255 are text
    };
    for (const Case& c : cases) {
        ide::OutputLines store;
        ASSERT_TRUE(store.HasStorage());
        EXPECT_TRUE(store.Append(c.text));
        EXPECT_EQ(Lines(store), c.lines) << c.text;
    }
}

TEST(OutputLinesTest, AppendsAfterWhatIsThereAndClearsToNothing) {
    ide::OutputLines store;
    store.Append("one\r\ntwo");
    store.Append("three");
    EXPECT_EQ(Lines(store), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(store.UsedBytes(), 14u);
    EXPECT_EQ(store.Line(3), "");
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_EQ(store.UsedBytes(), 0u);
    store.Append("again");
    EXPECT_EQ(Lines(store), (std::vector<std::string>{"again"}));
}

TEST(OutputLinesTest, CommitsTextInPageStepsUpToTheAreaAndRefusesPastIt) {
    ide::OutputLines store({.max_lines = 64, .text_bytes = 0x10000});
    EXPECT_EQ(store.CommittedTextBytes(), 0x8000u);
    const std::string block(0x8000, 'x');
    ASSERT_TRUE(store.Append(block));  // the zero byte goes past the first commitment
    EXPECT_EQ(store.CommittedTextBytes(), 0x9000u);
    // Exactly filling the area, zero byte included, fits; one byte more does not.
    const std::size_t room = 0x10000 - store.UsedBytes();
    EXPECT_FALSE(store.Append(std::string(room, 'y')));
    EXPECT_EQ(store.Count(), 1u);
    EXPECT_TRUE(store.Append(std::string(room - 1, 'y')));
    EXPECT_EQ(store.UsedBytes(), 0x10000u);
    EXPECT_EQ(store.CommittedTextBytes(), 0x10000u);
    EXPECT_FALSE(store.Append("z"));
    EXPECT_EQ(store.Line(1).size(), room - 1);
}

TEST(OutputLinesTest, AFullTableRefusesTheRestButKeepsTheLinesThatFit) {
    ide::OutputLines store({.max_lines = 3, .text_bytes = 0x1000});
    EXPECT_TRUE(store.Append("a\nb"));
    EXPECT_FALSE(store.Append("c\nd\ne"));
    EXPECT_EQ(Lines(store), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(store.Append("f"));
    EXPECT_EQ(store.Count(), 3u);
}

TEST(OutputLinesTest, WithoutStorageEveryTextIsRefused) {
    ide::OutputLines store({.max_lines = 16, .text_bytes = std::size_t(1) << 62});
    EXPECT_FALSE(store.HasStorage());
    EXPECT_FALSE(store.Append("a"));
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_EQ(store.Line(0), "");
    store.Clear();
}

}  // namespace
