#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

TEST(FillRect, FillsExactlyTheRectangleWithRightAndBottomExclusive) {
    Canvas c(6, 5);
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT r{1, 1, 4, 3};
    EXPECT_EQ(FillRect(c.dc, &r, red), 1);
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(255, 0, 0), RECT{0, 0, 6, 5}),
              "......\n"
              ".###..\n"
              ".###..\n"
              "......\n"
              "......\n");
    DeleteObject(red);
}

TEST(FillRect, StaleBrushHandleFailsWithoutDrawing) {
    Canvas c(2, 2);
    const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    DeleteObject(brush);
    const RECT r{0, 0, 2, 2};
    EXPECT_EQ(FillRect(c.dc, &r, brush), 0);
    EXPECT_EQ(c.at(0, 0), RGB(255, 255, 255));
}

TEST(BitBlt, CopiesBetweenDcsAndWithinOneOverlapping) {
    Canvas src(4, 1);
    for (int x = 0; x < 4; ++x) SetPixel(src.dc, x, 0, RGB(x * 10, 0, 0));
    Canvas dst(6, 1, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(dst.dc, 1, 0, 4, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), RGB(0, 0, 255));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.at(x + 1, 0), RGB(x * 10, 0, 0));
    EXPECT_EQ(dst.at(5, 0), RGB(0, 0, 255));

    // Moving right by one inside the same surface reads the pixels as they were.
    ASSERT_TRUE(BitBlt(src.dc, 1, 0, 3, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(src.at(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(src.at(2, 0), RGB(10, 0, 0));
    EXPECT_EQ(src.at(3, 0), RGB(20, 0, 0));
}

TEST(SurfaceDc, DrawsAtItsOriginAndOnlyInsideTheSystemClip) {
    auto surface = std::make_shared<gdi::Surface>(8, 4, 0xFFFFFF);
    const HDC dc = gdi::create_surface_dc(surface, POINT{2, 1});
    const gdi::Region clip(RECT{0, 0, 5, 4});
    gdi::set_system_clip(dc, &clip);
    const RECT r{0, 0, 6, 2};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(gdi_test::picture(*surface, RGB(0, 0, 0), RECT{0, 0, 8, 4}),
              "........\n"
              "..###...\n"
              "..###...\n"
              "........\n");
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{-2, -1, 3, 3}));
    DeleteDC(dc);
}

}  // namespace
