#include "uikit/frames/mdi_frame.h"

#include <algorithm>

#include "uikit/frames/doc_templates.h"
#include "uikit/frames/frame_docking.h"
#include "uikit/frames/dock_state.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/gradient_caption.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/sys_command.h"
#include "uikit/frames/sys_colors.h"

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNAMIC(SECCmdExtension, CCmdTarget)

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
ON_WM_SYSCOLORCHANGE()
ON_WM_ENTERIDLE()
ON_MESSAGE(WM_SEC_EXTENDCONTEXTMENU, OnExtendContextMenu)
END_MESSAGE_MAP()

namespace {

// Filter ids of the frame's tree.
constexpr UINT kMaxChildCaptionList = 256, kSysCommandFilter = 257, kMaxChildButton = 260, kMaxChildDoubleClick = 261;

SECControlBar* as_sec(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(bar) : nullptr;
}

}  // namespace

SECMDIFrameWnd::SECMDIFrameWnd()
    : root_filter_(std::make_unique<SECMsgFilter>(this, -1)),
      menus_(this, [this](UINT id) { return GetMenuForId(id); }) {
    sec_register_frames_resources();
    using namespace nsSysCommandEx;
    filter_table_.Add(kSysCommandFilter, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(ScxMsgFilter), 0);
    filter_table_.Add(kMaxChildCaptionList, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter), 0);
    filter_table_.Add(kMaxChildButton, kMaxChildCaptionList, RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter), 0);
    filter_table_.Add(kMaxChildDoubleClick, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter), 0);
    // The extended system commands work for documents of a template that can make dockable frames.
    BOOL dockable_documents = FALSE;
    CWinApp* app = AfxGetApp();
    for (POSITION at = app ? app->GetFirstDocTemplatePosition() : nullptr; at;) {
        CDocTemplate* doc_template = app->GetNextDocTemplate(at);
        dockable_documents =
            dockable_documents || (doc_template && doc_template->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate)));
    }
    EnableCaptionFilters(dockable_documents);
    // Bottom, left and right in turn, with row breaks now and then.
    for (int n = 0; n < 6; ++n) {
        if (n % 3 == 0) default_dock_ids_.push_back(0);
        default_dock_ids_.push_back(AFX_IDW_DOCKBAR_BOTTOM);
        if (n % 2 == 0) default_dock_ids_.push_back(0);
        default_dock_ids_.push_back(AFX_IDW_DOCKBAR_LEFT);
        if (n % 2 == 0) default_dock_ids_.push_back(0);
        default_dock_ids_.push_back(AFX_IDW_DOCKBAR_RIGHT);
    }
}

SECMDIFrameWnd::~SECMDIFrameWnd() = default;

void SECMDIFrameWnd::EnableCaptionFilters(BOOL first) {
    const BOOL enable[] = {first & 1, TRUE, TRUE, TRUE};
    root_filter_->ApplyDescriptorTable(filter_table_, enable);
    // The system draws the maximised child's own buttons; the list keeps room for the application's.
    SECMsgFilter* list = root_filter_->FindFilter(int(kMaxChildCaptionList), nullptr, -1);
    if (list && list->IsKindOf(RUNTIME_CLASS(SECCaptionControlListMsgFilter)))
        list->ApplyDescriptorList(static_cast<SECCaptionControlListMsgFilter*>(list)->m_controls.items, FALSE);
}

// ---- docking ----------------------------------------------------------------------------

SECDockBar* SECMDIFrameWnd::CreateDockBar() {
    CObject* made = m_pDockBarClass ? m_pDockBarClass->CreateObject() : nullptr;
    if (made && made->IsKindOf(RUNTIME_CLASS(SECDockBar))) return static_cast<SECDockBar*>(made);
    delete made;
    return nullptr;
}

void SECMDIFrameWnd::EnableDocking(DWORD dock_style) {
    if (!m_pMDIChildBarClass) m_pMDIChildBarClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
    if (!m_pDockBarClass) m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    sec_enable_docking(this, dock_style,
                       [](CFrameWnd* frame) { return static_cast<SECMDIFrameWnd*>(frame)->CreateDockBar(); });
}

void SECMDIFrameWnd::DockControlBarEx(CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                                      const SECDockSize& size) {
    sec_dock_control_bar_ex(this, bar, position, dock_bar_id, size);
}

void SECMDIFrameWnd::DockControlBarEx(CControlBar* bar, UINT dock_bar_id, int a, int b, float pct, int height) {
    DockControlBarEx(bar, SECDockPos{b, a, 0}, dock_bar_id, SECDockSize{pct, height, 0});
}

void SECMDIFrameWnd::FloatControlBarEx(CControlBar* bar, int x, int y, DWORD style) {
    sec_float_control_bar_ex(this, bar, x, y, style);
}

CMiniDockFrameWnd* SECMDIFrameWnd::CreateFloatingFrame(DWORD style) { return sec_create_floating_frame(this, style); }

CFrameWnd* SECMDIFrameWnd::CreateDockableFrame(CRuntimeClass* frame_class, const char* title, UINT bar_id,
                                               CCreateContext* context) {
    if (!frame_class || !frame_class->IsDerivedFrom(RUNTIME_CLASS(SECDockableFrame)))
        frame_class = RUNTIME_CLASS(SECDockableFrame);
    auto* frame = static_cast<SECDockableFrame*>(frame_class->CreateObject());
    if (!frame) return nullptr;
    if (!frame->CreateHosted(this, title, bar_id, context)) {
        if (!frame->m_hWnd) delete frame;
        return nullptr;
    }
    return frame;
}

SECBarHost* SECMDIFrameWnd::CreateControlBarMDIChild() {
    CRuntimeClass* cls = m_pMDIChildBarClass ? m_pMDIChildBarClass : RUNTIME_CLASS(SECControlBarMDIChildWnd);
    CObject* made = cls->CreateObject();
    SECBarHost* host = made && made->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? dynamic_cast<SECBarHost*>(made) : nullptr;
    if (!host) {
        delete made;
        return nullptr;
    }
    // A failed LoadFrame has deleted the child already.
    if (!host->GetHostFrame()->LoadFrame(20514, 0x42CFA000, this, nullptr)) return nullptr;
    return host;
}

void SECMDIFrameWnd::FloatControlBarAsMDIChild(CControlBar* bar, int x, int y, DWORD style) {
    if (!bar || !bar->m_hWnd || !m_hWndMDIClient) return;
    SECControlBar* sec = as_sec(bar);
    if (sec) sec->OnBarBeginMDIFloat();
    CRect client;
    ::GetClientRect(m_hWndMDIClient, &client);
    if (x < 0 || y < 0) {
        x = m_ptCascade.x, y = m_ptCascade.y;
        m_ptCascade.Offset(20, 23);
        if (m_ptCascade.x > client.Width() - 30) m_ptCascade.x = 30;
        if (m_ptCascade.y > client.Height() - 30) m_ptCascade.y = 30;
    } else {
        CPoint at(x, y);
        ::ScreenToClient(m_hWndMDIClient, &at);
        x = at.x, y = at.y;
    }
    x = std::clamp<int>(x, 0, std::max<int>(client.Width(), 0));
    y = std::clamp<int>(y, 0, std::max<int>(client.Height() - 30, 0));
    SECDockBar* current = sec_dock_bar_of(bar);
    if (current && current->m_bMDIChild && current->GetDockedCount() == 1) {
        if (CWnd* host = current->GetParent()) {
            host->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            static_cast<CFrameWnd*>(host)->RecalcLayout();
        }
    } else if (SECBarHost* host = CreateControlBarMDIChild()) {
        CMDIChildWnd* child = host->GetHostFrame();
        bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | (sec_float_style(bar, style) & CBRS_ALIGN_ANY);
        child->SetOwner(this);
        host->m_wndDockBar.DockControlBarEx(bar, SECDockPos{});
        const CSize size = bar->m_dwStyle & CBRS_SIZE_DYNAMIC ? bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH)
                                                              : bar->CalcFixedLayout(FALSE, TRUE);
        CRect frame_rect(0, 0, size.cx, size.cy);
        ::AdjustWindowRectEx(&frame_rect, child->GetStyle(), FALSE, child->GetExStyle());
        child->SetWindowPos(nullptr, x, y, frame_rect.Width(), frame_rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        child->RecalcLayout();
        child->ShowWindow(SW_SHOWNA);
        child->UpdateWindow();
    }
    if (sec) sec->OnBarEndMDIFloat();
}

os::Status SECMDIFrameWnd::LoadBarState(const char* profile_name) {
    return sec_load_bar_state(this, m_pControlBarManager, profile_name);
}

void SECMDIFrameWnd::SaveBarState(const char* profile_name) {
    sec_save_bar_state(this, m_pControlBarManager, profile_name);
}

// ---- show and hide ------------------------------------------------------------------------

void SECMDIFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
    sec_show_control_bar(this, bar, show, delay);
}

void SECMDIFrameWnd::RecalcLayout(BOOL notify) {
    const bool had_area = m_rectLastClient.Width() > 0 && m_rectLastClient.Height() > 0;
    CMDIFrameWnd::RecalcLayout(notify);
    // A frame that had no client area (a zero-height frame) repaints whole once it has one.
    if (!had_area && m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    m_rectLastClient.SetRectEmpty();
    if (m_hWndMDIClient) {
        ::GetClientRect(m_hWndMDIClient, &m_rectLastClient);
        ::MapWindowPoints(m_hWndMDIClient, m_hWnd, reinterpret_cast<POINT*>(&m_rectLastClient), 2);
    }
}

// ---- messages -------------------------------------------------------------------------------

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A dockable frame holding the activation sees the command first.
    if (active_dockable_ && active_dockable_->m_hWnd &&
        AfxCallWndProc(active_dockable_, active_dockable_->m_hWnd, WM_COMMAND, wParam, lParam))
        return TRUE;
    if (CMDIFrameWnd::OnCommand(wParam, lParam)) return TRUE;
    // System commands chosen from a menu of ours come back as the system command.
    if (lParam == 0 && LOWORD(wParam) >= 0xF000) {
        SendMessage(WM_SYSCOMMAND, LOWORD(wParam), 0);
        return TRUE;
    }
    return FALSE;
}

BOOL SECMDIFrameWnd::offer_to_plug_in(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // While toolbars are being customised the frame itself neither moves nor sizes.
    if (message == WM_NCHITTEST && sec_customising(m_pControlBarManager)) {
        result = HTERROR;
        return TRUE;
    }
    return menus_.Offer(message, wParam, lParam, result, m_pControlBarManager);
}

BOOL SECMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    if (menus_.OnCmdMsg(id, code, extra, info)) return TRUE;
    // A dockable frame holding the activation takes the place of the active MDI child.
    CFrameWnd* active = MDIGetActive();
    if (active_dockable_ && active_dockable_->m_hWnd) active = active_dockable_;
    if (active && active->OnCmdMsg(id, code, extra, info)) return TRUE;
    if (cmd_extension_) {
        const BOOL handled = cmd_extension_->OnCmdMsg(id, code, extra, info);
        if (handled || cmd_extension_->m_bOwnCommand) {
            cmd_extension_->m_bOwnCommand = FALSE;
            return handled;
        }
    }
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

// A popup, with bit 0 telling the extension that a frame makes it.
constexpr DWORD kExtensionStyle = WS_POPUP | 0x1;

SECCmdExtension* SECMDIFrameWnd::CreateCmdExtension(CWnd* parent, UINT id, CRuntimeClass* extension_class,
                                                    CCreateContext* context) {
    if (!extension_class) return nullptr;
    std::unique_ptr<CObject> made(extension_class->CreateObject());
    auto* extension = dynamic_cast<SECCmdExtension*>(made.get());
    if (!extension || !extension->Create(parent, id, kExtensionStyle, context) || !extension->AttachFrame(this))
        return nullptr;
    made.release();
    cmd_extension_.reset(extension);
    return extension;
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (offer_to_plug_in(message, wParam, lParam, result)) return result;
    // The menu bar shows the maximised child's buttons; the frame's caption list stays off.
    if (message == WM_CREATE && menus_.GetFeature())
        if (SECMsgFilter* list = root_filter_->FindFilter(int(kMaxChildCaptionList), nullptr, -1)) list->Enable(FALSE);
    if (message == WM_ACTIVATE) {
        result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
        ActivateViewOnFrameActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        return result;
    }
    if (gradient_caption_ && caption_message(message, wParam, lParam, result)) return result;
    if (root_filter_ && sec_route_to_filters(*root_filter_, message, wParam, lParam, &result,
                                             [&] { return CMDIFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL SECMDIFrameWnd::PreTranslateMessage(MSG* msg) {
    if (menus_.PreTranslateMessage(msg)) return TRUE;
    // The frame stays while its toolbars are customised.
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_CLOSE && sec_customising(m_pControlBarManager))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}

// ---- default places and idle time ------------------------------------------------------------

void SECMDIFrameWnd::GetNextDefaultDockPos(UINT& dock_bar_id, SECDockPos& position, SECDockSize& size) {
    size = SECDockSize{1.0f, 150, 0};
    const int count = int(default_dock_ids_.size());
    for (int looked = 0; looked < count; ++looked) {
        const int at = default_dock_index_ % count;
        default_dock_index_ = (at + 1) % count;
        const UINT id = default_dock_ids_[std::size_t(at)];
        if (!id) continue;
        dock_bar_id = id;
        position = SECDockPos{0, 1, SEC_DOCKPOS_FROM_END};
        if (id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_LEFT) position.flags |= SEC_DOCKPOS_FROM_BOTTOM;
        // After a row break the bar starts a row of its own.
        const UINT before = default_dock_ids_[std::size_t(at == 0 ? count - 1 : at - 1)];
        if (count > 1 && before == 0) {
            position.flags |= SEC_DOCKPOS_NEW_ROW;
            if (position.flags & SEC_DOCKPOS_FROM_BOTTOM) position.row = 1;
        }
        return;
    }
    dock_bar_id = AFX_IDW_DOCKBAR_BOTTOM;
    position = SECDockPos{0, 0, SEC_DOCKPOS_NEW_ROW};
}

void SECMDIFrameWnd::OnEnterIdleEx(UINT why, CWnd* who) {
    if (why == MSGF_DIALOGBOX && sec_customising(m_pControlBarManager) && (m_nIdleFlags & idleLayout)) {
        const BOOL notify = (m_nIdleFlags & idleNotify) != 0;
        m_nIdleFlags &= ~(idleLayout | idleNotify);
        RecalcLayout(notify);
        UpdateWindow();
    }
    CMDIFrameWnd::OnEnterIdle(why, who);
}

// ---- the painted caption -----------------------------------------------------------------------

BOOL SECMDIFrameWnd::EnableCustomCaption(BOOL on, BOOL redraw) {
    const BOOL old = gradient_caption_;
    if (!sec_sys_colors().new_shell) return old;
    gradient_caption_ = on;
    if (m_hWnd && redraw) {
        caption_active_ = ::GetActiveWindow() == m_hWnd;
        SendMessage(WM_NCPAINT, 1, 0);
    }
    return old;
}

void SECMDIFrameWnd::CreateCaptionFont(CFont& font) {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfCaptionFont.lfItalic = TRUE;
    font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void SECMDIFrameWnd::CreateCaptionDocFont(CFont& font) {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void SECMDIFrameWnd::DrawCaption() {
    if (!gradient_caption_ || !m_hWnd) return;
    const DWORD style = GetStyle();
    if ((style & WS_CAPTION) != WS_CAPTION) return;
    CRect window;
    GetWindowRect(&window);
    const int cx_size = ::GetSystemMetrics(SM_CXSIZE);
    const int top = ::GetSystemMetrics(SM_CYFRAME) - ((style & WS_THICKFRAME) ? 0 : 1);
    CRect caption(::GetSystemMetrics(SM_CXFRAME), top, window.Width() - cx_size - 1,
                  top + ::GetSystemMetrics(SM_CYSIZE));
    // The minimise and maximise boxes keep their room.
    const int boxes = ((style & WS_MINIMIZEBOX) ? 1 : 0) + ((style & WS_MAXIMIZEBOX) ? 1 : 0);
    if (boxes) caption.right -= boxes * cx_size + ::GetSystemMetrics(SM_CXBORDER);
    if (caption.right <= caption.left) return;
    if (!caption_font_.m_hObject) CreateCaptionFont(caption_font_);
    if (!caption_doc_font_.m_hObject) CreateCaptionDocFont(caption_doc_font_);
    SECCaptionLook look;
    look.active = caption_active_;
    look.align = m_nCaptionTextAlign;
    look.icon_box = (style & WS_SYSMENU) ? cx_size : 0;
    look.icon = look.icon_box && AfxGetApp() ? AfxGetApp()->LoadIcon(m_nIDHelp) : nullptr;
    look.icon_inset = CRect(2, 1, 0, 1);
    look.head_font = &caption_font_;
    look.tail_font = &caption_doc_font_;
    if (!sec_paint_gradient_caption(*this, caption, look)) {
        // Without a memory picture the system paints the caption again.
        gradient_caption_ = FALSE;
        SendMessage(WM_NCPAINT, 1, 0);
    }
}

BOOL SECMDIFrameWnd::caption_message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_NCPAINT:
            result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
            if (root_filter_) root_filter_->ProcessMessage(message, wParam, lParam, nullptr);
            DrawCaption();
            return TRUE;
        case WM_NCACTIVATE:
            // Behind a modal dialog the caption shows inactive.
            caption_active_ = KeepsActive(BOOL(wParam)) && IsWindowEnabled();
            result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
            DrawCaption();
            return TRUE;
        case WM_SETTEXT:
            CMDIFrameWnd::WindowProc(message, wParam, lParam);
            DrawCaption();
            result = TRUE;
            return TRUE;
        default: return FALSE;
    }
}

LRESULT SECMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sec_syscommandex_message()) {
        LRESULT result = 0;
        root_filter_->ProcessMessage(message, wParam, lParam, &result);
        return result;
    }
    return CMDIFrameWnd::DefWindowProc(message, wParam, lParam);
}

void SECMDIFrameWnd::OnSysColorChange() {
    RefreshSysColors();
    Default();
    SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
}

LRESULT SECMDIFrameWnd::OnExtendContextMenu(WPARAM wParam, LPARAM lParam) {
    SECControlBar* bar = as_sec(reinterpret_cast<CControlBar*>(wParam));
    auto* menu = reinterpret_cast<CMenu*>(lParam);
    if (!bar || !menu) return 0;
    // A bar in the MDI area docks again only through "Float In Main Window".
    if (bar->IsMDIChild()) menu->EnableMenuItem(ID_SEC_ALLOW_DOCKING, MF_BYCOMMAND | MF_GRAYED);
    if (bar->m_dwExStyle & CBRS_EX_FLOAT_IN_MAIN) {
        CString text;
        text.LoadString(ID_SEC_FLOAT_IN_MAIN);
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING | (bar->IsMDIChild() ? MF_CHECKED : 0), ID_SEC_FLOAT_IN_MAIN, text);
    }
    return 0;
}
