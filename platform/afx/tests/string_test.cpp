// CString members, including how they treat double-byte characters.
#include <gtest/gtest.h>

#include <functional>

#include "platform/afx/byte_string.h"

namespace {

// "中" in GBK is D6 D0; "\x81\x5C" is a character whose trail byte is '\\'.
const char kWide[] = "\xD6\xD0";
const char kBackslashTrail[] = "\x81\x5C";

TEST(CStringMembers, Table) {
    struct Case {
        const char* what;
        const char* input;
        std::function<CString(CString)> op;
        const char* expected;
    };
    const Case cases[] = {
        {"Left clamps", "abc", [](CString s) { return s.Left(10); }, "abc"},
        {"Left negative", "abc", [](CString s) { return s.Left(-1); }, ""},
        {"Right", "abcdef", [](CString s) { return s.Right(2); }, "ef"},
        {"Mid past end", "abc", [](CString s) { return s.Mid(5); }, ""},
        {"Mid count", "abcdef", [](CString s) { return s.Mid(1, 3); }, "bcd"},
        {"SpanIncluding", "aabxa", [](CString s) { return s.SpanIncluding("ab"); }, "aab"},
        {"SpanExcluding", "key=value", [](CString s) { return s.SpanExcluding("="); }, "key"},
        {"TrimLeft", " \t x ",
         [](CString s) {
             s.TrimLeft();
             return s;
         },
         "x "},
        {"TrimRight", " x \r\n",
         [](CString s) {
             s.TrimRight();
             return s;
         },
         " x"},
        {"TrimRight chars", "a;;",
         [](CString s) {
             s.TrimRight(';');
             return s;
         },
         "a"},
        {"TrimLeft chars", "--a-",
         [](CString s) {
             s.TrimLeft("-");
             return s;
         },
         "a-"},
        {"MakeUpper", "aZ1b",
         [](CString s) {
             s.MakeUpper();
             return s;
         },
         "AZ1B"},
        {"MakeLower", "aZ1B",
         [](CString s) {
             s.MakeLower();
             return s;
         },
         "az1b"},
        {"MakeReverse", "abc",
         [](CString s) {
             s.MakeReverse();
             return s;
         },
         "cba"},
        {"Replace text", "a.b.c",
         [](CString s) {
             s.Replace(".", "::");
             return s;
         },
         "a::b::c"},
        {"Replace char", "a/b/c",
         [](CString s) {
             s.Replace('/', '\\');
             return s;
         },
         "a\\b\\c"},
        {"Remove", "a b c",
         [](CString s) {
             s.Remove(' ');
             return s;
         },
         "abc"},
        {"Insert past end", "ab",
         [](CString s) {
             s.Insert(9, "c");
             return s;
         },
         "abc"},
        {"Delete clamps", "abcdef",
         [](CString s) {
             s.Delete(4, 10);
             return s;
         },
         "abcd"},
        {"Delete out of range", "ab",
         [](CString s) {
             s.Delete(5);
             return s;
         },
         "ab"},
        {"Format", "",
         [](CString s) {
             s.Format("%s=%04X", "pc", 0xC00);
             return s;
         },
         "pc=0C00"},
        {"plus", "a", [](CString s) { return s + "b" + 'c'; }, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_STREQ(c.op(CString(c.input)), c.expected);
    }
}

TEST(CStringMembers, SearchesStartOnCharacterBoundaries) {
    CString path = CString("dir") + kBackslashTrail + "\\file";
    // The trail byte 0x5C of the double-byte character is not a path separator.
    EXPECT_EQ(path.Find('\\'), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(path.FindOneOf("\\/"), 5);
    EXPECT_EQ(path.Find("\\f"), 5);
    EXPECT_EQ(CString("abcabc").Find('c', 3), 5);
    EXPECT_EQ(CString("abc").Find('z'), -1);
    EXPECT_EQ(CString("abc").Find(""), 0);

    CString replaced = path;
    EXPECT_EQ(replaced.Replace('\\', '/'), 1);
    EXPECT_STREQ(replaced, (CString("dir") + kBackslashTrail + "/file"));

    CString trail_space = CString("x") + "\x81\x20";  // trail byte 0x20 looks like a space
    trail_space.TrimRight();
    EXPECT_EQ(trail_space.GetLength(), 3);

    CString wide = CString("a") + kWide;
    wide.MakeReverse();
    EXPECT_STREQ(wide, (CString(kWide) + "a"));
    CString upper = CString(kBackslashTrail) + "a";
    upper.MakeUpper();
    EXPECT_STREQ(upper, (CString(kBackslashTrail) + "A"));
}

TEST(CStringMembers, ComparesAndBuffers) {
    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_EQ(CString("abc").CompareNoCase("ABCD"), -1);
    EXPECT_EQ(CString("b").Compare(nullptr), 1);
    EXPECT_TRUE(CString("x") == "x");

    CString filled;
    char* buffer = filled.GetBuffer(16);
    std::snprintf(buffer, 16, "%d", 42);
    filled.ReleaseBuffer();
    EXPECT_STREQ(filled, "42");
    EXPECT_EQ(filled.GetLength(), 2);

    CString cut("abcdef");
    cut.GetBuffer(0);
    cut.ReleaseBuffer(3);
    EXPECT_STREQ(cut, "abc");
    cut.ReleaseBuffer(99);  // longer than the buffer: keeps what is there
    EXPECT_STREQ(cut, "abc");

    EXPECT_EQ(CString("abc").GetAt(3), '\0');
    EXPECT_FALSE(CString().LoadString(0xFFF0));
}

}  // namespace
