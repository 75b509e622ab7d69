#pragma once
// One debugging session of the built program inside the simulator: starts
// the simulator process, answers its notices, maps its two shared areas,
// keeps the session object, plants the user's breakpoints and sends the
// simulator its run, resume, exit and acknowledge commands.
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ide/debugger/breakpoint_list.h"
#include "ide/debugger/debug_host.h"
#include "ide/debugger/debug_target.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/os/process.h"

namespace ide {

enum class SimulatorMode { Debug = 1, Run = 2 };

class CVyrDebugMgr {
public:
    // `breakpoints` is the workspace's list: the one the user's marks, the
    // workspace file and the runs share.
    CVyrDebugMgr(DebugHost& host, CVyrBreakPointMgr& breakpoints) : host_(host), breakpoints_(breakpoints) {}
    ~CVyrDebugMgr();
    CVyrDebugMgr(const CVyrDebugMgr&) = delete;
    CVyrDebugMgr& operator=(const CVyrDebugMgr&) = delete;

    bool StartSimulator(SimulatorMode mode);
    // The simulator's argument vector, the program first.
    std::vector<std::string> BuildSimulatorCommandLine(const std::string& program, SimulatorMode mode) const;
    void SetModules(const std::vector<std::string>& names);
    void ClearModules() { modules_.clear(); }

    bool MapTargetMemory();
    void UnmapTargetMemory();
    bool CreateSession();

    // The WM_SIMLINK handler: 1 when handled, 0 when the session ended or the code is unknown.
    int OnSimulatorMessage(std::uint64_t wparam, std::uint64_t lparam);
    // Watches the simulator process: one that closed or crashed ends the
    // session as Stop Debugging would, without a command to the dead window.
    // True when it ended.
    bool CheckSimulator();

    int Continue(bool bring_simulator_forward);
    int StepInto();
    int StepOver();
    int StepOut();
    int StopDebug();

    int AddBreakPoint(std::uint32_t line, const std::string& path);
    void RemoveBreakPoint(std::uint32_t line, const std::string& path);
    void RemoveFileBreakPoints(const std::string& path) { breakpoints_.RemoveFile(path); }
    void RemoveAllBreakPoints();
    void SetTempBreakPoint(std::uint16_t address);
    bool LoadBreakPoints(const std::string& path) { return breakpoints_.LoadBreakPoints(path); }
    bool SaveBreakPoints(const std::string& path) const { return breakpoints_.SaveBreakPoints(path); }
    const formats::BreakPointRecord* GetBreakPoint(int index) const { return breakpoints_.GetBreakPoint(index); }
    int GetBreakPointCount() const { return breakpoints_.GetCount(); }
    // Where the target stops in the memory now mapped: the planted source
    // breakpoints and the temporary ones set since the last stop.
    std::set<std::uint16_t> BreakAddresses() const;

    // The register block in the control view; null when nothing is mapped.
    std::uint8_t* GetRegisterBlock() const;
    TargetViews views() const;

    bool connected() const { return simulator_window_ != 0; }
    ipc::WindowHandle simulator_window() const { return simulator_window_; }
    bool stopped() const { return stopped_; }
    bool simulator_running() const { return process_.has_value(); }
    CDebugTarget* session() const { return session_.get(); }
    // The program's modules (for the evaluator's search of other objects).
    const std::vector<std::string>& modules() const { return modules_; }
    std::uint16_t download_slot() const { return slot_; }

private:
    void PlantBreakPoint(int index);
    // Removes a planted entry: moved while stopped, disabled while running.
    void DropTableEntry(std::uint32_t word);
    int Connect(std::uint64_t lparam, std::uint16_t reply);
    int OnStopped(std::uint64_t lparam);
    void EndSession();
    void PostToSimulator(std::uint16_t code) const;
    // The disassembly frames the lines of BreakAddresses.
    void ShowBreakAddresses();

    DebugHost& host_;
    std::vector<std::string> modules_;
    CVyrBreakPointMgr& breakpoints_;
    bool stopped_ = false;
    ipc::WindowHandle simulator_window_ = 0;
    std::optional<os::Process> process_;
    std::unique_ptr<CDebugTarget> session_;
    // Temporary breakpoints go at the next stop, whatever stopped the target.
    std::vector<std::uint16_t> temporaries_;
    std::unique_ptr<ipc::SharedMapping> rom_mapping_;
    std::unique_ptr<ipc::SharedMapping> control_mapping_;
    std::uint16_t slot_ = 0;
    std::uint16_t slot_count_ = 0;
};

}  // namespace ide
