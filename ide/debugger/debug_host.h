#pragma once
// What the debug manager needs of the application, its main frame and the
// workspace, kept behind one interface so that the manager is plain logic.
#include <cstdint>
#include <string>

#include "platform/ipc/window_handles.h"

namespace ide {

class DisassemblyPane;

// WM_DEBUGNOTIFY and its codes, posted to the IDE's own main frame.
inline constexpr std::uint32_t WM_DEBUGNOTIFY = 0x8050;
inline constexpr std::uint16_t DbgNotifyRefresh = 0x1021;
inline constexpr std::uint16_t DbgNotifyDebugEnded = 0x80B6;
inline constexpr std::uint16_t DbgNotifyBreakPointChanged = 0x80B7;

class DebugHost {
public:
    virtual ~DebugHost() = default;

    // Workspace facts: 0 for an application project.
    virtual int CodeMode() const = 0;
    virtual std::string ProjectFolder() const = 0;  // ends in a path separator
    virtual std::string ProjectName() const = 0;
    // The simulator program as found in the executable folders; empty when missing.
    virtual std::string SimulatorProgram() const = 0;
    virtual std::string RomFile() const = 0;       // profile "Execution"/"Rom file"
    virtual std::string ProgramImage() const = 0;  // the project's ".BIN"
    virtual std::string DisplayNameBig5() const = 0;
    virtual ipc::WindowHandle MainWindow() const = 0;

    // WM_DEBUGNOTIFY to the main frame; `path` only for a breakpoint change.
    virtual void PostDebugNotify(std::uint16_t code, const std::string& path) = 0;
    // A breakpoint kept although it could not be planted now.
    virtual void ReportBreakPoint(const std::string& path, std::uint32_t line, const std::string& why) = 0;
    // The simulator could not be ended and may still be running; `why` is the system's account.
    virtual void ReportSimulatorNotEnded(const std::string& why) = 0;

    // Called before the simulator's memory is unmapped: the register and
    // memory windows drop every pointer into it at once (a posted notice
    // could arrive after a paint that still used them).
    virtual void DropTargetMemory() = 0;

    // Debug windows (the application's services).
    virtual void UpdateDebugWindows() = 0;
    virtual void SnapshotDebugWindows() = 0;
    virtual void ClearLineMarksInAllViews(std::uint32_t mask) = 0;
    virtual void ShowExecutionLine(const std::string& path, std::uint32_t line) = 0;
    virtual bool DisassemblyVisible() const = 0;
    virtual void ShowDisassembly() = 0;
    virtual DisassemblyPane* DisassemblyOutput() = 0;  // null when the window does not exist
    virtual void FocusDisassembly() = 0;
    virtual void BringIdeForward(ipc::WindowHandle simulator) = 0;
    virtual void BringSimulatorForward(ipc::WindowHandle simulator) = 0;
};

}  // namespace ide
