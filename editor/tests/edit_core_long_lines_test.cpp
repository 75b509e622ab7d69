// Lines at the editor's width limit: one limit, line end included, for reading a file
// and for typing, and a file's longer lines are split with a message, never cut silently.
#include <gtest/gtest.h>

#include <functional>

#include "editor/tests/edit_core_fixture.h"

namespace editor {
namespace {

using testing::Session;

constexpr int kWidest = kMaxLineColumns - 2;  // a CR LF line's text

TEST(EditorLongLines, AFilesLongLineIsSplitAndTheFirstViewSaysSo) {
    const std::string file = "ab\r\n" + std::string(kWidest + 100, 'w') + "\r\ncd";
    Session session(file);
    ASSERT_EQ(session.window.messages.size(), 1u);
    EXPECT_EQ(session.window.messages[0].first, kLongLinesWrapped);
    EXPECT_EQ(session.window.messages[0].second,
              "This file contains lines longer than the 16384 character maximum.\r\nThe lines will be wrapped.");
    EXPECT_EQ(session.edit.TextOf(session.edit.GetLineByNumber(2)).size(), size_t(kWidest));
    EXPECT_EQ(session.edit.GetAllText(), file);  // saved back unchanged
    // A second view of the same text does not say it again.
    testing::OtherView other(session);
    EXPECT_TRUE(other.window.messages.empty());
}

TEST(EditorLongLines, TypingStopsAtTheWidthAFileLineIsSplitAt) {
    struct Case {
        const char* name;
        int width;         // of the line's text
        const char* keys;  // at its end
        int code;          // the last message, 0 for none
        int width_after;
    };
    const Case cases[] = {
        {"a character fills the last column", kWidest - 1, "'x'", 0, kWidest},
        {"a character past the limit", kWidest, "'x'", kLineTooLong, kWidest},
        {"a tab past the limit", kWidest - 1, "Tab", kLineTooLong, kWidest - 1},
        {"a string past the limit", kWidest - 1, "'\xC4\xE3'", kLineTooLong, kWidest - 1},
    };
    for (const Case& c : cases) {
        Session session(std::string(static_cast<size_t>(c.width), 'w') + "\r\n");
        session.Run("End");
        session.Run(c.keys);
        const int width = static_cast<int>(session.edit.TextOf(session.edit.GetFirstLine()).size());
        EXPECT_EQ(width, c.width_after) << c.name;
        EXPECT_EQ(session.window.messages.empty() ? 0 : session.window.messages.back().first, c.code) << c.name;
    }
}

// Text that arrives as a whole, pasted or dropped, keeps to the same width as typing:
// what would make a line too wide is refused before anything changes, a selection
// it was to replace included.
TEST(EditorLongLines, PastedAndDroppedTextStopsAtTheSameWidth) {
    const std::string wide = std::string(500, 'x') + "\r\n";
    const std::string block = "*SECEdit Column Block*\r\nxy\r\nxy";
    struct Case {
        const char* name;
        int width;          // of line 1's text; line 2 holds `wide`, line 3 "end"
        const char* keys;   // before the text arrives, from column 16000 of line 1
        std::string paste;  // pasted with Ctrl+V when not empty
        std::function<int(Session&)> drop;
        int code;
    };
    const Case cases[] = {
        {"lines pasted inside a long line", 16380, "", wide, nullptr, kLineTooLong},
        {"a column block pasted at a long line's start", kWidest - 1, "Home", block, nullptr, kLineTooLong},
        {"lines over a selection that was as wide", kWidest, "Shift+Right Shift+Right", "ab\r\n", nullptr, 0},
        {"a string one wider than the selection it replaces", kWidest, "Shift+Right Shift+Right", "abc", nullptr,
         kLineTooLong},
        {"lines dropped from another window", 16380, "", "",
         [&](Session& s) {
             return s.core.DropText(wide, {1, 16000}, nullptr, false, true);
         },
         kLineTooLong},
        {"lines copied by a drag within the view", 16380, "Down Home Shift+Down", "",
         [](Session& s) {
             return s.core.MoveSelection({1, 16000}, true, true);
         },
         kLineTooLong},
        {"lines moved by a drag within the view", 16380, "Down Home Shift+Down", "",
         [](Session& s) {
             return s.core.MoveSelection({1, 16000}, false, true);
         },
         kLineTooLong},
    };
    for (const Case& c : cases) {
        const std::string before = std::string(static_cast<size_t>(c.width), 'w') + "\r\n" + wide + "end\r\n";
        Session session(before);
        session.core.GoToLineColumn(1, 16000);
        session.Run(c.keys);
        const std::string selection = session.Selection();
        int code = 0;
        if (c.drop) {
            code = c.drop(session);
        } else {
            session.window.clipboard = c.paste;
            session.Run("Ctrl+V");
            code = session.window.messages.empty() ? 0 : session.window.messages.back().first;
        }
        EXPECT_EQ(code, c.code) << c.name;
        for (const EditLine* line = session.edit.GetFirstLine(); line; line = line->next)
            EXPECT_LE(static_cast<int>(session.edit.TextOf(line).size()), kWidest) << c.name;
        if (c.code == 0) continue;
        EXPECT_TRUE(session.edit.GetAllText() == before) << c.name;
        EXPECT_EQ(session.edit.GetUndoLog().position(), 0) << c.name;
        EXPECT_EQ(session.Selection(), selection) << c.name;
    }
}

}  // namespace
}  // namespace editor
