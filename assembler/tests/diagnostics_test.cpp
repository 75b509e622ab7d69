// The message lines in "output.msg" and the abort at the 103rd error.
#include "assembler/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dravlin::AsmAbort;
using dravlin::Reporter;

TEST(AsmDiagnostics, MessageTable) {
    EXPECT_EQ(dravlin::message_text(1004), "can not  map view of file mapping");
    EXPECT_EQ(dravlin::message_text(2018), "procedure not define ");
    EXPECT_EQ(dravlin::message_text(2032), "code not in  segment ");
    EXPECT_EQ(dravlin::message_text(3000), "Too much macro paramter ");
    EXPECT_EQ(dravlin::message_text(3009), "divide by 0");
    EXPECT_EQ(dravlin::message_text(3008), "");
    int count = 0;
    for (int id = 1000; id < 4000; ++id) count += !dravlin::message_text(id).empty();
    EXPECT_EQ(count, 6 + 38 + 9);
}

TEST(AsmDiagnostics, LineForms) {
    Reporter reporter;
    reporter.error(2001, "main.asm", 7);
    reporter.error(3005, "main.asm", 8, "pt.x");
    reporter.error(2021, "mac", 9, "a limit it passed");
    EXPECT_EQ(reporter.transcript(),
              "main.asm(7) syntax error 2001: syntax error\r\n"
              "main.asm(8) syntax error 3005: pt.x undefine symbol\r\n"
              "mac(9) syntax error 2021: macro declar error: a limit it passed\r\n");
    EXPECT_EQ(reporter.error_count(), 3);
}

TEST(AsmDiagnostics, FatalForms) {
    struct Case {
        int id;
        const char* file;
        const char* detail;
        const char* line;
    };
    const Case cases[] = {
        {1002, "x.asm", "No such file or directory", "fatal error x.asm: 1002: No such file or directory\r\n"},
        {1001, "", "", "fatal error: 1001: can not alloc virtual memory\r\n"},
        {1005, "x.asm", "", "fatal error: 1005: out of memory\r\n"},
        {1006, "x.obj", "", "fatal error x.obj: 1006: write file error\r\n"},
    };
    for (const Case& c : cases) {
        Reporter reporter;
        EXPECT_THROW(reporter.fatal(c.id, c.file, c.detail), AsmAbort);
        EXPECT_EQ(reporter.transcript(), c.line);
    }
}

TEST(AsmDiagnostics, TheHundredAndThirdErrorAborts) {
    Reporter reporter;
    for (int i = 1; i <= 102; ++i) EXPECT_NO_THROW(reporter.error(2001, "a", i));
    EXPECT_THROW(reporter.error(2001, "a", 103), AsmAbort);
    EXPECT_NE(reporter.transcript().find("a(103) syntax error"), std::string::npos);
}

}  // namespace
