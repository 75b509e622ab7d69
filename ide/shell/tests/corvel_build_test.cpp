// Corvel builds the sample workspace with the kit's own tools on F7: the build's
// lines reach the Build pane in order while the user interface keeps handling
// messages, and a line that names a source opens it at that line.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "ide/build/tool_programs.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/mdi.h"
#include "platform/display/headless.h"
#include "platform/user/input_api.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

class CorvelBuildTest : public CorvelSampleTest {
protected:
    void SetUp() override {
        CorvelSampleTest::SetUp();
        profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
        const std::string bin = testing_kit::program_path("Dravlin").parent_path().string();
        // As beside an installed Corvel: the kit's tools, start-up object and library.
        store.WriteProfileString(ide::kDirectoriesSection, "Executable files", bin);
        store.WriteProfileString(ide::kDirectoriesSection, "Library files", bin);
        ASSERT_TRUE(store.Flush().ok());
    }
};

TEST_F(CorvelBuildTest, F7BuildsTheWorkspaceIntoTheBuildPaneInOrder) {
    shell::CVyrFrameApp app({(work / "HELLO.WSP").string(), (work / "hello.asm").string()});
    ASSERT_TRUE(app.InitInstance());
    app.build_manager()->SetEndPause(std::chrono::milliseconds(0));
    HandleQueued(app);

    kit::user::inject_key(VK_F7, true);
    kit::user::inject_key(VK_F7, false);
    HandleQueued(app);
    ASSERT_TRUE(app.build_manager()->IsBuilding() ||
                app.main_frame()->output_bar().Pane(OutputPane::build).GetLineCount() > 0);

    // The worker's lines arrive as messages while this loop keeps the user interface going.
    CInfoWnd& pane = app.main_frame()->output_bar().Pane(OutputPane::build);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (app.build_manager()->IsBuilding() && std::chrono::steady_clock::now() < deadline) HandleQueued(app);
    ASSERT_FALSE(app.build_manager()->IsBuilding()) << PaneText(pane);
    HandleQueued(app);

    EXPECT_EQ(PaneText(pane),
              "--------------------Start : HELLO - 6502 Build--------------------\n"
              "Compile ...\n"
              "hello.asm\n"
              "Linking ...\n"
              "HELLO.bin - 0 error(s), 0 warning(s)\n"
              "Packing ...\n"
              "--------------------End : HELLO - 6502 Build--------------------\n");
    EXPECT_TRUE(std::filesystem::exists(work / "DEBUG" / "HELLO.BIN"));

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    HandleQueued(app);
    app.ExitInstance();
}

TEST_F(CorvelBuildTest, AnOutputLineNamingASourceOpensItAtThatLine) {
    shell::CVyrFrameApp app({(work / "HELLO.WSP").string()});
    ASSERT_TRUE(app.InitInstance());
    HandleQueued(app);
    CInfoWnd& pane = app.main_frame()->output_bar().Pane(OutputPane::build);
    pane.AddLine("hello.asm(12): error: a made-up fault");
    app.GoToOutputLine({"hello.asm", 12});
    HandleQueued(app);
    CMDIChildWnd* child = app.main_frame()->MDIGetActive();
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->caret().line, 12);
    EXPECT_EQ(std::filesystem::path(view->document()->GetPathName().str()).filename(), "hello.asm");
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    HandleQueued(app);
    app.ExitInstance();
}

// Find in files from the Edit menu: the dialog starts at the project folder, the
// hits reach the first Find in Files pane while the window keeps answering, and a
// hit inside the workspace file opens that file as text, not as a workspace.
TEST_F(CorvelBuildTest, FindInFilesHitInTheWorkspaceFileOpensItAsText) {
    shell::CVyrFrameApp app({(work / "HELLO.WSP").string()});
    ASSERT_TRUE(app.InitInstance());
    HandleQueued(app);
    display.then([&] {
        const HWND dialog = ::GetActiveWindow();
        ::SetDlgItemText(dialog, 1004, "project");
        ::SetDlgItemText(dialog, 1006, "*.wsp;*.prj");
        display.press(VK_RETURN);
    });
    app.m_pMainWnd->SendMessage(WM_COMMAND, shell::ID_EDIT_FIND_IN_FILES);
    CInfoWnd& pane = app.main_frame()->output_bar().Pane(OutputPane::find_in_files1);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (pane.GetLineCount() < 3 && std::chrono::steady_clock::now() < give_up) HandleQueued(app);
    const std::string folder = (work.path() / "").string();
    EXPECT_EQ(PaneText(pane), "Searching for 'project' ...\n" + folder + "HELLO.WSP(2): #PROJECT=HELLO.PRJ\n" + folder +
                                  "HELLO.PRJ(1): /*   Vyr project file 1.0   */\n" +
                                  "2 occurrence(s) have been found.\n");
    EXPECT_TRUE(pane.NavigateToLine(1));
    HandleQueued(app);
    CMDIChildWnd* child = app.main_frame()->MDIGetActive();
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::filesystem::path(view->document()->GetPathName().str()).filename(), "HELLO.WSP");
    EXPECT_EQ(view->caret().line, 2);
    EXPECT_TRUE(app.workspace()->IsOpen());
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    HandleQueued(app);
    app.ExitInstance();
}

}  // namespace
