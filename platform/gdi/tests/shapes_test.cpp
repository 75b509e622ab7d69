// Lines and filled shapes with pens, brushes and mix modes.
#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

std::string drawn(const Canvas& c, int w, int h, COLORREF ink = RGB(0, 0, 0)) {
    return gdi_test::picture(c.surface(), ink, RECT{0, 0, w, h});
}

TEST(Lines, DiagonalsAndJoinsLeaveOutOnlyTheLastPoint) {
    Canvas c(5, 5);
    const POINT path[] = {{0, 0}, {4, 4}, {4, 0}};
    ASSERT_TRUE(Polyline(c.dc, path, 3));
    EXPECT_EQ(drawn(c, 5, 5),
              "#....\n"
              ".#..#\n"
              "..#.#\n"
              "...##\n"
              "....#\n");
    EXPECT_FALSE(Polyline(c.dc, path, 1));
}

TEST(Lines, WidePensAndDottedPens) {
    Canvas c(12, 5);
    const HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(c.dc, wide);
    MoveToEx(c.dc, 1, 2, nullptr);
    LineTo(c.dc, 4, 2);
    SelectObject(c.dc, old);
    DeleteObject(wide);
    const HPEN dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(c.dc, dotted);
    MoveToEx(c.dc, 5, 4, nullptr);
    LineTo(c.dc, 12, 4);
    SelectObject(c.dc, old);
    DeleteObject(dotted);
    EXPECT_EQ(drawn(c, 12, 5),
              "............\n"
              "#####.......\n"
              "#####.......\n"
              "#####.......\n"
              ".....###...#\n");
}

TEST(Shapes, RectangleFramesWithThePenAndFillsWithTheBrush) {
    Canvas c(6, 5);
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(c.dc, red);
    ASSERT_TRUE(Rectangle(c.dc, 0, 0, 5, 4));
    EXPECT_EQ(drawn(c, 6, 5),
              "#####.\n"
              "#...#.\n"
              "#...#.\n"
              "#####.\n"
              "......\n");
    EXPECT_EQ(c.at(1, 1), RGB(255, 0, 0));
    // Without a pen the fill stops one short of the right and bottom.
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Canvas d(6, 5);
    SelectObject(d.dc, red);
    SelectObject(d.dc, GetStockObject(NULL_PEN));
    Rectangle(d.dc, 0, 0, 5, 4);
    EXPECT_EQ(gdi_test::ink_bounds(d.surface(), RGB(255, 0, 0)), (RECT{0, 0, 4, 3}));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(Shapes, PolygonFillsAlternateAndOutlinesClosed) {
    Canvas c(6, 6);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    const POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    ASSERT_TRUE(Polygon(c.dc, square, 4));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{1, 1, 5, 5}));
}

TEST(Shapes, EllipseAndRoundRectAreSymmetricAndCutTheirCorners) {
    Canvas c(10, 8);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(Ellipse(c.dc, 0, 0, 10, 8));
    const std::string e = drawn(c, 10, 8);
    EXPECT_EQ(e.substr(0, 11), "...####...\n");
    EXPECT_EQ(e.substr(7 * 11), "...####...\n");
    EXPECT_EQ(e.substr(3 * 11, 11), "##########\n");

    Canvas r(10, 8);
    SelectObject(r.dc, GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(RoundRect(r.dc, 0, 0, 10, 8, 4, 4));
    EXPECT_EQ(r.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(r.at(9, 7), RGB(255, 255, 255));
    EXPECT_EQ(r.at(0, 4), RGB(0, 0, 0));
    EXPECT_EQ(gdi_test::ink_bounds(r.surface(), RGB(0, 0, 0)), (RECT{0, 0, 10, 8}));
}

TEST(Shapes, XorPenDrawnTwiceRestores) {
    Canvas c(8, 8, RGB(10, 200, 30));
    SetROP2(c.dc, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(c.dc, 0, 0, nullptr);
        LineTo(c.dc, 7, 5);
        Rectangle(c.dc, 2, 2, 6, 7);
    }
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(10, 200, 30)), (RECT{0, 0, 8, 8}));
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(10, 200, 30), RECT{0, 0, 8, 8}).find('.'), std::string::npos);
}

}  // namespace

namespace {

// Coordinates far beyond any surface must neither overflow nor take long.
TEST(Shapes, WildCoordinatesDrawOnlyWhatShows) {
    Canvas c(8, 8);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(Ellipse(c.dc, -2000000000, -2000000000, 2000000000, 2000000000));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{0, 0, 8, 8}));
    Canvas l(8, 8);
    MoveToEx(l.dc, -2147483647 - 1, 3, nullptr);
    ASSERT_TRUE(LineTo(l.dc, 2147483647, 3));
    EXPECT_EQ(gdi_test::ink_bounds(l.surface(), RGB(0, 0, 0)), (RECT{0, 3, 8, 4}));
    const POINT far[] = {{-2147483647, -2147483647}, {2147483647, 0}, {0, 2147483647}};
    const HRGN region = CreatePolygonRgn(far, 3, ALTERNATE);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    DeleteObject(region);
    const RECT huge{-2147483647, -2147483647, 2147483647, 2147483647};
    EXPECT_EQ(FillRect(l.dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
    EXPECT_EQ(l.at(7, 7), RGB(0, 0, 0));
}

}  // namespace
