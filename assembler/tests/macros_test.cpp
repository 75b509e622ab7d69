// Macros (parameters, LOCAL names, nesting, replay in later passes) and
// structures (members, nesting, variables, the types they refer to).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembler/macros.h"
#include "assembler/tests/asm_run.h"

namespace {

using dravlin_test::AsmRun;
using dravlin_test::assemble_text;
using dravlin_test::in_segment;
using Bytes = std::vector<uint8_t>;

std::string expansion_of(const AsmRun& run, size_t which) {
    size_t seen = 0;
    for (const dravlin::SourceFile& source : run.context->sources) {
        if (source.is_expansion() && seen++ == which) return source.text;
    }
    return "<none>";
}

TEST(AsmMacros, LocalNamesAreNumberedPerExpansion) {
    const std::string body =
        "m MACRO\nLOCAL L, M\nL: NOP\nM: BNE L\nENDM\n"
        "m\nm\n";
    AsmRun run = assemble_text(in_segment(body));
    ASSERT_TRUE(run.succeeded) << run.messages();
    const dravlin::SymbolTable& symbols = run.context->symbols;
    for (const char* name : {"L001", "M101", "L002", "M102"}) EXPECT_GE(symbols.index_of(name), 0) << name;
    EXPECT_EQ(symbols.at(symbols.index_of("L002")).value, 3);
    EXPECT_EQ(run.segment_code(0), (Bytes{0xEA, 0xD0, 0xFD, 0xEA, 0xD0, 0xFD}));
}

TEST(AsmMacros, ParametersAreReplacedAtNameBoundaries) {
    const std::string body =
        "put MACRO x, v\n"
        "  LDA #v ; v stays in comments\n"
        "  STA x+1\n"
        "xy: DB \"x v\", 'x', v\n"
        "ENDM\n";
    AsmRun run = assemble_text(in_segment(body + "cell: DW 0\nput cell, 7"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(expansion_of(run, 0), "  LDA #7 ; v stays in comments\n  STA cell+1\nxy: DB \"x v\", 'x', 7\n");
    EXPECT_EQ(run.segment_code(0), (Bytes{0, 0, 0xA9, 7, 0x8D, 1, 0, 'x', ' ', 'v', 'x', 7}));
}

TEST(AsmMacros, NestedDefinitionsAndCallsWithoutParameters) {
    const std::string body =
        "outer MACRO\n"
        "inner MACRO\n"
        "  DB 2\n"
        "ENDM\n"
        "  DB 1\n"
        "ENDM\n"
        "outer\n"
        "inner\n"
        "lbl: inner\n";
    AsmRun run = assemble_text(in_segment(body));
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.segment_code(0), (Bytes{1, 2, 2}));
    // The label before a call names the expansion's first byte.
    EXPECT_EQ(run.context->symbols.at(run.context->symbols.index_of("lbl")).value, 2);
}

// A definition is known by its source as well as its place there: two macros that
// begin at the same byte of the main file and of an include are two macros.
TEST(AsmMacros, DefinitionsAtTheSameOffsetOfTwoSourcesStayApart) {
    const std::string main = "one MACRO\n  DB 1\nENDM\n#INCLUDE \"two.inc\"\n" + in_segment("one\ntwo\none\ntwo");
    AsmRun run = assemble_text(main, {{"two.inc", "two MACRO\n  DB 2\nENDM\n"}});
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.segment_code(0), (Bytes{1, 2, 1, 2}));
}

TEST(AsmMacros, Errors) {
    struct Case {
        const char* body;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"m MACRO a, b\nENDM\nm 1", {2025}},
        {"m MACRO a, b\nENDM\nm 1, 2, 3", {3000}},
        {"m MACRO\nm\nENDM\nm", {2021}},  // calls itself: stops at the nesting limit
        {"m MACRO\nENDM\nm MACRO\nENDM", {2004}},
        {"m MACRO\nENDM\nm: NOP", {2004}},
        {"x MACRO\nLOCAL a0,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9,c0,c1,c2,c3,c4,c5,"
         "c6,c7,c8,c9,d0,d1,d2,d3,d4,d5,d6,d7,d8,d9,e0,e1,e2,e3,e4,e5,e6,e7,e8,e9,f0,f1\nENDM\nx",
         {2024}},
        // A message from inside an expansion names the macro and the calling line.
        {"m MACRO\nbogus bogus\nENDM\nNOP\nm", {2006}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.body));
        EXPECT_EQ(run.ids(), c.ids) << c.body << "\n" << run.messages();
    }
    // Macros that call the one below ten times, seven deep: ten million
    // expansions. They stop at the run's budget, and each further call is
    // refused.
    std::string tower = "m0 MACRO\nNOP\nENDM\n";
    for (int level = 1; level <= 7; ++level) {
        tower += "m" + std::to_string(level) + " MACRO\n";
        for (int call = 0; call < 10; ++call) tower += "m" + std::to_string(level - 1) + "\n";
        tower += "ENDM\n";
    }
    AsmRun bomb = assemble_text(in_segment(tower + "m7"));
    EXPECT_FALSE(bomb.succeeded);
    EXPECT_EQ(bomb.ids(), std::vector<int>(bomb.ids().size(), 2021));
    EXPECT_NE(bomb.messages().find("macro declar error: expansions past 64 bytes for every byte of the sources"),
              std::string::npos);
    // Past the budget only the refused calls' own records are added.
    EXPECT_LE(bomb.context->expansion_bytes,
              dravlin::kLeastExpansionBytes + bomb.ids().size() * dravlin::kExpansionRecordBytes);

    // Bodies that run to the end of the source.
    EXPECT_EQ(assemble_text("m MACRO\nNOP").ids(), std::vector<int>{2021});
    EXPECT_EQ(assemble_text("s STRUC\na DB 0").ids(), std::vector<int>{2009});
    AsmRun named = assemble_text(in_segment("m MACRO\nbogus bogus\nENDM\nNOP\nm"));
    EXPECT_EQ(named.messages(), "m(7) syntax error 2006: unknow command\r\n");
}

TEST(AsmMacros, SelfCallingTwiceStopsAtTheExpansionBudget) {
    AsmRun run = assemble_text(in_segment("m MACRO\nm\nm\nENDM\nm"));
    EXPECT_FALSE(run.succeeded);
}

TEST(AsmStructures, MembersOffsetsAndVariables) {
    const std::string body =
        "s STRUC\na DB 0\nb DW 0\nc DD 0\nENDS\n"
        "pair STRUC\nlo DB 0\nhi DB 0\nENDS\n"
        "point STRUC\nx DB 0\nDB 2 dup(0)\ninner pair\nname DB \"abc\"\nENDS\n"
        "NOP\npt point\nv s\nLDA pt.inner.hi\nLDA v.c\n";
    AsmRun run = assemble_text(in_segment(body));
    ASSERT_TRUE(run.succeeded) << run.messages();
    const dravlin::SymbolTable& symbols = run.context->symbols;
    EXPECT_EQ(symbols.at(symbols.index_of("s")).value, 7);
    EXPECT_EQ(symbols.at(symbols.index_of("point")).value, 8);
    std::vector<int32_t> offsets;
    for (const dravlin::StructMember& member : run.context->members) offsets.push_back(member.offset);
    // s: 0 1 3 end; pair: 0 1 end; point: x 0, inner 3, name 5, end.
    EXPECT_EQ(offsets, (std::vector<int32_t>{0, 1, 3, 0, 0, 1, 0, 0, 3, 5, 0}));
    Bytes code = run.segment_code(0);
    ASSERT_EQ(code.size(), 1u + 8 + 7 + 3 + 3);
    EXPECT_EQ(code[16], 0xAD);
    EXPECT_EQ(code[17], 1 + 4);  // pt.inner.hi: pt at 1, inner at 3, hi at 1
    EXPECT_EQ(code[20], 9 + 3);  // v.c
}

TEST(AsmStructures, TypesAreFoundAfterLaterInsertsShiftTheTable) {
    // Names sorted before "pair" and "zrec" are entered after the types and
    // the variable: references must still reach the right types.
    std::string body = "pair STRUC\nlo DB 0\nhi DW 0\nENDS\nzrec STRUC\nq DD 0\nin pair\nENDS\nNOP\nvar zrec\n";
    for (int i = 0; i < 40; ++i) body += "a" + std::to_string(i) + " EQU " + std::to_string(i) + "\n";
    body += "LDA var.in.hi\n";
    AsmRun run = assemble_text(in_segment(body));
    ASSERT_TRUE(run.succeeded) << run.messages();
    Bytes code = run.segment_code(0);
    EXPECT_EQ(code[1 + 7 + 1], 1 + 4 + 1);
    // The .sym rows: zrec's member "in" points at pair's header by descriptor.
    const dravlin::SymbolRows& rows = run.context->rows;
    ASSERT_EQ(rows.types.size(), 4u + 3 + 3);
    EXPECT_EQ(rows.types[4].type, formats::kStructHeaderMarker);  // pair, emitted first
    EXPECT_EQ(rows.types[7].type, formats::kStructHeaderMarker);  // zrec
    EXPECT_EQ(rows.types[9].type, 4u);
    EXPECT_EQ(rows.descriptors[4].kind, 0x41);
    EXPECT_EQ(rows.descriptors[4].value, 4u);
}

TEST(AsmStructures, Errors) {
    struct Case {
        const char* body;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"s STRUC\na DB 0\nLDA #1\nENDS\nv s", {2009, 2006}},  // not entered, so "v s" is unknown
        {"s STRUC\na nothing\nENDS", {2009}},
        {"s STRUC\na DB 0\nENDS\ns STRUC\nENDS", {2004}},
        {"s STRUC\na DB 0\nENDS\nv s\nLDA v", {3004}},
        {"s STRUC\na DB 0\nENDS\nv s\nLDA v.b", {3005}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.body));
        EXPECT_EQ(run.ids(), c.ids) << c.body << "\n" << run.messages();
    }
}

}  // namespace
