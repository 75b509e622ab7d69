// Corvel ended by SIGTERM while a modal window is up: the window ends as a
// Cancel, the command that opened it finishes, and only then does the main
// window close, saving the workspace. A second signal ends a process at once,
// so each case is a test of its own (ctest runs each in its own process).
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "ide/shell/find/find_dialog.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/user/termination.h"

namespace {

class CorvelCloseTest : public StartedCorvelTest {
protected:
    void SetUp() override {
        StartedCorvelTest::SetUp();
        FailOnStall();
        kit::user::close_on_termination_signals();
    }
    void TearDown() override {
        if (app && !app->m_pMainWnd) {
            app->ExitInstance();
            app.reset();
        }
        StartedCorvelTest::TearDown();
    }

    // Runs `open`, then `steps` while what it opened is up, then sends SIGTERM and lets the
    // loop carry it out.
    void TerminateWhile(const std::function<void()>& open, std::vector<std::function<void()>> steps) {
        Start();
        std::filesystem::remove(work / "HELLO.EXW");
        for (auto& step : steps) display.then(std::move(step));
        display.then([this] {
            opened_caption = Caption(::GetActiveWindow());
            std::raise(SIGTERM);
            // The signal's close reaches the queue from the watching thread.
            MSG msg;
            for (int i = 0; i < 2000 && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
        open();
        HandleQueued(*app);
        EXPECT_EQ(display.steps_left(), 0u);
        EXPECT_EQ(app->m_pMainWnd, nullptr) << "the main window did not close";
        EXPECT_TRUE(std::filesystem::exists(work / "HELLO.EXW")) << "the workspace was not saved";
    }
    static std::string Caption(HWND hwnd) {
        char text[128] = "";
        ::GetWindowText(hwnd, text, sizeof text);
        return text;
    }

    std::string opened_caption;
};

TEST_F(CorvelCloseTest, WhileGoAsksWhetherToBuild) {
    TerminateWhile([this] { display.press(VK_F5); }, {});
    EXPECT_EQ(opened_caption, "Corvel");
}

TEST_F(CorvelCloseTest, WhileFindInFilesIsOpen) {
    TerminateWhile(
        [this] {
            display.chord(VK_MENU, 'E');
            display.press('I');
        },
        {});
    EXPECT_EQ(opened_caption, "Find In Files");
}

TEST_F(CorvelCloseTest, WhileFindInFilesSaysItsFileTypesAreEmpty) {
    TerminateWhile(
        [this] {
            display.chord(VK_MENU, 'E');
            display.press('I');
        },
        {[] {
            HWND dialog = ::GetActiveWindow();
            ::SetDlgItemText(dialog, ide::find_ids::kFindWhat, "lda");
            ::SetDlgItemText(dialog, ide::find_ids::kFileTypes, "");
            ::PostMessage(dialog, WM_COMMAND, IDOK, 0);
        }});
    EXPECT_EQ(opened_caption, "Corvel");
}

TEST_F(CorvelCloseTest, WhileTheNewProjectSheetIsOpen) {
    TerminateWhile([this] { display.chord(VK_CONTROL, 'N'); }, {});
    EXPECT_NE(opened_caption, "");
    EXPECT_EQ(opened_caption.find("Corvel"), std::string::npos) << opened_caption;
}

}  // namespace
