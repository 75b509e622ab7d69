// Bevels, frame controls, focus and drag frames in the system colours.
#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

using gdi_test::Canvas;

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192), kShadow = RGB(128, 128, 128), kLight = RGB(223, 223, 223),
                   kHilight = RGB(255, 255, 255), kDark = RGB(0, 0, 0);

struct EdgeCase {
    const char* name;
    UINT edge;
    COLORREF outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
};

TEST(DrawEdge, OuterAndInnerLinesTakeTheirColoursAndCornersGoBottomRight) {
    const EdgeCase cases[] = {
        {"raised", EDGE_RAISED, kLight, kDark, kHilight, kShadow},
        {"sunken", EDGE_SUNKEN, kShadow, kHilight, kDark, kLight},
        {"etched", EDGE_ETCHED, kShadow, kHilight, kHilight, kShadow},
        {"bump", EDGE_BUMP, kLight, kDark, kDark, kLight},
    };
    for (const EdgeCase& e : cases) {
        SCOPED_TRACE(e.name);
        Canvas c(8, 8, RGB(1, 2, 3));
        RECT r{0, 0, 8, 8};
        ASSERT_TRUE(DrawEdge(c.dc, &r, e.edge, BF_RECT | BF_MIDDLE | BF_ADJUST));
        EXPECT_EQ(r, (RECT{2, 2, 6, 6}));
        EXPECT_EQ(c.at(0, 0), e.outer_top_left);
        EXPECT_EQ(c.at(7, 0), e.outer_bottom_right);  // the top-right corner
        EXPECT_EQ(c.at(0, 7), e.outer_bottom_right);  // the bottom-left corner
        EXPECT_EQ(c.at(1, 1), e.inner_top_left);
        EXPECT_EQ(c.at(6, 6), e.inner_bottom_right);
        EXPECT_EQ(c.at(3, 3), kFace);
    }
}

TEST(DrawEdge, OnlyTheRequestedSides) {
    Canvas c(6, 6, RGB(1, 2, 3));
    RECT r{0, 0, 6, 6};
    DrawEdge(c.dc, &r, BDR_SUNKENOUTER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(r, (RECT{0, 0, 6, 5}));
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), kHilight), (RECT{0, 5, 6, 6}));
}

TEST(Draw3dRect, TopLeftStopsShortOfTheFarCorners) {
    Canvas c(4, 3);
    const RECT r{0, 0, 4, 3};
    Draw3dRect(c.dc, &r, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(255, 0, 0), r), "###.\n#...\n....\n");
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(0, 0, 255), r), "...#\n...#\n####\n");
}

TEST(DrawFocusRect, DottedOutlineThatASecondCallErases) {
    Canvas c(6, 4, RGB(0, 0, 0));
    const RECT r{0, 0, 6, 4};
    ASSERT_TRUE(DrawFocusRect(c.dc, &r));
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(255, 255, 255), r),
              "#.#.#.\n"
              ".....#\n"
              "#.....\n"
              ".#.#.#\n");
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(255, 255, 255)), (RECT{0, 0, 0, 0}));
}

TEST(DrawDragRect, MovingTheFrameRestoresWhatTheOldOneCovered) {
    Canvas c(12, 12, RGB(0, 0, 0));
    const SIZE thick{2, 2};
    const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT first{0, 0, 8, 8};
    DrawDragRect(c.dc, &first, thick, nullptr, thick, white, white);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(255, 255, 255)), first);
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 0));
    const RECT second{4, 4, 12, 12};
    DrawDragRect(c.dc, &second, thick, &first, thick, white, white);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(255, 255, 255)), second);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0));
    DrawDragRect(c.dc, nullptr, thick, &second, thick, white, white);
    EXPECT_EQ(gdi_test::ink_bounds(c.surface(), RGB(255, 255, 255)), (RECT{0, 0, 0, 0}));
}

TEST(DrawDragRect, DefaultBrushIsTheHalftone) {
    Canvas c(4, 4, RGB(0, 0, 0));
    const RECT r{0, 0, 4, 4};
    DrawDragRect(c.dc, &r, SIZE{4, 4}, nullptr, SIZE{4, 4}, nullptr, nullptr);
    EXPECT_EQ(gdi_test::picture(c.surface(), RGB(255, 255, 255), r), ".#.#\n#.#.\n.#.#\n#.#.\n");
}

struct FrameCase {
    const char* name;
    UINT type, state;
};

// Each control draws inside its rectangle, differs from its neighbours in
// the table, and a pushed or inactive state changes the picture.
TEST(DrawFrameControl, EachKindDrawsDistinctlyAndStatesShowThrough) {
    const FrameCase cases[] = {
        {"push button", DFC_BUTTON, DFCS_BUTTONPUSH},
        {"check box", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {"radio", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {"close", DFC_CAPTION, DFCS_CAPTIONCLOSE},
        {"minimise", DFC_CAPTION, DFCS_CAPTIONMIN},
        {"maximise", DFC_CAPTION, DFCS_CAPTIONMAX},
        {"restore", DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {"help", DFC_CAPTION, DFCS_CAPTIONHELP},
        {"scroll up", DFC_SCROLL, DFCS_SCROLLUP},
        {"scroll down", DFC_SCROLL, DFCS_SCROLLDOWN},
        {"scroll left", DFC_SCROLL, DFCS_SCROLLLEFT},
        {"scroll right", DFC_SCROLL, DFCS_SCROLLRIGHT},
        {"size grip", DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
        {"menu check", DFC_MENU, DFCS_MENUCHECK},
        {"menu arrow", DFC_MENU, DFCS_MENUARROW},
    };
    std::vector<std::vector<gdi::Pixel>> seen;
    for (const FrameCase& f : cases) {
        SCOPED_TRACE(f.name);
        Canvas c(20, 18, RGB(1, 2, 3));
        RECT r{1, 1, 17, 15};
        ASSERT_TRUE(DrawFrameControl(c.dc, &r, f.type, f.state));
        EXPECT_EQ(c.at(0, 0), RGB(1, 2, 3));
        EXPECT_EQ(c.at(17, 15), RGB(1, 2, 3));
        const auto& pixels = c.surface().pixels();
        for (const auto& other : seen) EXPECT_NE(pixels, other);
        seen.push_back(pixels);
        if (f.type != DFC_MENU && f.state != DFCS_SCROLLSIZEGRIP) {
            Canvas pushed(20, 18, RGB(1, 2, 3));
            DrawFrameControl(pushed.dc, &r, f.type, f.state | DFCS_PUSHED);
            EXPECT_NE(pushed.surface().pixels(), pixels);
        }
        Canvas inactive(20, 18, RGB(1, 2, 3));
        DrawFrameControl(inactive.dc, &r, f.type, f.state | DFCS_INACTIVE);
        if (f.state != DFCS_BUTTONPUSH && f.state != DFCS_SCROLLSIZEGRIP) {
            EXPECT_NE(inactive.surface().pixels(), pixels);
        }
    }
    Canvas c(4, 4);
    RECT r{0, 0, 4, 4};
    EXPECT_FALSE(DrawFrameControl(c.dc, &r, 99, 0));
}

}  // namespace
