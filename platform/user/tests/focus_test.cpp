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
