// Corvel's dialogs as a person meets them, headless: Find in Files from the
// Edit menu by keyboard, the standard libraries from the workspace tree's
// context menu, and the splash over a main window that is still coming up.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/find/find_dialog.h"
#include "ide/shell/find/find_settings.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "ide/shell/splash_wnd.h"
#include "ide/shell/bars/workspace_bar.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/mdi.h"
#include "platform/user/input_api.h"

namespace {

class CorvelDialogsTest : public StartedCorvelTest {
protected:
    void SetUp() override {
        StartedCorvelTest::SetUp();
        FailOnStall();
    }
    profile::Store Profile() const { return profile::Store::for_program("Marlowquin", "Corvel"); }

    // The source view of hello.asm, opened and holding the keyboard.
    CWnd* OpenSource() {
        EXPECT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 1, 1), 1);
        CWnd* view = frame().MDIGetActive()->GetActiveView();
        if (view) view->SetFocus();
        HandleQueued(*app);
        return view;
    }
    // Opens Find in Files by Alt+E, I and runs the steps while it is up; the text of its "Find
    // what" box at the end, when Escape ends it.
    std::string WithFindInFiles(const std::vector<std::function<void()>>& steps) {
        std::string typed;
        for (const auto& step : steps) display.then(step);
        display.then([&] {
            typed = WindowText(::GetDlgItem(::GetActiveWindow(), ide::find_ids::kFindWhat));
            display.press(VK_ESCAPE);
        });
        display.chord(VK_MENU, 'E');
        display.press('I');
        HandleQueued(*app);
        return typed;
    }
    static std::string WindowText(HWND hwnd) {
        char text[256] = "";
        ::GetWindowText(hwnd, text, sizeof text);
        return text;
    }
};

// Alt+E, I opens Find in Files with the last string selected, so that typing
// replaces it; Escape ends the dialog and the keyboard is back in the source.
TEST_F(CorvelDialogsTest, FindInFilesByKeyboardReplacesTheLastStringAndGivesTheKeyboardBack) {
    profile::Store profile = Profile();
    profile.WriteProfileString(ide::kFindSection, "Find1", "lda");
    ASSERT_TRUE(profile.Flush().ok());
    Start();
    CWnd* view = OpenSource();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(::GetFocus(), view->m_hWnd);

    const std::string typed = WithFindInFiles({[&] {
        EXPECT_EQ(WindowText(::GetActiveWindow()), "Find In Files");
        display.type("sta");
    }});
    EXPECT_EQ(typed, "sta");
    char name[64] = "";
    ::GetClassName(::GetFocus(), name, sizeof name);
    EXPECT_EQ(::GetFocus(), view->m_hWnd) << name << " " << WindowText(::GetFocus());
}

// While Find in Files is up the main window takes no input: a click on the
// source leaves the dialog active and the keys typed next go into the dialog.
TEST_F(CorvelDialogsTest, AClickOnTheSourceWhileFindInFilesIsUpLeavesTheDialogInCharge) {
    Start();
    auto* view = dynamic_cast<shell::CVyrFrameView*>(OpenSource());
    ASSERT_NE(view, nullptr);

    HWND dialog = nullptr, active_after_click = nullptr;
    const std::string typed = WithFindInFiles({[&] {
                                                   dialog = ::GetActiveWindow();
                                                   display.click(view->m_hWnd, POINT{60, 40});
                                               },
                                               [&] {
                                                   active_after_click = ::GetActiveWindow();
                                                   display.type("zz");
                                               }});
    EXPECT_EQ(active_after_click, dialog);
    EXPECT_EQ(typed, "zz");
    EXPECT_FALSE(view->document()->IsModified());
}

// A right click on the tree's "Library files", or Shift+F10 with it selected,
// offers the group's commands; "Insert Standard Libraries" chosen there by
// keyboard opens its dialog.
TEST_F(CorvelDialogsTest, TheTreesContextMenuOpensTheStandardLibrariesByMouseOrKeyboard) {
    Start();
    SECTreeCtrl& tree = frame().workspace_bar().TreeCtrl();
    const HTREEITEM group = tree.GetChildItem(tree.GetRootItem());
    ASSERT_EQ(tree.GetItemText(group), "Library files");
    CPoint at(-1, -1);
    for (int y = 0; y < 300 && at.y < 0; ++y)
        if (tree.HitTest(CPoint(70, y), nullptr) == group) at = CPoint(70, y);
    ASSERT_GE(at.y, 0);

    for (const bool by_keyboard : {false, true}) {
        std::string shown;
        display.then([&] {
            for (int down = 0; down < 3; ++down) display.press(VK_DOWN);  // past the bar's two own items
            display.press(VK_RETURN);
        });
        display.then([&] {
            shown = WindowText(::GetActiveWindow());
            display.press(VK_ESCAPE);
        });
        if (by_keyboard) {
            tree.SetFocus();
            display.chord(VK_SHIFT, VK_F10);
        } else {
            display.click(tree.m_hWnd, at, kit::user::MouseButton::right);
        }
        HandleQueued(*app);
        EXPECT_EQ(tree.GetSelectedItem(), group);
        EXPECT_EQ(shown, "Select Standard Libraries") << (by_keyboard ? "Shift+F10" : "right click");
        EXPECT_EQ(::GetActiveWindow(), frame().m_hWnd);
    }
}

// The start-up splash is made while the main window is still hidden: it is
// centred on the screen, over the main window it belongs to.
TEST_F(CorvelDialogsTest, TheStartUpSplashIsInTheMiddleOfTheScreen) {
    shell::CVyrSplashWnd::EnableSplashScreen(true);
    Start();
    shell::CVyrSplashWnd* splash = shell::CVyrSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(::GetWindow(splash->m_hWnd, GW_OWNER), frame().m_hWnd);
    RECT work{}, shown{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    splash->GetWindowRect(&shown);
    EXPECT_LE(std::abs((shown.left + shown.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((shown.top + shown.bottom) - (work.top + work.bottom)), 1);
}

}  // namespace
