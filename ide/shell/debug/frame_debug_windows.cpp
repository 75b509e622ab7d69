#include "ide/shell/debug/frame_debug_windows.h"

#include "ide/debugger/target_memory.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/watchwin/disasm_dialogs.h"

namespace shell {

void FrameDebugWindows::AttachTarget(const ide::TargetViews& views) {
    frame_.register_bar().SetRegisterBlock(ide::TargetMemory(views).register_block());
    frame_.memory_bar().SetTargetMemory(views);
}

void FrameDebugWindows::Snapshot() {
    frame_.memory_bar().SnapshotTarget();
    frame_.register_bar().TakeSnapshot();
}

void FrameDebugWindows::Update() {
    frame_.memory_bar().RefreshFromTarget();
    frame_.register_bar().ShowStopped();
    frame_.watch_bar().RefreshWatches();
}

void FrameDebugWindows::DropTargetMemory() {
    frame_.memory_bar().DropTargetMemory();
    frame_.register_bar().DropTargetMemory();
    frame_.watch_bar().DropTargetMemory();
}

ide::DisassemblyPane& FrameDebugWindows::DisassemblyPane() { return frame_.disassembly_bar().Output(); }

bool FrameDebugWindows::DisassemblyVisible() const { return frame_.disassembly_bar().IsVisible() != FALSE; }

void FrameDebugWindows::ShowDisassembly() { frame_.ShowControlBar(&frame_.disassembly_bar(), TRUE, FALSE); }

void FrameDebugWindows::ToggleDisassembly() {
    frame_.ShowControlBar(&frame_.disassembly_bar(), !frame_.disassembly_bar().IsVisible(), FALSE);
}

void FrameDebugWindows::FocusDisassembly() { frame_.disassembly_bar().Pane().SetFocus(); }

std::optional<AssemblyRange> FrameDebugWindows::AskAssemblyRange() {
    CVyrDisasmInputDlg dialog(&frame_);
    // A range that cannot be shown is explained, and the dialog comes back with what was typed.
    while (dialog.DoModal() == IDOK) {
        const os::Result<AssemblyRange> range = ParseAssemblyRange(dialog.m_start.str(), dialog.m_end.str());
        if (range) return range.value();
        AfxMessageBox(range.error().text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    return std::nullopt;
}

}  // namespace shell
