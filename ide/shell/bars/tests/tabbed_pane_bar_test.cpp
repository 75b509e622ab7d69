// The bar around a tab window of panes, with either kind of tab window: the
// tab window fills the inside at every size, the active pane follows the tab
// shown, and a pane that cannot be made refuses the bar.
#include <memory>

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/bars/tests/bars_fixture.h"
#include "uikit/controls/tab_3d_wnd.h"
#include "uikit/controls/tab_wnd.h"

namespace {

// Two output panes in the given tab window; the second fails to be made when asked.
class TwoPaneBar : public TabbedPaneBar {
public:
    TwoPaneBar(std::unique_ptr<SECTabWndBase> tabs, DWORD tab_style, bool second_fails)
        : TabbedPaneBar(tab_style), tabs_(std::move(tabs)), second_fails_(second_fails) {}

    CInfoWnd panes[2];
    SECTabWndBase& TabWindow() { return *tabs_; }
    using TabbedPaneBar::ShowTab;

protected:
    SECTabWndBase& Tabs() override { return *tabs_; }
    bool CreatePanes(const CREATESTRUCT&) override {
        for (int i = 0; i < 2; ++i) {
            if (i == 1 && second_fails_) return false;
            if (!panes[i].Create(0, 0, CRect(0, 0, 0, 0), tabs_.get(), 1200 + UINT(i))) return false;
            AddPane(panes[i], i == 0 ? "First" : "Second");
        }
        return true;
    }

private:
    std::unique_ptr<SECTabWndBase> tabs_;
    bool second_fails_;
};

struct TabKind {
    const char* name;
    std::unique_ptr<SECTabWndBase> (*make)();
    DWORD style;
};

const TabKind kTabKinds[] = {
    {"2-D", [] { return std::unique_ptr<SECTabWndBase>(new SECTabWnd); }, TabbedPaneBar::kTabStyle2D},
    {"3-D", [] { return std::unique_ptr<SECTabWndBase>(new SEC3DTabWnd); }, TabbedPaneBar::kTabStyle3D},
};

class TabbedPaneBarTest : public BarsTest {
protected:
    // The bar's tab window as a rectangle of the bar's client area.
    static CRect TabsIn(TwoPaneBar& bar) {
        CRect tabs;
        bar.TabWindow().GetWindowRect(&tabs);
        bar.ScreenToClient(&tabs);
        return tabs;
    }
};

TEST_F(TabbedPaneBarTest, TheTabWindowFillsTheInsideAtEverySize) {
    for (const TabKind& kind : kTabKinds) {
        SCOPED_TRACE(kind.name);
        TwoPaneBar bar(kind.make(), kind.style, false);
        ASSERT_TRUE(bar.Create(frame, "Panes", 0x50001414, 0xF11, 120));
        EXPECT_EQ(bar.TabWindow().GetDlgCtrlID(), int(TabbedPaneBar::kTabWndId));
        EXPECT_EQ(bar.TabWindow().GetTabCount(), 2);
        for (const CSize size : {CSize(600, 220), CSize(90, 60), CSize(300, 400)}) {
            bar.MoveWindow(0, 0, size.cx, size.cy);
            pump();
            CRect inside;
            bar.GetInsideRect(inside);
            EXPECT_EQ(TabsIn(bar), inside) << size.cx << " x " << size.cy;
        }
        bar.DestroyWindow();
    }
}

TEST_F(TabbedPaneBarTest, TheActivePaneIsThePaneOfTheTabShown) {
    TwoPaneBar bar(kTabKinds[0].make(), kTabKinds[0].style, false);
    EXPECT_EQ(bar.ActivePane(), nullptr);  // before the bar exists
    ASSERT_TRUE(bar.Create(frame, "Panes", 0x50001414, 0xF11, 120));
    bar.ShowTab(1);
    EXPECT_EQ(bar.ActivePane(), &bar.panes[1]);
    bar.ShowTab(0);
    EXPECT_EQ(bar.ActivePane(), &bar.panes[0]);
    bar.DestroyWindow();
}

TEST_F(TabbedPaneBarTest, APaneThatCannotBeMadeRefusesTheBar) {
    TwoPaneBar bar(kTabKinds[0].make(), kTabKinds[0].style, true);
    EXPECT_FALSE(bar.Create(frame, "Panes", 0x50001414, 0xF11, 120));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    pump();
}

}  // namespace
