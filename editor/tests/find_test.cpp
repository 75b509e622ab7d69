// Searching the buffer, Replace All, and the find and replace histories.
#include <gtest/gtest.h>

#include "editor/find_history.h"
#include "editor/tests/edit_fixture.h"

namespace editor {
namespace {

using testing::At;
using testing::Fill;

constexpr uint32_t kCase = SearchRequest::kMatchCase;
constexpr uint32_t kForward = SearchRequest::kForward;
constexpr uint32_t kRegex = SearchRequest::kRegularExpression;

struct FindCase {
    const char* name;
    const char* text;
    const char* find;
    uint32_t flags;
    int from_line, from_index;
    int line, index, length;  // line 0: not found
};

TEST(EditorFindText, Table) {
    const FindCase cases[] = {
        {"plain forward", "one two\r\ntwo\r\n", "two", kForward, 1, 0, 1, 4, 3},
        {"forward from after a match", "one two\r\ntwo\r\n", "two", kForward, 1, 5, 2, 0, 3},
        {"case blind", "Hello\r\n", "hELLO", kForward, 1, 0, 1, 0, 5},
        {"match case", "Hello\r\nhello\r\n", "hello", kForward | kCase, 1, 0, 2, 0, 5},
        {"tabs before the match count as bytes", "\t\tx\r\n", "x", kForward, 1, 0, 1, 2, 1},
        {"not found", "abc\r\n", "z", kForward, 1, 0, 0, 0, 0},
        {"backward finds the last before the start", "ab ab ab\r\n", "ab", 0, 1, 7, 1, 3, 2},
        {"backward goes to earlier lines", "ab\r\ncd\r\n", "ab", 0, 2, 1, 1, 0, 2},
        {"backward needs the whole match before the start", "abc\r\n", "abc", 0, 1, 2, 0, 0, 0},
        {"regex forward", "x1 y22\r\n", "[0-9]+", kForward | kRegex, 1, 0, 1, 1, 1},
        {"regex dollar before CR LF", "ab\r\nab\r\n", "b$", kForward | kRegex, 1, 0, 1, 1, 1},
        {"regex dollar in an LF file", "ab\nab\n", "ab$", kForward | kRegex, 1, 1, 2, 0, 2},
        {"regex dollar in a CR file", "ab\rcab\r", "cab$", kForward | kRegex, 1, 0, 2, 0, 3},
        {"regex caret with a start offset", "aa\r\naa\r\n", "^a", kForward | kRegex, 1, 1, 2, 0, 1},
        {"regex backward takes the last match", "a1a2a3\r\n", "a[0-9]", kRegex, 1, 6, 1, 4, 2},
        {"regex backward ends by the start", "a1a2a3\r\n", "a[0-9]", kRegex, 1, 5, 1, 2, 2},
        {"regex case blind", "FooBAR\r\n", "ba+r", kForward | kRegex, 1, 0, 1, 3, 3},
        {"no match on the second byte of a character", "\x81\x41 a\r\n", "a", kForward, 1, 0, 1, 3, 1},
        {"nor backwards", "a \x81\x41\r\n", "a", 0, 1, 4, 1, 0, 1},
        {"nor with a regex",
         "\x81\x41\x81\x61"
         "a\r\n",
         "a+", kForward | kRegex | kCase, 1, 0, 1, 4, 1},
        {"bad regex finds nothing", "abc\r\n", "a**", kForward | kRegex, 1, 0, 0, 0, 0},
    };
    for (const FindCase& c : cases) {
        SECEdit edit;
        Fill(edit, c.text);
        SearchRequest request;
        request.flags = c.flags;
        request.find_text = c.find;
        TextPosition at = At(edit, c.from_line, c.from_index);
        EditLine* last = edit.GetLastLine();
        int found = edit.FindText(at, {last, last->length()}, request);
        EXPECT_EQ(found, c.line ? 1 : 0) << c.name;
        if (found && c.line) {
            EXPECT_EQ(at.line->number, c.line) << c.name;
            EXPECT_EQ(at.index, c.index) << c.name;
            EXPECT_EQ(request.match_length, c.length) << c.name;
        }
    }
}

TEST(EditorFindText, ForwardStopsAtTheEndPosition) {
    SECEdit edit;
    Fill(edit, "abc\r\nxx abc\r\nabc\r\n");
    SearchRequest request;
    request.find_text = "abc";
    TextPosition at = At(edit, 1, 1);
    EXPECT_EQ(edit.FindText(at, At(edit, 2, 5), request), 0);
    EXPECT_EQ(edit.FindText(at, At(edit, 2, 6), request), 1);
    EXPECT_EQ(at.line->number, 2);
}

// A search bounded by a column: the column ends the matcher's input, "$" stays the line's end.
TEST(EditorFindText, RegexStopsAtTheSegmentsEnd) {
    struct Case {
        const char* name;
        const char* find;
        bool forward;
        int from_line, from_index, end_line, end_index;
        int line, index, length;  // line 0: not found
    } cases[] = {
        {"forwards a shorter match ends at the limit", "a+", true, 1, 0, 2, 5, 2, 3, 2},
        {"forwards the whole run when the limit allows", "a+", true, 2, 0, 2, 7, 2, 3, 4},
        {"forwards a dollar is the true line end", "a$", true, 2, 0, 2, 5, 0, 0, 0},
        {"forwards a dollar at the true end", "a+$", true, 2, 0, 2, 7, 2, 3, 4},
        {"backwards from inside the run", "a+", false, 2, 5, 0, 0, 2, 4, 1},
        {"backwards a dollar before the end", "a$", false, 2, 5, 0, 0, 0, 0, 0},
        {"backwards a group cut short", "(aa)+", false, 2, 6, 0, 0, 2, 4, 2},
    };
    for (const Case& c : cases) {
        SECEdit edit;
        Fill(edit, "zz\r\nxx aaaa\r\n");
        SearchRequest request;
        request.flags = kRegex | (c.forward ? kForward : 0);
        request.find_text = c.find;
        TextPosition at = At(edit, c.from_line, c.from_index);
        TextPosition end = c.end_line ? At(edit, c.end_line, c.end_index) : TextPosition{};
        int found = edit.FindText(at, end, request);
        EXPECT_EQ(found, c.line ? 1 : 0) << c.name;
        if (found && c.line) {
            EXPECT_EQ(at.line->number, c.line) << c.name;
            EXPECT_EQ(at.index, c.index) << c.name;
            EXPECT_EQ(request.match_length, c.length) << c.name;
        }
    }
}

TEST(EditorFindText, ReplacementComesFromTheOriginalText) {
    SECEdit edit;
    Fill(edit, "Name: Alice Smith\r\n");
    SearchRequest request;
    request.flags = kForward | kRegex;
    request.find_text = "name: (a[a-z]*) ([a-z]+)";
    request.replace_text = "\\2, \\1";
    TextPosition at = At(edit, 1, 0);
    ASSERT_EQ(edit.FindText(at, At(edit, 1, 99), request), 1);
    EXPECT_EQ(request.replacement, "Smith, Alice");
    EXPECT_EQ(request.replace_text, "\\2, \\1");  // the template stays for the next match
}

TEST(EditorFindText, RunawayPatternReportsAnError) {
    SECEdit edit;
    Fill(edit, std::string(60, 'a') + "bcbc\r\n");
    SearchRequest request;
    request.flags = kForward | kRegex;
    request.find_text = "(a|aa)+(b|c)+d";
    TextPosition at = At(edit, 1, 0);
    EXPECT_EQ(edit.FindText(at, At(edit, 1, 99), request), 0);
    EXPECT_EQ(request.error, kFindTooComplex);
    request.find_text = "(";
    EXPECT_EQ(edit.FindText(at, At(edit, 1, 99), request), 0);
    EXPECT_EQ(request.error, kFindBadPattern);
}

TEST(EditorReplaceAll, ReplacesEveryMatchAsOneUndoStep) {
    SECEdit edit;
    Fill(edit, "cat cat\r\nCAT\r\n");
    edit.InsertChar(At(edit, 1, 0), '>', true, true);
    SearchRequest request;
    request.find_text = "cat";
    request.replace_text = "dog";
    EXPECT_EQ(edit.ReplaceAll(request), 3);
    EXPECT_EQ(edit.GetAllText(), ">dog dog\r\ndog\r\n");
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(edit.GetAllText(), ">cat cat\r\nCAT\r\n");  // the typing before stays
    EXPECT_TRUE(edit.Redo());
    EXPECT_EQ(edit.GetAllText(), ">dog dog\r\ndog\r\n");
    // A Replace All inside a command's own group joins that group.
    EXPECT_TRUE(edit.Undo());
    {
        UndoGroup outer(edit);
        edit.InsertChar(At(edit, 2, 0), '<', true, true);
        EXPECT_EQ(edit.ReplaceAll(request), 3);
    }
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(edit.GetAllText(), ">cat cat\r\nCAT\r\n");
}

TEST(EditorReplaceAll, AReplacementTooWideForItsLineLeavesThatMatch) {
    SECEdit edit;
    const std::string full = "a" + std::string(kMaxLineColumns - 3, 'w') + "\r\n";  // as wide as a line holds
    Fill(edit, full + "a\r\n");
    SearchRequest request;
    request.find_text = "a";
    request.replace_text = "abc";
    EXPECT_EQ(edit.ReplaceAll(request), 1);
    EXPECT_TRUE(edit.GetAllText() == full + "abc\r\n");
}

TEST(EditorReplaceAll, EmptyMatchesAdvance) {
    SECEdit edit;
    Fill(edit, "ab\r\ncd");
    SearchRequest request;
    request.flags = kRegex;
    request.find_text = "x*";
    request.replace_text = "-";
    EXPECT_EQ(edit.ReplaceAll(request), 6);
    EXPECT_EQ(edit.GetAllText(), "-a-b-\r\n-c-d-");
    request.find_text = "^";
    request.replace_text = "> ";
    EXPECT_EQ(edit.ReplaceAll(request), 2);
    EXPECT_EQ(edit.GetAllText(), "> -a-b-\r\n> -c-d-");
}

TEST(EditorReplaceAll, ReplacementMayHoldTheFindText) {
    SECEdit edit;
    Fill(edit, "a a\r\n");
    SearchRequest request;
    request.find_text = "a";
    request.replace_text = "aa";
    EXPECT_EQ(edit.ReplaceAll(request), 2);
    EXPECT_EQ(edit.GetAllText(), "aa aa\r\n");
    request.find_text = "zzz";
    EXPECT_EQ(edit.ReplaceAll(request), 0);
    EXPECT_EQ(edit.GetUndoLog().position(), 4);
}

TEST(EditorFindHistory, NewestFirstWithoutDuplicates) {
    struct Step {
        const char* saved;
        std::vector<std::string> history;
    } steps[] = {
        {"one", {"one"}},        {"two", {"two", "one"}}, {"two", {"two", "one"}},  // same as the newest: nothing moves
        {"one", {"one", "two"}},  // an older copy moves up and does not stay twice
        {"", {"one", "two"}},     // empty find texts are not kept
    };
    MemoryProfile profile;
    for (const Step& step : steps) {
        SaveFindHistory(profile, FindHistory::kFind, step.saved);
        EXPECT_EQ(LoadFindHistory(profile, FindHistory::kFind), step.history) << step.saved;
    }
    for (int i = 0; i < 12; ++i) SaveFindHistory(profile, FindHistory::kFind, "t" + std::to_string(i));
    std::vector<std::string> history = LoadFindHistory(profile, FindHistory::kFind);
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history.front(), "t11");
    EXPECT_EQ(history.back(), "t2");
}

TEST(EditorFindHistory, EmptyReplaceTextIsKeptAsMarker) {
    MemoryProfile profile;
    SaveFindHistory(profile, FindHistory::kReplace, "x");
    SaveFindHistory(profile, FindHistory::kReplace, "");
    EXPECT_EQ(profile.GetProfileString("Settings\\Find", "Replace1", ""), "<OE empty string>");
    EXPECT_EQ(LoadFindHistory(profile, FindHistory::kReplace), (std::vector<std::string>{"", "x"}));
    FindSettings settings{1, 0, 0, 1};
    SaveFindSettings(profile, settings);
    FindSettings loaded = LoadFindSettings(profile);
    EXPECT_EQ(loaded.regular_expressions, 1);
    EXPECT_EQ(loaded.forward, 0);
    EXPECT_EQ(loaded.wrap_search, 1);
}

}  // namespace
}  // namespace editor
