// Spin buttons: range and position, the buddy's text, steps by click, hold,
// and the buddy's arrow keys, with the parent's notifications.
#include <string>
#include <vector>

#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

std::vector<std::string> heard;
bool refuse_steps = false;
bool destroy_on_step = false;

LRESULT parent_hook(HWND, UINT m, WPARAM w, LPARAM l, bool* handled) {
    if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == UDN_DELTAPOS) {
        auto* change = reinterpret_cast<NMUPDOWN*>(l);
        heard.push_back("delta " + std::to_string(change->iPos) + " " + std::to_string(change->iDelta));
        if (destroy_on_step) DestroyWindow(change->hdr.hwndFrom);
        *handled = true;
        return refuse_steps;
    }
    if (m == WM_VSCROLL || m == WM_HSCROLL) {
        std::string code = LOWORD(w) == SB_THUMBPOSITION ? "position " + std::to_string(short(HIWORD(w))) : "end";
        heard.push_back(std::string(m == WM_VSCROLL ? "v " : "h ") + code);
        *handled = true;
    }
    return 0;
}

class UpDownTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        heard.clear();
        refuse_steps = false;
        destroy_on_step = false;
        set_proc_hook(parent_hook);
        top = make_top();
    }
    HWND make_spin(DWORD style, HWND buddy = nullptr) {
        HWND spin = CreateWindowEx(0, UPDOWN_CLASS, "", WS_CHILD | WS_VISIBLE | style, 150, 10, 16, 24, top,
                                   reinterpret_cast<HMENU>(std::uintptr_t(4)), nullptr, nullptr);
        if (buddy) SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        return spin;
    }
    HWND make_edit() {
        return CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 80, 24, top, nullptr, nullptr,
                              nullptr);
    }
    static std::string text_of(HWND hwnd) {
        char text[64] = {};
        GetWindowText(hwnd, text, int(sizeof text));
        return text;
    }
    HWND top = nullptr;
};

TEST_F(UpDownTest, RangeAndPosition) {
    HWND spin = make_spin(0);
    EXPECT_EQ(SendMessage(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100)) << "upper 0, lower 100";
    SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(10, 0));

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        int pos_after;
    };
    const Case cases[] = {
        {UDM_SETPOS, 0, MAKELPARAM(7, 0), 0, 7},
        {UDM_SETPOS, 0, MAKELPARAM(15, 0), 7, 10},  // clamped to the upper end
        {UDM_SETPOS, 0, MAKELPARAM(-3, 0), 10, 0},
        {UDM_SETRANGE32, WPARAM(-500), 70000, 0, 0},
        {UDM_SETPOS32, 0, 65000, 0, 65000},
        {UDM_SETPOS32, 0, -900, 65000, -500},
        {UDM_SETBASE, 8, 0, 0, -500},  // only 10 and 16
        {UDM_SETBASE, 16, 0, 10, -500},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(spin, c.message, c.wParam, c.lParam), c.result) << c.message << " " << c.lParam;
        EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), c.pos_after) << c.message << " " << c.lParam;
    }
    int lower = 0, upper = 0;
    SendMessage(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, -500);
    EXPECT_EQ(upper, 70000);
    EXPECT_EQ(SendMessage(spin, UDM_GETBASE, 0, 0), 16);
}

TEST_F(UpDownTest, TheBuddyShowsAndGivesThePosition) {
    struct Case {
        DWORD style;
        WPARAM base;
        int pos;
        const char* text;
    };
    const Case cases[] = {
        {UDS_SETBUDDYINT, 10, 1234567, "1,234,567"}, {UDS_SETBUDDYINT, 10, -1234, "-1,234"},
        {UDS_SETBUDDYINT, 10, 999, "999"},           {UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 10, 1234, "1234"},
        {UDS_SETBUDDYINT, 16, 1234, "0x04D2"},       {0, 10, 1234, ""},  // the buddy's text is its own
    };
    for (const Case& c : cases) {
        HWND edit = make_edit();
        HWND spin = make_spin(c.style, edit);
        SendMessage(spin, UDM_SETRANGE32, WPARAM(-2000000), 2000000);
        SendMessage(spin, UDM_SETBASE, c.base, 0);
        SendMessage(spin, UDM_SETPOS32, 0, c.pos);
        EXPECT_EQ(text_of(edit), c.text) << c.pos;
        EXPECT_EQ(SendMessage(spin, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(edit));
        DestroyWindow(spin);
        DestroyWindow(edit);
    }

    // Typed text is read back; text that is no number is reported in the high word.
    HWND edit = make_edit();
    HWND spin = make_spin(UDS_SETBUDDYINT, edit);
    SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(100, 0));
    SetWindowText(edit, "4,2");
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS, 0, 0), MAKELONG(42, 0));
    SetWindowText(edit, "250");
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS, 0, 0), MAKELONG(100, 0)) << "clamped to the range";
    SetWindowText(edit, "forty");
    EXPECT_EQ(HIWORD(std::uintptr_t(SendMessage(spin, UDM_GETPOS, 0, 0))), 1);
    BOOL error = FALSE;
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 100);
    EXPECT_TRUE(error);
}

TEST_F(UpDownTest, AlignedToTheBuddyItTakesRoomFromIt) {
    HWND edit = make_edit();  // 10..90 across
    HWND spin = make_spin(UDS_ALIGNRIGHT, edit);
    RECT e, s;
    GetWindowRect(edit, &e);
    GetWindowRect(spin, &s);
    EXPECT_EQ(e.right - e.left, 80 - 16);
    EXPECT_EQ(s.left, e.right);
    EXPECT_EQ(s.bottom - s.top, 24);
}

TEST_F(UpDownTest, ClicksStepAndTellTheParent) {
    struct Case {
        const char* name;
        DWORD style;
        int lower, upper, pos;
        bool upper_arrow;
        bool refuse;
        int pos_after;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"up", 0, 0, 10, 5, true, false, 6, {"delta 5 1", "v position 6", "v end"}},
        {"down", 0, 0, 10, 5, false, false, 4, {"delta 5 -1", "v position 4", "v end"}},
        {"up on a reversed range", 0, 100, 0, 50, true, false, 49, {"delta 50 -1", "v position 49", "v end"}},
        {"held at the end", 0, 0, 10, 10, true, false, 10, {"delta 10 1", "v position 10", "v end"}},
        {"wrapping", UDS_WRAP, 0, 10, 10, true, false, 0, {"delta 10 1", "v position 0", "v end"}},
        {"refused", 0, 0, 10, 5, true, true, 5, {"delta 5 1", "v end"}},
        {"horizontal", UDS_HORZ, 0, 10, 5, true, false, 6, {"delta 5 1", "h position 6", "h end"}},
    };
    for (const Case& c : cases) {
        HWND spin = make_spin(c.style);
        SendMessage(spin, UDM_SETRANGE32, WPARAM(c.lower), c.upper);
        SendMessage(spin, UDM_SETPOS32, 0, c.pos);
        refuse_steps = c.refuse;
        heard.clear();
        bool horizontal = c.style & UDS_HORZ;
        POINT at =
            c.upper_arrow ? (horizontal ? POINT{12, 12} : POINT{8, 4}) : (horizontal ? POINT{3, 12} : POINT{8, 20});
        display.click(spin, at);
        pump();
        EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), c.pos_after) << c.name;
        EXPECT_EQ(heard, c.heard) << c.name;
        DestroyWindow(spin);
    }
}

TEST_F(UpDownTest, HoldingRepeatsAndSpeedsUp) {
    HWND spin = make_spin(0);
    SendMessage(spin, UDM_SETRANGE32, 0, 1000);
    const UDACCEL accels[] = {{0, 1}, {1, 10}};
    EXPECT_TRUE(SendMessage(spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accels)));
    UDACCEL read[3] = {};
    EXPECT_EQ(SendMessage(spin, UDM_GETACCEL, 3, reinterpret_cast<LPARAM>(read)), 2);
    EXPECT_EQ(read[1].nInc, 10u);

    display.button(spin, POINT{8, 4}, true);
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 1);
    display.advance(499);
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 1) << "not before the repeat delay";
    display.advance(1);
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 2);
    display.advance(500);  // a second held: steps of ten
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 12);
    display.button(spin, POINT{8, 4}, false);
    pump();
    display.advance(1000);
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 12) << "released: no more steps";
    EXPECT_EQ(heard.back(), "v end");
}

TEST_F(UpDownTest, AParentMayDestroyTheControlWhenAsked) {
    HWND edit = make_edit();
    HWND spin = make_spin(UDS_SETBUDDYINT | UDS_ARROWKEYS, edit);
    destroy_on_step = true;
    display.button(spin, POINT{8, 4}, true);
    display.advance(1000);
    display.button(spin, POINT{8, 4}, false);
    pump();
    EXPECT_FALSE(IsWindow(spin));
    EXPECT_EQ(heard, (std::vector<std::string>{"delta 0 -1", "v end"})) << "the capture went with it";
    // The buddy is its own again.
    SetFocus(edit);
    inject_key_press(VK_UP);
    pump();
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(UpDownTest, TheBuddysArrowKeysStepIt) {
    HWND edit = make_edit();
    HWND spin = make_spin(UDS_SETBUDDYINT | UDS_ARROWKEYS, edit);
    SendMessage(spin, UDM_SETRANGE32, 0, 10);
    SendMessage(spin, UDM_SETPOS32, 0, 3);
    SetFocus(edit);
    inject_key_press(VK_UP);
    inject_key_press(VK_UP);
    inject_key_press(VK_DOWN);
    pump();
    EXPECT_EQ(text_of(edit), "4");
    // Once the buddy changes, the old one's keys are its own again.
    HWND other = make_edit();
    SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0);
    SetFocus(edit);
    inject_key_press(VK_UP);
    pump();
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 4);
}

}  // namespace
}  // namespace user_test
