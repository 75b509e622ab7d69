// The system tables, the clipboard and scroll-bar arithmetic.
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class SystemTest : public UserTest {};

TEST_F(SystemTest, ChangingColoursBroadcastsAndRenewsTheBrushes) {
    HWND a = make_top("a");
    HWND b = make_top("b");
    (void)a;
    (void)b;
    take_log();
    int index = COLOR_WINDOW;
    COLORREF colour = RGB(1, 2, 3);
    EXPECT_TRUE(SetSysColors(1, &index, &colour));
    EXPECT_EQ(take_log({"WM_SYSCOLORCHANGE"}), (Log{"WM_SYSCOLORCHANGE", "WM_SYSCOLORCHANGE"}));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), colour);
    LOGBRUSH lb{};
    GetObject(GetSysColorBrush(COLOR_WINDOW), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, colour);
    kit::user::set_system_metric(SM_CYCAPTION, 30);
    EXPECT_EQ(take_log({"WM_SETTINGCHANGE"}).size(), 2u);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 30);
    EXPECT_EQ(GetSystemMetrics(-1), 0);
}

HGLOBAL text_block(const char* text) {
    HGLOBAL memory = GlobalAlloc(GHND, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    return memory;
}

TEST_F(SystemTest, ClipboardTextIsOfferedInBothTextFormatsAndSharedWithTheDisplay) {
    HWND top = make_top();
    EXPECT_FALSE(SetClipboardData(CF_TEXT, text_block("x")));  // not open
    ASSERT_TRUE(OpenClipboard(top));
    EXPECT_FALSE(OpenClipboard(top));  // once at a time
    EmptyClipboard();
    SetClipboardData(CF_TEXT, text_block("hello"));
    UINT column = RegisterClipboardFormat("Column Select");
    SetClipboardData(column, text_block(""));
    EXPECT_STREQ(static_cast<char*>(GlobalLock(GetClipboardData(CF_OEMTEXT))), "hello");
    // Only the formats placed are listed, not the text twin offered on reading.
    EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), column);
    EXPECT_EQ(EnumClipboardFormats(column), 0u);
    CloseClipboard();
    EXPECT_EQ(EnumClipboardFormats(0), 0u);  // not open
    EXPECT_EQ(display.clipboard_text(), "hello");
    EXPECT_TRUE(IsClipboardFormatAvailable(column));

    display.set_clipboard_text("from elsewhere");
    EXPECT_FALSE(IsClipboardFormatAvailable(column));  // another program's copy replaced ours
    ASSERT_TRUE(OpenClipboard(top));
    EXPECT_STREQ(static_cast<char*>(GlobalLock(GetClipboardData(CF_TEXT))), "from elsewhere");
    CloseClipboard();
}

TEST_F(SystemTest, ScrollInfoIsClampedToRangeAndPage) {
    HWND top = make_top("s", WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    struct Case {
        int min, max;
        UINT page;
        int pos;
        int expected_pos;
        UINT expected_page;
    } cases[] = {
        {0, 99, 10, 50, 50, 10}, {0, 99, 10, 95, 90, 10}, {0, 99, 10, -5, 0, 10},
        {0, 9, 50, 3, 0, 10},    {10, 5, 0, 7, 10, 0},    {0, 1000000, 0, 999999, 999999, 0},
    };
    for (const auto& c : cases) {
        SCROLLINFO si{sizeof si, SIF_ALL, c.min, c.max, c.page, c.pos, 0};
        EXPECT_EQ(SetScrollInfo(top, SB_VERT, &si, TRUE), c.expected_pos);
        SCROLLINFO out{sizeof out, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(top, SB_VERT, &out);
        EXPECT_EQ(out.nPos, c.expected_pos);
        EXPECT_EQ(out.nPage, c.expected_page);
    }
}

TEST_F(SystemTest, AFrameBarShowsOnlyWhileItsRangeScrolls) {
    HWND top = make_top("s", WS_OVERLAPPEDWINDOW);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(top, GWL_STYLE) & WS_VSCROLL);
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    si.nPage = 100;
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    EXPECT_FALSE(GetWindowLong(top, GWL_STYLE) & WS_VSCROLL);
    si.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(top, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(SystemTest, ThumbGeometryAndDraggingCoverTheWholeRange) {
    RECT bar{0, 0, 16, 216};  // arrows of 16, a track of 184
    auto g = kit::user::scroll_geometry(bar, true, 0, 99, 10, 0);
    EXPECT_EQ(g.thumb.top, 16);
    EXPECT_EQ(g.thumb.bottom - g.thumb.top, 18);  // 184 * 10 / 100
    EXPECT_EQ(kit::user::scroll_part_at(g, POINT{8, 5}), kit::user::ScrollPart::line_up);
    EXPECT_EQ(kit::user::scroll_part_at(g, POINT{8, 20}), kit::user::ScrollPart::thumb);
    EXPECT_EQ(kit::user::scroll_part_at(g, POINT{8, 100}), kit::user::ScrollPart::page_down);
    EXPECT_EQ(kit::user::scroll_pos_from_thumb(g, 0, 99, 10, 0), 0);
    EXPECT_EQ(kit::user::scroll_pos_from_thumb(g, 0, 99, 10, 1000), 90);
    auto end = kit::user::scroll_geometry(bar, true, 0, 99, 10, 90);
    EXPECT_EQ(end.thumb.bottom, 200);
    // 32-bit ranges keep their precision.
    auto big = kit::user::scroll_geometry(bar, true, 0, 2000000000, 1000, 0);
    EXPECT_EQ(kit::user::scroll_pos_from_thumb(big, 0, 2000000000, 1000, 1000), 2000000000 - 999);
}

TEST_F(SystemTest, DraggingAFrameThumbSendsTrackThenPositionThenEnd) {
    HWND top = make_top("s", WS_OVERLAPPEDWINDOW);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    pump();
    static Log codes;
    codes.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
        if (m == WM_VSCROLL) codes.push_back(std::to_string(LOWORD(w)) + "@" + std::to_string(HIWORD(w)));
        return 0;
    });
    RECT frame;
    GetWindowRect(top, &frame);
    POINT thumb{frame.right - 4 - 8, 100 + 16 + 5};  // 5 pixels into the thumb
    display.move(nullptr, thumb);
    display.button(nullptr, thumb, true);
    display.move(nullptr, POINT{thumb.x, thumb.y + 1000});
    display.button(nullptr, POINT{thumb.x, thumb.y + 1000}, false);
    pump();
    EXPECT_EQ(codes, (Log{"5@90", "4@90", "8@0"}));
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(SystemTest, NonClientMetricsFollowTheTableAndCheckTheirSize) {
    kit::user::set_system_metric(SM_CYCAPTION, 25);
    NONCLIENTMETRICS m{};
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m, 0));  // cbSize not set
    m.cbSize = sizeof m;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m, 0));
    EXPECT_EQ(m.iCaptionHeight, 24);
    EXPECT_EQ(m.lfCaptionFont.lfWeight, 700);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(SystemTest, EnumerationVisitsDescendantsInOrderAndStopsWhenAsked) {
    HWND top = make_top();
    HWND a = make_child(top, 1, RECT{0, 0, 5, 5});
    HWND a1 = make_child(a, 2, RECT{0, 0, 5, 5});
    HWND b = make_child(top, 3, RECT{0, 0, 5, 5});
    static std::vector<HWND> seen;
    seen.clear();
    EXPECT_TRUE(EnumChildWindows(
        top,
        [](HWND h, LPARAM) -> BOOL {
            seen.push_back(h);
            return TRUE;
        },
        0));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1, b}));
    seen.clear();
    EXPECT_FALSE(EnumChildWindows(
        top,
        [](HWND h, LPARAM stop) -> BOOL {
            seen.push_back(h);
            return h != reinterpret_cast<HWND>(stop);
        },
        reinterpret_cast<LPARAM>(a1)));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1}));
}

}  // namespace
}  // namespace user_test
