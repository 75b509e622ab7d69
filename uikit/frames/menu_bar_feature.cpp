#include "uikit/frames/menu_bar_feature.h"

#include <cctype>
#include <optional>

namespace {

// The menu id that stands for the menu of the active document's template.
constexpr UINT kActiveTemplateMenu = 20514;

// One set per program: the hook, who runs the current popup and from which
// bar, a drop asked for while it runs, the last mouse position the hook saw
// and whether the system menu is the popup.
struct PopupState {
    HHOOK hook = nullptr;
    SECMenuBarMessages* messages = nullptr;
    HWND bar = nullptr;
    std::optional<SECNMToolBar> pending;
    POINT last_mouse{-1, -1};
    bool system_menu = false;
};
PopupState& popup_state() {
    static PopupState state;
    return state;
}

LRESULT menu_filter_hook(int code, WPARAM wParam, LPARAM lParam) {
    PopupState& state = popup_state();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code != MSGF_MENU || !msg || !state.messages) return ::CallNextHookEx(state.hook, code, wParam, lParam);
    if (state.system_menu && (msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK) &&
        state.messages->OnSysIconClick(msg))
        return TRUE;
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_LBUTTONDOWN) {
        const POINT at = msg->pt;
        // A popup that opens under a resting mouse sees a move that is none.
        if (msg->message == WM_MOUSEMOVE && at.x == state.last_mouse.x && at.y == state.last_mouse.y) return TRUE;
        state.last_mouse = at;
        if (state.bar && ::WindowFromPoint(at) == state.bar) {
            auto* bar = dynamic_cast<SECMenuBar*>(CWnd::FromHandlePermanent(state.bar));
            POINT client = at;
            ::ScreenToClient(state.bar, &client);
            MSG copy = *msg;
            copy.hwnd = state.bar;
            copy.lParam = MAKELPARAM(client.x, client.y);
            if (bar && bar->MenuModeHitTest(&copy)) return TRUE;
        }
    }
    if (msg->message == WM_KEYDOWN && (msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_RIGHT)))
        state.messages->PostNextMenu(msg->wParam == WPARAM(VK_RIGHT) ? 1 : 0);
    return ::CallNextHookEx(state.hook, code, wParam, lParam);
}

}  // namespace

UINT sec_getmenu_message() {
    static const UINT id = ::RegisterWindowMessage("WM_SECGETMENU");
    return id;
}

UINT sec_menuprod_message() {
    static const UINT id = ::RegisterWindowMessage("WM_SEC_MENUPROD");
    return id;
}

// ---- SECMenuBarMessages -----------------------------------------------------------------------

SECMenuBarMessages::~SECMenuBarMessages() {
    PopupState& state = popup_state();
    if (state.messages == this) state.messages = nullptr, state.bar = nullptr, state.pending.reset();
}

void SECMenuBarMessages::PostNextMenu(int direction) {
    m_nDirection = direction;
    // Right on an item with a sub-menu opens it; left in a sub-menu closes it
    // (and selects the item that opened it, which the tracker does not tell).
    m_bCancelled = direction ? selection_opens_menu_ : selection_in_submenu_;
    if (m_bCancelled && !direction) selection_in_submenu_ = false, selection_opens_menu_ = true;
    if (CFrameWnd* frame = GetFrame()) frame->PostMessage(sec_menuprod_message(), WPARAM(direction));
}

void SECMenuBarMessages::CancelMenu() {
    if (CFrameWnd* frame = GetFrame()) frame->SendMessage(WM_CANCELMODE);
}

void SECMenuBarMessages::SetMenu(UINT menu_id) {
    CFrameWnd* frame = GetFrame();
    if (!m_pMenuBar || !frame) return;
    if (menu_id == kActiveTemplateMenu) {
        CFrameWnd* active = frame->GetActiveFrame();
        menu_id = active && active != frame ? active->m_nIDHelp : 0;
    }
    const UINT bit = m_pMenuBar->GetMenuBit(menu_id);
    if (!bit) return;
    m_pMenuBar->m_nCurrentMenuId = menu_id;
    if (auto* mdi_bar = dynamic_cast<SECMDIMenuBar*>(m_pMenuBar))
        mdi_bar->SwitchMenuEx(bit);
    else
        m_pMenuBar->SwitchMenu(bit, FALSE);
    frame->RecalcLayout();
    m_pMenuBar->Invalidate();
}

BOOL SECMenuBarMessages::OnSysIconClick(const MSG* msg) {
    CFrameWnd* frame = GetFrame();
    if (!frame) return FALSE;
    CRect area;
    frame->GetWindowRect(&area);
    if (frame->GetStyle() & WS_THICKFRAME)
        area.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    const CRect icon(area.left, area.top, area.left + ::GetSystemMetrics(SM_CXSIZE) - 1,
                     area.top + ::GetSystemMetrics(SM_CYSIZE));
    if (!icon.PtInRect(msg->pt)) return FALSE;
    frame->SendMessage(WM_CANCELMODE);
    // The system menu's default item is Close.
    if (msg->message == WM_LBUTTONDBLCLK) frame->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
    return TRUE;
}

void SECMenuBarMessages::Hook(BOOL on) {
    PopupState& state = popup_state();
    if (on && !state.hook) {
        ::GetCursorPos(&state.last_mouse);
        state.hook = ::SetWindowsHookEx(WH_MSGFILTER, menu_filter_hook, nullptr, 0);
    } else if (!on && state.hook) {
        ::UnhookWindowsHookEx(state.hook);
        state.hook = nullptr;
    }
}

void SECMenuBarMessages::TrackPopup(SECMenuBar* bar, HMENU menu, const SECNMToolBar&) {
    CRect button = bar->GetButtonRect(bar->m_nOpenMenu);
    bar->ClientToScreen(&button);
    TPMPARAMS params{sizeof(TPMPARAMS), button};
    root_popup_ = menu;
    selection_opens_menu_ = selection_in_submenu_ = false;
    Hook(TRUE);
    ::TrackPopupMenuEx(menu, 0, button.left, button.bottom, GetFrame()->m_hWnd, &params);
    Hook(FALSE);
    root_popup_ = nullptr;
}

void SECMenuBarMessages::TrackSystemMenu(SECMenuBar*, HMENU menu, const SECNMToolBar&) {
    CFrameWnd* frame = GetFrame();
    CRect rect;
    frame->GetWindowRect(&rect);
    rect.left += ::GetSystemMetrics(SM_CXFRAME), rect.top += ::GetSystemMetrics(SM_CYFRAME);
    rect.right = rect.left + ::GetSystemMetrics(SM_CXSIZE), rect.bottom = rect.top + ::GetSystemMetrics(SM_CYSIZE);
    root_popup_ = menu;
    selection_opens_menu_ = selection_in_submenu_ = false;
    popup_state().system_menu = true;
    Hook(TRUE);
    const UINT chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD, rect.left, rect.bottom, 0, frame->m_hWnd, nullptr);
    Hook(FALSE);
    popup_state().system_menu = false;
    root_popup_ = nullptr;
    if (chosen) frame->PostMessage(WM_SYSCOMMAND, chosen);
}

BOOL SECMenuBarMessages::OnSysChar(const MSG* msg) {
    if (!msg || msg->message != WM_SYSCHAR || !m_pMenuBar || !m_pMenuBar->m_hWnd) return FALSE;
    const auto ch = static_cast<unsigned char>(msg->wParam);
    if (ch == ' ') {
        m_bKeyboard = TRUE;
        drop_system_menu();
        return TRUE;
    }
    // A character no menu answers to is swallowed all the same.
    const int index = m_pMenuBar->FindMnemonic(ch < 0x80 ? BYTE(std::tolower(ch)) : BYTE(ch));
    if (index >= 0) {
        m_bKeyboard = TRUE;
        m_pMenuBar->DropMenuAt(index);
    }
    return TRUE;
}

void SECMenuBarMessages::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (!menu) return;
    selection_opens_menu_ = (flags & MF_POPUP) != 0 && item != 0xFFFF;
    selection_in_submenu_ = menu != root_popup_;
}

void SECMenuBarMessages::OnNextMenu(int direction) {
    if (m_bCancelled) {
        m_bCancelled = FALSE;
        return;
    }
    if (!m_pMenuBar) return;
    m_bKeyboard = TRUE;
    const int next = m_pMenuBar->NextMenuButton(direction);
    if (next >= 0)
        m_pMenuBar->DropMenuAt(next);
    else
        drop_system_menu();
}

void SECMenuBarMessages::drop_system_menu() {
    if (!m_pMenuBar || !m_pMenuBar->m_hWnd) return;
    SECNMToolBar request{};
    request.hdr.hwndFrom = m_pMenuBar->m_hWnd;
    request.hdr.idFrom = m_pMenuBar->GetDlgCtrlID();
    request.hdr.code = UINT(SEC_TBN_DROPMENU);
    request.index = -1;
    request.word1 = 0;
    request.word2 = UINT_PTR(std::intptr_t(-1));
    LRESULT result = 0;
    OnNotify(&request.hdr, &result);
}

BOOL SECMenuBarMessages::OnNotify(const NMHDR* header, LRESULT* result) {
    if (!header || !m_pMenuBar || header->hwndFrom != m_pMenuBar->m_hWnd) return FALSE;
    const int code = int(header->code);
    PopupState& state = popup_state();
    if (code == SEC_TBN_CLOSEMENU) {
        if (state.bar) CancelMenu();
        return TRUE;
    }
    if (code != SEC_TBN_DROPMENU) return FALSE;
    if (result) *result = 0;
    SECNMToolBar request = *reinterpret_cast<const SECNMToolBar*>(header);
    if (state.bar) {
        // The open popup closes first; the loop below then opens this one.
        state.pending = request;
        CancelMenu();
        return TRUE;
    }
    CFrameWnd* frame = GetFrame();
    if (!frame) return TRUE;
    for (;;) {
        const auto position = int(std::intptr_t(request.word2));
        HMENU menu = nullptr;
        bool system = false;
        if (position >= 0) {
            menu = reinterpret_cast<HMENU>(frame->SendMessage(sec_getmenu_message(), request.word1, position));
        } else if (request.word1) {
            menu = reinterpret_cast<HMENU>(request.word1);
        } else {
            // The frame's own menu: no button of the bar stays pressed for it.
            menu = ::GetSystemMenu(frame->m_hWnd, FALSE);
            system = true;
            m_pMenuBar->EndMenuMode();
        }
        state.messages = this;
        state.bar = m_pMenuBar->m_hWnd;
        if (menu && ::IsMenu(menu)) {
            if (system)
                TrackSystemMenu(m_pMenuBar, menu, request);
            else
                TrackPopup(m_pMenuBar, menu, request);
        }
        state.messages = nullptr;
        state.bar = nullptr;
        m_bKeyboard = m_bKeyboard && state.pending.has_value();
        if (!state.pending || !::IsWindow(m_pMenuBar->m_hWnd)) break;
        request = *state.pending;
        state.pending.reset();
    }
    state.pending.reset();
    if (::IsWindow(m_pMenuBar->m_hWnd)) m_pMenuBar->EndMenuMode();
    return TRUE;
}

void SECMenuBarMessages::OnInitMenuPopup(HMENU) {
    if (!m_bKeyboard) return;
    // Opened from the keyboard: the first item comes up selected.
    if (CFrameWnd* frame = GetFrame()) frame->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    m_bKeyboard = FALSE;
}

BOOL SECMenuBarMessages::OnSysCommand(UINT id, LPARAM) {
    if (id != SEC_SC_ICONCLICK) return FALSE;
    drop_system_menu();
    return TRUE;
}

// ---- SECMenuBarFeature ------------------------------------------------------------------------

SECMenuBarFeature::SECMenuBarFeature(BOOL bitmaps, BOOL replace_radio_mark)
    : SECBmpMenuPlugIn(replace_radio_mark), bitmaps_(bitmaps) {}

CFrameWnd* SECMenuBarFeature::GetFrame() const {
    CWnd* host = CWnd::FromHandlePermanent(GetHost());
    return host && host->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(host) : nullptr;
}

LRESULT SECMenuBarFeature::PlugInProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sec_menuprod_message()) {
        OnNextMenu(int(wParam));
        m_bHandled = TRUE;
        return 0;
    }
    switch (message) {
        case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(reinterpret_cast<const NMHDR*>(lParam), &result)) {
                m_bHandled = TRUE;
                return result;
            }
            return 0;
        }
        case WM_INITMENUPOPUP: SECMenuBarMessages::OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
        case WM_NCACTIVATE:
            if (OnNcActivate(BOOL(wParam))) {
                m_bHandled = TRUE;
                return TRUE;
            }
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(UINT(wParam), lParam)) {
                m_bHandled = TRUE;
                return 0;
            }
            return 0;
        default: break;
    }
    return bitmaps_ ? SECBmpMenuPlugIn::PlugInProc(message, wParam, lParam) : 0;
}
