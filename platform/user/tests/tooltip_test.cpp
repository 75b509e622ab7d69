// Tooltips: the delays on the virtual clock, the tools and their areas,
// text asked for through TTN_NEEDTEXT, hiding, and the tip's picture.
#include <cstring>
#include <string>
#include <vector>

#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

// What the owner heard, and how it answers TTN_NEEDTEXT.
std::vector<UINT> heard;
NMTTDISPINFO last_request;
void (*answer)(NMTTDISPINFO*) = nullptr;

LRESULT owner_hook(HWND, UINT m, WPARAM, LPARAM l, bool* handled) {
    if (m != WM_NOTIFY) return 0;
    auto* header = reinterpret_cast<NMHDR*>(l);
    heard.push_back(header->code);
    if (header->code == TTN_NEEDTEXT) {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(l);
        last_request = *info;
        if (answer) answer(info);
    }
    *handled = true;
    return 0;
}

class TooltipTest : public TestFontTest {
protected:
    void SetUp() override {
        TestFontTest::SetUp();
        heard.clear();
        answer = nullptr;
        set_proc_hook(owner_hook);
        top = make_top();
        tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, top, nullptr, nullptr,
                             nullptr);
        pump();
    }
    TOOLINFO tool(UINT_PTR id, RECT r, const char* text, UINT flags = 0) {
        TOOLINFO info{sizeof(TOOLINFO), flags, top, id, r, nullptr, const_cast<char*>(text), LPARAM(id * 100)};
        return info;
    }
    BOOL add(TOOLINFO info) { return BOOL(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info))); }
    // Moves the pointer to a client point of `hwnd` and relays the move, as an owner does.
    void hover(HWND hwnd, POINT p) {
        display.move(hwnd, p);
        pump();
        relay(hwnd, WM_MOUSEMOVE, p);
    }
    void relay(HWND hwnd, UINT message, POINT p) {
        MSG msg{hwnd, message, 0, MAKELPARAM(p.x, p.y), 0, {}};
        SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    void wait(std::uint64_t ms) {
        display.advance(ms);
        pump();
    }
    bool shown() { return IsWindowVisible(tip) != FALSE; }
    std::string tip_text() {
        char text[200] = {};
        GetWindowText(tip, text, int(sizeof text));
        return text;
    }

    HWND top = nullptr;
    HWND tip = nullptr;
};

TEST_F(TooltipTest, ShowsAfterTheInitialDelayAndPopsLater) {
    // Made without it, a tip is topmost all the same: a window manager never takes it for a window.
    EXPECT_TRUE(GetWindowLong(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(add(tool(1, RECT{10, 10, 60, 40}, "Open")));
    EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
    EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);

    hover(top, POINT{20, 20});
    wait(300);
    hover(top, POINT{30, 25});  // still the same tool: the wait goes on
    wait(199);
    EXPECT_FALSE(shown());
    wait(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(tip_text(), "Open");
    EXPECT_EQ(heard, (std::vector<UINT>{TTN_SHOW}));

    // Below the pointer.
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_EQ(r.left, cursor.x);
    EXPECT_EQ(r.top, cursor.y + GetSystemMetrics(SM_CYCURSOR) * 5 / 8);

    wait(4999);
    EXPECT_TRUE(shown());
    wait(1);
    EXPECT_FALSE(shown());
    EXPECT_EQ(heard.back(), TTN_POP);
}

TEST_F(TooltipTest, MovingBetweenToolsUsesTheShorterDelay) {
    add(tool(1, RECT{10, 10, 60, 40}, "One"));
    add(tool(2, RECT{70, 10, 120, 40}, "Two"));
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 1000);
    EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 200);

    hover(top, POINT{20, 20});
    wait(1000);
    ASSERT_TRUE(shown());
    hover(top, POINT{80, 20});
    EXPECT_FALSE(shown()) << "the old tip goes at once";
    wait(200);
    EXPECT_TRUE(shown());
    EXPECT_EQ(tip_text(), "Two");

    hover(top, POINT{150, 100});  // off every tool
    EXPECT_FALSE(shown());
    wait(5000);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, ClicksAndDeactivationKeepTheTipAway) {
    add(tool(1, RECT{10, 10, 60, 40}, "Open"));
    hover(top, POINT{20, 20});
    wait(500);
    ASSERT_TRUE(shown());
    relay(top, WM_LBUTTONDOWN, POINT{20, 20});
    EXPECT_FALSE(shown());
    hover(top, POINT{25, 20});
    wait(1000);
    EXPECT_FALSE(shown()) << "not again until the pointer leaves the tool";

    hover(top, POINT{150, 100});
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    hover(top, POINT{20, 20});
    wait(1000);
    EXPECT_FALSE(shown());
    SendMessage(tip, TTM_ACTIVATE, TRUE, 0);
    hover(top, POINT{150, 100});
    hover(top, POINT{20, 20});
    wait(500);
    EXPECT_TRUE(shown());
}

TEST_F(TooltipTest, WithoutAlwaysTipOnlyTheActiveWindowsToolsShow) {
    HWND picky = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, top, nullptr, nullptr, nullptr);
    TOOLINFO info = tool(1, RECT{10, 10, 60, 40}, "Open");
    SendMessage(picky, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
    for (bool active : {false, true}) {
        SetActiveWindow(active ? top : make_top("other"));
        pump();
        hover(top, POINT{20, 20});
        MSG msg{top, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), 0, {}};
        SendMessage(picky, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        wait(500);
        EXPECT_EQ(IsWindowVisible(picky) != FALSE, active) << (active ? "active" : "inactive");
        msg.lParam = MAKELPARAM(190, 5);
        SendMessage(picky, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}

TEST_F(TooltipTest, ToolsAreKeptByWindowAndId) {
    HWND child = make_child(top, 5, RECT{100, 60, 180, 100});
    TOOLINFO short_info = tool(9, RECT{}, "x");
    short_info.cbSize = 8;
    EXPECT_FALSE(add(short_info));
    EXPECT_TRUE(add(tool(1, RECT{10, 10, 60, 40}, "Rect")));
    EXPECT_TRUE(add(tool(reinterpret_cast<UINT_PTR>(child), RECT{}, "Child", TTF_IDISHWND)));
    EXPECT_TRUE(add(tool(1, RECT{10, 10, 60, 40}, "Again")));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2) << "adding a tool again replaces it";

    TOOLINFO moved = tool(1, RECT{0, 100, 50, 140}, nullptr);
    SendMessage(tip, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&moved));

    struct Case {
        HWND hwnd;
        POINT at;
        const char* text;
    };
    const Case cases[] = {
        {top, POINT{20, 20}, ""},        // the old area of the moved tool
        {top, POINT{20, 120}, "Again"},  // its new one
        {child, POINT{5, 5}, "Child"},   // anywhere on a window tool
        {top, POINT{190, 5}, ""},
    };
    for (const Case& c : cases) {
        hover(c.hwnd, c.at);
        wait(500);
        EXPECT_EQ(shown() ? tip_text() : std::string(), c.text) << c.at.x << "," << c.at.y;
        hover(top, POINT{190, 5});
    }

    char buffer[80] = {};
    TOOLINFO read = tool(1, RECT{}, buffer);
    ASSERT_TRUE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_STREQ(buffer, "Again");
    EXPECT_EQ(read.rect.top, 100);

    SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_FALSE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&read)));
}

TEST_F(TooltipTest, CallbackTextComesFromTheOwner) {
    struct Case {
        const char* name;
        void (*answer)(NMTTDISPINFO*);
        std::string shown;
    };
    const Case cases[] = {
        {"in the buffer", [](NMTTDISPINFO* i) { std::strcpy(i->szText, "Buffered"); }, "Buffered"},
        {"a pointer", [](NMTTDISPINFO* i) { i->lpszText = const_cast<char*>("Pointed"); }, "Pointed"},
        {"nothing", [](NMTTDISPINFO*) {}, ""},
        {"a full buffer without an end", [](NMTTDISPINFO* i) { std::memset(i->szText, 'x', sizeof i->szText); },
         std::string(80, 'x')},
    };
    add(tool(3, RECT{10, 10, 60, 40}, LPSTR_TEXTCALLBACK));
    for (const Case& c : cases) {
        answer = c.answer;
        hover(top, POINT{20, 20});
        wait(500);
        EXPECT_EQ(shown() ? tip_text() : std::string(), c.shown) << c.name;
        EXPECT_EQ(last_request.hdr.hwndFrom, tip);
        EXPECT_EQ(last_request.hdr.idFrom, 3u);
        EXPECT_EQ(last_request.lParam, 300);
        hover(top, POINT{190, 5});
    }
}

TEST_F(TooltipTest, Picture) {
    add(tool(1, RECT{10, 10, 60, 40}, "Open a file"));
    hover(top, POINT{20, 20});
    wait(500);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(matches_snapshot("tooltip", tip));
}

}  // namespace
}  // namespace user_test
