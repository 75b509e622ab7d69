#include "ide/shell/window_placement.h"

#include <vector>

#include <gtest/gtest.h>

#include "ide/shell/main_window_key.h"
#include "platform/user/styles.h"
#include "platform/user/system_api.h"
#include "testing/temp_dir.h"

namespace {

shell::FramePlacement Placement(UINT show, RECT normal, UINT flags = 0, bool workbook = true) {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    p.flags = flags;
    p.showCmd = show;
    p.ptMinPosition = POINT{-32000, -32000};
    p.rcNormalPosition = normal;
    return {p, workbook};
}

class WindowPlacementTest : public ::testing::Test {
protected:
    testing_kit::TempDir dir;
    profile::Store store{dir / "corvel.profile"};
    const shell::FramePlacement fresh = Placement(SW_SHOWMAXIMIZED, RECT{0, 0, 800, 600}, 0, false);
    shell::FramePlacement RoundTrip(const shell::FramePlacement& closed) {
        shell::SaveWindowPlacement(store, closed);
        EXPECT_TRUE(store.Flush().ok());
        return shell::LoadWindowPlacement(profile::Store(store.file()), fresh);
    }
};

TEST_F(WindowPlacementTest, AWindowReopensAsItWasClosed) {
    struct Case {
        UINT closed;
        UINT flags;
        int stored;
    };
    const Case cases[] = {
        {SW_SHOWNORMAL, 0, SW_RESTORE}, {SW_SHOWMAXIMIZED, 0, SW_SHOWMAXIMIZED}, {SW_SHOWMINIMIZED, 0, SW_RESTORE},
        {SW_MINIMIZE, 0, SW_RESTORE},   {SW_SHOWMINIMIZED, 2, SW_SHOWMAXIMIZED},
    };
    for (const Case& c : cases) {
        const shell::FramePlacement back = RoundTrip(Placement(c.closed, RECT{10, 20, 610, 420}, c.flags));
        EXPECT_EQ(store.GetProfileInt(shell::kPlacementSection, "showCmd", 0), c.stored) << c.closed;
        EXPECT_EQ(static_cast<int>(back.placement.showCmd), c.stored) << c.closed;
        EXPECT_EQ(shell::StoredShowCommand(store, 3), c.stored) << c.closed;
        EXPECT_EQ(back.placement.rcNormalPosition.left, 10);
        EXPECT_EQ(back.placement.rcNormalPosition.bottom, 420);
        EXPECT_EQ(back.placement.ptMinPosition.x, 0);
        EXPECT_TRUE(back.workbook_mode);
    }
}

TEST_F(WindowPlacementTest, AnEmptyProfileKeepsTheCurrentPlacement) {
    const shell::FramePlacement loaded = shell::LoadWindowPlacement(store, fresh);
    EXPECT_EQ(loaded.placement.showCmd, fresh.placement.showCmd);
    EXPECT_EQ(loaded.placement.rcNormalPosition.right, 800);
    EXPECT_FALSE(loaded.workbook_mode);
    EXPECT_EQ(shell::StoredShowCommand(store, 11), 11);
}

TEST_F(WindowPlacementTest, DamagedValuesKeepTheCurrentPlacement) {
    shell::SaveWindowPlacement(store, Placement(SW_SHOWNORMAL, RECT{10, 20, 610, 420}));
    store.WriteProfileString(shell::kPlacementSection, "showCmd", "garbage");
    store.WriteProfileInt(shell::kPlacementSection, "NormalPosRight", -5);
    const shell::FramePlacement loaded = shell::LoadWindowPlacement(store, fresh);
    EXPECT_EQ(loaded.placement.showCmd, fresh.placement.showCmd);
    EXPECT_EQ(loaded.placement.rcNormalPosition.left, 0);
    EXPECT_EQ(loaded.placement.rcNormalPosition.right, 800);
    store.WriteProfileInt(shell::kPlacementSection, "showCmd", 77);
    EXPECT_EQ(shell::StoredShowCommand(store, 3), 3);
}

// A place saved past the screen's edges (8 pixels wider and higher, as a maximised window moved
// by a window manager leaves it) or off the screen comes back inside the work area.
TEST_F(WindowPlacementTest, ASavedPlaceComesBackInsideTheWorkArea) {
    kit::user::set_screen_size(RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 740});
    struct Case {
        RECT saved, loaded;
    };
    const Case cases[] = {
        {{0, 0, 1032, 776}, {0, 0, 1024, 740}},
        {{-4, -4, 1028, 772}, {0, 0, 1024, 740}},
        {{900, 700, 1300, 1000}, {624, 440, 1024, 740}},
        {{10, 20, 610, 420}, {10, 20, 610, 420}},
    };
    for (const Case& c : cases) {
        const RECT back = RoundTrip(Placement(SW_SHOWNORMAL, c.saved)).placement.rcNormalPosition;
        auto sides = [](const RECT& r) { return std::vector<long>{r.left, r.top, r.right, r.bottom}; };
        EXPECT_EQ(sides(back), sides(c.loaded)) << c.saved.left << "," << c.saved.top;
    }
    kit::user::reset_system_tables();
}

TEST_F(WindowPlacementTest, TheMainWindowKeyHoldsTheHandleWhileRunningAndMinusOneAfter) {
    EXPECT_EQ(shell::PublishMainWindow(store, 0x1234), "0x00001234");
    EXPECT_EQ(store.GetProfileInt("FrameState", "MainWindow", 0), 0x1234);
    EXPECT_EQ(shell::ClearMainWindow(store), "0xFFFFFFFF");
    ASSERT_TRUE(store.Flush().ok());
    EXPECT_EQ(profile::Store(store.file()).GetProfileInt("FrameState", "MainWindow", 0), -1);
}

}  // namespace
