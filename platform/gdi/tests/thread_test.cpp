// Two threads drawing with shared fonts and brushes into their own DCs, as
// the simulator's emulation thread paints the LCD beside the window thread.
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gdi/tests/canvas.h"

namespace {

std::vector<gdi::Pixel> paint(HFONT font, HBRUSH brush, int rounds) {
    gdi_test::Canvas c(120, 40);
    SelectObject(c.dc, font);
    for (int i = 0; i < rounds; ++i) {
        const RECT all{0, 0, 120, 40};
        FillRect(c.dc, &all, brush);
        const HPEN pen = CreatePen(PS_DOT, 1, RGB(128, 0, 0));  // objects come and go meanwhile
        const HGDIOBJ old = SelectObject(c.dc, pen);
        MoveToEx(c.dc, 0, 39, nullptr);
        LineTo(c.dc, 119, 0);
        SelectObject(c.dc, old);
        DeleteObject(pen);
        RECT text{2, 2, 118, 38};
        DrawText(c.dc, "Threads \xD6\xD0\xCE\xC4 share glyphs", -1, &text, DT_WORDBREAK | DT_CENTER);
    }
    return c.surface().pixels();
}

TEST(Threads, SharedFontsAndBrushesDrawTheSameFromAnyThread) {
    const HFONT fonts[] = {gdi_test::test_font(12),
                           CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "Arial")};
    const HBRUSH brush = CreateSolidBrush(RGB(200, 220, 240));
    for (const HFONT font : fonts) {
        std::vector<gdi::Pixel> results[4];
        std::vector<std::thread> threads;
        for (auto& result : results) threads.emplace_back([&result, font, brush] { result = paint(font, brush, 25); });
        for (auto& t : threads) t.join();
        const std::vector<gdi::Pixel> alone = paint(font, brush, 1);
        for (const auto& result : results) EXPECT_EQ(result, alone);
        DeleteObject(font);
    }
    DeleteObject(brush);
}

}  // namespace
