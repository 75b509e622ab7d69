#include "uikit/frames/frame_wnd.h"

#include <algorithm>

#include "platform/afx/document.h"
#include "uikit/frames/dock_state.h"
#include "uikit/frames/frame_docking.h"
#include "uikit/frames/gradient_caption.h"
#include "uikit/frames/mdi_frame.h"
#include "uikit/frames/menu_bar_feature.h"
#include "uikit/frames/msg_filter.h"
#include "uikit/frames/sys_command.h"

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(SECDockableFrame, SECFrameWnd)
IMPLEMENT_DYNCREATE(SECFrameBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECDockableFrame, SECFrameWnd)
ON_WM_MOUSEACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECFrameBar, SECControlBar)
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

SECFrameWnd::SECFrameWnd() : menus_(this, [this](UINT id) { return GetMenuForId(id); }) {}

// ---- menus --------------------------------------------------------------------------------

void SECFrameWnd::SetMenuBar(SECMenuBar* bar) {
    menus_.SetMenuBar(bar);
    if (bar && m_hWnd) enter_menu_bar_mode();
}

void SECFrameWnd::enter_menu_bar_mode() {
    if (menus_.EnterMenuBarMode()) SetMenuBarMenu(0);
}

void SECFrameWnd::SetMenuBarMenu(UINT id) {
    if (SECMenuBarFeature* feature = menus_.GetFeature()) feature->SetMenu(id ? id : menus_.GetDefaultMenuId());
}

HMENU SECFrameWnd::GetMenuForId(UINT id) {
    if (HMENU own = menus_.OwnMenu(id)) return own;
    return menus_.LoadedMenu(id);
}

CMenu* SECFrameWnd::GetMenu() const { return menus_.GetMenu(); }

BOOL SECFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    if (!CFrameWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
    enter_menu_bar_mode();
    return TRUE;
}

LRESULT SECFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (menus_.Offer(message, wParam, lParam, result, m_pManager)) return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL SECFrameWnd::PreTranslateMessage(MSG* msg) {
    return menus_.PreTranslateMessage(msg) || CFrameWnd::PreTranslateMessage(msg);
}

BOOL SECFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    return menus_.OnCmdMsg(id, code, extra, info) || CFrameWnd::OnCmdMsg(id, code, extra, info);
}

// ---- docking ------------------------------------------------------------------------------

void SECFrameWnd::EnableDocking(DWORD dock_style) {
    sec_enable_docking(this, dock_style,
                       [](CFrameWnd* frame) { return static_cast<SECFrameWnd*>(frame)->CreateDockBar(); });
}

void SECFrameWnd::DockControlBarEx(CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                                   const SECDockSize& size) {
    sec_dock_control_bar_ex(this, bar, position, dock_bar_id, size);
}

void SECFrameWnd::DockControlBarEx(CControlBar* bar, UINT dock_bar_id, int column, int row, float pct, int length) {
    DockControlBarEx(bar, SECDockPos{row, column, 0}, dock_bar_id, SECDockSize{pct, length, 0});
}

void SECFrameWnd::FloatControlBarEx(CControlBar* bar, int x, int y, DWORD style) {
    sec_float_control_bar_ex(this, bar, x, y, style);
}

CMiniDockFrameWnd* SECFrameWnd::CreateFloatingFrame(DWORD style) { return sec_create_floating_frame(this, style); }

void SECFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
    sec_show_control_bar(this, bar, show, delay);
}

os::Status SECFrameWnd::LoadBarState(const char* profile_name) {
    return sec_load_bar_state(this, m_pManager, profile_name);
}

void SECFrameWnd::SaveBarState(const char* profile_name) { sec_save_bar_state(this, m_pManager, profile_name); }

// ---- the caption ----------------------------------------------------------------------------

void SECFrameWnd::SetCustomCaption(BOOL on) {
    m_bCustomCaption = on;
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SECFrameWnd::GetCaptionRect(CRect& rect) const {
    rect.SetRectEmpty();
    const DWORD style = GetStyle();
    if ((style & WS_CAPTION) != WS_CAPTION) return;
    const int cx = ::GetSystemMetrics(SM_CXFRAME);
    const int cy = ::GetSystemMetrics(SM_CYFRAME) - ((style & WS_THICKFRAME) ? 0 : 1);
    CRect window;
    GetWindowRect(&window);
    const int height = ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER);
    // The system draws the close button at the right; the caption stops short of it.
    const int buttons = (style & WS_SYSMENU) ? ::GetSystemMetrics(SM_CYCAPTION) - 5 + 4 : 0;
    rect = CRect(cx, cy, std::max<int>(cx, window.Width() - cx - buttons), cy + height - 1);
}

void SECFrameWnd::make_caption_fonts() {
    if (m_fontCaption.m_hObject) return;
    LOGFONT font{};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    m_fontCaption.CreateFontIndirect(&font);
    font.lfWeight = FW_BOLD;
    m_fontCaptionBold.CreateFontIndirect(&font);
}

void SECFrameWnd::PaintCaption() {
    GetCaptionRect(m_rectCaption);
    const CRect caption = m_rectCaption;
    if (caption.IsRectEmpty() || !m_bCustomCaption) return;
    make_caption_fonts();
    SECCaptionLook look;
    look.active = m_bActive;
    look.align = m_nCaptionAlign;
    look.icon_box = (GetStyle() & WS_SYSMENU) ? caption.Height() : 0;
    look.icon = look.icon_box && AfxGetApp() ? AfxGetApp()->LoadIcon(m_nIDHelp) : nullptr;
    // The application's part of the title (up to its first '-') in bold, the document's after it.
    look.head_font = &m_fontCaptionBold;
    look.tail_font = &m_fontCaption;
    // Without a memory picture the system's caption stays.
    sec_paint_gradient_caption(*this, caption, look);
}

void SECFrameWnd::OnNcPaint() {
    Default();
    PaintCaption();
}

BOOL SECFrameWnd::OnNcActivate(BOOL active) {
    // Disabled (behind a modal dialog) the caption shows inactive.
    m_bActive = active && IsWindowEnabled();
    // The state as the frame keeps it (its floating windows count as itself), not as sent.
    const BOOL result = BOOL(DefWindowProc(WM_NCACTIVATE, active, 0));
    PaintCaption();
    return result;
}

LRESULT SECFrameWnd::OnSetText(WPARAM, LPARAM) {
    const LRESULT result = Default();
    PaintCaption();
    return result;
}

// ---- dockable frames ----------------------------------------------------------------------

BOOL SECDockableFrame::CreateHosted(CFrameWnd* dock_site, const char* title, UINT bar_id, CCreateContext* context) {
    if (!dock_site || m_hWnd) return FALSE;
    auto* bar = new SECFrameBar;
    bar->m_bAutoDelete = TRUE;
    if (!bar->Create(dock_site, title, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC, 0, bar_id)) {
        delete bar;
        return FALSE;
    }
    bar->EnableDocking(CBRS_ALIGN_ANY);
    // A document's frame shows its template's menu while it is active.
    CDocTemplate* doc_template = context ? context->m_pNewDocTemplate : nullptr;
    if (doc_template && doc_template->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        m_hMenuShared = doc_template->m_hMenuShared;
        m_nIDHelp = doc_template->m_nIDResource;
    }
    if (!Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), bar, nullptr, 0, context)) {
        bar->DestroyWindow();
        return FALSE;
    }
    CRect inside;
    bar->GetInsideRect(inside);
    MoveWindow(&inside);
    return TRUE;
}

LRESULT SECDockableFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    SECMDIFrameWnd* frame = message == sec_syscommandex_message() ? GetMDIFrame() : nullptr;
    if (frame) return frame->SendMessage(message, wParam, lParam);
    return SECFrameWnd::DefWindowProc(message, wParam, lParam);
}

SECFrameBar* SECDockableFrame::GetFrameBar() const {
    CWnd* parent = m_hWnd ? GetParent() : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(SECFrameBar)) ? static_cast<SECFrameBar*>(parent) : nullptr;
}

BOOL SECDockableFrame::IsFloating() const {
    SECFrameBar* bar = GetFrameBar();
    return bar && bar->IsFloating();
}

BOOL SECDockableFrame::DestroyWindow() {
    if (SECFrameBar* bar = GetFrameBar()) return bar->DestroyWindow();
    return SECFrameWnd::DestroyWindow();
}

BOOL SECDockableFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

void SECDockableFrame::OnUpdateFrameTitle(BOOL add_to_title) {
    if (!add_to_title || !(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* document = GetActiveDocument();
    if (!document) return;
    SetWindowText(document->GetTitle());
    if (SECFrameBar* bar = GetFrameBar()) bar->SetWindowText(document->GetTitle());
}

SECMDIFrameWnd* SECDockableFrame::GetMDIFrame() const {
    if (auto* frame = dynamic_cast<SECMDIFrameWnd*>(m_hWnd ? GetTopLevelFrame() : nullptr)) return frame;
    return dynamic_cast<SECMDIFrameWnd*>(AfxGetMainWnd());
}

void SECDockableFrame::OnUpdateFrameMenu(HMENU alternate_menu) {
    SECMDIFrameWnd* frame = GetMDIFrame();
    // In menu-bar mode the bar has switched to this frame's menu already.
    if (!frame || frame->HasMenuBar()) return;
    HMENU menu = alternate_menu ? alternate_menu : m_hMenuShared ? m_hMenuShared : frame->GetDefaultMenu();
    frame->MDISetMenu(menu, frame->GetWindowMenuPopup(menu));
}

int SECDockableFrame::OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    const int result = int(Default());
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT)
        if (SECMDIFrameWnd* frame = GetMDIFrame()) frame->ActivateDockableFrame(this);
    return result;
}

void SECDockableFrame::OnDestroy() {
    // The activation goes back to the MDI area with the frame.
    if (SECMDIFrameWnd* frame = GetMDIFrame(); frame && frame->GetActiveDockableFrame() == this)
        frame->ActivateDockableFrame(nullptr);
    SECFrameWnd::OnDestroy();
}

void SECFrameBar::OnContextMenu(CWnd* wnd, CPoint point) {
    // A docked document window's bar offers the state menu its MDI child has on its caption.
    if (SECDockableFrame* frame = GetFrame()) {
        nsSysCommandEx::SysCommandRecord record;
        record.window = frame->m_hWnd;
        record.x = point.x, record.y = point.y;  // (-1, -1) from the keyboard centres the menu
        if (nsSysCommandEx::SendSysCommandEx(frame->m_hWnd, nsSysCommandEx::SCX_QUERYSTATEMENU, record) &&
            record.menu) {
            const HMENU menu = record.menu;
            nsSysCommandEx::SendSysCommandEx(frame->m_hWnd, nsSysCommandEx::SCX_SHOWSTATEMENU, record);
            ::DestroyMenu(menu);
            return;
        }
    }
    SECControlBar::OnContextMenu(wnd, point);
}

SECDockableFrame* SECFrameBar::GetFrame() const {
    for (CWnd* child = GetTopWindow(); child; child = child->GetNextWindow())
        if (child->IsKindOf(RUNTIME_CLASS(SECDockableFrame))) return static_cast<SECDockableFrame*>(child);
    return nullptr;
}

void SECFrameBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    if (SECDockableFrame* frame = GetFrame()) {
        CRect inside;
        GetInsideRect(inside);
        frame->MoveWindow(&inside);
    }
}
