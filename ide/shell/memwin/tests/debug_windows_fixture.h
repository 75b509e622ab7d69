#pragma once
// The bars' headless fixture with a fake target (a control block laid out as
// the simulator lays it out) and a look at the colours a window drew.
#include <memory>

#include "ide/debugger/target_memory.h"
#include "ide/debugger/testing/target_fixture.h"
#include "ide/shell/bars/tests/bars_fixture.h"

class DebugWindowsTest : public BarsTest {
protected:
    ide::TargetViews views() { return {target->eram, target->rom}; }
    std::uint8_t* register_block() { return ide::TargetMemory(views()).register_block(); }

    // Pixels of `colour` in a client rectangle of `wnd`, as the screen shows it.
    int count_pixels(CWnd& wnd, CRect area, COLORREF colour) {
        pump();
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(frame->m_hWnd, &picture));
        CRect frame_rect;
        frame->GetWindowRect(&frame_rect);
        wnd.ClientToScreen(&area);
        area.OffsetRect(-frame_rect.left, -frame_rect.top);
        const gdi::Pixel wanted = gdi::pixel_from_colorref(colour);
        int count = 0;
        for (int y = std::max<int>(0, area.top); y < std::min<int>(area.bottom, picture.height()); ++y)
            for (int x = std::max<int>(0, area.left); x < std::min<int>(area.right, picture.width()); ++x)
                count += picture.row(y)[x] == wanted;
        return count;
    }
    void shoot(const std::string& golden) { BarsTest::shoot(golden, "ide/shell/memwin/tests/golden/"); }

    std::unique_ptr<ide::testing::TargetFixture> target = std::make_unique<ide::testing::TargetFixture>();
};
