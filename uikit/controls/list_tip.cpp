#include "uikit/controls/list_tip.h"

#include "uikit/controls/list_font.h"
#include "uikit/controls/list_types.h"

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

void SECListTip::Show(UINT hit_flags, int item, int column, int x, int y) {
    HWND list = client_->GetWindowHandle();
    const bool on_label =
        (hit_flags & LVHT_ONITEMLABEL) || ((hit_flags & LVHT_ONITEM) && client_->GetColumnSubItem(column) > 0);
    if (!on_label || item < 0 || column < 0 || !::GetActiveWindow()) {
        Hide();
        return;
    }
    CRect bounds, label;
    if (!client_->GetSubItemRect(item, column, &bounds, LVIR_BOUNDS) ||
        !client_->GetSubItemRect(item, column, &label, LVIR_LABEL)) {
        Hide();
        return;
    }
    CString text;
    client_->GetSubItemText(text, item, column);
    CRect inside;
    client_->GetInsideRect(&inside);
    CRect visible;
    visible.IntersectRect(&bounds, &inside);
    // The label's whole width, measured with the list's font.
    CClientDC dc(CWnd::FromHandle(list));
    FontSelection font(&dc, client_->GetLabelFont());
    const int width = dc.GetTextExtent(text).cx;
    if (label.left + width + 2 <= visible.right && label.left >= visible.left) {
        Hide();
        return;
    }
    if (IsShown() && item == item_ && column == column_) return;
    Hide();
    if (text.IsEmpty()) return;
    if (!m_hWnd) {
        const char* cls = AfxRegisterWndClass(CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
        if (!CreateEx(0, cls, "", WS_POPUP | WS_BORDER, 0, 0, 1, 1, list, nullptr)) return;
    }
    item_ = item;
    column_ = column;
    text_ = text;
    rect_ = CRect(label.left - 2, label.top, label.left + width + 4, label.bottom + 2);
    CRect screen = rect_;
    POINT corner{screen.left, screen.top};
    client_->ClientToScreen(&corner);
    screen.OffsetRect(corner.x - screen.left, corner.y - screen.top);
    const int screen_width = ::GetSystemMetrics(SM_CXSCREEN);
    if (screen.right + 3 > screen_width) screen.OffsetRect(screen_width - screen.right - 3, 0);
    if (screen.left < 0) screen.OffsetRect(-screen.left, 0);
    SetWindowPos(nullptr, screen.left, screen.top, screen.Width() + 3, screen.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(SW_SHOWNA);
    captured_ = client_->CaptureMouse(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    (void)x;
    (void)y;
}

void SECListTip::Hide() {
    if (!m_hWnd) return;
    HWND list = client_->GetWindowHandle();
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (list) ::RedrawWindow(list, &rect_, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    }
    item_ = column_ = -1;
    rect_.SetRectEmpty();
    if (captured_ && list && ::GetCapture() == list) ::ReleaseCapture();
    captured_ = FALSE;
}

void SECListTip::Refresh() {
    if (IsShown()) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void SECListTip::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const bool selected = client_->IsItemSelected(item_);
    dc.FillSolidRect(&client, selected ? client_->GetSelBkColor() : client_->GetTipBkColor());
    dc.SetTextColor(selected ? client_->GetSelTextColor() : client_->GetTipTextColor());
    dc.SetBkMode(TRANSPARENT);
    FontSelection font(&dc, client_->GetLabelFont());
    client.left += 2;
    dc.DrawText(text_, &client, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
}

void SECListTip::OnDestroy() {
    item_ = -1;
    HWND list = client_->GetWindowHandle();
    if (captured_ && list && ::GetCapture() == list) ::ReleaseCapture();
    captured_ = FALSE;
    CWnd::OnDestroy();
}
