// Tools > Options in Corvel, by keyboard: the choices reach the open source only
// when the sheet ends with OK, and stay in the profile for the next start.
#include <string>

#include "ide/shell/dialogs/options_settings.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/mdi.h"
#include "platform/profile/store.h"

namespace {

class CorvelOptionsTest : public CorvelSampleTest {
protected:
    void SetUp() override {
        CorvelSampleTest::SetUp();
        FailOnStall();
    }
    shell::CVyrFrameView* ActiveView(shell::CVyrFrameApp& app) {
        CMDIChildWnd* child = app.main_frame()->MDIGetActive();
        return child ? dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView()) : nullptr;
    }
    // Keys go through whatever loop runs: the frame's, or the sheet's once it is up.
    void Alt(char letter) { display.chord(VK_MENU, letter); }
};

TEST_F(CorvelOptionsTest, OptionsChosenByKeyboardApplyToTheOpenSourceOnOk) {
    shell::CVyrFrameApp app({(work / "hello.asm").string()});
    ASSERT_TRUE(app.InitInstance());
    HandleQueued(app);
    shell::CVyrFrameView* view = ActiveView(app);
    ASSERT_NE(view, nullptr);
    const editor::EditViewSettings& settings = view->document()->buffer().view_settings();
    ASSERT_EQ(settings.tab_size, 4);
    ASSERT_EQ(settings.font_size, 10);
    const int line_height = view->cells().line_height;

    display.then([&] {
        // General: the Asm files' tab size and spaces for tabs.
        Alt('Y');
        display.press(VK_DOWN);
        Alt('T');
        display.type("8");
        Alt('I');
    });
    display.then([&] {
        // Syntax Format: a larger font for the Asm files.
        display.chord(VK_CONTROL, VK_TAB);
        display.chord(VK_CONTROL, VK_TAB);
        Alt('Y');
        display.press(VK_DOWN);
        Alt('Z');
        display.press(VK_DOWN);
        display.press(VK_DOWN);
    });
    display.then([&] {
        EXPECT_EQ(settings.tab_size, 4) << "nothing applies before OK";
        display.press(VK_RETURN);
    });
    Alt('T');
    display.press('O');
    HandleQueued(app);
    EXPECT_EQ(display.steps_left(), 0u);

    EXPECT_EQ(settings.tab_size, 8);
    EXPECT_EQ(settings.keep_tabs, 0);
    EXPECT_EQ(settings.font_size, 12);
    EXPECT_GT(view->cells().line_height, line_height);

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    HandleQueued(app);
    app.ExitInstance();

    const profile::Store profile = profile::Store::for_program("Marlowquin", "Corvel");
    EXPECT_EQ(profile.GetProfileInt(ide::kAsmFilesSection, "Tab size", 0), 8);
    EXPECT_EQ(profile.GetProfileInt(ide::kAsmFilesSection, "Keep Tabs", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(ide::kAsmFilesSection, "Font Size", 0), 12);
    EXPECT_EQ(profile.GetProfileInt(ide::kCFilesSection, "Tab size", 0), 4);
    EXPECT_EQ(profile.GetProfileInt(ide::kCFilesSection, "Font Size", 0), 10);
}

}  // namespace
