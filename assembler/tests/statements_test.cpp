// Whole sources through the three passes: data, blocks, constants, names
// that cross objects, and the checks each pass makes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "assembler/tests/asm_run.h"

namespace {

using dravlin_test::AsmRun;
using dravlin_test::assemble_text;
using dravlin_test::in_segment;
using Bytes = std::vector<uint8_t>;

TEST(AsmData, ItemsGiveTheirBytes) {
    struct Case {
        const char* line;
        Bytes bytes;
    };
    const Case cases[] = {
        {"msg DB \"AB\", 0", {0x41, 0x42, 0x00}},
        {"t DB 3 dup(7)", {7, 7, 7}},
        {"DB 0 dup(7), 1", {1}},
        {"w DW 1234H, ?", {0x34, 0x12, 0, 0}},
        {"d DD 12345678H", {0x78, 0x56, 0x34, 0x12}},
        {"q QW -2", {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},  // sign-extended
        {"q QW 80000000H", {0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"DW 2 dup(-1)", {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.line));
        ASSERT_TRUE(run.succeeded) << c.line << "\n" << run.messages();
        EXPECT_EQ(run.segment_code(0), c.bytes) << c.line;
    }
}

TEST(AsmData, RelocatableItemsGetAFixupPerCopy) {
    AsmRun run = assemble_text(in_segment("here: NOP\nDW 3 dup(here+1)\nDB <here, >here\nDD .BANKNUM here"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    const auto& fixups = run.tables().fixups;
    ASSERT_EQ(fixups.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fixups[static_cast<size_t>(i)].place, 1 + 2 * i);
        EXPECT_EQ(fixups[static_cast<size_t>(i)].type, 1);
        EXPECT_EQ(fixups[static_cast<size_t>(i)].addend, 1);
    }
    EXPECT_EQ(fixups[3].type, 3);
    EXPECT_EQ(fixups[4].type, 2);
    EXPECT_EQ(fixups[5].type, 4);
    EXPECT_EQ(fixups[5].place, 9);
}

TEST(AsmData, BadItemsAreReported) {
    struct Case {
        const char* line;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"x DB", {2009}},
        {"DB 32769 dup(0)", {2003}},
        {"DB -1 dup(0)", {2003}},
        {"DB 2 dup(nothing)", {2003}},
        {"DB here", {3007}},           // a whole address does not fit a byte
        {"DW .BANKNUM here", {3007}},  // a far call takes four bytes
        {"DB missing", {3005}},
        {"DB \"a;\"", {2003}},   // ";" ends the operand: the string loses its closing quote
        {"DB \"x,y\"", {2003}},  // so does a comma
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(std::string("here: NOP\n") + c.line));
        EXPECT_FALSE(run.succeeded) << c.line;
        EXPECT_EQ(run.ids(), c.ids) << c.line << "\n" << run.messages();
    }
    // 32768 copies fill a segment exactly.
    EXPECT_TRUE(assemble_text(in_segment("DB 32768 dup(0)")).succeeded);
    AsmRun over = assemble_text(in_segment("DB 32768 dup(0)\nNOP"));
    EXPECT_EQ(over.ids(), std::vector<int>{2037});
}

TEST(AsmStatements, FormsAndTheirErrors) {
    struct Case {
        const char* body;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"lda: NOP", {2005}},
        {"9x: NOP", {2005}},
        {"x: bogus", {2006}},
        {"x bogus", {2006}},           // an unknown word after a name
        {"LOCAL a", {2006}},           // LOCAL outside a macro body
        {"x EQU 1\nx bogus", {2006}},  // also after a name that exists
        {"EQU 5", {2001}},
        {"PROC", {2001}},
        {"x", {2001}},
        {"9x EQU 1", {2009}},
        {"EXITM", {2022}},
        {"ORG 100H\nx LABEL BYTE\nx: NOP", {}},  // reserved words without effect
        {"x EQU 1+", {2003}},
        {"v = 1\nv = v+1\nDB v", {}},
        {"x: NOP\nx = 1", {2031}},
        {"x: NOP\nx: NOP", {2004}},
        {"x: NOP\n#REDEF x\nx: NOP", {}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.body));
        EXPECT_EQ(run.ids(), c.ids) << c.body << "\n" << run.messages();
    }
}

TEST(AsmStatements, AssignedValuesFollowTheSource) {
    AsmRun run = assemble_text(in_segment("v = 1\nDB v\nv = v+1\nDB v\nv = 7\nDB v"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.segment_code(0), (Bytes{1, 2, 7}));
}

// Pass 2 keeps pass 1's encoding of an instruction only when every name in
// its operand already had its final value there; the rest are encoded again.
TEST(AsmStatements, InstructionsGetTheValuesOfTheLastPass) {
    struct Case {
        std::string body;
        std::map<std::string, std::string> includes;
        Bytes code;
    };
    const std::vector<Case> cases = {
        {"start:\nLDA #dist\nNOP\nfwd:\ndist EQU fwd-start", {}, {0xA9, 3, 0xEA}},
        {"v = 1\nLDA #v\nv = 2\nLDA #v", {}, {0xA9, 1, 0xA9, 2}},
        {"v = 0\n#INCLUDE \"i.inc\"\nv = 2\n#INCLUDE \"i.inc\"", {{"i.inc", "#IF v\nLDA #v\n#ENDIF\n"}}, {0xA9, 2}},
        {"top: LDX #2\nloop: DEX\nBNE loop\nJMP top", {}, {0xA2, 2, 0xCA, 0xD0, 0xFD, 0x4C, 0, 0}},
        {"LDA \\\n#3\nLDA #4 ; note", {}, {0xA9, 3, 0xA9, 4}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.body), c.includes);
        ASSERT_TRUE(run.succeeded) << c.body << "\n" << run.messages();
        EXPECT_EQ(run.segment_code(0), c.code) << c.body;
    }
}

TEST(AsmBlocks, BlockErrors) {
    struct Case {
        const char* source;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"x: NOP", {2007}},
        {"c SEGMENT\nc ENDSG", {2016, 2017}},  // a segment needs a section
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\np PROC\np ENDP\ns ENDSC", {2007, 2018}},
        {"s SECTION BASEADDRESS:4000H LENGTH:1000H\ns ENDSC", {2030}},
        {"s SECTION BANKNUMBER:1\ns ENDSC", {2029}},
        {"s SECTION length:1 bankNumber:2\ns ENDSC", {2028}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nt SECTION\ns ENDSC", {2013}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nt ENDSC", {2016}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\ns ENDSC extra", {2010}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nc SEGMENT\nd ENDSG\ns ENDSC", {2017}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nc SEGMENT\nc SEGMENT\nc ENDSG\ns ENDSC", {2014}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nc SEGMENT\ny PROC\nx ENDP\nc ENDSG\ns ENDSC", {2018}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nc SEGMENT\ny PROC\nc ENDSG\ns ENDSC", {2015, 2015, 2015}},
        {"s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\nc SEGMENT\n", {2013, 2014}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(c.source);
        EXPECT_EQ(run.ids(), c.ids) << c.source << "\n" << run.messages();
    }
}

TEST(AsmBlocks, RepeatedNamesGiveRecordsOfTheirOwn) {
    // Two sections "s" with a segment "code" each: every record, and "$",
    // refers to the symbol row of its own statement.
    std::string source =
        "s SECTION BASEADDRESS:4000H LENGTH:100H BANKNUMBER:1\ncode SEGMENT\nNOP\nDW $+0\ncode ENDSG\ns ENDSC\n"
        "s SECTION BASEADDRESS:8000H LENGTH:100H BANKNUMBER:2\ncode SEGMENT\nDW $+0\ncode ENDSG\ns ENDSC\n";
    AsmRun run = assemble_text(source);
    ASSERT_TRUE(run.succeeded) << run.messages();
    const dravlin::ObjectTables& tables = run.tables();
    ASSERT_EQ(tables.sections.size(), 2u);
    ASSERT_EQ(tables.segments.size(), 2u);
    EXPECT_EQ(tables.sections[1].bank_number, 2);
    EXPECT_EQ(tables.sections[1].first_segment, 1u);
    EXPECT_NE(tables.segments[0].symbol, tables.segments[1].symbol);
    for (int segment = 0; segment < 2; ++segment) {
        const dravlin::Fixup& fixup = run.tables().fixups[static_cast<size_t>(segment)];
        EXPECT_EQ(fixup.type, 5);
        EXPECT_EQ(fixup.symbol, tables.segments[static_cast<size_t>(segment)].symbol);
        const dravlin::Symbol& row_symbol = run.context->symbols.at(fixup.symbol);
        EXPECT_EQ(row_symbol.section, segment);
        EXPECT_EQ(row_symbol.segment, 0);
    }
}

TEST(AsmBlocks, ProceduresAndEntryPoint) {
    AsmRun run = assemble_text(in_segment("NOP\nmain PROC\nstart: LDA #1\nRTS\nmain ENDP\nEND start"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    ASSERT_EQ(run.tables().procedures.size(), 1u);
    EXPECT_EQ(run.tables().procedures[0].start, 1);
    EXPECT_EQ(run.tables().procedures[0].end, 4);
    ASSERT_TRUE(run.tables().entry.has_value());
    EXPECT_EQ(run.tables().entry->value, 1);

    EXPECT_EQ(assemble_text(in_segment("END nowhere")).ids(), std::vector<int>{2020});
    EXPECT_FALSE(assemble_text(in_segment("NOP\nEND")).tables().entry.has_value());
}

TEST(AsmLinkage, ExternAndPublic) {
    AsmRun run = assemble_text("EXTERN a:BYTE, b:DWORD, c, d:qword, e:QWURD, f:PROC\n" +
                               in_segment("x: LDA b\nJSR f\nPUBLIC x"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    const dravlin::SymbolTable& symbols = run.context->symbols;
    const std::pair<const char*, dravlin::SymbolKind> kinds[] = {
        {"a", dravlin::SymbolKind::ByteVariable},  {"b", dravlin::SymbolKind::DwordVariable},
        {"c", dravlin::SymbolKind::WordVariable},  {"d", dravlin::SymbolKind::QwordVariable},
        {"e", dravlin::SymbolKind::QwordVariable}, {"f", dravlin::SymbolKind::Procedure},
    };
    for (const auto& [name, kind] : kinds) {
        const dravlin::Symbol& symbol = symbols.at(symbols.index_of(name));
        EXPECT_EQ(symbol.kind, kind) << name;
        EXPECT_EQ(symbol.state, dravlin::kSymbolExternal) << name;
    }
    ASSERT_EQ(run.tables().fixups.size(), 2u);
    EXPECT_TRUE(run.tables().fixups[0].external);
    EXPECT_EQ(run.tables().publics, std::vector<int>{symbols.index_of("x")});

    struct Case {
        const char* source;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"EXTERN 9a", {2009}},
        {"EXTERN a:LONG, b", {2001}},
        {"k EQU 5\nPUBLIC k", {2036}},
        {"PUBLIC nowhere", {2001}},
        {"EXTERN e\nPUBLIC e", {2001}},
        {"t STRUC\nb DB 0\nENDS\nPUBLIC t", {2001}},
        {"m MACRO\nENDM\nPUBLIC m", {2001}},
        {"EXTERN e\ne: NOP", {}},  // a later definition takes the name over
    };
    for (const Case& c : cases) {
        AsmRun checked = assemble_text(in_segment(c.source));
        EXPECT_EQ(checked.ids(), c.ids) << c.source << "\n" << checked.messages();
    }
}

TEST(AsmLinkage, FixupOnANameWithoutARowIs2019) {
    AsmRun run = assemble_text(in_segment("x: NOP\n#REDEF x\nDW x"));
    EXPECT_EQ(run.ids(), std::vector<int>{2019}) << run.messages();
}

TEST(AsmLinkage, UndefKeepsTheNameOpen) {
    // The name is left open for a new definition and gets no object row.
    AsmRun run = assemble_text(in_segment("#DEFINE K 5\n#UNDEF K now\nDB 1\nK EQU 7\nDB K"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.segment_code(0), (Bytes{1, 7}));
    AsmRun dropped = assemble_text(in_segment("#DEFINE K 5\n#UNDEF K now\nNOP"));
    ASSERT_TRUE(dropped.succeeded);
    EXPECT_EQ(dropped.context->rows.row_of_symbol[static_cast<size_t>(dropped.context->symbols.index_of("K"))], -1);
    EXPECT_EQ(assemble_text(in_segment("#UNDEF K")).ids(), std::vector<int>{2001});
    EXPECT_EQ(assemble_text(in_segment("#UNDEF K x")).ids(), std::vector<int>{2019});
}

}  // namespace
