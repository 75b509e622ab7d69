// The toolbar and the mouse: pressing, releasing and cancelling buttons with
// the command sent to the owner frame, status-bar prompts, hot tracking in the
// cool look, and the menu mode of bars whose buttons drop menus.
#include <cstdint>

#include "uikit/frames/custom_toolbar.h"

namespace {

CRect screen_rect(const CWnd& wnd, CRect rect) {
    wnd.ClientToScreen(&rect);
    return rect;
}

}  // namespace

std::shared_ptr<SECToolBarGuards> SECCustomToolBar::shared_guards() const {
    return manager_ ? manager_->SharedGuards() : own_guards_;
}

void SECCustomToolBar::OnLButtonDown(UINT flags, CPoint point) {
    const int index = HitTest(point.x, point.y);
    if (index < 0 || guards().busy()) {
        SECControlBar::OnLButtonDown(flags, point);
        return;
    }
    SECStdBtn* button = GetButton(index);
    if (customize_ && manager_) {
        if (button->CanDrag()) StartDrag(index, point);
        return;
    }
    if (::GetKeyState(VK_MENU) < 0 && manager_) {
        if (button->CanDrag()) {
            // The drag may take this bar away with its last button: nothing of it is touched after.
            SECToolBarServices* manager = manager_;
            manager->SharedGuards()->alt_drag = true;
            StartDrag(index, point);
            manager->SharedGuards()->alt_drag = false;
            if (SECCustomToolBar* selected = manager->GetSelectedBar()) selected->Deselect(TRUE);
        }
        return;
    }
    if (button->GetStyle() & TBBS_DISABLED) {
        SECControlBar::OnLButtonDown(flags, point);
        return;
    }
    const UINT id = button->m_nID;
    UpdateButton(index);
    // The update may have disabled the button: a disabled button never sends its command.
    if (!button->BtnPressDown(point)) return;
    pressed_ = index;
    redraw_button(index);
    UpdateWindow();
    SetCapture();
    if (CFrameWnd* frame = owner_frame()) frame->SendMessage(WM_SETMESSAGESTRING, id);
}

void SECCustomToolBar::OnLButtonDblClk(UINT flags, CPoint point) {
    // A double click presses again but never drags.
    const int index = HitTest(point.x, point.y);
    if (index < 0 || customize_ || guards().busy() || ::GetKeyState(VK_MENU) < 0) {
        if (index < 0) SECControlBar::OnLButtonDblClk(flags, point);
        return;
    }
    OnLButtonDown(flags, point);
}

void SECCustomToolBar::OnMouseMove(UINT flags, CPoint point) {
    if (customize_ || guards().busy()) return;
    if (pressed_ < 0) {
        UpdateHotTracking();
        return;
    }
    SECStdBtn* button = GetButton(pressed_);
    const UINT before = button->GetStyle();
    if (GetCapture() == this) {
        button->BtnPressMouseMove(point);
    } else {
        button->BtnPressCancel();
        pressed_ = -1;
        if (CFrameWnd* frame = owner_frame()) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    if (button->GetStyle() != before) redraw_button(IndexOf(button));
}

void SECCustomToolBar::OnLButtonUp(UINT flags, CPoint point) {
    if (customize_ || pressed_ < 0) {
        SECControlBar::OnLButtonUp(flags, point);
        return;
    }
    const int index = pressed_;
    SECStdBtn* button = GetButton(index);
    UINT id = 0;
    if (GetCapture() == this) {
        ::ReleaseCapture();
        UpdateButton(index);
        id = button->BtnPressUp(point);
    }
    CFrameWnd* frame = owner_frame();
    if (frame) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    UpdateButton(index);
    redraw_button(index);
    pressed_ = -1;
    if (id && !(button->GetStyle() & TBBS_DISABLED)) send_command(index, id);
}

void SECCustomToolBar::send_command(int index, UINT id) {
    CFrameWnd* frame = owner_frame();
    if (!frame) return;
    // The command may close the bar, its frame and the frame's manager: nothing of them is touched
    // afterwards, and the guards are held by a share of their own.
    const std::shared_ptr<SECToolBarGuards> held = shared_guards();
    held->command_in_progress = true;
    held->command_rect = screen_rect(*this, GetButtonRect(index));
    frame->SendMessage(WM_COMMAND, id);
    held->command_rect = CRect();
    held->command_in_progress = false;
}

BOOL SECCustomToolBar::SendDropDown(SECStdBtn* button) {
    // As with a command, the handler may close the bar, its frame and the frame's manager.
    const std::shared_ptr<SECToolBarGuards> held = shared_guards();
    const HWND bar = m_hWnd;
    held->drop_down_in_progress = true;
    button->SendToolbarNotify(TBN_DROPDOWN);
    held->drop_down_in_progress = false;
    return ::IsWindow(bar);
}

void SECCustomToolBar::OnCancelMode() {
    SECControlBar::OnCancelMode();
    if (customize_ || guards().alt_drag || pressed_ < 0) return;
    if (GetCapture() == this) ::ReleaseCapture();
    SECStdBtn* button = GetButton(pressed_);
    button->BtnPressCancel();
    redraw_button(pressed_);
    pressed_ = -1;
}

// ---- hot tracking --------------------------------------------------------------

void SECCustomToolBar::set_hot(int index) {
    if (index == hot_) return;
    if (SECStdBtn* old = GetButton(hot_)) {
        old->SetStyle(old->GetStyle() & ~TBBS_RAISED);
        redraw_button(hot_);
    }
    if (index < 0) {
        hot_ = -1;
        if (hot_timer_ && m_hWnd) KillTimer(SEC_HOT_TIMER);
        hot_timer_ = false;
        return;
    }
    if (!hot_timer_ && m_hWnd) hot_timer_ = SetTimer(SEC_HOT_TIMER, 100, nullptr) != 0;
    hot_ = index;
    SECStdBtn* button = GetButton(index);
    button->SetStyle(button->GetStyle() | TBBS_RAISED);
    redraw_button(index);
}

// A bar answers the mouse only while its frame, or the frame that owns its
// floating window, is the active window: not under a modal dialog, nor while
// another program has the keyboard.
bool SECCustomToolBar::belongs_to_active_window() const {
    const HWND active = ::GetActiveWindow();
    const HWND top = ::GetAncestorTopLevel(m_hWnd);
    if (!active || !top || !::IsWindowEnabled(top)) return false;
    return active == top || ::GetWindow(top, GW_OWNER) == active;
}

void SECCustomToolBar::UpdateHotTracking() {
    if (!m_hWnd || !IsCoolLook() || customize_ || pressed_ >= 0 || guards().busy() || guards().alt_drag) return;
    int index = -1;
    POINT cursor;
    if (belongs_to_active_window() && ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == m_hWnd) {
        CPoint point(cursor);
        ScreenToClient(&point);
        index = HitTest(point.x, point.y);
        const SECStdBtn* button = GetButton(index);
        if (button && (button->IsSeparator() || (button->GetStyle() & TBBS_DISABLED))) index = -1;
    }
    if (m_nOpenMenu >= 0 && index == m_nOpenMenu) return;
    set_hot(index);
}

void SECCustomToolBar::OnTimer(UINT_PTR id) {
    if (id == SEC_HOT_TIMER)
        UpdateHotTracking();
    else
        SECControlBar::OnTimer(id);
}

// ---- menu mode -----------------------------------------------------------------

namespace {
bool is_menu_type(const SECStdBtn* button) {
    return button && !button->IsHidden() && (button->m_nType == SEC_BTN_MENU || button->m_nType == SEC_BTN_ICON);
}
}  // namespace

void SECCustomToolBar::TrackButtonMenu(SECStdBtn* button, UINT_PTR menu, int position) {
    m_nOpenMenu = IndexOf(button);
    UpdateHotTracking();
    button->SendToolbarNotify(SEC_TBN_DROPMENU, menu, UINT_PTR(std::intptr_t(position)));
}

void SECCustomToolBar::DropMenuAt(int index) {
    SECStdBtn* button = GetButton(index);
    if (!is_menu_type(button)) return;
    if (SECStdBtn* open = GetButton(m_nOpenMenu)) open->BtnPressCancel();
    button->BtnPressDown(CPoint(button->m_x, button->m_y));
}

int SECCustomToolBar::FirstMenuButton() const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (is_menu_type(GetButton(i))) return i;
    return -1;
}

int SECCustomToolBar::LastMenuButton() const {
    for (int i = GetButtonCount() - 1; i >= 0; --i)
        if (is_menu_type(GetButton(i))) return i;
    return -1;
}

int SECCustomToolBar::NextMenuButton(int direction) const {
    if (m_nOpenMenu < 0) return direction ? FirstMenuButton() : LastMenuButton();
    const int step = direction ? 1 : -1;
    for (int i = m_nOpenMenu + step; i >= 0 && i < GetButtonCount(); i += step)
        if (is_menu_type(GetButton(i))) return i;
    return -1;
}

BOOL SECCustomToolBar::MenuModeHitTest(const MSG* msg) {
    if (m_nOpenMenu < 0 || !msg) return FALSE;
    CPoint point(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
    if (msg->hwnd != m_hWnd) {
        ::MapWindowPoints(msg->hwnd, m_hWnd, &point, 1);
    }
    const int index = HitTest(point.x, point.y);
    SECStdBtn* open = GetButton(m_nOpenMenu);
    if (msg->message == WM_MOUSEMOVE) {
        if (index >= 0 && index != m_nOpenMenu) {
            if (is_menu_type(GetButton(index)))
                DropMenuAt(index);
            else if (open)
                open->SendToolbarNotify(SEC_TBN_CLOSEMENU);
        }
        return TRUE;
    }
    if (msg->message == WM_LBUTTONDOWN && index == m_nOpenMenu) {
        if (open) open->SendToolbarNotify(SEC_TBN_CLOSEMENU);
        return TRUE;
    }
    return FALSE;
}

void SECCustomToolBar::EndMenuMode() {
    if (SECStdBtn* open = GetButton(m_nOpenMenu)) open->BtnPressCancel();
    m_nOpenMenu = -1;
    UpdateHotTracking();
}
