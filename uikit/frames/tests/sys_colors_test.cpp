// The shared colour record follows the system's colours when refreshed.
#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "uikit/frames/sys_colors.h"

namespace {

TEST(SysColorsTest, TheSharedRecordFollowsAColourChange) {
    kit::display::Headless display;
    const COLORREF before = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(sec_sys_colors().face, before);
    EXPECT_EQ(sec_sys_colors().border_width, 2);
    const int index = COLOR_BTNFACE;
    const COLORREF changed = RGB(10, 20, 30);
    ::SetSysColors(1, &index, &changed);
    RefreshSysColors();
    EXPECT_EQ(sec_sys_colors().face, changed);
    ::SetSysColors(1, &index, &before);
    RefreshSysColors();
    EXPECT_EQ(sec_sys_colors().face, before);
}

}  // namespace
