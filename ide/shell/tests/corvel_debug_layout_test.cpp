// The picture of Corvel stopped in a debug run: the source with its execution
// line, and the disassembly, memory, watch and register bars in their places,
// each showing the stop (changed values marked).
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "ide/shell/tests/corvel_fixture.h"
#include "ide/shell/tests/stopped_corvel.h"
#include "testing/golden.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST_F(CorvelSampleTest, TheDebugLayoutShowsTheStopInEveryWindow) {
    shell::CMainFrame::SetFixedClock("12:00");
    {
        shell_test::StoppedCorvel corvel(work.path());
        corvel.Run(6);
        corvel.Stop();
        // The stop's messages, then the frame's idle update (the caret's place and the
        // clock in the status bar), painted as the loop would paint it before waiting.
        corvel.HandleQueued();
        ::RedrawWindow(corvel.frame().m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

        std::string error;
        ASSERT_TRUE(display.save_png(corvel.frame().m_hWnd, work / "layout.png", &error)) << error;
        EXPECT_TRUE(
            testing_kit::matches_golden("ide/shell/tests/golden/debug_layout.png", ReadBytes(work / "layout.png")));
    }
    shell::CMainFrame::SetFixedClock("");
}

}  // namespace
