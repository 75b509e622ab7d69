#include "platform/afx/frame.h"

#include "platform/afx/app.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/control_bar.h"
#include "platform/afx/dock_bar.h"
#include "platform/afx/dock_state.h"
#include "platform/afx/document.h"
#include "platform/afx/menu.h"
#include "platform/afx/mini_frame.h"
#include "platform/afx/view.h"
#include "platform/user/accelerator_api.h"
#include "platform/user/tooltips.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ENTERIDLE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() {
    if (m_hMenuDefault && !::IsMenu(m_hMenuDefault)) m_hMenuDefault = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    return TRUE;
}

BOOL CFrameWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                       const char* menu_name, DWORD ex_style, CCreateContext* context) {
    m_strTitle = title;
    HMENU menu = nullptr;
    if (menu_name && !(style & WS_CHILD)) {
        menu = ::LoadMenu(nullptr, menu_name);
        if (!menu) return FALSE;
    }
    m_hMenuDefault = menu;
    const bool use_default = CRect(rect) == rectDefault;
    const int x = use_default ? CW_USEDEFAULT : rect.left, y = use_default ? CW_USEDEFAULT : rect.top;
    const int cx = use_default ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = use_default ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(ex_style, class_name, title, style, x, y, cx, cy, parent ? parent->m_hWnd : nullptr, menu, context)) {
        if (menu) ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    CString title;
    title.LoadString(resource_id);
    const int newline = title.Find('\n');
    if (newline >= 0) title = title.Left(newline);
    m_nIDHelp = resource_id;
    if (!Create(nullptr, title, style, rectDefault, parent, MAKEINTRESOURCE(resource_id), 0, context)) return FALSE;
    m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(resource_id));
    if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCT* cs) {
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (Default() == -1 || !OnCreateClient(cs, context)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
    if (context && context->m_pNewViewClass && !CreateView(context)) return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    CObject* made = context->m_pNewViewClass->CreateObject();
    if (!made || !made->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete made;
        return nullptr;
    }
    auto* view = static_cast<CWnd*>(made);
    // A failed Create has already deleted a view through PostNcDestroy.
    if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, id,
                        context))
        return nullptr;
    return view;
}

void CFrameWnd::OnDestroy() {
    // Bars are child windows and go with the frame; forget them first.
    m_listControlBars.RemoveAll();
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = nullptr;
    if (bar_tips_ && ::IsWindow(bar_tips_)) ::DestroyWindow(bar_tips_);
    bar_tips_ = nullptr;
    Default();
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd) return;  // closing the documents took the frame with them
        doc = GetActiveDocument();     // the one asked about above is gone
    }
    if (doc) doc->PreCloseFrame(this);
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    Default();
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* old) {
    if (active_view_ && active_view_->m_hWnd) {
        active_view_->SetFocus();
    } else {
        Default();
    }
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc) { return active_view_ ? TRUE : BOOL(Default()); }

// ---- layout -----------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout || !m_hWnd) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    // Delayed shows and hides take effect with the layout that follows them.
    for (POSITION p = m_listControlBars.GetHeadPosition(); p;)
        ApplyDelayShow(static_cast<CControlBar*>(m_listControlBars.GetNext(p)));
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::ApplyDelayShow(CControlBar* bar) {
    if (!(bar->m_nStateFlags & (CControlBar::delayShow | CControlBar::delayHide))) return;
    const bool show = (bar->m_nStateFlags & CControlBar::delayShow) != 0;
    bar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
    bar->SetWindowPos(
        nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
    if (bar && !m_listControlBars.Find(bar)) m_listControlBars.AddTail(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
    if (POSITION p = m_listControlBars.Find(bar)) m_listControlBars.RemoveAt(p);
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
    for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
        auto* bar = static_cast<CControlBar*>(const_cast<CPtrList&>(m_listControlBars).GetNext(p));
        if (bar->m_hWnd && UINT(bar->GetDlgCtrlID()) == id) return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
    if (!bar || !bar->m_hWnd) return;
    if (delay) {
        bar->DelayShow(show);
        DelayRecalcLayout();
        return;
    }
    bar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
    bar->SetWindowPos(
        nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmd_ui) {
    CControlBar* bar = GetControlBar(cmd_ui->m_nID);
    if (!bar) {
        cmd_ui->ContinueRouting();
        return;
    }
    cmd_ui->SetCheck(bar->IsVisible());
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
    CControlBar* bar = GetControlBar(id);
    if (!bar) return FALSE;
    ShowControlBar(bar, !bar->IsVisible(), FALSE);
    return TRUE;
}

// ---- saved bar layout ---------------------------------------------------------

void CFrameWnd::EnableDocking(DWORD sides) {
    // Top and bottom first, so that they span the whole width.
    static const struct {
        DWORD align;
        UINT id;
    } kSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                  {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                  {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                  {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
    for (const auto& side : kSides) {
        if (!(sides & side.align) || GetControlBar(side.id)) continue;
        auto* dock_bar = new CDockBar;
        if (!dock_bar->Create(this, side.align | afx_borders_facing_in(side.align), side.id)) delete dock_bar;
    }
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dock_bar_id, const RECT* where) {
    if (!bar) return;
    CControlBar* target = dock_bar_id ? GetControlBar(dock_bar_id) : nullptr;
    if (!dock_bar_id) {
        for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
            CControlBar* candidate = GetControlBar(id);
            if (candidate && (bar->m_dwDockStyle & afx_align_of_dock_bar(id))) {
                target = candidate;
                break;
            }
        }
    }
    if (target && target->IsKindOf(RUNTIME_CLASS(CDockBar))) static_cast<CDockBar*>(target)->DockControlBar(bar, where);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD style) {
    auto* frame = new CMiniDockFrameWnd;
    if (!frame->Create(this, style)) return nullptr;  // deleted by its PostNcDestroy
    return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style) {
    if (!bar || !bar->m_hWnd) return;
    CMiniDockFrameWnd* frame = CreateFloatingFrame(style);
    if (!frame) return;
    frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->m_wndDockBar.DockControlBar(bar);
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_FLOATING);
    frame->RecalcLayout();
    frame->ShowWindow(SW_SHOWNA);
    RecalcLayout();
}

CDockBar* CFrameWnd::CanDock(CRect rect, DWORD style, CDockBar** dock_bar) {
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CControlBar* candidate = GetControlBar(id);
        if (!candidate || !(style & afx_align_of_dock_bar(id)) || !candidate->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        CRect area;
        candidate->GetWindowRect(&area);
        // An empty dock bar still catches a rectangle that reaches its edge of the frame.
        if (area.Width() == 0) area.InflateRect(1, 0);
        if (area.Height() == 0) area.InflateRect(0, 1);
        CRect overlap;
        if (overlap.IntersectRect(&area, &rect)) {
            if (dock_bar) *dock_bar = static_cast<CDockBar*>(candidate);
            return static_cast<CDockBar*>(candidate);
        }
    }
    if (dock_bar) *dock_bar = nullptr;
    return nullptr;
}

void CFrameWnd::GetDockState(CDockState& state) const {
    state.Clear();
    for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
        auto* bar = static_cast<CControlBar*>(const_cast<CPtrList&>(m_listControlBars).GetNext(p));
        if (!bar->m_hWnd) continue;
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        state.m_arrBarInfo.Add(info);
    }
}

void CFrameWnd::SetDockState(const CDockState& state) {
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        CControlBarInfo* info = state.m_arrBarInfo[i];
        CControlBar* bar = GetControlBar(info->m_nBarID);
        if (bar) bar->SetBarInfo(info, this);  // a bar this frame no longer has is skipped
    }
    RecalcLayout();
}

void CFrameWnd::SaveBarState(const char* name) const {
    CDockState state;
    GetDockState(state);
    state.SaveState(name);
}

void CFrameWnd::LoadBarState(const char* name) {
    CDockState state;
    if (state.LoadState(name)) SetDockState(state);
}

// ---- idle time ---------------------------------------------------------------

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    OnIdleUpdate();
    // After the frame's own layout, so that a floating frame sizes to bars it has just shown.
    IdleUpdateFloatingWindows();
    return 0;
}

void CFrameWnd::OnIdleUpdate() {
    if (m_nIdleFlags & idleLayout) RecalcLayout(m_nIdleFlags & idleNotify);
    if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleMenu) OnUpdateFrameMenu(nullptr);
    m_nIdleFlags = 0;
    if (m_nShowDelay >= 0) {
        const int command = m_nShowDelay;
        m_nShowDelay = -1;
        ShowWindow(command);
    }
}

void CFrameWnd::OnEnterIdle(UINT why, CWnd*) {
    // A menu open on a command shows its prompt once the mouse rests.
    if (why == MSGF_MENU && m_nIDTracking != m_nIDLastMessage) SetMessageText(m_nIDTracking);
}

// ---- menus and prompts ------------------------------------------------------

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL system) {
    if (system || !popup) return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = popup->GetMenuItemID(int(state.m_nIndex));
        if (state.m_nID == 0) continue;  // separator
        if (state.m_nID == UINT(-1)) {
            // A nested popup is enabled or disabled as a whole by its first item.
            state.m_pSubMenu = popup->GetSubMenu(int(state.m_nIndex));
            state.m_nID = state.m_pSubMenu ? state.m_pSubMenu->GetMenuItemID(0) : 0;
            if (state.m_nID == 0 || state.m_nID == UINT(-1)) {
                state.m_pSubMenu = nullptr;
                continue;
            }
            state.DoUpdate(this, FALSE);
            state.m_pSubMenu = nullptr;
            continue;
        }
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // An update (the recent-file list) may have added or removed items.
        state.m_nIndexMax = popup->GetMenuItemCount();
    }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    } else if (flags & (MF_SEPARATOR | MF_POPUP)) {
        m_nIDTracking = 0;
    } else {
        m_nIDTracking = item;
    }
    SetMessageText(m_nIDTracking);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const {
    CString text;
    if (!text.LoadString(id)) {
        message.Empty();
        return;
    }
    const int newline = text.Find('\n');
    message = newline >= 0 ? text.Left(newline) : text;
}

HWND CFrameWnd::GetBarToolTips() {
    if (bar_tips_ && ::IsWindow(bar_tips_)) return bar_tips_;
    // Tips show for floating bars too, whose frame is not the active window.
    bar_tips_ = ::CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                                 m_hWnd, nullptr, nullptr, nullptr);
    return bar_tips_;
}

CWnd* CFrameWnd::GetMessageBar() { return CWnd::FromHandle(::GetDlgItem(m_hWnd, int(AFX_IDW_STATUS_BAR))); }

void CFrameWnd::SetMessageText(const char* text) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

void CFrameWnd::SetMessageText(UINT id) { SendMessage(WM_SETMESSAGESTRING, id); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT previous = m_nIDLastMessage;
    CWnd* bar = GetMessageBar();
    CString text;
    if (lParam) {
        text = reinterpret_cast<const char*>(lParam);
    } else if (wParam) {
        GetMessageString(UINT(wParam), text);
    }
    if (bar) bar->SetWindowText(text);
    m_nIDLastMessage = UINT(wParam);
    return LRESULT(previous);
}

// ---- views, titles, routing ---------------------------------------------------

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* previous = active_view_;
    if (view == previous) return;
    active_view_ = view;
    if (notify && previous && previous->m_hWnd) previous->OnActivateView(FALSE, view, previous);
    if (notify && view && view->m_hWnd) view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() {
    if (CFrameWnd* frame = GetActiveFrame(); frame && frame != this) return frame->GetActiveDocument();
    return active_view_ ? active_view_->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL make_visible) {
    if (!active_view_) {
        CWnd* pane = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, int(AFX_IDW_PANE_FIRST)));
        // A splitter in the view's place holds the first view under the same id.
        if (pane && !pane->IsKindOf(RUNTIME_CLASS(CView)))
            pane = CWnd::FromHandlePermanent(::GetDlgItem(pane->m_hWnd, int(AFX_IDW_PANE_FIRST)));
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) SetActiveView(static_cast<CView*>(pane), FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (make_visible) {
        ActivateFrame();
        if (active_view_) active_view_->OnActivateView(TRUE, active_view_, active_view_);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int command) {
    ShowWindow(command == -1 ? SW_SHOW : command);
    ::SetActiveWindow(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL add_to_title) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(add_to_title && doc ? doc->GetTitle().str().c_str() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* document_name) {
    CString title = m_strTitle;
    if (document_name && *document_name) {
        title = (GetStyle() & FWS_PREFIXTITLE) ? CString(document_name) + " - " + m_strTitle
                                               : m_strTitle + " - " + document_name;
    }
    if (GetWindowText() != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU alternate_menu) {
    HMENU menu = alternate_menu ? alternate_menu : m_hMenuDefault;
    if (menu && ::GetMenu(m_hWnd) != menu) ::SetMenu(m_hWnd, menu);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (active_view_ && active_view_->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable &&
        ::TranslateAccelerator(m_hWnd, m_hAccelTable, msg))
        return TRUE;
    return FALSE;
}
