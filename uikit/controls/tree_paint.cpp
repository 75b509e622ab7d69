// SECTreeBaseC: the first column's layout and drawing (indentation, dotted
// lines, expand buttons, images, bold labels), hit-testing of its parts, and
// the tree's mouse and keys.
#include <algorithm>
#include <cstring>

#include "uikit/controls/list_font.h"
#include "uikit/controls/tree_base.h"

namespace {

constexpr int kLabelGap = 6;
// In a label that wraps, this splits it: what follows wraps under the mark.
constexpr const char* kLabelMark = "\\{HI}";

// Where the parts of a row's first column lie, relative to the row's left edge.
struct TreeRowLayout {
    int x0 = 0;         // the start of this level
    CRect state_image;  // empty when none
    CRect image;        // empty when none
    int label_left = 0;
    int line_x = 0;  // the column of this level's connecting line
};

}  // namespace

bool SECTreeBaseC::HasRootLines() const {
    return (tree_style_ & TVS_LINESATROOT) && (tree_style_ & (TVS_HASLINES | TVS_HASBUTTONS));
}

std::unique_ptr<SECListPaintContext> SECTreeBaseC::CreatePaintContext(CDC* dc) {
    return std::make_unique<SECTreePaintContext>(dc);
}

namespace {

TreeRowLayout layout_of(const SECTreePaintContext* pc, int depth, int indent, bool root_lines, CImageList* state_images,
                        CImageList* images) {
    TreeRowLayout l;
    l.x0 = indent * (depth - 1) + (root_lines ? indent : 0);
    int x = l.x0;
    int cx = 0, cy = 0;
    if (state_images && ((pc->tvi.state >> 12) & 0xF) && ImageList_GetIconSize(*state_images, &cx, &cy)) {
        l.state_image = CRect(x, 0, x + cx, cy);
        x += cx;
    }
    if (images && pc->tvi.iImage != TV_NO_IMAGE && ImageList_GetIconSize(*images, &cx, &cy)) {
        l.image = CRect(x, 0, x + cx, cy);
        x += cx;
    }
    l.label_left = x + kLabelGap - (x > l.x0 ? 0 : 0);
    l.line_x = l.image.IsRectEmpty() ? l.x0 - indent + 8 : l.x0 - indent + l.image.Width() / 2;
    return l;
}

}  // namespace

BOOL SECTreeBaseC::InitPaintContext(SECListPaintContext* base) {
    auto* pc = static_cast<SECTreePaintContext*>(base);
    pc->node = NodeOfRow(pc->lvi.iItem);
    if (!pc->node || pc->lvi.iSubItem != 0) {
        if (!SECListBaseC::InitPaintContext(pc)) return FALSE;
        pc->node = NodeOfRow(pc->lvi.iItem);  // the row checked there is still the node's
        return TRUE;
    }
    pc->tvi = TV_ITEM{};
    pc->tvi.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    pc->tvi.hItem = HandleOf(pc->node);
    pc->tvi.stateMask = 0xFFFF;
    pc->tvi.pszText = tree_text_.data();
    pc->tvi.cchTextMax = int(tree_text_.size());
    tree_text_[0] = 0;
    const HTREEITEM item = pc->tvi.hItem;
    const std::uint64_t serial = pc->item ? pc->item->serial : 0;
    const HWND own = m_hWnd;
    GetItem(&pc->tvi, TRUE, TRUE);
    // Asked for a callback field, the owner may have deleted the item: it is not drawn then.
    if (!RowStillPainted(pc, serial, own) || LiveNode(item) != pc->node) return FALSE;
    pc->tvi.hItem = item;
    pc->ex_state = GetItemExState(item, TVIS_EX_MARKED | TVIS_EX_HIDDEN);
    if (!SECListBaseC::InitPaintContext(pc)) return FALSE;
    // The row checked there is still the node's: a row never outlives its node.
    pc->node = NodeOfRow(pc->lvi.iItem);
    if (LiveNode(item) != pc->node) return FALSE;
    pc->lvi.pszText = pc->tvi.pszText;
    pc->lvi.iImage = pc->tvi.iImage;
    if (pc->ex_state & TVIS_EX_MARKED) pc->greyed |= SECListPaintContext::kGreyed;
    GetItemColors(pc);
    return TRUE;
}

CFont* SECTreeBaseC::BoldFont(CFont* base) {
    HFONT from = base && base->m_hObject ? HFONT(base->m_hObject) : HFONT(::GetStockObject(DEFAULT_GUI_FONT));
    if (bold_from_ != from || !bold_font_.m_hObject) {
        LOGFONT lf{};
        ::GetObject(from, sizeof lf, &lf);
        lf.lfWeight = 700;
        bold_font_.DeleteObject();
        bold_font_.CreateFontIndirect(&lf);
        bold_from_ = from;
    }
    return &bold_font_;
}

CFont* SECTreeBaseC::GetLabelFontForPaint(SECListPaintContext* base) {
    auto* pc = static_cast<SECTreePaintContext*>(base);
    CFont* font = GetLabelFont();
    return pc->node && pc->lvi.iSubItem == 0 && (pc->tvi.state & TVIS_BOLD) ? BoldFont(font) : font;
}

void SECTreeBaseC::CalcLabelSize(SECListPaintContext* base, CRect* label, CRect* icon, CRect* state_icon) {
    auto* pc = static_cast<SECTreePaintContext*>(base);
    if (!pc->node) {
        SECListBaseC::CalcLabelSize(pc, label, icon, state_icon);
        return;
    }
    const TreeRowLayout l = layout_of(pc, DepthOf(pc->node), indent_, HasRootLines(), GetImageList(LVSIL_STATE),
                                      GetImageList(LVSIL_NORMAL));
    *state_icon = l.state_image;
    *icon = l.image;
    FontSelection font(pc->dc, pc->label_font);
    const char* text = pc->tvi.pszText && pc->tvi.pszText != LPSTR_TEXTCALLBACK ? pc->tvi.pszText : "";
    int available = GetColumnCount() >= 2 ? GetColumnWidth(0) - 5 : (m_hWnd ? [&] {
        CRect c;
        GetClientRect(&c);
        return int(c.Width());
    }() : 10000) - 5;
    available = std::max(available - l.label_left, 1);
    CRect measured(0, 0, available, 0);
    DrawLabel(pc->dc, pc->node, text, &measured, TRUE);
    measured.bottom += 2;
    int height = std::max({int(measured.Height()), int(l.image.Height()), int(l.state_image.Height())});
    height = (height + 1) & ~1;
    const int top = (height - measured.Height()) / 2;
    *label = CRect(l.label_left, top, l.label_left + measured.Width(), top + measured.Height());
    icon->OffsetRect(0, (height - icon->Height()) / 2);
    state_icon->OffsetRect(0, (height - state_icon->Height()) / 2);
    // The row is as high as its tallest part.
    label->bottom = std::max(label->bottom, LONG(height));
    label->top = std::min(label->top, LONG(0));
}

CRect SECTreeBaseC::GetButtonRect(SECTreePaintContext* pc) {
    const SECListItem* row = pc->node ? pc->node->row : nullptr;
    if (!row || (!pc->node->GetRawFirstChild() && pc->tvi.cChildren <= 0)) return CRect();
    const int depth = DepthOf(pc->node);
    if (depth == 1 && !HasRootLines()) return CRect();
    int cx = 0, cy = 0;
    CImageList* images = GetImageList(LVSIL_NORMAL);
    int centre_x = 0, centre_y = 0, size = 8;
    const int x0 = indent_ * (depth - 1) + (HasRootLines() ? indent_ : 0);
    if (images && pc->tvi.iImage != TV_NO_IMAGE && ImageList_GetIconSize(*images, &cx, &cy)) {
        centre_x = x0 - indent_ + cx / 2;
        centre_y = (row->icon_rect.top + row->icon_rect.bottom) / 2;
        size = std::min(cy * 20 / 33, 15);
    } else {
        centre_x = x0 - indent_ + 8;
        centre_y = (row->label_rect.top + row->label_rect.bottom) / 2;
    }
    const int half = size / 2;
    CRect r(centre_x - half, centre_y - half, centre_x - half + size, centre_y - half + size);
    if (size % 2 == 0) r.InflateRect(0, 0, 1, 1);
    return r;
}

void SECTreeBaseC::DrawDottedLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF back) {
    const COLORREF ink = ::GetSysColor(COLOR_BTNSHADOW);
    if (dc->IsPrinting()) {
        CPen pen(PS_SOLID, 1, ink);
        CPen* old = dc->SelectObject(&pen);
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
        dc->SelectObject(old);
        return;
    }
    // Dots at even positions of the whole list (scrolling included), so they stay put on the items.
    if (y1 == y2) {
        for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x)
            dc->SetPixel(x, y1, ((x + scroll_x_ + y1) & 1) ? back : ink);
    } else {
        for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y)
            dc->SetPixel(x1, y, ((x1 + scroll_x_ + y) & 1) ? back : ink);
    }
}

void SECTreeBaseC::DrawLabel(CDC* dc, _Node* node, const char* text, CRect* rect, BOOL measure) {
    const UINT how = DT_NOPREFIX | DT_EXPANDTABS | (measure ? DT_CALCRECT : 0);
    if (!GetLabelWrap()) {
        // One line: the text up to the first line feed.
        const char* end = std::strchr(text, '\n');
        const int length = end ? int(end - text) : int(std::strlen(text));
        if (measure)
            dc->DrawText(length ? text : " ", length ? length : 1, rect, how | DT_SINGLELINE);
        else
            dc->DrawText(text, length, rect, how | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        return;
    }
    const char* mark = std::strstr(text, kLabelMark);
    if (node) node->has_mark = mark != nullptr;
    if (!mark) {
        dc->DrawText(*text || !measure ? text : " ", -1, rect, how | DT_WORDBREAK);
        return;
    }
    // The text before the mark takes one line; the rest wraps in the area from the mark on, so
    // its continuation lines start under the mark.
    const CString before(text, int(mark - text));
    const CString after(mark + std::strlen(kLabelMark));
    CRect first(rect->left, rect->top, rect->right, rect->top);
    dc->DrawText(before.IsEmpty() ? " " : before.str().c_str(), before.IsEmpty() ? 1 : before.GetLength(), &first,
                 DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
    const int before_width = before.IsEmpty() ? 0 : first.Width();
    if (node) {
        node->before_mark = before;
        node->after_mark = after;
        node->before_mark_width = before_width;
    }
    CRect rest(rect->left + before_width, rect->top, std::max(rect->right, rect->left + before_width + 1),
               measure ? rect->top : rect->bottom);
    if (measure) {
        if (!after.IsEmpty()) dc->DrawText(after.str().c_str(), after.GetLength(), &rest, how | DT_WORDBREAK);
        rect->right = std::max(rect->left + before_width, after.IsEmpty() ? 0 : int(rest.right));
        rect->bottom = std::max(first.bottom, after.IsEmpty() ? 0 : rest.bottom);
        return;
    }
    CRect line(rect->left, rect->top, rect->left + before_width, rect->top + first.Height());
    dc->DrawText(before.str().c_str(), before.GetLength(), &line, how | DT_SINGLELINE);
    dc->DrawText(after.str().c_str(), after.GetLength(), &rest, how | DT_WORDBREAK);
}

void SECTreeBaseC::DrawSubItem(SECListPaintContext* base) {
    auto* pc = static_cast<SECTreePaintContext*>(base);
    if (!pc->node || pc->lvi.iSubItem != 0) {
        SECListBaseC::DrawSubItem(pc);
        return;
    }
    CDC* dc = pc->dc;
    const CRect& cell = pc->cell;
    dc->FillSolidRect(&cell, pc->row_bk_color);
    const SECListItem* row = pc->node->row;
    const int depth = DepthOf(pc->node);
    const bool root_lines = HasRootLines();
    const TreeRowLayout l =
        layout_of(pc, depth, indent_, root_lines, GetImageList(LVSIL_STATE), GetImageList(LVSIL_NORMAL));
    const int left = cell.left;
    // Images.
    if (CImageList* states = GetImageList(LVSIL_STATE); states && !l.state_image.IsRectEmpty()) {
        int index = (pc->tvi.state >> 12) & 0xF;
        if (index >= states->GetImageCount()) index = 0;
        if (index)
            states->Draw(dc, index, CPoint(left + row->state_icon_rect.left, cell.top + row->state_icon_rect.top),
                         ILD_TRANSPARENT);
    }
    if (CImageList* images = GetImageList(LVSIL_NORMAL); images && !l.image.IsRectEmpty()) {
        int index = (pc->lvi.state & LVIS_SELECTED) ? pc->tvi.iSelectedImage : pc->tvi.iImage;
        if (index >= images->GetImageCount() || index < 0) index = 0;
        const UINT overlay = pc->tvi.state & TVIS_OVERLAYMASK;
        images->Draw(dc, index, CPoint(left + row->icon_rect.left, cell.top + row->icon_rect.top),
                     ILD_TRANSPARENT | overlay);
    }
    // Lines and buttons.
    const int y_mid = cell.top + (l.image.IsRectEmpty() ? (row->label_rect.top + row->label_rect.bottom) / 2
                                                        : (row->icon_rect.top + row->icon_rect.bottom) / 2);
    const int line_x = left + l.line_x;
    if (tree_style_ & TVS_HASLINES) {
        const COLORREF back = pc->row_bk_color;
        if (root_lines || depth >= 2) {
            DrawDottedLine(dc, line_x, y_mid, left + (l.image.IsRectEmpty() ? l.label_left - 2 : l.image.left), y_mid,
                           back);
            if (pc->lvi.iItem > 0 || depth >= 2) DrawDottedLine(dc, line_x, cell.top, line_x, y_mid, back);
            if (pc->node->GetNextSibling()) DrawDottedLine(dc, line_x, y_mid, line_x, cell.bottom, back);
        }
        if (pc->node->IsExpanded() && pc->node->GetRawFirstChild()) {
            const int child_x = line_x + indent_;
            const int top = l.image.IsRectEmpty() ? y_mid : cell.top + row->icon_rect.bottom;
            DrawDottedLine(dc, child_x, top, child_x, cell.bottom, back);
        }
        int x = line_x - indent_;
        for (_Node* up = pc->node->parent_node(); up && up != root_.get(); up = up->parent_node(), x -= indent_) {
            if (up->parent_node() == root_.get() && !root_lines) break;
            if (up->GetNextSibling()) DrawDottedLine(dc, x, cell.top, x, cell.bottom, back);
        }
    }
    if (tree_style_ & TVS_HASBUTTONS) {
        CRect button = GetButtonRect(pc);
        if (!button.IsRectEmpty()) {
            button.OffsetRect(left, cell.top);
            CPen frame(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
            CPen ink(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
            CBrush fill(IsWindowEnabled() ? RGB(255, 255, 255) : GetBkColor());
            CPen* old_pen = dc->SelectObject(&frame);
            CBrush* old_brush = dc->SelectObject(&fill);
            dc->Rectangle(&button);
            dc->SelectObject(&ink);
            const CPoint c = button.CenterPoint();
            const int arm = button.Width() / 3;
            dc->MoveTo(c.x - arm + 1, c.y);
            dc->LineTo(c.x + arm, c.y);
            if (!pc->node->IsExpanded() || !pc->node->GetRawFirstChild()) {
                dc->MoveTo(c.x, c.y - arm + 1);
                dc->LineTo(c.x, c.y + arm);
            }
            dc->SelectObject(old_pen);
            dc->SelectObject(old_brush);
        }
    }
    // Label.
    if (pc->lvi.iItem == edited_item_) return;
    CRect label = row->label_rect;
    label.OffsetRect(left, cell.top);
    CRect back(label.left - 3, cell.top, label.right + 3, cell.bottom);
    if (GetColumnCount() >= 2) back.right = std::min(back.right, cell.left + GetColumnWidth(0) - 2);
    if ((list_style_ex_ & LVXS_FULLROWSELECT) && GetColumnCount() >= 1) back.right = cell.right;
    back.top = label.top;
    back.bottom = std::min(label.bottom, cell.bottom);
    dc->FillSolidRect(&back, pc->text_bk_color);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(pc->text_color);
    FontSelection font(dc, pc->label_font);
    CRect text = label;
    text.right = std::min(text.right, back.right - 3);
    text.OffsetRect(0, 1);
    DrawLabel(dc, pc->node, pc->tvi.pszText && pc->tvi.pszText != LPSTR_TEXTCALLBACK ? pc->tvi.pszText : "", &text,
              FALSE);
    if (pc->lvi.iItem == focus_item_ && ::GetFocus() == m_hWnd &&
        !((list_style_ex_ & LVXS_FULLROWSELECT) && GetColumnCount() > 1))
        dc->DrawFocusRect(&back);
}

// ---- hit-testing ----

HTREEITEM SECTreeBaseC::HitTest(CPoint point, UINT* flags) {
    UINT list_flags = 0;
    int column = 0;
    const int row = SECListBaseC::HitTest(point, &list_flags, &column);
    UINT out = 0;
    HTREEITEM item = nullptr;
    if (row >= 0 && (list_flags & LVHT_ONITEM)) {
        _Node* node = NodeOfRow(row);
        const SECListItem* record = GetItemAt(row);
        out = TVHT_ONITEMROW;
        CRect bounds;
        GetSubItemRect(row, 0, &bounds, LVIR_BOUNDS);
        const CPoint local(point.x - GetColumnLeft(0), point.y - bounds.top);
        UINT part = 0;
        if (record->label_rect.PtInRect(local))
            part = TVHT_ONITEMLABEL;
        else if (record->icon_rect.PtInRect(local))
            part = TVHT_ONITEMICON;
        else if (record->state_icon_rect.PtInRect(local))
            part = TVHT_ONITEMSTATEICON;
        else if (tree_style_ & TVS_HASBUTTONS) {
            auto pc = std::make_unique<SECTreePaintContext>(nullptr);
            pc->node = node;
            pc->tvi.cChildren = node->item.cChildren;
            pc->tvi.iImage = node->item.iImage;
            if (GetButtonRect(pc.get()).PtInRect(local)) part = TVHT_ONITEMBUTTON;
        }
        if (!part && column == 0) part = local.x < record->label_rect.left ? TVHT_ONITEMINDENT : TVHT_ONITEMRIGHT;
        out |= part;
        if (part || (list_style_ex_ & LVXS_FULLROWSELECT)) item = HandleOf(node);
    } else {
        if (list_flags & LVHT_ABOVE) out |= TVHT_ABOVE;
        if (list_flags & LVHT_BELOW) out |= TVHT_BELOW;
        if (list_flags & LVHT_TOLEFT) out |= TVHT_TOLEFT;
        if (list_flags & LVHT_TORIGHT) out |= TVHT_TORIGHT;
        if (list_flags & LVHT_COLUMNSEP) out |= 0x1000;
        if (list_flags & LVHT_COLUMNHEADING) out |= 0x2000;
        if (!out) out = TVHT_NOWHERE;
    }
    if (flags) *flags = out;
    return item;
}

// ---- mouse and keys ----

void SECTreeBaseC::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    UINT hit = 0;
    HTREEITEM item = HitTest(point, &hit);
    if (item && (hit & TVHT_ONITEMBUTTON)) {
        Expand(item, TVE_TOGGLE, TRUE);
        return;
    }
    SECListBaseC::OnLButtonDown(flags, point);
}

void SECTreeBaseC::OnLButtonDblClk(UINT flags, CPoint point) {
    SECListBaseC::OnLButtonDblClk(flags, point);
    if (in_modal_state() || (flags & (MK_SHIFT | MK_CONTROL))) return;
    UINT hit = 0;
    HTREEITEM item = HitTest(point, &hit);
    if (item && (hit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON))) Expand(item, TVE_TOGGLE, TRUE);
}

void SECTreeBaseC::OnKeyLeft(int focus) {
    _Node* node = NodeOfRow(focus);
    if (!node) return;
    const bool has_children = node->GetRawFirstChild() || node->item.cChildren > 0;
    if (has_children && node->IsExpanded()) {
        Expand(HandleOf(node), TVE_COLLAPSE, TRUE);
    } else if (node->parent_node() != root_.get()) {
        DeselectAllItems();
        SelectItem(HandleOf(node->parent_node()), TVGN_CARET);
    }
    tip_->Hide();
}

void SECTreeBaseC::OnKeyRight(int focus) {
    _Node* node = NodeOfRow(focus);
    if (!node) return;
    if (node->IsExpanded() && node->GetRawFirstChild()) {
        DeselectAllItems();
        SelectItem(HandleOf(static_cast<_Node*>(node->GetRawFirstChild())), TVGN_CARET);
    } else if (node->GetRawFirstChild() || node->item.cChildren > 0) {
        Expand(HandleOf(node), TVE_EXPAND, TRUE);
    }
    tip_->Hide();
}

void SECTreeBaseC::OnKeyMultiply(int focus) {
    if (_Node* node = NodeOfRow(focus)) ExpandAll(HandleOf(node), TRUE);
    tip_->Hide();
}

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECTreeBaseC)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_DESTROY()
END_MESSAGE_MAP()
