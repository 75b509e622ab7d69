#pragma once
// Corvel's debug run: the debug manager with the IDE as its host, the link on
// which the simulator's notices reach the main frame, the Debug menu's
// commands and their enabling, and a watch over the simulator process so that
// a run never hangs on a simulator that died or never reported.
#include <chrono>
#include <memory>
#include <string>

#include "ide/debugger/debug_manager.h"
#include "ide/shell/debug/corvel_debug_host.h"
#include "ide/shell/debug/frame_debug_windows.h"
#include "platform/user/user.h"

namespace kit::user {
class IpcBridge;
}

namespace shell {

class CMainFrame;

// Where a debug run is: no simulator of a debug run (Idle), started and
// waiting for the program's download (Starting), the target running, or
// stopped at a breakpoint or step.
enum class DebugState { Idle, Starting, Running, Stopped };

class CDebugSession {
public:
    // The run plants and the marks follow `breakpoints`, the workspace's list.
    explicit CDebugSession(ide::CVyrBreakPointMgr& breakpoints);
    ~CDebugSession();
    CDebugSession(const CDebugSession&) = delete;
    CDebugSession& operator=(const CDebugSession&) = delete;

    DebugState state() const;
    ide::CVyrDebugMgr& manager() { return manager_; }
    // The simulator's window once it reported; 0 before.
    ipc::WindowHandle simulator_window() const { return manager_.simulator_window(); }

    // How long a started simulator may take to report the program's download (a minute).
    void SetStartLimit(std::chrono::milliseconds limit) { start_limit_ = limit; }

    // The main frame hands its WM_SIMLINK and WM_DEBUGNOTIFY to the session, and
    // the run drives its debug windows; the watches evaluate where the target stopped.
    void AttachFrame(CMainFrame& frame);
    // The main frame goes: the run ends, and nothing is left pointing at its windows.
    void DetachFrame();
    // The main frame's WM_SIMLINK and WM_DEBUGNOTIFY.
    LRESULT OnSimLink(WPARAM wparam, LPARAM lparam);
    LRESULT OnDebugNotify(WPARAM wparam, LPARAM lparam);
    // The watch, also run by a timer while a run lives: a simulator that ended
    // or never reported ends the run with a message; breakpoints toggled in
    // the sources reach the running target.
    void Poll();
    // The main frame closes: the run ends and the link lets go of the frame.
    void EndRun();

    // A Debug menu command (the application enables them by its command table);
    // false for another id.
    bool RunCommand(UINT id);
    void OnGo();
    void OnExecute();
    void OnStopDebug();
    void OnStepInto();
    void OnStepOver();
    void OnViewAssemblyCode();
    void OnDisassembly();
    void OnTemporaryBreakPoint();

private:
    // Save All and the rebuild question; false when the run must not start now.
    bool ProgramReady();
    bool StartSimulator(ide::SimulatorMode mode);
    bool OpenLink();
    void StartWatch();
    void StopWatch();
    void Tell(const std::string& text) const;

    CorvelDebugHost host_;
    ide::CVyrDebugMgr manager_;
    std::unique_ptr<kit::user::IpcBridge> link_;
    std::unique_ptr<FrameDebugWindows> windows_;  // while the main frame lives
    // A debug-mode simulator started whose download has not been reported yet.
    bool starting_ = false;
    std::chrono::milliseconds start_limit_{std::chrono::minutes(1)};
    std::chrono::steady_clock::time_point start_deadline_;
    bool watching_ = false;
};

}  // namespace shell
