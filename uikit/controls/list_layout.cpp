// SECListBaseC: row measuring, the inside rectangle, rows per page, the
// scroll bars and the rectangles of items and cells.
#include <algorithm>

#include "uikit/controls/list_base.h"
#include "uikit/controls/list_font.h"

// ---- inside rectangle and rows ----

void SECListBaseC::GetInsideRect(RECT* out) const {
    CRect r;
    if (m_hWnd) ::GetClientRect(m_hWnd, &r);
    if ((list_style_ & LVS_TYPEMASK) == LVS_REPORT && !(list_style_ & LVS_NOCOLUMNHEADER)) r.top += header_height_;
    if (visible_bars_ & WS_VSCROLL) r.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (visible_bars_ & WS_HSCROLL) r.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (r.bottom < r.top) r.bottom = r.top;
    if (r.right < r.left) r.right = r.left;
    *out = r;
}

int SECListBaseC::RowHeight(int item) {
    SECListItem* record = GetItemAt(item);
    if (!record) return 0;
    if (record->row_height < 0) {
        MeasureItem(item);  // may ask the owner, who may change the rows
        record = GetItemAt(item);
        if (!record) return 0;
    }
    return std::max(record->row_height, 1) + GetRowSpacing();
}

void SECListBaseC::SetItemHeight(int item, int height) {
    if (SECListItem* record = GetItemAt(item)) record->row_height = height;
}

void SECListBaseC::MeasureItem(int item) {
    SECListItem* record = GetItemAt(item);
    if (!record) return;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    auto pc = CreatePaintContext(&dc);
    pc->lvi.iItem = item;
    pc->column = 0;
    pc->column_record = GetColumnAt(0);
    pc->item = record;
    pc->view = int(list_style_ & LVS_TYPEMASK);
    const std::uint64_t serial = record->serial;
    if (!InitPaintContext(pc.get())) {
        // The owner asked for a callback field may have deleted the row meanwhile.
        record = GetItemAt(item);
        if (record && record->serial == serial) record->row_height = 1;
        return;
    }
    record = pc->item;
    CRect label, icon, state_icon;
    CalcLabelSize(pc.get(), &label, &icon, &state_icon);
    record->label_rect = label;
    record->icon_rect = icon;
    record->state_icon_rect = state_icon;
    if (pc->view == LVS_ICON)
        record->row_height = icon.Height() + label.Height() + 5;
    else
        record->row_height = std::max({icon.bottom, label.bottom, state_icon.bottom});
}

void SECListBaseC::CalcLabelSize(SECListPaintContext* pc, CRect* label, CRect* icon, CRect* state_icon) {
    *icon = CRect();
    *state_icon = CRect();
    CImageList* images = GetImageList(pc->view == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
    int cx = 0, cy = 0;
    if (images && ImageList_GetIconSize(*images, &cx, &cy)) *icon = CRect(2, 2, cx + 2, cy + 2);
    FontSelection font(pc->dc, pc->label_font);
    const int column_width = std::max(GetColumnWidth(0) - icon->right - 6, 1);
    CRect text(0, 0, column_width, 0);
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
    if (list_style_ & LVS_NOLABELWRAP) format |= DT_SINGLELINE;
    const char* s = pc->lvi.pszText && pc->lvi.pszText != LPSTR_TEXTCALLBACK ? pc->lvi.pszText : "";
    pc->dc->DrawText(*s ? s : " ", -1, &text, format);
    const int left = icon->right + 4;
    if (pc->view == LVS_ICON) {
        const int width = std::max(GetColumnWidth(0), 1);
        *label = CRect(0, icon->bottom + 2, width, icon->bottom + 2 + text.Height());
    } else {
        *label = CRect(left, 0, left + text.Width(), text.Height());
    }
}

int SECListBaseC::GetRangeHeight(int from, int to, BOOL include_last) {
    if (from > to) return -GetRangeHeight(to, from, include_last);
    int height = 0;
    const int end = include_last ? to : to - 1;
    for (int i = std::max(from, 0); i <= end && i < GetItemCount(); ++i) height += RowHeight(i);
    return height;
}

int SECListBaseC::CountRowsInHeight(int start, int height, BOOL downwards) {
    int rows = 0;
    for (int i = start; i >= 0 && i < GetItemCount(); i += downwards ? 1 : -1) {
        height -= RowHeight(i);
        if (height < 0) break;
        ++rows;
    }
    return rows;
}

int SECListBaseC::GetCountPerPage() {
    CRect inside;
    GetInsideRect(&inside);
    int space = inside.Height();
    int rows = 0;
    for (int i = top_index_; i < GetItemCount(); ++i) {
        const int h = RowHeight(i);
        if (h > space) return std::max(rows, 1);
        space -= h;
        ++rows;
    }
    return rows + CountRowsInHeight(top_index_ - 1, space, FALSE);
}

int SECListBaseC::GetCountPerPageAbove() {
    CRect inside;
    GetInsideRect(&inside);
    return std::max(CountRowsInHeight(top_index_ - 1, inside.Height(), FALSE), 1);
}

int SECListBaseC::GetMaxTopIndex() {
    CRect inside;
    GetInsideRect(&inside);
    const int count = GetItemCount();
    if (count == 0) return 0;
    const int rows = CountRowsInHeight(count - 1, inside.Height(), FALSE);
    return std::max(count - std::max(rows, 1), 0);
}

int SECListBaseC::GetLastFullyVisible(BOOL) {
    CRect inside;
    GetInsideRect(&inside);
    const int rows = CountRowsInHeight(top_index_, inside.Height(), TRUE);
    return std::min(top_index_ + std::max(rows, 1) - 1, GetItemCount() - 1);
}

int SECListBaseC::GetEndOfPage() {
    CRect inside;
    GetInsideRect(&inside);
    int y = 0;
    int i = top_index_;
    for (; i < GetItemCount() && y < inside.Height(); ++i) y += RowHeight(i);
    return i;
}

int SECListBaseC::GetPageUpIndex() { return std::max(top_index_ - GetCountPerPageAbove(), 0); }

int SECListBaseC::ItemFromOffset(int offset) {
    if (offset < 0) return -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        offset -= RowHeight(i);
        if (offset < 0) return i;
    }
    return -1;
}

void SECListBaseC::InvalidateAllHeights() {
    for (auto& item : items_) item->row_height = -1;
    if (m_hWnd) UpdateLayout();
}

void SECListBaseC::InvalidateItemHeight(int item) {
    if (SECListItem* record = GetItemAt(item)) {
        record->row_height = -1;
        if (m_hWnd) InvalidateItem(item, FALSE, TRUE, TRUE);
    }
}

// ---- rectangles ----

BOOL SECListBaseC::GetSubItemRect(int item, int column, RECT* out, int code) {
    SECListItem* record = GetItemAt(item);
    if (!record || !out || item < top_index_ || !GetColumnAt(column)) return FALSE;
    CRect inside;
    GetInsideRect(&inside);
    const int top = inside.top + GetRangeHeight(top_index_, item);
    const int height = RowHeight(item);
    // Measuring may ask the owner, who may take rows away.
    record = GetItemAt(item);
    if (!record) return FALSE;
    const int left = GetColumnLeft(column), right = GetColumnRight(column);
    CRect r(left, top, right, top + height);
    if (code == LVIR_BOUNDS) {
        *out = r;
        return TRUE;
    }
    if (GetColumnSubItem(column) == 0) {
        CRect part = code == LVIR_ICON ? record->icon_rect : record->label_rect;
        part.OffsetRect(left, top);
        *out = part;
        return TRUE;
    }
    if (code != LVIR_LABEL) return FALSE;
    CString text;
    GetSubItemText(text, item, column);
    CClientDC dc(this);
    FontSelection font(&dc, GetLabelFont());
    const int width = std::min(dc.GetTextExtent(text).cx, r.Width() - 4);
    const int fmt = GetColumnFormat(column);
    if (fmt == LVCFMT_CENTER)
        r.left += (r.Width() - width) / 2;
    else if (fmt == LVCFMT_RIGHT)
        r.left = r.right - width - 2;
    else
        r.left += 2;
    r.right = r.left + width;
    *out = r;
    return TRUE;
}

BOOL SECListBaseC::GetItemRect(int item, RECT* out, int code) {
    const int main = std::max(GetMainColumn(), 0);
    return GetSubItemRect(item, main, out, code);
}

// ---- invalidation ----

void SECListBaseC::InvalidateItem(int item, BOOL label_only, BOOL erase, BOOL fill_below, BOOL update_now) {
    if (!m_hWnd || item < top_index_ || !GetItemAt(item)) return;
    CRect inside;
    GetInsideRect(&inside);
    CRect r;
    r.left = inside.left - scroll_x_;
    r.right = r.left + std::max(GetTotalWidth(), inside.Width()) + scroll_x_;
    // Only rows on the page are walked: an item below it has nothing to repaint.
    int y = inside.top;
    for (int i = top_index_; i < item && y < inside.bottom; ++i) y += RowHeight(i);
    if (y >= inside.bottom) return;
    r.top = y;
    r.bottom = fill_below ? inside.bottom : r.top + RowHeight(item);
    if (label_only && !(list_style_ex_ & LVXS_FULLROWSELECT)) {
        const SECListItem* record = GetItemAt(item);
        if (!record) return;  // measuring asked the owner, who took rows away
        r.left = GetColumnLeft(0) + record->label_rect.left - 3;
        r.right = GetColumnLeft(0) + record->label_rect.right + 3;
    }
    if (update_now)
        RedrawWindow(&r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (erase ? RDW_ERASE : 0));
    else
        InvalidateRect(&r, erase);
}

void SECListBaseC::InvalidateItemRange(int first, int last) {
    if (!m_hWnd) return;
    if (first > last) std::swap(first, last);
    first = std::max(first, top_index_);
    if (last < first) return;
    CRect inside;
    GetInsideRect(&inside);
    CRect r = inside;
    int y = inside.top;
    for (int i = top_index_; i < first && y < inside.bottom; ++i) y += RowHeight(i);
    if (y >= inside.bottom) return;
    r.top = y;
    r.bottom = std::min(LONG(inside.bottom), r.top + LONG(GetRangeHeight(first, last, TRUE)));
    InvalidateRect(&r, TRUE);
}

// ---- widths ----

int SECListBaseC::GetTotalWidth() {
    CRect inside;
    GetInsideRect(&inside);
    if (GetColumnCount() >= 2) {
        int total = 0;
        for (const auto& column : columns_) total += column->width;
        return total;
    }
    int widest = 0;
    int y = 0;
    for (int i = top_index_; i < GetItemCount() && (!IsWindowVisible() || y < inside.Height()); ++i) {
        y += RowHeight(i);
        // Measuring may ask the owner, who may take rows away.
        if (const SECListItem* record = GetItemAt(i)) widest = std::max(widest, int(record->label_rect.right) + 5);
    }
    if ((list_style_ & LVS_TYPEMASK) == LVS_REPORT) widest = std::max(widest, int(inside.Width()));
    if ((list_style_ & LVS_TYPEMASK) == LVS_REPORT && GetColumnCount() == 1)
        widest = std::max(widest, GetColumnWidth(0));
    return widest;
}

void SECListBaseC::FitMainColumn() {
    const int main = GetMainColumn();
    if (main < 0) return;
    CRect inside;
    GetInsideRect(&inside);
    int others = 0;
    for (int i = 0; i < GetColumnCount(); ++i)
        if (i != main) others += columns_[std::size_t(i)]->width;
    columns_[std::size_t(main)]->width = std::max(int(inside.Width()) - others, kMinColumnWidth);
}

BOOL SECListBaseC::AutoSizeMainColumn() {
    if (GetColumnCount() == 1 || (list_style_ex_ & LVXS_FITCOLUMNS)) {
        FitMainColumn();
        return TRUE;
    }
    return FALSE;
}

int SECListBaseC::GetMainColumn() const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i]->sub_item == 0) return int(i);
    return -1;
}

// ---- scroll bars ----

void SECListBaseC::ShowScrollBarCtrl(int bar, BOOL show, SCROLLINFO* info) {
    if (list_style_ & LVS_NOSCROLL) show = FALSE;
    const int slot = bar == SB_VERT ? 1 : 0;
    const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (!bars_[slot]) bars_[slot] = std::make_unique<CScrollBar>();
    if (!bars_[slot]->m_hWnd) {
        // Not shown, or the list's window is gone (destroyed by an owner asked during a paint).
        if (!show || !m_hWnd) return;
        const DWORD style = WS_CHILD | (bar == SB_VERT ? SBS_VERT : SBS_HORZ);
        if (!bars_[slot]->Create(style, CRect(0, 0, 1, 1), this, bar == SB_VERT ? kVertBarId : kHorzBarId))
            AfxThrowResourceException();
    }
    if (info) bars_[slot]->SetScrollInfo(info, show);
    const BOOL shown = (visible_bars_ & bit) != 0;
    if (shown != show) {
        visible_bars_ = show ? visible_bars_ | bit : visible_bars_ & ~bit;
        bars_[slot]->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
        Invalidate(FALSE);
    }
}

void SECListBaseC::UpdateVertScrollBar() {
    const int count = GetItemCount();
    const int page = GetCountPerPage();
    if (page >= count) {
        top_index_ = 0;
        ShowScrollBarCtrl(SB_VERT, FALSE, nullptr);
        return;
    }
    top_index_ = std::clamp(top_index_, 0, GetMaxTopIndex());
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                    0,
                    count - 1,
                    UINT(std::max(CountRowsInHeight(top_index_,
                                                    [&] {
                                                        CRect r;
                                                        GetInsideRect(&r);
                                                        return int(r.Height());
                                                    }()),
                                  1)),
                    top_index_,
                    0};
    ShowScrollBarCtrl(SB_VERT, TRUE, &info);
}

void SECListBaseC::UpdateHorzScrollBar() {
    CRect inside;
    GetInsideRect(&inside);
    const int total = GetTotalWidth();
    if (total <= inside.Width()) {
        if (scroll_x_) {
            scroll_x_ = 0;
            Invalidate(FALSE);
        }
        ShowScrollBarCtrl(SB_HORZ, FALSE, nullptr);
        return;
    }
    const int max_x = total - int(inside.Width());
    if (scroll_x_ > max_x) {
        scroll_x_ = max_x;
        Invalidate(FALSE);
    }
    SCROLLINFO info{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, total - 1, UINT(inside.Width()), scroll_x_, 0};
    ShowScrollBarCtrl(SB_HORZ, TRUE, &info);
}

void SECListBaseC::UpdateLayout() {
    if (!m_hWnd) return;
    layout_dirty_ = FALSE;
    // Showing one bar narrows the room for the other: settle in at most two rounds.
    for (int round = 0; round < 2; ++round) {
        const DWORD before = visible_bars_;
        CRect inside_before;
        GetInsideRect(&inside_before);
        UpdateVertScrollBar();
        CRect inside_after;
        GetInsideRect(&inside_after);
        if (inside_after.Width() != inside_before.Width() && AutoSizeMainColumn()) Invalidate(FALSE);
        UpdateHorzScrollBar();
        if (visible_bars_ == before) break;
    }
    PositionScrollBars();
}

void SECListBaseC::PositionScrollBars() {
    CRect client;
    GetClientRect(&client);
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
    const bool vert = visible_bars_ & WS_VSCROLL, horz = visible_bars_ & WS_HSCROLL;
    if (CScrollBar* bar = GetScrollBarCtrl(SB_HORZ); bar && horz)
        bar->SetWindowPos(nullptr, 0, client.bottom - cy, client.Width() - (vert ? cx : 0), cy,
                          SWP_NOZORDER | SWP_NOACTIVATE);
    if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT); bar && vert)
        bar->SetWindowPos(nullptr, client.right - cx, 0, cx, client.Height() - (horz ? cy : 0),
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void SECListBaseC::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (!columns_.empty()) AutoSizeMainColumn();
    InvalidateAllHeights();
    PositionScrollBars();
    Invalidate(FALSE);
}

// ---- scrolling ----

BOOL SECListBaseC::GetScrollPosition(POINT* out) const {
    if (!out) return FALSE;
    out->x = scroll_x_;
    out->y = 0;
    return TRUE;
}

void SECListBaseC::ScrollHorz(int dx) {
    CRect inside;
    GetInsideRect(&inside);
    const int max_x = std::max(GetTotalWidth() - int(inside.Width()), 0);
    const int next = std::clamp(scroll_x_ - dx, 0, max_x);
    if (next == scroll_x_) return;
    scroll_x_ = next;
    if (CScrollBar* bar = GetScrollBarCtrl(SB_HORZ)) bar->SetScrollPos(scroll_x_);
    Invalidate(FALSE);
}

void SECListBaseC::ScrollVert(int rows) {
    const int next = std::clamp(top_index_ + rows, 0, std::max(GetItemCount() - 1, 0));
    if (next == top_index_) return;
    top_index_ = next;
    if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT)) bar->SetScrollPos(top_index_);
    Invalidate(TRUE);
}

void SECListBaseC::SetTopIndex(int item) {
    if (!GetItemAt(item)) return;
    ScrollVert(item - top_index_);
    UpdateLayout();
}

BOOL SECListBaseC::EnsureVisible(int item, BOOL) {
    if (!GetItemAt(item)) return FALSE;
    if (item < top_index_) {
        ScrollVert(item - top_index_);
    } else if (item > GetLastFullyVisible()) {
        CRect inside;
        GetInsideRect(&inside);
        const int rows = std::max(CountRowsInHeight(item, inside.Height(), FALSE), 1);
        ScrollVert(item - rows + 1 - top_index_);
    }
    return TRUE;
}

BOOL SECListBaseC::EnsureRangeVisible(int first, int last) {
    if (!GetItemAt(first) || !GetItemAt(last)) return FALSE;
    if (first > last) std::swap(first, last);
    CRect inside;
    GetInsideRect(&inside);
    if (first >= top_index_ && last <= GetLastFullyVisible()) return TRUE;
    // The range's first row goes as high as needed for its last to show, never above the first.
    const int rows = std::max(CountRowsInHeight(last, inside.Height(), FALSE), 1);
    const int top = std::min(first, last - rows + 1);
    ScrollVert(std::max(top, 0) - top_index_);
    return TRUE;
}
