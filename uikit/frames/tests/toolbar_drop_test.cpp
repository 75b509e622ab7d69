// Dropping dragged buttons: small nudges that add or remove group
// separators, moves within a bar and between bars, drops above and below a
// bar's rows, and copies that leave the source as it was.
#include <gtest/gtest.h>

#include "uikit/frames/tests/toolbar_fixture.h"

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, NudgesAddAndRemoveGroupSeparators) {
    const struct {
        const char* what;
        std::vector<UINT> before;
        int dragged;
        int shift;
        std::vector<UINT> after;
        BOOL copy = FALSE;
    } kCases[] = {
        {"one pixel does nothing", {100, 101, 102}, 1, 1, {100, 101, 102}},
        {"three right: a separator before", {100, 101, 102}, 1, 3, {100, 0, 101, 102}},
        {"right after a separator: the one after goes", {100, 0, 101, 0, 102}, 2, 3, {100, 0, 101, 102}},
        {"left: the separator before goes", {100, 0, 101, 102}, 2, -3, {100, 101, 102}},
        {"left without one before: a separator after", {100, 101, 102}, 0, -3, {100, 0, 101, 102}},
        {"left at the end adds nothing", {100, 101}, 1, -3, {100, 101}},
        {"the last button gets none after it", {100, 0, 101}, 0, -3, {100, 0, 101}},
        // A copy over its own place is an ordinary drop: no separator comes or goes.
        {"a copy one pixel does nothing", {100, 101, 102}, 1, 1, {100, 101, 102}, TRUE},
        {"a copy three right goes beside it", {100, 101, 102}, 1, 3, {100, 101, 101, 102}, TRUE},
        {"a copy three left goes beside it", {100, 101, 102}, 1, -3, {100, 101, 101, 102}, TRUE},
        {"a copy keeps the separator before", {100, 0, 101, 102}, 2, -3, {100, 0, 101, 101, 102}, TRUE},
    };
    SECCustomToolBar* bar = make_bar(0xE800, {});
    for (const auto& item : kCases) {
        bar->SetButtons(item.before.data(), int(item.before.size()));
        bar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        bar->Select(item.dragged, FALSE);
        SECStdBtn* button = bar->GetButton(item.dragged);
        CRect rect = button->GetRect();
        rect.OffsetRect(item.shift, 0);
        bar->DropButton(rect, button, bar, item.copy, TRUE);
        EXPECT_EQ(ids_of(*bar), item.after) << item.what;
    }
}

TEST_F(ToolBarTest, DropsMoveWithinABarAndBetweenBars) {
    SECCustomToolBar* one = make_bar(0xE800, {100, 101, 102, 103});
    SECCustomToolBar* two = make_bar(0xE801, {104, 105});
    one->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    two->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    // The first button over the third one's place: it goes after it.
    one->DropButton(one->GetButtonRect(2), one->GetButton(0), one, FALSE, TRUE);
    EXPECT_EQ(ids_of(*one), (std::vector<UINT>{101, 102, 100, 103}));
    EXPECT_EQ(one->GetSelected(), 2);
    one->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    // Onto the other bar's first button: moved there.
    two->DropButton(two->GetButtonRect(0), one->GetButton(3), one, FALSE, TRUE);
    EXPECT_EQ(ids_of(*one), (std::vector<UINT>{101, 102, 100}));
    EXPECT_EQ(ids_of(*two), (std::vector<UINT>{104, 103, 105}));
    EXPECT_EQ(two->GetSelected(), 1);
    EXPECT_EQ(one->GetSelected(), -1) << "one selection in the frame";
    one->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    two->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    // A copy leaves the source as it was.
    two->DropButton(two->GetButtonRect(2), one->GetButton(0), one, TRUE, TRUE);
    EXPECT_EQ(ids_of(*one), (std::vector<UINT>{101, 102, 100}));
    EXPECT_EQ(ids_of(*two), (std::vector<UINT>{104, 103, 105, 101}));
}

TEST_F(ToolBarTest, DropsAboveOrBelowTheRowsOpenANewGroup) {
    SECCustomToolBar* one = make_bar(0xE800, {100, 101});
    SECCustomToolBar* two = make_bar(0xE801, {104, 105});
    two->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CRect inside;
    two->GetInsideRect(inside);
    CRect above(inside.left, inside.top - 40, inside.left + 23, inside.top - 18);
    two->DropButton(above, one->GetButton(0), one, TRUE, TRUE);
    EXPECT_EQ(ids_of(*two), (std::vector<UINT>{100, 0, 104, 105}));
    CRect below(inside.left, inside.bottom + 18, inside.left + 23, inside.bottom + 40);
    two->DropButton(below, one->GetButton(1), one, TRUE, TRUE);
    EXPECT_EQ(ids_of(*two), (std::vector<UINT>{100, 0, 104, 105, 0, 101}));
}

TEST_F(ToolBarTest, AnEmptyBarTakesTheButtonAndTheOnlyButtonStays) {
    SECCustomToolBar* one = make_bar(0xE800, {100});
    SECCustomToolBar* empty = make_bar(0xE801, {});
    one->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CRect rect = one->GetButtonRect(0);
    rect.OffsetRect(40, 0);
    EXPECT_TRUE(one->DropButton(rect, one->GetButton(0), one, FALSE, TRUE));
    EXPECT_EQ(ids_of(*one), std::vector<UINT>{100});
    empty->DropButton(CRect(0, 0, 23, 22), one->GetButton(0), one, FALSE, TRUE);
    EXPECT_EQ(ids_of(*empty), std::vector<UINT>{100});
    EXPECT_EQ(one->GetButtonCount(), 0);
    EXPECT_TRUE(::IsWindow(one->m_hWnd)) << "a default toolbar stays when emptied";
}

}  // namespace
}  // namespace toolbar_test
