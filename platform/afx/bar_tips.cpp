// Control bars and the pointer: the prompt of the tool under it in the
// frame's status bar (CBRS_FLYBY) and its tip after the platform's delay
// (CBRS_TOOLTIPS), both gone when the pointer leaves the tool or the bar.
#include "platform/afx/afx_messages.h"
#include "platform/afx/control_bar.h"
#include "platform/afx/frame.h"
#include "platform/user/input_api.h"
#include "platform/user/tooltips.h"

namespace {

TOOLINFO tool_info(HWND bar, UINT id) {
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = bar;
    info.uId = id;
    return info;
}

}  // namespace

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE)
        track_pointer(message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::track_pointer(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSELEAVE) {
        hearing_leave_ = false;
        leave_tools();
        return;
    }
    if (!(m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY)) || message == WM_MOUSEWHEEL) return;
    CFrameWnd* frame = GetDockingFrame();
    HWND tips = (m_dwStyle & CBRS_TOOLTIPS) && frame ? frame->GetBarToolTips() : nullptr;
    const MSG msg{m_hWnd, message, wParam, lParam, 0, {}};
    if (message != WM_MOUSEMOVE) {
        // A click hides the tip; the button's own handlers show its prompt while
        // it is held, and the next move shows the prompt again after the release.
        if (tips) ::SendMessage(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        flyby_id_ = 0;
        return;
    }
    // A press or drag in progress keeps its own prompt; an inactive program shows none.
    if (::GetCapture() || !::GetActiveWindow()) return;
    if (!hearing_leave_) {
        TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        hearing_leave_ = ::TrackMouseEvent(&leave) != FALSE;
    }
    ToolHit hit;
    const UINT id = OnToolHitTest(AfxPointOf(lParam), &hit) >= 0 ? hit.id : 0;
    show_tool(id, hit, tips, msg);
}

void CControlBar::show_tool(UINT id, const ToolHit& hit, HWND tips, const MSG& move) {
    if ((m_dwStyle & CBRS_FLYBY) && id != flyby_id_) {
        flyby_id_ = id;
        if (CFrameWnd* frame = GetDockingFrame()) frame->SetMessageText(id ? id : AFX_IDS_IDLEMESSAGE);
    }
    if (!tips) return;
    const UINT previous = tip_id_;
    if (id != previous && id && !hit.text.IsEmpty()) {
        TOOLINFO info = tool_info(m_hWnd, id);
        info.rect = hit.rect;
        CString text = hit.text;
        info.lpszText = text.GetBuffer(0);
        ::SendMessage(tips, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
        text.ReleaseBuffer();
        tip_id_ = id;
    } else if (id != previous) {
        tip_id_ = 0;
    }
    // The new tool is known before the move is relayed, so a tip moving on
    // from one button to the next shows after the shorter delay.
    ::SendMessage(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    if (previous && previous != tip_id_) {
        TOOLINFO info = tool_info(m_hWnd, previous);
        ::SendMessage(tips, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CControlBar::leave_tools() {
    CFrameWnd* frame = GetDockingFrame();
    if (flyby_id_ && frame) frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    flyby_id_ = 0;
    if (tip_id_ && frame) {
        TOOLINFO info = tool_info(m_hWnd, tip_id_);
        ::SendMessage(frame->GetBarToolTips(), TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
    }
    tip_id_ = 0;
}
