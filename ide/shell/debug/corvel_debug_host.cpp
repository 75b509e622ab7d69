#include "ide/shell/debug/corvel_debug_host.h"

#include <algorithm>
#include <filesystem>

#include "editor/edit_line.h"
#include "ide/build/up_to_date.h"
#include "ide/debugger/simulator_settings.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "platform/os/module.h"

namespace shell {

namespace {

ide::CVyrWorkspaceManager& Workspace() { return *CorvelApp()->workspace(); }

ide::SimulatorSettings Settings() {
    return ide::ReadSimulatorSettings(CorvelApp()->GetProfileStore(), os::module_directory().string() + "/");
}

}  // namespace

std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return std::filesystem::path(path).lexically_normal().string();
}

int CorvelDebugHost::CodeMode() const { return Workspace().GetCodeMode(); }

std::string CorvelDebugHost::ProjectFolder() const { return Workspace().GetProjectFolder(); }

std::string CorvelDebugHost::ProjectName() const { return Workspace().GetWorkspaceName(); }

std::string CorvelDebugHost::SimulatorProgram() const {
    const std::string program = Settings().program;
    return program.empty() ? program : NativePath(program);
}

std::string CorvelDebugHost::RomFile() const { return Settings().rom_file; }

// The image the build's packer writes, so the run loads what was just built.
std::string CorvelDebugHost::ProgramImage() const { return NativePath(ide::ProgramBinPath(Workspace())); }

std::string CorvelDebugHost::DisplayNameBig5() const { return Workspace().GetBig5DisplayName(); }

ipc::WindowHandle CorvelDebugHost::MainWindow() const {
    CMainFrame* frame = CorvelApp()->main_frame();
    return frame ? static_cast<ipc::WindowHandle>(reinterpret_cast<std::uintptr_t>(frame->m_hWnd)) : 0;
}

// A changed breakpoint refreshes the marks of every open source, so the path
// need not travel with the notice.
void CorvelDebugHost::PostDebugNotify(std::uint16_t code, const std::string&) {
    if (CMainFrame* frame = CorvelApp()->main_frame())
        frame->PostMessage(ide::WM_DEBUGNOTIFY, WPARAM(std::uint32_t{code} << 16), 0);
}

void CorvelDebugHost::ReportBreakPoint(const std::string& path, std::uint32_t line, const std::string& why) {
    const std::string text = "The breakpoint at line " + std::to_string(line) + " of " +
                             std::filesystem::path(NativePath(path)).filename().string() +
                             " is kept but not set: " + why;
    if (CMainFrame* frame = CorvelApp()->main_frame()) frame->SetMessageText(text.c_str());
}

void CorvelDebugHost::ReportSimulatorNotEnded(const std::string& why) {
    const std::string text = "The simulator could not be ended and may still be running: " + why;
    if (CMainFrame* frame = CorvelApp()->main_frame()) frame->SetMessageText(text.c_str());
}

void CorvelDebugHost::DropTargetMemory() {
    if (windows_) windows_->DropTargetMemory();
}

void CorvelDebugHost::UpdateDebugWindows() {
    if (windows_) windows_->Update();
}

void CorvelDebugHost::SnapshotDebugWindows() {
    if (windows_) windows_->Snapshot();
}

void CorvelDebugHost::ClearLineMarksInAllViews(std::uint32_t mask) { CorvelApp()->ClearLineMarksInAllViews(mask); }

void CorvelDebugHost::ShowExecutionLine(const std::string& path, std::uint32_t line) {
    // The stop may lie in another source than the last one.
    ClearLineMarksInAllViews(editor::kLineExecutionPoint);
    CorvelApp()->GoToSourceLine(NativePath(path), static_cast<int>(line), 2);
}

bool CorvelDebugHost::DisassemblyVisible() const { return windows_ && windows_->DisassemblyVisible(); }

void CorvelDebugHost::ShowDisassembly() {
    if (windows_) windows_->ShowDisassembly();
}

ide::DisassemblyPane* CorvelDebugHost::DisassemblyOutput() { return windows_ ? &windows_->DisassemblyPane() : nullptr; }

void CorvelDebugHost::FocusDisassembly() {
    if (windows_) windows_->FocusDisassembly();
}

void CorvelDebugHost::BringIdeForward(ipc::WindowHandle) {
    CMainFrame* frame = CorvelApp()->main_frame();
    if (!frame) return;
    ::SetForegroundWindow(frame->m_hWnd);
    frame->SetActiveWindow();
}

void CorvelDebugHost::BringSimulatorForward(ipc::WindowHandle simulator) {
    ::SetForegroundWindow(hwnd_from_value(simulator));
}

}  // namespace shell
