#pragma once
// The main frame's watch and disassembly windows as the debug run sees them:
// the watches evaluate where the target stopped and again at each stop, and
// drop their evaluators before the simulator's memory goes; the disassembly
// window takes the listings and asks for the range View Assembly Code shows.
#include "ide/shell/debug/debug_windows.h"

namespace ide {
class CVyrDebugMgr;
}

namespace shell {

class CMainFrame;

class FrameDebugWindows : public DebugWindow {
public:
    FrameDebugWindows(CMainFrame& frame, const ide::CVyrDebugMgr& manager);

    void Update() override;
    void DropTargetMemory() override;
    ide::DisassemblyPane* DisassemblyPane() override;
    bool DisassemblyVisible() const override;
    void ShowDisassembly() override;
    void ToggleDisassembly() override;
    void FocusDisassembly() override;
    std::optional<AssemblyRange> AskAssemblyRange() override;

private:
    CMainFrame& frame_;
};

}  // namespace shell
