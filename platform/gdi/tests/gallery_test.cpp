// A reviewed picture of the controls, edges, shapes and test-font text the
// window layer draws with: any change to how they look shows up here.
// Rewrite with scripts/update-goldens and look at the PNG before committing.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/gdi/tests/canvas.h"
#include "testing/golden.h"

using gdi_test::Canvas;

namespace {

void frame_controls(HDC dc) {
    struct Control {
        UINT type, state;
    };
    const Control controls[] = {
        {DFC_CAPTION, DFCS_CAPTIONCLOSE}, {DFC_CAPTION, DFCS_CAPTIONMIN},
        {DFC_CAPTION, DFCS_CAPTIONMAX},   {DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {DFC_CAPTION, DFCS_CAPTIONHELP},  {DFC_SCROLL, DFCS_SCROLLUP},
        {DFC_SCROLL, DFCS_SCROLLDOWN},    {DFC_SCROLL, DFCS_SCROLLLEFT},
        {DFC_SCROLL, DFCS_SCROLLRIGHT},   {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
        {DFC_BUTTON, DFCS_BUTTONCHECK},   {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO},   {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONPUSH},    {DFC_MENU, DFCS_MENUCHECK},
        {DFC_MENU, DFCS_MENUARROW},       {DFC_MENU, DFCS_MENUBULLET},
    };
    int i = 0;
    for (const Control& c : controls) {
        const UINT states[3] = {0, DFCS_PUSHED, DFCS_INACTIVE};
        for (int v = 0; v < 3; ++v) {
            const LONG x = 2 + (i % 9) * 19, y = 2 + (i / 9) * 42 + v * 14;
            RECT r{x, y, x + 16, y + 13};
            DrawFrameControl(dc, &r, c.type, c.state | states[v]);
        }
        ++i;
    }
}

void edges_shapes_and_text(HDC dc) {
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    for (int i = 0; i < 4; ++i) {
        RECT r{176 + i * 20, 2, 192 + i * 20, 18};
        DrawEdge(dc, &r, edges[i], BF_RECT | BF_MIDDLE);
    }
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, 176, 22, 200, 40);
    RoundRect(dc, 204, 22, 236, 40, 8, 8);
    const POINT star[] = {{246, 22}, {252, 40}, {238, 28}, {254, 28}, {240, 40}};
    Polygon(dc, star, 5);
    const HFONT font = gdi_test::test_font(12);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT text{176, 44, 256, 84};
    DrawText(dc, "&Open file\tCtrl+O", -1, &text, DT_SINGLELINE | DT_EXPANDTABS);
    RECT centred{176, 44, 256, 84};
    DrawText(dc, "Centred", -1, &centred, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DrawFocusRect(dc, &centred);
    SelectObject(dc, old);
    DeleteObject(font);
}

TEST(Gallery, ControlsEdgesShapesAndTestFontText) {
    Canvas c(260, 86, RGB(192, 192, 192));
    frame_controls(c.dc);
    edges_shapes_and_text(c.dc);
    const auto png = gdi::encode_png(c.surface());
    EXPECT_TRUE(testing_kit::matches_golden("platform/gdi/tests/golden/gallery.png",
                                            std::string_view(reinterpret_cast<const char*>(png.data()), png.size())));
}

}  // namespace
