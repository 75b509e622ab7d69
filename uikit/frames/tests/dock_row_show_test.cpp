// Bars shown into a row that already holds others: a bar docked for the whole
// row takes an even share, however many are shown before the next layout, and
// a bar the user sized comes back at its width, also when shown at once; a bar
// that needs a least width for its content gets it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "uikit/frames/dock_layout.h"
#include "uikit/frames/tests/docking_fixture.h"

namespace {

using namespace docking_test;

// The workbook's indexes of the four bars of the bottom row.
constexpr int kOutput = 1, kMemory = 2, kRegister = 3, kWatch = 4;

class DockRowShowTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        build_workbook();
    }
    int width(int index) { return place(bar(index)).Width(); }
    // The bottom dock bar's length less the splitters between `shown` bars.
    int length_for(int shown) {
        CRect row;
        dock_bar(AFX_IDW_DOCKBAR_BOTTOM).GetClientRect(&row);
        return row.Width() - kSecSplitterSize * (shown - 1);
    }
};

TEST_F(DockRowShowTest, BarsShownIntoTheRowShareItEvenly) {
    struct Case {
        const char* how;
        bool idle_between;
    };
    for (const Case c : {Case{"a layout after each", true}, Case{"one layout for all", false}}) {
        SCOPED_TRACE(c.how);
        new_frame();
        build_workbook();
        for (int index : {kWatch, kRegister, kMemory}) {
            frame->ShowControlBar(&bar(index), TRUE, TRUE);
            if (c.idle_between) idle();
        }
        idle();
        // The last bar of the row also takes the pixels the others' shares truncate.
        const int quarter = length_for(4) / 4;
        for (int index : {kOutput, kMemory, kRegister, kWatch})
            EXPECT_LE(std::abs(width(index) - quarter), 3) << kBars[std::size_t(index)].title;
    }
}

TEST_F(DockRowShowTest, ABarTheUserSizedComesBackAtItsWidth) {
    frame->ShowControlBar(&bar(kWatch), TRUE, TRUE);
    idle();
    // The watch bar sized to a quarter of the row, then hidden and shown again.
    bar(kWatch).m_fPctWidth = 0.25f;
    bar(kOutput).m_fPctWidth = 0.75f;
    frame->RecalcLayout();
    idle();
    const int sized = width(kWatch);
    EXPECT_LE(std::abs(sized - length_for(2) / 4), 1);
    frame->ShowControlBar(&bar(kWatch), FALSE, TRUE);
    idle();
    EXPECT_EQ(width(kOutput), length_for(1));
    frame->ShowControlBar(&bar(kWatch), TRUE, TRUE);
    idle();
    EXPECT_EQ(width(kWatch), sized);
}

TEST_F(DockRowShowTest, AHiddenBarShownAgainAtOnceTakesItsShareOfTheRowBack) {
    // Shown without delay, as a bar's menu item or a floating frame's close does it: the row is laid
    // out there and then, with no idle time in between.
    for (const float share : {0.5f, 0.25f}) {
        SCOPED_TRACE(share);
        new_frame();
        build_workbook();
        frame->ShowControlBar(&bar(kWatch), TRUE, TRUE);
        idle();
        bar(kWatch).m_fPctWidth = share;
        bar(kOutput).m_fPctWidth = 1.0f - share;
        frame->RecalcLayout();
        const int shared = width(kWatch);
        EXPECT_LE(std::abs(shared - int(float(length_for(2)) * share)), 1);
        frame->ShowControlBar(&bar(kWatch), FALSE, FALSE);
        EXPECT_EQ(width(kOutput), length_for(1));
        frame->ShowControlBar(&bar(kWatch), TRUE, FALSE);
        EXPECT_TRUE(bar(kWatch).IsWindowVisible());
        EXPECT_EQ(width(kWatch), shared);
        EXPECT_EQ(width(kWatch) + width(kOutput), length_for(2));
    }
}

TEST_F(DockRowShowTest, ABarThatAsksForALeastWidthGetsItAndTheLastBarGivesItUp) {
    bar(kRegister).min_width = 300;
    for (int index : {kWatch, kRegister, kMemory}) frame->ShowControlBar(&bar(index), TRUE, TRUE);
    idle();
    EXPECT_EQ(width(kRegister), 300);
    EXPECT_LE(std::abs(width(kWatch) - length_for(4) / 4), 1);
    EXPECT_LE(std::abs(width(kMemory) - length_for(4) / 4), 1);
    EXPECT_EQ(width(kWatch) + width(kRegister) + width(kMemory) + width(kOutput), length_for(4));
}

}  // namespace
