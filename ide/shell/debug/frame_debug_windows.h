#pragma once
// The main frame's debug windows as a debug run drives them: the memory views
// and the register panes look into the target's memory once it is mapped;
// before the target runs they keep its values, and after a stop they show it
// with the changes marked while the watches evaluate again; nothing keeps a
// pointer into the memory once it is about to go. The disassembly window
// takes the listings and asks for the range View Assembly Code shows.
#include <optional>

#include "ide/shell/debug/assembly_range.h"

namespace ide {
class DisassemblyPane;
struct TargetViews;
}  // namespace ide

namespace shell {

class CMainFrame;

class FrameDebugWindows {
public:
    explicit FrameDebugWindows(CMainFrame& frame) : frame_(frame) {}

    // The simulator's memory is mapped (the refresh notice).
    void AttachTarget(const ide::TargetViews& views);
    // Before the target runs again: the values the next stop compares with.
    void Snapshot();
    // After a stop: every window reads the target again.
    void Update();
    // The simulator's memory is about to go: every pointer into it is dropped now.
    void DropTargetMemory();

    ide::DisassemblyPane& DisassemblyPane();
    bool DisassemblyVisible() const;
    void ShowDisassembly();
    void ToggleDisassembly();
    void FocusDisassembly();
    // The range the user asks for in the address-range dialog; nothing when cancelled.
    std::optional<AssemblyRange> AskAssemblyRange();

private:
    CMainFrame& frame_;
};

}  // namespace shell
