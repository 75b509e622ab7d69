// Corvel's main frame in one process on the headless display: the menu bar and
// the four toolbars, the workspace and output bars in their places, the
// project tree of the sample workspace, the debug notices and the bar layout
// kept across starts.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "editor/edit_line.h"
#include "formats/sim_messages.h"
#include "ide/debugger/debug_host.h"
#include "ide/shell/about_box.h"
#include "ide/shell/bars/workspace_tree.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/frame_toolbars.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "ide/shell/splash_wnd.h"
#include "platform/afx/dock_bar.h"
#include "platform/afx/mdi.h"
#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/user/dialog_api.h"
#include "platform/user/input_api.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "testing/temp_dir.h"

namespace {

constexpr UINT ID_INDICATOR_OVR_PANE = 32914;

UINT DockSide(CControlBar& bar) { return bar.m_pDockBar ? UINT(bar.m_pDockBar->GetDlgCtrlID()) : 0; }

class CorvelFrameTest : public StartedCorvelTest {
protected:
    profile::Store Profile() const { return profile::Store::for_program("Marlowquin", "Corvel"); }
};

TEST_F(CorvelFrameTest, TheMenuBarAndFourToolbarsAreAtTheTopAndTheBarsInTheirPlaces) {
    Start();
    ASSERT_NE(frame().GetMenuBar(), nullptr);
    EXPECT_EQ(DockSide(*frame().GetMenuBar()), UINT(AFX_IDW_DOCKBAR_TOP));
    for (const shell::FrameToolBar& defined : shell::FrameToolBars()) {
        SECCustomToolBar* toolbar = frame().toolbar_manager().FindToolBar(defined.id);
        ASSERT_NE(toolbar, nullptr) << defined.title;
        EXPECT_EQ(toolbar->GetWindowText(), defined.title);
        EXPECT_TRUE(toolbar->IsVisible()) << defined.title;
        EXPECT_EQ(DockSide(*toolbar), UINT(AFX_IDW_DOCKBAR_TOP)) << defined.title;
    }
    EXPECT_EQ(DockSide(frame().workspace_bar()), UINT(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(DockSide(frame().output_bar()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(frame().workspace_bar().IsVisible());
    EXPECT_TRUE(frame().output_bar().IsVisible());
}

TEST_F(CorvelFrameTest, TheSampleProjectFillsTheTreeAndItsSourceOpensFromIt) {
    Start();
    SECTreeCtrl& tree = frame().workspace_bar().TreeCtrl();
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/tests/golden/hello_tree.txt", DumpTree(tree)));

    const ide::TreeItem item = app->workspace()->FindSourceItem((work / "hello.asm").string());
    ASSERT_NE(item, 0u);
    tree.SelectItem(ToHandle(item));
    frame().workspace_bar().OpenSelected(false);
    HandleQueued(*app);
    BOOL maximized = FALSE;
    CMDIChildWnd* child = frame().MDIGetActive(&maximized);
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::filesystem::path(view->document()->GetPathName().str()).filename(), "hello.asm");
    EXPECT_TRUE(maximized);  // a source window opens maximized
}

// A debug window added with the frame's one call; the debug side's handler gets the notices.
TEST_F(CorvelFrameTest, DebugNoticesGoToTheDebugSideAndTheEndOfASessionHidesTheDebugBars) {
    Start();
    auto* memory = new SECControlBar;  // goes with the frame, as the frame's own bars do
    memory->m_bAutoDelete = TRUE;
    ASSERT_TRUE(frame().AddDockingBar(*memory, {"Memory Window", 102, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM, true}));
    frame().ShowControlBar(memory, TRUE, FALSE);
    std::vector<UINT> handled;
    frame().SetDebugMessageHandler([&](UINT message, WPARAM, LPARAM, LRESULT& result) {
        handled.push_back(message);
        result = 7;
        return true;
    });

    EXPECT_EQ(frame().SendMessage(formats::WM_SIMLINK, 0x1002FFFF, 0), 7);
    EXPECT_EQ(frame().SendMessage(ide::WM_DEBUGNOTIFY, MAKEWPARAM(0, ide::DbgNotifyRefresh), 0), 7);
    EXPECT_EQ(handled, (std::vector<UINT>{formats::WM_SIMLINK, ide::WM_DEBUGNOTIFY}));
    EXPECT_TRUE(memory->IsVisible());

    EXPECT_EQ(frame().SendMessage(ide::WM_DEBUGNOTIFY, MAKEWPARAM(0, ide::DbgNotifyDebugEnded), 0), 0);
    frame().RecalcLayout();
    EXPECT_FALSE(memory->IsVisible());
    EXPECT_EQ(handled.size(), 2u);
    EXPECT_TRUE(frame().workspace_bar().IsVisible());
}

// The frame's keys and commands: Alt+0 and Alt+2 hide and show the workspace and
// output windows, the toolbars go and come back together, F4 leads to the next
// line that names a source.
TEST_F(CorvelFrameTest, TheFrameCommandsToggleItsBarsAndLeadThroughTheBuildPane) {
    Start();
    const auto press_alt = [&](int key) {
        display.chord(VK_MENU, key);
        HandleQueued(*app);
        frame().RecalcLayout();
    };
    press_alt('0');
    EXPECT_FALSE(frame().workspace_bar().IsVisible());
    press_alt('2');
    EXPECT_FALSE(frame().output_bar().IsVisible());
    press_alt('0');
    press_alt('2');
    EXPECT_TRUE(frame().workspace_bar().IsVisible());
    EXPECT_TRUE(frame().output_bar().IsVisible());

    frame().SendMessage(WM_COMMAND, shell::CMainFrame::kShowToolbars);
    frame().RecalcLayout();
    for (const shell::FrameToolBar& toolbar : shell::FrameToolBars())
        EXPECT_FALSE(frame().toolbar_manager().FindToolBar(toolbar.id)->IsVisible()) << toolbar.title;
    frame().SendMessage(WM_COMMAND, shell::CMainFrame::kShowToolbars);
    frame().RecalcLayout();
    for (const shell::FrameToolBar& toolbar : shell::FrameToolBars())
        EXPECT_TRUE(frame().toolbar_manager().FindToolBar(toolbar.id)->IsVisible()) << toolbar.title;

    frame().SendMessage(WM_COMMAND, shell::CMainFrame::kWorkbookMode);
    EXPECT_FALSE(frame().GetWorkbookMode());
    frame().SendMessage(WM_COMMAND, shell::CMainFrame::kWorkbookMode);
    EXPECT_TRUE(frame().GetWorkbookMode());

    CInfoWnd& pane = frame().output_bar().Pane(OutputPane::build);
    pane.AddLine("Compile ...");
    pane.AddLine("hello.asm(4): error: a made-up fault");
    display.press(VK_F4);
    HandleQueued(*app);
    CMDIChildWnd* child = frame().MDIGetActive();
    ASSERT_NE(child, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->caret().line, 4);
}

TEST_F(CorvelFrameTest, TheBarLayoutAndToolbarSwitchesComeBackAtTheNextStart) {
    Start();
    frame().ShowControlBar(&frame().output_bar(), FALSE, FALSE);
    frame().toolbar_manager().EnableToolTips(FALSE);
    Close();
    {
        const profile::Store profile = Profile();
        EXPECT_EQ(profile.GetProfileInt("FrameState", "MainWindow", 0), -1);
        EXPECT_GT(profile.GetProfileInt("FrameState\\ToolBar-Summary", "Bars", 0), 4);
        EXPECT_EQ(profile.GetProfileInt("FrameState\\ToolBar-ToolBarManager", "ToolTips", 1), 0);
    }

    Start();
    EXPECT_FALSE(frame().output_bar().IsVisible());
    EXPECT_TRUE(frame().workspace_bar().IsVisible());
    EXPECT_EQ(DockSide(frame().workspace_bar()), UINT(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(frame().toolbar_manager().ToolTipsEnabled());
    EXPECT_NE(frame().toolbar_manager().FindToolBar(0xE807), nullptr);
    EXPECT_NE(Profile().GetProfileInt("FrameState", "MainWindow", -1), -1);  // published while it runs
}

// The Insert key switches the active source to overwriting: the OVR pane shows.
TEST_F(CorvelFrameTest, TheOverwritePaneFollowsTheInsertKey) {
    Start();
    ASSERT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 1, 1), 1);
    SECStatusBar& status = frame().status_bar();
    const int pane = status.CommandToIndex(ID_INDICATOR_OVR_PANE);
    ASSERT_GE(pane, 0);
    for (bool overwriting : {false, true, false}) {
        status.OnUpdateCmdUI(&frame(), TRUE);
        EXPECT_EQ((status.GetPaneStyle(pane) & SBPS_DISABLED) == 0, overwriting);
        display.press(VK_INSERT);
        HandleQueued(*app);
    }
}

// The lines of the open source that carry `flag`, 1-based.
std::vector<int> MarkedLines(shell::CVyrFrameDoc& doc, std::uint32_t flag) {
    std::vector<int> lines;
    int number = 1;
    for (editor::EditLine* line = doc.buffer().GetFirstLine(); line; line = line->next, ++number)
        if (line->flags & flag) lines.push_back(number);
    return lines;
}

TEST_F(CorvelFrameTest, BreakpointAndExecutionMarksFollowTheDebugger) {
    Start();
    const std::string source = (work / "hello.asm").string();
    ide::CVyrBreakPointMgr& breakpoints = app->workspace()->GetBreakPoints();
    breakpoints.Add(3, source);
    breakpoints.Add(9, source);
    breakpoints.Add(4, (work / "other.asm").string());
    ASSERT_EQ(app->GoToSourceLine(source, 6, 2), 1);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    shell::CVyrFrameDoc& doc = *view->document();
    EXPECT_EQ(MarkedLines(doc, editor::kLineBreakpoint), (std::vector<int>{3, 9}));  // shown as it opens
    EXPECT_EQ(MarkedLines(doc, editor::kLineExecutionPoint), (std::vector<int>{6}));

    app->GoToSourceLine(source, 8, 2);  // the next stop moves the execution point
    EXPECT_EQ(MarkedLines(doc, editor::kLineExecutionPoint), (std::vector<int>{8}));
    app->ClearLineMarksInAllViews(editor::kLineExecutionPoint);
    EXPECT_TRUE(MarkedLines(doc, editor::kLineExecutionPoint).empty());

    breakpoints.Remove(3, source);
    std::string shouted = source;
    for (char& ch : shouted) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    app->RefreshBreakpointMarks(shouted);
    EXPECT_EQ(MarkedLines(doc, editor::kLineBreakpoint), (std::vector<int>{9}));
}

// F9 on two lines, Corvel closed: the workspace's breakpoint file holds both; the
// next start marks them again and the debugger has them to plant.
TEST_F(CorvelFrameTest, BreakpointsAreSavedWithTheWorkspaceAndComeBackAtTheNextStart) {
    Start();
    const std::string source = (work / "hello.asm").string();
    ASSERT_EQ(app->GoToSourceLine(source, 16, 1), 1);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    display.press(VK_F9);
    HandleQueued(*app);
    view->GoToLine(20);
    display.press(VK_F9);
    HandleQueued(*app);
    EXPECT_EQ(MarkedLines(*view->document(), editor::kLineBreakpoint), (std::vector<int>{16, 20}));
    Close();
    EXPECT_EQ(std::filesystem::file_size(work / "HELLO.EXW"), 2 * sizeof(formats::BreakPointRecord));

    Start();
    const ide::CVyrDebugMgr& debugger = app->debug_session()->manager();
    ASSERT_EQ(debugger.GetBreakPointCount(), 2);
    EXPECT_EQ(debugger.GetBreakPoint(0)->line, 16u);
    EXPECT_EQ(debugger.GetBreakPoint(1)->line, 20u);
    ASSERT_EQ(app->GoToSourceLine(source, 1, 1), 1);
    auto* reopened = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(MarkedLines(*reopened->document(), editor::kLineBreakpoint), (std::vector<int>{16, 20}));
}

std::string FirstLine(shell::CVyrFrameDoc& doc) {
    std::string text = doc.buffer().GetFirstLine()->text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// The question comes once even when the idle work runs again while it is asked;
// Yes reads the file again, No keeps the text and asks no more.
TEST_F(CorvelFrameTest, ASourceChangedOnDiskIsOfferedForReloadOnce) {
    Start();
    const std::filesystem::path source = work / "hello.asm";
    ASSERT_EQ(app->GoToSourceLine(source.string(), 1, 1), 1);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    shell::CVyrFrameDoc& doc = *view->document();

    std::vector<std::string> questions;
    int answer = IDYES;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (!q.message_box) return std::nullopt;
        questions.push_back(q.text);
        app->OnIdle(0);  // as a loop running under the question would
        return answer;
    });
    const auto change_on_disk = [&](const char* text) {
        std::ofstream(source, std::ios::binary) << text;
        std::filesystem::last_write_time(source, std::filesystem::last_write_time(source) + std::chrono::seconds(5));
    };

    change_on_disk("; changed\n");
    app->OnIdle(0);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("modified outside"), std::string::npos) << questions[0];
    EXPECT_EQ(FirstLine(doc), "; changed");

    answer = IDNO;
    change_on_disk("; changed again\n");
    app->OnIdle(0);
    app->OnIdle(0);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(FirstLine(doc), "; changed");
    kit::user::set_dialog_script(nullptr);
}

TEST_F(CorvelFrameTest, TheSplashTakesTheFirstClickAndThenCloses) {
    shell::CVyrSplashWnd::EnableSplashScreen(true);
    Start();
    shell::CVyrSplashWnd* splash = shell::CVyrSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->IsWindowVisible());
    EXPECT_TRUE(testing_kit::matches_painted_golden(splash->m_hWnd, "ide/shell/tests/golden/splash.png"));
    shell::CVyrSplashWnd::ShowSplashScreen(&frame());  // one is up: nothing more
    EXPECT_EQ(shell::CVyrSplashWnd::Current(), splash);

    // A click on the tree while the splash is up only closes it; the next one selects.
    SECTreeCtrl& tree = frame().workspace_bar().TreeCtrl();
    const HTREEITEM bank = tree.GetNextSiblingItem(tree.GetChildItem(tree.GetRootItem()));
    ASSERT_EQ(tree.GetItemText(bank), "MAIN");
    CPoint at(-1, -1);
    for (int y = 0; y < 300 && at.y < 0; ++y)
        if (tree.HitTest(CPoint(70, y), nullptr) == bank) at = CPoint(70, y);
    ASSERT_GE(at.y, 0);
    tree.ClientToScreen(&at);
    const HTREEITEM before = tree.GetSelectedItem();
    ASSERT_NE(before, bank);
    for (int click = 0; click < 2; ++click) {
        display.advance(2000);  // two clicks, not a double click
        kit::user::inject_mouse_button(kit::user::MouseButton::left, true, at);
        kit::user::inject_mouse_button(kit::user::MouseButton::left, false, at);
        HandleQueued(*app);
        EXPECT_EQ(shell::CVyrSplashWnd::Current(), nullptr);
        EXPECT_EQ(tree.GetSelectedItem(), click == 0 ? before : bank) << click;
    }
}

TEST_F(CorvelFrameTest, NoSplashWhenTurnedOff) {
    Start();
    EXPECT_EQ(shell::CVyrSplashWnd::Current(), nullptr);
}

// A window that keeps the commands and key presses it is sent.
class KeyProbe : public CWnd {
public:
    std::vector<UINT> commands, keys;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) keys.push_back(UINT(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A focused window that is not a source window gets each editing key as its
// command and still gets the key press itself; other keys are only keys.
TEST_F(CorvelFrameTest, TheEditingKeysReachAFocusedDockingWindowAsCommandsAndKeys) {
    Start();
    KeyProbe probe;
    const char* cls = AfxRegisterWndClass(0, nullptr, nullptr);
    ASSERT_TRUE(
        probe.CreateEx(0, cls, "probe", WS_CHILD | WS_VISIBLE, 0, 0, 40, 40, frame().output_bar().m_hWnd, nullptr));
    probe.SetFocus();
    struct Case {
        int modifier, key;
        UINT command;  // 0: no command
    };
    for (const Case& c :
         {Case{VK_CONTROL, 'C', 57634}, Case{VK_CONTROL, VK_INSERT, 57634}, Case{VK_CONTROL, 'X', 57635},
          Case{VK_SHIFT, VK_DELETE, 57635}, Case{VK_CONTROL, 'V', 57637}, Case{VK_SHIFT, VK_INSERT, 57637},
          Case{VK_CONTROL, 'Z', 57643}, Case{VK_MENU, VK_BACK, 57643}, Case{VK_CONTROL, 'Y', 57644},
          Case{VK_CONTROL, 'H', 57641}, Case{VK_CONTROL, 'Q', 0}, Case{VK_SHIFT, 'C', 0}}) {
        probe.commands.clear();
        probe.keys.clear();
        display.chord(c.modifier, c.key);
        HandleQueued(*app);
        EXPECT_EQ(probe.commands, c.command ? std::vector<UINT>{c.command} : std::vector<UINT>{})
            << c.modifier << "+" << c.key;
        EXPECT_NE(std::find(probe.keys.begin(), probe.keys.end(), UINT(c.key)), probe.keys.end())
            << c.modifier << "+" << c.key;
    }
    probe.DestroyWindow();
}

// Ctrl+C in the Build pane copies its selected line; in a source window the
// editor alone takes Ctrl+V, so the text is pasted once.
TEST_F(CorvelFrameTest, CopyInTheBuildPaneAndPasteInASourceEachHappenOnce) {
    Start();
    CInfoWnd& pane = frame().output_bar().Pane(OutputPane::build);
    pane.AddLine("Compile ...\nhello.asm(4): error: a made-up fault");
    pane.SelectLines(1, 1);
    pane.SetFocus();
    display.chord(VK_CONTROL, 'C');
    HandleQueued(*app);
    EXPECT_EQ(display.clipboard_text(), "hello.asm(4): error: a made-up fault\r\n");

    ASSERT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 1, 1), 1);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    view->SetFocus();
    const std::string before = FirstLine(*view->document());
    display.set_clipboard_text("X");
    display.chord(VK_CONTROL, 'V');
    HandleQueued(*app);
    EXPECT_EQ(FirstLine(*view->document()), "X" + before);
}

// The hidden sequence shows the credit splash, which outlives its timers and
// closes at the next key; a wrong key on the way starts the sequence again.
TEST_F(CorvelFrameTest, TheHiddenKeySequenceShowsTheCreditSplashUntilAKey) {
    shell::CVyrSplashWnd::EnableSplashScreen(true);
    Start();
    shell::CVyrSplashWnd::HideSplashScreen();  // the start-up one
    const auto type = [&](const std::vector<UINT>& keys) {
        for (UINT key : keys) display.press(int(key));
        HandleQueued(*app);
    };
    const std::vector<UINT> all(std::begin(shell::kCreditKeys), std::end(shell::kCreditKeys));
    std::vector<UINT> broken = all;
    broken.insert(broken.begin() + 2, 'X');
    type(broken);
    type(std::vector<UINT>(all.begin() + 3, all.end()));  // the rest alone is not enough either
    EXPECT_EQ(shell::CVyrSplashWnd::Current(), nullptr);

    type(all);
    shell::CVyrSplashWnd* splash = shell::CVyrSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->mode(), shell::SplashMode::credit);
    display.advance(6000);
    HandleQueued(*app);
    EXPECT_EQ(shell::CVyrSplashWnd::Current(), splash);
    display.press(VK_SPACE);
    HandleQueued(*app);
    EXPECT_EQ(shell::CVyrSplashWnd::Current(), nullptr);
}

// The credit command's dialog has no template: it ends at once and Corvel goes on.
TEST_F(CorvelFrameTest, TheCreditCommandEndsAtOnceWithoutItsDialog) {
    Start();
    EXPECT_EQ(shell::CcreditDlg().DoModal(), -1);
    frame().SendMessage(WM_COMMAND, shell::CMainFrame::kCredits);
    HandleQueued(*app);
    EXPECT_TRUE(frame().IsWindowVisible());
}

}  // namespace
