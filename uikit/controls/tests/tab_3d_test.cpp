// The 3-D tab window: the strip on all four sides, label fitting with "...",
// tool tips for shortened labels, disabled tabs, and its pictures.
#include <memory>
#include <vector>

#include "uikit/controls/tab_3d_wnd.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

class Tab3DTest : public ControlsTest {
protected:
    void TearDown() override {
        if (wnd.m_hWnd) wnd.DestroyWindow();
        panes.clear();
        ControlsTest::TearDown();
    }
    void make(DWORD side, std::vector<const char*> labels, int cx = 300, int cy = 200) {
        ASSERT_TRUE(wnd.Create(&parent, WS_CHILD | WS_VISIBLE | side, 0xE900));
        wnd.MoveWindow(10, 10, cx, cy);
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        for (const char* label : labels) {
            auto pane = std::make_unique<CWnd>();
            ASSERT_TRUE(pane->CreateEx(0, cls, label, WS_CHILD, 0, 0, 1, 1, wnd.m_hWnd, nullptr));
            wnd.AddTab(pane.get(), label);
            panes.push_back(std::move(pane));
        }
        wnd.ActivateTab(0);
    }
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (int i = 0; i < wnd.GetTabCount(); ++i) out.emplace_back(wnd.Control()->Tab3D(i).m_csLabel);
        return out;
    }
    SEC3DTabWnd wnd;
    std::vector<std::unique_ptr<CWnd>> panes;
};

TEST_F(Tab3DTest, StripOnEachSideOfTheFramedPane) {
    struct Case {
        DWORD side;
        const char* golden;
    };
    for (const Case& c : {Case{0x10, "tabs_3d_below"}, Case{0x20, "tabs_3d_above"}, Case{0x40, "tabs_3d_left"},
                          Case{0x80, "tabs_3d_right"}}) {
        SCOPED_TRACE(c.golden);
        make(c.side, {"Files", "Symbols", "Info"});
        CRect inside, pane, strip;
        wnd.GetInsideRect(&inside);
        panes[0]->GetWindowRect(&pane);
        wnd.ScreenToClient(&pane);
        EXPECT_EQ(pane, CRect(inside.left, inside.top, inside.right - 1, inside.bottom));
        wnd.Control()->GetWindowRect(&strip);
        wnd.ScreenToClient(&strip);
        // The strip sits on the chosen side and the active tab is 3 pixels larger at both ends.
        CRect first, second;
        wnd.Control()->GetTabRect(0, &first);
        wnd.Control()->GetTabRect(1, &second);
        if (c.side & 0x30) {
            EXPECT_EQ(strip.Width(), inside.Width());
            EXPECT_EQ(first.Height(), SEC3DTabControl::kThickness + 3);
            EXPECT_EQ(first.left, 7 - 3);
            EXPECT_EQ(c.side == 0x10 ? strip.top : strip.bottom, c.side == 0x10 ? inside.bottom + 1 : inside.top);
        } else {
            EXPECT_EQ(strip.Height(), inside.Height());
            EXPECT_EQ(first.Width(), SEC3DTabControl::kThickness + 3);
            EXPECT_EQ(first.top, 7 - 3);
            EXPECT_EQ(c.side == 0x40 ? strip.right : strip.left, c.side == 0x40 ? inside.left : inside.right);
        }
        wnd.Control()->EnableTab(2, FALSE);
        shoot(wnd.m_hWnd, c.golden);
        wnd.DestroyWindow();
        panes.clear();
    }
}

TEST_F(Tab3DTest, ClicksActivateEnabledTabsOnly) {
    make(0x10, {"One", "Two", "Three"});
    SEC3DTabControl& control = *wnd.Control();
    control.EnableTab(1, FALSE);
    EXPECT_FALSE(control.IsTabEnabled(1));
    CRect r;
    control.GetTabRect(1, &r);
    display.click(control.m_hWnd, r.CenterPoint());
    pump();
    CWnd* active = nullptr;
    wnd.GetActiveTab(&active);
    EXPECT_EQ(active, panes[0].get());
    control.GetTabRect(2, &r);
    display.advance(600);
    display.click(control.m_hWnd, r.CenterPoint());
    pump();
    wnd.GetActiveTab(&active);
    EXPECT_EQ(active, panes[2].get());
    // With 0x100 the active tab keeps the size of the others.
    control.ModifyTabStyle(0, SEC3DTabControl::kNoEnlarge);
    control.GetTabRect(2, &r);
    EXPECT_EQ(r.Height(), SEC3DTabControl::kThickness);
}

// Narrowing step by step shortens the longest label first, one character per
// step, each with "..."; widening gives the characters back one at a time.
TEST_F(Tab3DTest, LabelShorteningOrderAndTooltips) {
    make(0x10, {"Files", "Symbols and labels", "Go"}, 300);
    SEC3DTabControl& control = *wnd.Control();
    EXPECT_EQ(labels(), (std::vector<std::string>{"Files", "Symbols and labels", "Go"}));
    EXPECT_EQ(control.ToolTips().GetToolCount(), 0);
    std::vector<std::vector<std::string>> seen;
    for (int cx = 300; cx >= 60; cx -= 4) {
        wnd.MoveWindow(10, 10, cx, 200);
        if (seen.empty() || seen.back() != labels()) seen.push_back(labels());
    }
    ASSERT_GT(seen.size(), 5u);
    // The long label went first; the short ones kept their text until it was no longer the longest.
    EXPECT_EQ(seen[1], (std::vector<std::string>{"Files", "Symbols and lab...", "Go"}));
    EXPECT_EQ(seen[2], (std::vector<std::string>{"Files", "Symbols and la...", "Go"}));
    // At the end only "..." is left, labels are hidden and every full label is a tool tip.
    EXPECT_EQ(labels(), (std::vector<std::string>{"...", "...", "..."}));
    EXPECT_FALSE(control.LabelsShown());
    EXPECT_EQ(control.ToolTips().GetToolCount(), 3);
    CString full;
    BOOL selected;
    CWnd* pane;
    DWORD u1, u2;
    ASSERT_TRUE(control.GetTabInfo(1, full, selected, pane, u1, u2));
    EXPECT_EQ(std::string(full), "Symbols and labels");
    // Widening gives the labels back.
    for (int cx = 60; cx <= 300; cx += 4) wnd.MoveWindow(10, 10, cx, 200);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Files", "Symbols and labels", "Go"}));
    EXPECT_EQ(control.ToolTips().GetToolCount(), 0);
}

TEST_F(Tab3DTest, ShorteningNeverSplitsADoubleByteCharacter) {
    // Six double-byte characters (GBK) after "ab".
    const char* wide = "ab\xD6\xD0\xCE\xC4\xB1\xEA\xC7\xA9\xCE\xC4\xBC\xFE";
    make(0x10, {wide, "x"}, 300);
    for (int cx = 300; cx >= 40; cx -= 2) {
        wnd.MoveWindow(10, 10, cx, 200);
        const std::string shown = labels()[0];
        const std::string kept =
            shown.size() >= 3 && shown.substr(shown.size() - 3) == "..." ? shown.substr(0, shown.size() - 3) : shown;
        // The kept part is a prefix of the label ending on a character boundary.
        ASSERT_EQ(std::string(wide).compare(0, kept.size(), kept), 0) << cx;
        ASSERT_TRUE(kept.size() <= 2 || kept.size() % 2 == 0) << cx << " " << kept.size();
    }
}

TEST_F(Tab3DTest, DisabledTabEmbossedPicture) {
    make(0x10, {"Files", "Symbols", "Info"}, 260, 120);
    wnd.Control()->EnableTab(1, FALSE);
    shoot(wnd.m_hWnd, "tabs_3d_disabled");
}

}  // namespace
