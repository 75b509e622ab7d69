#include "platform/afx/wnd.h"

#include <cstdio>
#include <exception>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/afx/app.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/controls.h"
#include "platform/afx/exceptions.h"
#include "platform/afx/frame.h"
#include "platform/afx/menu.h"
#include "platform/afx/temp_maps.h"
#include "platform/user/on_scope_exit.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// A message being handled; each dispatch keeps its own on its stack frame, so
// a pointer to it stays good while nested messages come and go.
struct Handling {
    MSG msg;
    const Handling* outer;
};

struct WindowThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    CWnd* creating = nullptr;            // attaches to the next window created on this thread
    const Handling* handling = nullptr;  // the innermost message being handled
};

WindowThreadState& thread_state() {
    thread_local WindowThreadState state;
    return state;
}

const MSG kNoMessage{};

// What a message whose handler failed answers: creation fails, and a window
// that could not paint is validated so it is not asked again at once.
LRESULT afx_default_result_after_failure(const MSG& msg) {
    if (msg.message == WM_CREATE) return -1;
    if (msg.message == WM_PAINT && ::IsWindow(msg.hwnd)) ::ValidateRect(msg.hwnd, nullptr);
    return 0;
}

// Messages sent from other threads to the framework's windows and to plain
// windows of its threads stop exceptions the same way.
[[maybe_unused]] const bool kStopsSendExceptions =
    (kit::user::set_dispatch_exception_handler(&AfxStopWndProcException), true);

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

#include "platform/afx/wnd_handlers_impl.inc"

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
    if (m_hWnd) Detach();
}

// ---- handle map ----------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& map = thread_state().permanent;
    auto found = map.find(hwnd);
    return found == map.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
    static const int kind = 0;
    return static_cast<CWnd*>(afx_temporary_wrapper(
        &kind, hwnd,
        [hwnd] {
            CWnd* wrapper = new CWnd;
            wrapper->m_hWnd = hwnd;
            return wrapper;
        },
        [](CObject* wrapper) { static_cast<CWnd*>(wrapper)->m_hWnd = nullptr; }));
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
    thread_state().permanent[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) {
        auto& map = thread_state().permanent;
        auto found = map.find(hwnd);
        if (found != map.end() && found->second == this) map.erase(found);
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    auto old =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, int(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    WNDPROC* super = GetSuperWndProcAddr();
    if (m_hWnd && *super) ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
    return Detach();
}

// ---- creation ------------------------------------------------------------

void AfxHookWindowCreate(CWnd* wnd) { thread_state().creating = wnd; }

BOOL AfxUnhookWindowCreate() {
    const bool still_waiting = thread_state().creating != nullptr;
    thread_state().creating = nullptr;
    return still_waiting ? FALSE : TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
    return TRUE;
}

BOOL CWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  CCreateContext* context) {
    return CreateEx(0, class_name, title, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
    return CreateEx(ex_style, class_name, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(std::uintptr_t(id)), param);
}

BOOL CWnd::CreateEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU menu_or_id, void* param) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{param, nullptr, menu_or_id, parent, cy, cx, y, x, LONG(style), title, class_name, ex_style};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const BOOL hooked = AfxUnhookWindowCreate();
    // A class of its own procedure (a control) is routed through us from now on.
    if (hwnd && !hooked && !m_hWnd) SubclassWindow(hwnd);
    if (!hwnd) {
        if (m_hWnd) Detach();
        PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

void CWnd::OnNcDestroy() {
    Default();
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super && m_hWnd) ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
    Detach();
    afx_main_window_destroyed(this);
    PostNcDestroy();
}

// ---- dispatch ------------------------------------------------------------

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = thread_state();
    const Handling current{MSG{hwnd, message, wParam, lParam, 0, {}}, state.handling};
    state.handling = &current;
    kit::user::OnScopeExit pop([&] { state.handling = current.outer; });
    // Exceptions stop here: reported, released, and the message gets its default result.
    try {
        return wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        return AfxStopWndProcException(current.msg, std::current_exception());
    }
}

LRESULT AfxProcessWndProcException(CException* e, const MSG* msg) {
    e->ReportError(MB_ICONEXCLAMATION);
    return afx_default_result_after_failure(*msg);
}

LRESULT AfxStopWndProcException(const MSG& msg, std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (CException* e) {
        const LRESULT result = e->IsKindOf(RUNTIME_CLASS(CUserException)) ? afx_default_result_after_failure(msg)
                                                                          : AfxProcessWndProcException(e, &msg);
        e->Delete();
        return result;
    } catch (const std::exception& e) {
        ::MessageBox(nullptr, e.what(), nullptr, MB_ICONEXCLAMATION);
    } catch (...) {
        ::MessageBox(nullptr, "An unknown error has occurred.", nullptr, MB_ICONEXCLAMATION);
    }
    return afx_default_result_after_failure(msg);
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    auto& state = thread_state();
    if (!wnd && state.creating) {
        wnd = std::exchange(state.creating, nullptr);
        wnd->Attach(hwnd);
        wnd->PreSubclassWindow();
    }
    if (!wnd) return ::DefWindowProc(hwnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    const Handling* handling = thread_state().handling;
    return handling ? &handling->msg : &kNoMessage;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT ignored = 0;
    if (!result) result = &ignored;
    if (message == WM_COMMAND) return OnCommand(wParam, lParam) ? (*result = 1, TRUE) : FALSE;
    if (message == WM_NOTIFY) {
        *result = 0;
        return OnNotify(wParam, lParam, result);
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message);
    if (!entry) return FALSE;
    AFX_MSGCALL call{message, wParam, lParam, 0, 0, nullptr, result};
    *result = entry->pfn(this, call);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (WNDPROC super = *GetSuperWndProcAddr()) return ::CallWindowProc(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* msg = GetCurrentMessage();
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!control) {
        // A menu item or accelerator: a command its update handler disables is dropped.
        CTestCmdUI test;
        test.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &test, nullptr);
        if (!test.m_bEnabled) return TRUE;
        code = CN_COMMAND;
    } else {
        if (ReflectLastMsg(control)) return TRUE;
        if (id == 0) return FALSE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return FALSE;
    if (header->hwndFrom && ReflectLastMsg(header->hwndFrom, result)) return TRUE;
    AFX_NOTIFY notify{result, header};
    return OnCmdMsg(UINT(header->idFrom), int(MAKELONG(WORD(header->code), WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd) return FALSE;
    const MSG* msg = GetCurrentMessage();
    return wnd->OnChildNotify(msg->message, msg->wParam, msg->lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_COMMAND:
            return OnCmdMsg(0, int(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr);
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT ignored = 0;
            AFX_NOTIFY notify{result ? result : &ignored, header};
            return OnCmdMsg(0, int(MAKELONG(WORD(header->code), WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR: return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
        default: return FALSE;
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL permanent_only) const {
    for (HWND child = ::GetTopWindow(m_hWnd); child;) {
        const HWND next = ::GetWindow(child, GW_HWNDNEXT);
        if (!permanent_only) {
            ::SendMessage(child, message, wParam, lParam);
        } else if (CWnd* wnd = FromHandlePermanent(child)) {
            AfxCallWndProc(wnd, child, message, wParam, lParam);
        }
        if (deep && ::IsWindow(child)) {
            CWnd wrapper;
            wrapper.m_hWnd = child;
            wrapper.SendMessageToDescendants(message, wParam, lParam, deep, permanent_only);
            wrapper.m_hWnd = nullptr;
        }
        child = next;
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disable_if_no_handler) {
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CCmdUI state;
        state.m_nID = UINT(::GetDlgCtrlID(child));
        state.m_pOther = FromHandle(child);
        if (state.m_nID == 0 || state.m_nID == 0xFFFF) continue;
        // Check boxes and radio buttons that toggle themselves stay usable without a handler.
        const DWORD type = DWORD(::GetWindowLong(child, GWL_STYLE)) & BS_TYPEMASK;
        char class_name[16] = {};
        ::GetClassName(child, class_name, sizeof class_name);
        const bool self_toggling =
            CString(class_name).CompareNoCase("BUTTON") == 0 && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
        state.DoUpdate(target, disable_if_no_handler && !self_toggling);
    }
}

// ---- tree and state --------------------------------------------------------

CWnd* CWnd::GetOwner() const { return owner_ ? FromHandle(owner_) : GetParent(); }

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent)) {
        CWnd* wnd = FromHandlePermanent(parent);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    CWnd* self = FromHandle(m_hWnd);
    CFrameWnd* frame =
        self && self->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(self) : GetParentFrame();
    while (frame) {
        CFrameWnd* up = frame->GetParentFrame();
        if (!up) break;
        frame = up;
    }
    return frame;
}

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestorTopLevel(m_hWnd)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swp_flags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, LONG(changed));
    if (swp_flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | swp_flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swp_flags) {
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, LONG(changed));
    if (swp_flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | swp_flags);
    return TRUE;
}

void CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, text.GetBufferSetLength(length + 1), length + 1);
    text.ReleaseBuffer();
}

CString CWnd::GetWindowText() const {
    CString text;
    GetWindowText(text);
    return text;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (!font) return nullptr;
    static const int kind = 0;
    return static_cast<CFont*>(afx_temporary_wrapper(
        &kind, font,
        [font] {
            CFont* wrapper = new CFont;
            wrapper->m_hObject = font;
            return wrapper;
        },
        [](CObject* wrapper) { static_cast<CFont*>(wrapper)->Detach(); }));
}

void CWnd::ClientToScreen(RECT* r) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

void CWnd::ScreenToClient(RECT* r) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

void CWnd::MapWindowPoints(CWnd* to, RECT* r) const {
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<POINT*>(r), 2);
}

void CWnd::MoveWindow(const RECT* r, BOOL repaint) {
    ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::CenterWindow(CWnd* alternate_owner) {
    CRect around(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const bool child = (GetStyle() & WS_CHILD) != 0;
    CWnd* owner = alternate_owner ? alternate_owner : child ? GetParent() : GetOwner();
    if (owner && child) {
        owner->GetClientRect(&around);
    } else if (owner && owner->IsWindowVisible() && !owner->IsIconic()) {
        owner->GetWindowRect(&around);
    } else {
        // An owner not on show yet (a splash over a main window still being made) or
        // minimized gives no place to centre over: the screen's work area does.
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &around, 0);
    }
    CRect self;
    GetWindowRect(&self);
    if (child && GetParent()) GetParent()->ScreenToClient(&self);
    const int x = around.left + (around.Width() - self.Width()) / 2;
    const int y = around.top + (around.Height() - self.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::CalcWindowRect(RECT* client_rect, UINT) {
    ::AdjustWindowRectEx(client_rect, GetStyle(), FALSE, GetExStyle());
}

BOOL CWnd::RedrawWindow(const RECT* r, CRgn* region, UINT flags) {
    return ::RedrawWindow(m_hWnd, r, region ? HRGN(*region) : nullptr, flags);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBox(m_hWnd, text, caption, type);
}

// ---- scrolling: through the scroll-bar control when the window has one ----

int CWnd::GetScrollPos(int bar) const {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->GetScrollPos();
    return ::GetScrollPos(m_hWnd, bar);
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->SetScrollPos(pos, redraw);
    return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}

void CWnd::SetScrollRange(int bar, int min, int max, BOOL redraw) {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->SetScrollRange(min, max, redraw);
    ::SetScrollRange(m_hWnd, bar, min, max, redraw);
}

void CWnd::GetScrollRange(int bar, int* min, int* max) const {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->GetScrollRange(min, max);
    ::GetScrollRange(m_hWnd, bar, min, max);
}

BOOL CWnd::SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw) {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->SetScrollInfo(info, redraw);
    return ::SetScrollInfo(m_hWnd, bar, info, redraw) != 0 || (info && !(info->fMask & SIF_POS));
}

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) {
    if (!info) return FALSE;
    info->cbSize = sizeof *info;
    info->fMask = mask;
    if (CScrollBar* control = GetScrollBarCtrl(bar)) return control->GetScrollInfo(info, mask);
    return ::GetScrollInfo(m_hWnd, bar, info);
}

CScrollBar* AfxScrollBarOf(LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) return nullptr;
    CWnd* wnd = CWnd::FromHandlePermanent(control);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CScrollBar))) return static_cast<CScrollBar*>(wnd);
    return static_cast<CScrollBar*>(CWnd::FromHandle(control));
}

// ---- control-bar layout ------------------------------------------------------

void CWnd::RepositionBars(UINT first, UINT last, UINT id_left_over, UINT flags, RECT* rect, const RECT* client,
                          BOOL stretch) {
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = stretch;
    if (client) {
        layout.rect = *client;
    } else {
        GetClientRect(&layout.rect);
    }
    const bool query = (flags & reposQuery) != 0;
    layout.hDWP = query ? nullptr : ::BeginDeferWindowPos(8);
    HWND left_over = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const UINT id = UINT(::GetDlgCtrlID(child));
        if (id == id_left_over) {
            left_over = child;
        } else if (id >= first && id <= last && FromHandlePermanent(child)) {
            ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }
    if (query) {
        if (rect) {
            if (flags & reposExtra) {
                CRect extra(*rect);
                layout.rect.left += extra.left, layout.rect.top += extra.top;
                layout.rect.right -= extra.right, layout.rect.bottom -= extra.bottom;
            }
            *rect = layout.rect;
        }
        return;
    }
    if (left_over) {
        CRect area(layout.rect);
        if ((flags & reposExtra) && rect) area.DeflateRect(rect->left, rect->top, rect->right, rect->bottom);
        if (CWnd* wnd = FromHandlePermanent(left_over)) wnd->CalcWindowRect(&area);
        layout.hDWP = ::DeferWindowPos(layout.hDWP, left_over, nullptr, area.left, area.top, area.Width(),
                                       area.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

// ---- tool tips ------------------------------------------------------------

BOOL CWnd::EnableToolTips(BOOL enable) {
    const BOOL was = tool_tips_enabled_;
    tool_tips_enabled_ = enable;
    return was || enable;
}

int CWnd::OnToolHitTest(CPoint point, ToolHit* hit) const {
    HWND child = ::ChildWindowFromPoint(m_hWnd, point);
    if (!child || child == m_hWnd || !::IsWindowVisible(child)) return -1;
    const int id = ::GetDlgCtrlID(child);
    if (id <= 0) return -1;
    if (hit) {
        hit->id = UINT(id);
        ::GetWindowRect(child, &hit->rect);
        ScreenToClient(&hit->rect);
        CString prompt;
        prompt.LoadString(UINT(id));
        const int newline = prompt.Find('\n');
        hit->text = newline >= 0 ? prompt.Mid(newline + 1) : prompt;
    }
    return id;
}

CString CWnd::FilterToolTipMessage(const MSG* msg) {
    if (!tool_tips_enabled_ || !msg || msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST) return {};
    CPoint point = AfxPointOf(msg->lParam);
    if (msg->hwnd != m_hWnd) ::MapWindowPoints(msg->hwnd, m_hWnd, &point, 1);
    ToolHit hit;
    return OnToolHitTest(point, &hit) >= 0 ? hit.text : CString();
}

// ---- window classes --------------------------------------------------------

const char* AfxRegisterWndClass(UINT class_style, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::unordered_map<std::string, std::string> registered;
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", class_style, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    auto [it, added] = registered.try_emplace(name, name);
    if (added) {
        WNDCLASS wc{};
        wc.style = class_style;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hCursor = cursor;
        wc.hIcon = reinterpret_cast<HCURSOR>(icon);
        wc.hbrBackground = background;
        wc.lpszClassName = it->second.c_str();
        ::RegisterClass(&wc);
    }
    return it->second.c_str();
}
