// The MDI frame's default places for bars and its layouts during a modal
// customise dialog.
#include "uikit/frames/mdi_frame.h"

#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "uikit/frames/toolbar_manager.h"

namespace {

TEST(MdiFrameTest, DefaultPlacesTakeTheBottomLeftAndRightRowsInTurn) {
    SECMDIFrameWnd frame;
    struct Place {
        UINT id;
        int row;
        UINT flags;
    };
    // The cycle opens with row breaks before each side, then bars join the rows.
    const Place expected[] = {
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_LEFT, 1, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_RIGHT, 0, SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_LEFT, 0, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_RIGHT, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_LEFT, 1, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
    };
    for (const Place& place : expected) {
        UINT id = 0;
        SECDockPos position;
        SECDockSize size;
        frame.GetNextDefaultDockPos(id, position, size);
        EXPECT_EQ(id, place.id);
        EXPECT_EQ(position.row, place.row);
        EXPECT_EQ(position.column, 1);
        EXPECT_EQ(position.flags, place.flags);
        EXPECT_EQ(size.pct, 1.0f);
        EXPECT_EQ(size.height, 150);
    }
}

TEST(MdiFrameTest, DelayedLayoutsRunWhileTheToolbarsAreCustomisedInADialog) {
    kit::display::Headless display;
    auto* frame = new SECMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    SECToolBarManager manager(frame);
    frame->SetControlBarManager(&manager);
    frame->DelayRecalcLayout();
    // Not customising: the layout waits for the idle time.
    frame->SendMessage(WM_ENTERIDLE, MSGF_DIALOGBOX, 0);
    EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    manager.SetCustomizeMode(TRUE);
    // A menu's idle time is not the dialog's.
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    frame->SendMessage(WM_ENTERIDLE, MSGF_DIALOGBOX, 0);
    EXPECT_FALSE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    manager.SetCustomizeMode(FALSE);
    frame->DestroyWindow();
}

}  // namespace
