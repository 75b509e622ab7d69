// DC state, object lifetime and coordinate mapping.
#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

TEST(Objects, StaleAndForeignHandlesFailSoftly) {
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
    // A new object in the same slot does not answer to the old handle.
    const HPEN again = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(SelectObject(nullptr, again), nullptr);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(0x1234)), 0u);
    DeleteObject(again);
    EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
}

TEST(Objects, DeletingTheSelectedBitmapLeavesTheDcDrawingSafely) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    const HGDIOBJ first = SelectObject(dc, bitmap);
    EXPECT_EQ(GetObjectType(first), OBJ_BITMAP);  // the 1x1 monochrome default
    EXPECT_TRUE(DeleteObject(bitmap));
    const RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 0));
    SelectObject(dc, first);
    EXPECT_EQ(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP)), OBJ_BITMAP);
    DeleteDC(dc);
}

TEST(Objects, GetObjectDescribesBitmapsPensAndFonts) {
    const HBITMAP mono = CreateBitmap(17, 3, 1, 1, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObject(mono, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 17);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    EXPECT_EQ(GetObject(mono, 4, &bm), 0);  // too small a buffer
    DeleteObject(mono);
    LOGFONT lf{};
    ASSERT_GT(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(CreateBitmap(0, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
}

TEST(DcState, SaveAndRestoreBringBackObjectsColoursAndOrigins) {
    Canvas c(4, 4);
    const int level = SaveDC(c.dc);
    SetTextColor(c.dc, RGB(1, 1, 1));
    SetViewportOrgEx(c.dc, 2, 2, nullptr);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    SaveDC(c.dc);
    SetBkMode(c.dc, TRANSPARENT);
    EXPECT_TRUE(RestoreDC(c.dc, -1));
    EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
    EXPECT_EQ(GetTextColor(c.dc), RGB(1, 1, 1));
    EXPECT_TRUE(RestoreDC(c.dc, level));
    EXPECT_EQ(GetTextColor(c.dc), RGB(0, 0, 0));
    POINT org;
    GetViewportOrgEx(c.dc, &org);
    EXPECT_EQ(org, (POINT{0, 0}));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_FALSE(RestoreDC(c.dc, level));  // already gone
}

TEST(Mapping, OriginsAndAnisotropicExtents) {
    Canvas c(8, 8);
    SetWindowOrgEx(c.dc, 10, 10, nullptr);
    SetViewportOrgEx(c.dc, 1, 1, nullptr);
    const RECT r{10, 10, 12, 11};
    FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{1, 1, 3, 2}));

    EXPECT_FALSE(SetWindowExtEx(c.dc, 2, 2, nullptr));  // ignored in MM_TEXT
    SetMapMode(c.dc, MM_ANISOTROPIC);
    SetWindowExtEx(c.dc, 1, 1, nullptr);
    SetViewportExtEx(c.dc, 2, 3, nullptr);
    POINT p{11, 12};
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p, (POINT{3, 7}));
    DPtoLP(c.dc, &p, 1);
    EXPECT_EQ(p, (POINT{11, 12}));
}

TEST(DeviceCaps, ReportTheScreenForEveryDc) {
    Canvas c(4, 4);
    EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSY), 96);
    gdi::set_screen_size(SIZE{1920, 1080});
    EXPECT_EQ(GetDeviceCaps(c.dc, HORZRES), 1920);
    EXPECT_EQ(GetDeviceCaps(c.dc, VERTRES), 1080);
    gdi::set_screen_size(SIZE{1024, 768});
    EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

TEST(SysColors, FollowTheInstalledSource) {
    EXPECT_EQ(gdi::sys_color(COLOR_BTNFACE), RGB(192, 192, 192));
    gdi::set_sys_color_source([](int index) { return index == COLOR_BTNFACE ? RGB(1, 2, 3) : RGB(0, 0, 0); });
    EXPECT_EQ(gdi::sys_color(COLOR_BTNFACE), RGB(1, 2, 3));
    gdi::set_sys_color_source(nullptr);
    EXPECT_EQ(gdi::sys_color(COLOR_BTNFACE), RGB(192, 192, 192));
}

}  // namespace
