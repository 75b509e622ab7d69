#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

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

namespace {

struct AlignCase {
    const char* name;
    UINT align;
    RECT cell;  // where the opaque background lands for "AB" at (40, 40)
};

TEST(TextOut, AlignmentMovesTheCellAroundTheReferencePoint) {
    const AlignCase cases[] = {
        {"top left", TA_TOP | TA_LEFT, {40, 40, 56, 56}}, {"bottom", TA_BOTTOM, {40, 24, 56, 40}},
        {"baseline", TA_BASELINE, {40, 28, 56, 44}},      {"right", TA_RIGHT, {24, 40, 40, 56}},
        {"centre", TA_CENTER, {32, 40, 48, 56}},
    };
    for (const AlignCase& a : cases) {
        SCOPED_TRACE(a.name);
        Canvas c(80, 80);
        SelectObject(c.dc, test_font());
        SetBkColor(c.dc, RGB(0, 0, 255));
        SetTextAlign(c.dc, a.align);
        TextOut(c.dc, 40, 40, "AB", 2);
        EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 255)), a.cell);
    }
}

TEST(TextOut, UpdateCurrentPositionAdvancesAcrossCalls) {
    Canvas c(40, 20);
    SelectObject(c.dc, test_font());
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, 4, 0, nullptr);
    TextOut(c.dc, 0, 0, "A", 1);
    TextOut(c.dc, 0, 0, "A", 1);
    POINT p;
    GetCurrentPositionEx(c.dc, &p);
    EXPECT_EQ(p, (POINT{20, 0}));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{5, 4, 19, 12}));
}

struct RotationCase {
    int escapement;
    POINT at;
    RECT background;
    RECT ink;
};

// Up (+90) the cell lies right of the reference point and above it, glyph
// tops facing left; down (-90) it lies left of it and below.
TEST(TextOut, RotatedTextTurnsTheCellAboutTheReferencePoint) {
    const RotationCase cases[] = {
        {900, {20, 30}, {20, 14, 36, 30}, {24, 23, 32, 29}},
        {-900, {60, 10}, {44, 10, 60, 26}, {48, 11, 56, 17}},
        {2700, {60, 10}, {44, 10, 60, 26}, {48, 11, 56, 17}},
    };
    for (const RotationCase& r : cases) {
        SCOPED_TRACE(r.escapement);
        Canvas c(80, 60);
        const HFONT font = gdi_test::test_font(16, r.escapement);
        SelectObject(c.dc, font);
        SetBkColor(c.dc, RGB(0, 0, 255));
        TextOut(c.dc, r.at.x, r.at.y, "A\x01", 2);  // the second cell draws no ink
        EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 255)), r.background);
        EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), r.ink);
    }
}

TEST(ExtTextOut, OpaqueRectangleWithoutTextAndClippedText) {
    Canvas c(40, 20);
    SelectObject(c.dc, test_font());
    SetBkMode(c.dc, TRANSPARENT);
    SetBkColor(c.dc, RGB(0, 255, 0));
    const RECT fill{2, 2, 10, 6};
    ASSERT_TRUE(ExtTextOut(c.dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 255, 0)), fill);

    const RECT clip{0, 0, 12, 16};
    ASSERT_TRUE(ExtTextOut(c.dc, 0, 0, ETO_CLIPPED, &clip, "AA", 2, nullptr));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{1, 4, 12, 12}));
}

TEST(ExtTextOut, SpacingArrayPlacesEachCharacter) {
    Canvas c(40, 20);
    SelectObject(c.dc, test_font());
    SetBkMode(c.dc, TRANSPARENT);
    const int spacing[] = {20, 8};
    ExtTextOut(c.dc, 0, 0, 0, nullptr, "AA", 2, spacing);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{1, 4, 27, 12}));
    // One entry per byte: the double-byte character moves by both of its own.
    Canvas d(60, 20);
    SelectObject(d.dc, test_font());
    SetBkMode(d.dc, TRANSPARENT);
    const int per_byte[] = {10, 12, 8};
    ExtTextOut(d.dc, 0, 0, 0, nullptr,
               "\xD6\xD0"
               "A",
               3, per_byte);
    EXPECT_EQ(gdi_test::ink_bounds(d.surface(), RGB(0, 0, 0)).right, 22 + 7);
}

TEST(TextExtent, TabsGoToStopsOrIntervals) {
    Canvas c(1, 1);
    SelectObject(c.dc, test_font());
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(c.dc, "A\tA", 3, 0, nullptr)), 72);
    const int interval[] = {20};
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(c.dc, "A\tA", 3, 1, interval)), 28);
    const int stops[] = {10, 30};
    EXPECT_EQ(GetTabbedTextExtent(c.dc, "A\tA\tA", 5, 2, stops), MAKELONG(38, 16));
}

TEST(TestFont, BoldSpreadsInkAndEverywhereModeReplacesOtherFaces) {
    Canvas c(20, 20);
    SelectObject(c.dc, gdi_test::test_font(16, 0, FW_BOLD));
    SetBkMode(c.dc, TRANSPARENT);
    TextOut(c.dc, 0, 0, "A", 1);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0)), (RECT{1, 4, 8, 12}));

    SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));
    gdi::set_test_font_everywhere(true);
    TEXTMETRIC tm{};
    GetTextMetrics(c.dc, &tm);
    gdi::set_test_font_everywhere(false);
    EXPECT_EQ(tm.tmHeight, 11);
    EXPECT_EQ(tm.tmAveCharWidth, 5);
}

bool installed(const char* face) {
    for (const auto& family : gdi::font_families())
        if (family.name == face) return true;
    return false;
}

// Whether the stand-in font packages are on this machine, decided from the
// packages' own files and not by the font lookup these tests check.
bool stand_in_fonts_present() {
    return std::filesystem::exists("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf") &&
           std::filesystem::exists("/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf");
}

TEST(InstalledFaces, CourierNewIsFixedPitchAndArialIsProportional) {
    if (!stand_in_fonts_present()) GTEST_SKIP() << "fonts-liberation is not installed (scripts/setup installs it)";
    ASSERT_TRUE(installed("Courier New") && installed("Arial")) << "the installed stand-in fonts were not found";
    Canvas c(1, 1);
    const HFONT courier = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    SelectObject(c.dc, courier);
    SIZE i{}, w{};
    GetTextExtentPoint32(c.dc, "i", 1, &i);
    GetTextExtentPoint32(c.dc, "W", 1, &w);
    EXPECT_EQ(i.cx, w.cx);
    TEXTMETRIC tm{};
    GetTextMetrics(c.dc, &tm);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_EQ(tm.tmAveCharWidth, i.cx);
    char face[LF_FACESIZE];
    GetTextFace(c.dc, sizeof face, face);
    EXPECT_STREQ(face, "Courier New");

    const HFONT arial = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SelectObject(c.dc, arial);
    GetTextExtentPoint32(c.dc, "i", 1, &i);
    GetTextExtentPoint32(c.dc, "W", 1, &w);
    EXPECT_LT(i.cx, w.cx);
    GetTextMetrics(c.dc, &tm);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_GT(tm.tmHeight, 13);  // the em plus internal leading
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(courier);
    DeleteObject(arial);
}

TEST(Fonts, AbsurdSizesStayBounded) {
    Canvas c(10, 10);
    for (const char* face : {gdi::kTestFontFace, "Arial"}) {
        SCOPED_TRACE(face);
        const HFONT huge = CreateFont(-2147483647 - 1, 2000000000, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
        SelectObject(c.dc, huge);
        TEXTMETRIC tm{};
        ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
        EXPECT_LE(tm.tmHeight, 1300);
        EXPECT_TRUE(TextOut(c.dc, 0, 0, "W", 1));
        SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(huge);
    }
}

TEST(InstalledFaces, DoubleByteCharactersDrawFromTheFallbackFace) {
    if (!stand_in_fonts_present()) GTEST_SKIP() << "fonts-liberation is not installed (scripts/setup installs it)";
    ASSERT_TRUE(installed("Arial")) << "the installed stand-in fonts were not found";
    Canvas c(40, 30);
    const HFONT arial = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "Arial");
    SelectObject(c.dc, arial);
    SetBkMode(c.dc, TRANSPARENT);
    const char* zhong = "\xD6\xD0";  // U+4E2D in GBK
    SIZE size{};
    GetTextExtentPoint32(c.dc, zhong, 2, &size);
    EXPECT_GE(size.cx, 12);
    TextOut(c.dc, 0, 0, zhong, 2);
    const RECT ink = gdi_test::ink_bounds(c.surface(), RGB(0, 0, 0));
    EXPECT_GE(ink.bottom - ink.top, 10);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(arial);
}

int collect_fixed(const LOGFONT* font, const TEXTMETRIC* tm, DWORD type, std::intptr_t data) {
    auto* names = reinterpret_cast<std::vector<std::string>*>(data);
    EXPECT_EQ(type, TRUETYPE_FONTTYPE);
    if ((tm->tmPitchAndFamily & TMPF_FIXED_PITCH) == 0) names->push_back(font->lfFaceName);
    return 1;
}

TEST(EnumFontFamilies, FixedPitchFamiliesForTheOptionsPage) {
    Canvas c(1, 1);
    LOGFONT filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    std::vector<std::string> fixed;
    EXPECT_EQ(EnumFontFamiliesEx(c.dc, &filter, collect_fixed, reinterpret_cast<std::intptr_t>(&fixed), 0), 1);
    EXPECT_NE(std::find(fixed.begin(), fixed.end(), gdi::kTestFontFace), fixed.end());
    if (installed("Courier New")) {
        EXPECT_NE(std::find(fixed.begin(), fixed.end(), "Courier New"), fixed.end());
        EXPECT_EQ(std::find(fixed.begin(), fixed.end(), "Arial"), fixed.end());
    }
    // A face name narrows the list; a callback answering 0 stops it.
    std::strcpy(filter.lfFaceName, "kit test cells");
    int calls = 0;
    auto count = [](const LOGFONT*, const TEXTMETRIC*, DWORD, std::intptr_t data) {
        ++*reinterpret_cast<int*>(data);
        return 0;
    };
    EXPECT_EQ(EnumFontFamiliesEx(c.dc, &filter, count, reinterpret_cast<std::intptr_t>(&calls), 0), 0);
    EXPECT_EQ(calls, 1);
    filter.lfCharSet = SYMBOL_CHARSET;
    EXPECT_EQ(EnumFontFamiliesEx(c.dc, &filter, count, reinterpret_cast<std::intptr_t>(&calls), 0), 1);
    EXPECT_EQ(calls, 1);
}

TEST(CodePage, LeadBytesFollowTheChosenCodePage) {
    EXPECT_TRUE(gdi::is_lead_byte(0xD6));
    EXPECT_FALSE(gdi::is_lead_byte('A'));
    ASSERT_TRUE(gdi::set_code_page("CP1252"));
    EXPECT_FALSE(gdi::is_lead_byte(0xD6));
    EXPECT_FALSE(gdi::set_code_page("NO-SUCH-CODE-PAGE"));
    EXPECT_FALSE(gdi::is_lead_byte(0xD6));  // the failed change kept the old page
    ASSERT_TRUE(gdi::set_code_page("GBK"));
    EXPECT_TRUE(gdi::is_lead_byte(0xD6));
}

}  // namespace
