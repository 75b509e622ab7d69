#pragma once
// A debug host that records what the manager asks of the application: the
// notices, reports, window updates and the line shown.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ide/debugger/debug_host.h"
#include "ide/debugger/disassembler.h"

namespace ide::testing {

struct Notice {
    std::uint16_t code;
    std::string path;
};

// Keeps the breakpoint addresses the manager gives the disassembly; the lines go nowhere.
struct BreakAddressPane : DisassemblyPane {
    void Clear() override {}
    bool AddLine(std::string_view) override { return true; }
    void SetMarkLines(int, int, int) override {}
    void SetBreakAddresses(std::set<std::uint16_t> given) override { addresses = std::move(given); }
    std::set<std::uint16_t> addresses;
};

class RecordingHost : public DebugHost {
public:
    int CodeMode() const override { return code_mode; }
    std::string ProjectFolder() const override { return folder; }
    std::string ProjectName() const override { return "game"; }
    std::string SimulatorProgram() const override { return simulator; }
    std::string RomFile() const override { return "QV4700.BIN"; }
    std::string ProgramImage() const override { return image; }
    std::string DisplayNameBig5() const override { return "Game"; }
    ipc::WindowHandle MainWindow() const override { return window; }
    void PostDebugNotify(std::uint16_t code, const std::string& path) override { notices.push_back({code, path}); }
    void ReportBreakPoint(const std::string& path, std::uint32_t line, const std::string& why) override {
        reports.push_back(why);
    }
    void ReportSimulatorNotEnded(const std::string& why) override { reports.push_back(why); }
    void DropTargetMemory() override { ++drops; }
    void UpdateDebugWindows() override { ++updates; }
    void SnapshotDebugWindows() override { ++snapshots; }
    void ClearLineMarksInAllViews(std::uint32_t) override { ++clears; }
    void ShowExecutionLine(const std::string& path, std::uint32_t line) override {
        execution_path = path;
        execution_line = line;
    }
    bool DisassemblyVisible() const override { return disassembly_visible; }
    void ShowDisassembly() override { disassembly_visible = true; }
    DisassemblyPane* DisassemblyOutput() override { return &disassembly; }
    void FocusDisassembly() override {}
    void BringIdeForward(ipc::WindowHandle) override {}
    void BringSimulatorForward(ipc::WindowHandle) override {}

    bool has_notice(std::uint16_t code) const {
        for (const Notice& notice : notices) {
            if (notice.code == code) return true;
        }
        return false;
    }

    int code_mode = 0;
    std::string simulator;
    std::string folder, image;
    ipc::WindowHandle window = 0;
    std::vector<Notice> notices;
    std::vector<std::string> reports;
    int drops = 0, updates = 0, snapshots = 0, clears = 0;
    BreakAddressPane disassembly;
    std::string execution_path;
    std::uint32_t execution_line = 0;
    bool disassembly_visible = false;
};

}  // namespace ide::testing
