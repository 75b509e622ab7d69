// Lines at the editor's width limit: one limit, line end included, for reading a file
// and for typing, and a file's longer lines are split with a message, never cut silently.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace editor
