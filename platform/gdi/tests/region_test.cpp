// Region shapes, combination, hit-testing and the DC clip.
#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

// The region's pixels over a small grid, as '#' and '.'.
std::string shape(HRGN region, int width, int height) {
    std::string out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out += PtInRegion(region, x, y) ? '#' : '.';
        out += '\n';
    }
    return out;
}

struct CombineCase {
    int mode;
    int complexity;
    const char* picture;
};

TEST(CombineRgn, OverlappingSquaresUnderEachMode) {
    const CombineCase cases[] = {
        {RGN_AND, SIMPLEREGION, "......\n......\n..##..\n..##..\n......\n......\n"},
        {RGN_OR, COMPLEXREGION, "####..\n####..\n######\n######\n..####\n..####\n"},
        {RGN_XOR, COMPLEXREGION, "####..\n####..\n##..##\n##..##\n..####\n..####\n"},
        {RGN_DIFF, COMPLEXREGION, "####..\n####..\n##....\n##....\n......\n......\n"},
        {RGN_COPY, SIMPLEREGION, "####..\n####..\n####..\n####..\n......\n......\n"},
    };
    const HRGN a = CreateRectRgn(0, 0, 4, 4);
    const HRGN b = CreateRectRgn(2, 2, 6, 6);
    for (const CombineCase& c : cases) {
        SCOPED_TRACE(c.mode);
        const HRGN out = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.complexity);
        EXPECT_EQ(shape(out, 6, 6), c.picture);
        DeleteObject(out);
    }
    const HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(out, a, b, 99), ERROR);
    DeleteObject(b);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), ERROR);  // stale operand
    DeleteObject(out);
    DeleteObject(a);
}

TEST(CombineRgn, ResultMayBeOneOfTheOperands) {
    const HRGN a = CreateRectRgn(0, 0, 2, 2);
    const HRGN b = CreateRectRgn(1, 0, 3, 2);
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), SIMPLEREGION);
    RECT box;
    GetRgnBox(a, &box);
    EXPECT_EQ(box, (RECT{0, 0, 3, 2}));
    DeleteObject(a);
    DeleteObject(b);
}

TEST(PolygonRgn, AlternateLeavesTheDoublyWoundCoreOutWindingFillsIt) {
    // Two overlapping squares traced as one outline wound the same way.
    const POINT points[] = {{0, 0}, {4, 0}, {4, 4}, {2, 4}, {2, 2}, {6, 2}, {6, 6}, {0, 6}, {0, 0}};
    const HRGN alternate = CreatePolygonRgn(points, 9, ALTERNATE);
    const HRGN winding = CreatePolygonRgn(points, 9, WINDING);
    EXPECT_EQ(shape(alternate, 7, 7), "####...\n####...\n##..##.\n##..##.\n######.\n######.\n.......\n");
    EXPECT_EQ(shape(winding, 7, 7), "####...\n####...\n######.\n######.\n######.\n######.\n.......\n");
    EXPECT_EQ(CreatePolygonRgn(points, 9, 7), nullptr);
    DeleteObject(alternate);
    DeleteObject(winding);
}

TEST(PolygonRgn, TriangleTakesPixelsWhoseCentresAreInside) {
    const POINT points[] = {{0, 0}, {4, 0}, {0, 4}};
    const HRGN triangle = CreatePolygonRgn(points, 3, ALTERNATE);
    EXPECT_EQ(shape(triangle, 5, 5), "###..\n##...\n#....\n.....\n.....\n");
    DeleteObject(triangle);
}

TEST(Region, HitTestsBoxesAndEquality) {
    const HRGN r = CreateRectRgn(10, 10, 20, 20);
    EXPECT_TRUE(PtInRegion(r, 10, 10));
    EXPECT_FALSE(PtInRegion(r, 20, 10));
    const RECT touching{20, 10, 30, 20};
    const RECT overlapping{19, 19, 30, 30};
    EXPECT_FALSE(RectInRegion(r, &touching));
    EXPECT_TRUE(RectInRegion(r, &overlapping));
    EXPECT_EQ(OffsetRgn(r, -10, 5), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 15, 10, 25}));
    const HRGN same = CreateRectRgn(10, 25, 0, 15);  // corners in any order
    EXPECT_TRUE(EqualRgn(r, same));
    DeleteObject(r);
    DeleteObject(same);
    EXPECT_FALSE(PtInRegion(r, 5, 20));

    // Pushed beyond the coordinate range the region flattens away safely.
    const HRGN far = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(OffsetRgn(far, 2147483647, 0), NULLREGION);
    EXPECT_EQ(OffsetRgn(far, -2147483647, 0), NULLREGION);
    DeleteObject(far);
}

TEST(Clip, SelectIntersectExcludeAndRestore) {
    Canvas c(6, 4);
    const HRGN left = CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(SelectClipRgn(c.dc, left), SIMPLEREGION);
    DeleteObject(left);  // the DC keeps its own copy
    const int saved = SaveDC(c.dc);
    EXPECT_EQ(IntersectClipRect(c.dc, 1, 0, 6, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(c.dc, 2, 1, 3, 2), COMPLEXREGION);
    const RECT all{0, 0, 6, 4};
    FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(0, 0, 0), all),
              ".###..\n"
              ".#.#..\n"
              ".###..\n"
              "......\n");
    const RECT hidden{4, 0, 6, 4};
    EXPECT_FALSE(RectVisible(c.dc, &hidden));
    EXPECT_TRUE(RestoreDC(c.dc, saved));
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
    EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
    GetClipBox(c.dc, &box);
    EXPECT_EQ(box, all);
}

}  // namespace
