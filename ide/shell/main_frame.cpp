#include "ide/shell/main_frame.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "formats/sim_messages.h"
#include "ide/debugger/debug_host.h"
#include "ide/shell/about_box.h"
#include "ide/shell/child_frame.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/frame_toolbars.h"
#include "ide/shell/main_window_key.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/splash_wnd.h"
#include "ide/shell/source_view.h"
#include "ide/shell/window_placement.h"
#include "platform/afx/app.h"
#include "platform/afx/doc_template.h"
#include "uikit/frames/customize.h"
#include "platform/os/clock.h"

namespace shell {

IMPLEMENT_DYNCREATE(CMainFrame, SECWorkbook)

CMainFrame::CMainFrame() : toolbars_(std::make_unique<SECToolBarManager>(this)) {
    SetControlBarManager(toolbars_.get());
    EnableBmpMenus(TRUE, TRUE);
}

CMainFrame::~CMainFrame() = default;

BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbook)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_UPDATE_COMMAND_UI(ID_INDICATOR_TIME, OnUpdateClock)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_POSITION, OnUpdateCaretPosition)
ON_COMMAND(kToggleWorkspace, OnToggleWorkspace)
ON_COMMAND(kToggleOutput, OnToggleOutput)
ON_UPDATE_COMMAND_UI(kToggleWorkspace, OnUpdateToggleWorkspace)
ON_UPDATE_COMMAND_UI(kToggleOutput, OnUpdateToggleOutput)
ON_COMMAND(kWorkbookMode, OnWorkbookMode)
ON_UPDATE_COMMAND_UI(kWorkbookMode, OnUpdateWorkbookMode)
ON_COMMAND(kShowToolbars, OnShowToolbars)
ON_UPDATE_COMMAND_UI(kShowToolbars, OnUpdateShowToolbars)
ON_COMMAND(kCustomize, OnCustomize)
ON_COMMAND(kGotoNextInfo, OnGotoNextInfo)
ON_COMMAND(kCredits, OnCredits)
ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateWindowNew)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

profile::Store& Profile() { return AfxGetApp()->GetProfileStore(); }

unsigned HandleValue(HWND hwnd) { return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(hwnd)); }

std::string& FixedClock() {
    static std::string text;
    return text;
}

// The message pane first, then the caret, overwrite, the three lock keys and the clock.
constexpr UINT kIndicators[] = {0,
                                ID_INDICATOR_POSITION,
                                ID_INDICATOR_OVR,
                                ID_INDICATOR_CAPS,
                                ID_INDICATOR_NUM,
                                ID_INDICATOR_SCRL,
                                ID_INDICATOR_TIME};

}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECWorkbook::PreCreateWindow(cs)) return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    // A given start size holds from the first layout of the bars on.
    if (const SIZE size = CorvelApp()->start_size(); size.cx > 0) {
        cs.x = cs.y = 0;
        cs.cx = size.cx;
        cs.cy = size.cy;
    }
    return TRUE;
}

void CMainFrame::SetFixedClock(std::string text) { FixedClock() = std::move(text); }

BOOL CMainFrame::CreateStatusBar() {
    return status_bar_.Create(this, 0x50008200, AFX_IDW_STATUS_BAR) &&
           status_bar_.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
}

BOOL CMainFrame::AddDockingBar(SECControlBar& bar, const DockingBarPlace& place) {
    const UINT id = FindUnusedBarID(this, place.first_id);
    if (!id || !bar.Create(this, place.title, 0x50001414, 0xF11, id)) return FALSE;
    bar.EnableDocking(place.dock_mask);
    DockControlBarEx(&bar, place.dock_bar, 0, 0, 1.0f, place.depth);
    if (place.debug) debug_bars_.push_back(&bar);
    return TRUE;
}

BOOL CMainFrame::CreateDockingWindows() {
    if (!CreateStatusBar()) return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    RegisterBarResources();
    output_bar_.SetNavigateCallback([](const ide::SourceLocation& where) { CorvelApp()->GoToOutputLine(where); });
    workspace_bar_.SetOpenCallback([](const std::string& path) { CorvelApp()->OpenWorkspaceFile(path); });
    watch_bar_.SetShowMemoryAt([this](std::uint32_t address) { ShowMemoryAt(address); });
    // The debug windows follow these two, each with its place (debug set).
    if (!AddDockingBar(workspace_bar_, kWorkspaceBarPlace) || !AddDockingBar(output_bar_, kOutputBarPlace) ||
        !AddDockingBar(memory_bar_, kMemoryBarPlace) || !AddDockingBar(register_bar_, kRegisterBarPlace))
        return FALSE;
    if (!AddDockingBar(watch_bar_, kWatchBarPlace) || !AddDockingBar(disassembly_bar_, kDisassemblyBarPlace))
        return FALSE;
    ShowControlBar(&workspace_bar_, TRUE, TRUE);
    ShowControlBar(&output_bar_, TRUE, TRUE);
    return TRUE;
}

void CMainFrame::AddWatch(const std::string& expression) {
    if (!watch_bar_.IsVisible()) ShowControlBar(&watch_bar_, TRUE, FALSE);
    watch_bar_.AddWatch(expression);
}

void CMainFrame::ShowMemoryAt(std::uint32_t address) {
    if (!memory_bar_.IsVisible()) ShowControlBar(&memory_bar_, TRUE, FALSE);
    if (const os::Status shown = memory_bar_.View(0).SetAddress(address); !shown)
        SetMessageText(shown.error().text.c_str());
}

void CMainFrame::SetStopScope(StopScopeSource source) {
    stop_scope_ = source;
    watch_bar_.SetScopeSource(std::move(source));
}

void CMainFrame::HideDebugBars() {
    for (SECControlBar* bar : debug_bars_) ShowControlBar(bar, FALSE, TRUE);
}

BOOL CMainFrame::CreateToolBars() {
    // The menu bar is made and docked by the manager, above the toolbars.
    auto* menu_bar = new SECMDIMenuBar;
    menu_bar->m_bAutoDelete = TRUE;
    toolbars_->m_pMenuBar = menu_bar;
    SetMenuBar(menu_bar);
    if (!CreateFrameToolBars(*toolbars_, {IDR_MAINFRAME, IDR_VYRTYPE})) return FALSE;
    SetMenuBarMenu(IDR_MAINFRAME);
    // A damaged layout is refused whole and the bars stay where they were
    // docked; the status bar says why. A missing one is no fault.
    if (const os::Status loaded = LoadBarState(kBarStateSection); !loaded) SetMessageText(loaded.error().text.c_str());
    toolbars_->LoadState(kBarStateSection);
    return TRUE;
}

void CMainFrame::SaveToolBarState() {
    SaveBarState(kBarStateSection);
    toolbars_->SaveState(kBarStateSection);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ide::WM_DEBUGNOTIFY && HIWORD(wParam) == ide::DbgNotifyDebugEnded) {
        HideDebugBars();
        // The simulator goes, and the keyboard may go with it: without a window manager it
        // would rest on no window.
        ::SetForegroundWindow(m_hWnd);
        return 0;
    }
    LRESULT result = 0;
    if ((message == ide::WM_DEBUGNOTIFY || message == formats::WM_SIMLINK) && debug_messages_ &&
        debug_messages_(message, wParam, lParam, result))
        return result;
    return SECWorkbook::WindowProc(message, wParam, lParam);
}

BOOL CMainFrame::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    if (!SECWorkbook::LoadFrame(resource_id, style, parent, context)) return FALSE;
    edit_keys_ = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_EDIT_KEYS));
    return TRUE;
}

void CMainFrame::AdvanceCreditSequence(UINT key) {
    const int next = key_sequence_ + 1;
    if (key != kCreditKeys[std::size_t(next)]) {
        key_sequence_ = -1;
    } else if (next + 1 == int(std::size(kCreditKeys))) {
        key_sequence_ = -1;
        CVyrSplashWnd::ShowSplashScreen(this, SplashMode::credit);
    } else {
        key_sequence_ = next;
    }
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    CWnd* focus = CWnd::GetFocus();
    if (edit_keys_ && focus && !dynamic_cast<CVyrFrameView*>(focus) &&
        ::TranslateAccelerator(focus->m_hWnd, edit_keys_, msg))
        return FALSE;  // the focused window also gets the key itself
    if (msg->message == WM_KEYDOWN) AdvanceCreditSequence(UINT(msg->wParam));
    return SECWorkbook::PreTranslateMessage(msg);
}

int CMainFrame::OnCreate(CREATESTRUCT* cs) {
    if (SECWorkbook::OnCreate(cs) == -1) return -1;
    if (!CreateDockingWindows()) return -1;
    HideDebugBars();
    SetWorkbookMode(TRUE);
    if (!CreateToolBars()) return -1;
    LoadWindowPlacement();
    PublishMainWindow(Profile(), HandleValue(m_hWnd));
    CVyrSplashWnd::ShowSplashScreen(this);
    return 0;
}

void CMainFrame::LoadWindowPlacement() {
    FramePlacement current{{}, GetWorkbookMode() != FALSE};
    current.placement.length = sizeof(WINDOWPLACEMENT);
    ::GetWindowPlacement(m_hWnd, &current.placement);
    const FramePlacement stored = shell::LoadWindowPlacement(Profile(), current);
    // The frame is not shown yet: the show command is the application's to apply.
    WINDOWPLACEMENT hidden = stored.placement;
    hidden.showCmd = SW_HIDE;
    ::SetWindowPlacement(m_hWnd, &hidden);
    SetWorkbookMode(stored.workbook_mode);
}

void CMainFrame::SaveWindowPlacement() {
    FramePlacement current{{}, GetWorkbookMode() != FALSE};
    current.placement.length = sizeof(WINDOWPLACEMENT);
    if (::GetWindowPlacement(m_hWnd, &current.placement)) shell::SaveWindowPlacement(Profile(), current);
}

void CMainFrame::OnUpdateClock(CCmdUI* cmd_ui) {
    cmd_ui->Enable(TRUE);
    if (!FixedClock().empty()) {
        cmd_ui->SetText(FixedClock().c_str());
        return;
    }
    const os::LocalTime now = os::local_time();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
    cmd_ui->SetText(text);
}

void CMainFrame::OnUpdateCaretPosition(CCmdUI* cmd_ui) {
    CMDIChildWnd* child = MDIGetActive();
    auto* view = child && child->IsKindOf(RUNTIME_CLASS(CChildFrame))
                     ? dynamic_cast<CVyrFrameView*>(child->GetActiveView())
                     : nullptr;
    cmd_ui->Enable(view != nullptr);
    if (!view) return;
    char text[32];
    std::snprintf(text, sizeof text, "Ln %d, Col %d", view->caret().line, view->caret().column + 1);
    cmd_ui->SetText(text);
}

void CMainFrame::ToggleBar(TabbedPaneBar& bar) {
    const bool show = !bar.IsVisible();
    ShowControlBar(&bar, show, TRUE);
    if (!show) return;
    CWnd* pane = bar.ActivePane();
    // A click inside the pane gives it the keyboard as the user's own click would.
    if (pane && pane->m_hWnd) {
        pane->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        pane->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
}

void CMainFrame::OnShowToolbars() {
    SECCustomToolBar* file = toolbars_->FindToolBar(FrameToolBars().front().id);
    const BOOL show = file ? !file->IsVisible() : FALSE;
    for (const FrameToolBar& toolbar : FrameToolBars())
        if (SECCustomToolBar* bar = toolbars_->FindToolBar(toolbar.id)) ShowControlBar(bar, show, FALSE);
}

void CMainFrame::OnUpdateShowToolbars(CCmdUI* cmd_ui) {
    SECCustomToolBar* file = toolbars_->FindToolBar(FrameToolBars().front().id);
    cmd_ui->SetCheck(file && file->IsVisible());
}

void CMainFrame::OnCustomize() {
    SECToolBarSheet sheet(nullptr, this);
    SECToolBarsPage toolbars_page;
    SECToolBarCmdPage commands;
    toolbars_page.SetManager(toolbars_.get());
    commands.SetManager(toolbars_.get());
    for (const FrameToolBar& toolbar : FrameToolBars()) {
        std::vector<UINT> ids;
        for (UINT id : toolbar.buttons)
            if (id) ids.push_back(id);
        commands.DefineBtnGroup(toolbar.title, int(ids.size()), ids.data());
    }
    commands.DefineMenuGroup("Menu");
    sheet.AddPage(&toolbars_page);
    sheet.AddPage(&commands);
    sheet.DoModal();
}

void CMainFrame::OnCredits() { CcreditDlg().DoModal(); }

void CMainFrame::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* source_template = CorvelApp()->source_template();
    if (!doc || !source_template) return;
    CFrameWnd* child = source_template->CreateNewFrame(doc, active);
    if (child) source_template->InitialUpdateFrame(child, doc);
}

void CMainFrame::OnGotoNextInfo() {
    if (CInfoWnd* pane = output_bar_.ActiveOutputPane()) pane->GotoNextInfoLine();
}

void CMainFrame::OnContextMenu(CWnd* wnd, CPoint point) {
    // A right click on the frame itself offers the Tools menu.
    if (wnd != this) return;
    CMenu* menu = GetMenu();
    if (!menu) return;
    for (int i = 0; i < int(menu->GetMenuItemCount()); ++i) {
        CString text;
        menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
        if (::strcasecmp(text.str().c_str(), "&Tools") != 0) continue;
        if (CMenu* tools = menu->GetSubMenu(i)) tools->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
        return;
    }
}

void CMainFrame::OnDestroy() {
    // The Build pane goes with the frame: the build must end and let go of it first.
    CorvelApp()->EndBuilds();
    CVyrSplashWnd::HideSplashScreen();  // it belongs to this frame
    // A debug run ends, and its link stops posting to the frame.
    if (CDebugSession* debug = CorvelApp()->debug_session()) debug->DetachFrame();
    SECWorkbook::OnDestroy();
}

void CMainFrame::OnClose() {
    if (!CorvelApp()->CloseWorkspaceForExit()) return;
    HideDebugBars();
    SaveWindowPlacement();
    SaveToolBarState();
    ClearMainWindow(Profile());
    SECWorkbook::OnClose();
}

}  // namespace shell
