#include "tools/framelab/lab.h"

#include "platform/res/resources.h"
#include "platform/user/tooltips.h"
#include "platform/user/window_table.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/layout_text.h"

const kit::res::Module& framelab_resources();

namespace framelab {

namespace {
constexpr UINT kIndicatorPosition = 32929, kIndicatorOverwrite = 32914, kIndicatorTime = 32937;
}  // namespace

IMPLEMENT_DYNCREATE(LabFrame, SECWorkbook)

BEGIN_MESSAGE_MAP(LabFrame, SECWorkbook)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_LAB_NEW_SHEET, OnNewSheet)
ON_COMMAND_EX_RANGE(ID_LAB_SHOW_FIRST, ID_LAB_SHOW_FIRST + UINT(kBars.size()) - 1, OnShowBar)
ON_UPDATE_COMMAND_UI_RANGE(ID_LAB_SHOW_FIRST, ID_LAB_SHOW_FIRST + UINT(kBars.size()) - 1, OnUpdateShowBar)
ON_UPDATE_COMMAND_UI(kIndicatorPosition, OnUpdateIndicator)
ON_UPDATE_COMMAND_UI(kIndicatorOverwrite, OnUpdateIndicator)
ON_UPDATE_COMMAND_UI(kIndicatorTime, OnUpdateIndicator)
END_MESSAGE_MAP()

// ---- the bars ---------------------------------------------------------------------

void LabBar::OnExtendContextMenu(CMenu* menu) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, ID_LAB_BAR_OPTIONS, "Options");
}

// ---- the frame --------------------------------------------------------------------

int LabFrame::OnCreate(CREATESTRUCT* cs) {
    if (SECWorkbook::OnCreate(cs) == -1) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

os::Status LabFrame::RestoreLayout() {
    if (layout_name.empty()) return {};
    os::Status loaded = LoadBarState(layout_name.c_str());
    if (toolbars) toolbars->LoadState(layout_name.c_str());
    return loaded;
}

void LabFrame::OnClose() {
    if (!layout_name.empty()) {
        SaveBarState(layout_name.c_str());
        if (toolbars) toolbars->SaveState(layout_name.c_str());
    }
    SECWorkbook::OnClose();
}

BOOL LabFrame::CreateDockingWindows() {
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        const BarPlacement& bar = kBars[i];
        const UINT id = FindUnusedBarID(this, bar.id);
        if (!id || !bars[i].Create(this, bar.title, kBarStyle, kBarExStyle, id)) return FALSE;
        bars[i].EnableDocking(bar.dock_mask);
        DockControlBarEx(&bars[i], bar.dock_bar_id, 0, 0, 1.0f, 220);
    }
    ShowControlBar(&bars[0], TRUE, TRUE);
    ShowControlBar(&bars[1], TRUE, TRUE);
    return TRUE;
}

BOOL LabFrame::CreateToolBars(BOOL with_menu_bar) {
    toolbars = std::make_unique<SECToolBarManager>(this);
    SetControlBarManager(toolbars.get());
    if (with_menu_bar) {
        // As the IDE: the manager makes and docks the menu bar with the toolbars.
        menu_bar = new SECMDIMenuBar;
        menu_bar->m_bAutoDelete = TRUE;
        const UINT menus[] = {IDR_FRAMELAB};
        toolbars->SetMenuInfo(1, menus);
        toolbars->m_pMenuBar = menu_bar;
        SetMenuBar(menu_bar);
    }
    if (!create_ide_toolbars(*toolbars)) return FALSE;
    if (with_menu_bar) SetMenuBarMenu(IDR_FRAMELAB);
    return TRUE;
}

BOOL LabFrame::CreateStatusBar() {
    static constexpr UINT kIndicators[] = {0,     kIndicatorPosition, kIndicatorOverwrite, 59137, 59138,
                                           59139, kIndicatorTime};
    if (!status_bar.Create(this, 0x50008200, 0xE801) || !status_bar.SetIndicators(kIndicators, 7)) return FALSE;
    // The IDE makes its status bar before its dock bars: it takes the frame's bottom edge first.
    ::SetWindowPos(status_bar.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void LabFrame::OnUpdateIndicator(CCmdUI* cmd_ui) {
    // The caret at the start, insert mode, and a fixed clock so that pictures stay the same.
    cmd_ui->Enable(cmd_ui->m_nID != kIndicatorOverwrite);
    if (cmd_ui->m_nID == kIndicatorPosition) cmd_ui->SetText("Ln 1, Col 1");
    if (cmd_ui->m_nID == kIndicatorTime) cmd_ui->SetText("12:00");
}

BOOL LabFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    return frames_testing::route_toolbar_command(toolbars.get(), id, code, extra, info, last_toolbar_command) ||
           SECWorkbook::OnCmdMsg(id, code, extra, info);
}

SECWorksheet* LabFrame::NewSheet(const char* title) { return frames_testing::new_worksheet(*this, title); }

BOOL LabFrame::OnShowBar(UINT id) {
    LabBar& bar = bars[id - ID_LAB_SHOW_FIRST];
    ShowControlBar(&bar, !bar.IsVisible(), FALSE);
    return TRUE;
}

void LabFrame::OnUpdateShowBar(CCmdUI* cmd_ui) {
    cmd_ui->SetCheck(bars[cmd_ui->m_nID - ID_LAB_SHOW_FIRST].IsVisible());
}

IMPLEMENT_DYNCREATE(LabDocument, CDocument)
IMPLEMENT_DYNCREATE(LabDocumentView, CView)
IMPLEMENT_DYNCREATE(LabDocumentFrame, SECMDIChildWnd)

void LabDocumentView::OnDraw(CDC* dc) {
    CRect area;
    GetClientRect(&area);
    dc->FillSolidRect(&area, ::GetSysColor(COLOR_WINDOW));
    dc->SetBkMode(TRANSPARENT);
    dc->TextOut(4, 4, GetDocument()->GetTitle());
}

BOOL LabDocumentFrame::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    if (!SECMDIChildWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
    EnableCaptionFilters(1);
    return TRUE;
}

SECMultiDocTemplate* LabApp::Sources() {
    if (!sources_) {
        sources_ = new SECMultiDocTemplate(IDR_LAB_SOURCE, RUNTIME_CLASS(LabDocument), RUNTIME_CLASS(LabDocumentFrame),
                                           RUNTIME_CLASS(LabDocumentView), RUNTIME_CLASS(SECDockableFrame));
        AddDocTemplate(sources_);
    }
    return sources_;
}

BOOL LabApp::InitInstance() {
    static const bool registered = (kit::res::register_module(&framelab_resources()), true);
    (void)registered;
    auto* lab = new LabFrame;
    if (!lab->LoadFrame(IDR_FRAMELAB)) return FALSE;
    m_pMainWnd = lab;
    lab->SetWindowPos(nullptr, 20, 20, 640, 480, SWP_NOZORDER);
    lab->ShowWindow(SW_SHOW);
    lab->UpdateWindow();
    return TRUE;
}

// ---- scenarios --------------------------------------------------------------------

namespace {

const char* const kScenarioNames[] = {"ide",      "ide-start", "sheets",    "workbook", "floating",
                                      "toolbars", "menubar",   "documents", nullptr};

}  // namespace

const char* const* scenario_names() { return kScenarioNames; }

bool build_scenario(LabFrame& frame, const std::string& name) {
    bool known = false;
    for (const char* const* each = kScenarioNames; *each; ++each) known = known || name == *each;
    if (!known) return false;
    if (!frame.CreateDockingWindows()) return false;
    if (name == "ide-start" || name == "workbook") {
        // As the IDE starts with no saved layout: only the workspace and the output shown.
        for (std::size_t i = 2; i < frame.bars.size(); ++i) frame.ShowControlBar(&frame.bars[i], FALSE, TRUE);
    }
    if (name == "sheets" || name == "workbook") {
        frame.NewSheet("main.asm");
        frame.NewSheet("util.asm");
    }
    if (name == "workbook") {
        // The IDE's main frame shows its documents as tabs below the MDI area.
        frame.NewSheet("a_rather_long_file_name.asm");
        frame.SetWorkbookMode(TRUE);
        if (SECWorksheet* first = frame.GetSheetCount() ? frame.GetSheet(0) : nullptr) first->MDIActivate();
    }
    if (name == "toolbars" && !frame.CreateToolBars()) return false;
    if (name == "menubar") {
        // Wide enough for the four toolbars in one row, as the IDE's window usually is.
        frame.SetWindowPos(nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!frame.CreateToolBars(TRUE) || !frame.CreateStatusBar()) return false;
    }
    if (name == "documents") {
        // A source file in an MDI child whose caption docks it, with only the workspace and output shown.
        for (std::size_t i = 2; i < frame.bars.size(); ++i) frame.ShowControlBar(&frame.bars[i], FALSE, FALSE);
        // The template comes after the frame was made, which turns the frame's switch on only when it
        // finds one already registered.
        frame.EnableCaptionFilters(TRUE);
        if (!static_cast<LabApp*>(AfxGetApp())->Sources()->OpenDocumentFile(nullptr)) return false;
    }
    if (name == "floating") {
        // The memory window floats beside the frame; the disassembly is hidden.
        frame.FloatControlBarEx(&frame.bars[2], 380, 60, CBRS_ALIGN_TOP);
        frame.ShowControlBar(&frame.bars[5], FALSE, FALSE);
    }
    frame.RecalcLayout();
    return true;
}

// ---- the text dump ----------------------------------------------------------------

std::string dump_layout(LabFrame& frame) {
    std::string out = sec_layout_text(frame);
    if (frame.last_toolbar_command) out += "command " + std::to_string(frame.last_toolbar_command) + "\n";
    // The document windows in the MDI area, for a script that clicks their captions.
    for (HWND child = ::GetTopWindow(frame.m_hWndMDIClient); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* document = dynamic_cast<LabDocumentFrame*>(CWnd::FromHandlePermanent(child));
        if (!document || !document->IsWindowVisible()) continue;
        CRect r;
        document->GetWindowRect(&r);
        frame.ScreenToClient(&r);
        out += "document \"" + std::string(document->GetWindowText()) + "\" " + sec_rect_text(r) + "\n";
    }
    if (SECMDIMenuBar* bar = frame.menu_bar; bar && bar->m_hWnd) {
        // The menu whose popup is open, and where each toolbar's buttons are, for a script driving the mouse.
        const SECStdBtn* open = bar->GetButton(bar->m_nOpenMenu);
        out += "menubar " +
               (open && open->m_nType == SEC_BTN_MENU
                    ? "open \"" + std::string(static_cast<const SECTBMenuBtn*>(open)->m_strText) + "\""
                    : std::string("closed")) +
               "\n";
        for (SECCustomToolBar* toolbar : frame.toolbars->GetToolBars()) {
            if (toolbar == bar || !toolbar->m_hWnd) continue;
            for (int i = 0; i < toolbar->GetButtonCount(); ++i) {
                if (!toolbar->GetButtonID(i)) continue;
                CRect r = toolbar->GetButtonRect(i);
                toolbar->MapWindowPoints(&frame, &r);
                out += "  button " + std::to_string(toolbar->GetButtonID(i)) + " " + sec_rect_text(r) + "\n";
            }
        }
    }
    // Tips and menus on the screen, for a script that waits for them and looks at them.
    for (HWND window : kit::user::top_level_windows()) {
        char class_name[64] = {};
        ::GetClassName(window, class_name, int(sizeof class_name));
        const std::string kind = std::string(class_name) == TOOLTIPS_CLASS ? "tip"
                                 : std::string(class_name) == "#32768"     ? "popup"
                                                                           : "";
        if (kind.empty() || !::IsWindowVisible(window)) continue;
        CRect r;
        ::GetWindowRect(window, &r);
        frame.ScreenToClient(&r);
        char text[256] = {};
        ::GetWindowText(window, text, int(sizeof text));
        out += kind + " \"" + text + "\" " + sec_rect_text(r) + "\n";
    }
    return out;
}

}  // namespace framelab
