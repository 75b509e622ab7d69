#include "uikit/controls/list_box_drag.h"

#include <algorithm>

#include "platform/user/modal_loop.h"

int DropIndex(int source, int target, int count, bool trailing_row) {
    if (target == -2 || source < 0 || source >= count) return -1;
    if (target == -1) target = trailing_row ? count - 1 : count;
    if (target > source) --target;
    return target == source ? -1 : target;
}

int DragTarget(int y, int top_index, int item_height, int count, bool trailing_row) {
    const int rows = trailing_row ? count - 1 : count;  // the trailing row counts as the row before it
    if (rows <= 0 || item_height <= 0) return -2;
    const int offset = std::max(0, y);
    int row = top_index + offset / item_height;
    bool lower = (offset % item_height) * 2 >= item_height;
    if (row >= rows) {
        row = rows - 1;
        lower = true;
    }
    if (!lower) return row;
    return row + 1 >= count ? -1 : row + 1;
}

BOOL SECListBoxDragWnd::Track(CPoint point, int* from, int* to) {
    source_ = list_->GetCurSel();
    const int count = list_->GetCount();
    if (source_ < 0 || (trailing_row_ && source_ == count - 1) || ::GetCapture()) return FALSE;
    press_ = point;
    press_tick_ = ::GetTickCount();
    ::SetTimer(list_->m_hWnd, kit::user::kLoopTimerId, kMinScrollDelayMs, nullptr);
    const kit::user::LoopStep end = kit::user::run_capture_loop(list_->m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_LBUTTONUP: return kit::user::LoopStep::finished;
            case WM_KEYDOWN:
            case WM_KEYUP:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            case WM_MOUSEMOVE:
                Move(CPoint(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))));
                return kit::user::LoopStep::keep_going;
            case WM_TIMER: AutoScroll(::GetTickCount()); return kit::user::LoopStep::keep_going;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    const DWORD release_tick = ::GetTickCount();
    if (!list_->m_hWnd) return FALSE;
    ::KillTimer(list_->m_hWnd, kit::user::kLoopTimerId);
    DrawMarker(-1);
    if (::GetCapture() == list_->m_hWnd) ::ReleaseCapture();
    if (end != kit::user::LoopStep::finished || !started_ || release_tick - press_tick_ < kDragDelayMs) return FALSE;
    const int index = DropIndex(source_, target_, list_->GetCount(), trailing_row_);
    if (index < 0) return FALSE;
    CString text;
    list_->GetText(source_, text);
    const UINT_PTR data = list_->GetItemData(source_);
    const int top = list_->GetTopIndex();
    list_->SendMessage(WM_SETREDRAW, FALSE);
    list_->DeleteString(UINT(source_));
    list_->InsertString(index, text);
    list_->SetItemData(index, data);
    list_->SetTopIndex(top);
    list_->SendMessage(WM_SETREDRAW, TRUE);
    list_->Invalidate();
    list_->SetCurSel(index);
    *from = source_;
    *to = index;
    return TRUE;
}

void SECListBoxDragWnd::Move(CPoint point) {
    if (!started_) {
        const int cx = ::GetSystemMetrics(SM_CXDOUBLECLK), cy = ::GetSystemMetrics(SM_CYDOUBLECLK);
        const int dx = point.x - press_.x, dy = point.y - press_.y;
        if (dx * dx + dy * dy <= cx * cx + cy * cy) return;
        started_ = true;
    }
    const int height = list_->GetItemHeight(0);
    const int top = list_->GetTopIndex();
    target_ = DragTarget(point.y, top, height, list_->GetCount(), trailing_row_);
    const int edge = target_ == -2 ? -1 : (target_ == -1 ? list_->GetCount() - (trailing_row_ ? 1 : 0) : target_);
    DrawMarker(edge < 0 ? -1 : (edge - top) * height);
    if (::GetTickCount() - press_tick_ < kDragDelayMs) return;
    CRect client;
    list_->GetClientRect(&client);
    const int outside = point.y < client.top ? 1 : point.y >= client.bottom ? 2 : 0;
    if (outside && outside != outside_) scroll_delay_ = kFirstScrollDelayMs;
    outside_ = outside;
}

void SECListBoxDragWnd::DrawMarker(int y) {
    if (y == marker_y_) return;
    CRect client;
    list_->GetClientRect(&client);
    CClientDC dc(list_);
    CPen pen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CPen* old_pen = dc.SelectObject(&pen);
    const int old_rop = dc.SetROP2(R2_NOTXORPEN);
    for (int line : {marker_y_, y}) {
        if (line < 0) continue;
        dc.MoveTo(client.left + 2, line + 1);
        dc.LineTo(client.right, line + 1);
    }
    dc.SetROP2(old_rop);
    dc.SelectObject(old_pen);
    marker_y_ = y;
}

void SECListBoxDragWnd::AutoScroll(DWORD now) {
    if (!outside_ || now - last_scroll_ < scroll_delay_) return;
    const int top = list_->GetTopIndex();
    CRect client;
    list_->GetClientRect(&client);
    const int height = std::max(1, list_->GetItemHeight(0));
    const int shown = client.Height() / height;
    if (outside_ == 1 && top > 0) {
        DrawMarker(-1);
        list_->SetTopIndex(top - 1);
    } else if (outside_ == 2 && top + shown < list_->GetCount()) {
        DrawMarker(-1);
        list_->SetTopIndex(top + 1);
    } else {
        return;
    }
    list_->UpdateWindow();
    last_scroll_ = now;
    scroll_delay_ = std::max(kMinScrollDelayMs, scroll_delay_ - kScrollDelayStepMs);
}
