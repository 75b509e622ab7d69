// Build lines from a worker thread reach the Build pane in order, and the
// worker never waits for the user-interface thread.
#include <string>
#include <thread>

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/pane_sink.h"
#include "ide/shell/bars/tests/bars_fixture.h"

namespace {

class PaneSinkTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        ASSERT_TRUE(pane.Create(0, 0, CRect(0, 0, 400, 200), frame, 1094));
    }
    void TearDown() override {
        if (pane.m_hWnd) pane.DestroyWindow();
        BarsTest::TearDown();
    }
    void expect_in_order(int count) {
        ASSERT_EQ(pane.GetLineCount(), count);
        for (int i = 0; i < count; ++i) ASSERT_EQ(pane.GetLine(i), "line " + std::to_string(i)) << i;
    }
    CInfoWnd pane;
};

TEST_F(PaneSinkTest, TheWorkerFinishesWhileTheInterfaceThreadIsBusy) {
    constexpr int kLines = 5000;
    {
        PaneSink sink(pane);
        // The user-interface thread handles no message until the worker is done.
        std::thread worker([&] {
            for (int i = 0; i < kLines; ++i) sink.AppendLine("line " + std::to_string(i));
        });
        worker.join();
        EXPECT_EQ(pane.GetLineCount(), 0);
        pump();
        expect_in_order(kLines);
    }
}

TEST_F(PaneSinkTest, LinesArriveInOrderWhileTheInterfaceKeepsAnswering) {
    constexpr int kLines = 20000;
    PaneSink sink(pane);
    std::thread worker([&] {
        for (int i = 0; i < kLines; ++i) sink.AppendLine("line " + std::to_string(i));
    });
    int painted = 0;
    while (pane.GetLineCount() < kLines) {
        pump();
        pane.Invalidate();
        pane.UpdateWindow();  // painting in between never sees a half-added line
        ++painted;
    }
    worker.join();
    pump();
    expect_in_order(kLines);
    EXPECT_GT(painted, 0);
}

TEST_F(PaneSinkTest, ASinkGoingAwayDeliversWhatIsQueuedOnceOnly) {
    {
        PaneSink sink(pane);
        sink.AppendLine("line 0");
    }
    expect_in_order(1);
    pump();  // the notice the sink posted finds no sink
    expect_in_order(1);
    PaneSink again(pane);
    again.AppendLine("line 1");
    again.Deliver();
    pump();
    expect_in_order(2);
}

}  // namespace
