#pragma once
// What a debug window (memory, registers, watch, disassembly) takes from a
// debug run (the main frame hides the debug windows when a run ends). Each window registers itself with the debug session; every
// hook has a default that does nothing, so a window overrides only its own.
#include <optional>

#include "ide/shell/debug/assembly_range.h"

namespace ide {
class CVyrDebugMgr;
class DisassemblyPane;
}  // namespace ide

namespace shell {

class DebugWindow {
public:
    virtual ~DebugWindow() = default;

    // The simulator's memory is mapped: the register block and both views can be taken.
    virtual void AttachTarget(ide::CVyrDebugMgr&) {}
    // Before the target runs again: keep the values to mark changes at the next stop.
    virtual void Snapshot() {}
    // After a stop: read the target again.
    virtual void Update() {}
    // The simulator's memory is about to go: drop every pointer into it now.
    virtual void DropTargetMemory() {}

    // The disassembly window answers these; the others keep the defaults.
    virtual ide::DisassemblyPane* DisassemblyPane() { return nullptr; }
    virtual bool DisassemblyVisible() const { return false; }
    virtual void ShowDisassembly() {}
    virtual void ToggleDisassembly() {}
    virtual void FocusDisassembly() {}
    // The range the user asks for in the address-range dialog; nothing when cancelled.
    virtual std::optional<AssemblyRange> AskAssemblyRange() { return std::nullopt; }
};

}  // namespace shell
