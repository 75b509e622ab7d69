#pragma once
// Corvel's main window: the workbook of source windows under the menu bar and
// the four toolbars, the docking windows around it and the status bar below.
// It comes back where and as it was left, with its bars as they were, and keeps
// its window handle in the profile for the simulator while it lives.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ide/shell/bars/output_bar.h"
#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/bars/workspace_bar.h"
#include "ide/shell/memwin/mem_bar.h"
#include "ide/shell/memwin/register_bar.h"
#include "ide/shell/watchwin/disasm_bar.h"
#include "ide/shell/watchwin/stop_scope.h"
#include "ide/shell/watchwin/watch_window.h"
#include "uikit/frames/menu_bar.h"
#include "uikit/frames/status_bar.h"
#include "uikit/frames/toolbar_manager.h"
#include "uikit/frames/workbook.h"

namespace shell {

// Where a docking window of the main frame starts: its title, the first bar id it
// may take, the sides it may dock on, the side it docks on and its depth from that
// side in pixels. Debug windows start hidden and are hidden again when a debug
// session ends.
struct DockingBarPlace {
    const char* title;
    UINT first_id;
    DWORD dock_mask;
    UINT dock_bar;
    bool debug;
    int depth = 220;
};

inline constexpr DockingBarPlace kWorkspaceBarPlace{"Workspace Window", 100, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT,
                                                    AFX_IDW_DOCKBAR_LEFT, false};
inline constexpr DockingBarPlace kOutputBarPlace{"Output Window", 101, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM,
                                                 AFX_IDW_DOCKBAR_BOTTOM, false};
inline constexpr DockingBarPlace kMemoryBarPlace{"Memory Window", 102, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM, true};
inline constexpr DockingBarPlace kRegisterBarPlace{"Register Window", 103, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM,
                                                   true};
inline constexpr DockingBarPlace kWatchBarPlace{"Watch Window", 104, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM, true};
// Wide enough for its tab's whole label beside the scroll bar, and for a listing's operands.
inline constexpr DockingBarPlace kDisassemblyBarPlace{"Disassembly Window",  105,  CBRS_ALIGN_ANY,
                                                      AFX_IDW_DOCKBAR_RIGHT, true, 260};

// The profile section of the bar and toolbar layout.
inline constexpr const char* kBarStateSection = "FrameState\\ToolBar";

// The hidden key sequence that shows the credit splash: an arming key, then four more.
inline constexpr UINT kCreditKeys[] = {VK_PAUSE, 'C', 'O', 'R', 'V'};

// The debug side's answer to the simulator's and the debug manager's notices
// (WM_SIMLINK, WM_DEBUGNOTIFY): true with `result` set when it handled one.
using DebugMessageHandler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

class CMainFrame : public SECWorkbook {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // A docking window or dialog bar with the keyboard focus gets the editing keys
    // (Ctrl+C, Ctrl+V, Shift+Del...) as commands; source windows take them as keys.
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr) override;
    // The placement and workbook mode stored in the profile, over the current ones.
    void LoadWindowPlacement();
    void SaveWindowPlacement();
    // The docked bars and the toolbars' switches, kept across starts.
    void SaveToolBarState();
    // The clock pane shows this text instead of the time of day (pictures that must
    // not change with the time); empty for the time of day.
    static void SetFixedClock(std::string text);

    // Creates a docking window of the frame where `place` says and docks it; a debug
    // window is hidden with the others. The frame's one way of adding its bars.
    BOOL AddDockingBar(SECControlBar& bar, const DockingBarPlace& place);
    void HideDebugBars();
    void SetDebugMessageHandler(DebugMessageHandler handler) { debug_messages_ = std::move(handler); }

    SECStatusBar& status_bar() { return status_bar_; }
    COutputBar& output_bar() { return output_bar_; }
    CWorkspaceBar& workspace_bar() { return workspace_bar_; }
    CVyrMemBar& memory_bar() { return memory_bar_; }
    CVyrRegWndBar& register_bar() { return register_bar_; }
    CWatchWindow& watch_bar() { return watch_bar_; }
    CVyrDisasmBar& disassembly_bar() { return disassembly_bar_; }
    // Shows the watch window when hidden, then adds the expression to it.
    void AddWatch(const std::string& expression);
    // Shows the memory window when hidden, its first view starting at `address`.
    void ShowMemoryAt(std::uint32_t address);
    // Where the watch window and Quick Watch evaluate (the debug run sets it).
    void SetStopScope(StopScopeSource source);
    const StopScopeSource& stop_scope() const { return stop_scope_; }
    // Shows a hidden bar and hides a shown one; a bar shown takes the keyboard in its active pane.
    void ToggleBar(TabbedPaneBar& bar);
    SECToolBarManager& toolbar_manager() { return *toolbars_; }

    // The frame's own commands.
    enum : UINT {
        kToggleWorkspace = 32851,
        kToggleOutput = 32852,
        kWorkbookMode = 32850,
        kShowToolbars = 59392,
        kCustomize = 32940,
        kGotoNextInfo = 32919,
        kCredits = 32788,
    };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnUpdateClock(CCmdUI* cmd_ui);
    afx_msg void OnUpdateCaretPosition(CCmdUI* cmd_ui);
    afx_msg void OnToggleWorkspace() { ToggleBar(workspace_bar_); }
    afx_msg void OnToggleOutput() { ToggleBar(output_bar_); }
    afx_msg void OnUpdateToggleWorkspace(CCmdUI* cmd_ui) { cmd_ui->SetCheck(workspace_bar_.IsVisible()); }
    afx_msg void OnUpdateToggleOutput(CCmdUI* cmd_ui) { cmd_ui->SetCheck(output_bar_.IsVisible()); }
    afx_msg void OnWorkbookMode() { SetWorkbookMode(!GetWorkbookMode()); }
    afx_msg void OnUpdateWorkbookMode(CCmdUI* cmd_ui) { cmd_ui->SetCheck(GetWorkbookMode()); }
    afx_msg void OnShowToolbars();
    afx_msg void OnUpdateShowToolbars(CCmdUI* cmd_ui);
    afx_msg void OnCustomize();
    afx_msg void OnGotoNextInfo();
    afx_msg void OnCredits();
    // Another window on the active source.
    afx_msg void OnWindowNew();
    afx_msg void OnUpdateWindowNew(CCmdUI* cmd_ui) { cmd_ui->Enable(MDIGetActive() != nullptr); }
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateStatusBar();
    BOOL CreateDockingWindows();
    BOOL CreateToolBars();
    // One more key-down on the way to the credit splash, or back to the start.
    void AdvanceCreditSequence(UINT key);

    SECStatusBar status_bar_;
    CWorkspaceBar workspace_bar_;
    COutputBar output_bar_;
    CVyrMemBar memory_bar_;
    CVyrRegWndBar register_bar_;
    CWatchWindow watch_bar_;
    CVyrDisasmBar disassembly_bar_;
    std::vector<SECControlBar*> debug_bars_;
    std::unique_ptr<SECToolBarManager> toolbars_;
    HACCEL edit_keys_ = nullptr;
    // How far the hidden credit key sequence has come; -1 before its first key.
    int key_sequence_ = -1;
    DebugMessageHandler debug_messages_;
    StopScopeSource stop_scope_;
};

}  // namespace shell
