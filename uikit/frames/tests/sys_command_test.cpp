// Extended system commands: the state classes, the working copy that carries
// switching and menu commands out, the state menu, the caption button's
// commands, and nothing done for a window whose document has no template
// that makes dockable frames.
#include "uikit/frames/sys_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/mdi_frame.h"

namespace {

using namespace nsSysCommandEx;

TEST(SysCommandTest, StatesFallIntoTheirClasses) {
    const std::pair<UINT, UINT> cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 1},   {4, 1},  {5, 5},         {6, 5},
                                           {7, 5}, {8, 5}, {9, 5}, {10, 10}, {11, 0}, {0xFFFFFFFF, 0}};
    for (const auto& [state, cls] : cases) EXPECT_EQ(GetStateClass(state), cls) << state;
}

// Notes which filter object handled each command and whether it was a working copy.
struct Seen {
    const void* filter;
    BOOL copy;
    UINT command;
};
std::vector<Seen> seen;
int alive = 0;

class WatchedFilter : public ScxMsgFilter {
    DECLARE_DYNCREATE(WatchedFilter)
public:
    WatchedFilter() { ++alive; }
    ~WatchedFilter() override { --alive; }
    UINT OnSwitchState(SysCommandRecord&, LRESULT*) override { return note(SCX_SWITCHSTATE); }
    UINT OnQueryStateMenu(SysCommandRecord&, LRESULT*) override { return note(SCX_QUERYSTATEMENU); }
    UINT OnShowStateMenu(SysCommandRecord&, LRESULT*) override { return note(SCX_SHOWSTATEMENU); }

private:
    UINT note(UINT command) {
        seen.push_back({this, m_bCopy, command});
        return 15;
    }
};
IMPLEMENT_DYNCREATE(WatchedFilter, ScxMsgFilter)

class SysCommandWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new SECMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        child = new SECMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CRect(10, 10, 200, 150), frame));
        child->EnableCaptionFilters(1);
    }
    void TearDown() override {
        if (frame->m_hWnd) frame->DestroyWindow();
        AfxDeleteTempMaps();
        seen.clear();
    }
    kit::display::Headless display;
    SECMDIFrameWnd* frame = nullptr;
    SECMDIChildWnd* child = nullptr;
};

TEST_F(SysCommandWindowTest, SwitchingAndMenuCommandsRunInAWorkingCopyAndQueriesInTheFilter) {
    WatchedFilter filter;
    filter.SetWindow(child);
    SysCommandRecord record;
    record.window = child->m_hWnd;
    LRESULT result = 0;
    const UINT message = sec_syscommandex_message();
    for (UINT command : {SCX_SWITCHSTATE, SCX_QUERYSTATEMENU, SCX_SHOWSTATEMENU | 0x5}) {
        const UINT answer = filter.ProcessMessage(message, command, reinterpret_cast<LPARAM>(&record), &result);
        // Handled, and a copy's answer also stops the dispatch.
        EXPECT_EQ(answer, 15u);
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[0].filter, &filter);
    EXPECT_TRUE(seen[0].copy);
    EXPECT_EQ(seen[1].filter, &filter);
    EXPECT_FALSE(seen[1].copy);
    EXPECT_EQ(seen[2].command, SCX_SHOWSTATEMENU);
    EXPECT_TRUE(seen[2].copy);
    // The copies are gone.
    EXPECT_EQ(alive, 1);
    // Any other message goes nowhere.
    EXPECT_EQ(filter.ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0, &result), 0u);
}

TEST_F(SysCommandWindowTest, WithoutADockableTemplateTheCommandsDoNothing) {
    SysCommandRecord record;
    record.window = child->m_hWnd;
    record.target = SCX_STATE_MAXIMIZED;
    EXPECT_EQ(SendSysCommandEx(child->m_hWnd, SCX_SWITCHSTATE, record), 0);
    BOOL maximised = TRUE;
    frame->MDIGetActive(&maximised);
    EXPECT_FALSE(maximised);
    EXPECT_EQ(SendSysCommandEx(child->m_hWnd, SCX_QUERYSTATEMENU, record), 0);
    EXPECT_EQ(record.menu, nullptr);
    // A right double-click on the caption asks for the switch, which does nothing here.
    EXPECT_EQ(child->SendMessage(WM_NCRBUTTONDBLCLK_MSG, HTCAPTION, 0), 0);
    EXPECT_FALSE(child->IsZoomed());
}

std::string item_text(HMENU menu, int position) {
    char text[64] = {};
    ::GetMenuString(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
    return text;
}
bool checked(HMENU menu, int position) {
    return (::GetMenuState(menu, UINT(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

TEST_F(SysCommandWindowTest, TheStateMenuChecksTheClassAndTheState) {
    ScxMsgFilter filter;
    HMENU menu = filter.BuildStateMenu(child, SCX_STATE_DOCKED_BOTTOM);
    ASSERT_EQ(::GetMenuItemCount(menu), 6);
    const char* titles[] = {"&Docked", "&Floating", "&MDI Child", "", "D&ocked to", "MD&I Child as"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(item_text(menu, i), titles[i]) << i;
    EXPECT_EQ(::GetMenuItemID(menu, 0), SCX_STATE_DOCKED);
    EXPECT_EQ(::GetMenuItemID(menu, 1), SCX_STATE_FLOATING);
    EXPECT_EQ(::GetMenuItemID(menu, 2), SCX_STATE_MDICHILD);
    EXPECT_TRUE(checked(menu, 0));
    EXPECT_FALSE(checked(menu, 2));
    HMENU sides = ::GetSubMenu(menu, 4);
    const UINT side_ids[] = {SCX_STATE_DOCKED_TOP, SCX_STATE_DOCKED_LEFT, SCX_STATE_DOCKED_BOTTOM,
                             SCX_STATE_DOCKED_RIGHT};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(::GetMenuItemID(sides, i), side_ids[i]);
        EXPECT_EQ(checked(sides, i), side_ids[i] == SCX_STATE_DOCKED_BOTTOM);
    }
    HMENU child_states = ::GetSubMenu(menu, 5);
    EXPECT_EQ(::GetMenuItemID(child_states, 1), SCX_STATE_MAXIMIZED);
    EXPECT_FALSE(checked(child_states, 1));
    ::DestroyMenu(menu);
}

TEST_F(SysCommandWindowTest, TheCaptionButtonSwapsOnAClickAndAsksForTheMenuOnARightPressOrAHold) {
    ScxButtonMsgFilter button;
    button.SetWindow(child);
    button.m_rect = CRect(100, 4, 116, 18);
    CRect window;
    child->GetWindowRect(&window);
    HWND target = nullptr;
    UINT message = 0;
    WPARAM command = 0;
    LPARAM lParam = 0;
    ASSERT_TRUE(button.GetCommandMessage(ScxButtonMsgFilter::kClick, 5, 6, &target, &message, &command, &lParam));
    auto* record = reinterpret_cast<const SysCommandRecord*>(lParam);
    EXPECT_EQ(target, child->m_hWnd);
    EXPECT_EQ(message, sec_syscommandex_message());
    EXPECT_EQ(command, SCX_SWITCHSTATE);
    EXPECT_EQ(record->target, SCX_STATE_DEFAULT);
    EXPECT_EQ(CPoint(record->x, record->y), CPoint(5, 6));
    EXPECT_EQ(CRect(record->button), CRect(window.left + 100, window.top + 4, window.left + 116, window.top + 18));
    for (int kind : {ScxButtonMsgFilter::kRightPress, ScxButtonMsgFilter::kHold}) {
        ASSERT_TRUE(button.GetCommandMessage(kind, 5, 6, &target, &message, &command, &lParam));
        EXPECT_EQ(command, SCX_SHOWSTATEMENU);
        EXPECT_EQ(CPoint(record->x, record->y), CPoint(window.left + 100, window.top + 18));
        EXPECT_EQ((record->flags & SCX_USE_POSITION) != 0, kind == ScxButtonMsgFilter::kHold);
    }
    BOOL disabled = TRUE;
    EXPECT_TRUE(button.IsShown(&disabled));
    EXPECT_FALSE(disabled);
}

TEST_F(SysCommandWindowTest, TheFrameKeepsItsSwitchOffWithoutADockableTemplate) {
    SECMsgFilter* root = frame->GetRootFilter();
    // Applied switched off, the command filter is never made; the maximised child's filters are.
    EXPECT_EQ(root->FindFilter(257, nullptr, -1), nullptr);
    for (int id : {256, 260, 261}) {
        ASSERT_NE(root->FindFilter(id, nullptr, -1), nullptr) << id;
        EXPECT_TRUE(root->FindFilter(id, nullptr, -1)->IsEnabled()) << id;
    }
    EXPECT_TRUE(root->FindFilter(260, nullptr, -1)->IsKindOf(RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter)));
    // The child's filters, switched on by the application.
    SECMsgFilter* child_root = child->GetRootFilter();
    for (int id : {257, 256, 258, 259, 262}) {
        ASSERT_NE(child_root->FindFilter(id, nullptr, -1), nullptr) << id;
        EXPECT_TRUE(child_root->FindFilter(id, nullptr, -1)->IsEnabled()) << id;
    }
}

}  // namespace
