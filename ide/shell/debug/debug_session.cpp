#include "ide/shell/debug/debug_session.h"

#include "formats/sim_messages.h"
#include "ide/build/up_to_date.h"
#include "ide/debugger/disassembler.h"
#include "ide/shell/debug/frame_debug_windows.h"
#include "ide/shell/debug/source_marks.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/watchwin/disasm_dialogs.h"
#include "ide/shell/watchwin/stop_scope.h"
#include "ide/workspace/item_data.h"
#include "platform/afx/app.h"
#include "platform/user/ipc_bridge.h"

namespace shell {

namespace {

constexpr UINT_PTR kWatchTimer = 0xDB60;
constexpr UINT kWatchPeriodMs = 200;

// The device starts a downloaded program only when the user asks it to, on the
// device's own keys; the demo ROM's key for that is F1.
constexpr const char* kStartOnTheDevice =
    "The program is in the simulator: start it there (F1 on the demo ROM) to run to its breakpoints.";

constexpr const char* kRebuildQuestion =
    "Some depended file have been modified, Would you like to rebuild project?(Yes/No)\n"
    "If select Yes, you must click 'go' again!";

// The session whose watch the timer runs (one per IDE).
CDebugSession* g_watched = nullptr;

void OnWatchTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_watched) g_watched->Poll();
}

CMainFrame* Frame() { return CorvelApp()->main_frame(); }

}  // namespace

CDebugSession::CDebugSession(ide::CVyrBreakPointMgr& breakpoints) : manager_(host_, breakpoints) {}

CDebugSession::~CDebugSession() { EndRun(); }

DebugState CDebugSession::state() const {
    if (manager_.connected()) return manager_.stopped() ? DebugState::Stopped : DebugState::Running;
    return starting_ ? DebugState::Starting : DebugState::Idle;
}

void CDebugSession::AttachFrame(CMainFrame& frame) {
    windows_ = std::make_unique<FrameDebugWindows>(frame);
    host_.SetWindows(windows_.get());
    // Asked at every evaluation: outside a stop the watches see no target.
    frame.SetStopScope([this] {
        const ide::CDebugTarget* target = manager_.session();
        return target && manager_.stopped() ? ScopeOfStop(*target) : StopScope{};
    });
    frame.SetDebugMessageHandler([this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
        result = message == formats::WM_SIMLINK ? OnSimLink(wparam, lparam) : OnDebugNotify(wparam, lparam);
        return true;
    });
}

void CDebugSession::DetachFrame() {
    EndRun();
    host_.SetWindows(nullptr);
    windows_.reset();
}

void CDebugSession::Tell(const std::string& text) const { AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION); }

// ---- the simulator's notices --------------------------------------------------------

LRESULT CDebugSession::OnSimLink(WPARAM wparam, LPARAM lparam) {
    const bool was_starting = starting_;
    const int handled = manager_.OnSimulatorMessage(wparam, static_cast<std::uint64_t>(lparam));
    if (manager_.connected()) starting_ = false;
    CMainFrame* frame = Frame();
    if (!frame) return handled;
    const std::uint16_t code = formats::sim_link_code(wparam);
    if (was_starting && code == formats::SimNotifyDownloaded && manager_.connected())
        frame->SetMessageText(kStartOnTheDevice);
    else if (code == formats::SimNotifyStopped && manager_.stopped())
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    return handled;
}

LRESULT CDebugSession::OnDebugNotify(WPARAM wparam, LPARAM) {
    switch (static_cast<std::uint16_t>(wparam >> 16)) {
        case ide::DbgNotifyRefresh:
            if (windows_) windows_->AttachTarget(manager_.views());
            break;
        case ide::DbgNotifyBreakPointChanged: MarkBreakpointLines(manager_); break;
        default: break;
    }
    return 0;
}

void CDebugSession::Poll() {
    const bool was_debugging = manager_.connected() || starting_;
    if (manager_.CheckSimulator()) {
        starting_ = false;
        StopWatch();
        if (was_debugging) Tell("The simulator ended during the debug run. The debug run is over.");
        return;
    }
    if (starting_ && std::chrono::steady_clock::now() >= start_deadline_) {
        manager_.StopDebug();
        starting_ = false;
        StopWatch();
        Tell("The simulator did not report the program's download in time. The debug run was stopped.");
        return;
    }
    if (manager_.connected()) CollectOpenDocumentBreakpoints(manager_);
    if (state() == DebugState::Idle) StopWatch();
}

void CDebugSession::StartWatch() {
    CMainFrame* frame = Frame();
    if (watching_ || !frame) return;
    g_watched = this;
    watching_ = ::SetTimer(frame->m_hWnd, kWatchTimer, kWatchPeriodMs, &OnWatchTimer) != 0;
}

void CDebugSession::StopWatch() {
    if (!watching_) return;
    if (CMainFrame* frame = Frame()) ::KillTimer(frame->m_hWnd, kWatchTimer);
    watching_ = false;
    if (g_watched == this) g_watched = nullptr;
}

void CDebugSession::EndRun() {
    if (state() != DebugState::Idle) manager_.StopDebug();
    starting_ = false;
    StopWatch();
    link_.reset();
}

// ---- commands -----------------------------------------------------------------------

bool CDebugSession::RunCommand(UINT id) {
    switch (id) {
        case ID_DEBUG_GO: OnGo(); return true;
        case ID_DEBUG_EXECUTE: OnExecute(); return true;
        case ID_DEBUG_STOP: OnStopDebug(); return true;
        case ID_DEBUG_STEP_INTO: OnStepInto(); return true;
        case ID_DEBUG_STEP_OVER: OnStepOver(); return true;
        case ID_DEBUG_VIEW_ASSEMBLY: OnViewAssemblyCode(); return true;
        case ID_DEBUG_DISASSEMBLY: OnDisassembly(); return true;
        case ID_DEBUG_TEMP_BREAKPOINT: OnTemporaryBreakPoint(); return true;
        default: return false;
    }
}

bool CDebugSession::ProgramReady() {
    CVyrFrameApp* app = CorvelApp();
    if (!app->workspace() || !app->workspace()->IsOpen()) return false;
    if (!app->SaveAll()) return false;
    if (ide::ProgramImageIsCurrent(*app->workspace())) return true;
    const int answer = AfxMessageBox(kRebuildQuestion, MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        if (CMainFrame* frame = Frame()) frame->SendMessage(WM_COMMAND, ID_BUILD_BUILD);
        return false;
    }
    // Only No runs the old program; a box ended by closing the IDE runs nothing.
    return answer == IDNO;
}

bool CDebugSession::OpenLink() {
    if (link_) return true;
    CMainFrame* frame = Frame();
    std::string why = "there is no main window";
    if (frame) link_ = kit::user::IpcBridge::open(frame->m_hWnd, &why);
    if (!link_) Tell("The IDE cannot take the simulator's messages: " + why + ".");
    return link_ != nullptr;
}

bool CDebugSession::StartSimulator(ide::SimulatorMode mode) {
    if (host_.CodeMode() != 0) {
        Tell("A library project cannot run in the simulator.");
        return false;
    }
    const std::string program = host_.SimulatorProgram();
    if (program.empty()) {
        Tell("The simulator program is not in the executable folders (Options, Directories).");
        return false;
    }
    if (!manager_.StartSimulator(mode)) {
        Tell("The simulator " + program + " cannot be started.");
        return false;
    }
    return true;
}

void CDebugSession::OnGo() {
    if (manager_.connected()) {
        if (!manager_.stopped()) return;
        CollectOpenDocumentBreakpoints(manager_);
        manager_.Continue(true);
        return;
    }
    if (starting_ || !ProgramReady()) return;
    manager_.SetModules(CorvelApp()->workspace()->GetFilesOfCategories(ide::kSourceCategories));
    CollectOpenDocumentBreakpoints(manager_);
    if (!OpenLink() || !StartSimulator(ide::SimulatorMode::Debug)) {
        manager_.ClearModules();
        return;
    }
    starting_ = true;
    start_deadline_ = std::chrono::steady_clock::now() + start_limit_;
    StartWatch();
}

void CDebugSession::OnExecute() {
    if (state() != DebugState::Idle || !ProgramReady()) return;
    StartSimulator(ide::SimulatorMode::Run);
}

void CDebugSession::OnStopDebug() {
    if (state() == DebugState::Idle) return;
    manager_.StopDebug();
    starting_ = false;
}

void CDebugSession::OnStepInto() {
    if (state() != DebugState::Stopped) return;
    CollectOpenDocumentBreakpoints(manager_);
    manager_.StepInto();
}

void CDebugSession::OnStepOver() {
    if (state() != DebugState::Stopped) return;
    CollectOpenDocumentBreakpoints(manager_);
    manager_.StepOver();
}

void CDebugSession::OnViewAssemblyCode() {
    if (state() != DebugState::Stopped || !manager_.session()) return;
    if (!windows_) return;
    const std::optional<AssemblyRange> range = windows_->AskAssemblyRange();
    if (!range) return;
    if (!windows_->DisassemblyVisible()) windows_->ShowDisassembly();
    windows_->FocusDisassembly();
    const ide::CDebugTarget& target = *manager_.session();
    ide::DisassembleRange(target.memory(), windows_->DisassemblyPane(), range->start, range->end, target.stop_pc());
}

// Shows or hides the disassembly window; shown, it lists the code around the stop.
void CDebugSession::OnDisassembly() {
    if (!windows_) return;
    windows_->ToggleDisassembly();
    if (!windows_->DisassemblyVisible()) return;
    windows_->FocusDisassembly();
    if (state() == DebugState::Stopped && manager_.session())
        ide::DisassembleSession(*manager_.session(), windows_->DisassemblyPane());
}

// The run stops once at the address typed into the disassembly window's dialog.
void CDebugSession::OnTemporaryBreakPoint() {
    if (!manager_.session()) return;
    CVyrDisasmAddBPDlg dialog(Frame());
    if (dialog.DoModal() != IDOK) return;
    manager_.SetTempBreakPoint(static_cast<std::uint16_t>(dialog.GetAddress()));
}

}  // namespace shell
