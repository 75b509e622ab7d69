// A frame and its floating windows (the frames of floated bars) share one
// activation: a click on a floating toolbar leaves the frame's caption
// active, and the floating windows show active exactly while their frame does.
#include <vector>

#include "platform/afx/frame.h"

namespace {

BOOL collect_owned(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    if (::GetWindow(hwnd, GW_OWNER) == found->first) found->second.push_back(hwnd);
    return TRUE;
}

// The top-level windows `owner` owns.
std::vector<HWND> owned_windows(HWND owner) {
    std::pair<HWND, std::vector<HWND>> found{owner, {}};
    ::EnumWindows(&collect_owned, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

}  // namespace

BOOL CFrameWnd::KeepsActive(BOOL active) const {
    if (active) return TRUE;
    HWND now_active = ::GetActiveWindow();
    return now_active && ::GetWindow(now_active, GW_OWNER) == m_hWnd &&
           ::SendMessage(now_active, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD flags) {
    for (HWND floating : owned_windows(m_hWnd)) ::SendMessage(floating, WM_FLOATSTATUS, flags, 0);
}

void CFrameWnd::IdleUpdateFloatingWindows() {
    for (HWND owned : owned_windows(m_hWnd))
        if (CWnd* wnd = CWnd::FromHandlePermanent(owned); wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCACTIVATE || (GetStyle() & WS_CHILD)) return CWnd::WindowProc(message, wParam, lParam);
    const BOOL active = KeepsActive(BOOL(wParam));
    const LRESULT result = CWnd::WindowProc(message, active, lParam);
    if (::IsWindow(m_hWnd)) NotifyFloatingWindows(active ? FS_ACTIVATE : FS_DEACTIVATE);
    return result;
}
