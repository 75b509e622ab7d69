#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;
using gdi_test::test_font;

namespace {

TEST(TestFont, HasExactCellMetrics) {
    Canvas c(1, 1);
    const HFONT font = test_font(16);
    SelectObject(c.dc, font);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAscent, 12);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32(c.dc, "abc", 3, &size));
    EXPECT_EQ(size, (SIZE{24, 16}));
    // A GBK double-byte character takes two cells.
    ASSERT_TRUE(GetTextExtentPoint32(c.dc, "a\xD6\xD0", 3, &size));
    EXPECT_EQ(size.cx, 24);
}

TEST(TextOut, DrawsTheCodeOfEachCharacterAboveABaselineBar) {
    Canvas c(8, 16);
    SelectObject(c.dc, test_font(16));
    SetBkMode(c.dc, TRANSPARENT);
    ASSERT_TRUE(TextOut(c.dc, 0, 0, "A", 1));  // 0x41: bits 0 and 6
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(0, 0, 0), RECT{0, 0, 8, 16}),
              "........\n"
              "........\n"
              "........\n"
              "........\n"
              ".######.\n"  // bit 6
              "........\n"
              "........\n"
              "........\n"
              "........\n"
              "........\n"
              ".######.\n"  // bit 0
              ".######.\n"  // baseline bar
              "........\n"
              "........\n"
              "........\n"
              "........\n");
}

}  // namespace
