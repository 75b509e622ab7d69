// Focus moves: which window hears WM_KILLFOCUS and WM_SETFOCUS, and the
// window each names in wParam, when a handler moves the focus on its own.
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

struct FocusMessage {
    HWND target;
    const char* message;
    HWND named;  // wParam: the window gaining (kill) or losing (set) the focus
    bool operator==(const FocusMessage&) const = default;
};

void PrintTo(const FocusMessage& m, std::ostream* out) {
    *out << m.message << " to " << m.target << " naming " << m.named;
}

std::vector<FocusMessage> focus_messages;
HWND redirect_from = nullptr;  // its WM_KILLFOCUS moves the focus to redirect_to, once
HWND redirect_to = nullptr;

LRESULT log_focus(HWND hwnd, UINT message, WPARAM wParam, LPARAM, bool*) {
    if (message != WM_KILLFOCUS && message != WM_SETFOCUS) return 0;
    focus_messages.push_back(
        {hwnd, message == WM_KILLFOCUS ? "WM_KILLFOCUS" : "WM_SETFOCUS", reinterpret_cast<HWND>(wParam)});
    if (message == WM_KILLFOCUS && hwnd == redirect_from && redirect_to) {
        HWND to = redirect_to;
        redirect_to = nullptr;
        SetFocus(to);
    }
    return 0;
}

class FocusTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        top = make_top();
        a = make_child(top, 1, RECT{0, 0, 20, 20});
        b = make_child(top, 2, RECT{20, 0, 40, 20});
        c = make_child(top, 3, RECT{40, 0, 60, 20});
        SetFocus(a);
        focus_messages.clear();
        redirect_from = redirect_to = nullptr;
        set_proc_hook(log_focus);
    }

    HWND top = nullptr, a = nullptr, b = nullptr, c = nullptr;
};

TEST_F(FocusTest, EachSideNamesTheOther) {
    EXPECT_EQ(SetFocus(b), a);
    const std::vector<FocusMessage> expected = {{a, "WM_KILLFOCUS", b}, {b, "WM_SETFOCUS", a}};
    EXPECT_EQ(focus_messages, expected);
    EXPECT_EQ(GetFocus(), b);

    focus_messages.clear();
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_EQ(focus_messages, (std::vector<FocusMessage>{{b, "WM_KILLFOCUS", nullptr}}));
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(focus_messages.back(), (FocusMessage{a, "WM_SETFOCUS", nullptr}));
}

TEST_F(FocusTest, AKillFocusHandlerThatMovesTheFocusWins) {
    redirect_from = a;
    redirect_to = c;
    EXPECT_EQ(SetFocus(b), a);
    // b held the focus only while a heard of its loss: it is told it lost it
    // to c, but never that it had it.
    const std::vector<FocusMessage> expected = {{a, "WM_KILLFOCUS", b}, {b, "WM_KILLFOCUS", c}, {c, "WM_SETFOCUS", b}};
    EXPECT_EQ(focus_messages, expected);
    EXPECT_EQ(GetFocus(), c);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

// However a combo box's drop-down opens and closes, the focus is where it was
// while the list showed, and the window stays active.
TEST_F(UserTest, FocusStaysAfterAComboBoxDropDownCloses) {
    enum class Open { click, message_with_focus_elsewhere };
    enum class Close { click_item, escape, click_outside };
    struct Case {
        const char* name;
        DWORD style;
        Open open;
        Close close;
    };
    const Case cases[] = {
        {"list, clicked open, item clicked", CBS_DROPDOWNLIST, Open::click, Close::click_item},
        {"edit, clicked open, Escape", CBS_DROPDOWN, Open::click, Close::escape},
        {"list, opened while an edit has the focus, click outside", CBS_DROPDOWNLIST,
         Open::message_with_focus_elsewhere, Close::click_outside},
        {"edit, opened while an edit has the focus, item clicked", CBS_DROPDOWN, Open::message_with_focus_elsewhere,
         Close::click_item},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND top = make_top();
        HWND other = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 120, 0, 60, 20, top,
                                    reinterpret_cast<HMENU>(std::uintptr_t(7)), nullptr, nullptr);
        HWND combo = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 100, 100, top,
                                    reinterpret_cast<HMENU>(std::uintptr_t(8)), nullptr, nullptr);
        for (const char* s : {"one", "two", "three"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SetFocus(other);
        pump();
        RECT field;
        GetWindowRect(combo, &field);
        HWND had = other;
        display.then([&] {
            // The list lies under the field; its second row, and a point in neither.
            const POINT item{field.left + 10, field.bottom + 20};
            if (c.close == Close::click_item) display.click(nullptr, item);
            if (c.close == Close::escape) display.press(VK_ESCAPE);
            if (c.close == Close::click_outside) display.click(top, POINT{190, 140});
            had = GetFocus();
        });
        if (c.open == Open::click) {
            display.click(combo, POINT{95, 5});
            pump();
        } else {
            SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
            pump();
        }
        EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(GetFocus(), had);
        if (c.open == Open::click) {
            EXPECT_TRUE(had == combo || GetParent(had) == combo) << "the click gave the combo box the focus";
        } else {
            EXPECT_EQ(had, other);
        }
        EXPECT_EQ(GetActiveWindow(), top);
        EXPECT_EQ(GetCapture(), nullptr);
        DestroyWindow(top);
        pump();
    }
}

}  // namespace
}  // namespace user_test
