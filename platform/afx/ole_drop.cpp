// The drag loop, the data a source offers, and the registration of drop targets.
#include "platform/afx/ole_drop.h"

#include <cstring>

#include "platform/user/modal_loop.h"

namespace {

// The window property that names a window's drop target.
constexpr char kTargetProperty[] = "afx.DropTarget";
// How far the mouse moves before a press on the source becomes a drag.
constexpr int kDragDistance = 2;

DWORD KeyStateNow() {
    DWORD keys = 0;
    if (::GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
    if (::GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    if (::GetKeyState(VK_MENU) < 0) keys |= MK_ALT;
    return keys;
}

}  // namespace

// ---- data --------------------------------------------------------------------

HGLOBAL COleDataSource::Find(UINT format) const {
    for (const auto& [cached, data] : cache_)
        if (cached == format) return data;
    return nullptr;
}

void COleDataSource::CacheGlobalData(UINT format, HGLOBAL data) {
    for (auto& [cached, old] : cache_) {
        if (cached == format) {
            ::GlobalFree(old);
            old = data;
            return;
        }
    }
    cache_.emplace_back(format, data);
}

void COleDataSource::Empty() {
    for (auto& entry : cache_) ::GlobalFree(entry.second);
    cache_.clear();
}

BOOL COleDataObject::IsDataAvailable(UINT format) const { return source_ && source_->Find(format) != nullptr; }

HGLOBAL COleDataObject::GetGlobalData(UINT format) const {
    HGLOBAL data = source_ ? source_->Find(format) : nullptr;
    if (!data) return nullptr;
    const std::size_t size = ::GlobalSize(data);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* to = ::GlobalLock(copy);
    const void* from = ::GlobalLock(data);
    if (to && from && size) std::memcpy(to, from, size);
    ::GlobalUnlock(data);
    ::GlobalUnlock(copy);
    return copy;
}

// ---- targets -----------------------------------------------------------------

BOOL COleDropTarget::Register(CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd || m_pWnd || ::GetProp(wnd->m_hWnd, kTargetProperty)) return FALSE;
    if (!::SetProp(wnd->m_hWnd, kTargetProperty, HANDLE(this))) return FALSE;
    m_pWnd = wnd;
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (!m_pWnd) return;
    // The window may be gone already; then its properties went with it.
    if (m_pWnd->m_hWnd && ::GetProp(m_pWnd->m_hWnd, kTargetProperty) == HANDLE(this))
        ::RemoveProp(m_pWnd->m_hWnd, kTargetProperty);
    m_pWnd = nullptr;
}

COleDropTarget* COleDropTarget::FromWindow(HWND hwnd, HWND* registered) {
    for (; hwnd; hwnd = ::GetParent(hwnd)) {
        if (HANDLE target = ::GetProp(hwnd, kTargetProperty)) {
            if (registered) *registered = hwnd;
            return static_cast<COleDropTarget*>(target);
        }
    }
    return nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) { return DROPEFFECT(-1); }
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT COleDropTarget::DragOver(COleDataObject* data, DWORD key_state, POINT screen, bool entering) {
    CPoint point(screen);
    ::ScreenToClient(m_pWnd->m_hWnd, &point);
    data_ = data;
    const DROPEFFECT scroll = OnDragScroll(m_pWnd, key_state, point);
    if (scroll & DROPEFFECT_SCROLL) return scroll;
    return entering ? OnDragEnter(m_pWnd, data, key_state, point) : OnDragOver(m_pWnd, data, key_state, point);
}

// ---- the drag ----------------------------------------------------------------

DROPEFFECT COleDataSource::DoDragDrop(DWORD allowed, const RECT* start_rect) {
    HWND capture = ::GetCapture();
    if (!capture) capture = ::GetFocus();
    if (!capture) return DROPEFFECT_NONE;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const CRect start = start_rect ? CRect(*start_rect)
                                   : CRect(cursor.x - kDragDistance, cursor.y - kDragDistance,
                                           cursor.x + kDragDistance + 1, cursor.y + kDragDistance + 1);
    COleDataObject data(this);
    bool dragging = false;
    // The target under the mouse, by the window it is registered for: a target whose
    // window went during the drag is looked up again, never followed blindly.
    HWND target_window = nullptr;
    COleDropTarget* target = nullptr;
    DROPEFFECT effect = DROPEFFECT_NONE;
    DROPEFFECT result = DROPEFFECT_NONE;
    POINT last = cursor;
    DWORD keys = KeyStateNow();

    const auto current = [&]() -> COleDropTarget* {
        return target && ::IsWindow(target_window) && COleDropTarget::FromWindow(target_window) == target ? target
                                                                                                          : nullptr;
    };
    const auto leave = [&] {
        if (COleDropTarget* still = current()) still->OnDragLeave(still->window());
        target = nullptr;
        target_window = nullptr;
        effect = DROPEFFECT_NONE;
    };
    const auto hover = [&](POINT screen) {
        last = screen;
        HWND registered = nullptr;
        COleDropTarget* under = COleDropTarget::FromWindow(::WindowFromPoint(screen), &registered);
        const bool entering = under != current() || registered != target_window;
        if (entering) {
            leave();
            target = under;
            target_window = registered;
        }
        effect = target ? target->DragOver(&data, keys, screen, entering) : DROPEFFECT_NONE;
        effect &= allowed | DROPEFFECT_SCROLL;
        ::SetCursor(::LoadCursor(nullptr, effect == DROPEFFECT_NONE ? IDC_NO : IDC_ARROW));
    };

    const kit::user::LoopStep end = kit::user::run_capture_loop(capture, [&](const MSG& msg) {
        using kit::user::LoopStep;
        if (msg.message == WM_TIMER) {
            // Targets scroll while the mouse stands still over their edges.
            if (dragging) hover(last);
            return LoopStep::keep_going;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            POINT screen = AfxPointOf(msg.lParam);
            ::ClientToScreen(msg.hwnd, &screen);
            keys = DWORD(msg.wParam);
            if (!dragging) {
                if (msg.message == WM_LBUTTONUP) return LoopStep::cancelled;
                if (start.PtInRect(screen)) return LoopStep::keep_going;
                dragging = true;
                ::SetTimer(capture, kit::user::kLoopTimerId, COleDropTarget::kScrollInterval, nullptr);
            }
            hover(screen);
            return msg.message == WM_LBUTTONUP ? LoopStep::finished : LoopStep::keep_going;
        }
        if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            return LoopStep::cancelled;
        if (kit::user::is_key_message(msg.message) && dragging) {
            // Ctrl or Shift pressed or released changes the effect at once.
            keys = KeyStateNow();
            hover(last);
        }
        return LoopStep::keep_going;
    });

    COleDropTarget* dropped_on = current();
    if (end != kit::user::LoopStep::finished || !dropped_on || effect == DROPEFFECT_NONE ||
        (effect & DROPEFFECT_SCROLL)) {
        leave();
        return DROPEFFECT_NONE;
    }
    CPoint point(last);
    ::ScreenToClient(target_window, &point);
    CWnd* wnd = dropped_on->window();
    result = dropped_on->OnDropEx(wnd, &data, effect, allowed, point);
    if (result == DROPEFFECT(-1)) result = dropped_on->OnDrop(wnd, &data, effect, point) ? effect : DROPEFFECT_NONE;
    return result;
}
