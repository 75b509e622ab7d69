// Raster operations, depth conversions and stretching on small bitmaps.
#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

struct RopCase {
    const char* name;
    DWORD rop;
};

// With pattern 0xF0, source 0xCC and destination 0xAA in every channel, a
// ternary operation yields its own truth-table byte: each bit position of the
// three inputs enumerates one row of the table.
TEST(RasterOps, EveryOperationTheProgramsUseYieldsItsTruthTable) {
    const RopCase cases[] = {
        {"SRCCOPY", SRCCOPY},     {"SRCPAINT", SRCPAINT},     {"SRCAND", SRCAND},       {"SRCINVERT", SRCINVERT},
        {"SRCERASE", SRCERASE},   {"NOTSRCCOPY", NOTSRCCOPY}, {"MERGECOPY", MERGECOPY}, {"MERGEPAINT", MERGEPAINT},
        {"PATCOPY", PATCOPY},     {"PATPAINT", PATPAINT},     {"PATINVERT", PATINVERT}, {"DSTINVERT", DSTINVERT},
        {"BLACKNESS", BLACKNESS}, {"WHITENESS", WHITENESS},   {"PSDPxax", 0xB8074A},    {"0xE20746", 0xE20746},
        {"0x220326", 0x220326},
    };
    Canvas src(1, 1, RGB(0xCC, 0xCC, 0xCC));
    for (const RopCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas dst(1, 1, RGB(0xAA, 0xAA, 0xAA));
        const HBRUSH pattern = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
        SelectObject(dst.dc, pattern);
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, c.rop));
        const BYTE expected = static_cast<BYTE>(c.rop >> 16);
        EXPECT_EQ(dst.at(0, 0), RGB(expected, expected, expected));
        SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(pattern);
    }
}

TEST(RasterOps, PatBltRefusesOperationsThatNeedASource) {
    Canvas c(1, 1);
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 1, 1, SRCCOPY));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 1, 1, DSTINVERT));
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0));
}

TEST(DepthConversion, ColourToMonoMakesTheSourceBackgroundWhiteAndAllElseBlack) {
    Canvas colour(3, 1, RGB(10, 20, 30));
    SetPixel(colour.dc, 1, 0, RGB(255, 255, 255));  // white, but not the background colour
    SetPixel(colour.dc, 2, 0, RGB(10, 20, 31));
    SetBkColor(colour.dc, RGB(10, 20, 30));
    Canvas mono(3, 1, RGB(0, 0, 0), true);
    ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(mono.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mono.at(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(mono.at(2, 0), RGB(0, 0, 0));
}

TEST(DepthConversion, MonoToColourTakesTextColourForZeroAndBackgroundForOne) {
    Canvas mono(2, 1, RGB(0, 0, 0), true);
    SetPixel(mono.dc, 1, 0, RGB(255, 255, 255));
    Canvas colour(2, 1);
    SetTextColor(colour.dc, RGB(200, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 200));
    ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.at(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(colour.at(1, 0), RGB(0, 0, 200));
}

TEST(DepthConversion, MonoDcKeepsOnlyBlackAndWhiteForAnyColour) {
    Canvas mono(2, 1, RGB(0, 0, 0), true);
    EXPECT_EQ(SetPixel(mono.dc, 0, 0, RGB(192, 192, 192)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(mono.dc, 1, 0, RGB(64, 64, 64)), RGB(0, 0, 0));
    EXPECT_EQ(GetDeviceCaps(mono.dc, BITSPIXEL), 1);
}

// The embossing step of disabled images: where the mask is black the brush
// paints, where it is white the destination stays.
TEST(RasterOps, MaskedBrushThroughAMonochromeMask) {
    Canvas mask(3, 1, RGB(255, 255, 255), true);
    SetPixel(mask.dc, 1, 0, RGB(0, 0, 0));
    Canvas image(3, 1, RGB(192, 192, 192));
    SetTextColor(image.dc, RGB(0, 0, 0));
    SetBkColor(image.dc, RGB(255, 255, 255));
    const HBRUSH highlight = CreateSolidBrush(RGB(255, 255, 255));
    SelectObject(image.dc, highlight);
    ASSERT_TRUE(BitBlt(image.dc, 0, 0, 3, 1, mask.dc, 0, 0, 0xB8074A));
    EXPECT_EQ(image.at(0, 0), RGB(192, 192, 192));
    EXPECT_EQ(image.at(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(image.at(2, 0), RGB(192, 192, 192));
    SelectObject(image.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(highlight);
}

TEST(PatternBrush, MonoTileTakesDcColoursAndFollowsTheBrushOrigin) {
    // Rows padded to 16 bits; 0x55 is 0 1 0 1 ... from the left.
    const BYTE rows[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
    const HBITMAP tile = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH brush = CreatePatternBrush(tile);
    DeleteObject(tile);  // the brush keeps its own copy
    Canvas c(4, 2);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 255, 0));
    const RECT r{0, 0, 4, 2};
    ASSERT_EQ(FillRect(c.dc, &r, brush), 1);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.at(0, 1), RGB(0, 255, 0));
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.at(1, 0), RGB(255, 0, 0));
    DeleteObject(brush);
}

TEST(PatternBrush, TheBrushOriginIsWhereTheTileCornerLands) {
    // One marked pixel in the tile's top-left corner: a pattern that repeats
    // only every 8 pixels, so an origin taken the wrong way round shows.
    const BYTE rows[16] = {0x80, 0};
    const HBITMAP tile = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH brush = CreatePatternBrush(tile);
    DeleteObject(tile);
    Canvas c(12, 10);
    SetTextColor(c.dc, RGB(255, 255, 255));
    SetBkColor(c.dc, RGB(0, 0, 0));  // the set bit
    const RECT r{0, 0, 12, 10};
    const struct {
        POINT origin;
        const char* expected;
    } cases[] = {
        {{0, 0},
         "#.......#...\n............\n............\n............\n............\n............\n............\n"
         "............\n#.......#...\n............\n"},
        {{3, 2},
         "............\n............\n...#.......#\n............\n............\n............\n............\n"
         "............\n............\n............\n"},
        {{6, 9},
         "............\n......#.....\n............\n............\n............\n............\n............\n"
         "............\n............\n......#.....\n"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::Message() << t.origin.x << "," << t.origin.y);
        SetBrushOrgEx(c.dc, t.origin.x, t.origin.y, nullptr);
        ASSERT_EQ(FillRect(c.dc, &r, brush), 1);
        EXPECT_EQ(gdi_test::picture(c.surface(), RGB(0, 0, 0), r), t.expected);
    }
    DeleteObject(brush);
}

TEST(StretchBlt, ScalesByNearestPixelAndMirrorsOnANegativeExtent) {
    Canvas src(2, 1);
    SetPixel(src.dc, 0, 0, RGB(1, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(2, 0, 0));
    Canvas dst(4, 1);
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), RGB(1, 0, 0));
    EXPECT_EQ(dst.at(1, 0), RGB(1, 0, 0));
    EXPECT_EQ(dst.at(2, 0), RGB(2, 0, 0));
    EXPECT_EQ(dst.at(3, 0), RGB(2, 0, 0));
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 2, 1, src.dc, 1, 0, -2, 1, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), RGB(2, 0, 0));
    EXPECT_EQ(dst.at(1, 0), RGB(1, 0, 0));
}

TEST(BitBlt, SourceOutsideItsBitmapLeavesTheDestinationAlone) {
    Canvas src(2, 2, RGB(0, 0, 0));
    Canvas dst(4, 4);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 4, src.dc, -1, -1, SRCCOPY));
    EXPECT_EQ(gdi_test::picture(dst.surface(), RGB(0, 0, 0), RECT{0, 0, 4, 4}),
              "....\n"
              ".##.\n"
              ".##.\n"
              "....\n");
}

struct Rop2Case {
    int mode;
    COLORREF expected;
};

// A pen of 0x0F over a destination of 0x33 per channel.
TEST(Rop2, PenMixModesCombinePenAndDestination) {
    const Rop2Case cases[] = {
        {R2_BLACK, RGB(0, 0, 0)},
        {R2_WHITE, RGB(255, 255, 255)},
        {R2_COPYPEN, RGB(0x0F, 0x0F, 0x0F)},
        {R2_NOTCOPYPEN, RGB(0xF0, 0xF0, 0xF0)},
        {R2_XORPEN, RGB(0x3C, 0x3C, 0x3C)},
        {R2_NOTXORPEN, RGB(0xC3, 0xC3, 0xC3)},
        {R2_NOT, RGB(0xCC, 0xCC, 0xCC)},
        {R2_NOP, RGB(0x33, 0x33, 0x33)},
        {R2_MASKPEN, RGB(0x03, 0x03, 0x03)},
        {R2_MERGEPEN, RGB(0x3F, 0x3F, 0x3F)},
    };
    for (const Rop2Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Canvas canvas(3, 1, RGB(0x33, 0x33, 0x33));
        const HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x0F, 0x0F, 0x0F));
        SelectObject(canvas.dc, pen);
        EXPECT_EQ(SetROP2(canvas.dc, c.mode), R2_COPYPEN);
        MoveToEx(canvas.dc, 0, 0, nullptr);
        LineTo(canvas.dc, 2, 0);
        EXPECT_EQ(canvas.at(0, 0), c.expected);
        EXPECT_EQ(canvas.at(2, 0), RGB(0x33, 0x33, 0x33));  // the end point is not drawn
        SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
}

}  // namespace
