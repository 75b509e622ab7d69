// The common-control wrappers reach their controls: a round trip through each.
#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

class CommonControlsTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                    nullptr));
    }
    CWnd parent;
};

TEST_F(CommonControlsTest, EachWrapperRoundTripsThroughItsControl) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 10));
    EXPECT_EQ(tabs.InsertItem(0, "One"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Two"), 1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 110, 200, 130), &parent, 11));
    slider.SetRange(0, 50);
    slider.SetPos(80);  // clamped by the control
    EXPECT_EQ(slider.GetRangeMax(), 50);
    EXPECT_EQ(slider.GetPos(), 50);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 140, 200, 155), &parent, 12));
    progress.SetRange32(0, 10);
    progress.SetPos(3);
    progress.SetStep(2);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 5);

    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(210, 0, 260, 20), &parent, 13));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(260, 0, 275, 20), &parent, 14));
    spin.SetBuddy(&buddy);
    spin.SetRange32(1, 9);
    spin.SetPos32(7);
    EXPECT_EQ(spin.GetPos32(), 7);
    EXPECT_EQ(spin.GetBuddy(), &buddy);

    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &parent, 15));
    const int edges[] = {100, -1};
    EXPECT_TRUE(status.SetParts(2, edges));
    status.SetText("ready", 1);
    EXPECT_STREQ(status.GetText(1), "ready");

    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&parent));
    EXPECT_TRUE(tips.AddTool(&tabs, "The tabs"));
    EXPECT_TRUE(tips.AddTool(&parent, "A corner", CRect(0, 0, 10, 10), 77));
    EXPECT_EQ(tips.GetToolCount(), 2);
    tips.DelTool(&tabs);
    EXPECT_EQ(tips.GetToolCount(), 1);
}

}  // namespace
