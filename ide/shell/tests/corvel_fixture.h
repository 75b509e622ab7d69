#pragma once
// What the in-process tests of Corvel share: a copy of the sample workspace in a
// folder of its own with its own profile, no splash (it would take the first key
// or click), and the message loop's work done at once.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/splash_wnd.h"
#include "ide/shell/tests/corvel_harness.h"
#include "platform/afx/app.h"
#include "platform/display/headless.h"
#include "platform/user/window_table.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

// An output pane's text, one line a text line.
inline std::string PaneText(const CInfoWnd& pane) {
    std::string text;
    for (int i = 0; i < pane.GetLineCount(); ++i) text += std::string(pane.GetLine(i)) + "\n";
    return text;
}

// Where the popup menu shown now lies on the screen; empty when none is shown.
inline CRect ShownPopupMenu() {
    for (HWND top : kit::user::top_level_windows()) {
        char name[16] = {};
        ::GetClassName(top, name, int(sizeof name));
        CRect place;
        if (std::string(name) == "#32768" && ::IsWindowVisible(top) && ::GetWindowRect(top, &place)) return place;
    }
    return CRect();
}

class CorvelSampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSampleWorkspace(work.path());
        shell::CVyrSplashWnd::EnableSplashScreen(false);
    }
    void TearDown() override { shell::CVyrSplashWnd::EnableSplashScreen(true); }
    // A loop with nothing left to do fails the test and ends, where it would abort.
    void FailOnStall() {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
    }

    testing_kit::TempDir work;
    const testing_kit::ScopedCwd cwd{work.path()};
    kit::display::Headless display;
};

// Corvel started on the sample workspace by Start(), closed as the user would
// by Close() or when the test ends.
class StartedCorvelTest : public CorvelSampleTest {
protected:
    void Start() {
        app = std::make_unique<shell::CVyrFrameApp>(std::vector<std::string>{(work / "HELLO.WSP").string()});
        ASSERT_TRUE(app->InitInstance());
        HandleQueued(*app);
    }
    void Close() {
        app->m_pMainWnd->SendMessage(WM_CLOSE);
        HandleQueued(*app);
        app->ExitInstance();
        app.reset();
    }
    void TearDown() override {
        if (app) Close();
        CorvelSampleTest::TearDown();
    }
    shell::CMainFrame& frame() { return *app->main_frame(); }

    std::unique_ptr<shell::CVyrFrameApp> app;
};
