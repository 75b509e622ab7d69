// DrawText flags over the fixed-cell test font: cells are 8 x 16 with the
// baseline bar on row 11; 'A' (0x41) inks rows 4 to 11 of columns 1-6.
#include <string>

#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

struct MeasureCase {
    const char* name;
    const char* text;
    LONG width;
    UINT format;
    RECT expected;
};

TEST(DrawText, CalcRectMeasuresLinesWrapsAndDoubleByteBreaks) {
    const MeasureCase cases[] = {
        {"single line", "AAA", 80, DT_SINGLELINE, {0, 0, 24, 16}},
        {"line breaks", "AA\nAAAA\r\nA", 80, 0, {0, 0, 32, 48}},
        {"CR LF is one break", "A\r\n\r\nA", 80, 0, {0, 0, 8, 48}},
        {"word break", "AAAA AAAA AA", 40, DT_WORDBREAK, {0, 0, 32, 48}},
        {"long word stays whole", "AAAAAAA A", 40, DT_WORDBREAK, {0, 0, 56, 32}},
        {"break between double-byte characters", "\xD6\xD0\xD6\xD0\xD6\xD0", 40, DT_WORDBREAK, {0, 0, 32, 32}},
        {"tabs expanded", "A\tA", 200, DT_EXPANDTABS | DT_SINGLELINE, {0, 0, 72, 16}},
        {"prefix takes no room", "&File", 80, DT_SINGLELINE, {0, 0, 32, 16}},
        {"no prefix", "&File", 80, DT_SINGLELINE | DT_NOPREFIX, {0, 0, 40, 16}},
        {"empty", "", 80, DT_SINGLELINE, {0, 0, 0, 16}},
    };
    Canvas c(1, 1);
    SelectObject(c.dc, gdi_test::test_font());
    for (const MeasureCase& m : cases) {
        SCOPED_TRACE(m.name);
        RECT r{0, 0, m.width, 100};
        const int height = DrawText(c.dc, m.text, -1, &r, m.format | DT_CALCRECT);
        EXPECT_EQ(r, m.expected);
        EXPECT_EQ(height, m.expected.bottom);
    }
    EXPECT_EQ(c.at(0, 0), RGB(255, 255, 255));  // measuring draws nothing
}

struct DrawCase {
    const char* name;
    const char* text;
    UINT format;
    RECT ink;
    int result;
};

TEST(DrawText, PlacesAlignsClipsAndShortensLines) {
    const DrawCase cases[] = {
        {"top left", "AA", DT_SINGLELINE, {1, 4, 15, 12}, 16},
        {"centred both ways", "AA", DT_SINGLELINE | DT_CENTER | DT_VCENTER, {33, 28, 47, 36}, 40},
        {"right and bottom", "AA", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, {65, 52, 79, 60}, 64},
        {"second line", "A\nA", 0, {1, 4, 7, 28}, 32},
        {"clipped to the rectangle", "AAAAAAAAAAAA", DT_SINGLELINE, {1, 4, 79, 12}, 16},
        {"not clipped", "AAAAAAAAAAAA", DT_SINGLELINE | DT_NOCLIP, {1, 4, 95, 12}, 16},
        {"end ellipsis fits the width", "AAAAAAAAAAAA", DT_SINGLELINE | DT_END_ELLIPSIS, {1, 4, 79, 12}, 16},
        {"tab drawn blank without expansion", "A\tA", DT_SINGLELINE, {1, 4, 23, 12}, 16},
        {"tab expanded", "A\tA", DT_SINGLELINE | DT_EXPANDTABS, {1, 4, 71, 12}, 16},
        {"prefix underlines", "&AB", DT_SINGLELINE, {0, 4, 15, 14}, 16},
        {"double ampersand is one", "&&A", DT_SINGLELINE, {1, 4, 15, 12}, 16},
    };
    for (const DrawCase& d : cases) {
        SCOPED_TRACE(d.name);
        Canvas c(100, 70);
        SelectObject(c.dc, gdi_test::test_font());
        SetBkMode(c.dc, TRANSPARENT);
        RECT r{0, 0, 80, 64};
        EXPECT_EQ(DrawText(c.dc, d.text, -1, &r, d.format), d.result);
        EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), d.ink);
    }
}

TEST(DrawText, EllipsisReplacesTheTail) {
    Canvas c(100, 20);
    SelectObject(c.dc, gdi_test::test_font());
    RECT r{0, 0, 80, 16};
    DrawText(c.dc, "AAAAAAAAAAAA", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(c.at(6 * 8 + 1, 4), RGB(0, 0, 0));        // the seventh 'A'
    EXPECT_EQ(c.at(7 * 8 + 1, 4), RGB(255, 255, 255));  // a '.' has no bit 6
    EXPECT_EQ(c.at(7 * 8 + 1, 7), RGB(0, 0, 0));        // but has bit 3
}

TEST(DrawText, OpaqueModeFillsEachLineCellWithTheBackground) {
    Canvas c(40, 40);
    SelectObject(c.dc, gdi_test::test_font());
    SetBkColor(c.dc, RGB(0, 0, 255));
    RECT r{0, 0, 40, 40};
    DrawText(c.dc, "AB\nA", -1, &r, 0);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 255)), (RECT{0, 0, 16, 32}));
    EXPECT_EQ(c.at(9, 17), RGB(255, 255, 255));  // second line is one cell wide
}

}  // namespace

namespace {

// Breaking walks the text once: a long paragraph must not take quadratic time.
TEST(DrawText, LongParagraphWrapsWordByWord) {
    Canvas c(1, 1);
    SelectObject(c.dc, gdi_test::test_font());
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "AAAA ";
    RECT r{0, 0, 40, 0};
    EXPECT_EQ(DrawText(c.dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_CALCRECT), 640000);
    EXPECT_EQ(r.right, 32);
}

}  // namespace
