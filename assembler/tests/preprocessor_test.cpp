// "#" lines: constants, includes, conditional blocks and their decisions
// across the passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembler/tests/asm_run.h"

namespace {

using dravlin_test::AsmRun;
using dravlin_test::assemble_text;
using dravlin_test::in_segment;
using Bytes = std::vector<uint8_t>;

// The bytes of a body whose every assembled line is a DB.
Bytes bytes_of(const std::string& body) {
    AsmRun run = assemble_text(in_segment(body));
    EXPECT_TRUE(run.succeeded) << body << "\n" << run.messages();
    return run.succeeded ? run.segment_code(0) : Bytes{};
}

TEST(AsmConditionals, SelectLines) {
    struct Case {
        const char* body;
        Bytes bytes;
    };
    const Case cases[] = {
        {"#IF 0\nDB 1\n#ELSE\nDB 2\n#ENDIF", {2}},
        {"#IF 1\nDB 1\n#ELSE\nDB 2\n#ELSE\nDB 3\n#ENDIF", {1, 3}},  // #ELSE twice inverts twice
        {"#IFE 0\nDB 1\n#ENDIF", {1}},
        {"#DEFINE X 0\n#IF X+1\nDB 1\n#ENDIF", {1}},
        {"#define X 0\n#ifdef X\nDB 1\n#endif\n#ifdef Y\nDB 2\n#endif", {1}},
        {"#IFNDEF Y\nDB 1\n#ELSE\nDB 2\n#ENDIF", {1}},
        {"#IFIDN Y\nDB 1\n#ENDIF", {1}},
        {"#DEFINE X 1\n#IFDIF X\nDB 1\n#ELSE\nDB 2\n#ENDIF", {1}},
        // A block nested in an inactive one is counted: its #ENDIF does not
        // end the outer block, nor does its #ELSE reopen it.
        {"#IF 0\n#IF 1\nDB 1\n#ELSE\nDB 2\n#ENDIF\nDB 3\n#ENDIF\nDB 4", {4}},
        {"#IF 0\n#IFNDEF Q\nDB 1\n#ENDIF\n#ELSE\nDB 2\n#ENDIF", {2}},
        // A guard: the name is defined after its test, which passes 1 and 2
        // take as pass 0 decided it.
        {"#IFNDEF GUARD\n#DEFINE GUARD 1\nDB 1\n#ENDIF", {1}},
        {"#FOO bar\nDB 1", {1}},  // an unknown "#" word is ignored
    };
    for (const Case& c : cases) EXPECT_EQ(bytes_of(c.body), c.bytes) << c.body;
}

TEST(AsmConditionals, Errors) {
    struct Case {
        const char* body;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"#ENDIF\nNOP", {2026}},
        {"#ELSE", {2026}},
        {"#IF 1\nNOP", {2027}},
        {"#DEFINE X 0\n#IF X + 1\n#ENDIF", {2001}},
        {"#IF nothing\n#ENDIF", {2003}},
        {"#IFDEF\n#ENDIF", {2001}},
        // Decided on label values that pass 1 moves: the passes disagree.
        {"a: NOP\nb:\n#IF b-a\nNOP\n#ENDIF", {2003}},
        {"#DEFINE 9X 1", {2002}},
        {"#DEFINE X", {2001}},
        {"#DEFINE X 1\n#DEFINE X 2", {2004}},
        {"#DEFINE X 1+", {2003}},
        {"#REDEF nothing", {2019}},
        {"#REDEF X Y", {2001}},
    };
    for (const Case& c : cases) {
        AsmRun run = assemble_text(in_segment(c.body));
        EXPECT_EQ(run.ids(), c.ids) << c.body << "\n" << run.messages();
    }
}

TEST(AsmIncludes, FilesAreReadInPlaceInEveryPass) {
    AsmRun run = assemble_text(in_segment("DB 1\n#INCLUDE \"a.inc\"\nDB 4\n#include <b.inc>\nDB K"),
                               {{"a.inc", "DB 2\n#INCLUDE \"c.inc\"\n"}, {"c.inc", "DB 3"}, {"b.inc", "K EQU 5\n"}});
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.segment_code(0), (Bytes{1, 2, 3, 4, 5}));
    std::vector<std::string> names;
    for (const dravlin::SourceFile& source : run.context->sources) names.push_back(source.name);
    EXPECT_EQ(names, (std::vector<std::string>{"main.asm", "a.inc", "c.inc", "b.inc"}));
}

TEST(AsmIncludes, Errors) {
    EXPECT_EQ(assemble_text(in_segment("#INCLUDE a.inc")).ids(), std::vector<int>{2001});
    EXPECT_EQ(assemble_text(in_segment("#INCLUDE \"a.inc\" \"b.inc\"")).ids(), std::vector<int>{2001});
    AsmRun missing = assemble_text(in_segment("#INCLUDE \"none.inc\""));
    EXPECT_TRUE(missing.aborted);
    EXPECT_NE(missing.messages().find("fatal error none.inc: 1002:"), std::string::npos) << missing.messages();
    // A file that includes itself stops at the nesting limit.
    AsmRun looped = assemble_text(in_segment("#INCLUDE \"self.inc\""), {{"self.inc", "#INCLUDE \"self.inc\"\n"}});
    EXPECT_FALSE(looped.succeeded);
    EXPECT_EQ(looped.ids(), std::vector<int>{2001});
}

TEST(AsmIncludes, MessagesNameTheFileAsGiven) {
    AsmRun run = assemble_text(in_segment("#INCLUDE \"bad.inc\""), {{"bad.inc", "NOP\nbogus bogus\n"}});
    EXPECT_EQ(run.messages(), "bad.inc(2) syntax error 2006: unknow command\r\n");
}

}  // namespace
