// SECListBaseC: hit-testing, the mouse, the keys, the scroll bars and the
// wheel, column resizing in its own loop, and in-place label editing.
#include <algorithm>

#include "platform/user/modal_loop.h"
#include "uikit/controls/list_base.h"

namespace {

constexpr UINT kKeyHitFlags = 0x46;
constexpr int kLineWidth = 15;
constexpr int kDividerSlop = 4;
constexpr int kDragDistance = 4;
constexpr int kMinTrackWidth = 10;

}  // namespace

// ---- hit-testing ----

int SECListBaseC::HitTest(CPoint point, UINT* flags, int* column_out) {
    UINT hit = 0;
    int result = -1;
    CRect client;
    GetClientRect(&client);
    if (point.y < client.top) hit |= LVHT_ABOVE;
    if (point.y >= client.bottom) hit |= LVHT_BELOW;
    if (point.x < client.left) hit |= LVHT_TOLEFT;
    if (point.x >= client.right) hit |= LVHT_TORIGHT;
    int column = 0;
    if (!hit) {
        if (GetColumnCount() > 1) {
            column = -1;
            for (int c = 0; c < GetColumnCount(); ++c)
                if (point.x >= GetColumnLeft(c) && point.x < GetColumnRight(c)) column = c;
        }
        CRect inside;
        GetInsideRect(&inside);
        const bool header = (list_style_ & LVS_TYPEMASK) == LVS_REPORT && !(list_style_ & LVS_NOCOLUMNHEADER);
        if (header && point.y < header_height_) {
            const int last = GetColumnCount() - ((list_style_ex_ & LVXS_FITCOLUMNS) ? 1 : 0);
            for (int c = 0; c < last; ++c) {
                if (std::abs(point.x - GetColumnRight(c)) <= kDividerSlop) {
                    hit = LVHT_COLUMNSEP;
                    result = c;
                    break;
                }
            }
            if (!hit && column >= 0 && column < GetColumnCount()) {
                hit = LVHT_COLUMNHEADING;
                result = column;
            }
        } else if (inside.PtInRect(point)) {
            int y = inside.top;
            for (int i = top_index_; i < GetItemCount() && y <= point.y; ++i) {
                const int h = RowHeight(i);
                if (point.y < y + h) {
                    result = i;
                    hit = LVHT_ONITEM;
                    if (column >= 0 && GetColumnSubItem(column) == 0) {
                        const SECListItem* record = GetItemAt(i);
                        if (!record) break;  // measuring asked the owner, who took rows away
                        const CPoint local(point.x - GetColumnLeft(column), point.y - y);
                        if (record->label_rect.PtInRect(local))
                            hit |= LVHT_ONITEMLABEL;
                        else if (record->icon_rect.PtInRect(local))
                            hit |= LVHT_ONITEMICON;
                        else if (record->state_icon_rect.PtInRect(local))
                            hit |= LVHT_ONITEMSTATEICON;
                        else if (local.x < record->label_rect.left)
                            hit |= LVHT_ONITEMLEFT;
                        else
                            hit |= LVHT_ONITEMRIGHT;
                    }
                    break;
                }
                y += h;
            }
        }
    }
    if (!hit) hit = LVHT_NOWHERE;
    if (flags) *flags = hit;
    if (column_out) *column_out = column;
    return result;
}

BOOL SECListBaseC::ShouldSelectOnClick(CPoint point, int item, UINT flags, BOOL* arm_drag, BOOL* select) {
    *arm_drag = *select = FALSE;
    if (item < 0) return FALSE;
    if (flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) {
        *arm_drag = *select = TRUE;
    } else if ((flags & LVHT_ONITEM) && !(flags & LVHT_ONITEMSTATEICON)) {
        *select = *arm_drag = (list_style_ex_ & LVXS_FULLROWSELECT) != 0;
        if (!*select && (flags & LVHT_ONITEMLEFT)) {
            const SECListItem* record = GetItemAt(item);
            if (point.x - GetColumnLeft(0) >= record->icon_rect.right) *select = *arm_drag = TRUE;
        }
    }
    return *select;
}

// ---- selection ----

int SECListBaseC::SelectionChange(int item, UINT, UINT key_flags, BOOL from_mouse) {
    pending_click_item_ = -1;
    const int old = focus_item_;
    // The owner may change the rows or destroy the list from the selection-changing notice:
    // the change goes on with the row wherever it went, and not at all when it went.
    const SECListItem* record = GetItemAt(item);
    const std::uint64_t serial = record ? record->serial : 0;
    const HWND own = m_hWnd;
    const auto row_went = [&] {
        if (own && !::IsWindow(own)) return true;
        item = IndexOfSerial(serial);
        return item < 0;
    };
    const bool shift = key_flags & MK_SHIFT, ctrl = key_flags & MK_CONTROL;
    if (!IsMultiSelect() || (!shift && !ctrl)) {
        if (old == item && IsItemSelected(item)) return 1;
        if ((key_flags & MK_RBUTTON) && IsItemSelected(item)) {
            SetFocusItem(item);
            return 1;
        }
        if (LRESULT veto = OnSelectionChanging(item, old, from_mouse)) {
            selection_veto_ = veto;
            return 0;
        }
        if (row_went()) return 0;
        selection_veto_ = 0;
        tip_->Hide();
        DeselectAllItems(item);
        SelectAndFocusItem(item, TRUE);
        OnSelectionChanged(item, old, from_mouse);
        return 1;
    }
    if (selection_veto_) return 1;
    if (ctrl && !from_mouse) {
        tip_->Hide();
        SetFocusItem(item);
    } else if (ctrl) {
        if (LRESULT veto = OnSelectionChanging(item, old, from_mouse)) {
            selection_veto_ = veto;
            return 0;
        }
        if (row_went()) return 0;
        tip_->Hide();
        SelectAndFocusItem(item, !IsItemSelected(item));
        OnSelectionChanged(item, old, from_mouse);
    } else if (anchor_item_ >= 0 && item != old) {
        if (LRESULT veto = OnSelectionChanging(item, old, from_mouse)) {
            selection_veto_ = veto;
            return 0;
        }
        if (row_went()) return 0;
        const int anchor = anchor_item_;
        DeselectAllItems();
        SelectItemRange(anchor, item, TRUE);
        SelectAndFocusItem(item, TRUE);
        anchor_item_ = anchor;
        InvalidateItemRange(anchor, item);
        OnSelectionChanged(item, old, from_mouse);
    }
    return 1;
}

// ---- mouse ----

void SECListBaseC::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    UINT hit = 0;
    int column = 0;
    const int item = HitTest(point, &hit, &column);
    current_column_ = std::max(column, 0);
    drag_armed_ = FALSE;
    if ((hit & LVHT_COLUMNSEP) && item + 1 < GetColumnCount()) {
        const int change = TrackColumnResize(point, item);
        if (change) {
            SECListColumn* resized = GetColumnAt(item);
            resized->width += change;
            if (list_style_ex_ & LVXS_FITCOLUMNS) {
                GetColumnAt(item + 1)->width -= change;
                CRect inside;
                GetInsideRect(&inside);
                int total = 0;
                for (auto& c : columns_) {
                    if (c->width < kMinColumnWidth + 1) c->width = kMinColumnWidth;
                    total += c->width;
                }
                // The first column absorbs an overflow, but never shrinks below the least width.
                if (total > inside.Width())
                    columns_[0]->width = std::max(columns_[0]->width - (total - int(inside.Width())), kMinColumnWidth);
            }
            InvalidateAllHeights();
            Invalidate();
        }
    } else if (item >= 0) {
        SelectOnClick(point, item, hit, flags);
    }
    button_down_ = point;
    tip_->Refresh();
    dragging_ = FALSE;
    pending_click_item_ = -1;
}

void SECListBaseC::OnMouseMove(UINT flags, CPoint point) {
    if (dragging_) return;
    UINT hit = 0;
    int column = 0;
    const int item = HitTest(point, &hit, &column);
    over_divider_ = (hit & LVHT_COLUMNSEP) != 0;
    bool started = false;
    if (focus_item_ >= 0 && drag_armed_ && (flags & (MK_LBUTTON | MK_RBUTTON))) {
        if (std::abs(point.x - button_down_.x) >= kDragDistance ||
            std::abs(point.y - button_down_.y) >= kDragDistance) {
            drag_armed_ = FALSE;
            dragging_ = started = true;
        }
    }
    if ((list_style_ex_ & LVXS_LABELTIPS) && (list_style_ & LVS_NOLABELWRAP) && !dragging_ && item != edited_item_)
        tip_->Show(hit, item, column, point.x, point.y);
    else
        tip_->Hide();
    if (started) {
        if (flags & MK_LBUTTON)
            OnBeginDrag(focus_item_, button_down_);
        else
            OnBeginRDrag(focus_item_, button_down_);
    }
}

void SECListBaseC::OnLButtonUp(UINT flags, CPoint point) {
    if (dragging_) {
        dragging_ = FALSE;
        return;
    }
    drag_armed_ = FALSE;
    UINT hit = 0;
    int column = 0;
    const int item = HitTest(point, &hit, &column);
    BOOL arm = FALSE, select = FALSE;
    const bool on_item = item >= 0 && ShouldSelectOnClick(point, item, hit, &arm, &select);
    if (on_item && item == armed_edit_item_ && armed_edit_item_ >= 0) {
        CancelEditTimer();
        edit_timer_ = SetTimer(kEditTimerId, kEditTimerMs);
    }
    if (list_style_ & LVS_EDITLABELS) {
        const bool on_label =
            (hit & LVHT_ONITEMLABEL) || ((list_style_ex_ & LVXS_FULLROWSELECT) && (hit & LVHT_ONITEM) && column > 0);
        armed_edit_item_ = item >= 0 && IsItemSelected(item) && on_label ? item : -1;
    }
    Notify(NM_CLICK);
}

void SECListBaseC::OnLButtonDblClk(UINT flags, CPoint point) {
    armed_edit_item_ = -1;
    CancelEditTimer();
    Notify(NM_DBLCLK);
}

void SECListBaseC::SelectOnClick(CPoint point, int item, UINT hit, UINT flags) {
    BOOL arm = FALSE, select = FALSE;
    if (ShouldSelectOnClick(point, item, hit, &arm, &select) && select) {
        drag_armed_ = arm;
        if (SelectionChange(item, hit, flags, TRUE)) OnAfterSelect(item, TRUE);
    }
}

void SECListBaseC::OnRButtonDown(UINT flags, CPoint point) {
    SetFocus();
    UINT hit = 0;
    const int item = HitTest(point, &hit);
    if (!(hit & LVHT_COLUMNSEP) && item >= 0) {
        SelectOnClick(point, item, hit, flags);
    }
    button_down_ = point;
    tip_->Refresh();
    dragging_ = FALSE;
}

void SECListBaseC::OnRButtonUp(UINT, CPoint) {
    drag_armed_ = FALSE;
    if (dragging_) {
        dragging_ = FALSE;
        return;
    }
    tip_->Refresh();
    Default();  // the window's context menu (WM_CONTEXTMENU), through the parents that offer one
    Notify(NM_RCLICK);
}

// Asked from the keyboard (no point), the menu opens below the selected item's label, or at
// the top of the list without one; the parents that offer a menu hear that point.
void SECListBaseC::OnContextMenu(CWnd* wnd, CPoint point) {
    if (point.x != -1 || point.y != -1 || wnd != this) {
        Default();
        return;
    }
    CRect inside;
    GetInsideRect(&inside);
    point = inside.TopLeft();
    const int focus = GetFocusItem();
    const int item = focus >= 0 && GetItemState(focus, LVIS_SELECTED) ? focus : GetNextItem(-1, LVNI_SELECTED);
    if (CRect label; item >= 0 && GetItemRect(item, &label, LVIR_LABEL)) {
        // Kept in sight when the item is scrolled past the page.
        point = CPoint(std::clamp<int>(label.left, inside.left, std::max<int>(inside.left, inside.right - 1)),
                       std::clamp<int>(label.bottom, inside.top, std::max<int>(inside.top, inside.bottom - 1)));
    }
    ClientToScreen(&point);
    DefWindowProc(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
}

void SECListBaseC::OnCancelMode() {
    tip_->Hide();
    CWnd::OnCancelMode();
}

BOOL SECListBaseC::OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
    if (hit == HTCLIENT && over_divider_ && divider_cursor_) {
        ::SetCursor(divider_cursor_);
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hit, message);
}

BOOL SECListBaseC::CaptureMouse(BOOL capture) {
    if (!capture) return FALSE;
    SetCapture();
    return TRUE;
}

// ---- column resizing ----

int SECListBaseC::TrackColumnResize(CPoint point, int column) {
    if (::GetCapture()) return 0;
    UpdateWindow();
    CRect inside;
    GetInsideRect(&inside);
    CRect client;
    GetClientRect(&client);
    const int left = GetColumnLeft(column);
    const int start_right = GetColumnRight(column);
    int right = start_right;
    CClientDC dc(this);
    const auto draw_line = [&](int x) { dc.PatBlt(x, client.top, 1, inside.bottom - client.top, DSTINVERT); };
    if (column > 0) draw_line(left);
    draw_line(right);
    tracking_ = TRUE;
    bool accepted = false;
    const kit::user::LoopStep end = kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_MOUSEMOVE: {
                CPoint at = AfxPointOf(msg.lParam);
                if (msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &at, 1);
                const int next = std::max(int(at.x), left + kMinTrackWidth);
                if (next != right) {
                    draw_line(right);
                    right = next;
                    draw_line(right);
                }
                return kit::user::LoopStep::keep_going;
            }
            case WM_LBUTTONUP: accepted = true; return kit::user::LoopStep::finished;
            case WM_RBUTTONDOWN: return kit::user::LoopStep::cancelled;
            case WM_KEYDOWN:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    tracking_ = FALSE;
    if (m_hWnd) {
        if (column > 0) draw_line(left);
        draw_line(right);
    }
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    return end == kit::user::LoopStep::finished && accepted ? right - start_right : 0;
}

// ---- keys ----

UINT SECListBaseC::OnGetDlgCode() { return UINT(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS); }

void SECListBaseC::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    NotifyKeyDown(key);
    const BOOL shift = ::GetKeyState(VK_SHIFT) < 0, ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const int focus = focus_item_;
    switch (int(key)) {
        case VK_UP: OnKeyUp(focus, shift, ctrl); break;
        case VK_DOWN: OnKeyDown_Down(focus, shift, ctrl); break;
        case VK_HOME: OnKeyHome(focus, shift, ctrl); break;
        case VK_END: OnKeyEnd(focus, shift, ctrl); break;
        case VK_PRIOR: OnKeyPageUp(focus, shift, ctrl); break;
        case VK_NEXT: OnKeyPageDown(focus, shift, ctrl); break;
        case VK_SPACE:
            if (focus >= 0) SelectAndFocusItem(focus, !IsItemSelected(focus));
            break;
        case VK_F2: OnKeyF2(focus, GetColumnSubItem(current_column_)); break;
        case VK_RETURN: OnKeyReturn(focus); break;
        case VK_ESCAPE:
            if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, IDCANCEL);
            break;
        case VK_TAB:
            if (CWnd* parent = GetParent()) parent->SendMessage(WM_NEXTDLGCTL, WPARAM(shift));
            break;
        case VK_LEFT:
        case VK_SUBTRACT:
        case VK_OEM_MINUS: OnKeyLeft(focus); break;
        case VK_RIGHT:
        case VK_ADD:
        case VK_OEM_PLUS: OnKeyRight(focus); break;
        case VK_BACK: OnKeyBack(focus); break;
        case VK_MULTIPLY: OnKeyMultiply(focus); break;
        default: break;
    }
    CWnd::OnKeyDown(key, repeat, flags);
}

void SECListBaseC::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
    NotifyKeyDown(key);
    CWnd::OnSysKeyDown(key, repeat, flags);
}

void SECListBaseC::KeySelect(int item, BOOL shift, BOOL ctrl) {
    if (!GetItemAt(item)) return;
    if (SelectionChange(item, kKeyHitFlags, (shift ? MK_SHIFT : 0) | (ctrl ? MK_CONTROL : 0), FALSE)) {
        OnAfterSelect(item, FALSE);
        EnsureVisible(item);
    }
}

void SECListBaseC::OnKeyUp(int focus, BOOL shift, BOOL ctrl) {
    if (focus > 0) KeySelect(focus - 1, shift, ctrl);
}

void SECListBaseC::OnKeyDown_Down(int focus, BOOL shift, BOOL ctrl) {
    if (focus + 1 < GetItemCount()) KeySelect(focus + 1, shift, ctrl);
}

void SECListBaseC::OnKeyHome(int focus, BOOL shift, BOOL ctrl) {
    if (visible_bars_ & WS_VSCROLL) {
        SendMessage(WM_VSCROLL, SB_TOP);
        Invalidate();
    }
    if (focus != 0) KeySelect(0, shift, ctrl);
}

void SECListBaseC::OnKeyEnd(int focus, BOOL shift, BOOL ctrl) {
    SendMessage(WM_VSCROLL, SB_BOTTOM);
    if (focus != GetItemCount() - 1) KeySelect(GetItemCount() - 1, shift, ctrl);
}

void SECListBaseC::OnKeyPageUp(int focus, BOOL shift, BOOL ctrl) {
    SendMessage(WM_VSCROLL, SB_PAGEUP);
    if (focus != top_index_) KeySelect(top_index_, shift, ctrl);
}

void SECListBaseC::OnKeyPageDown(int focus, BOOL shift, BOOL ctrl) {
    SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    const int last = GetLastFullyVisible();
    if (focus != last) KeySelect(last, shift, ctrl);
}

void SECListBaseC::OnKeyF2(int focus, int) {
    if ((list_style_ & LVS_EDITLABELS) && focus >= 0) EditLabel(focus, current_column_);
}

void SECListBaseC::OnKeyReturn(int) { Notify(NM_RETURN); }

// ---- scrolling ----

int SECListBaseC::scroll_track_position(int bar) {
    // The bar's 32-bit track position: message words hold only 16 bits.
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (CScrollBar* control = GetScrollBarCtrl(bar); control && control->GetScrollInfo(&info, SIF_TRACKPOS))
        return info.nTrackPos;
    return 0;
}

void SECListBaseC::OnHScroll(UINT code, UINT, CScrollBar*) {
    EndLabelEdit(TRUE);
    tip_->Hide();
    CRect inside;
    GetInsideRect(&inside);
    switch (code) {
        case SB_LINELEFT: ScrollHorz(kLineWidth); break;
        case SB_LINERIGHT: ScrollHorz(-kLineWidth); break;
        case SB_PAGELEFT: ScrollHorz(inside.Width()); break;
        case SB_PAGERIGHT: ScrollHorz(-inside.Width()); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: ScrollHorz(scroll_x_ - scroll_track_position(SB_HORZ)); break;
        case SB_LEFT: ScrollHorz(scroll_x_); break;
        case SB_RIGHT: ScrollHorz(-GetTotalWidth()); break;
        default: break;
    }
}

void SECListBaseC::OnVScroll(UINT code, UINT, CScrollBar*) {
    EndLabelEdit(TRUE);
    tip_->Hide();
    switch (code) {
        case SB_LINEUP:
            if (top_index_ > 0) ScrollVert(-1);
            break;
        case SB_LINEDOWN:
            if (GetEndOfPage() < GetItemCount() || GetLastFullyVisible() < GetItemCount() - 1) ScrollVert(1);
            break;
        case SB_PAGEUP: ScrollVert(-GetCountPerPageAbove()); break;
        case SB_PAGEDOWN: {
            const int next = std::min(GetLastFullyVisible() + 1, GetMaxTopIndex());
            if (next > top_index_) ScrollVert(next - top_index_);
            break;
        }
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: ScrollVert(std::min(scroll_track_position(SB_VERT), GetMaxTopIndex()) - top_index_); break;
        case SB_TOP: ScrollVert(-top_index_); break;
        case SB_BOTTOM: ScrollVert(GetMaxTopIndex() - top_index_); break;
        default: break;
    }
}

BOOL SECListBaseC::OnMouseWheel(UINT, short delta, CPoint) {
    tip_->Hide();
    wheel_delta_ += delta;
    const int notches = wheel_delta_ / WHEEL_DELTA;
    if (notches == 0) return TRUE;
    if (visible_bars_ & WS_VSCROLL) {
        const bool can_up = top_index_ >= 1;
        const bool can_down = GetLastFullyVisible() < GetItemCount() - 1;
        if ((notches > 0 && !can_up) || (notches < 0 && !can_down)) {
            wheel_delta_ = 0;  // notches that cannot scroll are dropped, not kept for later
            return TRUE;
        }
        const int rows = notches > 0 ? std::min(notches, top_index_) : std::max(notches, top_index_ - GetMaxTopIndex());
        ScrollVert(-rows);
    } else if (visible_bars_ & WS_HSCROLL) {
        ScrollHorz(notches * kLineWidth);
    }
    // The part of a notch that was not turned into rows stays for the next turn.
    wheel_delta_ -= notches * WHEEL_DELTA;
    return TRUE;
}

// ---- focus, enabling ----

void SECListBaseC::OnSetFocus(CWnd* old) {
    CWnd::OnSetFocus(old);
    if (!IsMultiSelect() && focus_item_ >= 0)
        InvalidateItem(focus_item_);
    else
        Invalidate(FALSE);
    Notify(NM_SETFOCUS);
}

void SECListBaseC::OnKillFocus(CWnd* next) {
    CWnd::OnKillFocus(next);
    if (!next || next->m_hWnd != edit_->m_hWnd) EndLabelEdit(TRUE);
    if (!IsMultiSelect() && focus_item_ >= 0)
        InvalidateItem(focus_item_);
    else
        Invalidate(FALSE);
    Notify(NM_KILLFOCUS);
}

void SECListBaseC::OnEnable(BOOL enable) { Invalidate(); }

// ---- label editing ----

void SECListBaseC::CancelEditTimer() {
    if (edit_timer_ && m_hWnd) KillTimer(kEditTimerId);
    edit_timer_ = 0;
}

void SECListBaseC::OnTimer(UINT_PTR id) {
    if (id != kEditTimerId) {
        CWnd::OnTimer(id);
        return;
    }
    CancelEditTimer();
    if (armed_edit_item_ >= 0 && armed_edit_item_ == focus_item_) EditLabel(armed_edit_item_, current_column_);
}

CEdit* SECListBaseC::EditLabel(int item, int column) {
    if (edit_->m_hWnd || !GetItemAt(item) || !GetColumnAt(column)) return nullptr;
    tip_->Hide();
    CancelEditTimer();
    EnsureVisible(item);
    CRect cell;
    if (!GetSubItemRect(item, column, &cell, LVIR_LABEL)) return nullptr;
    CRect inside;
    GetInsideRect(&inside);
    cell.right += 10;
    cell.IntersectRect(&cell, &inside);
    DWORD style = WS_CHILD | WS_BORDER | ES_MULTILINE;
    style |= (list_style_ & LVS_NOLABELWRAP) ? ES_AUTOHSCROLL | ES_WANTRETURN : ES_AUTOVSCROLL;
    if (!edit_->Create(style, cell, this, SECListEdit::kControlId)) return nullptr;
    if (CFont* font = GetLabelFont())
        edit_->SetFont(font, FALSE);
    else
        edit_->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
    edit_->LimitText(kListTextBufferSize - 1);
    const int sub_item = std::max(GetColumnSubItem(column), 0);
    label_before_edit_ = GetItemText(item, sub_item);
    edit_->SetWindowText(label_before_edit_);
    edit_->SetSel(0, -1);
    edited_item_ = item;
    edited_column_ = column;
    armed_edit_item_ = -1;
    ending_edit_ = FALSE;
    const HWND own = m_hWnd;
    const LRESULT refused = NotifyBeginLabelEdit(item, sub_item);
    if (!::IsWindow(own)) return nullptr;
    // The owner may also have ended the edit, or deleted its row, from the notice.
    if (refused == 1 || !edit_->m_hWnd || edited_item_ < 0) {
        if (edit_->m_hWnd) edit_->DestroyWindow();
        edited_item_ = -1;
        return nullptr;
    }
    edit_->ShowWindow(SW_SHOW);
    edit_->SetFocus();  // the list's focus notices go out
    if (!::IsWindow(own) || !edit_->m_hWnd) return nullptr;
    InvalidateItem(edited_item_);
    return edit_.get();
}

BOOL SECListBaseC::EndLabelEdit(BOOL accept) {
    if (!edit_->m_hWnd || ending_edit_) return FALSE;
    ending_edit_ = TRUE;
    CString text = edit_->GetWindowText();
    const CString before = label_before_edit_;
    // The row is known by its record's serial: the owner may insert, delete or move rows, or
    // destroy the list, from the notices below, and an index would then name another row.
    const SECListItem* record = GetItemAt(edited_item_);
    const std::uint64_t serial = record ? record->serial : 0;
    const int sub_item = std::max(GetColumnSubItem(edited_column_), 0);
    const bool had_focus = ::GetFocus() == edit_->m_hWnd;
    const HWND own = m_hWnd;
    edit_->DestroyWindow();
    edited_item_ = -1;
    ending_edit_ = FALSE;  // the edit is gone: the owner may start another from the notices
    if (had_focus && ::IsWindow(own)) SetFocus();
    if (!::IsWindow(own)) return TRUE;
    if (const int item = IndexOfSerial(serial); item >= 0) {
        const bool take = NotifyEndLabelEdit(item, sub_item, text, accept) && accept;
        if (!::IsWindow(own)) return TRUE;
        if (const int now = IndexOfSerial(serial); now >= 0) SetItemText(now, sub_item, take ? text : before);
    }
    InvalidateAllHeights();
    Invalidate();
    return TRUE;
}

void SECListBaseC::OnEditKillFocus() { EndLabelEdit(TRUE); }

void SECListBaseC::OnEditUpdate() {
    if (!edit_->m_hWnd || edited_item_ < 0) return;
    const int sub_item = std::max(GetColumnSubItem(edited_column_), 0);
    const SECListItem* record = GetItemAt(edited_item_);
    if (!record) return;
    const CRect before = record->label_rect;
    const std::uint64_t serial = record->serial;
    SetItemText(edited_item_, sub_item, edit_->GetWindowText());
    MeasureItem(edited_item_);
    // Measuring may ask the owner, who may end the edit or take the row away.
    record = GetItemAt(edited_item_);
    if (!edit_->m_hWnd || !record || record->serial != serial) return;
    if (record->label_rect != before) {
        InvalidateAllHeights();
        InvalidateItem(edited_item_);
    }
    CRect cell;
    if (!GetSubItemRect(edited_item_, edited_column_, &cell, LVIR_LABEL)) return;
    CRect inside;
    GetInsideRect(&inside);
    cell.right += 10;
    cell.IntersectRect(&cell, &inside);
    edit_->SetWindowPos(nullptr, 0, 0, cell.Width(), cell.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
