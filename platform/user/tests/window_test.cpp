// The window tree: creation and destruction order, relations, positions and
// their notifications, non-client layout and hit-testing.
#include <climits>

#include "platform/gdi/gdi.h"
#include "platform/user/context_menu_key.h"
#include "platform/user/tests/user_fixture.h"
#include "testing/painted_picture.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class WindowTest : public UserTest {};

TEST_F(WindowTest, CreationSendsItsMessagesInOrder) {
    HWND child_parent = make_top();
    take_log();
    HWND child = make_child(child_parent, 7, RECT{0, 0, 50, 20});
    ASSERT_TRUE(child);
    EXPECT_EQ(take_log(), (Log{"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SIZE", "WM_MOVE", "WM_SHOWWINDOW",
                               "WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED"}));
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    EXPECT_EQ(GetParent(child), child_parent);
}

TEST_F(WindowTest, CreateReturningMinusOneFailsAndCleansUp) {
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM, bool* handled) -> LRESULT {
        *handled = m == WM_CREATE;
        return -1;
    });
    HWND hwnd = CreateWindowEx(0, kLogClass, "x", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(hwnd, nullptr);
    Log log = take_log();
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"WM_DESTROY", "WM_NCDESTROY"}));
    EXPECT_TRUE(kit::user::top_level_windows().empty());
}

TEST_F(WindowTest, UnknownClassOrMissingParentFails) {
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, kLogClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, DestroyReachesParentFirstAndFreesChildrenFirst) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{0, 0, 10, 10});
    HWND b = make_child(top, 2, RECT{10, 0, 20, 10});
    static std::vector<std::pair<HWND, std::string>> order;
    order.clear();
    set_proc_hook([](HWND hwnd, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (m == WM_DESTROY || m == WM_NCDESTROY) order.emplace_back(hwnd, message_name(m));
        return 0;
    });
    ASSERT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, std::string>> expected = {{top, "WM_DESTROY"}, {a, "WM_DESTROY"},
                                                          {b, "WM_DESTROY"},   {a, "WM_NCDESTROY"},
                                                          {b, "WM_NCDESTROY"}, {top, "WM_NCDESTROY"}};
    EXPECT_EQ(order, expected);
    // Stale handles fail softly.
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(DestroyWindow(a));
    RECT r;
    EXPECT_FALSE(GetClientRect(top, &r));
    EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(top, WM_USER, 0, 0));
}

TEST_F(WindowTest, SiblingsFollowCreationOrder) {
    HWND top = make_top();
    HWND a = make_child(top, 10, RECT{0, 0, 5, 5});
    HWND b = make_child(top, 11, RECT{0, 0, 5, 5});
    HWND c = make_child(top, 12, RECT{0, 0, 5, 5});
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
    EXPECT_EQ(GetDlgItem(top, 12), c);
    EXPECT_EQ(GetDlgItem(top, 13), nullptr);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
}

struct PosCase {
    const char* name;
    UINT flags;
    Log expected;
};

TEST_F(WindowTest, SetWindowPosNotifiesWhatChanged) {
    const PosCase cases[] = {
        {"move", SWP_NOSIZE | SWP_NOZORDER, {"WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED", "WM_MOVE"}},
        {"size",
         SWP_NOMOVE | SWP_NOZORDER,
         {"WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE", "WM_WINDOWPOSCHANGED", "WM_SIZE"}},
        {"both", SWP_NOZORDER, {"WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE", "WM_WINDOWPOSCHANGED", "WM_MOVE", "WM_SIZE"}},
        {"nothing", SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER, {"WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED"}},
        {"frame",
         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED,
         {"WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE", "WM_WINDOWPOSCHANGED", "WM_MOVE"}},
        {"hide",
         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW,
         {"WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED"}},
    };
    HWND top = make_top();
    int step = 0;
    for (const auto& c : cases) {
        HWND child = make_child(top, 1, RECT{0, 0, 20, 20}, WS_CHILD | WS_VISIBLE | WS_BORDER);
        take_log();
        ++step;
        SetWindowPos(child, nullptr, 5 + step, 5, 30 + step, 30, c.flags | SWP_NOACTIVATE);
        EXPECT_EQ(take_log(), c.expected) << c.name;
        DestroyWindow(child);
    }
}

TEST_F(WindowTest, PositionsAtTheIntegerLimitsAreBoundedBeforeAnyEdgeIsComputed) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{0, 0, 20, 20}, WS_CHILD | WS_VISIBLE);
    SetWindowPos(child, nullptr, INT_MAX, INT_MIN, INT_MAX, INT_MAX, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    ASSERT_TRUE(GetWindowRect(child, &r));
    EXPECT_GT(r.right, r.left);
    EXPECT_GT(r.bottom, r.top);
    EXPECT_LT(r.top, 0);
    // Only the size changes: the far edges follow the kept corner.
    SetWindowPos(child, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT sized{};
    GetWindowRect(child, &sized);
    EXPECT_EQ(sized.left, r.left);
    EXPECT_EQ(sized.right - sized.left, 40);
}

TEST_F(WindowTest, DeferredMovesApplyTogetherAndABadWindowDropsTheBatch) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{0, 0, 10, 10});
    HWND b = make_child(top, 2, RECT{0, 0, 10, 10});
    HDWP batch = BeginDeferWindowPos(2);
    batch = DeferWindowPos(batch, a, nullptr, 1, 2, 30, 40, SWP_NOZORDER);
    batch = DeferWindowPos(batch, b, nullptr, 50, 60, 10, 10, SWP_NOZORDER);
    RECT r;
    GetClientRect(a, &r);
    EXPECT_EQ(r.right, 10);  // nothing moved yet
    ASSERT_TRUE(EndDeferWindowPos(batch));
    GetClientRect(a, &r);
    EXPECT_EQ(r, (RECT{0, 0, 30, 40}));
    POINT p{0, 0};
    MapWindowPoints(b, top, &p, 1);
    EXPECT_EQ(p, (POINT{50, 60}));

    batch = BeginDeferWindowPos(1);
    DestroyWindow(b);
    EXPECT_EQ(DeferWindowPos(batch, b, nullptr, 0, 0, 1, 1, 0), nullptr);
}

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    RECT client;  // of a 200x100 window
};

TEST_F(WindowTest, ClientAreaFollowsStylesAndMetrics) {
    const FrameCase cases[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, 0, {4, 23, 196, 96}},
        {"dialog frame", WS_POPUP | WS_CAPTION, 0, {3, 22, 197, 97}},
        {"border", WS_POPUP | WS_BORDER, 0, {1, 1, 199, 99}},
        {"client edge", WS_POPUP, WS_EX_CLIENTEDGE, {2, 2, 198, 98}},
        {"tool window", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {3, 18, 197, 97}},
        {"scroll bars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 184, 84}},
    };
    for (const auto& c : cases) {
        HWND hwnd =
            CreateWindowEx(c.ex_style, kLogClass, "", c.style, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        RECT client;
        GetClientRect(hwnd, &client);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        RECT placed{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
        EXPECT_EQ(placed, c.client) << c.name;
        RECT adjusted = c.client;
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            AdjustWindowRectEx(&adjusted, c.style, FALSE, c.ex_style);
            EXPECT_EQ(adjusted, (RECT{0, 0, 200, 100})) << c.name;
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowTest, HitTestNamesEachPartOfTheFrame) {
    HWND hwnd = CreateWindowEx(0, kLogClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               CreateMenu(), nullptr, nullptr);
    AppendMenu(GetMenu(hwnd), MF_STRING, 1, "&File");
    DrawMenuBar(hwnd);
    struct Case {
        POINT p;
        LRESULT hit;
    } cases[] = {
        {{150, 10}, HTCAPTION},   {{5, 10}, HTSYSMENU},        {{290, 10}, HTCLOSE},   {{150, 30}, HTMENU},
        {{270, 10}, HTMAXBUTTON}, {{255, 10}, HTMINBUTTON},    {{245, 10}, HTCAPTION}, {{150, 100}, HTCLIENT},
        {{1, 100}, HTLEFT},       {{298, 100}, HTRIGHT},       {{150, 1}, HTTOP},      {{150, 198}, HTBOTTOM},
        {{1, 1}, HTTOPLEFT},      {{298, 198}, HTBOTTOMRIGHT}, {{400, 10}, HTNOWHERE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(c.p.x, c.p.y)), c.hit) << c.p.x << "," << c.p.y;
    }
}

TEST_F(WindowTest, WindowFromPointSkipsHiddenAndDisabledChildrenAndHonoursRegions) {
    HWND top = make_top();
    HWND hidden = make_child(top, 1, RECT{0, 0, 50, 50}, WS_CHILD);
    HWND disabled = make_child(top, 2, RECT{50, 0, 100, 50}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND plain = make_child(top, 3, RECT{100, 0, 150, 50});
    (void)hidden;
    (void)disabled;
    EXPECT_EQ(WindowFromPoint(POINT{110, 110}), top);
    EXPECT_EQ(WindowFromPoint(POINT{160, 110}), top);
    EXPECT_EQ(WindowFromPoint(POINT{210, 110}), plain);
    // A triangle leaves the top-right corner of the window outside it.
    RECT frame;
    GetWindowRect(top, &frame);
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    POINT triangle[] = {{0, 0}, {0, h}, {w, h}};
    SetWindowRgn(top, CreatePolygonRgn(triangle, 3, ALTERNATE), TRUE);
    EXPECT_EQ(WindowFromPoint(POINT{frame.right - 3, frame.top + 3}), nullptr);
    EXPECT_EQ(WindowFromPoint(POINT{frame.left + 3, frame.bottom - 3}), top);
}

TEST_F(WindowTest, TextLongsAndPropertiesRoundTrip) {
    HWND top = make_top("first");
    char buffer[4];
    EXPECT_EQ(GetWindowText(top, buffer, sizeof buffer), 3);  // cut to fit, terminated
    EXPECT_STREQ(buffer, "fir");
    SetWindowText(top, "second");
    EXPECT_EQ(GetWindowTextLength(top), 6);
    SetWindowLongPtr(top, GWL_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(top, GWL_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtr(top, 4096), 0);  // beyond the extra bytes
    SetProp(top, "Key", reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(top, "KEY"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(RemoveProp(top, "key"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(top, "Key"), nullptr);
}

TEST_F(WindowTest, TopLevelHandlesFitInThirtyOneBitsAndChildHandlesDoNotCollide) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{0, 0, 5, 5});
    EXPECT_LT(value_of(top), 0x80000000u);
    EXPECT_NE(value_of(top), value_of(child));
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(WindowTest, DraggingTheCaptionMovesAndEscapePutsBack) {
    HWND top = make_top("drag");
    pump();
    RECT start;
    GetWindowRect(top, &start);
    struct Case {
        const char* name;
        int end_key;  // 0: release the button
        POINT expected_origin;
    } cases[] = {
        {"released", 0, {start.left + 30, start.top + 30}},
        {"escaped", VK_ESCAPE, {start.left + 30, start.top + 30}},  // back where the second drag began
    };
    for (const auto& c : cases) {
        RECT before;
        GetWindowRect(top, &before);
        POINT from{before.left + 60, before.top + 10};
        display.move(nullptr, from);
        display.button(nullptr, from, true);
        display.move(nullptr, POINT{from.x + 30, from.y + 30});
        if (c.end_key) {
            inject_key_press(c.end_key);
        } else {
            display.button(nullptr, POINT{from.x + 30, from.y + 30}, false);
        }
        pump();
        RECT after;
        GetWindowRect(top, &after);
        EXPECT_EQ((POINT{after.left, after.top}), c.expected_origin) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        kit::user::inject_mouse_button(kit::user::MouseButton::left, false, from);
        pump();
    }
}

// A double click on the caption maximizes a window with a maximize box and restores it the
// next time; a window without one keeps its place.
TEST_F(WindowTest, ADoubleClickOnTheCaptionMaximizesAndRestores) {
    auto double_click_caption = [this](HWND top) {
        RECT r;
        GetWindowRect(top, &r);
        POINT at{r.left + 60, r.top + 10};
        for (int i = 0; i < 2; ++i) {
            display.button(nullptr, at, true);
            display.button(nullptr, at, false);
        }
        pump();
    };
    HWND top = make_top("boxes");
    pump();
    RECT normal;
    GetWindowRect(top, &normal);
    double_click_caption(top);
    EXPECT_TRUE(IsZoomed(top));
    double_click_caption(top);
    EXPECT_FALSE(IsZoomed(top));
    RECT restored;
    GetWindowRect(top, &restored);
    EXPECT_TRUE(EqualRect(&restored, &normal));

    HWND fixed = make_top("no boxes", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
    pump();
    double_click_caption(fixed);
    EXPECT_FALSE(IsZoomed(fixed));
}

// The caption's boxes act when the button goes up over them: maximize, then restore in its
// place, minimize, close. A release off the box, Escape or a box the style leaves without
// effect change nothing; a box held down shows sunken and comes back up when the pointer
// leaves it.
TEST_F(WindowTest, TheCaptionBoxesMaximizeRestoreMinimizeAndClose) {
    // The boxes by their distance from the window's right edge, and a point on the caption's
    // text by its distance from the left.
    const POINT close_box{-13, 12}, maximize_box{-29, 12}, minimize_box{-43, 12}, title{60, 12};
    auto on_screen = [](HWND top, POINT p) {
        RECT r;
        GetWindowRect(top, &r);
        return POINT{p.x < 0 ? r.right + p.x : r.left + p.x, r.top + p.y};
    };
    auto click = [&](HWND top, POINT box, POINT release) {
        display.button(nullptr, on_screen(top, box), true);
        display.move(nullptr, on_screen(top, release));
        display.button(nullptr, on_screen(top, release), false);
        pump();
    };
    HWND top = make_top("boxes");
    pump();
    click(top, maximize_box, maximize_box);
    ASSERT_TRUE(IsZoomed(top));
    click(top, maximize_box, maximize_box);  // the restore box now
    EXPECT_FALSE(IsZoomed(top));
    click(top, maximize_box, title);
    EXPECT_FALSE(IsZoomed(top)) << "released off the box";
    display.button(nullptr, on_screen(top, maximize_box), true);
    inject_key_press(VK_ESCAPE);
    pump();
    kit::user::inject_mouse_button(kit::user::MouseButton::left, false, on_screen(top, maximize_box));
    pump();
    EXPECT_FALSE(IsZoomed(top)) << "Escape while held";
    EXPECT_EQ(GetCapture(), nullptr);
    click(top, minimize_box, minimize_box);
    EXPECT_TRUE(IsIconic(top));
    ShowWindow(top, SW_RESTORE);

    HWND no_maximize = make_top("no maximize", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
    pump();
    click(no_maximize, maximize_box, maximize_box);
    EXPECT_FALSE(IsZoomed(no_maximize));
    click(no_maximize, minimize_box, minimize_box);
    EXPECT_TRUE(IsIconic(no_maximize));

    // Held down, the box is drawn sunken (its face moves), and raised again off it.
    auto box_pixels = [&] {
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(top, &picture));
        std::vector<gdi::Pixel> pixels;
        for (int y = 6; y < 20; ++y)
            for (int x = 172; x < 186; ++x) pixels.push_back(picture.at(x, y));
        return pixels;
    };
    const auto raised = box_pixels();
    std::vector<gdi::Pixel> held, left;
    display.then([&] {
        held = box_pixels();
        display.move(nullptr, on_screen(top, title));
    });
    display.then([&] {
        left = box_pixels();
        display.button(nullptr, on_screen(top, title), false);
    });
    display.button(nullptr, on_screen(top, maximize_box), true);
    pump();
    EXPECT_NE(held, raised);
    EXPECT_EQ(left, raised);

    click(top, close_box, close_box);
    EXPECT_FALSE(IsWindow(top));
}

// Minimized from maximized, a window comes back maximized and keeps its normal place for the
// restore after; shown normal instead, it goes straight to that place.
TEST_F(WindowTest, AWindowMinimizedFromMaximizedIsRestoredMaximized) {
    HWND top = make_top("boxes");
    pump();
    RECT normal, maximized, now;
    GetWindowRect(top, &normal);
    ShowWindow(top, SW_SHOWMAXIMIZED);
    GetWindowRect(top, &maximized);
    for (int restore_command : {SW_RESTORE, SW_SHOWNORMAL}) {
        ShowWindow(top, SW_SHOWMAXIMIZED);
        ShowWindow(top, SW_MINIMIZE);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(top, &placement);
        EXPECT_EQ(placement.showCmd, UINT(SW_SHOWMINIMIZED));
        EXPECT_EQ(placement.flags, WPF_RESTORETOMAXIMIZED);
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &normal));
        ShowWindow(top, restore_command);
        GetWindowRect(top, &now);
        EXPECT_EQ(bool(IsZoomed(top)), restore_command == SW_RESTORE) << restore_command;
        EXPECT_TRUE(EqualRect(&now, restore_command == SW_RESTORE ? &maximized : &normal)) << restore_command;
        ShowWindow(top, SW_RESTORE);
        GetWindowRect(top, &now);
        EXPECT_FALSE(IsZoomed(top));
        EXPECT_TRUE(EqualRect(&now, &normal)) << restore_command;
    }
    // Minimized from its normal place, it comes back there.
    ShowWindow(top, SW_MINIMIZE);
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(top));
    GetWindowRect(top, &now);
    EXPECT_TRUE(EqualRect(&now, &normal));
}

// Every change of state repaints the caption's boxes for the new state, also where the window
// keeps its place (minimized by its box and brought back maximized, maximized again from
// minimized, minimized from normal), and tells the window its kind of size.
TEST_F(WindowTest, TheCaptionBoxesAndTheSizeKindFollowEveryChangeOfState) {
    static std::vector<WPARAM> kinds;
    kinds.clear();
    set_proc_hook([](HWND, UINT message, WPARAM wParam, LPARAM, bool*) -> LRESULT {
        if (message == WM_SIZE) kinds.push_back(wParam);
        return 0;
    });
    HWND top = make_top("states");
    pump();
    constexpr int kMinimizeBox = -1;  // a click on the caption's minimize box
    const struct {
        int command;
        WPARAM kind;
    } steps[] = {
        {SW_SHOWMAXIMIZED, SIZE_MAXIMIZED}, {kMinimizeBox, SIZE_MINIMIZED},     {SW_RESTORE, SIZE_MAXIMIZED},
        {kMinimizeBox, SIZE_MINIMIZED},     {SW_SHOWMAXIMIZED, SIZE_MAXIMIZED}, {SW_RESTORE, SIZE_RESTORED},
        {SW_MINIMIZE, SIZE_MINIMIZED},      {SW_RESTORE, SIZE_RESTORED},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        if (steps[i].command == kMinimizeBox) {
            RECT r;
            GetWindowRect(top, &r);
            const POINT box{r.right - 43, r.top + 12};
            display.button(nullptr, box, true);
            display.button(nullptr, box, false);
        } else {
            ShowWindow(top, steps[i].command);
        }
        pump();
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(top, &picture)) << "step " << i;
        ASSERT_FALSE(kinds.empty());
        EXPECT_EQ(kinds.back(), steps[i].kind) << "step " << i;
        EXPECT_EQ(bool(IsIconic(top)), steps[i].kind == SIZE_MINIMIZED) << "step " << i;
        EXPECT_EQ(bool(IsZoomed(top)), steps[i].kind == SIZE_MAXIMIZED) << "step " << i;
    }
}

// A drag faster than the window can follow puts the pointer over another
// window: the capture holds through the drag, so the frame still follows and
// the other window hears nothing.
TEST_F(WindowTest, AFastCaptionDragKeepsThePointer) {
    HWND other = make_top("other");
    SetWindowPos(other, nullptr, 600, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND top = make_top("drag");
    pump();
    static HWND heard_for = nullptr;
    static int heard = 0;
    heard_for = other;
    heard = 0;
    set_proc_hook([](HWND hwnd, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (hwnd == heard_for && m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ++heard;
        return 0;
    });
    RECT start;
    GetWindowRect(top, &start);
    const POINT from{start.left + 60, start.top + 10};
    RECT far_window;
    GetWindowRect(other, &far_window);
    const POINT over_other{far_window.left + 50, far_window.top + 60};
    HWND held_by = nullptr;
    display.move(nullptr, from);
    display.button(nullptr, from, true);
    display.move(nullptr, over_other);  // one jump, well past the frame's edge
    display.then([&] {
        held_by = GetCapture();
        display.move(nullptr, POINT{over_other.x + 5, over_other.y + 5});
        display.button(nullptr, POINT{over_other.x + 5, over_other.y + 5}, false);
    });
    pump();
    EXPECT_EQ(held_by, top) << "the drag held the capture while the pointer was elsewhere";
    RECT after;
    GetWindowRect(top, &after);
    EXPECT_EQ((POINT{after.left, after.top}),
              (POINT{start.left + over_other.x + 5 - from.x, start.top + over_other.y + 5 - from.y}));
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowTest, SizingByTheCornerStopsAtTheMinimum) {
    HWND top = make_top("size");
    pump();
    RECT r;
    GetWindowRect(top, &r);
    POINT corner{r.right - 2, r.bottom - 2};
    display.move(nullptr, corner);
    display.button(nullptr, corner, true);
    display.move(nullptr, POINT{r.left - 500, r.top - 500});
    display.button(nullptr, POINT{r.left - 500, r.top - 500}, false);
    pump();
    RECT after;
    GetWindowRect(top, &after);
    EXPECT_EQ(after.right - after.left, GetSystemMetrics(SM_CXMIN));
    EXPECT_EQ(after.bottom - after.top, GetSystemMetrics(SM_CYMIN));
    EXPECT_EQ((POINT{after.left, after.top}), (POINT{r.left, r.top}));
}

TEST_F(WindowTest, ARightClickAsksTheParentForAContextMenu) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{10, 10, 50, 50});
    static std::vector<std::pair<HWND, POINT>> asked;
    asked.clear();
    set_proc_hook([](HWND hwnd, UINT m, WPARAM w, LPARAM l, bool*) -> LRESULT {
        if (m == WM_CONTEXTMENU) asked.emplace_back(reinterpret_cast<HWND>(w), POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        (void)hwnd;
        return 0;
    });
    pump();
    display.click(child, POINT{5, 6}, kit::user::MouseButton::right);
    pump();
    ASSERT_EQ(asked.size(), 2u);  // child and parent
    EXPECT_EQ(asked[0].first, child);
    EXPECT_EQ(asked[0].second, (POINT{115, 116}));
    EXPECT_EQ(asked[1].first, child);  // the parent hears which window was clicked
}

// Shift+F10 and the context-menu key ask the window with the keyboard for its menu with
// no point: it places the menu itself. Shift may be let go before F10.
TEST_F(WindowTest, TheKeyboardAsksTheFocusForAContextMenuWithNoPoint) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{10, 10, 50, 50});
    static std::vector<std::pair<HWND, POINT>> asked;
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM l, bool*) -> LRESULT {
        if (m == WM_CONTEXTMENU) asked.emplace_back(reinterpret_cast<HWND>(w), POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        return 0;
    });
    pump();
    struct Key {
        int vk;
        bool down;
    };
    struct Case {
        const char* keys;
        std::vector<Key> events;
        bool asks;
    } cases[] = {
        {"Shift+F10", {{VK_SHIFT, true}, {VK_F10, true}, {VK_F10, false}, {VK_SHIFT, false}}, true},
        {"Shift+F10, Shift let go first", {{VK_SHIFT, true}, {VK_F10, true}, {VK_SHIFT, false}, {VK_F10, false}}, true},
        {"context-menu key", {{VK_APPS, true}, {VK_APPS, false}}, true},
        {"Shift+F9", {{VK_SHIFT, true}, {VK_F9, true}, {VK_F9, false}, {VK_SHIFT, false}}, false},
    };
    for (const Case& c : cases) {
        asked.clear();
        SetFocus(child);
        for (const Key& key : c.events) kit::user::inject_key(key.vk, key.down);
        pump();
        if (!c.asks) {
            EXPECT_TRUE(asked.empty()) << c.keys;
            continue;
        }
        ASSERT_EQ(asked.size(), 2u) << c.keys;  // the focus, then its parent
        EXPECT_EQ(asked[0].first, child) << c.keys;
        EXPECT_EQ(asked[1].first, child) << c.keys;
        EXPECT_EQ(asked[1].second, (POINT{-1, -1})) << c.keys;
    }
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(WindowTest, TheWindowOwnsItsRegionAndGivesCopies) {
    HWND top = make_top();
    HRGN shape = CreateRectRgn(0, 0, 50, 40);
    EXPECT_EQ(GetWindowRgn(top, shape), 0);  // none yet
    SetWindowRgn(top, shape, FALSE);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(top, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, (RECT{0, 0, 50, 40}));
    DeleteObject(copy);
    RECT frame;
    GetWindowRect(top, &frame);
    EXPECT_EQ(WindowFromPoint(POINT{frame.left + 60, frame.top + 5}), nullptr);
    SetWindowRgn(top, nullptr, FALSE);  // back to the rectangle
    EXPECT_EQ(WindowFromPoint(POINT{frame.left + 60, frame.top + 5}), top);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(WindowTest, TheDesktopCoversTheScreenAndNeverTakesTheMouse) {
    HWND desktop = GetDesktopWindow();
    EXPECT_EQ(GetDesktopWindow(), desktop);
    RECT r;
    GetWindowRect(desktop, &r);
    EXPECT_EQ(r, (RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), nullptr);
}

}  // namespace
}  // namespace user_test
