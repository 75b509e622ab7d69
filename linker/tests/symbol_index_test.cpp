#include "linker/symbol_index.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace linker {
namespace {

TEST(SymbolIndex, FindsEveryNameAcrossGrowthAndKeepsTheFirstValue) {
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) names.push_back("symbol" + std::to_string(i));
    SymbolIndex<int> index;
    EXPECT_EQ(index.find("symbol0"), nullptr);  // empty table
    for (int i = 0; i < 5000; ++i) EXPECT_TRUE(index.insert(names[std::size_t(i)], i));
    for (int i = 0; i < 5000; i += 7) EXPECT_FALSE(index.insert(names[std::size_t(i)], -1));
    for (int i = 0; i < 5000; ++i) {
        const auto* found = index.find(names[std::size_t(i)]);
        ASSERT_NE(found, nullptr) << names[std::size_t(i)];
        EXPECT_EQ(*found, i);
    }
    EXPECT_EQ(index.find("symbol5000"), nullptr);
    EXPECT_EQ(index.find(""), nullptr);
    EXPECT_TRUE(index.insert("", 7));  // the empty name is a name like any other
    EXPECT_EQ(*index.find(""), 7);
}

}  // namespace
}  // namespace linker
