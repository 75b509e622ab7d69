// Focus, activation and capture transitions; mouse routing and double
// clicks; keys, characters and accelerators.
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class InputTest : public UserTest {};

TEST_F(InputTest, FocusAndActivationTransitions) {
    HWND first = make_top("first");
    HWND edit = make_child(first, 1, RECT{0, 0, 20, 20});
    HWND second = make_top("second");
    ASSERT_EQ(GetActiveWindow(), second);
    ASSERT_EQ(GetFocus(), second);
    take_log();

    struct Step {
        const char* name;
        HWND target;
        Log expected;
        HWND active, focus;
    } steps[] = {
        {"focus into the inactive window activates it first",
         edit,
         {"WM_NCACTIVATE", "WM_ACTIVATE", "WM_NCACTIVATE", "WM_ACTIVATE", "WM_KILLFOCUS", "WM_SETFOCUS", "WM_KILLFOCUS",
          "WM_SETFOCUS"},
         first,
         edit},
        {"focus within the active window", first, {"WM_KILLFOCUS", "WM_SETFOCUS"}, first, first},
        {"focus nowhere", nullptr, {"WM_KILLFOCUS"}, first, nullptr},
    };
    for (const auto& s : steps) {
        SetFocus(s.target);
        EXPECT_EQ(take_log(), s.expected) << s.name;
        EXPECT_EQ(GetActiveWindow(), s.active) << s.name;
        EXPECT_EQ(GetFocus(), s.focus) << s.name;
    }
}

TEST_F(InputTest, DestroyingTheActiveWindowActivatesTheNext) {
    HWND first = make_top("first");
    HWND second = make_top("second");
    ASSERT_EQ(GetActiveWindow(), second);
    DestroyWindow(second);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first);
}

TEST_F(InputTest, CaptureTransitionsNotifyTheLoser) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{0, 0, 20, 20});
    HWND b = make_child(top, 2, RECT{20, 0, 40, 20});
    static std::vector<std::pair<HWND, LPARAM>> changes;
    changes.clear();
    set_proc_hook([](HWND hwnd, UINT m, WPARAM, LPARAM l, bool*) -> LRESULT {
        if (m == WM_CAPTURECHANGED) changes.emplace_back(hwnd, l);
        return 0;
    });
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    ReleaseCapture();
    SetCapture(a);
    DestroyWindow(a);
    std::vector<std::pair<HWND, LPARAM>> expected = {{a, reinterpret_cast<LPARAM>(b)}, {b, 0}, {a, 0}};
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, CapturedMouseGoesToTheCaptureInItsClientCoordinates) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{10, 10, 30, 30});
    pump();
    SetCapture(a);
    display.move(nullptr, POINT{5, 5});  // far outside
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 5 - 110);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 5 - 110);
    ReleaseCapture();
}

// A display that reports the buttons held with each move: a move that finds
// the button of a drag up (its release went elsewhere) ends the drag as that
// release, and the display's own late report of it is not passed on.
TEST_F(InputTest, AMoveThatFindsTheButtonUpEndsTheDragAsItsRelease) {
    HWND top = make_top("drag");
    pump();
    RECT start;
    GetWindowRect(top, &start);
    const POINT from{start.left + 60, start.top + 10};  // on the caption
    const auto at = [&](int offset) { return POINT{from.x + offset, from.y + offset}; };
    const kit::user::HeldButtons left_held{true, false, false}, none_held{};
    display.move(nullptr, from, none_held);
    display.button(nullptr, from, true);
    display.move(nullptr, at(30), left_held);
    display.then([&] {
        EXPECT_EQ(GetCapture(), top) << "the caption drag runs";
        display.move(nullptr, at(50), none_held);
        display.move(nullptr, at(80), none_held);
    });
    pump();
    RECT after;
    GetWindowRect(top, &after);
    EXPECT_EQ((POINT{after.left, after.top}), (POINT{start.left + 30, start.top + 30}))
        << "the drag ended at the move that found the button up; later moves left the window alone";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
    take_log();

    display.button(nullptr, at(80), false);  // the display hears the release at last
    pump();
    EXPECT_EQ(take_log({"WM_LBUTTONUP"}), Log{}) << "a release already made is not made twice";
    display.button(nullptr, at(80), true);
    display.button(nullptr, at(80), false);
    pump();
    EXPECT_EQ(take_log({"WM_LBUTTONDOWN", "WM_LBUTTONUP"}), (Log{"WM_LBUTTONDOWN", "WM_LBUTTONUP"}))
        << "the next click is whole";
}

TEST_F(InputTest, ALeaveIsReportedOnceWhenThePointerGoesElsewhere) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{0, 0, 20, 20});
    HWND b = make_child(top, 2, RECT{20, 0, 40, 20});
    pump();
    static std::vector<HWND> left;
    left.clear();
    set_proc_hook([](HWND hwnd, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (m == WM_MOUSELEAVE) left.push_back(hwnd);
        return 0;
    });
    const auto track = [](HWND hwnd, DWORD flags = TME_LEAVE) {
        TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), flags, hwnd, 0};
        return TrackMouseEvent(&request);
    };
    display.move(a, POINT{5, 5});
    pump();
    EXPECT_TRUE(track(a));
    display.move(a, POINT{10, 10});  // still inside
    pump();
    EXPECT_TRUE(left.empty());
    display.move(b, POINT{5, 5});
    display.move(top, POINT{100, 100});
    pump();
    EXPECT_EQ(left, std::vector<HWND>{a}) << "once, and only for the window that asked";

    left.clear();
    EXPECT_TRUE(track(a));  // asked while outside: at once
    pump();
    EXPECT_EQ(left, std::vector<HWND>{a});

    left.clear();
    display.move(b, POINT{5, 5});
    pump();
    EXPECT_TRUE(track(b));
    EXPECT_TRUE(track(b, TME_LEAVE | TME_CANCEL));
    display.move(top, POINT{100, 100});
    pump();
    EXPECT_TRUE(left.empty()) << "cancelled";
    EXPECT_FALSE(track(nullptr)) << "no window";
}

struct ClickCase {
    const char* name;
    const char* cls;
    std::uint64_t gap_ms;
    int dx;
    Log expected;
};

TEST_F(InputTest, DoubleClicksNeedTheClassStyleAndComeQuickAndClose) {
    const ClickCase cases[] = {
        {"double",
         kDblClkClass,
         100,
         0,
         {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
        {"no class style",
         kLogClass,
         100,
         0,
         {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
        {"too slow",
         kDblClkClass,
         501,
         0,
         {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
        {"too far",
         kDblClkClass,
         100,
         3,
         {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
    };
    for (const auto& c : cases) {
        HWND top =
            CreateWindowEx(0, c.cls, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        pump();
        take_log();
        for (int i = 0; i < 3; ++i) {
            display.click(top, POINT{10 + i * c.dx, 10});
            pump();
            display.advance(c.gap_ms);
        }
        EXPECT_EQ(take_log({"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK"}), c.expected) << c.name;
        DestroyWindow(top);
        display.advance(1000);
    }
}

TEST_F(InputTest, AClickActivatesAnInactiveWindow) {
    HWND first = make_top("first");
    HWND second = make_top("second");
    MoveWindow(second, 500, 500, 100, 100, TRUE);
    ASSERT_EQ(GetActiveWindow(), second);
    pump();
    take_log();
    display.click(first, POINT{5, 5});
    pump();
    Log log = take_log({"WM_MOUSEACTIVATE", "WM_ACTIVATE", "WM_LBUTTONDOWN"});
    EXPECT_EQ(log, (Log{"WM_MOUSEACTIVATE", "WM_ACTIVATE", "WM_ACTIVATE", "WM_LBUTTONDOWN"}));
    EXPECT_EQ(GetActiveWindow(), first);
}

TEST_F(InputTest, KeysBecomeCharactersAfterTranslateAndKeyStateFollowsRetrieval) {
    HWND top = make_top();
    pump();
    take_log();
    display.chord(VK_SHIFT, 'A');
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);  // already released as injected
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));  // shift down
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);               // as of what was retrieved
    DispatchMessage(&msg);
    pump();
    Log log = take_log({"WM_KEYDOWN", "WM_KEYUP", "WM_CHAR"});
    EXPECT_EQ(log, (Log{"WM_KEYDOWN", "WM_KEYDOWN", "WM_CHAR", "WM_KEYUP", "WM_KEYUP"}));
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    (void)top;
}

TEST_F(InputTest, CharactersOfTheUsKeyboard) {
    struct Case {
        int vk;
        bool shift, control;
        int ch;
    } cases[] = {
        {'A', false, false, 'a'},        {'A', true, false, 'A'},         {'A', false, true, 1},
        {'1', true, false, '!'},         {VK_OEM_1, false, false, ';'},   {VK_OEM_7, true, false, '"'},
        {VK_RETURN, false, false, '\r'}, {VK_ESCAPE, false, false, 0x1B}, {VK_F1, false, false, 0},
    };
    HWND top = make_top();
    pump();
    for (const auto& c : cases) {
        static std::vector<int> chars;
        chars.clear();
        set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
            if (m == WM_CHAR) chars.push_back(int(w));
            return 0;
        });
        if (c.shift) kit::user::inject_key(VK_SHIFT, true);
        if (c.control) kit::user::inject_key(VK_CONTROL, true);
        display.press(c.vk);
        if (c.control) kit::user::inject_key(VK_CONTROL, false);
        if (c.shift) kit::user::inject_key(VK_SHIFT, false);
        pump();
        EXPECT_EQ(chars, c.ch ? std::vector<int>{c.ch} : std::vector<int>{}) << "vk " << c.vk;
    }
    (void)top;
}

TEST_F(InputTest, AltMakesSystemKeysAndAltReleasedAloneOpensTheMenuBar) {
    HWND top = make_top();
    pump();
    take_log();
    display.chord(VK_MENU, 'X');
    pump();
    Log log = take_log({"WM_SYSKEYDOWN", "WM_SYSCHAR", "WM_SYSKEYUP", "WM_KEYUP"});
    EXPECT_EQ(log, (Log{"WM_SYSKEYDOWN", "WM_SYSKEYDOWN", "WM_SYSCHAR", "WM_SYSKEYUP", "WM_KEYUP"}));
    (void)top;
}

// The loop the programs run: accelerators first, then translation.
void run_with_accelerators(HWND hwnd, HACCEL table) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAccelerator(hwnd, table, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

TEST_F(InputTest, AnAcceleratorFiresInsteadOfTheCharacterItWouldMake) {
    HWND top = make_top();
    SetMenu(top, CreateMenu());
    AppendMenu(GetMenu(top), MF_STRING, 200, "Grayed");
    EnableMenuItem(GetMenu(top), 200, MF_GRAYED);
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY, VK_F5, 101}, {0, 'q', 102}, {FVIRTKEY, VK_F6, 200}};
    HACCEL table = CreateAcceleratorTable(keys, 4);
    run_with_accelerators(top, table);
    static std::vector<std::string> seen;
    seen.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
        if (m == WM_COMMAND) seen.push_back("cmd " + std::to_string(LOWORD(w)) + "/" + std::to_string(HIWORD(w)));
        if (m == WM_CHAR) seen.push_back(std::string("char ") + char(w));
        return 0;
    });
    display.chord(VK_CONTROL, 'S');
    display.press('S');
    display.press(VK_F5);
    display.press('Q');
    display.press(VK_F6);
    run_with_accelerators(top, table);
    EXPECT_EQ(seen, (Log{"cmd 100/1", "char s", "cmd 101/1", "cmd 102/1"}));
    DestroyAcceleratorTable(table);
    MSG msg{top, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_EQ(TranslateAccelerator(top, table, &msg), 0);  // a destroyed table translates nothing
}

TEST_F(InputTest, TheWheelTurnsWhatHasTheFocus) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{0, 0, 20, 20});
    SetFocus(child);
    pump();
    kit::user::inject_mouse_wheel(-120, POINT{500, 500});
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_EQ(short(HIWORD(msg.wParam)), -120);
}

}  // namespace
}  // namespace user_test
