// Dock bars: rows with breaks and placeholders, docking into a row by
// position, the saved ids round trip, and the rows' layout in the frame.
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/mini_frame.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

using Kind = CDockBar::Slot::Kind;

class DockBarTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "dock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        static const UINT ids[] = {100, 0, 101};
        for (CToolBar* bar : {&first, &second}) {
            ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, bar == &first ? 0xE820 : 0xE821));
            bar->SetButtons(ids, 3);
            bar->EnableDocking(CBRS_ALIGN_ANY);
        }
        top = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
        ASSERT_NE(top, nullptr);
    }
    void TearDown() override {
        frame->DestroyWindow();  // deletes itself
        AfxTest::TearDown();
    }
    // The slots as a compact string: "|" breaks, "1"/"2" the bars, "p<id>" placeholders.
    std::string rows() const {
        std::string out;
        for (int i = 0; i < top->GetSlotCount(); ++i) {
            const auto& slot = top->m_arrBars[i];
            if (slot.kind == Kind::row_break) out += "|";
            if (slot.kind == Kind::bar) out += slot.bar == &first ? "1" : "2";
            if (slot.kind == Kind::placeholder) out += "p" + std::to_string(slot.id);
        }
        return out;
    }
    CRect place(CWnd& wnd) {
        CRect area;
        wnd.GetWindowRect(&area);
        frame->ScreenToClient(&area);
        return area;
    }

    CFrameWnd* frame = nullptr;
    CToolBar first, second;
    CDockBar* top = nullptr;
};

TEST_F(DockBarTest, BarsDockInRowsAndLeavePlaceholders) {
    frame->DockControlBar(&first, AFX_IDW_DOCKBAR_TOP);
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(rows(), "|1|2|");
    frame->RecalcLayout();
    EXPECT_EQ(place(second).top, place(first).bottom);  // a row of its own below

    // Docked at a point within the first row's band: joins that row.
    const CRect in_first_row(place(first).right + 5, place(first).top + 2, 0, 0);
    top->DockControlBar(&second, &in_first_row);
    EXPECT_EQ(rows(), "|12|");
    frame->RecalcLayout();
    EXPECT_EQ(place(second).top, place(first).top);
    EXPECT_EQ(place(second).left, place(first).right);
    EXPECT_EQ(second.m_pDockBar, top);

    EXPECT_TRUE(top->RemoveControlBar(&second, TRUE));
    EXPECT_EQ(rows(), "|1p59425|");
    EXPECT_EQ(second.m_pDockBar, nullptr);
    top->RemovePlaceHolder(&second);
    EXPECT_EQ(rows(), "|1|");
    EXPECT_FALSE(top->RemoveControlBar(&second));

    // Moving to another side takes it off this one and gives it that side's alignment.
    frame->DockControlBar(&first, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(rows(), "|");
    EXPECT_TRUE(first.GetBarStyle() & CBRS_ALIGN_LEFT);
}

TEST_F(DockBarTest, SavedIdsRebuildRowsAndKeepUnknownIdsAsPlaceholders) {
    frame->DockControlBar(&first, AFX_IDW_DOCKBAR_TOP);
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP);
    CControlBarInfo saved;
    top->GetBarInfo(&saved);
    EXPECT_TRUE(saved.m_bDockBar);
    std::vector<UINT> ids;
    for (int i = 0; i < saved.m_arrBarID.GetSize(); ++i) ids.push_back(saved.m_arrBarID[i]);
    EXPECT_EQ(ids, (std::vector<UINT>{0, 0xE820, 0, 0xE821, 0}));

    CControlBarInfo edited;
    for (UINT id : {0u, 0xE821u, 0xE820u, 0u, 777u, 0x10000u + 0xE822u, 0u, 0u}) edited.m_arrBarID.Add(id);
    top->SetBarInfo(&edited, frame);
    EXPECT_EQ(rows(), "|21|p777p59426|");  // doubled breaks collapse

    // Placeholders are saved with their flag.
    top->GetBarInfo(&saved);
    EXPECT_EQ(saved.m_arrBarID[5], 0x10000u + 0xE822u);
}

TEST_F(DockBarTest, BarsFloatInTheirOwnFrameAndDockBack) {
    frame->DockControlBar(&first, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    frame->FloatControlBar(&first, CPoint(200, 150));
    EXPECT_TRUE(first.IsFloating());
    EXPECT_EQ(rows(), "|");
    CWnd* floating = first.GetTopLevelParent();
    ASSERT_TRUE(floating && floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(floating->IsWindowVisible());
    CRect outside, inside;
    floating->GetWindowRect(&outside);
    first.GetWindowRect(&inside);
    EXPECT_EQ(outside.TopLeft(), CPoint(200, 150));
    EXPECT_TRUE(CRect().IntersectRect(&outside, &inside));  // the bar sits inside its floating frame

    // A rectangle over the top dock bar can dock there; one in the middle of the frame cannot.
    CRect top_area;
    top->GetWindowRect(&top_area);
    EXPECT_EQ(
        frame->CanDock(CRect(top_area.left + 5, top_area.top, top_area.left + 40, top_area.top + 10), CBRS_ALIGN_ANY),
        top);
    CRect middle;
    frame->GetWindowRect(&middle);
    middle.DeflateRect(middle.Width() / 3, middle.Height() / 3);
    EXPECT_EQ(frame->CanDock(middle, CBRS_ALIGN_ANY), nullptr);

    frame->DockControlBar(&first, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(rows(), "|1|");
    EXPECT_FALSE(first.IsFloating());
    EXPECT_FALSE(floating->IsWindowVisible());  // left empty, the floating frame hides
}

TEST_F(DockBarTest, DockContextKeepsKeyFlagsAndRedocksAFloatingBar) {
    first.m_pDockContext = new CDockContext(&first);
    CDockContext& context = *first.m_pDockContext;

    context.StartDrag(CPoint(5, 5));
    EXPECT_TRUE(context.m_bDragging);
    EXPECT_EQ(CWnd::GetCapture(), &first);
    context.OnKey(VK_SHIFT, TRUE);
    context.OnKey(VK_CONTROL, TRUE);
    EXPECT_TRUE(context.m_bFlip);
    EXPECT_TRUE(context.m_bForceFrame);
    context.OnKey(VK_ESCAPE, TRUE);
    EXPECT_FALSE(context.m_bDragging);
    EXPECT_EQ(GetCapture(), nullptr);

    // Another window holding the capture keeps a loop from starting.
    second.SetCapture();
    EXPECT_FALSE(context.InitLoop());
    ReleaseCapture();

    first.SetBarStyle(first.GetBarStyle() | CBRS_FLOATING);
    context.m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    context.ToggleDocking();
    EXPECT_EQ(rows(), "|1|");
    EXPECT_FALSE(first.IsFloating());
}

}  // namespace
