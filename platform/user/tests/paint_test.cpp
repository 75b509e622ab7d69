// Painting into the backing surface: clipping of children and regions,
// scrolling, and the pictures of a full frame and of a popup menu.
#include <climits>

#include "platform/gdi/gdi.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/tests/user_fixture.h"
#include "testing/golden.h"

namespace user_test {
namespace {

constexpr gdi::Pixel kRed = 0xFF0000;
constexpr gdi::Pixel kWhite = 0xFFFFFF;

class PaintTest : public TestFontTest {
protected:
    // The pixel at a client point of `hwnd` on its top-level window's picture.
    gdi::Pixel pixel(HWND hwnd, POINT client) {
        HWND top = GetAncestorTopLevel(hwnd);
        RECT frame;
        GetWindowRect(top, &frame);
        ClientToScreen(hwnd, &client);
        return display.snapshot(top).at(client.x - frame.left, client.y - frame.top);
    }
};

// The parent fills itself red; the child draws nothing.
LRESULT paint_red(HWND hwnd, UINT m, WPARAM, LPARAM, bool* handled) {
    if (m != WM_PAINT || GetParent(hwnd)) return 0;
    *handled = true;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, red);
    DeleteObject(red);
    EndPaint(hwnd, &ps);
    return 0;
}

// A class whose windows paint nothing.
const char* bare_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PAINT) {
            ValidateRect(h, nullptr);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
    wc.lpszClassName = "PaintTestBare";
    RegisterClass(&wc);
    return wc.lpszClassName;
}

TEST_F(PaintTest, ClipChildrenKeepsTheParentOffItsChildren) {
    for (DWORD clip : {DWORD(0), WS_CLIPCHILDREN}) {
        HWND top = make_top("clip", WS_POPUP | clip);
        bare_class();
        HWND child = CreateWindowEx(0, "PaintTestBare", "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top, nullptr,
                                    nullptr, nullptr);
        set_proc_hook(paint_red);
        pump();
        EXPECT_EQ(pixel(top, POINT{5, 5}), kRed);
        EXPECT_EQ(pixel(child, POINT{5, 5}), clip ? kWhite : kRed) << (clip ? "clipped" : "not clipped");
        DestroyWindow(top);
    }
}

TEST_F(PaintTest, ADescendantKeepsOffTheSiblingsAboveItsAncestor) {
    HWND top = make_top("siblings", WS_POPUP);
    const char* bare = bare_class();
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    HWND lower = CreateWindowEx(0, bare, "", kStyle, 10, 10, 60, 60, top, nullptr, nullptr, nullptr);
    HWND upper = CreateWindowEx(0, bare, "", kStyle, 40, 40, 60, 60, top, nullptr, nullptr, nullptr);
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND view = CreateWindowEx(0, bare, "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 60, lower, nullptr, nullptr, nullptr);
    pump();
    HDC dc = GetDC(view);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 60, 60};
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(view, dc);
    EXPECT_EQ(pixel(view, POINT{5, 5}), kRed);
    EXPECT_EQ(pixel(upper, POINT{5, 5}), kWhite) << "the view painted over the sibling above its parent";
    DestroyWindow(top);
}

TEST_F(PaintTest, AWindowRegionClipsPainting) {
    HWND top = make_top("shape", WS_POPUP);
    RECT frame;
    GetWindowRect(top, &frame);
    POINT triangle[] = {{0, 0}, {0, 150}, {200, 150}};
    SetWindowRgn(top, CreatePolygonRgn(triangle, 3, ALTERNATE), TRUE);
    set_proc_hook(paint_red);
    pump();
    EXPECT_EQ(pixel(top, POINT{5, 140}), kRed);
    EXPECT_EQ(pixel(top, POINT{190, 5}), kWhite);
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndExposesTheRest) {
    HWND top = make_top("scroll", WS_POPUP);
    pump();
    HDC dc = GetDC(top);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT block{0, 0, 10, 10};
    FillRect(dc, &block, red);
    DeleteObject(red);
    ReleaseDC(top, dc);
    ScrollWindow(top, 20, 30, nullptr, nullptr);
    EXPECT_EQ(pixel(top, POINT{25, 35}), kRed);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 0, 200, 150}));  // the strips on the left and at the top, as one rectangle
}

// Scrolling within one surface by less than the moved area's height overlaps source
// and destination; each direction must read rows before they are overwritten.
TEST_F(PaintTest, ScrollWindowMovesOverlappingRowsInBothDirections) {
    HWND top = make_top("scroll", WS_POPUP);
    pump();
    HDC dc = GetDC(top);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT band{0, 40, 200, 60};  // rows 40-59
    FillRect(dc, &band, red);
    DeleteObject(red);
    ReleaseDC(top, dc);
    ScrollWindow(top, 0, -15, nullptr, nullptr);  // rows 25-44
    EXPECT_EQ(pixel(top, POINT{100, 24}), kWhite);
    EXPECT_EQ(pixel(top, POINT{100, 25}), kRed);
    EXPECT_EQ(pixel(top, POINT{100, 44}), kRed);
    EXPECT_EQ(pixel(top, POINT{100, 45}), kWhite);
    ScrollWindow(top, 0, 7, nullptr, nullptr);  // rows 32-51
    EXPECT_EQ(pixel(top, POINT{100, 31}), kWhite);
    EXPECT_EQ(pixel(top, POINT{100, 32}), kRed);
    EXPECT_EQ(pixel(top, POINT{100, 51}), kRed);
    EXPECT_EQ(pixel(top, POINT{100, 52}), kWhite);
}

// A part still waiting to be painted holds pixels nobody drew: scrolled, it must be
// painted where it went, or its stale pixels would stay. The caret goes along.
TEST_F(PaintTest, ScrollWindowMovesTheWaitingInvalidAreaAndTheCaret) {
    HWND top = make_top("scroll", WS_POPUP);
    pump();
    RECT waiting{0, 100, 200, 110};
    InvalidateRect(top, &waiting, FALSE);
    ASSERT_TRUE(CreateCaret(top, nullptr, 2, 10));
    SetCaretPos(30, 60);
    ScrollWindow(top, 0, -20, nullptr, nullptr);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 80, 200, 150}));  // moved to 80-90, and the exposed strip at the bottom
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 30);
    EXPECT_EQ(caret.y, 40);
    // Scrolled out of the area, the waiting part is gone with its pixels; only the strip is left.
    ValidateRect(top, nullptr);
    InvalidateRect(top, &waiting, FALSE);
    ScrollWindow(top, 0, -120, nullptr, nullptr);
    ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 30, 200, 150}));
    DestroyCaret();
}

// A window that keeps its own account of its pixels scrolls without an erase, so that an
// erase still means pixels were lost; without SW_INVALIDATE it only learns what scrolled in.
TEST_F(PaintTest, ScrollWindowExInvalidatesAndErasesOnlyAsAsked) {
    HWND top = make_top("scroll", WS_POPUP);
    pump();
    log_everything(true);
    struct Case {
        UINT flags;
        bool invalid, erased;
    };
    for (const Case& c :
         {Case{0, false, false}, Case{SW_INVALIDATE, true, false}, Case{SW_INVALIDATE | SW_ERASE, true, true}}) {
        take_log();
        RECT update{};
        EXPECT_EQ(ScrollWindowEx(top, 0, -20, nullptr, nullptr, nullptr, &update, c.flags), SIMPLEREGION);
        EXPECT_EQ(update, (RECT{0, 130, 200, 150})) << c.flags;
        RECT invalid{};
        EXPECT_EQ(GetUpdateRect(top, &invalid, FALSE) != FALSE, c.invalid) << c.flags;
        UpdateWindow(top);
        EXPECT_EQ(take_log({"WM_ERASEBKGND"}).size(), c.erased ? 1u : 0u) << c.flags;
    }
    RECT update{};
    EXPECT_EQ(ScrollWindowEx(top, 0, 0, nullptr, nullptr, nullptr, &update, SW_INVALIDATE), NULLREGION);
    EXPECT_EQ(ScrollWindowEx(nullptr, 0, 5, nullptr, nullptr, nullptr, &update, SW_INVALIDATE), ERROR);
}

// Pixels scrolled out from under a sibling above were never the window's: they are
// invalid and erased, whatever the flags, as an exposure would leave them.
TEST_F(PaintTest, ScrollingBringsOutWhatWasUnderASiblingAsAnExposure) {
    HWND top = make_top("scroll", WS_POPUP | WS_CLIPCHILDREN);
    HWND cover = make_child(top, 2, RECT{0, 100, 200, 150});
    HWND under = make_child(top, 1, RECT{0, 0, 200, 150}, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    pump();
    log_everything(true);
    take_log();
    RECT update{};
    ScrollWindowEx(under, 0, -20, nullptr, nullptr, nullptr, &update, SW_INVALIDATE);
    EXPECT_EQ(update, (RECT{0, 80, 200, 150}));  // rows 80-99 came from under the cover
    RECT invalid{};
    ASSERT_TRUE(GetUpdateRect(under, &invalid, FALSE));
    EXPECT_EQ(invalid, (RECT{0, 80, 200, 150}));
    UpdateWindow(under);
    EXPECT_EQ(take_log({"WM_ERASEBKGND"}).size(), 1u);
    // With the cover gone the window shows whole: only the strip scrolls in.
    DestroyWindow(cover);
    pump();
    ScrollWindowEx(under, 0, -20, nullptr, nullptr, nullptr, &update, SW_INVALIDATE);
    EXPECT_EQ(update, (RECT{0, 130, 200, 150}));
}

TEST_F(PaintTest, TheFramePictureHasCaptionMenuBarEdgesAndScrollBars) {
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_STRING, 1, "&File");
    AppendMenu(bar, MF_STRING, 2, "&Edit");
    HWND top = CreateWindowEx(WS_EX_CLIENTEDGE, kLogClass, "Frame", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 20,
                              20, 240, 160, nullptr, bar, nullptr, nullptr);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 99, 20, 30, 0};
    SetScrollInfo(top, SB_VERT, &si, TRUE);
    SetScrollInfo(top, SB_HORZ, &si, TRUE);
    ShowWindow(top, SW_SHOW);
    pump();
    EXPECT_TRUE(matches_snapshot("frame", top));
}

TEST_F(PaintTest, ThePopupMenuPicture) {
    HWND owner = make_top();
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 21, "Inner");
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING | MF_CHECKED, 10, "&Checked\tCtrl+K");
    AppendMenu(menu, MF_STRING | MF_GRAYED, 11, "&Grayed");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
    pump();
    bool compared = false;
    display.then([&] {
        inject_key_press(VK_DOWN);  // highlights the first item
    });
    display.then([&] {
        HWND popup = kit::user::top_level_windows().front();
        EXPECT_TRUE(matches_snapshot("popup_menu", popup));
        compared = true;
        inject_key_press(VK_ESCAPE);
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
    EXPECT_TRUE(compared);
}

TEST_F(PaintTest, PlacementRoundTripsThroughMaximize) {
    HWND top = make_top("placed", WS_OVERLAPPEDWINDOW);
    RECT before;
    GetWindowRect(top, &before);
    ShowWindow(top, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT wp{};
    ASSERT_TRUE(GetWindowPlacement(top, &wp));
    EXPECT_EQ(wp.length, 44u);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition, before);
    ShowWindow(top, SW_RESTORE);
    RECT after;
    GetWindowRect(top, &after);
    EXPECT_EQ(after, before);
    // Damaged records are refused: edges the wrong way round, a size past the integer limit.
    for (const RECT& damaged : {RECT{10, 10, 5, 5}, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
        wp.rcNormalPosition = damaged;
        EXPECT_FALSE(SetWindowPlacement(top, &wp));
    }
    GetWindowRect(top, &after);
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace user_test
