// The main frame's debug windows as the debug side drives them: given the
// target's memory when it is mapped, a snapshot before each run, a refresh at
// each stop, and nothing left pointing into the memory before it is unmapped.
#include "ide/debugger/debug_manager.h"
#include "ide/debugger/target_memory.h"
#include "ide/shell/main_frame.h"

namespace shell {

void CMainFrame::SetTargetMemory(const ide::TargetViews& views) {
    register_bar_.SetRegisterBlock(ide::TargetMemory(views).register_block());
    memory_bar_.SetTargetMemory(views);
}

void CMainFrame::DataWindows::AttachTarget(ide::CVyrDebugMgr& manager) { frame_.SetTargetMemory(manager.views()); }

void CMainFrame::DropTargetMemory() {
    memory_bar_.DropTargetMemory();
    register_bar_.DropTargetMemory();
}

void CMainFrame::SnapshotDebugWindows() {
    memory_bar_.SnapshotTarget();
    register_bar_.TakeSnapshot();
}

void CMainFrame::UpdateDebugWindows() {
    memory_bar_.RefreshFromTarget();
    register_bar_.ShowStopped();
}

}  // namespace shell
