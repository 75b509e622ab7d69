// The status bar: parts and their rectangles, texts with their styles,
// placement along the parent, the size grip and its picture.
#include <cstring>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

class StatusBarTest : public TestFontTest {
protected:
    HWND make_bar(HWND parent, DWORD style = 0) {
        return CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(std::uintptr_t(7)), nullptr, nullptr);
    }
    static RECT rect_in_parent(HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static std::string text_of(HWND bar, int index, UINT* type) {
        LRESULT length = SendMessage(bar, SB_GETTEXTLENGTH, WPARAM(index), 0);
        std::string text(LOWORD(std::uintptr_t(length)) + 1, '\0');
        LRESULT answer = SendMessage(bar, SB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
        EXPECT_EQ(answer, length);
        *type = HIWORD(std::uintptr_t(answer));
        text.resize(LOWORD(std::uintptr_t(answer)));
        return text;
    }
};

bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(StatusBarTest, SitsAlongTheParentAsItsStylesSay) {
    HWND top = make_top();  // client 200x150
    HWND bottom = make_bar(top);
    RECT r = rect_in_parent(bottom);
    int height = r.bottom - r.top;
    EXPECT_GT(height, 4);
    EXPECT_TRUE(same(r, RECT{0, 150 - height, 200, 150}));

    SendMessage(bottom, SB_SETMINHEIGHT, 40, 0);
    EXPECT_TRUE(same(rect_in_parent(bottom), RECT{0, 150 - 44, 200, 150}))
        << "minimum height plus the vertical borders";

    // The parent passes its WM_SIZE on after growing; the bar follows.
    SetWindowPos(top, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(top, &client);
    SendMessage(bottom, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    EXPECT_TRUE(same(rect_in_parent(bottom), RECT{0, client.bottom - 44, client.right, client.bottom}));

    HWND at_top = make_bar(top, CCS_TOP);
    EXPECT_TRUE(same(rect_in_parent(at_top), RECT{0, 0, client.right, height}));

    HWND fixed =
        CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | CCS_NORESIZE, 5, 6, 70, 30, top, nullptr, nullptr, nullptr);
    SendMessage(fixed, WM_SIZE, 0, 0);
    EXPECT_TRUE(same(rect_in_parent(fixed), RECT{5, 6, 75, 36}));
}

TEST_F(StatusBarTest, PartsAndTheirRectangles) {
    HWND bar = make_bar(make_top());
    RECT client;
    GetClientRect(bar, &client);
    int borders[3] = {};
    ASSERT_TRUE(SendMessage(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    EXPECT_EQ(borders[0], 0);
    EXPECT_EQ(borders[1], 2);
    EXPECT_EQ(borders[2], 2);

    const int edges[] = {50, 120, -1};
    ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    int read[4] = {9, 9, 9, 9};
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(read)), 3);
    EXPECT_EQ(read[0], 50);
    EXPECT_EQ(read[1], 120);
    EXPECT_EQ(read[2], 9) << "no more than the caller asked for";

    struct Case {
        int index;
        BOOL ok;
        RECT expected;
    };
    const Case cases[] = {
        {0, TRUE, {0, 2, 50, client.bottom}},
        {1, TRUE, {52, 2, 120, client.bottom}},
        {2, TRUE, {122, 2, client.right, client.bottom}},
        {3, FALSE, {}},
        {-1, FALSE, {}},
    };
    for (const Case& c : cases) {
        RECT r{};
        EXPECT_EQ(SendMessage(bar, SB_GETRECT, WPARAM(c.index), reinterpret_cast<LPARAM>(&r)), c.ok) << c.index;
        if (c.ok) {
            EXPECT_TRUE(same(r, c.expected)) << c.index;
        }
    }

    // Refused part lists leave the parts as they were.
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 2, 0));
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 3);

    // Simple mode shows one part over the whole bar and keeps the others.
    SendMessage(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessage(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 1);
    RECT whole{};
    EXPECT_TRUE(SendMessage(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&whole)));
    EXPECT_TRUE(same(whole, RECT{0, 2, client.right, client.bottom}));
    SendMessage(bar, SB_SIMPLE, FALSE, 0);
    EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 0, 0), 3);
}

TEST_F(StatusBarTest, TextsKeepTheirStyles) {
    HWND bar = make_bar(make_top());
    const int edges[] = {60, 120, -1};
    SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));

    struct Case {
        WPARAM wParam;
        const char* text;
        BOOL ok;
        int index;
        UINT type;
        const char* stored;
    };
    const Case cases[] = {
        {0, "Ready", TRUE, 0, 0, "Ready"},
        {1 | SBT_POPOUT, "Ln 1", TRUE, 1, SBT_POPOUT, "Ln 1"},
        {2 | SBT_NOBORDERS | SBT_NOTABPARSING, "a\tb", TRUE, 2, SBT_NOBORDERS | SBT_NOTABPARSING, "a\tb"},
        {1, nullptr, TRUE, 1, 0, ""},  // a null text empties the part
        {3, "past the end", FALSE, 0, 0, "Ready"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(bar, SB_SETTEXT, c.wParam, reinterpret_cast<LPARAM>(c.text)), c.ok) << c.wParam;
        UINT type = 99;
        EXPECT_EQ(text_of(bar, c.index, &type), c.stored) << c.wParam;
        EXPECT_EQ(type, c.type) << c.wParam;
    }
    SetWindowText(bar, "from the window text");
    UINT type = 0;
    EXPECT_EQ(text_of(bar, 0, &type), "from the window text");
    EXPECT_EQ(SendMessage(bar, SB_GETTEXTLENGTH, 3, 0), 0);
}

TEST_F(StatusBarTest, OwnerDrawnPartsAskTheParent) {
    HWND top = make_top();
    HWND bar = make_bar(top);
    const int edges[] = {80, -1};
    SendMessage(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessage(bar, SB_SETTEXT, 1 | SBT_OWNERDRAW, 0x1234);
    EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 1, 0), 0x1234) << "an owner-drawn part answers with its value";

    static DRAWITEMSTRUCT drawn;
    drawn = {};
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM l, bool* handled) -> LRESULT {
        if (m != WM_DRAWITEM) return 0;
        drawn = *reinterpret_cast<DRAWITEMSTRUCT*>(l);
        *handled = true;
        return TRUE;
    });
    pump();
    EXPECT_EQ(drawn.hwndItem, bar);
    EXPECT_EQ(drawn.CtlID, 7u);
    EXPECT_EQ(drawn.itemID, 1u);
    EXPECT_EQ(drawn.itemData, 0x1234u);
    RECT part{};
    SendMessage(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    EXPECT_TRUE(same(drawn.rcItem, part));
}

TEST_F(StatusBarTest, TheGripSizesTheFrame) {
    HWND plain = make_bar(make_top("plain"));
    HWND top = make_top();
    HWND gripped = make_bar(top, SBARS_SIZEGRIP);
    RECT client;
    GetClientRect(gripped, &client);
    auto hit = [](HWND bar, POINT p) {
        ClientToScreen(bar, &p);
        return SendMessage(bar, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    POINT corner{client.right - 3, client.bottom - 3};
    EXPECT_EQ(hit(gripped, corner), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(gripped, POINT{3, 3}), HTCLIENT);
    EXPECT_EQ(hit(plain, corner), HTCLIENT);

    RECT before;
    GetWindowRect(top, &before);
    display.button(gripped, corner, true);
    display.then([&] { display.move(gripped, POINT{corner.x + 30, corner.y + 20}); });
    display.then([&] { display.button(gripped, POINT{corner.x + 30, corner.y + 20}, false); });
    pump();
    RECT after;
    GetWindowRect(top, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 30);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 20);

    ShowWindow(top, SW_SHOWMAXIMIZED);
    GetClientRect(gripped, &client);
    EXPECT_EQ(hit(gripped, POINT{client.right - 3, client.bottom - 3}), HTCLIENT) << "no grip on a maximised frame";
}

TEST_F(StatusBarTest, Picture) {
    HWND top = make_top("status", WS_OVERLAPPEDWINDOW);
    HWND bar = make_bar(top, SBARS_SIZEGRIP);
    const int edges[] = {70, 150, -1};
    SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessage(bar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessage(bar, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("\tMid\tR"));
    SendMessage(bar, SB_SETTEXT, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("NUM"));
    pump();
    EXPECT_TRUE(matches_snapshot("status_bar", top));
}

}  // namespace
}  // namespace user_test
