// SECListBaseC: painting through one off-screen bitmap per paint, with the
// header, the visible rows, their cells, icons, labels and grid lines.
#include <algorithm>

#include "uikit/controls/list_base.h"
#include "uikit/controls/list_font.h"

namespace {

// The off-screen DC of one paint: drawing goes to the list's kept bitmap,
// clipped to the paint rectangle and copied to the target when the object
// ends. The bitmap is made again only when a paint needs more room or other
// colours, so a repaint neither allocates nor clears a screenful of pixels.
class MemoryDC : public CDC {
public:
    MemoryDC(CDC* target, const CRect& rect, CBitmap* bitmap) : target_(target), rect_(rect) {
        if (!CreateCompatibleDC(target) || !FitBitmap(bitmap)) AfxThrowResourceException();
        old_ = SelectObject(bitmap);
        SetWindowOrg(rect.left, rect.top);
        IntersectClipRect(&rect);
    }
    ~MemoryDC() override {
        target_->BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), this, rect_.left, rect_.top, SRCCOPY);
        SelectObject(old_);
    }

private:
    BOOL FitBitmap(CBitmap* bitmap) const {
        BITMAP info{};
        if (bitmap->m_hObject && bitmap->GetObject(sizeof info, &info) && info.bmWidth >= rect_.Width() &&
            info.bmHeight >= rect_.Height() && info.bmBitsPixel == target_->GetDeviceCaps(BITSPIXEL))
            return TRUE;
        return bitmap->CreateCompatibleBitmap(*target_, std::max(int(info.bmWidth), rect_.Width()),
                                              std::max(int(info.bmHeight), rect_.Height()));
    }

    CDC* target_;
    CRect rect_;
    CBitmap* old_ = nullptr;
};

}  // namespace

std::unique_ptr<SECListPaintContext> SECListBaseC::CreatePaintContext(CDC* dc) {
    return std::make_unique<SECListPaintContext>(dc);
}

void SECListBaseC::OnPaint() {
    // Rows inserted since the last paint bring the bars and the layout up to date first.
    if (layout_dirty_) UpdateLayout();
    CPaintDC dc(this);
    DoPaint(&dc);
}

void SECListBaseC::DoPaint(CDC* dc) {
    CRect area;
    dc->GetClipBox(&area);
    CRect client;
    GetClientRect(&client);
    area.IntersectRect(&area, &client);
    if (area.IsRectEmpty()) return;
    const bool header = (list_style_ & LVS_TYPEMASK) == LVS_REPORT && !(list_style_ & LVS_NOCOLUMNHEADER);
    if (dc->IsPrinting()) {
        if (header) DrawHeader(dc);
        DrawItems(dc);
        return;
    }
    MemoryDC memory(dc, area, &paint_bitmap_);
    memory.FillSolidRect(&area, GetBkColor());
    if (header) DrawHeader(&memory);
    CRect inside;
    GetInsideRect(&inside);
    const int saved = memory.SaveDC();
    memory.IntersectClipRect(&inside);
    DrawItems(&memory);
    memory.RestoreDC(saved);
    if ((visible_bars_ & WS_VSCROLL) && (visible_bars_ & WS_HSCROLL)) {
        const int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
        CRect corner(client.right - cx, client.bottom - cy, client.right, client.bottom);
        memory.FillSolidRect(&corner, ::GetSysColor(COLOR_BTNFACE));
    }
}

void SECListBaseC::DrawHeader(CDC* dc) {
    FontSelection font(dc, GetHeaderFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect client;
    GetClientRect(&client);
    int right = -scroll_x_;
    for (int i = 0; i < GetColumnCount(); ++i) {
        const SECListColumn& column = *columns_[std::size_t(i)];
        CRect cell(GetColumnLeft(i), 0, GetColumnLeft(i) + column.width, header_height_);
        right = cell.right;
        if (cell.right <= client.left || cell.left >= client.right) continue;
        ::DrawFrameControl(*dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH);
        CRect text(cell.left + 5, cell.top, cell.left + column.width - 1 - 5, cell.bottom);
        UINT format = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
        if (column.fmt == LVCFMT_RIGHT)
            format |= DT_RIGHT;
        else if (column.fmt == LVCFMT_CENTER)
            format |= DT_CENTER;
        if (dc->GetTextExtent(column.heading).cx > text.Width()) format |= DT_END_ELLIPSIS;
        if (text.Width() > 0) dc->DrawText(column.heading, &text, format);
    }
    if (right < client.right) {
        CRect rest(right, 0, client.right + 2, header_height_);
        ::DrawFrameControl(*dc, &rest, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
}

void SECListBaseC::DrawItems(CDC* dc) {
    CRect inside;
    GetInsideRect(&inside);
    CRect clip;
    dc->GetClipBox(&clip);
    auto pc = CreatePaintContext(dc);
    pc->view = int(list_style_ & LVS_TYPEMASK);
    int drawn = 0;
    if (pc->view == LVS_REPORT) {
        const int width = std::max(GetTotalWidth(), int(inside.Width()));
        int y = inside.top;
        for (int i = top_index_; i < GetItemCount(); ++i) {
            if (y >= clip.bottom || (dc->IsPrinting() && y >= inside.bottom)) break;
            const int h = RowHeight(i);
            CRect row(-scroll_x_, y, -scroll_x_ + width, y + h);
            if (dc->RectVisible(&row)) DrawItem(pc.get(), i, row);
            y += h;
            ++drawn;
        }
    } else if (pc->view == LVS_ICON) {
        const int cell_width = std::max(GetColumnWidth(0), 1);
        int x = inside.left, y = inside.top, line_height = 0;
        for (int i = top_index_; i < GetItemCount() && y < clip.bottom; ++i) {
            const int h = RowHeight(i);
            if (x > inside.left && x + cell_width > inside.right) {
                x = inside.left;
                y += line_height;
                line_height = 0;
            }
            CRect cell(x, y, x + cell_width, y + h);
            if (dc->RectVisible(&cell)) DrawItem(pc.get(), i, cell);
            x += cell_width;
            line_height = std::max(line_height, h);
            ++drawn;
        }
    }
    if (!dc->IsPrinting() && pc->view == LVS_REPORT) {
        if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT); bar && (visible_bars_ & WS_VSCROLL)) {
            SCROLLINFO info{sizeof(SCROLLINFO),
                            SIF_PAGE | SIF_POS,
                            0,
                            0,
                            UINT(std::max(GetLastFullyVisible() - top_index_ + 1, 1)),
                            top_index_,
                            0};
            bar->SetScrollInfo(&info, TRUE);
        }
    }
    (void)drawn;
}

void SECListBaseC::DrawItem(SECListPaintContext* pc, int item, const CRect& row) {
    SECListItem* record = GetItemAt(item);
    if (!record) return;
    const std::uint64_t serial = record->serial;
    CRect clip;
    pc->dc->GetClipBox(&clip);
    const bool one_column = GetColumnCount() <= 1 || pc->view != LVS_REPORT;
    for (int c = 0; c < (one_column ? 1 : GetColumnCount()); ++c) {
        // The owner may change the rows while it is asked for a cell's text: the row is drawn
        // only while it is still there.
        record = GetItemAt(item);
        if (!record || record->serial != serial) return;
        CRect cell = row;
        if (!one_column) {
            cell.left = GetColumnLeft(c);
            cell.right = GetColumnRight(c);
        }
        if (cell.right <= clip.left || cell.left >= clip.right) continue;
        pc->cell = cell;
        pc->column = c;
        pc->column_record = GetColumnAt(c);
        pc->item = record;
        pc->lvi = LV_ITEM{};
        pc->lvi.iItem = item;
        pc->lvi.iSubItem = one_column ? 0 : std::max(GetColumnSubItem(c), 0);
        pc->sub_item = record->sub_item(pc->lvi.iSubItem);
        pc->greyed = 0;
        if (!InitPaintContext(pc)) continue;
        DrawSubItem(pc);
    }
    record = GetItemAt(item);
    if (pc->view != LVS_REPORT || !record || record->serial != serial) return;
    if ((list_style_ex_ & LVXS_FULLROWSELECT) && item == focus_item_ && ::GetFocus() == m_hWnd &&
        GetColumnCount() > 1 && edited_item_ != item) {
        CRect focus = row;
        focus.left = GetColumnLeft(0) + record->label_rect.left - 3;
        pc->dc->DrawFocusRect(&focus);
    }
    if (list_style_ex_ & LVXS_VGRIDLINES) DrawGridLines(pc->dc, row);
    if (list_style_ex_ & LVXS_HGRIDLINES) DrawRowLine(pc->dc, row);
}

bool SECListBaseC::RowStillPainted(SECListPaintContext* pc, std::uint64_t serial, HWND own) {
    // Asked for a callback field, the owner may have changed the rows or destroyed the list.
    if (own && !::IsWindow(own)) return false;
    SECListItem* record = GetItemAt(pc->lvi.iItem);
    if (!record || record->serial != serial) return false;
    pc->item = record;
    pc->sub_item = record->sub_item(pc->lvi.iSubItem);
    return true;
}

BOOL SECListBaseC::InitPaintContext(SECListPaintContext* pc) {
    pc->lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
    pc->lvi.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED | LVIS_CUT;
    pc->lvi.pszText = text_buffer_.data();
    pc->lvi.cchTextMax = int(text_buffer_.size());
    text_buffer_[0] = 0;
    pc->view = int(list_style_ & LVS_TYPEMASK);
    const std::uint64_t serial = pc->item ? pc->item->serial : 0;
    const HWND own = m_hWnd;
    if (!GetItem(&pc->lvi, TRUE, TRUE) || !RowStillPainted(pc, serial, own)) return FALSE;
    if (pc->lvi.mask & LVIF_DI_SETITEM) {
        LV_ITEM keep = pc->lvi;
        keep.mask &= LVIF_TEXT | LVIF_IMAGE | LVIF_DI_SETITEM;
        SetItem(&keep, FALSE);
    }
    pc->row_bk_color = GetRowBkColor(pc);
    pc->field_color = GetFieldColor(pc);
    GetItemColors(pc);
    pc->label_font = GetLabelFontForPaint(pc);
    return TRUE;
}

COLORREF SECListBaseC::GetRowBkColor(SECListPaintContext*) { return GetBkColor(); }

COLORREF SECListBaseC::GetFieldColor(SECListPaintContext* pc) {
    if (!IsWindowEnabled()) return GetBkColor();
    return (pc->lvi.state & LVIS_SELECTED) && ::GetFocus() == m_hWnd ? GetSelItemFieldColor() : GetItemFieldColor();
}

void SECListBaseC::GetItemColors(SECListPaintContext* pc) {
    const bool main = pc->lvi.iSubItem == 0;
    const bool focused = ::GetFocus() == m_hWnd || (edit_->m_hWnd && ::GetFocus() == edit_->m_hWnd);
    const bool selected = (pc->lvi.state & LVIS_SELECTED) && (focused || (list_style_ & LVS_SHOWSELALWAYS));
    const bool greyed = (pc->greyed & SECListPaintContext::kGreyed) != 0;
    if (!IsWindowEnabled()) {
        pc->text_color = GetGrayTextColor();
        pc->text_bk_color = ::GetSysColor(COLOR_MENU);
    } else if (selected && (main || (list_style_ex_ & LVXS_FULLROWSELECT))) {
        if (!focused) {
            pc->text_color = ::GetSysColor(COLOR_MENUTEXT);
            pc->text_bk_color = ::GetSysColor(COLOR_MENU);
        } else {
            pc->text_color = greyed ? GetGrayTextColor() : GetSelTextColor();
            pc->text_bk_color = GetSelBkColor();
        }
    } else {
        pc->text_color = greyed ? GetGrayTextColor() : GetTextColor();
        pc->text_bk_color = GetTextBkColor();
    }
    if (main && (pc->lvi.state & LVIS_DROPHILITED)) std::swap(pc->text_color, pc->text_bk_color);
}

CFont* SECListBaseC::GetLabelFontForPaint(SECListPaintContext*) { return GetLabelFont(); }

void SECListBaseC::DrawSubItem(SECListPaintContext* pc) {
    pc->dc->FillSolidRect(&pc->cell, pc->row_bk_color);
    if (pc->lvi.iSubItem == 0) DrawItemIcon(pc);
    if (pc->lvi.pszText && pc->lvi.pszText != LPSTR_TEXTCALLBACK) DrawItemLabel(pc);
}

void SECListBaseC::DrawItemIcon(SECListPaintContext* pc) {
    CImageList* images = GetImageList(pc->view == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
    if (!images || pc->lvi.iImage < 0 || pc->lvi.iImage >= images->GetImageCount()) return;
    CRect icon = pc->item->icon_rect;
    icon.OffsetRect(pc->cell.left, pc->cell.top);
    if (pc->view == LVS_ICON) icon.OffsetRect((pc->cell.Width() - icon.Width()) / 2 - icon.left + pc->cell.left, 0);
    images->Draw(pc->dc, pc->lvi.iImage, icon.TopLeft(), ILD_TRANSPARENT);
}

void SECListBaseC::DrawItemLabel(SECListPaintContext* pc) {
    CDC* dc = pc->dc;
    CRect label;
    if (pc->lvi.iSubItem == 0) {
        label = pc->item->label_rect;
        label.OffsetRect(pc->cell.left, pc->cell.top);
        label.right = std::min(label.right, pc->cell.right - 2);
        if (pc->view == LVS_REPORT) label.bottom = pc->cell.bottom;
    } else {
        label = pc->cell;
        label.DeflateRect(4, 0);
    }
    if (pc->lvi.iItem == edited_item_ && pc->lvi.iSubItem == GetColumnSubItem(edited_column_)) return;
    dc->SetBkMode(TRANSPARENT);
    CRect back = label;
    back.InflateRect(2, 0);
    if (list_style_ex_ & LVXS_FULLROWSELECT) back = pc->cell;
    back.IntersectRect(&back, &pc->cell);
    dc->FillSolidRect(&back, pc->text_bk_color);
    dc->SetTextColor(pc->text_color);
    UINT format = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    const int fmt = pc->column_record ? pc->column_record->fmt : 0;
    if (fmt == LVCFMT_RIGHT)
        format |= DT_RIGHT;
    else if (fmt == LVCFMT_CENTER)
        format |= DT_CENTER;
    if (list_style_ & LVS_NOLABELWRAP) format |= DT_SINGLELINE | DT_END_ELLIPSIS;
    FontSelection font(dc, pc->label_font);
    if (label.Width() > 0) dc->DrawText(pc->lvi.pszText, -1, &label, format);
    if (pc->lvi.iSubItem == 0 && pc->lvi.iItem == focus_item_ && ::GetFocus() == m_hWnd &&
        !(list_style_ex_ & LVXS_FULLROWSELECT) && pc->view == LVS_REPORT) {
        CRect focus = back;
        dc->DrawFocusRect(&focus);
    }
}

// Grid lines are one pixel wide and straight: filled as thin rectangles, the
// same pixels a one-pixel solid pen gives, without plotting them one by one.
void SECListBaseC::DrawRowLine(CDC* dc, const CRect& row) {
    dc->FillSolidRect(row.left, row.bottom - 1, row.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void SECListBaseC::DrawGridLines(CDC* dc, const CRect& row) {
    const COLORREF color = ::GetSysColor(COLOR_BTNSHADOW);
    const int last = GetColumnCount() - ((list_style_ex_ & LVXS_FITCOLUMNS) ? 1 : 0);
    for (int c = 0; c < last; ++c) dc->FillSolidRect(GetColumnRight(c) - 1, row.top, 1, row.Height(), color);
}
