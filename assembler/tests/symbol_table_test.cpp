// The sorted symbol table: order, insert and define, redefinition rules.
#include "assembler/symbol_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dravlin::SymbolKind;
using dravlin::SymbolTable;
using Outcome = SymbolTable::InsertOutcome;

std::vector<std::string> names(const SymbolTable& table) {
    std::vector<std::string> out;
    for (int i = 0; i < table.size(); ++i) out.push_back(table.at(i).name);
    return out;
}

TEST(SymbolTable, KeepsBytewiseOrder) {
    SymbolTable table;
    for (const char* name : {"abcd", "abc", "abc", "ABC", "_x", "\xC4\xE3", "Loop", "LOOP", "a"}) {
        table.insert(name, SymbolKind::Label, 0, {});
    }
    EXPECT_EQ(names(table),
              (std::vector<std::string>{"ABC", "LOOP", "Loop", "_x", "a", "abc", "abcd", "\xC4\xE3"}));
    for (const std::string& name : names(table)) EXPECT_GE(table.index_of(name), 0) << name;
    EXPECT_EQ(table.index_of("ab"), -1);
}

TEST(SymbolTable, FindTellsWhereAMissingNameBelongs) {
    SymbolTable table;
    EXPECT_EQ(table.find("m").relation, SymbolTable::Relation::Before);
    table.insert("m", SymbolKind::Label, 0, {});
    EXPECT_EQ(table.find("a").relation, SymbolTable::Relation::Before);
    EXPECT_EQ(table.find("z").relation, SymbolTable::Relation::After);
    EXPECT_EQ(table.find("m").relation, SymbolTable::Relation::Found);
}

TEST(SymbolTable, RedefinitionRules) {
    SymbolTable table;
    EXPECT_EQ(table.insert("x", SymbolKind::Label, 1, {}).outcome, Outcome::Added);
    EXPECT_EQ(table.insert("x", SymbolKind::Label, 2, {}).outcome, Outcome::Duplicate);
    EXPECT_EQ(table.at(table.index_of("x")).value, 1);

    // Open for redefinition (#REDEF) or external: taken over in place.
    table.at(table.index_of("x")).state = dravlin::kSymbolOpenForRedefinition;
    EXPECT_EQ(table.insert("x", SymbolKind::Constant, 3, {}).outcome, Outcome::Redefined);
    EXPECT_EQ(table.at(table.index_of("x")).kind, SymbolKind::Constant);
    EXPECT_EQ(table.at(table.index_of("x")).state, dravlin::kSymbolDefined);

    table.insert("e", SymbolKind::WordVariable, 0, {});
    table.at(table.index_of("e")).state = dravlin::kSymbolExternal;
    EXPECT_EQ(table.insert("e", SymbolKind::Label, 9, {}).outcome, Outcome::Redefined);
    EXPECT_EQ(table.at(table.index_of("e")).state, dravlin::kSymbolDefined);
    EXPECT_EQ(table.at(table.index_of("e")).kind, SymbolKind::Label);

    // A segment (or section) may be declared again: a second record.
    EXPECT_EQ(table.insert("code", SymbolKind::Segment, 0, {}).outcome, Outcome::Added);
    EXPECT_EQ(table.insert("code", SymbolKind::Segment, 0, {}).outcome, Outcome::Redeclared);
    EXPECT_EQ(names(table), (std::vector<std::string>{"code", "code", "e", "x"}));
    EXPECT_EQ(table.insert("code", SymbolKind::Section, 0, {}).outcome, Outcome::Duplicate);
}

TEST(SymbolTable, DefineRefreshesAnExistingName) {
    SymbolTable table;
    table.insert("l", SymbolKind::Label, 0, {});
    EXPECT_TRUE(table.define("l", SymbolKind::Label, 0x44, {0, 12}, 1, 2));
    const dravlin::Symbol& symbol = table.at(table.index_of("l"));
    EXPECT_EQ(symbol.value, 0x44);
    EXPECT_EQ(symbol.section, 1);
    EXPECT_EQ(symbol.segment, 2);
    EXPECT_EQ(symbol.place.line_offset, 12u);
    EXPECT_FALSE(table.define("missing", SymbolKind::Label, 0, {}, 0, 0));
}

TEST(SymbolTable, CapacityIsCheckedAtEveryInsert) {
    SymbolTable table;
    // Records of 23 fixed bytes and a 232-character name take 256 bytes each.
    std::string prefix(228, 'n');
    int added = 0;
    for (;; ++added) {
        std::string unique = prefix + std::to_string(1000 + added);
        SymbolTable::InsertResult result = table.insert(unique, SymbolKind::Label, 0, {});
        if (result.outcome == Outcome::Full) break;
        ASSERT_EQ(result.outcome, Outcome::Added);
    }
    EXPECT_EQ(added, 512);
}

}  // namespace
