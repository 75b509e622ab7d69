// The sorted symbol table: order, insert and define, redefinition rules.
#include "assembler/symbol_table.h"

#include "assembler/declarations.h"

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

TEST(AsmSymbolTable, KeepsBytewiseOrder) {
    SymbolTable table;
    for (const char* name : {"abcd", "abc", "abc", "ABC", "_x", "\xC4\xE3", "Loop", "LOOP", "a"}) {
        table.insert(name, SymbolKind::Label, 0, {});
    }
    table.sort();
    EXPECT_EQ(names(table), (std::vector<std::string>{"ABC", "LOOP", "Loop", "_x", "a", "abc", "abcd", "\xC4\xE3"}));
    for (const std::string& name : names(table)) EXPECT_GE(table.index_of(name), 0) << name;
    EXPECT_EQ(table.index_of("ab"), -1);
}

TEST(AsmSymbolTable, RedefinitionRules) {
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
    table.sort();
    EXPECT_EQ(names(table), (std::vector<std::string>{"code", "code", "e", "x"}));
    EXPECT_GT(table.handle(0), table.handle(1));  // newest first
    EXPECT_EQ(table.insert("code", SymbolKind::Section, 0, {}).outcome, Outcome::Duplicate);
}

TEST(AsmSymbolTable, DefineRefreshesAnExistingName) {
    SymbolTable table;
    table.insert("l", SymbolKind::Label, 0, {});
    EXPECT_TRUE(table.define("l", SymbolKind::Label, 0x44, true, {0, 12}, 1, 2));
    const dravlin::Symbol& symbol = table.at(table.index_of("l"));
    EXPECT_EQ(symbol.value, 0x44);
    EXPECT_EQ(symbol.section, 1);
    EXPECT_EQ(symbol.segment, 2);
    EXPECT_EQ(symbol.place.line_offset, 12u);
    EXPECT_FALSE(table.define("missing", SymbolKind::Label, 0, true, {}, 0, 0));
}

TEST(AsmSymbolTable, GrowsWithTheSource) {
    // Far more names than an address-space reservation of 128 KB held, added
    // in an order unlike the sorted one: every one is found at its place.
    SymbolTable table;
    constexpr int kNames = 100000;
    for (int i = 0; i < kNames; ++i) {
        std::string name = "name" + std::to_string((i * 7919) % kNames);
        ASSERT_EQ(table.insert(name, SymbolKind::Label, i, {}).outcome, Outcome::Added);
    }
    table.sort();
    ASSERT_EQ(table.size(), kNames);
    for (int index = 1; index < kNames; ++index) ASSERT_LT(table.at(index - 1).name, table.at(index).name);
    for (int i = 0; i < kNames; i += 997) {
        int index = table.index_of("name" + std::to_string((i * 7919) % kNames));
        ASSERT_GE(index, 0);
        EXPECT_EQ(table.at(index).value, i);
    }
}

// Declarations report through the context, at the current line.
class AsmDeclarations : public ::testing::Test {
protected:
    void SetUp() override {
        context.sources.push_back({dravlin::FoundBy::AsGiven, "m.asm", "m.asm", ""});
        context.reading.push_back({0, {}, 40});
        context.reading.back().cursor.line_number = 3;
    }
    dravlin::AsmContext context;
};

TEST_F(AsmDeclarations, RedefinitionIs2004AtTheSecondDefinition) {
    EXPECT_GE(dravlin::declare_symbol(context, "x", SymbolKind::Label, 0), 0);
    EXPECT_FALSE(context.pass_failed);
    EXPECT_EQ(dravlin::declare_symbol(context, "x", SymbolKind::Label, 0), -1);
    EXPECT_TRUE(context.pass_failed);
    EXPECT_EQ(context.reporter.transcript(), "m.asm(3) syntax error 2004: symbol redefine\r\n");
    EXPECT_EQ(context.symbols.at(context.symbols.index_of("x")).place.line_offset, 40u);
}

TEST_F(AsmDeclarations, DefineOfAMissingNameIs2019) {
    context.state.section = 2;
    context.state.segment = 1;
    EXPECT_FALSE(dravlin::define_symbol(context, "nowhere", SymbolKind::Label, 5, true));
    EXPECT_EQ(context.reporter.transcript(), "m.asm(3) syntax error 2019: undefine symbol\r\n");
    dravlin::declare_symbol(context, "here", SymbolKind::Label, 0);
    EXPECT_TRUE(dravlin::define_symbol(context, "here", SymbolKind::Label, 5, true));
    EXPECT_EQ(context.symbols.at(context.symbols.index_of("here")).section, 2);
}

}  // namespace
