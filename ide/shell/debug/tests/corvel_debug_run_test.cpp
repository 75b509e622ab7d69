// A debug run in Corvel end to end with the real simulator on the headless
// display: the sample workspace is built, a breakpoint is toggled in its
// assembly source, Go starts Talvask (the demo ROM boots, the program is
// downloaded, the start key enters it), the run stops on the breakpoint's
// line with the execution mark in the source view, Step Over moves the mark
// to the next line, and Stop Debug ends the simulator. Along the way a byte
// typed in the memory window is loaded by the step, the register pane marks
// what the step changed, and a watched pointer is marked when the next step
// stores into it. Then simulators that die or never report: each run returns
// to the idle state with a message.
// Every wait is bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "editor/edit_line.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/tests/debug_run_fixture.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/memwin/mem_bar.h"
#include "ide/shell/memwin/register_bar.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/watchwin/disasm_bar.h"
#include "ide/shell/watchwin/disasm_dialogs.h"
#include "ide/shell/watchwin/quick_watch_dlg.h"
#include "platform/user/input_api.h"
#include "formats/breakpoint_record.h"
#include "ide/shell/watchwin/watch_window.h"
#include "ide/debugger/register_model.h"
#include "ide/shell/source_view.h"
#include "platform/afx/mdi.h"
#include "platform/display/headless.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/user/dialog_api.h"
#include "ide/build/tool_programs.h"
#include "platform/profile/store.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using debug_testing::LineFlags;
using debug_testing::PressKey;
using debug_testing::PumpUntil;
using shell::DebugState;

// "LDA #<LCD", the program's first instruction, and the line after it.
constexpr int kBreakLine = 16, kNextLine = 17, kAfterStoreLine = 18;
// "LDA #>LCD_BYTES", twelve bytes on, between two instructions of their own
// addresses: a breakpoint a line off stops elsewhere.
constexpr int kLaterBreakLine = 22;
constexpr std::uint16_t kLaterBreakOffset = 12;
// PTR, the zero-page pointer whose low byte line 17 stores; a pointer cast
// of an address watches the pointer kept there.
constexpr std::uint16_t kPointer = 0x80;
constexpr const char* kPointerWatch = "(unsigned char *)0x80";
// The byte typed over the first instruction's operand.
constexpr const char* kTypedOperand = "5A";
constexpr std::uint32_t kTypedValue = 0x5A;
// The accumulator's byte in the simulator's register block.
constexpr int kAccumulatorByte = 4;

class CorvelDebugRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(ipc::kRuntimeDirVariable, (work / "run").c_str(), 1);
        unsetenv(ipc::kLinkNamespaceVariable);
        setenv("KIT_DISPLAY", "headless", 1);
        setenv("KIT_PROFILE_DIR", (work / "profile").c_str(), 1);
        const std::string failure = debug_testing::PrepareDebugRun(work.path(), folders);
        if (!failure.empty()) GTEST_SKIP() << failure;
        AnswerMessageBoxes();
    }

    // Message boxes are answered No (the rebuild question) and kept; dialogs run on the display's script.
    void AnswerMessageBoxes() {
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (!q.message_box) return std::nullopt;
            asked.push_back(q.text);
            return IDNO;
        });
    }
    void TearDown() override { kit::user::set_dialog_script(nullptr); }

    // The profile's simulator becomes `name`, looked up in the simulator folder, then beside the kit.
    void UseSimulator(const std::string& name) {
        profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
        store.WriteProfileString(ide::kExecutionSection, "vyr simulator", name);
        ASSERT_TRUE(store.Flush().ok());
    }

    shell::CVyrFrameDoc* ActiveDocument(shell::CVyrFrameApp& app) const {
        CMDIChildWnd* child = app.main_frame()->MDIGetActive();
        auto* view = child ? dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView()) : nullptr;
        return view ? view->document() : nullptr;
    }

    testing_kit::TempDir work;
    debug_testing::DebugRunFolders folders;
    kit::display::Headless display;
    std::vector<std::string> asked;
};

TEST_F(CorvelDebugRunTest, BuildGoStopAtABreakpointStepOverAndStopDebug) {
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string(), (folders.workspace / "hello.asm").string()});
    ASSERT_TRUE(app.InitInstance());
    app.build_manager()->SetEndPause(0ms);
    shell::CDebugSession& debug = *app.debug_session();
    debug_testing::Drain(app);

    // Build, then toggle a breakpoint on the first instruction with the editor's own key.
    PressKey(VK_F7);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return !app.build_manager()->IsBuilding(); }, 60s));
    debug_testing::Drain(app);
    shell::CVyrFrameDoc* source = ActiveDocument(app);
    ASSERT_NE(source, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(app.main_frame()->MDIGetActive()->GetActiveView());
    view->GoToLine(kBreakLine);
    PressKey(VK_F9);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return (LineFlags(*source, kBreakLine) & editor::kLineBreakpoint) != 0; }, 2s));
    // On the caret's line and only there.
    for (int line : {kBreakLine - 1, kBreakLine + 1})
        EXPECT_EQ(LineFlags(*source, line) & editor::kLineBreakpoint, 0u) << line;

    // Go: Talvask starts with the IDE's command line, the ROM boots and takes the download.
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() != DebugState::Idle; }, 2s))
        << "Go started nothing";
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Running; }, 45s))
        << "no download notice";
    // The program waits on the device for the user's start key; the status bar says so.
    CWnd* status = app.main_frame()->GetMessageBar();
    ASSERT_NE(status, nullptr);
    CString said;
    status->GetWindowText(said);
    EXPECT_NE(std::string(said).find("F1"), std::string::npos) << "the status bar does not say how the program starts";
    ASSERT_EQ(debug.manager().GetBreakPointCount(), 1);
    EXPECT_EQ(debug.manager().GetBreakPoint(0)->line, kBreakLine);
    EXPECT_NE(debug.manager().GetBreakPoint(0)->target_word, 0u) << "the breakpoint was not planted";

    // The user's start key enters the program, which stops on the breakpoint's line.
    debug_testing::PostStartKey(debug.simulator_window(), true);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Stopped; }, 20s))
        << "no stop";
    debug_testing::PostStartKey(debug.simulator_window(), false);
    status->GetWindowText(said);
    EXPECT_EQ(std::string(said).find("F1"), std::string::npos) << "the start hint outlived the stop";
    ASSERT_EQ(ActiveDocument(app), source);
    EXPECT_EQ(view->caret().line, kBreakLine);
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineExecutionPoint, 0u);
    const std::uint16_t first_pc = debug.manager().session()->stop_pc();

    // Watch PTR, whose low byte line 17 stores.
    shell::CMainFrame& frame = *app.main_frame();
    frame.AddWatch(kPointerWatch);
    CWatchTreeView& watches = frame.watch_bar().Tree();
    ASSERT_NE(watches.GetRootItem(), nullptr);
    const std::string pointer_before = watches.GetItemText(watches.GetRootItem(), 1).str();

    // Type over the operand of "LDA #<LCD" in the memory window: the step loads it.
    frame.ShowControlBar(&frame.memory_bar(), TRUE, FALSE);
    frame.ShowControlBar(&frame.register_bar(), TRUE, FALSE);
    debug_testing::Drain(app);
    CMemWnd& memory = frame.memory_bar().View(0);
    const std::uint16_t operand = first_pc + 1;
    ASSERT_TRUE(memory.SetAddress(operand).ok());
    const ide::MemViewModel& grid = memory.View();
    debug_testing::Drain(app);
    display.click(memory.m_hWnd, {grid.hex_x() * memory.CharWidth() + memory.CharWidth() / 2, memory.RowHeight() / 2});
    display.type(kTypedOperand);
    debug_testing::Drain(app);
    const auto operand_now = debug.manager().session()->ReadTargetDword(operand);
    ASSERT_TRUE(operand_now.has_value());
    EXPECT_EQ(*operand_now & 0xFF, kTypedValue) << "the typed byte did not reach the target";

    // Step Over: the mark moves to the next line, past the two-byte instruction.
    const auto step_over_to = [&](int line) {
        PressKey(VK_F10);
        return PumpUntil(
            app,
            [&] {
                return debug.state() == DebugState::Stopped && (LineFlags(*source, line) & editor::kLineExecutionPoint);
            },
            20s);
    };
    ASSERT_TRUE(step_over_to(kNextLine)) << "the step did not end on the next line";
    EXPECT_EQ(LineFlags(*source, kBreakLine) & editor::kLineExecutionPoint, 0u);
    EXPECT_EQ(debug.manager().session()->stop_pc(), first_pc + 2);

    // The program read the typed byte; the register pane marks A and PC, not X or Y.
    std::uint8_t* registers = debug.manager().GetRegisterBlock();
    ASSERT_NE(registers, nullptr);
    EXPECT_EQ(registers[kAccumulatorByte], kTypedValue);
    const auto register_changed = [&](int line, int column) {
        for (const ide::RegisterModel::DrawnValue& value : frame.register_bar().Pane(0).Model().Values()) {
            if (value.line == line && value.column == column) return value.changed;
        }
        ADD_FAILURE() << "no register drawn at " << line << "," << column;
        return false;
    };
    EXPECT_TRUE(register_changed(0, 8)) << "PC";
    EXPECT_TRUE(register_changed(1, 2)) << "A";
    EXPECT_FALSE(register_changed(1, 8)) << "X";
    EXPECT_FALSE(register_changed(1, 14)) << "Y";

    // Step Over "STA PTR": the watch shows the new value, marked.
    ASSERT_TRUE(step_over_to(kAfterStoreLine)) << "the second step did not end on the line after the store";
    EXPECT_EQ(debug.manager().session()->ReadTargetDword(kPointer).value_or(0) & 0xFF, kTypedValue);
    // Each stop builds the watch rows anew.
    const HTREEITEM pointer_watch = watches.GetRootItem();
    ASSERT_NE(pointer_watch, nullptr);
    const std::string pointer_after = watches.GetItemText(pointer_watch, 1).str();
    EXPECT_NE(pointer_after, pointer_before);
    EXPECT_TRUE(pointer_after.ends_with("5a")) << pointer_after;
    EXPECT_TRUE(watches.IsChanged(pointer_watch)) << pointer_after;
    EXPECT_FALSE(register_changed(1, 2)) << "A kept its value";

    // View Assembly Code: a range past the 64 KB is explained and asked again; the range given
    // is listed (with the bytes around it) in the disassembly window.
    const auto answer_range = [&](const char* start, const char* end) {
        display.then([&, start, end] {
            HWND dialog = ::GetActiveWindow();
            ::SetDlgItemText(dialog, CVyrDisasmInputDlg::kStartEdit, start);
            ::SetDlgItemText(dialog, CVyrDisasmInputDlg::kEndEdit, end);
            display.press(VK_RETURN);
        });
    };
    answer_range("0x4000", "0x10000");
    answer_range("0x4000", "0x4010");
    frame.SendMessage(WM_COMMAND, shell::ID_DEBUG_VIEW_ASSEMBLY);
    debug_testing::Drain(app);
    EXPECT_EQ(display.steps_left(), 0u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked.front().find("0x10000"), std::string::npos) << asked.front();
    asked.clear();
    const CDisasmPane& listing = frame.disassembly_bar().Pane();
    bool listed = false;
    for (int i = 0; i < listing.GetLineCount() && !listed; ++i) listed = listing.GetLine(i).starts_with("4000:");
    EXPECT_TRUE(listed) << listing.GetLineCount() << " lines";

    // Listed around the stop, the disassembly frames the lines the run stops at.
    char stop_text[8];
    std::snprintf(stop_text, sizeof stop_text, "0x%04X", unsigned(first_pc));
    answer_range(stop_text, stop_text);
    frame.SendMessage(WM_COMMAND, shell::ID_DEBUG_VIEW_ASSEMBLY);
    debug_testing::Drain(app);
    const auto line_of = [&](std::uint16_t address) {
        for (int i = 0; i < listing.GetLineCount(); ++i)
            if (DisasmLineAddress(listing.GetLine(i)) == address) return i;
        return -1;
    };
    const auto framed = [&](std::uint16_t address) {
        const int line = line_of(address);
        EXPECT_GE(line, 0) << std::hex << address << " is not listed";
        return listing.HasBreakAt(line);
    };
    EXPECT_TRUE(framed(first_pc)) << "the breakpoint of line " << kBreakLine;
    EXPECT_FALSE(framed(first_pc + 2));

    // Temporary Breakpoint: the address typed into its dialog stops the run there once.
    const std::uint16_t temporary = first_pc + 8;  // "LDA #<LCD_BYTES", two instructions on
    char address[8];
    std::snprintf(address, sizeof address, "0x%04X", unsigned(temporary));
    display.then([&] {
        ::SetDlgItemText(::GetActiveWindow(), CVyrDisasmAddBPDlg::kAddressEdit, address);
        display.press(VK_RETURN);
    });
    frame.SendMessage(WM_COMMAND, shell::ID_DEBUG_TEMP_BREAKPOINT);
    debug_testing::Drain(app);
    EXPECT_EQ(display.steps_left(), 0u);
    EXPECT_TRUE(framed(temporary));
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Stopped && debug.manager().session()->stop_pc() == temporary; },
        20s))
        << "no stop at the temporary breakpoint";
    // Reached, the temporary breakpoint is gone; the stop listed the code around it.
    EXPECT_FALSE(framed(temporary));
    EXPECT_TRUE(framed(first_pc));

    // A breakpoint toggled while stopped is planted on its own line: the run stops there.
    view->GoToLine(kLaterBreakLine);
    PressKey(VK_F9);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return (LineFlags(*source, kLaterBreakLine) & editor::kLineBreakpoint) != 0; }, 2s));
    for (int line : {kLaterBreakLine - 1, kLaterBreakLine + 1})
        EXPECT_EQ(LineFlags(*source, line) & editor::kLineBreakpoint, 0u) << line;
    // Framed at once, on the screen too: the pane repaints what changed.
    const std::uint16_t later = first_pc + kLaterBreakOffset;
    EXPECT_TRUE(framed(later));
    gdi::Surface picture;
    ASSERT_TRUE(testing_kit::painted_picture(frame.m_hWnd, &picture));
    CRect frame_place;
    frame.GetWindowRect(&frame_place);
    CPoint row_top(listing.GetLineHeight() / 2, (line_of(later) - listing.GetTopLine()) * listing.GetLineHeight());
    ::ClientToScreen(listing.m_hWnd, &row_top);
    EXPECT_EQ(picture.at(row_top.x - frame_place.left, row_top.y - frame_place.top),
              gdi::pixel_from_colorref(CDisasmPane::kBreakpointColor));
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Stopped && debug.manager().session()->stop_pc() != temporary; },
        20s))
        << "no stop at the later breakpoint";
    EXPECT_EQ(debug.manager().session()->stop_pc(), first_pc + kLaterBreakOffset);
    bool on_its_line = false;
    for (int i = 0; i < debug.manager().GetBreakPointCount(); ++i)
        on_its_line |= debug.manager().GetBreakPoint(i)->line == kLaterBreakLine;
    EXPECT_TRUE(on_its_line) << "the later breakpoint is not on line " << kLaterBreakLine;
    EXPECT_EQ(view->caret().line, kLaterBreakLine);
    EXPECT_NE(LineFlags(*source, kLaterBreakLine) & editor::kLineExecutionPoint, 0u);
    EXPECT_TRUE(framed(later));

    // Remove All BreakPoints (Ctrl+Shift+F9) leaves nothing framed; F9 frames the first line's code again.
    kit::user::inject_key(VK_CONTROL, true);
    PressKey(VK_F9, /*shift=*/true);
    kit::user::inject_key(VK_CONTROL, false);
    debug_testing::Drain(app);
    ASSERT_EQ(debug.manager().GetBreakPointCount(), 0);
    EXPECT_FALSE(framed(later));
    EXPECT_FALSE(framed(first_pc));
    view->GoToLine(kBreakLine);
    PressKey(VK_F9);
    debug_testing::Drain(app);
    EXPECT_TRUE(framed(first_pc));

    // Stop Debug: idle again, the execution mark gone, the user's breakpoint kept, Talvask ends.
    const ipc::WindowHandle simulator = debug.simulator_window();
    PressKey(VK_F5, /*shift=*/true);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Idle; }, 2s));
    EXPECT_EQ(LineFlags(*source, kNextLine) & editor::kLineExecutionPoint, 0u);
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineBreakpoint, 0u);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return !ipc::is_window(simulator); }, 10s))
        << "Talvask still runs after Stop Debug";

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
    EXPECT_TRUE(asked.empty()) << asked.front();
}

// A session as a user drives it, by the menus' keys: the watch window opened
// and a watch typed in, Ctrl+I on a word of the source, Set Memory from the
// watch's context menu, a byte typed in the memory window, the registers,
// Quick Watch on the word at the caret, the disassembly. Then Corvel is closed
// and started again: the breakpoint is in the workspace's file, marked in the
// source, and the next run stops there.
TEST_F(CorvelDebugRunTest, ASessionByKeysAndTheBreakpointAfterARestart) {
    const auto start = [&](shell::CVyrFrameApp& app) {
        EXPECT_TRUE(app.InitInstance());
        app.build_manager()->SetEndPause(0ms);
        debug_testing::Drain(app);
    };
    const auto run_to_stop = [&](shell::CVyrFrameApp& app) {
        shell::CDebugSession& debug = *app.debug_session();
        PressKey(VK_F5);
        if (!PumpUntil(
                app, [&] { return debug.state() == DebugState::Running; }, 45s))
            return false;
        debug_testing::PostStartKey(debug.simulator_window(), true);
        const bool stopped = PumpUntil(
            app, [&] { return debug.state() == DebugState::Stopped; }, 20s);
        debug_testing::PostStartKey(debug.simulator_window(), false);
        return stopped;
    };
    const auto press = [&](shell::CVyrFrameApp& app, int modifier, int key) {
        if (modifier)
            display.chord(modifier, key);
        else
            display.press(key);
        debug_testing::Drain(app);
    };
    {
        shell::CVyrFrameApp app(
            {(folders.workspace / "HELLO.WSP").string(), (folders.workspace / "hello.asm").string()});
        start(app);
        shell::CMainFrame& frame = *app.main_frame();
        shell::CDebugSession& debug = *app.debug_session();
        press(app, 0, VK_F7);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return !app.build_manager()->IsBuilding(); }, 60s));
        debug_testing::Drain(app);
        shell::CVyrFrameDoc* source = ActiveDocument(app);
        ASSERT_NE(source, nullptr);
        auto* view = dynamic_cast<shell::CVyrFrameView*>(frame.MDIGetActive()->GetActiveView());
        view->GoToLine(kBreakLine);
        press(app, 0, VK_F9);
        ASSERT_TRUE(run_to_stop(app)) << "no stop";
        // The stop brings Corvel forward with the keyboard in the source.
        EXPECT_EQ(::GetForegroundWindow(), frame.m_hWnd);
        EXPECT_EQ(::GetFocus(), view->m_hWnd);

        // Alt+3 opens the watch window with the keyboard in it; a watch is typed onto its empty line.
        press(app, VK_MENU, '3');
        frame.RecalcLayout();
        ASSERT_TRUE(frame.watch_bar().IsVisible());
        CWatchTreeView& watches = frame.watch_bar().Tree();
        EXPECT_EQ(::GetFocus(), watches.m_hWnd);
        watches.SelectItem(watches.EmptyRow());
        display.type("0x400+0x10");
        press(app, 0, VK_RETURN);
        const HTREEITEM typed = watches.GetRootItem();
        ASSERT_NE(typed, nullptr);
        EXPECT_EQ(watches.GetItemText(typed, 0).str(), "0x400+0x10");
        EXPECT_EQ(watches.GetItemText(typed, 1).str(), "1040");  // typed watches show decimal

        // Ctrl+I on a word selected in the source adds it as the first watch.
        view->SetFocus();
        view->GoToLine(kNextLine);
        press(app, 0, VK_END);
        kit::user::inject_key(VK_CONTROL, true);
        kit::user::inject_key(VK_SHIFT, true);
        kit::user::inject_key(VK_LEFT, true);
        kit::user::inject_key(VK_LEFT, false);
        kit::user::inject_key(VK_SHIFT, false);
        kit::user::inject_key(VK_CONTROL, false);
        debug_testing::Drain(app);
        press(app, VK_CONTROL, 'I');
        ASSERT_NE(watches.GetRootItem(), nullptr);
        EXPECT_EQ(watches.GetItemText(watches.GetRootItem(), 0).str(), "PTR");

        // Set Memory on the typed watch, chosen from the watch window's context menu by keys.
        watches.SelectItem(typed);
        display.then([&] {
            display.press(VK_UP);  // the last item: Set Memory
            display.press(VK_RETURN);
        });
        frame.watch_bar().SendMessage(WM_CONTEXTMENU, WPARAM(frame.watch_bar().m_hWnd), MAKELPARAM(-1, -1));
        debug_testing::Drain(app);
        frame.RecalcLayout();
        ASSERT_TRUE(frame.memory_bar().IsVisible());
        CMemWnd& memory = frame.memory_bar().View(0);
        EXPECT_EQ(memory.View().top(), 0x410);

        // A byte typed over the first one shown reaches the target.
        const ide::MemViewModel& grid = memory.View();
        display.click(memory.m_hWnd,
                      {grid.hex_x() * memory.CharWidth() + memory.CharWidth() / 2, memory.RowHeight() / 2});
        display.type(kTypedOperand);
        debug_testing::Drain(app);
        EXPECT_EQ(debug.manager().session()->ReadTargetDword(0x410).value_or(0) & 0xFF, kTypedValue);

        // Alt+5: the registers, at the stop.
        press(app, VK_MENU, '5');
        frame.RecalcLayout();
        EXPECT_TRUE(frame.register_bar().IsVisible());
        EXPECT_FALSE(frame.register_bar().Pane(0).Model().Values().empty());

        // Shift+F9: Quick Watch on the word at the caret.
        view->SetFocus();
        view->GoToLine(kNextLine);
        press(app, 0, VK_END);
        press(app, VK_CONTROL, VK_LEFT);  // onto "PTR"
        std::string expression;
        display.then([&] {
            char text[64] = {};
            ::GetDlgItemText(::GetActiveWindow(), CQWatchDlg::kExpressionCombo, text, sizeof text);
            expression = text;
            display.press(VK_ESCAPE);
        });
        press(app, VK_SHIFT, VK_F9);
        EXPECT_EQ(expression, "PTR");

        // Alt+8: the disassembly around the stop.
        press(app, VK_MENU, '8');
        frame.RecalcLayout();
        EXPECT_TRUE(frame.disassembly_bar().IsVisible());
        char stop[8];
        std::snprintf(stop, sizeof stop, "%04X:", unsigned(debug.manager().session()->stop_pc()));
        const CInfoWnd& listing = frame.disassembly_bar().Pane();
        bool listed = false;
        for (int i = 0; i < listing.GetLineCount() && !listed; ++i) listed = listing.GetLine(i).starts_with(stop);
        EXPECT_TRUE(listed) << stop << " in " << listing.GetLineCount() << " lines";

        press(app, VK_SHIFT, VK_F5);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return debug.state() == DebugState::Idle; }, 10s));
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        debug_testing::Drain(app);
        app.ExitInstance();
    }
    EXPECT_EQ(std::filesystem::file_size(folders.workspace / "HELLO.EXW"), sizeof(formats::BreakPointRecord));

    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
    start(app);
    shell::CVyrFrameDoc* source = nullptr;
    ASSERT_EQ(app.GoToSourceLine((folders.workspace / "hello.asm").string(), 1, 1), 1);
    source = ActiveDocument(app);
    ASSERT_NE(source, nullptr);
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineBreakpoint, 0u);
    ASSERT_TRUE(run_to_stop(app)) << "no stop after the restart";
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineExecutionPoint, 0u);
    press(app, VK_SHIFT, VK_F5);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return app.debug_session()->state() == DebugState::Idle; }, 10s));
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
}

TEST_F(CorvelDebugRunTest, ASimulatorThatEndsOrNeverReportsReturnsTheIdeToIdleWithAMessage) {
    struct Case {
        const char* script;
        const char* message;
    };
    for (const Case& c : {Case{"exit 3", "The simulator ended during the debug run."},
                          Case{"exec sleep 30", "The simulator did not report the program's download in time."}}) {
        SCOPED_TRACE(c.script);
        const std::filesystem::path program = folders.simulator / "standin.sh";
        std::filesystem::remove(program);
        work.write("simulator/standin.sh", std::string("#!/bin/sh\n") + c.script + "\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        UseSimulator("standin.sh");
        asked.clear();

        shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
        ASSERT_TRUE(app.InitInstance());
        shell::CDebugSession& debug = *app.debug_session();
        debug.SetStartLimit(300ms);
        debug_testing::Drain(app);
        PressKey(VK_F5);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return debug.state() == DebugState::Starting; }, 2s));
        // The watch runs on the frame's timer; here it is called as the timer would.
        EXPECT_TRUE(PumpUntil(
            app, [&] { return debug.Poll(), debug.state() == DebugState::Idle; }, 5s));
        ASSERT_FALSE(asked.empty());
        EXPECT_NE(asked.back().find(c.message), std::string::npos) << asked.back();
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        debug_testing::Drain(app);
        app.ExitInstance();
    }
}

TEST_F(CorvelDebugRunTest, ASimulatorKilledDuringTheRunEndsItWithAMessage) {
    UseSimulator("fakesim");
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
    ASSERT_TRUE(app.InitInstance());
    shell::CDebugSession& debug = *app.debug_session();
    debug_testing::Drain(app);
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Running; }, 20s))
        << "no download notice";

    // The stand-in logs its process id first.
    const std::string log = testing_kit::read_file(folders.workspace / "fakesim.log");
    ASSERT_EQ(log.rfind("pid ", 0), 0u) << log;
    ASSERT_EQ(::kill(std::atoi(log.c_str() + 4), SIGKILL), 0);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return debug.Poll(), debug.state() == DebugState::Idle; }, 5s));
    EXPECT_EQ(debug.manager().session(), nullptr);
    EXPECT_EQ(debug.manager().GetRegisterBlock(), nullptr) << "the simulator's memory is still mapped";
    ASSERT_FALSE(asked.empty());
    EXPECT_NE(asked.back().find("The simulator ended during the debug run."), std::string::npos) << asked.back();
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
}

}  // namespace
