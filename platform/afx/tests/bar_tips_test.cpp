// Control bars and the pointer: a toolbar with CBRS_FLYBY shows the prompt of
// the button under the pointer in the status bar and the idle text when the
// pointer leaves; with CBRS_TOOLTIPS its tip shows after the platform's delay.
#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"
#include "platform/res/resources.h"
#include "platform/user/tooltips.h"

namespace {

constexpr UINT kOpen = 100, kSave = 101, kNoString = 102;

kit::res::Module& strings() {
    static kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "bar tips test";
        m.strings[kOpen] = "Opens a file\nOpen";
        m.strings[kSave] = "Saves the file\nSave";
        m.strings[AFX_IDS_IDLEMESSAGE] = "Ready";
        return m;
    }();
    return module;
}

class BarTipsTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        kit::res::register_module(&strings());
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        ASSERT_TRUE(status.Create(frame));
        static const UINT panes[] = {0};
        status.SetIndicators(panes, 1);
        ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
        static const UINT buttons[] = {kOpen, kSave, 0, kNoString};
        bar.SetButtons(buttons, 4);
        frame->RecalcLayout();
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        pump();
    }
    void TearDown() override {
        frame->DestroyWindow();  // deletes itself
        pump();
        AfxDeleteTempMaps();  // the wrappers the bars' painting made
        kit::res::unregister_module(&strings());
        AfxTest::TearDown();
    }
    void pump() {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    }
    void hover(int index) {
        CRect area;
        bar.GetItemRect(index, &area);
        display.move(bar.m_hWnd, area.CenterPoint());
        pump();
    }
    void wait(std::uint64_t ms) {
        display.advance(ms);
        pump();
    }
    std::string prompt() const { return status.GetPaneText(0).str(); }
    // The shown tip's text, empty when none shows.
    std::string tip() const {
        HWND tips = frame->GetBarToolTips();
        if (!::IsWindowVisible(tips)) return {};
        char text[100] = {};
        ::GetWindowText(tips, text, int(sizeof text));
        return text;
    }

    CFrameWnd* frame = nullptr;
    CStatusBar status;
    CToolBar bar;
};

TEST_F(BarTipsTest, HoverShowsThePromptAtOnceAndTheTipAfterTheDelay) {
    hover(0);
    EXPECT_EQ(prompt(), "Opens a file") << "the text before the newline";
    wait(400);
    EXPECT_EQ(tip(), "");
    wait(100);
    EXPECT_EQ(tip(), "Open") << "the text after the newline, after the initial delay";

    hover(1);  // moving on from a shown tip: the shorter delay
    EXPECT_EQ(prompt(), "Saves the file");
    wait(100);
    EXPECT_EQ(tip(), "Save");

    hover(2);  // a separator is no tool
    EXPECT_EQ(prompt(), "Ready");
    EXPECT_EQ(tip(), "");

    hover(3);  // a button without a string: an empty prompt and no tip
    EXPECT_EQ(prompt(), "");
    wait(1000);
    EXPECT_EQ(tip(), "");
}

TEST_F(BarTipsTest, LeavingTheBarRestoresTheIdleTextAndHidesTheTip) {
    hover(0);
    wait(500);
    ASSERT_EQ(tip(), "Open");
    display.move(frame->m_hWnd, CPoint(200, 200));  // the frame's client area, off the bar
    pump();
    EXPECT_EQ(prompt(), "Ready");
    EXPECT_EQ(tip(), "");

    hover(0);  // back again: prompt and tip as before
    EXPECT_EQ(prompt(), "Opens a file");
    wait(500);
    EXPECT_EQ(tip(), "Open");
}

TEST_F(BarTipsTest, AClickHidesTheTipAndTheNextMoveShowsThePromptAgain) {
    hover(0);
    wait(500);
    CRect area;
    bar.GetItemRect(0, &area);
    display.click(bar.m_hWnd, area.CenterPoint());
    pump();
    EXPECT_EQ(tip(), "");
    EXPECT_EQ(prompt(), "Ready") << "the released button restores the idle text";
    display.move(bar.m_hWnd, area.CenterPoint() + CSize(1, 0));
    pump();
    EXPECT_EQ(prompt(), "Opens a file");
}

TEST_F(BarTipsTest, EachStyleAloneGivesOnlyItsOwnHelp) {
    bar.SetBarStyle(bar.GetBarStyle() & ~CBRS_FLYBY);
    hover(0);
    wait(500);
    EXPECT_EQ(prompt(), "Ready");
    EXPECT_EQ(tip(), "Open");

    display.move(frame->m_hWnd, CPoint(200, 200));
    pump();
    bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_TOOLTIPS) | CBRS_FLYBY);
    hover(1);
    wait(500);
    EXPECT_EQ(prompt(), "Saves the file");
    EXPECT_EQ(tip(), "");
}

}  // namespace
