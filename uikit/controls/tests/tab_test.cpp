// The tab control and the 2-D tab window: activation and deletion notices,
// click rules, the held scroll buttons on the virtual clock, per-tab scroll
// bars handed on to the active pane, and the splitter.
#include <functional>
#include <memory>
#include <vector>

#include "uikit/controls/tab_wnd.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

// Records the tab messages it is sent and the scroll messages handed to it.
class Recorder : public CWnd {
public:
    struct Msg {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Msg&) const = default;
    };
    std::vector<Msg> got;
    std::function<void(WPARAM)> on_tab_selected;  // what the owner does when told of an activation
    void clear() { got.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if ((message >= TCM_TABSEL && message <= TCM_TABREACTIVATE) || message == WM_HSCROLL || message == WM_VSCROLL)
            got.push_back({message, wParam, lParam});
        if (message == TCM_TABSEL && on_tab_selected) on_tab_selected(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Panes a tab window makes by class; they count themselves, so a leak or a double
// deletion shows.
class MadePane : public CWnd {
    DECLARE_DYNCREATE(MadePane)
public:
    static int alive;
    MadePane() { ++alive; }
    ~MadePane() override { --alive; }
};
IMPLEMENT_DYNCREATE(MadePane, CWnd)
int MadePane::alive = 0;

class MadeView : public CView {
    DECLARE_DYNCREATE(MadeView)
public:
    static int alive;
    MadeView() { ++alive; }
    ~MadeView() override { --alive; }
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(MadeView, CView)
int MadeView::alive = 0;

class NotAWindow : public CObject {
    DECLARE_DYNCREATE(NotAWindow)
};
IMPLEMENT_DYNCREATE(NotAWindow, CObject)

class TabTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(notify.CreateEx(0, cls, "notify", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    }
    void TearDown() override {
        panes.clear();
        if (notify.m_hWnd) notify.DestroyWindow();
        ControlsTest::TearDown();
    }
    // A tab window of the parent's size with `count` panes.
    void make(SECTabWnd& wnd, int count, DWORD style = 0x50000000, const char* stem = "Pane ") {
        ASSERT_TRUE(wnd.Create(&parent, style, 0xE900));
        wnd.SetNotifyWnd(&notify);
        wnd.MoveWindow(0, 0, 400, 200);
        add(wnd, count, stem);
    }
    void add(SECTabWndBase& wnd, int count, const char* stem) {
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        for (int i = 0; i < count; ++i) {
            auto pane = std::make_unique<Recorder>();
            const CString label = CString(stem) + CString(std::to_string(panes.size()).c_str());
            EXPECT_TRUE(pane->CreateEx(0, cls, label, WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, wnd.m_hWnd, nullptr));
            wnd.AddTab(pane.get(), label);
            panes.push_back(std::move(pane));
        }
    }
    CWnd* active(SECTabWndBase& wnd) {
        CWnd* out = nullptr;
        wnd.GetActiveTab(&out);
        return out;
    }
    static int active_index(SECTabWndBase& wnd) {
        int index = -1;
        return wnd.GetTabControl()->GetActiveTab(index) ? index : -1;
    }
    // Client point inside tab `index` of a 2-D control, near its bottom middle.
    static CPoint in_tab(SECTabControl& control, int index) {
        const int x = control.TabLeft(index) + control.GetTab(index)->m_nWidth / 2;
        CRect client;
        control.GetClientRect(&client);
        return CPoint(x, client.bottom / 2);
    }

    Recorder notify;
    std::vector<std::unique_ptr<Recorder>> panes;
};

using Msg = Recorder::Msg;

TEST_F(TabTest, ActivationShowsOnePaneAndNotifies) {
    SECTabWnd wnd;
    make(wnd, 3);
    EXPECT_EQ(active(wnd), nullptr);
    for (auto& pane : panes) EXPECT_FALSE(pane->IsWindowVisible());
    wnd.ActivateTab(1);
    EXPECT_EQ(active(wnd), panes[1].get());
    EXPECT_EQ(notify.got, (std::vector<Msg>{{TCM_TABSEL, 1, 0}}));
    EXPECT_TRUE(panes[1]->IsWindowVisible());
    EXPECT_FALSE(panes[0]->IsWindowVisible());
    CRect inside, pane;
    wnd.GetInsideRect(&inside);
    panes[1]->GetWindowRect(&pane);
    wnd.ScreenToClient(&pane);
    EXPECT_EQ(pane, inside);
    // Activating it again does nothing; activating by window works too.
    notify.clear();
    wnd.ActivateTab(1);
    EXPECT_TRUE(notify.got.empty());
    wnd.ActivateTab(panes[2].get());
    EXPECT_EQ(notify.got, (std::vector<Msg>{{TCM_TABSEL, 2, 0}}));
    EXPECT_FALSE(panes[1]->IsWindowVisible());
}

TEST_F(TabTest, TabsMadeByClassTakeTheNextPaneIdAndGoWithTheWindow) {
    {
        SECTabWnd wnd;
        make(wnd, 2);
        SECTab* made = wnd.AddTab(RUNTIME_CLASS(MadePane), "made");
        ASSERT_NE(made, nullptr);
        CWnd* pane = made->m_pClient;
        ASSERT_TRUE(pane && pane->IsKindOf(RUNTIME_CLASS(MadePane)));
        EXPECT_EQ(pane->GetDlgCtrlID(), 0xEB02);  // 0xEB00 plus the tabs there were
        EXPECT_EQ(pane->GetParent(), &wnd);
        EXPECT_FALSE(pane->IsWindowVisible());
        SECTab* view = wnd.InsertTab(RUNTIME_CLASS(MadeView), 0, "view");
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(wnd.GetTabControl()->GetTab(0), view);
        EXPECT_EQ(view->m_pClient->GetDlgCtrlID(), 0xEB03);
        SECTab* given = wnd.AddTab(RUNTIME_CLASS(MadePane), "given", nullptr, 0x1234);
        ASSERT_NE(given, nullptr);
        EXPECT_EQ(given->m_pClient->GetDlgCtrlID(), 0x1234);
        EXPECT_EQ(wnd.AddTab(RUNTIME_CLASS(NotAWindow), "no window"), nullptr);
        EXPECT_EQ(wnd.GetTabCount(), 5);
        EXPECT_EQ(wnd.GetScrollStyle(4), 0u);
        wnd.ActivateTab(3);
        EXPECT_EQ(active(wnd), pane);
        EXPECT_TRUE(pane->IsWindowVisible());
        EXPECT_EQ(MadePane::alive, 2);
        EXPECT_EQ(MadeView::alive, 1);
    }
    EXPECT_EQ(MadePane::alive, 0);
    EXPECT_EQ(MadeView::alive, 0);
}

// A bad index is answered by a return value, never by an exception.
TEST_F(TabTest, ABadTabIndexFindsNothing) {
    SECTabWnd wnd;
    make(wnd, 2);
    SECTabControlBase& control = *wnd.GetTabControl();
    CString label;
    BOOL selected = FALSE;
    CWnd* pane = nullptr;
    DWORD user1 = 0, user2 = 0;
    for (int index : {-1, 2, 1000}) {
        EXPECT_EQ(control.GetTab(index), nullptr) << index;
        EXPECT_FALSE(control.GetTabInfo(index, label, selected, pane, user1, user2)) << index;
        wnd.RemoveTab(index);
        wnd.RenameTab(index, "x");
        wnd.ActivateTab(index);
        wnd.SendMessage(TCM_TABSEL, WPARAM(index));
    }
    EXPECT_EQ(control.GetTab(1)->m_pClient, panes[1].get());
    EXPECT_EQ(wnd.GetTabCount(), 2);
}

TEST_F(TabTest, RemovingTabsKeepsTheRightTabActiveAndItsRecords) {
    SECTabWnd wnd;
    make(wnd, 5);
    wnd.SetScrollStyle(3, WS_HSCROLL);
    wnd.SetScrollStyle(4, WS_VSCROLL);
    wnd.ActivateTab(2);
    notify.clear();
    struct Case {
        const char* what;
        int remove;
        int active_pane;  // index into panes
        int active_index;
        bool notice;
    };
    const Case cases[] = {
        {"the active middle tab: its right neighbour", 2, 3, 2, true},
        {"a tab before the active one: the same tab", 0, 3, 1, false},
        {"a tab after the active one", 2, 3, 1, false},  // pane 4
        {"the active last tab: the new last tab", 1, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        notify.clear();
        wnd.RemoveTab(c.remove);
        EXPECT_EQ(active(wnd), panes[size_t(c.active_pane)].get());
        EXPECT_EQ(active_index(wnd), c.active_index);
        EXPECT_TRUE(panes[size_t(c.active_pane)]->IsWindowVisible());
        if (c.notice)
            EXPECT_EQ(notify.got, (std::vector<Msg>{{TCM_TABSEL, WPARAM(c.active_index), 0}}));
        else
            EXPECT_TRUE(notify.got.empty());
        // Each remaining tab keeps its own scroll style.
        for (int i = 0; i < wnd.GetTabCount(); ++i) {
            CWnd* pane = wnd.GetTabControl()->GetTab(i)->m_pClient;
            const DWORD want = pane == panes[3].get() ? WS_HSCROLL : pane == panes[4].get() ? WS_VSCROLL : 0;
            EXPECT_EQ(wnd.GetScrollStyle(i), want) << i;
        }
    }
    // The last tab goes: nothing is active.
    wnd.RemoveTab(0);
    EXPECT_EQ(wnd.GetTabCount(), 0);
    EXPECT_EQ(active(wnd), nullptr);
    EXPECT_EQ(wnd.GetTabScrollBar(SB_HORZ), nullptr);
}

// The owner may remove the tab it is told about, and delete its pane, from inside the
// notice: the tab that took its place stays active and the removed pane is never touched.
TEST_F(TabTest, ATabRemovedFromItsOwnActivationNoticeStaysRemoved) {
    struct Case {
        const char* what;
        std::function<void(SECTabWnd&)> activate;
    };
    const Case cases[] = {
        {"by index", [](SECTabWnd& wnd) { wnd.ActivateTab(1); }},
        {"by pane", [&](SECTabWnd& wnd) { wnd.ActivateTab(panes[1].get()); }},
        {"by a click",
         [&](SECTabWnd& wnd) {
             auto& control = static_cast<SECTabControl&>(*wnd.GetTabControl());
             display.click(control.m_hWnd, in_tab(control, 1));
             pump();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        panes.clear();
        SECTabWnd wnd;
        make(wnd, 3);
        wnd.SetScrollStyle(2, WS_VSCROLL);
        wnd.ActivateTab(0);
        pump();
        bool removed = false;
        notify.on_tab_selected = [&](WPARAM index) {
            if (removed || index != 1) return;
            removed = true;
            wnd.RemoveTab(1);
            panes[1].reset();
        };
        c.activate(wnd);
        notify.on_tab_selected = nullptr;
        ASSERT_TRUE(removed);
        EXPECT_EQ(wnd.GetTabCount(), 2);
        EXPECT_EQ(active(wnd), panes[2].get());
        EXPECT_EQ(active_index(wnd), 1);
        EXPECT_EQ(wnd.GetTabControl()->GetTab(1)->m_pClient, panes[2].get());
        EXPECT_TRUE(panes[2]->IsWindowVisible());
        EXPECT_FALSE(panes[0]->IsWindowVisible());
        EXPECT_NE(wnd.GetTabScrollBar(SB_VERT), nullptr);  // the bars are the pane's that shows
        pump();
    }
}

TEST_F(TabTest, ScrollBarsFollowTheActiveTabAndPassMessagesOnUnchanged) {
    SECTabWnd wnd;
    make(wnd, 3);
    wnd.SetScrollStyle(0, WS_HSCROLL | WS_VSCROLL);
    wnd.SetScrollStyle(1, 0);
    wnd.SetScrollStyle(2, WS_VSCROLL);
    wnd.ActivateTab(0);
    CScrollBar* horz = wnd.GetTabScrollBar(SB_HORZ);
    ASSERT_NE(horz, nullptr);
    EXPECT_EQ(horz->GetDlgCtrlID(), int(SECTabWnd::kHorzBarId));
    EXPECT_EQ(horz->GetParent(), &wnd);
    EXPECT_TRUE(horz->IsWindowVisible());
    horz->SetScrollRange(0, 100);
    horz->SetScrollPos(40);
    // A tab whose style is 0 shows neither bar, and its strip takes the whole bottom row.
    wnd.ActivateTab(1);
    EXPECT_EQ(wnd.GetTabScrollBar(SB_HORZ), nullptr);
    EXPECT_EQ(wnd.GetTabScrollBar(SB_VERT), nullptr);
    EXPECT_FALSE(horz->IsWindowVisible());
    CRect strip, client;
    wnd.GetTabControl()->GetWindowRect(&strip);
    wnd.ScreenToClient(&strip);
    wnd.GetClientRect(&client);
    EXPECT_EQ(strip.Width(), client.Width());
    EXPECT_EQ(wnd.GetTabScrollBar(SB_VERT, panes[2].get()), &*wnd.GetTabScrollBar(SB_VERT, panes[0].get()));
    // Back to the first tab: the bar is at 40 again.
    wnd.ActivateTab(0);
    EXPECT_EQ(wnd.GetTabScrollBar(SB_HORZ)->GetScrollPos(), 40);
    // Scroll messages reach the active pane with the same words.
    CScrollBar* vert = wnd.GetTabScrollBar(SB_VERT);
    ASSERT_NE(vert, nullptr);
    wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), LPARAM(vert->m_hWnd));
    EXPECT_EQ(panes[0]->got, (std::vector<Msg>{{WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), LPARAM(vert->m_hWnd)}}));
    // A window that is not a tab has no bars.
    EXPECT_EQ(wnd.GetTabScrollBar(SB_HORZ, &notify), nullptr);
}

TEST_F(TabTest, SplitterDragStopsSixtyPixelsFromTheRightAndEscapeCancels) {
    SECTabWnd wnd;
    make(wnd, 2);
    wnd.SetScrollStyle(0, WS_HSCROLL);
    wnd.ActivateTab(0);
    // Showing the bar pulled the splitter (first set to the whole width) back; a wider window
    // gives the strip room again, up to that width.
    EXPECT_EQ(wnd.GetSplitterPos(), 400 - SECTabWnd::kMinBarWidth);
    wnd.MoveWindow(0, 0, 420, 200);
    EXPECT_EQ(wnd.GetSplitterPos(), 420 - SECTabWnd::kMinBarWidth);
    wnd.MoveWindow(0, 0, 500, 200);
    EXPECT_EQ(wnd.GetSplitterPos(), 400);
    wnd.MoveWindow(0, 0, 420, 200);
    CRect inside;
    wnd.GetInsideRect(&inside);
    const CRect split = wnd.SplitterRect();
    const CPoint grip(split.left + 2, split.top + 2);
    display.then([&] {
        display.move(wnd.m_hWnd, CPoint(100, grip.y));
        display.button(wnd.m_hWnd, CPoint(100, grip.y), false);
    });
    display.button(wnd.m_hWnd, grip, true);
    pump();
    EXPECT_EQ(wnd.GetSplitterPos(), 100 - 2 - 1);
    CRect strip;
    wnd.GetTabControl()->GetWindowRect(&strip);
    wnd.ScreenToClient(&strip);
    EXPECT_EQ(strip.Width(), 97);
    // A window narrowed below the dragged place and widened again gives it back.
    wnd.MoveWindow(0, 0, 120, 200);
    EXPECT_EQ(wnd.GetSplitterPos(), 120 - SECTabWnd::kMinBarWidth);
    wnd.MoveWindow(0, 0, 420, 200);
    EXPECT_EQ(wnd.GetSplitterPos(), 97);
    // Far right: clamped.
    display.advance(600);
    display.then([&] {
        display.move(wnd.m_hWnd, CPoint(399, grip.y));
        display.button(wnd.m_hWnd, CPoint(399, grip.y), false);
    });
    display.button(wnd.m_hWnd, CPoint(wnd.SplitterRect().left + 2, grip.y), true);
    pump();
    EXPECT_EQ(wnd.GetSplitterPos(), inside.right - SECTabWnd::kMinBarWidth);
    // Escape puts it back.
    display.advance(600);
    display.then([&] {
        display.move(wnd.m_hWnd, CPoint(50, grip.y));
        display.press(VK_ESCAPE);
        display.button(wnd.m_hWnd, CPoint(50, grip.y), false);
    });
    const int before = wnd.GetSplitterPos();
    display.button(wnd.m_hWnd, CPoint(wnd.SplitterRect().left + 2, grip.y), true);
    pump();
    EXPECT_EQ(wnd.GetSplitterPos(), before);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TabTest, ClickRulesOfTheStrip) {
    SECTabWnd wnd;
    make(wnd, 4);
    auto& control = static_cast<SECTabControl&>(*wnd.GetTabControl());
    wnd.ActivateTab(0);
    notify.clear();
    // A plain click on another tab activates it.
    display.click(control.m_hWnd, in_tab(control, 2));
    pump();
    EXPECT_EQ(active(wnd), panes[2].get());
    EXPECT_EQ(notify.got, (std::vector<Msg>{{TCM_TABSEL, 2, 0}}));
    // Clicking the active tab again refocuses its pane.
    display.advance(600);
    display.click(control.m_hWnd, in_tab(control, 2));
    pump();
    EXPECT_EQ(::GetFocus(), panes[2]->m_hWnd);
    // Shift selects the range from the active tab and activates the clicked one.
    display.advance(600);
    ::SendMessage(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT,
                  MAKELPARAM(in_tab(control, 0).x, in_tab(control, 0).y));
    EXPECT_EQ(active_index(wnd), 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(control.GetTab(i)->m_bSelected, i <= 2) << i;
    // Ctrl on the active tab: it loses the selection and nothing is active.
    ::SendMessage(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL,
                  MAKELPARAM(in_tab(control, 0).x, in_tab(control, 0).y));
    EXPECT_FALSE(control.GetTab(0)->m_bSelected);
    int index = -1;
    EXPECT_FALSE(control.GetActiveTab(index));
    // A plain click clears the selection and activates.
    ::SendMessage(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in_tab(control, 3).x, in_tab(control, 3).y));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(control.GetTab(i)->m_bSelected) << i;
    EXPECT_EQ(active(wnd), panes[3].get());
    // The slopes: the point just left of a tab's bottom corner belongs to no tab when no neighbour is there.
    CRect client;
    control.GetClientRect(&client);
    EXPECT_EQ(control.HitTab(CPoint(control.TabLeft(0) + 1, client.bottom - 1)), -1);
    EXPECT_EQ(control.HitTab(CPoint(control.TabLeft(0) + 1, 0)), 0);
}

TEST_F(TabTest, DoubleClickOnATabReportsItToTheWindow) {
    SECTabControl control;
    Recorder owner;
    const char* cls = AfxRegisterWndClass(0, nullptr, nullptr);
    ASSERT_TRUE(owner.CreateEx(0, cls, "owner", WS_CHILD | WS_VISIBLE, 0, 0, 300, 40, parent.m_hWnd, nullptr));
    ASSERT_TRUE(control.Create(WS_VISIBLE, CRect(0, 0, 300, 20), &owner, 1));
    control.AddTab("one", nullptr);
    control.AddTab("two", nullptr);
    control.ActivateTab(0);
    owner.clear();
    ::SendMessage(control.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(in_tab(control, 1).x, 5));
    ::SendMessage(control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in_tab(control, 0).x, 5));
    ::SendMessage(control.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(299, 5));
    EXPECT_EQ(owner.got, (std::vector<Msg>{{TCM_TABDBLCLK, 1, 0}, {TCM_TABREACTIVATE, 0, 0}}));
    control.ClearSelection();
    EXPECT_EQ(owner.got.back(), (Msg{TCM_TABSELCLR, 0, 0}));
    control.DestroyWindow();
    owner.DestroyWindow();
}

// Ten wide tabs: holding "next" scrolls 10 pixels at once, again after 300 ms,
// then every 20 ms, and stops with the last tab at the right edge.
TEST_F(TabTest, HeldNextButtonRepeatsOnTheClockUntilTheLastTabShows) {
    SECTabWnd wnd;
    make(wnd, 10, 0x50000002, "A rather wide tab ");
    auto& control = static_cast<SECTabControl&>(*wnd.GetTabControl());
    wnd.ActivateTab(0);
    ASSERT_EQ(control.GetButtons(), 15u);
    EXPECT_EQ(control.GetDisabledButtons(), UINT(SECTabControl::kFirst | SECTabControl::kPrev));
    const CRect next = control.ButtonRect(SECTabControl::kNext);
    const int last = control.GetTabCount() - 1;
    const int overflow = control.TabLeft(last) + control.GetTab(last)->m_nWidth - control.TabArea().right;
    ASSERT_GT(overflow, 100);
    std::vector<int> offsets;
    const auto note = [&] { offsets.push_back(control.GetScrollOffset()); };
    display.then([&] {
        note();
        display.advance(299);
    });
    display.then([&] {
        note();
        display.advance(1);
    });
    for (int i = 0; i < 3; ++i)
        display.then([&] {
            note();
            display.advance(20);
        });
    display.then([&] {
        note();
        display.advance(100000);  // only one step per timer retrieval, however long it was
    });
    display.then([&] { note(); });
    // Keep holding until it can go no further.
    int held = 0;
    std::function<void()> hold = [&] {
        if (control.GetScrollOffset() > -overflow && ++held < 1000) {
            display.advance(20);
            display.then(hold);
        } else {
            display.button(control.m_hWnd, next.CenterPoint(), false);
        }
    };
    display.then(hold);
    pump();  // shown before it is pressed
    display.button(control.m_hWnd, next.CenterPoint(), true);
    pump();
    EXPECT_EQ(offsets, (std::vector<int>{-10, -10, -20, -30, -40, -50, -60}));
    EXPECT_EQ(control.GetScrollOffset(), -overflow);
    EXPECT_EQ(control.GetDisabledButtons(), UINT(SECTabControl::kNext | SECTabControl::kLast));
    EXPECT_EQ(GetCapture(), nullptr);
    shoot(wnd.m_hWnd, "tabs_2d_scrolled");
    // "first" goes back to the start at once; a disabled button does nothing.
    display.advance(600);
    display.click(control.m_hWnd, control.ButtonRect(SECTabControl::kFirst).CenterPoint());
    pump();
    EXPECT_EQ(control.GetScrollOffset(), 0);
    display.advance(600);
    display.click(control.m_hWnd, control.ButtonRect(SECTabControl::kPrev).CenterPoint());
    pump();
    EXPECT_EQ(control.GetScrollOffset(), 0);
    // ScrollToTab brings a tab in 20 pixels inside the right edge; the first
    // tab goes back to the start, since the offset never goes above 0.
    wnd.RenameTab(5, "Five");
    wnd.ScrollToTab(5);
    EXPECT_EQ(control.TabLeft(5) + control.GetTab(5)->m_nWidth, control.TabArea().right - 20);
    wnd.ScrollToTab(0);
    EXPECT_EQ(control.GetScrollOffset(), 0);
}

TEST_F(TabTest, HeldButtonLoopEndsOnEscapeLostCaptureAndQuit) {
    SECTabWnd wnd;
    make(wnd, 10, 0x50000001, "A rather wide tab ");
    auto& control = static_cast<SECTabControl&>(*wnd.GetTabControl());
    wnd.ActivateTab(0);
    const CPoint next = control.ButtonRect(SECTabControl::kNext).CenterPoint();
    display.then([&] { display.press(VK_ESCAPE); });
    display.button(control.m_hWnd, next, true);
    pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(control.GetScrollOffset(), -10);
    display.button(control.m_hWnd, next, false);
    pump();
    display.advance(600);
    display.then([&] { ::ReleaseCapture(); });
    display.button(control.m_hWnd, next, true);
    pump();
    EXPECT_EQ(control.GetScrollOffset(), -20);
    display.button(control.m_hWnd, next, false);
    pump();
    display.advance(600);
    display.then([&] { PostQuitMessage(5); });
    display.button(control.m_hWnd, next, true);
    MSG msg;
    bool quit = false;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(msg.wParam, 5u);
            break;
        }
        DispatchMessage(&msg);
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(GetCapture(), nullptr);
    display.button(control.m_hWnd, next, false);
    pump();
}

// A strip on its own (no tab window repainting around it) repaints the tab
// an activation leaves as well as the one it takes.
TEST_F(TabTest, AStripAloneRepaintsTheTabsAnActivationChanges) {
    SECTabControl strip;
    ASSERT_TRUE(strip.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 390, 32), &parent, 0xE901));
    for (const char* label : {"One", "Two", "Three"}) strip.AddTab(label, nullptr);
    strip.ActivateTab(0);
    pump();
    expect_fresh_picture("with the first tab active");
    for (int index : {2, 1}) {
        strip.ActivateTab(index);
        pump();
        expect_fresh_picture("after activating another tab");
    }
    int active = -1;
    EXPECT_TRUE(strip.GetActiveTab(active));
    EXPECT_EQ(active, 1);
}

TEST_F(TabTest, TabWindowPicture) {
    SECTabWnd wnd;
    make(wnd, 5);
    wnd.SetScrollStyle(2, WS_HSCROLL | WS_VSCROLL);
    wnd.ActivateTab(2);
    wnd.MoveWindow(0, 0, 400, 201);
    wnd.ShowWindow(SW_SHOW);
    wnd.GetTabControl()->SelectTab(4);
    shoot(wnd.m_hWnd, "tabs_2d");
}

}  // namespace
