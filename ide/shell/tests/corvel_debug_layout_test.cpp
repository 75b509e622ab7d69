// The picture of Corvel stopped in a debug run: the source with its execution
// line, and the disassembly, memory, watch and register bars in their places,
// each showing the stop (changed values marked).
#include <gtest/gtest.h>

#include "ide/shell/tests/corvel_fixture.h"
#include "ide/shell/tests/stopped_corvel.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace {

TEST_F(CorvelSampleTest, TheDebugLayoutShowsTheStopInEveryWindow) {
    shell::CMainFrame::SetFixedClock("12:00");
    {
        shell_test::StoppedCorvel corvel(work.path());
        corvel.Run(6);
        corvel.Stop();
        // The stop's messages, then the frame's idle update (the caret's place and the
        // clock in the status bar), painted as the loop would paint it before waiting.
        corvel.HandleQueued();
        EXPECT_TRUE(
            testing_kit::matches_painted_golden(corvel.frame().m_hWnd, "ide/shell/tests/golden/debug_layout.png"));
    }
    shell::CMainFrame::SetFixedClock("");
}

}  // namespace
