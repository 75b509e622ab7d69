#pragma once
// The IDE's side of a debug run as the debug manager sees it: the workspace's
// facts, the main frame's window and notices, the source views' marks and the
// main frame's debug windows (none before the frame is made and after it goes).
#include "ide/debugger/debug_host.h"
#include "ide/shell/debug/frame_debug_windows.h"

namespace shell {

class CorvelDebugHost : public ide::DebugHost {
public:
    void SetWindows(FrameDebugWindows* windows) { windows_ = windows; }

    int CodeMode() const override;
    std::string ProjectFolder() const override;
    std::string ProjectName() const override;
    std::string SimulatorProgram() const override;
    std::string RomFile() const override;
    std::string ProgramImage() const override;
    std::string DisplayNameBig5() const override;
    ipc::WindowHandle MainWindow() const override;

    void PostDebugNotify(std::uint16_t code, const std::string& path) override;
    void ReportBreakPoint(const std::string& path, std::uint32_t line, const std::string& why) override;
    void ReportSimulatorNotEnded(const std::string& why) override;
    void DropTargetMemory() override;
    void UpdateDebugWindows() override;
    void SnapshotDebugWindows() override;
    void ClearLineMarksInAllViews(std::uint32_t mask) override;
    void ShowExecutionLine(const std::string& path, std::uint32_t line) override;
    bool DisassemblyVisible() const override;
    void ShowDisassembly() override;
    ide::DisassemblyPane* DisassemblyOutput() override;
    void FocusDisassembly() override;
    void BringIdeForward(ipc::WindowHandle simulator) override;
    void BringSimulatorForward(ipc::WindowHandle simulator) override;

private:
    FrameDebugWindows* windows_ = nullptr;
};

// A path as the debugger's files spell it ("C:\P\DEBUG\X.BIN" style separators) in this system's form.
std::string NativePath(std::string path);

}  // namespace shell
