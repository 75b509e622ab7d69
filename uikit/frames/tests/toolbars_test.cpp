// Four toolbars in a frame: one row at the top, a click that
// sends a command, a layout with changed buttons saved and restored
// identically, a damaged button list that leaves the defaults, and a new
// toolbar made by dragging a button out.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/user/input_api.h"
#include "platform/user/resource_api.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/tests/docking_fixture.h"
#include "uikit/frames/tests/docking_toolbars.h"

namespace {

using namespace docking_test;

constexpr const char* kLayout = "FrameState\\ToolBar";

class ToolBarsTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        widen();
        build_toolbars();
    }
    void widen() { frame->SetWindowPos(nullptr, 0, 0, 1280, 480, SWP_NOZORDER | SWP_NOMOVE); }
    SECCustomToolBar& toolbar(UINT id) { return *frame->toolbars->FindToolBar(id); }
    std::vector<UINT> buttons_of(UINT id) {
        std::vector<UINT> ids;
        for (int i = 0; i < toolbar(id).GetButtonCount(); ++i) ids.push_back(toolbar(id).GetButtonID(i));
        return ids;
    }
    void save() {
        frame->SaveBarState(kLayout);
        frame->toolbars->SaveState(kLayout);
    }
    os::Status new_frame_and_load() {
        new_frame();
        widen();
        build_toolbars();
        os::Status loaded = frame->LoadBarState(kLayout);
        frame->toolbars->LoadState(kLayout);
        idle();
        return loaded;
    }
    // The toolbar lines of the layout dump.
    std::string toolbar_lines() {
        std::string all = dump_layout(), out;
        for (std::size_t at = 0; at < all.size();) {
            const std::size_t end = all.find('\n', at);
            const std::string line = all.substr(at, end - at + 1);
            for (const TestToolBar& each : test_toolbars())
                if (line.find(std::string("\"") + each.title + "\"") != std::string::npos) out += line;
            at = end + 1;
        }
        return out;
    }
};

TEST_F(ToolBarsTest, TheFourToolBarsStandInOneRowAndAClickSendsItsCommand) {
    for (const TestToolBar& each : test_toolbars()) {
        SECCustomToolBar& bar = toolbar(each.id);
        EXPECT_EQ(buttons_of(each.id), each.buttons) << each.title;
        EXPECT_EQ(place(bar).top, 0) << each.title;
    }
    EXPECT_EQ(place(toolbar(0xE805)).left, place(toolbar(0xE800)).right);
    EXPECT_EQ(place(toolbar(0xE806)).left, place(toolbar(0xE805)).right);
    EXPECT_EQ(place(toolbar(0xE807)).left, place(toolbar(0xE806)).right);
    EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, "uikit/frames/tests/golden/toolbars.png"));
    SECCustomToolBar& compile = toolbar(0xE805);
    display.click(compile.m_hWnd, compile.GetButtonRect(1).CenterPoint());
    idle();
    EXPECT_EQ(frame->last_toolbar_command, 32931u);
    // Stop Build is disabled at rest: a click sends nothing.
    frame->last_toolbar_command = 0;
    display.click(compile.m_hWnd, compile.GetButtonRect(3).CenterPoint());
    idle();
    EXPECT_EQ(frame->last_toolbar_command, 0u);
}

TEST_F(ToolBarsTest, ChangedToolBarsAreSavedAndRestoredIdentically) {
    toolbar(0xE806).RemoveButton(1);
    toolbar(0xE807).InsertButton(0, 57600);
    idle();
    const std::string before = toolbar_lines();
    const std::vector<UINT> edit = buttons_of(0xE806), debug = buttons_of(0xE807);
    save();
    ASSERT_TRUE(new_frame_and_load());
    EXPECT_EQ(buttons_of(0xE806), edit);
    EXPECT_EQ(buttons_of(0xE807), debug);
    EXPECT_EQ(toolbar_lines(), before);
}

TEST_F(ToolBarsTest, ADamagedButtonListLeavesTheDefaultToolBars) {
    toolbar(0xE806).RemoveButton(1);
    save();
    // Find the Edit bar's section and cut its buttons short.
    bool damaged = false;
    for (int index = 0; index < 64 && !damaged; ++index) {
        CString section;
        section.Format("%s-Bar%d", kLayout, index);
        if (AfxGetApp()->GetProfileInt(section, "BarID", 0) != 0xE806) continue;
        std::vector<BYTE> bytes;
        ASSERT_TRUE(AfxGetApp()->GetProfileBinary(section, "Buttons", bytes));
        bytes.resize(bytes.size() - 2);
        AfxGetApp()->WriteProfileBinary(section, "Buttons", bytes.data(), UINT(bytes.size()));
        damaged = true;
    }
    ASSERT_TRUE(damaged);
    EXPECT_FALSE(new_frame_and_load());
    EXPECT_EQ(buttons_of(0xE806), test_toolbars()[2].buttons);
}

TEST_F(ToolBarsTest, ACopyDraggedOffEveryToolBarMakesToolBar1) {
    frame->toolbars->SetCustomizeMode(TRUE);
    SECCustomToolBar& file = toolbar(0xE800);
    const CPoint from = file.GetButtonRect(2).CenterPoint();
    // Through the middle of the frame, far from every bar.
    kit::user::inject_key(VK_CONTROL, true);
    display.button(file.m_hWnd, from, true);
    display.move(frame->m_hWnd, CPoint(300, 200));
    display.move(frame->m_hWnd, CPoint(400, 300));
    // While the copy is dragged the cursor says so.
    display.then([&] {
        EXPECT_EQ(kit::user::cursor_id(::GetCursor()), 20691u);
        display.button(frame->m_hWnd, CPoint(400, 300), false);
    });
    idle();
    kit::user::inject_key(VK_CONTROL, false);
    idle();
    EXPECT_EQ(file.GetButtonCount(), 8);
    SECCustomToolBar* made = frame->toolbars->FindToolBar(0xE820);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetWindowText(), CString("ToolBar1"));
    EXPECT_TRUE(made->IsFloating());
    ASSERT_EQ(made->GetButtonCount(), 1);
    EXPECT_EQ(made->GetButtonID(0), 57601u);
    // Moved back out without Ctrl, its only button goes and the toolbar with it.
    const HWND made_window = made->m_hWnd;
    display.button(made->m_hWnd, made->GetButtonRect(0).CenterPoint(), true);
    display.move(frame->m_hWnd, CPoint(200, 330));
    display.button(frame->m_hWnd, CPoint(200, 330), false);
    idle();
    EXPECT_FALSE(::IsWindow(made_window));
}

}  // namespace

namespace {

TEST_F(ToolBarsTest, TheSwitchesAreKeptInTheProfileAndInATree) {
    SECToolBarManager& manager = *frame->toolbars;
    manager.EnableToolTips(FALSE);
    manager.EnableLargeBtns(TRUE);
    manager.SaveState(kLayout);
    const CString section = CString(kLayout) + "-ToolBarManager";
    EXPECT_EQ(AfxGetApp()->GetProfileInt(section, "ToolTips", 7), 0u);
    EXPECT_EQ(AfxGetApp()->GetProfileInt(section, "CoolLook", 7), 1u);
    EXPECT_EQ(AfxGetApp()->GetProfileInt(section, "LargeButtons", 7), 1u);
    // Values that are missing leave the switches as they are.
    manager.LoadState("Nothing\\Saved");
    EXPECT_FALSE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.LargeBtnsEnabled());
    manager.EnableToolTips(TRUE);
    manager.EnableLargeBtns(FALSE);
    manager.LoadState(kLayout);
    EXPECT_FALSE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.LargeBtnsEnabled());
    EXPECT_FALSE(toolbar(0xE800).GetBarStyle() & CBRS_TOOLTIPS);

    SECPersistentTreeNode root;
    ASSERT_EQ(root.Create("Root"), UINT(PTN_OK));
    ASSERT_TRUE(manager.SaveState(&root, TRUE));
    manager.EnableToolTips(TRUE);
    manager.EnableLargeBtns(FALSE);
    EXPECT_TRUE(manager.LoadState(&root));
    EXPECT_FALSE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.LargeBtnsEnabled());
    // Without the manager's node: tooltips and the cool look on, large buttons off.
    SECPersistentTreeNode empty;
    ASSERT_EQ(empty.Create("Empty"), UINT(PTN_OK));
    manager.LoadState(&empty);
    EXPECT_TRUE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.CoolLookEnabled());
    EXPECT_FALSE(manager.LargeBtnsEnabled());
}

TEST_F(ToolBarsTest, AButtonWhoseCommandClosesTheFrameLeavesNothingOfItTouched) {
    // Exit put on a toolbar: the frame, its toolbars and their manager go while the command is sent.
    toolbar(0xE800).InsertButton(0, ID_APP_EXIT);
    idle();
    SECCustomToolBar& file = toolbar(0xE800);
    const HWND window = frame->m_hWnd;
    display.click(file.m_hWnd, file.GetButtonRect(0).CenterPoint());
    idle();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(quit_seen);
    frame = nullptr;
}

TEST_F(ToolBarsTest, CustomiseModeKeepsTheSystemMenuShut) {
    frame->toolbars->SetCustomizeMode(TRUE);
    EXPECT_EQ(frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    frame->toolbars->SetCustomizeMode(FALSE);
}

}  // namespace

namespace {

TEST_F(ToolBarsTest, AltMovesAButtonBetweenToolBarsOutsideCustomiseMode) {
    SECCustomToolBar& file = toolbar(0xE800);
    SECCustomToolBar& edit = toolbar(0xE806);
    CPoint to = edit.GetButtonRect(0).CenterPoint();
    edit.ClientToScreen(&to);
    frame->ScreenToClient(&to);
    kit::user::inject_key(VK_MENU, true);
    display.button(file.m_hWnd, file.GetButtonRect(0).CenterPoint(), true);
    display.move(frame->m_hWnd, to);
    display.button(frame->m_hWnd, to, false);
    idle();
    // Another key while Alt is down, so that letting Alt go does not open the frame's menu.
    kit::user::inject_key(VK_SHIFT, true);
    kit::user::inject_key(VK_SHIFT, false);
    kit::user::inject_key(VK_MENU, false);
    idle();  // the release reaches the key state before the next test
    EXPECT_EQ(buttons_of(0xE800).front(), 32776u) << "New went away from File";
    EXPECT_EQ(buttons_of(0xE806)[1], 57600u) << "and came after Cut";
    EXPECT_EQ(edit.GetSelected(), -1) << "an Alt drag selects nothing";
    EXPECT_EQ(frame->last_toolbar_command, 0u) << "and sends no command";
}

}  // namespace

namespace {

TEST_F(ToolBarsTest, AUserToolBarComesBackWithItsButtons) {
    SECCustomToolBar* mine = frame->toolbars->CreateUserToolBar("Mine");
    ASSERT_NE(mine, nullptr);
    mine->InsertButton(0, 32930, FALSE, TRUE);
    mine->InsertButton(1, 0, TRUE, TRUE);
    mine->InsertButton(2, 32934, FALSE, TRUE);
    frame->DockControlBar(mine, AFX_IDW_DOCKBAR_BOTTOM);
    idle();
    save();
    ASSERT_TRUE(new_frame_and_load());
    SECCustomToolBar* back = frame->toolbars->FindToolBar(0xE820);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetWindowText(), CString("Mine"));
    EXPECT_EQ(buttons_of(0xE820), (std::vector<UINT>{32930, 0, 32934}));
    EXPECT_TRUE(back->IsUserToolBar());
    EXPECT_EQ(back->GetManager(), frame->toolbars.get());
}

}  // namespace
