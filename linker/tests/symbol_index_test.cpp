#include "linker/symbol_index.h"

#include <optional>
#include <string>
#include <string_view>
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

TEST(SymbolIndex, KeepsItsOwnCopyOfEachName) {
    SymbolIndex<int> index;
    {
        std::string name = "transient";
        index.insert(name, 1);
        name.assign("overwritten");
    }
    ASSERT_NE(index.find("transient"), nullptr);
    EXPECT_EQ(*index.find("transient"), 1);
    EXPECT_EQ(index.find("overwritten"), nullptr);
}

// Runs longer and shorter than the lookahead, with items that have no name:
// each named item is visited once, in order, with its name's hash.
TEST(SymbolIndex, ForEachHashedVisitsNamedItemsInOrder) {
    SymbolIndex<int> index;
    for (int i = 0; i < 100; ++i) index.insert("n" + std::to_string(i), i);
    for (const std::size_t count : {0u, 1u, 7u, 16u, 17u, 100u}) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < count; ++i) names.push_back("n" + std::to_string(i));
        auto name_of = [&](std::size_t i) -> std::optional<std::string_view> {
            if (i % 3 == 1) return std::nullopt;
            return std::string_view(names[i]);
        };
        std::vector<std::size_t> visited;
        for_each_hashed(index, count, name_of, [&](std::size_t i, std::uint64_t hash) {
            EXPECT_EQ(hash, SymbolIndex<int>::hash_of(names[i]));
            const auto* found = index.find(names[i], hash);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(*found, int(i));
            visited.push_back(i);
        });
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < count; ++i)
            if (i % 3 != 1) expected.push_back(i);
        EXPECT_EQ(visited, expected) << count << " items";
    }
}

}  // namespace
}  // namespace linker
