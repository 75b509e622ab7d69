// The editor core without a window: scripted key sessions with their text, caret,
// selection and undo results, against a window that records what it was asked.
#include "editor/sec_edit_core.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "editor/find_history.h"
#include "editor/tests/edit_core_fixture.h"

namespace editor {
namespace {

using testing::Lines;
using testing::RecordingWindow;
using testing::Session;

struct KeySession {
    const char* name;
    std::string text;
    const char* script;
    std::string lines;      // the text after the script, line by line
    const char* caret;      // "line:column"
    const char* selection;  // "line:column-line:column", or empty for none
    int undo_steps;         // Undo commands that take the text back to where it began
    bool keep_tabs = true;
};

TEST(EditorCore, ScriptedKeySessions) {
    const KeySession sessions[] = {
        // Typing, overwrite, Enter with AutoIndent.
        {"typing", "ab\r\n", "Right 'xy'", "[axyb\r\n]", "1:3", "", 1},
        {"overwrite", "abc\r\n", "Ins 'XY' Ins 'z'", "[XYzc\r\n]", "1:3", "", 2},
        {"auto-indent to the line above", "\tif (x)\r\n", "End Enter 'y'", "[\tif (x)\r\n][\ty\r\n]", "2:5", "", 2},
        {"auto-indent evens out the rest of a split line", "    a  b\r\n", "End Left Left Left Enter",
         "[    a\r\n][\tb\r\n]", "2:4", "", 1},
        {"auto-indent with spaces", "  a\r\n", "End Enter 'b'", "[  a\r\n][  b\r\n]", "2:3", "", 2, false},
        {"escape clears a selection", "abc\r\n", "Shift+Right Esc", "[abc\r\n]", "1:1", "", 0},
        // Tabs and block indents.
        {"tab keeping tabs", "ab\r\n", "Right Tab", "[a\tb\r\n]", "1:4", "", 1},
        {"tab with spaces to the stop", "abcde\r\n", "End Tab", "[abcde   \r\n]", "1:8", "", 1, false},
        {"back-tab moves only the caret", "\t\tx\r\n", "End Shift+Tab", "[\t\tx\r\n]", "1:8", "", 0},
        {"block indent", "a\r\nb\r\nc\r\n", "Shift+Down Shift+Down Tab", "[\ta\r\n][\tb\r\n][c\r\n]", "1:0", "1:0-3:0",
         1},
        {"block outdent takes a tab or spaces", "\ta\r\n      b\r\nc\r\n", "Shift+Down Shift+End Shift+Tab",
         "[a\r\n][  b\r\n][c\r\n]", "1:0", "1:0-3:0", 1},
        {"block indent is stream only", "ab\r\ncd\r\n", "Shift+Right Shift+Down Tab", "[ab\r\n][cd\r\n]", "2:1",
         "1:0-2:1", 0},  // column mode set below
        // Deleting.
        {"delete at the end joins", "ab\r\ncd\r\n", "End Del", "[abcd\r\n]", "1:2", "", 1},
        {"backspace at column 0 joins", "ab\r\ncd\r\n", "Down Back", "[abcd\r\n]", "1:2", "", 1},
        {"backspace at the start changes nothing", "ab\r\n", "Back", "[ab\r\n]", "1:0", "", 0},
        {"typing over a selection", "abcd\r\n", "Right Shift+Right Shift+Right 'X'", "[aXd\r\n]", "1:2", "", 1},
        // Double-byte characters: typed whole, moved over whole, deleted whole.
        {"double-byte typing", "ab\r\n", "Right '\xC4\xE3' Left Left",
         "[a\xC4\xE3"
         "b\r\n]",
         "1:0", "", 1},
        {"double-byte word right", "\xC4\xE3\xBA\xC3 abc\r\n", "Ctrl+Right 'x'", "[\xC4\xE3\xBA\xC3 xabc\r\n]", "1:6",
         "", 1},
        {"double-byte word left", "\xC4\xE3\xBA\xC3 abc\r\n", "End Ctrl+Left Ctrl+Left 'x'",
         "[x\xC4\xE3\xBA\xC3 abc\r\n]", "1:1", "", 1},
        {"double-byte selection", "a\xC4\xE3\r\n", "End Shift+Left", "[a\xC4\xE3\r\n]", "1:1", "1:1-1:3", 0},
        {"double-byte delete", "\xC4\xE3x\r\n", "Del", "[x\r\n]", "1:0", "", 1},
        {"double-byte backspace", "x\xC4\xE3\r\n", "End Back", "[x\r\n]", "1:1", "", 1},
        // Caret moves.
        {"right at the end goes to the next line", "ab\r\ncd", "End Right 'x'", "[ab\r\n][xcd]", "2:1", "", 1},
        {"caret stops at the line end in LF files", "abcdef\nab\n", "End Down 'x'", "[abcdef\n][abx\n]", "2:3", "", 1},
        {"word left after leading blanks", "  a.b_c  d\r\n", "End Ctrl+Left Ctrl+Left 'x'", "[  xa.b_c  d\r\n]", "1:3",
         "", 1},
        {"tabs are one caret step", "\tx\r\n", "Right 'y'", "[\tyx\r\n]", "1:5", "", 1},
        {"selection extends from the caret", "abc\r\ndef\r\n", "Right Shift+Down Shift+End", "[abc\r\n][def\r\n]",
         "2:3", "1:1-2:3", 0},
        {"left with a selection moves from the caret", "abcd\r\n", "Right Right Shift+Right Left", "[abcd\r\n]", "1:2",
         "", 0},
        {"select all", "ab\r\ncd", "Ctrl+A", "[ab\r\n][cd]", "2:2", "1:0-2:2", 0},
        {"cut and paste", "one two\r\n", "Shift+Ctrl+Right Ctrl+X End ' ' Ctrl+V", "[two one \r\n]", "1:8", "", 3},
        {"undo and redo keys", "ab\r\ncd\r\n", "'x' Down 'y' Ctrl+Z Ctrl+Z Ctrl+Y", "[xab\r\n][cd\r\n]", "1:1", "", 1},
    };
    for (const KeySession& s : sessions) {
        Session session(s.text, 4, s.keep_tabs);
        if (std::string(s.name) == "block indent is stream only") session.core.set_selection_mode(kColumnSelection);
        session.Run(s.script);
        EXPECT_EQ(Lines(session.edit), s.lines) << s.name;
        EXPECT_EQ(session.Caret(), s.caret) << s.name;
        EXPECT_EQ(session.Selection(), s.selection) << s.name;
        int steps = 0;
        while (session.edit.GetUndoLog().position() > 0 && steps < 10) {
            session.core.OnCommand(kCmdUndo);
            ++steps;
        }
        EXPECT_EQ(steps, s.undo_steps) << s.name;
        EXPECT_EQ(session.edit.GetAllText(), s.text) << s.name << " (undone)";
    }
}

TEST(EditorCore, ErrorsReachTheUser) {
    Session session("ab\r\n");
    session.Run("Left");
    ASSERT_EQ(session.window.messages.size(), 1u);
    EXPECT_EQ(session.window.messages[0].first, kTopOfFile);
    EXPECT_EQ(session.window.messages[0].second, "Top of file.");
    session.edit.SetReadOnly(1);
    session.Run("'x' Del");
    EXPECT_EQ(session.edit.GetAllText(), "ab\r\n");
    EXPECT_EQ(session.core.DoError(kNotFound, std::string(1000, 'q'), true), kNotFound);
    EXPECT_LT(session.window.messages.back().second.size(), 300u);  // a long argument is cut
}

TEST(EditorCore, EnterOverASelectionKeepsItOnTheClipboard) {
    Session session("abc\r\n");
    session.Run("Shift+Right Shift+Right Enter");
    EXPECT_EQ(session.window.clipboard, "ab");
    EXPECT_EQ(Lines(session.edit), "[\r\n][c\r\n]");
    session.core.OnCommand(kCmdUndo);
    EXPECT_EQ(session.edit.GetAllText(), "abc\r\n");  // one step for cut and new line
}

TEST(EditorCore, TypingWhileTheMouseButtonIsHeldInsertsNothing) {
    Session session("ab\r\n");
    session.window.button_down = true;
    session.Run("'x'");
    EXPECT_EQ(session.edit.GetAllText(), "ab\r\n");
}

TEST(EditorCore, ColumnBlocksCopyAndPasteAsBlocks) {
    Session session("abcd\r\nefgh\r\nij\r\n");
    session.core.set_selection_mode(kColumnSelection);
    session.Run("Right Shift+Right Shift+Right Shift+Down Ctrl+C");
    EXPECT_EQ(session.window.clipboard, std::string("*SECEdit Column Block*\r\nbc\r\nfg"));
    session.Run("Ctrl+Home Down Down End Ctrl+V");
    EXPECT_EQ(Lines(session.edit), "[abcd\r\n][efgh\r\n][ijbc\r\n][  fg]");
    // A block whose tag is followed by a bare LF is still a block, and its rows keep it.
    session.window.clipboard = std::string("*SECEdit Column Block*\nXY\nZW");
    session.Run("Ctrl+Home Ctrl+V");
    EXPECT_EQ(Lines(session.edit), "[XYabcd\r\n][ZWefgh\r\n][ijbc\r\n][  fg]");
}

TEST(EditorCore, PastedTextWithBareLineFeedsIsSplitIntoLines) {
    Session session("[]\r\n");
    session.window.clipboard = "a\nb";
    session.Run("Right Ctrl+V");
    EXPECT_EQ(Lines(session.edit), "[[a\r\n][b]\r\n]");
    EXPECT_EQ(session.Caret(), "2:1");
}

TEST(EditorCore, BookmarksWrapAround) {
    Session session("1\r\n2\r\n3\r\n4\r\n5\r\n");
    session.Run("Down Down Ctrl+F2");
    EXPECT_EQ(session.edit.bookmark_count, 1);
    session.Run("F2");
    EXPECT_EQ(session.Caret(), "3:0");  // the only bookmark is the caret line: it comes back
    session.Run("Down Down F2");
    EXPECT_EQ(session.Caret(), "3:0");  // wrapped past the end
    session.Run("Up Up Shift+F2");
    EXPECT_EQ(session.Caret(), "3:0");  // wrapped past the start
    EXPECT_TRUE(session.core.IsCommandEnabled(kCmdBookmarkNext));
    session.Run("Ctrl+Shift+F2");
    EXPECT_EQ(session.edit.bookmark_count, 0);
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdBookmarkNext));
    EXPECT_FALSE(session.edit.GetLineByNumber(3)->flags & kLineBookmark);
    session.Run("F9 Down F9");
    EXPECT_EQ(session.edit.breakpoint_count, 2);
    session.Run("Ctrl+Shift+F9");
    EXPECT_EQ(session.edit.breakpoint_count, 0);
}

TEST(EditorCore, PagesAndTheViewFollowTheCaret) {
    std::string text;
    for (int i = 1; i <= 50; ++i) text += "line " + std::to_string(i) + "\r\n";
    Session session(text);
    session.Run("PgDn");
    EXPECT_EQ(session.Caret(), "11:0");
    EXPECT_EQ(session.core.top_line(), 11);
    session.Run("Ctrl+End");
    EXPECT_EQ(session.Caret(), "50:7");
    EXPECT_EQ(session.core.top_line(), 41);
    session.Run("PgUp Up");
    EXPECT_EQ(session.Caret(), "39:7");
    EXPECT_EQ(session.core.top_line(), 31);
    EXPECT_EQ(session.window.caret_pixels, std::make_pair(16 + 7 * 8, 8 * 16));
    session.Run("Ctrl+Home");
    EXPECT_EQ(session.core.top_line(), 1);
    // A long line scrolls the view sideways by tab sizes.
    Session wide(std::string(100, 'w') + "\r\n");
    wide.Run("End");
    EXPECT_EQ(wide.core.left_column(), 64);
    wide.Run("Home");
    EXPECT_EQ(wide.core.left_column(), 0);
}

TEST(EditorCore, EnabledCommands) {
    Session session("ab\r\n");
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdCopy));
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdUndo));
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdPaste));  // nothing on the clipboard
    session.Run("Shift+Right");
    EXPECT_TRUE(session.core.IsCommandEnabled(kCmdCut));
    session.Run("'x'");
    EXPECT_TRUE(session.core.IsCommandEnabled(kCmdUndo));
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdRedo));
    session.edit.SetReadOnly(1);
    session.window.clipboard = "t";
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdPaste));
}

// A key as a person names it, modifiers first: "Ctrl+Shift+F2".
std::string KeyName(const EditKey& entry) {
    static const std::map<int, std::string> names = {
        {VK_UP, "Up"},      {VK_DOWN, "Down"},  {VK_LEFT, "Left"}, {VK_RIGHT, "Right"}, {VK_HOME, "Home"},
        {VK_END, "End"},    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_BACK, "Back"},   {VK_TAB, "Tab"},
        {VK_DELETE, "Del"}, {VK_INSERT, "Ins"}, {VK_F2, "F2"},     {VK_F3, "F3"},       {VK_F9, "F9"},
    };
    const auto named = names.find(entry.key);
    std::string key = named != names.end() ? named->second : std::string(1, char(entry.key));
    return std::string(entry.ctrl ? "Ctrl+" : "") + (entry.shift ? "Shift+" : "") + (entry.alt ? "Alt+" : "") + key;
}

// Every key of the editor's table with its command, compared whole: a key
// bound to the wrong command is as wrong as a missing one.
TEST(EditorCore, TheKeyTableHoldsEveryEditorKeyAndNoOther) {
    const std::set<std::pair<std::string, int>> expected = {
        {"Down", 45000},
        {"Up", 45001},
        {"Left", 45002},
        {"Right", 45003},
        {"PgUp", 45004},
        {"PgDn", 45005},
        {"Home", 45006},
        {"End", 45007},
        {"Ctrl+Home", 45008},
        {"Ctrl+End", 45009},
        {"Ctrl+Left", 45010},
        {"Ctrl+Right", 45011},
        {"Shift+Up", 45013},
        {"Shift+Left", 45014},
        {"Shift+Down", 45015},
        {"Shift+End", 45016},
        {"Shift+Home", 45017},
        {"Shift+PgDn", 45018},
        {"Ctrl+Shift+Left", 45019},
        {"Shift+PgUp", 45020},
        {"Shift+Right", 45021},
        {"Ctrl+Shift+Right", 45022},
        {"Back", 45023},
        {"Shift+Back", 45023},
        {"Tab", 45024},
        {"Shift+Tab", 45025},
        {"F3", 45026},
        {"Ctrl+F2", 45027},
        {"F2", 45028},
        {"Shift+F2", 45029},
        {"Ctrl+Shift+F2", 45030},
        {"Ctrl+Shift+End", 45032},
        {"Ctrl+Shift+Home", 45033},
        {"Ctrl+A", 45034},
        {"F9", 45040},
        {"Ctrl+Shift+F9", 45041},
        {"Del", 57632},
        {"Ctrl+C", 57634},
        {"Ctrl+Ins", 57634},
        {"Ctrl+X", 57635},
        {"Shift+Del", 57635},
        {"Ctrl+F", 57636},
        {"Ctrl+V", 57637},
        {"Shift+Ins", 57637},
        {"Ctrl+H", 57641},
        {"Ctrl+Z", 57643},
        {"Alt+Back", 57643},
        {"Ctrl+Shift+Z", 57644},
        {"Ins", 59140},
        // Beyond the accelerator list: the Edit menu shows Redo on Ctrl+Y.
        {"Ctrl+Y", 57644},
    };
    std::set<std::pair<std::string, int>> actual;
    std::set<std::string> keys;
    for (const EditKey& entry : EditorKeyTable()) {
        actual.emplace(KeyName(entry), entry.command);
        EXPECT_TRUE(keys.insert(KeyName(entry)).second) << KeyName(entry) << " is in the table twice";
        EXPECT_EQ(CommandForKey(entry.key, entry.shift, entry.ctrl, entry.alt), entry.command) << KeyName(entry);
    }
    EXPECT_EQ(actual, expected);
    // Keys the editor leaves alone reach the window as they are.
    EXPECT_EQ(CommandForKey('Y', true, true, false), 0);
    EXPECT_EQ(CommandForKey(VK_DELETE, false, true, false), 0);
    EXPECT_EQ(CommandForKey(VK_F9, false, true, false), 0);
}

TEST(EditorCore, MousePlacesTheCaret) {
    Session session("short\r\n\tlonger line\r\nend\r\n");
    session.core.CaretFromPoint(16 + 2 * 8 + 5, 16 + 3);  // past the middle of cell 2: column 3
    EXPECT_EQ(session.Caret(), "2:0");                    // inside the tab: its start
    session.core.CaretFromPoint(16 + 6 * 8, 16 + 3);
    EXPECT_EQ(session.Caret(), "2:6");
    session.core.CaretFromPoint(16 + 30 * 8, 5 * 16);  // below the last line, far right
    EXPECT_EQ(session.Caret(), "3:3");                 // the end of the last line
    std::string rows;
    for (int i = 1; i <= 30; ++i) rows += "r\r\n";
    Session tall(rows);
    tall.core.SetClientSize(16 + 40 * 8, 10 * 16 + 8);  // the eleventh row shows in part
    tall.core.CaretFromPoint(16, 10 * 16 + 5);
    EXPECT_EQ(tall.Caret(), "10:0");
    // Left of the text the view scrolls one column per call.
    Session wide(std::string(100, 'w') + "\r\n");
    wide.Run("End");
    ASSERT_EQ(wide.core.left_column(), 64);
    for (int call = 0; call < 3; ++call) wide.core.CaretFromPoint(2, 4);
    EXPECT_EQ(wide.core.left_column(), 61);
    EXPECT_EQ(wide.Caret(), "1:61");
}

TEST(EditorCore, ScrollingMovesTheViewOnly) {
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "row\r\n";
    Session session(text);
    EXPECT_EQ(session.core.ScrollLineUp(true), kTopOfFile);
    EXPECT_EQ(session.core.ScrollLineDown(true), 0);
    EXPECT_EQ(session.window.scrolled, -1);
    EXPECT_EQ(session.core.top_line(), 2);
    EXPECT_EQ(session.core.ScrollPageDown(true), 0);
    EXPECT_EQ(session.core.top_line(), 12);
    EXPECT_EQ(session.Caret(), "1:0");
    EXPECT_EQ(session.window.caret_pixels.second, -11 * 16);  // above the window
    EXPECT_EQ(session.core.ScrollPageUp(true), 0);
    EXPECT_EQ(session.core.top_line(), 2);
    // Typing brings the caret back into view.
    session.Run("'x'");
    EXPECT_EQ(session.core.top_line(), 1);
}

TEST(EditorCore, LongFilesScrollInSteps) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "x\n";
    Session session(text);
    EXPECT_EQ(session.window.ranges[kVerticalBar].first, 199999 / 4);
    session.Run("Ctrl+End");
    EXPECT_EQ(session.core.top_line(), 199991);
    EXPECT_EQ(session.window.scroll[kVerticalBar], 199990 / 4);
}

TEST(EditorCore, WordsAndSpans) {
    Session session("foo_bar+baz\r\nab\r\ncd\r\n");
    std::string word;
    session.Run("Right Right");
    ASSERT_TRUE(session.core.GetWordAtCaret(word));
    EXPECT_EQ(word, "foo_bar");
    session.core.SelectWord(true);
    EXPECT_EQ(session.Selection(), "1:0-1:7");
    session.Run("Home Shift+Down Shift+Down Shift+Right");
    int from = 0, to = 0;
    ASSERT_TRUE(session.core.SelectedSpan(1, &from, &to));
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(0, 11));
    ASSERT_TRUE(session.core.SelectedSpan(3, &from, &to));
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(0, 1));
    EXPECT_FALSE(session.core.SelectedSpan(4, &from, &to));
    // A column block reaches past the end of short lines.
    session.Run("Esc Ctrl+Home End");
    session.core.set_selection_mode(kColumnSelection);
    session.Run("Shift+Down Shift+Left");
    ASSERT_TRUE(session.core.SelectedSpan(2, &from, &to));
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(10, 11));
}

TEST(EditorCore, FindNextWrapsAndReports) {
    Session session("one two\r\ntwo\r\nthree\r\n");
    session.Run("F3");
    EXPECT_EQ(session.window.dialogs, std::vector<int>{kCmdFind});  // nothing searched yet
    EXPECT_FALSE(session.core.IsCommandEnabled(kCmdFindNext));
    SaveFindHistory(session.profile, FindHistory::kFind, "two");
    session.Run("Down F3");
    EXPECT_EQ(session.Selection(), "2:0-2:3");
    session.Run("F3");
    EXPECT_EQ(session.Selection(), "1:4-1:7");  // wrapped round to the first line
    SaveFindSettings(session.profile, {0, 0, 1, 0});
    session.Run("Down Down F3");
    ASSERT_FALSE(session.window.messages.empty());
    EXPECT_EQ(session.window.messages.back().second, "The string 'two' was not found.");
    session.Run("Ctrl+F Ctrl+H");
    EXPECT_EQ(session.window.dialogs, (std::vector<int>{kCmdFind, kCmdFind, kCmdReplace}));
}

TEST(EditorCore, MarkAllAndReplaceAll) {
    Session session("a cat and a cat\r\ndog\r\ncat\r\n");
    SearchRequest request;
    request.find_text = "cat";
    EXPECT_EQ(session.core.MarkAllMatches(request), 2);
    EXPECT_EQ(session.edit.bookmark_count, 2);  // one for the line with two matches
    EXPECT_EQ(session.Caret(), "3:0");          // the first bookmark after the start
    request.replace_text = "cow";
    EXPECT_EQ(session.core.ReplaceAll(request), 3);
    EXPECT_EQ(session.edit.GetAllText(), "a cow and a cow\r\ndog\r\ncow\r\n");
    session.Run("Ctrl+Z");
    EXPECT_EQ(session.edit.GetAllText(), "a cat and a cat\r\ndog\r\ncat\r\n");
}

// Two views of one buffer: each keeps its caret on its own text while the other edits.
TEST(EditorCore, TwoViewsOfOneBufferKeepInStep) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "line " + std::to_string(i) + "\r\n";
    Session first(text);
    RecordingWindow other_window;
    SECEditCore second(other_window);
    second.Attach(&first.edit);
    second.SetCellSize(8, 16);
    second.SetClientSize(16 + 40 * 8, 10 * 16);
    second.InitView();
    second.GoToLineColumn(10, 3);  // on "line 10"
    second.OnCommand(kCmdRight);
    ASSERT_EQ(second.caret(), (CaretPlace{10, 4}));

    // The first view deletes lines 2 to 4.
    first.Run("Down Shift+Down Shift+Down Shift+Down Del");
    EXPECT_EQ(second.caret(), (CaretPlace{7, 4}));
    EXPECT_EQ(first.edit.TextOf(first.edit.GetLineByNumber(second.caret().line)), "line 10");
    // Undo in the first view brings them back; the second view's caret moves with its line.
    first.Run("Ctrl+Z");
    EXPECT_EQ(second.caret(), (CaretPlace{10, 4}));
    // A caret on a line that is joined into the one above keeps its line number.
    first.Run("Ctrl+Home");
    first.core.GoToLineColumn(9, 6);
    first.Run("Del");
    EXPECT_EQ(second.caret().line, 10);
    EXPECT_EQ(first.edit.TextOf(first.edit.GetLineByNumber(9)), "line 9line 10");
    // Typing in the second view goes where its caret shows.
    second.OnCommand(kCmdEnd);
    second.ProcessChar('!');
    EXPECT_EQ(first.edit.TextOf(first.edit.GetLineByNumber(10)), "line 11!");
}

}  // namespace
}  // namespace editor

namespace editor {
namespace {

// Dragging the selection inside one view: the text moves (or is copied) as one undo step.
TEST(EditorCore, DroppedSelectionsMoveAsOneUndoStep) {
    struct Drop {
        const char* name;
        const char* text;
        const char* select;  // keys that make the selection from the start of the text
        CaretPlace target;
        bool copy;
        const char* lines;
        const char* caret;  // after the drop: the end of the dropped text
    };
    const Drop drops[] = {
        {"forward on its line", "one two three\r\n", "Shift+Ctrl+Right", {1, 13}, false, "[two threeone \r\n]", "1:13"},
        {"backward", "one two\r\nthree\r\n", "Down Shift+End", {1, 0}, false, "[threeone two\r\n][\r\n]", "1:5"},
        {"lines forward", "a\r\nb\r\nc\r\n", "Shift+Down", {3, 1}, false, "[b\r\n][ca\r\n][\r\n]", "3:0"},
        {"a copy", "ab\r\n", "Shift+Right", {1, 2}, true, "[aba\r\n]", "1:3"},
        {"onto itself", "abc\r\n", "Shift+End", {1, 1}, false, "[abc\r\n]", "1:3"},
        {"a copy onto itself", "abc\r\n", "Shift+End", {1, 1}, true, "[abc\r\n]", "1:3"},
        {"a copy just after itself", "ab\r\n", "Shift+Right", {1, 1}, true, "[aab\r\n]", "1:2"},
    };
    for (const Drop& d : drops) {
        Session session(d.text);
        session.Run(d.select);
        EXPECT_EQ(session.core.MoveSelection(d.target, d.copy, true), 0) << d.name;
        EXPECT_EQ(Lines(session.edit), d.lines) << d.name;
        EXPECT_EQ(session.Caret(), d.caret) << d.name;
        if (session.edit.GetUndoLog().position() > 0) session.core.OnCommand(kCmdUndo);
        EXPECT_EQ(session.edit.GetAllText(), d.text) << d.name << " (undone)";
    }
}

TEST(EditorCore, ADroppedColumnBlockMovesAsABlock) {
    Session session("abcd\r\nefgh\r\n");
    session.core.set_selection_mode(kColumnSelection);
    session.Run("Shift+Right Shift+Down");
    EXPECT_EQ(session.core.MoveSelection({1, 3}, false, true), 0);
    EXPECT_EQ(Lines(session.edit), "[bcad\r\n][fgeh\r\n]");
    EXPECT_EQ(session.Caret(), "1:2");  // at the moved block, as after pasting one
    session.core.OnCommand(kCmdUndo);
    EXPECT_EQ(session.edit.GetAllText(), "abcd\r\nefgh\r\n");
}

}  // namespace
}  // namespace editor
