// Undo and redo: grouping, the bounded history, the saved marker, and a random-edit
// check against a plain string model.
#include <gtest/gtest.h>

#include <random>

#include "editor/tests/edit_fixture.h"

namespace editor {
namespace {

using testing::At;
using testing::Fill;
using testing::NumbersAreRight;

int UndoAll(SECEdit& edit) {
    int steps = 0;
    while (edit.Undo()) ++steps;
    return steps;
}

TEST(EditorUndo, TypingOnOneLineUndoesAsOneStep) {
    SECEdit edit;
    Fill(edit, "\r\n\r\n");
    for (int i = 0; i < 3; ++i) edit.InsertChar(At(edit, 1, i), 'a', true, true);
    EXPECT_EQ(UndoAll(edit), 1);
    for (int i = 0; i < 2; ++i) edit.InsertChar(At(edit, 1, i), 'a', true, true);
    edit.InsertChar(At(edit, 2, 0), 'b', true, true);
    EXPECT_EQ(UndoAll(edit), 2);
    EXPECT_EQ(edit.Undo(), 0);  // nothing left
}

TEST(EditorUndo, GroupsUndoTogetherAndNeverShareAStamp) {
    SECEdit edit;
    Fill(edit, "a\r\nb\r\nc\r\n");
    for (int round = 0; round < 2; ++round) {
        UndoGroup group(edit);
        edit.InsertChar(At(edit, 1, 0), 'x', true, true);
        {
            UndoGroup nested(edit);  // shares the outer stamp
            edit.SplitLine(At(edit, 2, 1), true);
        }
        edit.DeleteChar(At(edit, 1, 1), true);
    }
    const UndoLog& log = edit.GetUndoLog();
    ASSERT_EQ(log.position(), 6);
    EXPECT_NE(log.at(0).group, 0u);
    EXPECT_EQ(log.at(0).group, log.at(2).group);
    EXPECT_NE(log.at(2).group, log.at(3).group);  // two groups begun back to back stay apart
    edit.InsertChar(At(edit, 3, 0), 'y', true, true);
    EXPECT_EQ(log.at(6).group, 0u);  // the guards closed both groups
    EXPECT_EQ(UndoAll(edit), 3);
    EXPECT_EQ(edit.GetAllText(), "a\r\nb\r\nc\r\n");
}

TEST(EditorUndo, NewEditDropsTheRedoBranch) {
    SECEdit edit;
    Fill(edit, "ab\r\n");
    edit.InsertChar(At(edit, 1, 0), 'x', true, true);
    edit.Undo();
    edit.DeleteChar(At(edit, 1, 0), true);
    EXPECT_EQ(edit.Redo(), 0);
    EXPECT_EQ(edit.GetAllText(), "b\r\n");
}

TEST(EditorUndo, ModifiedFollowsTheSavedPosition) {
    SECEdit edit;
    Fill(edit, "ab\r\n");
    EXPECT_EQ(edit.GetModified(), 0);
    edit.InsertChar(At(edit, 1, 0), 'x', true, true);
    EXPECT_EQ(edit.GetModified(), 1);
    edit.Undo();
    EXPECT_EQ(edit.GetModified(), 0);
    edit.Redo();
    edit.SetModified(0);  // saved here
    edit.Undo();
    EXPECT_EQ(edit.GetModified(), 1);
    edit.Redo();
    EXPECT_EQ(edit.GetModified(), 0);
    // An edit made without a record cannot be undone away.
    edit.InsertChar(At(edit, 1, 0), 'z', true, false);
    EXPECT_EQ(edit.GetModified(), 1);
}

TEST(EditorUndo, ReadOnlyBufferRefusesUndoWithoutMoving) {
    SECEdit edit;
    Fill(edit, "ab\r\n");
    edit.InsertChar(At(edit, 1, 0), 'x', true, true);
    edit.SetReadOnly(1);
    EXPECT_EQ(edit.Undo(), 0);
    EXPECT_EQ(edit.GetUndoLog().position(), 1);
    EXPECT_EQ(edit.GetAllText(), "xab\r\n");
}

TEST(EditorUndo, TypingOnALastLineWithoutALineEndUndoesExactly) {
    // A file without a final line end keeps it so while the user types on its last line.
    SECEdit edit;
    Fill(edit, "abc");
    edit.DeleteChar(At(edit, 1, 2), true);
    edit.InsertChar(At(edit, 1, 1), 'x', true, true);
    edit.InsertString(At(edit, 1, 3), "yz", true, true);
    EXPECT_EQ(edit.GetAllText(), "axbyz");
    UndoAll(edit);
    EXPECT_EQ(edit.GetAllText(), "abc");
    while (edit.Redo()) {
    }
    EXPECT_EQ(edit.GetAllText(), "axbyz");
}

TEST(EditorUndo, FullHistoryDropsTheOldest512) {
    SECEdit edit;
    Fill(edit, "\r\n\r\n");
    const int kEdits = UndoLog::kCapacity + 1;
    // Alternate lines so that every edit is its own undo step.
    for (int i = 0; i < kEdits; ++i) edit.InsertChar(At(edit, 1 + i % 2, 0), 'a', true, true);
    const UndoLog& log = edit.GetUndoLog();
    EXPECT_EQ(log.position(), kEdits - UndoLog::kTrimCount);
    EXPECT_EQ(log.top(), log.position());
    EXPECT_EQ(UndoAll(edit), kEdits - UndoLog::kTrimCount);
    // The oldest 512 edits stay; the saved state was dropped, so the text stays modified.
    EXPECT_EQ(edit.GetAllText(), std::string(256, 'a') + "\r\n" + std::string(256, 'a') + "\r\n");
    EXPECT_EQ(edit.GetModified(), 1);
    EXPECT_EQ(edit.Redo(), 1);
}

// Byte offset of a position in the whole text.
size_t OffsetOf(const SECEdit& edit, const EditLine* line, int index) {
    size_t offset = 0;
    for (const EditLine* scan = edit.GetFirstLine(); scan != line; scan = scan->next) offset += scan->text.size();
    return offset + static_cast<size_t>(index);
}

// One run of random primitives, each checked against the model, then undo all and redo all.
void RunRandomEdits(unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
    const std::string alphabet = "ab \t";
    const std::string kEnd = "\r\n";
    SECEdit edit;
    const std::string original = "first line\r\n\tsecond\r\n\r\nlast";
    Fill(edit, original);
    edit.set_keep_tabs(0);
    std::string model = original;
    const int kEdits = 1800;  // within the history's capacity
    for (int step = 0; step < kEdits; ++step) {
        EditLine* line = edit.GetLineByNumber(1 + pick(edit.GetLineCount()));
        int length = static_cast<int>(edit.TextOf(line).size());
        int index = pick(length + 1);
        size_t offset = OffsetOf(edit, line, index);
        char c = alphabet[static_cast<size_t>(pick(static_cast<int>(alphabet.size())))];
        switch (pick(9)) {
            case 0:
                ASSERT_EQ(edit.InsertChar({line, index}, c, true, true), kOk);
                model.insert(offset, 1, c);
                break;
            case 1:
                ASSERT_EQ(edit.InsertChar({line, index}, c, false, true), kOk);
                if (index < length)
                    model[offset] = c;
                else
                    model.insert(offset, 1, c);
                break;
            case 2: {
                std::string text(static_cast<size_t>(1 + pick(4)), c);
                ASSERT_EQ(edit.InsertString({line, index}, text, true, true), kOk);
                model.insert(offset, text);
                break;
            }
            case 3:
                if (index < length) {
                    ASSERT_EQ(edit.DeleteChar({line, index}, true), kOk);
                    model.erase(offset, 1);
                }
                break;
            case 4: {
                int count = 2 + pick(4);
                ASSERT_EQ(edit.DeleteChars({line, index}, count, true), kOk);
                if (index < length) model.erase(offset, static_cast<size_t>(std::min(count, length - index)));
                break;
            }
            case 5:
                ASSERT_EQ(edit.SplitLine({line, index}, true), kOk);
                model.insert(offset, kEnd);
                break;
            case 6:
                if (line->next) {
                    bool had_end = edit.HasLineEnd(line);
                    ASSERT_EQ(edit.JoinLines({line, length}, true), kOk);
                    if (had_end) model.erase(OffsetOf(edit, line, length), kEnd.size());
                }
                break;
            case 7: {
                EditLine* end_line = edit.GetLineByNumber(line->number + pick(3));
                int end_index = pick(static_cast<int>(edit.TextOf(end_line).size()) + 1);
                TextPosition start{line, index}, end{end_line, end_index};
                if (!SECEdit::IsBefore(start, end)) std::swap(start, end);
                size_t from = OffsetOf(edit, start.line, start.index);
                size_t to = OffsetOf(edit, end.line, end.index);
                int code = edit.DeleteBlock(start, end, true);
                ASSERT_TRUE(code == kOk || code == kNoSelection);
                model.erase(from, to - from);
                break;
            }
            case 8: {
                std::string text = std::string(1, c) + kEnd + "new" + (pick(2) ? kEnd : "") + "x";
                ASSERT_EQ(edit.InsertText({line, index}, text, true), kOk);
                model.insert(offset, text);
                break;
            }
        }
        ASSERT_EQ(edit.GetAllText(), model) << "seed " << seed << " after step " << step;
        ASSERT_TRUE(NumbersAreRight(edit)) << "seed " << seed << " after step " << step;
    }
    ASSERT_GT(edit.GetUndoLog().top(), 1000);
    ASSERT_LT(edit.GetUndoLog().top(), UndoLog::kCapacity);  // nothing was trimmed
    const std::string edited = model;
    UndoAll(edit);
    EXPECT_EQ(edit.GetAllText(), original);
    EXPECT_EQ(edit.GetModified(), 0);
    while (edit.Redo()) {
    }
    EXPECT_EQ(edit.GetAllText(), edited);
    EXPECT_TRUE(NumbersAreRight(edit));
}

TEST(EditorUndo, RandomEditsAgainstAStringModel) {
    for (unsigned seed : {20261210u, 7u, 99u}) RunRandomEdits(seed);
}

TEST(EditorUndo, RandomColumnAndPaddingEditsUndoExactly) {
    std::mt19937 random(7);
    auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
    SECEdit edit;
    const std::string original = "\tab\tcd\r\nefgh\r\n\r\nij\tkl\r\nm";
    Fill(edit, original);
    edit.SetTabSize(4);
    for (int step = 0; step < 600; ++step) {
        TextPosition a = At(edit, 1 + pick(edit.GetLineCount()), pick(14));
        TextPosition b = At(edit, 1 + pick(edit.GetLineCount()), pick(14));
        switch (pick(5)) {
            case 0: edit.DeleteColumnBlock(a, b, true); break;
            case 1: edit.InsertColumnBlock(a, pick(2) ? "xy\r\nz\r\n\tw" : "q", true); break;
            case 2: edit.PadToColumn(a, true); break;
            case 3: edit.InsertChar(a, 'p', pick(2), true); break;
            case 4: edit.InsertString(a, "rs", pick(2), true); break;
        }
        ASSERT_TRUE(NumbersAreRight(edit)) << "after step " << step;
    }
    const std::string edited = edit.GetAllText();
    UndoAll(edit);
    EXPECT_EQ(edit.GetAllText(), original);
    while (edit.Redo()) {
    }
    EXPECT_EQ(edit.GetAllText(), edited);
}

}  // namespace
}  // namespace editor
