// Message maps: every form of entry dispatches to its handler with its
// arguments unpacked; routing through reflection and base maps.
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

constexpr UINT kButtonId = 101;
constexpr UINT kPlainCommand = 102;  // a command handler and no update handler
constexpr UINT kFirstRange = 200, kLastRange = 210;
constexpr UINT kNotifyCode = UINT(-12);
const UINT kRegistered = RegisterWindowMessage("afx-test-registered");

std::vector<std::string> calls;

class Base : public CWnd {
public:
    afx_msg void OnClose() { calls.push_back("base close"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Base, CWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

class Target : public Base {
public:
    afx_msg int OnCreate(CREATESTRUCT* cs) {
        calls.push_back(std::string("create ") + (m_hWnd ? "attached" : "detached"));
        return int(Default());
    }
    afx_msg void OnSize(UINT type, int cx, int cy) { calls.push_back(AfxFormat("size %u %d %d", type, cx, cy).str()); }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) {
        calls.push_back(AfxFormat("down %u %d %d", flags, p.x, p.y).str());
    }
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags) {
        calls.push_back(AfxFormat("key %u %u %u", key, repeat, flags).str());
    }
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back(AfxFormat("timer %u", unsigned(id)).str()); }
    afx_msg LRESULT OnNcHitTest(CPoint) { return 77; }
    afx_msg void OnCommandOne() { calls.push_back("command"); }
    afx_msg void OnCommandRange(UINT id) { calls.push_back(AfxFormat("range %u", id).str()); }
    afx_msg void OnUpdateOne(CCmdUI* ui) { ui->Enable(FALSE); }
    afx_msg void OnUpdateRange(CCmdUI* ui) { ui->SetCheck(int(ui->m_nID - kFirstRange)); }
    afx_msg void OnNotifyCode(NMHDR* n, LRESULT* result) {
        calls.push_back(AfxFormat("notify %u", unsigned(n->idFrom)).str());
        *result = 5;
    }
    afx_msg LRESULT OnUserMessage(WPARAM w, LPARAM l) { return LRESULT(w + l); }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) { return LRESULT(w * 2); }
    afx_msg void OnButtonClicked() { calls.push_back("clicked"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Target, Base)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_TIMER()
ON_WM_NCHITTEST()
ON_COMMAND(100, OnCommandOne)
ON_COMMAND(kPlainCommand, OnCommandOne)
ON_COMMAND_RANGE(kFirstRange, kLastRange, OnCommandRange)
ON_UPDATE_COMMAND_UI(100, OnUpdateOne)
ON_UPDATE_COMMAND_UI_RANGE(kFirstRange, kLastRange, OnUpdateRange)
ON_NOTIFY(kNotifyCode, 300, OnNotifyCode)
ON_MESSAGE(WM_USER + 5, OnUserMessage)
ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
ON_CONTROL(BN_CLICKED, kButtonId, OnButtonClicked)
END_MESSAGE_MAP()

// A button that handles its own clicks by reflection.
class SelfHandlingButton : public CButton {
public:
    afx_msg void OnReflectedClick() { calls.push_back("reflected click"); }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* result) { *result = 9; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfHandlingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
ON_NOTIFY_REFLECT(kNotifyCode, OnReflectedNotify)
END_MESSAGE_MAP()

class MessageMapTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        calls.clear();
        ASSERT_TRUE(target.CreateEx(0, nullptr, "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                    nullptr));
    }
    Target target;
};

TEST_F(MessageMapTest, EachEntryFormDispatchesWithItsArguments) {
    // Created through the framework's class: the object is attached before WM_CREATE.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "create attached");

    NMHDR header{nullptr, 300, kNotifyCode};
    struct Case {
        const char* form;
        std::function<LRESULT()> send;
        std::string logged;  // empty: nothing logged
        LRESULT result;
    };
    const Case cases[] = {
        {"ON_WM_SIZE", [&] { return target.SendMessage(WM_SIZE, 2, MAKELPARAM(40, 30)); }, "size 2 40 30", 0},
        {"ON_WM_LBUTTONDOWN", [&] { return target.SendMessage(WM_LBUTTONDOWN, 1, MAKELPARAM(-3, 7)); }, "down 1 -3 7",
         0},
        {"ON_WM_KEYDOWN", [&] { return target.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(2, 0x1E)); }, "key 65 2 30", 0},
        {"ON_WM_TIMER", [&] { return target.SendMessage(WM_TIMER, 9); }, "timer 9", 0},
        {"ON_WM_NCHITTEST result", [&] { return target.SendMessage(WM_NCHITTEST); }, "", 77},
        {"ON_WM_CLOSE from the base map", [&] { return target.SendMessage(WM_CLOSE); }, "base close", 0},
        {"ON_COMMAND is dropped when its update disables it", [&] { return target.SendMessage(WM_COMMAND, 100); }, "",
         1},
        {"ON_COMMAND_RANGE", [&] { return target.SendMessage(WM_COMMAND, kFirstRange + 3); }, "range 203", 1},
        {"ON_COMMAND outside the range", [&] { return target.SendMessage(WM_COMMAND, kLastRange + 1); }, "", 0},
        {"ON_NOTIFY", [&] { return target.SendMessage(WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&header)); },
         "notify 300", 5},
        {"ON_MESSAGE", [&] { return target.SendMessage(WM_USER + 5, 3, 4); }, "", 7},
        {"ON_REGISTERED_MESSAGE", [&] { return target.SendMessage(kRegistered, 21); }, "", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        calls.clear();
        EXPECT_EQ(c.send(), c.result);
        EXPECT_EQ(calls, c.logged.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.logged});
    }
}

TEST_F(MessageMapTest, UpdateHandlersSetStateThroughCCmdUI) {
    CTestCmdUI one;
    one.m_nID = 100;
    EXPECT_TRUE(one.DoUpdate(&target, FALSE));
    EXPECT_FALSE(one.m_bEnabled);

    // Asked to disable commands nobody handles, an update handler's word still
    // stands; without one, a command is enabled when something handles it.
    const struct {
        UINT id;
        BOOL handled;
        BOOL enabled;
    } cases[] = {
        {100, TRUE, FALSE},  // its update handler disables it, though it has a handler
        {kPlainCommand, FALSE, TRUE},
        {kLastRange + 1, FALSE, FALSE},
    };
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (const auto& c : cases) {
        CTestCmdUI ui;
        ui.m_nID = c.id;
        ui.m_bEnabled = !c.enabled;
        EXPECT_EQ(ui.DoUpdate(&target, TRUE), c.handled) << c.id;
        EXPECT_EQ(ui.m_bEnabled, c.enabled) << c.id;

        // The same for a menu item, as a menu about to open updates it.
        menu.AppendMenu(MF_STRING | (c.enabled ? MF_GRAYED : 0), c.id, "item");
        CCmdUI item;
        item.m_nID = c.id;
        item.m_pMenu = &menu;
        item.m_nIndex = UINT(menu.GetMenuItemCount() - 1);
        item.m_nIndexMax = UINT(menu.GetMenuItemCount());
        EXPECT_EQ(item.DoUpdate(&target, TRUE), c.handled) << c.id;
        EXPECT_EQ((menu.GetMenuState(item.m_nIndex, MF_BYPOSITION) & MF_GRAYED) == 0, bool(c.enabled)) << c.id;
    }

    CButton check;
    ASSERT_TRUE(check.Create("c", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(0, 0, 50, 20), &target, kFirstRange + 1));
    target.UpdateDialogControls(&target, FALSE);
    EXPECT_EQ(check.GetCheck(), 1);
}

TEST_F(MessageMapTest, ControlNotificationsReachParentOrReflectToTheControl) {
    CButton plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 20), &target, kButtonId));
    plain.SendMessage(BM_CLICK);
    EXPECT_EQ(calls.back(), "clicked");

    SelfHandlingButton reflecting;
    ASSERT_TRUE(
        reflecting.Create("self", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 60, 50), &target, kButtonId));
    calls.clear();
    reflecting.SendMessage(BM_CLICK);
    EXPECT_EQ(calls, std::vector<std::string>{"reflected click"});  // the parent never sees it

    NMHDR header{reflecting.m_hWnd, 300, kNotifyCode};
    EXPECT_EQ(target.SendMessage(WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&header)), 9);
}

TEST_F(MessageMapTest, HandleMapAttachesDetachesAndWrapsForeignWindows) {
    EXPECT_EQ(CWnd::FromHandlePermanent(target.m_hWnd), &target);
    HWND child = CreateWindowEx(0, "STATIC", "x", WS_CHILD, 0, 0, 10, 10, target.m_hWnd, nullptr, nullptr, nullptr);
    CWnd* wrapper = CWnd::FromHandle(child);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, child);
    EXPECT_EQ(CWnd::FromHandle(child), wrapper);  // one wrapper until idle time
    EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
    AfxDeleteTempMaps();

    CWnd owned;
    EXPECT_TRUE(owned.Attach(child));
    EXPECT_FALSE(CWnd().Attach(child));  // one permanent object per window
    EXPECT_EQ(owned.Detach(), child);
    EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

// Deletes itself after its last message, as frames and views do.
class SelfDeleting : public CWnd {
public:
    explicit SelfDeleting(bool* deleted) : deleted_(deleted) {}
    ~SelfDeleting() override { *deleted_ = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* deleted_;
};

TEST_F(MessageMapTest, PostNcDestroyRunsAfterTheLastMessage) {
    bool deleted = false;
    auto* wnd = new SelfDeleting(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &target, 1));
    HWND hwnd = wnd->m_hWnd;
    target.DestroyWindow();  // takes the child with it
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(target.m_hWnd, nullptr);
}

// A bar of 20 pixels at the top or the left of its parent.
class Bar : public CWnd {
public:
    explicit Bar(bool top) : top_(top) {}
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM l) {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(l);
        CRect place = layout->rect;
        if (top_) {
            place.bottom = place.top + 20;
            layout->rect.top += 20;
        } else {
            place.right = place.left + 20;
            layout->rect.left += 20;
        }
        if (layout->hDWP)
            layout->hDWP = DeferWindowPos(layout->hDWP, m_hWnd, nullptr, place.left, place.top, place.Width(),
                                          place.Height(), SWP_NOZORDER);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool top_;
};
BEGIN_MESSAGE_MAP(Bar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// Counts the idle updates it receives.
class Counter : public CWnd {
public:
    explicit Counter(int* seen) : seen_(seen) {}
    afx_msg LRESULT OnIdle(WPARAM, LPARAM) { return ++*seen_; }
    DECLARE_MESSAGE_MAP()

private:
    int* seen_;
};
BEGIN_MESSAGE_MAP(Counter, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdle)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, DescendantsAndBarLayout) {
    // Two bars at the top and the left, a pane that takes the rest.
    Bar top(true), left(false);
    CWnd pane;
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &target, 0xE800));
    ASSERT_TRUE(left.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &target, 0xE801));
    ASSERT_TRUE(pane.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &target, AFX_IDW_PANE_FIRST));
    CRect client;
    target.GetClientRect(&client);

    CRect left_over;
    target.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left_over);
    EXPECT_EQ(left_over, CRect(20, 20, client.right, client.bottom));
    CRect pane_rect;
    pane.GetClientRect(&pane_rect);
    EXPECT_TRUE(pane_rect.IsRectEmpty());  // a query moves nothing

    target.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    pane.GetWindowRect(&pane_rect);
    target.ScreenToClient(&pane_rect);
    EXPECT_EQ(pane_rect, left_over);

    int seen = 0;
    Counter deep(&seen);
    ASSERT_TRUE(deep.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(), &pane, 5));
    target.SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, FALSE, TRUE);
    EXPECT_EQ(seen, 0);  // not deep
    target.SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
    EXPECT_EQ(seen, 1);
}

}  // namespace
