#pragma once
// Corvel on the sample workspace, stopped in a debug run over a fake target:
// the source at its execution line, the disassembly, memory, watch and
// register bars shown. Used by the layout picture and its benchmark.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "ide/debugger/disassembler.h"
#include "ide/shell/debug/frame_debug_windows.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/tests/corvel_harness.h"
#include "ide/shell/watchwin/disasm_bar.h"
#include "ide/shell/watchwin/tests/stopped_target.h"
#include "ide/shell/watchwin/watch_window.h"

namespace shell_test {

class StoppedCorvel {
public:
    // The sample's first instructions at 0x4000, up to "clear: LDA #0" at 0x4010.
    static constexpr std::uint8_t kSampleCode[] = {0xA9, 0x00, 0x85, 0x80, 0xA9, 0x04, 0x85, 0x81, 0xA9, 0x40, 0x85,
                                                   0x82, 0xA9, 0x06, 0x85, 0x83, 0xA0, 0x00, 0xA9, 0x00, 0x91, 0x80};
    static constexpr std::uint16_t kStopAddress = 0x4012;
    static constexpr int kStopLine = 25;
    static constexpr int kRegisterA = 4, kRegisterY = 6;

    // Starts Corvel on the sample copied into `folder` (the current folder) and
    // stops the target once; throws when Corvel does not start.
    explicit StoppedCorvel(const std::filesystem::path& folder)
        : app_(std::vector<std::string>{(folder / "HELLO.WSP").string()}) {
        app_.SetStartSize(1024, 768);
        if (!app_.InitInstance()) throw std::runtime_error("Corvel did not start");
        world_.target.poke(0x4000, kSampleCode);
        world_.target.set_pc(kStopAddress);
        block_ = ide::TargetMemory({world_.target.eram, world_.target.rom}).register_block();
        watches_ = &frame().watch_bar();
        disassembly_ = &frame().disassembly_bar();
        frame().ShowControlBar(disassembly_, TRUE, FALSE);
        watches_->SetScopeSource(world_.source());
        for (const char* expression : {"arr", "pos", "count"}) watches_->AddWatch(expression);

        windows().AttachTarget({world_.target.eram, world_.target.rom});
        // Opened as the user opens them (Alt+3, Alt+5, Alt+6), into the Output pane's row.
        app_.OverrideCommandState(shell::CommandState{true, false, true, true});  // stopped
        for (UINT command : {shell::ID_VIEW_WATCH, shell::ID_VIEW_REGISTERS, shell::ID_VIEW_MEMORY})
            frame().SendMessage(WM_COMMAND, command);
        HandleQueued();
        app_.OverrideCommandState(std::nullopt);
        if (const os::Status shown = frame().memory_bar().View(0).SetAddress(0x0400); !shown)
            throw std::runtime_error("the memory window did not go to 0x0400: " + shown.error().text);
        Stop();
        if (app_.GoToSourceLine((folder / "hello.asm").string(), kStopLine, 2) != 1)
            throw std::runtime_error("the sample's source did not open");
    }
    ~StoppedCorvel() {
        frame().SendMessage(WM_CLOSE);
        HandleQueued();
        app_.ExitInstance();
    }

    shell::CMainFrame& frame() { return *app_.main_frame(); }
    // The frame's debug windows as the debug run drives them.
    shell::FrameDebugWindows windows() { return shell::FrameDebugWindows(frame()); }
    CWatchWindow& watches() { return *watches_; }
    CVyrDisasmBar& disassembly() { return *disassembly_; }

    // The target runs from a snapshot and changes a local and two registers.
    void Run(std::uint8_t tick) {
        windows().Snapshot();
        world_.poke16(0x0400, tick);
        block_[kRegisterA] = tick;
        block_[kRegisterY] = tick;
    }
    // What a stop notice does to the debug windows (the windows repaint later).
    void Stop() {
        windows().Update();
        if (ide::DisassembleRange(world_.memory, disassembly_->Output(), 0x4000, 0x4015, kStopAddress) != 0)
            throw std::runtime_error("the disassembly pane refused a line");
    }
    // Every debug window painted as it stands.
    void RepaintDebugWindows() {
        for (CWnd* bar : {static_cast<CWnd*>(&frame().memory_bar()), static_cast<CWnd*>(&frame().register_bar()),
                          static_cast<CWnd*>(watches_), static_cast<CWnd*>(disassembly_)})
            ::RedrawWindow(bar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void HandleQueued() { ::HandleQueued(app_); }

private:
    shell::CVyrFrameApp app_;
    watchwin_test::StoppedTarget world_;
    std::uint8_t* block_ = nullptr;
    CWatchWindow* watches_ = nullptr;
    CVyrDisasmBar* disassembly_ = nullptr;
};

}  // namespace shell_test
