// Toolbar buttons and the customisable toolbar: sizes, states as drawn,
// rows that wrap, clicks that send commands (and disabled buttons that send
// none), removing buttons and the separators that go with them, and saved
// button lists damaged in every byte that leave the bar whole.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <optional>

#include "platform/gdi/png_writer.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/tests/toolbar_fixture.h"
#include "uikit/frames/toolbar_state.h"

namespace toolbar_test {
namespace {

const std::vector<UINT> kGrouped{100, 101, 102, 0, 103, 104, 0, 105, 106, 107};

// Row ends after a committed layout: the indexes of wrapped buttons.
std::vector<int> wrapped(const SECCustomToolBar& bar) {
    std::vector<int> ends;
    for (int i = 0; i < bar.GetButtonCount(); ++i)
        if (bar.GetButtonStyle(i) & TBBS_WRAPPED) ends.push_back(i);
    return ends;
}

TEST_F(ToolBarTest, ButtonsMeasureFromTheImageSize) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 0, 101});
    EXPECT_EQ(bar->GetButtonRect(0).Size(), CSize(23, 22));
    EXPECT_EQ(bar->GetButtonRect(1).Size(), CSize(8, 22));
    EXPECT_EQ(bar->GetButton(0)->m_nImage, 0u);
    EXPECT_EQ(bar->GetButton(2)->m_nImage, 1u);
    manager->EnableLargeBtns(TRUE);  // 22 by 24 images stretched from the small ones
    EXPECT_EQ(bar->GetButtonRect(0).Size(), CSize(29, 31));
    EXPECT_EQ(bar->GetButtonRect(1).Size(), CSize(10, 31));
    EXPECT_EQ(bar->m_nMaxBtnWidth, 29);
}

TEST_F(ToolBarTest, AButtonNotYetPlacedIsHitAtMinusOneAndEdgesCount) {
    SECStdBtn button;
    EXPECT_TRUE(button.HitsButton(CPoint(-1, -1)));
    EXPECT_TRUE(button.HitsButton(CPoint(22, 21)));  // x + cx, y + cy
    EXPECT_FALSE(button.HitsButton(CPoint(23, 10)));
}

TEST_F(ToolBarTest, RowsWrapAtSeparatorsFirst) {
    SECCustomToolBar* bar = make_bar(0xE800, kGrouped);
    const struct {
        int width;
        std::vector<int> ends;
        CSize content;
    } kCases[] = {
        {32767, {}, {200, 22}},
        {150, {6}, {123, 22 + 22 + 5}},  // breaks at the second separator, which opens a 5-pixel gap
        {60, {1, 3, 6, 8}, {46, 22 * 5 + 5 + 5}},
        {10, {0, 1, 3, 4, 6, 7, 8}, {23, 22 * 8 + 5 + 5}},  // a button wider than the width stays alone
    };
    for (const auto& item : kCases) {
        const std::vector<SECCustomToolBar::Row> rows = bar->BuildRows(item.width);
        bar->CalcDynamicLayout(item.width, LM_HORZ | LM_COMMIT);
        EXPECT_EQ(wrapped(*bar), item.ends) << item.width;
        EXPECT_EQ(bar->RowsSize(rows), item.content) << item.width;
    }
}

TEST_F(ToolBarTest, AnEmptyBarIsOneRowHigh) {
    SECCustomToolBar* bar = make_bar(0xE800, {});
    EXPECT_EQ(bar->RowsSize(bar->BuildRows(100)), CSize(0, 22));
}

TEST_F(ToolBarTest, FittingAHeightFindsTheNarrowestLayout) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 101, 102, 103, 104, 105});
    const CSize one_row = bar->CalcDynamicLayout(0, LM_HORZ | LM_LENGTHY);
    const CSize two_rows = bar->CalcDynamicLayout(50, LM_HORZ | LM_LENGTHY);
    const CSize three_rows = bar->CalcDynamicLayout(70, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(two_rows.cx - one_row.cx, 0 - 3 * 23 + 0) << "three buttons a row";
    EXPECT_EQ(three_rows.cx - two_rows.cx, -23);
    EXPECT_EQ(three_rows.cy - two_rows.cy, 22);
}

TEST_F(ToolBarTest, AClickSendsOneCommandAndADisabledButtonNone) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 101, 102});
    const auto click = [&](int index) {
        display.click(bar->m_hWnd, bar->GetButtonRect(index).CenterPoint());
        pump();
    };
    click(0);
    EXPECT_EQ(frame->commands, std::vector<UINT>{100});
    frame->disabled = {101};
    click(1);
    EXPECT_EQ(frame->commands, std::vector<UINT>{100});
    EXPECT_TRUE(bar->GetButtonStyle(1) & TBBS_DISABLED);
    // Disabled while held down: the release sends nothing either.
    display.button(bar->m_hWnd, bar->GetButtonRect(2).CenterPoint(), true);
    pump();
    EXPECT_EQ(bar->GetPressed(), 2);
    frame->disabled = {102};
    display.button(bar->m_hWnd, bar->GetButtonRect(2).CenterPoint(), false);
    pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{100});
    EXPECT_EQ(bar->GetPressed(), -1);
    // Released elsewhere: nothing.
    frame->disabled.clear();
    display.button(bar->m_hWnd, bar->GetButtonRect(0).CenterPoint(), true);
    display.button(bar->m_hWnd, CPoint(400, 5), false);
    pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{100});
}

TEST_F(ToolBarTest, WhileACommandIsSentTheFramesBarsTakeNoPressButAnotherFramesDo) {
    SECCustomToolBar* one = make_bar(0xE800, {100, 101});
    SECCustomToolBar* two = make_bar(0xE801, {102});
    auto* other = new CountingFrame;
    other->Create(nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 260, 480, 500));
    other->EnableDocking(CBRS_ALIGN_ANY);
    auto other_manager = std::make_unique<SECToolBarManager>(other);
    ASSERT_TRUE(other_manager->LoadToolBarResource(kToolBarResource));
    SECCustomToolBar* elsewhere = make_bar_in(other, other_manager.get(), 0xE800, {103});
    const auto click = [&](SECCustomToolBar* bar, int index) {
        display.click(bar->m_hWnd, bar->GetButtonRect(index).CenterPoint());
        pump();
    };
    CRect pressed = one->GetButtonRect(0);
    one->ClientToScreen(&pressed);
    bool ran = false;
    frame->on_command = [&](UINT id) {
        if (id != 100) return;
        ran = true;
        EXPECT_TRUE(manager->Guards().command_in_progress);
        EXPECT_EQ(manager->GetCommandRect(), pressed) << "a handler can place a popup under the button";
        click(one, 1);
        click(two, 0);
        click(elsewhere, 0);
    };
    click(one, 0);
    EXPECT_TRUE(ran);
    EXPECT_EQ(frame->commands, std::vector<UINT>{100}) << "no command inside the frame's command";
    EXPECT_EQ(other->commands, std::vector<UINT>{103}) << "another frame's bars are its own";
    EXPECT_FALSE(manager->Guards().command_in_progress);
    EXPECT_TRUE(manager->GetCommandRect().IsRectEmpty());
    // Once the command is over the bars answer again.
    frame->on_command = nullptr;
    click(two, 0);
    EXPECT_EQ(frame->commands, (std::vector<UINT>{100, 102}));
    other_manager.reset();
    other->DestroyWindow();
}

TEST_F(ToolBarTest, WhileADropDownIsSentTheFramesBarsTakeNoPress) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 101});
    bar->SetButtonStyle(0, TBBS_DROPDOWN);
    bool ran = false;
    frame->on_drop_down = [&] {
        ran = true;
        EXPECT_TRUE(manager->Guards().drop_down_in_progress);
        display.click(bar->m_hWnd, bar->GetButtonRect(1).CenterPoint());
        pump();
    };
    display.click(bar->m_hWnd, bar->GetButtonRect(0).CenterPoint());
    pump();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_FALSE(manager->Guards().drop_down_in_progress);
    frame->on_drop_down = nullptr;
    display.click(bar->m_hWnd, bar->GetButtonRect(1).CenterPoint());
    pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{101});
}

// A drop-down's handler may close the bar, or the frame with its manager: the button touches
// neither afterwards (the address sanitizer would report the freed bar, button or guards).
TEST_F(ToolBarTest, ADropDownWhoseHandlerClosesItsBarOrFrameTouchesNothingOfThemAfterwards) {
    for (const bool whole_frame : {false, true}) {
        SCOPED_TRACE(whole_frame ? "the frame closed" : "the bar closed");
        SECCustomToolBar* bar = make_bar(0xE800, {100, 101});
        bar->SetButtonStyle(0, TBBS_DROPDOWN);
        const HWND bar_window = bar->m_hWnd;
        frame->on_drop_down = [&] {
            if (!whole_frame) {
                bar->DestroyWindow();
                return;
            }
            delete manager;
            manager = nullptr;
            frame->DestroyWindow();
            frame = nullptr;
        };
        display.click(bar_window, bar->GetButtonRect(0).CenterPoint());
        pump();
        EXPECT_FALSE(::IsWindow(bar_window));
        if (frame) {
            frame->on_drop_down = nullptr;
            EXPECT_FALSE(manager->Guards().drop_down_in_progress) << "the bars take presses again";
        }
    }
}

// A command whose handler closes the frame with its bars and manager (Exit put on a toolbar): neither the
// button nor the frame's command routing touches any of them afterwards.
TEST_F(ToolBarTest, ACommandThatClosesTheFrameTouchesNothingOfItAfterwards) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 101});
    const HWND frame_window = frame->m_hWnd, bar_window = bar->m_hWnd;
    bool ran = false;
    frame->on_command = [&](UINT) {
        ran = true;
        delete manager;
        manager = nullptr;
        frame->DestroyWindow();
        frame = nullptr;
    };
    display.click(bar_window, bar->GetButtonRect(1).CenterPoint());
    pump();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(::IsWindow(bar_window));
    EXPECT_FALSE(::IsWindow(frame_window));
}

TEST_F(ToolBarTest, ACheckBoxTogglesOnEveryBarUnlessDisabled) {
    SECCustomToolBar* one = make_bar(0xE800, {100, 101});
    SECCustomToolBar* two = make_bar(0xE801, {101});
    one->SetButtonStyle(1, TBBS_CHECKBOX);
    EXPECT_EQ(one->GetButton(1)->BtnPressUp(one->GetButtonRect(1).CenterPoint()), 101u);
    EXPECT_TRUE(two->GetButtonStyle(0) & TBBS_CHECKED);
    EXPECT_TRUE(one->GetButtonStyle(1) & TBBS_CHECKED);
    one->SetButtonStyle(1, TBBS_CHECKBOX | TBBS_DISABLED);
    EXPECT_EQ(one->GetButton(1)->BtnPressUp(one->GetButtonRect(1).CenterPoint()), 101u);
    EXPECT_FALSE(one->GetButtonStyle(1) & TBBS_CHECKED);
    EXPECT_TRUE(two->GetButtonStyle(0) & TBBS_CHECKED);
}

TEST_F(ToolBarTest, RemovingAButtonTakesRedundantSeparatorsWithIt) {
    const struct {
        const char* what;
        std::vector<UINT> before;
        int removed;
        std::vector<UINT> after;
    } kCases[] = {
        {"between two separators: one stays", {100, 0, 101, 0, 102}, 2, {100, 0, 102}},
        {"a separator left first goes", {100, 0, 101}, 0, {101}},
        {"a separator left last goes", {100, 0, 101}, 2, {100}},
        {"left first beside another: both go", {100, 0, 0, 101}, 0, {101}},
        {"left last beside another: both go", {100, 0, 0, 101}, 3, {100}},
        {"a lone button between separators: none stays", {0, 100, 0}, 1, {}},
        {"a separator removed itself: its neighbours stay", {100, 0, 101}, 1, {100, 101}},
    };
    SECCustomToolBar* bar = make_bar(0xE800, {});
    for (const auto& item : kCases) {
        bar->SetButtons(item.before.data(), int(item.before.size()));
        bar->RemoveButton(item.removed, TRUE);
        EXPECT_EQ(ids_of(*bar), item.after) << item.what;
    }
    EXPECT_FALSE(bar->RemoveButton(5));
}

TEST_F(ToolBarTest, NoDamageToASavedButtonListHarmsTheBar) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 0, 101, 102});
    SECControlBarInfo info(manager);
    bar->GetBarInfo(&info);
    auto* saved = dynamic_cast<SECCustomToolBarInfoEx*>(info.m_pInfoEx.get());
    ASSERT_NE(saved, nullptr);
    // Ids at the integer limits and a button with all the bytes a record holds.
    saved->m_buttons.push_back(SECBtnInfo{0x7FFFFFFF, {}});
    saved->m_buttons.push_back(SECBtnInfo{0x80000000, {}});
    saved->m_buttons.push_back(SECBtnInfo{0xFFFFFFFF, std::vector<BYTE>(255, 0xFF)});
    const std::optional<std::vector<BYTE>> packed = sec_pack_buttons(saved->m_buttons);
    ASSERT_TRUE(packed);
    std::vector<std::vector<BYTE>> inputs{*packed};
    for (std::size_t at = 0; at < packed->size(); ++at) {
        for (BYTE value : {BYTE(0x00), BYTE(0x7F), BYTE(0x80), BYTE(0xFF)}) {
            inputs.push_back(*packed);
            inputs.back()[at] = value;
        }
        for (DWORD word : {DWORD(INT_MAX), DWORD(INT_MIN), DWORD(UINT_MAX)}) {
            if (at + 4 > packed->size()) continue;
            inputs.push_back(*packed);
            for (int i = 0; i < 4; ++i) inputs.back()[at + std::size_t(i)] = BYTE(word >> (8 * i));
        }
    }
    int refused = 0;
    for (const std::vector<BYTE>& input : inputs) {
        // The profile's and the tree's "Buttons" value...
        if (std::optional<std::vector<SECBtnInfo>> buttons = sec_unpack_buttons(input.data(), input.size())) {
            saved->m_buttons = std::move(*buttons);
            bar->SetBarInfoEx(&info, frame);
            bar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
            bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(std::size_t(bar->GetButtonCount()), saved->m_buttons.size());
        } else {
            ++refused;
        }
        // ...and the archive's record, with its count at the integer limits too.
        for (DWORD count : {DWORD(saved->m_buttons.size()), DWORD(INT_MAX), DWORD(UINT_MAX)}) {
            CMemFile file;
            {
                CArchive ar(&file, CArchive::store);
                ar << CString("Bar") << count;
                ar.Write(input.data(), UINT(input.size()));
            }
            file.Seek(0, CFile::begin);
            CArchive ar(&file, CArchive::load);
            SECCustomToolBarInfoEx loaded;
            try {
                loaded.Serialize(ar, nullptr);
                EXPECT_EQ(loaded.m_buttons.size(), std::size_t(count));
            } catch (CArchiveException* error) {
                error->Delete();
            }
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_TRUE(::IsWindow(bar->m_hWnd));
}

TEST_F(ToolBarTest, OnlyAUserToolBarGoesWithItsLastButton) {
    SECCustomToolBar* standard = make_bar(0xE800, {100});
    EXPECT_FALSE(standard->RemoveButton(0));
    EXPECT_TRUE(::IsWindow(standard->m_hWnd));
    SECCustomToolBar* user = manager->CreateUserToolBar();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->GetDlgCtrlID(), 0xE820);
    CString title;
    user->GetWindowText(title);
    EXPECT_STREQ(title, "ToolBar1");
    user->InsertButton(0, 101);
    const HWND hwnd = user->m_hWnd;
    EXPECT_FALSE(user->RemoveButton(0));
    pump();
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(ToolBarTest, ButtonStatesAsDrawn) {
    const std::vector<UINT> ids{100, 101, 102, 103, 104, 105, 0, 106, 107};
    SECCustomToolBar* classic = make_bar(0xE800, ids, "Classic");
    SECCustomToolBar* cool = make_bar(0xE801, ids, "Cool");
    cool->ModifyExBarStyle(0, CBRS_EX_COOLBORDERS);
    frame->RecalcLayout();
    for (SECCustomToolBar* bar : {classic, cool}) {
        bar->SetButtonStyle(1, bar == cool ? TBBS_RAISED : 0);  // hot
        bar->SetButtonStyle(2, TBBS_PRESSED);
        bar->SetButtonStyle(3, TBBS_CHECKBOX | TBBS_CHECKED);
        bar->SetButtonStyle(4, TBBS_DISABLED);
        bar->SetButtonStyle(5, TBBS_INDETERMINATE);
        bar->SetButtonStyle(7, TBBS_CHECKBOX | TBBS_CHECKED | TBBS_PRESSED);
        bar->SetButtonStyle(8, TBBS_SELECTED);
    }
    EXPECT_TRUE(matches_snapshot("toolbar_states"));
    manager->EnableLargeBtns(TRUE);
    frame->RecalcLayout();
    EXPECT_TRUE(matches_snapshot("toolbar_states_large"));
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, TheHotButtonFollowsTheMouseInTheCoolLook) {
    manager->EnableCoolLook(TRUE);
    SECCustomToolBar* bar = make_bar(0xE800, {100, 0, 101, 102});
    frame->disabled = {102};
    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    const auto hover = [&](CPoint point) {
        display.move(bar->m_hWnd, point);
        pump();
        return bar->GetHot();
    };
    EXPECT_EQ(hover(bar->GetButtonRect(0).CenterPoint()), 0);
    EXPECT_TRUE(bar->GetButtonStyle(0) & TBBS_RAISED);
    EXPECT_EQ(hover(bar->GetButtonRect(2).CenterPoint()), 2);
    EXPECT_FALSE(bar->GetButtonStyle(0) & TBBS_RAISED);
    EXPECT_EQ(hover(bar->GetButtonRect(1).CenterPoint()), -1) << "a separator is never hot";
    EXPECT_EQ(hover(bar->GetButtonRect(3).CenterPoint()), -1) << "nor a disabled button";
    hover(bar->GetButtonRect(0).CenterPoint());
    // Off the bar the timer takes the hot button away.
    display.move(frame->m_hWnd, CPoint(300, 200));
    display.advance(100);
    pump();
    EXPECT_EQ(bar->GetHot(), -1);
    EXPECT_FALSE(bar->GetButtonStyle(0) & TBBS_RAISED);
}

TEST_F(ToolBarTest, CommonToolbarMessagesAddAndDeleteButtons) {
    SECCustomToolBar* bar = make_bar(0xE800, {100});
    const TBBUTTON records[] = {{0, 0, 0, 0, {}, 0, 0},
                                {1, 101, BYTE(TBBS_CHECKED >> 16), BYTE(TBBS_CHECKBOX), {}, 0, 0}};
    EXPECT_TRUE(bar->SendMessage(TB_ADDBUTTONS, 2, LPARAM(records)));
    ASSERT_EQ(bar->GetButtonCount(), 3);
    EXPECT_TRUE(bar->GetButton(1)->IsSeparator());
    EXPECT_EQ(bar->GetButtonStyle(2) & (TBBS_CHECKED | TBBS_CHECKBOX), TBBS_CHECKED | TBBS_CHECKBOX);
    EXPECT_TRUE(bar->SendMessage(TB_DELETEBUTTON, 0));
    EXPECT_EQ(bar->GetButtonID(0), 101u) << "the separator left first went too";
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, AFloatingToolBarWrapsToItsWidth) {
    manager->EnableCoolLook(TRUE);
    SECCustomToolBar* bar = make_bar(0xE800, kGrouped);
    frame->FloatControlBarEx(bar, 100, 300, CBRS_ALIGN_TOP);
    CFrameWnd* floating = bar->GetParentFrame();
    ASSERT_NE(floating, frame);
    for (int width : {150, 60}) {
        bar->CalcDynamicLayout(width, LM_HORZ | LM_COMMIT);
        floating->RecalcLayout();
        EXPECT_TRUE(testing_kit::matches_painted_golden(
            floating->m_hWnd, "uikit/frames/tests/golden/toolbar_wrap_" + std::to_string(width) + ".png"))
            << width;
    }
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, ButtonTipsComeFromTheCommandsString) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 0, 101});
    CWnd::ToolHit hit;
    EXPECT_EQ(bar->OnToolHitTest(bar->GetButtonRect(0).CenterPoint(), &hit), 100);
    EXPECT_EQ(hit.text, CString("Open"));
    EXPECT_EQ(CRect(hit.rect), bar->GetButtonRect(0));
    EXPECT_EQ(bar->OnToolHitTest(bar->GetButtonRect(1).CenterPoint(), &hit), -1) << "a separator";
    EXPECT_EQ(bar->OnToolHitTest(bar->GetButtonRect(2).CenterPoint(), &hit), 101);
    EXPECT_TRUE(hit.text.IsEmpty()) << "no string, no tip";
}

TEST_F(ToolBarTest, HoveringAButtonShowsItsPromptAndThenItsTip) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 0, 101});
    CStatusBar status;
    ASSERT_TRUE(status.Create(frame));
    const UINT panes[] = {0};
    status.SetIndicators(panes, 1);
    frame->RecalcLayout();
    pump();
    const auto hover = [&](CPoint point) {
        display.move(bar->m_hWnd, point);
        pump();
    };
    const auto tip = [&] {
        HWND tips = frame->GetBarToolTips();
        char text[80] = {};
        if (::IsWindowVisible(tips)) ::GetWindowText(tips, text, int(sizeof text));
        return std::string(text);
    };
    hover(bar->GetButtonRect(0).CenterPoint());
    EXPECT_EQ(status.GetPaneText(0), CString("Open a file"));
    display.advance(500);
    pump();
    EXPECT_EQ(tip(), "Open");
    hover(bar->GetButtonRect(1).CenterPoint());
    EXPECT_EQ(status.GetPaneText(0), CString()) << "a separator: the idle text";
    EXPECT_EQ(tip(), "");

    // Tips switched off in the manager: the prompt stays, the tip goes.
    manager->EnableToolTips(FALSE);
    hover(bar->GetButtonRect(0).CenterPoint());
    display.advance(500);
    pump();
    EXPECT_EQ(status.GetPaneText(0), CString("Open a file"));
    EXPECT_EQ(tip(), "");
    status.DestroyWindow();
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

// The buttons start after the gripper; a hide button in it takes 2 more pixels,
// across the bar when docked at the top, down it when docked at the left.
TEST_F(ToolBarTest, AHideButtonWidensTheGripperByTwoPixels) {
    SECCustomToolBar* bar = make_bar(0xE800, {100, 101});
    for (const UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}) {
        SCOPED_TRACE(side == AFX_IDW_DOCKBAR_TOP ? "docked at the top" : "docked at the left");
        frame->DockControlBar(bar, side);
        const auto inside_with = [&](DWORD ex_style) {
            bar->SetExBarStyle(CBRS_EX_FLATBORDERS | CBRS_EX_GRIPPER | ex_style);
            frame->RecalcLayout();
            CRect inside;
            bar->GetInsideRect(inside);
            return inside;
        };
        const CRect plain = inside_with(0), with_hide = inside_with(CBRS_EX_HIDE_BUTTON);
        if (side == AFX_IDW_DOCKBAR_TOP) {
            EXPECT_EQ(with_hide.left, plain.left + 2);
            EXPECT_EQ(with_hide.top, plain.top);
        } else {
            EXPECT_EQ(with_hide.top, plain.top + 2);
            EXPECT_EQ(with_hide.left, plain.left);
        }
    }
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

// The customize dialog locks the frame and no idle layout runs while it is
// open: a floating bar hidden with a delay hides itself at once from a posted
// message; a docked bar waits for the layout as usual.
TEST_F(ToolBarTest, WhileTheFrameIsLockedAFloatingBarHidesWithoutWaiting) {
    SECCustomToolBar* floating = make_bar(0xE800, {100, 101});
    SECCustomToolBar* docked = make_bar(0xE801, {102});
    frame->FloatControlBarEx(floating, 300, 200, CBRS_ALIGN_TOP);
    pump();
    ASSERT_TRUE(floating->IsFloating());
    manager->SetCustomizeMode(TRUE);
    manager->LockFrame();
    frame->ShowControlBar(floating, FALSE, TRUE);
    frame->ShowControlBar(docked, FALSE, TRUE);
    EXPECT_TRUE(floating->GetStyle() & WS_VISIBLE) << "not before the posted message";
    pump();
    EXPECT_FALSE(floating->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(docked->GetStyle() & WS_VISIBLE) << "a docked bar waits for the idle layout";
    manager->UnlockFrame();
    manager->SetCustomizeMode(FALSE);
}

}  // namespace
}  // namespace toolbar_test
