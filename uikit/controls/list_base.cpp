// SECListBaseC: the item and column model, selection, styles, colours and
// notifications.
#include "uikit/controls/list_base.h"

#include <algorithm>
#include <cstring>

#include "uikit/controls/text_copy.h"

IMPLEMENT_DYNAMIC(SECListBaseC, CWnd)

namespace {

// Position of `index` in the ascending selection and whether it is there.
std::pair<std::size_t, bool> find_selected(const std::vector<int>& selection, int index) {
    auto at = std::lower_bound(selection.begin(), selection.end(), index);
    return {std::size_t(at - selection.begin()), at != selection.end() && *at == index};
}

// Gives the record an empty sub-item for each sub-item column it lacks.
void pad_sub_items(SECListItem& record, int columns) {
    while (int(record.sub_items.size()) < columns) record.sub_items.push_back(std::make_unique<SECListSubItem>());
}

// Sets or clears the one item that holds a mark (the focus, the drop
// highlight); true when the mark moved.
bool move_mark(int& holder, int index, bool set) {
    const int before = holder;
    if (set)
        holder = index;
    else if (holder == index)
        holder = -1;
    return before != holder;
}

}  // namespace

SECListBaseC::SECListBaseC()
    : text_buffer_(kListTextBufferSize, '\0'),
      tip_(std::make_unique<SECListTip>(this)),
      edit_(std::make_unique<SECListEdit>(this)) {
    use_sys_colors_ = TRUE;
    LoadColors();
    use_sys_colors_ = FALSE;
}

SECListBaseC::~SECListBaseC() {
    if (m_hWnd) DestroyWindow();
    for (int type = 0; type < 3; ++type)
        if (owns_image_list_[type]) delete image_lists_[type];
}

void SECListBaseC::LoadColors() {
    if (!use_sys_colors_) return;
    text_color_ = ::GetSysColor(COLOR_WINDOWTEXT);
    text_bk_color_ = ::GetSysColor(COLOR_WINDOW);
    sel_text_color_ = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    sel_bk_color_ = ::GetSysColor(COLOR_HIGHLIGHT);
    gray_text_color_ = ::GetSysColor(COLOR_GRAYTEXT);
    item_field_color_ = ::GetSysColor(COLOR_WINDOW);
    sel_item_field_color_ = ::GetSysColor(COLOR_WINDOW);
    tip_bk_color_ = ::GetSysColor(COLOR_INFOBK);
    tip_text_color_ = ::GetSysColor(COLOR_INFOTEXT);
    bk_color_ = ::GetSysColor(COLOR_WINDOW);
}

// ---- creation ----

BOOL SECListBaseC::CreateEx(DWORD style, DWORD ex_style, const RECT& rect, CWnd* parent, UINT id, CCreateContext*) {
    return DoCreateWindow(style, ex_style, rect, parent ? parent->m_hWnd : nullptr, id);
}

BOOL SECListBaseC::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context) {
    return CreateEx(style, 0, rect, parent, id, context);
}

BOOL SECListBaseC::PreCreateStyles(CREATESTRUCT& cs) {
    list_style_ |= DWORD(cs.style) & LVS_CREATION_MASK;
    cs.style = LONG(DWORD(cs.style) & ~LVS_CREATION_MASK);
    list_style_ex_ |= cs.dwExStyle & LVXS_CREATION_MASK;
    cs.dwExStyle &= ~LVXS_CREATION_MASK;
    return TRUE;
}

BOOL SECListBaseC::DoCreateWindow(DWORD style, DWORD ex_style, const RECT& rect, HWND parent, UINT id) {
    CREATESTRUCT cs{};
    cs.style = LONG(style);
    cs.dwExStyle = ex_style;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(std::uintptr_t(id));
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    PreCreateStyles(cs);
    return CWnd::CreateEx(cs.dwExStyle, cs.lpszClass, "", DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                          cs.hMenu, nullptr);
}

BOOL SECListBaseC::SubclassDlgItem(UINT id, CWnd* parent) { return ReplaceDlgItem(id, parent, WS_BORDER, 0); }

// The dialog's control gives way to this window with its id, place, styles
// (plus the extra ones) and tab order.
BOOL SECListBaseC::ReplaceDlgItem(UINT id, CWnd* parent, DWORD extra_style, DWORD extra_ex_style) {
    if (!parent) return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, int(id));
    if (!control) return FALSE;
    const DWORD style = DWORD(::GetWindowLong(control, GWL_STYLE)) | extra_style;
    const DWORD ex_style = DWORD(::GetWindowLong(control, GWL_EXSTYLE)) | extra_ex_style;
    CRect rect;
    ::GetWindowRect(control, &rect);
    parent->ScreenToClient(&rect);
    HWND before = ::GetWindow(control, GW_HWNDPREV);
    ::DestroyWindow(control);
    if (!CreateEx(style, ex_style, rect, parent, id)) return FALSE;
    ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

CScrollBar* SECListBaseC::GetScrollBarCtrl(int bar) const {
    const int slot = bar == SB_VERT ? 1 : 0;
    return bars_[slot] && bars_[slot]->m_hWnd ? bars_[slot].get() : nullptr;
}

int SECListBaseC::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    divider_cursor_ = ::LoadCursor(nullptr, IDC_SIZEWE);
    if ((list_style_ & LVS_TYPEMASK) != LVS_REPORT) {
        list_style_ |= LVS_NOCOLUMNHEADER;
        if (columns_.empty()) InsertColumn(0, "", LVCFMT_LEFT, 20, 0, FALSE);
    }
    return 0;
}

void SECListBaseC::OnDestroy() {
    EndLabelEdit(TRUE);
    if (tip_->m_hWnd) tip_->DestroyWindow();
    DeleteAllItems();
    DeleteAllColumns();
    for (int type = 0; type < 3; ++type) {
        if (owns_image_list_[type]) delete image_lists_[type];
        image_lists_[type] = nullptr;
        owns_image_list_[type] = FALSE;
    }
    CWnd::OnDestroy();
}

void SECListBaseC::OnSysColorChange() {
    LoadColors();
    Invalidate();
}

// ---- colours and fonts ----

COLORREF SECListBaseC::GetBkColor() const {
    return m_hWnd && !IsWindowEnabled() ? ::GetSysColor(COLOR_MENU) : bk_color_;
}

void SECListBaseC::SetBkColor(COLORREF c) {
    bk_color_ = c;
    SetTextBkColor(c);
}

CFont* SECListBaseC::GetHeaderFont() const { return header_font_; }
CFont* SECListBaseC::GetLabelFont() const { return label_font_; }

void SECListBaseC::SetLabelFont(CFont* font) {
    label_font_ = font;
    if (edit_->m_hWnd && font) edit_->SetFont(font);
    if (m_hWnd) InvalidateAllHeights();
}

// ---- columns ----

SECListColumn* SECListBaseC::GetColumnAt(int column) const {
    return column >= 0 && std::size_t(column) < columns_.size() ? columns_[std::size_t(column)].get() : nullptr;
}

int SECListBaseC::GetColumnSubItem(int column) const {
    const SECListColumn* record = GetColumnAt(column);
    return record ? record->sub_item : -1;
}

int SECListBaseC::AppendColumnText(const char* heading, int fmt, int width, int sub_item) {
    return InsertColumn(GetColumnCount(), heading, fmt, width, sub_item);
}

int SECListBaseC::InsertColumnEx(int index, const LV_COLUMN* column, BOOL redraw) {
    if (!column) return -1;
    return InsertColumn(index, (column->mask & LVCF_TEXT) && column->pszText ? column->pszText : "",
                        (column->mask & LVCF_FMT) ? column->fmt : 0, (column->mask & LVCF_WIDTH) ? column->cx : -1,
                        (column->mask & LVCF_SUBITEM) ? column->iSubItem : -1, redraw);
}

int SECListBaseC::InsertColumn(int index, const char* heading, int fmt, int width, int sub_item, BOOL redraw) {
    auto record = std::make_unique<SECListColumn>();
    record->heading = heading;
    record->fmt = fmt;
    record->width = width;
    record->sub_item = sub_item;
    return InsertColumnRecord(index, std::move(record), redraw);
}

int SECListBaseC::InsertColumnRecord(int index, std::unique_ptr<SECListColumn> record, BOOL redraw) {
    EndLabelEdit(TRUE);
    tip_->Hide();
    index = std::clamp(index, 0, GetColumnCount());
    if (index == 0) {
        record->fmt = LVCFMT_LEFT;
        record->sub_item = 0;
    } else if (record->sub_item == 0) {
        record->sub_item = -1;  // only the first column shows the item itself
    }
    if (record->width < 0) record->width = 10;
    SECListColumn* column = record.get();
    columns_.insert(columns_.begin() + index, std::move(record));
    if (column->sub_item == -1 || column->sub_item > sub_item_columns_) {
        column->sub_item = ++sub_item_columns_;
        for (auto& item : items_) pad_sub_items(*item, sub_item_columns_);
    }
    if (redraw && redraw_on_insert_ && m_hWnd) {
        if (list_style_ex_ & LVXS_FITCOLUMNS) FitMainColumn();
        InvalidateAllHeights();
        Invalidate();
    }
    return index;
}

BOOL SECListBaseC::DeleteColumn(int column) {
    SECListColumn* record = GetColumnAt(column);
    if (!record) return FALSE;
    EndLabelEdit(TRUE);
    tip_->Hide();
    const int sub_item = record->sub_item;
    if (sub_item >= 1) {
        for (auto& item : items_)
            if (std::size_t(sub_item) <= item->sub_items.size())
                item->sub_items.erase(item->sub_items.begin() + (sub_item - 1));
        --sub_item_columns_;
        for (auto& other : columns_)
            if (other->sub_item > sub_item) --other->sub_item;
        if (!(list_style_ex_ & LVXS_KEEPDELETEDWIDTH))
            for (auto& other : columns_)
                if (other->sub_item == 0 && other.get() != record) other->width += record->width;
    }
    // The main column goes with its place; the list never makes another column the main one.
    columns_.erase(columns_.begin() + column);
    if (current_column_ >= GetColumnCount()) current_column_ = 0;
    return TRUE;
}

BOOL SECListBaseC::DeleteColumnByHeading(const char* heading) {
    int index = -1, sub_item = -1;
    return FindColumn(heading, &index, &sub_item) && DeleteColumn(index);
}

void SECListBaseC::DeleteAllColumns() {
    EndLabelEdit(TRUE);
    columns_.clear();
    for (auto& item : items_) item->sub_items.clear();
    sub_item_columns_ = 0;
    current_column_ = 0;
    if (m_hWnd) UpdateLayout();
}

BOOL SECListBaseC::GetColumn(int column, LV_COLUMN* out) const {
    const SECListColumn* record = GetColumnAt(column);
    if (!record || !out) return FALSE;
    if (out->mask & LVCF_FMT) out->fmt = record->fmt;
    if (out->mask & LVCF_WIDTH) out->cx = record->width;
    if (out->mask & LVCF_TEXT) uikit::copy_text_out(out->pszText, out->cchTextMax, record->heading.str());
    if (out->mask & LVCF_SUBITEM) out->iSubItem = record->sub_item;
    return TRUE;
}

BOOL SECListBaseC::SetColumn(int column, const LV_COLUMN* in, BOOL redraw) {
    SECListColumn* record = GetColumnAt(column);
    if (!record || !in) return FALSE;
    if (in->mask & LVCF_FMT) record->fmt = column == 0 ? 0 : in->fmt;
    if (in->mask & LVCF_WIDTH) record->width = std::max(in->cx, 0);
    if ((in->mask & LVCF_TEXT) && in->pszText) record->heading = in->pszText;
    if (redraw && m_hWnd) {
        InvalidateAllHeights();
        if (list_style_ex_ & LVXS_FITCOLUMNS) FitMainColumn();
        Invalidate();
    }
    return TRUE;
}

int SECListBaseC::GetColumnLeft(int column) const {
    int left = -scroll_x_;
    for (int i = 0; i < column && i < GetColumnCount(); ++i) left += columns_[std::size_t(i)]->width;
    return left;
}

int SECListBaseC::GetColumnRight(int column) const { return GetColumnLeft(column) + GetColumnWidth(column); }

BOOL SECListBaseC::SetColumnWidth(int column, int width) {
    SECListColumn* record = GetColumnAt(column);
    if (!record) return FALSE;
    record->width = std::max(width, 0);
    return TRUE;
}

int SECListBaseC::GetColumnWidth(int column) const {
    if (const SECListColumn* record = GetColumnAt(column)) return record->width;
    CRect inside;
    GetInsideRect(&inside);
    return inside.Width();
}

BOOL SECListBaseC::SetColumnFormat(int column, int fmt) {
    SECListColumn* record = GetColumnAt(column);
    if (!record) return FALSE;
    record->fmt = column == 0 ? 0 : fmt;
    return TRUE;
}

int SECListBaseC::GetColumnFormat(int column) const {
    const SECListColumn* record = GetColumnAt(column);
    return record ? record->fmt : 0;
}

BOOL SECListBaseC::SetColumnHeading(int column, const char* heading) {
    SECListColumn* record = GetColumnAt(column);
    if (!record) return FALSE;
    record->heading = heading;
    if (m_hWnd && header_height_ > 0) {
        CRect band(0, 0, 0, header_height_);
        CRect client;
        GetClientRect(&client);
        band.right = client.right;
        InvalidateRect(&band, FALSE);
    }
    return TRUE;
}

CString SECListBaseC::GetColumnHeading(int column) const {
    const SECListColumn* record = GetColumnAt(column);
    return record ? record->heading : CString();
}

BOOL SECListBaseC::FindColumn(const char* heading, int* index, int* sub_item) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i]->heading == heading) {
            if (index) *index = int(i);
            if (sub_item) *sub_item = columns_[i]->sub_item;
            return TRUE;
        }
    }
    return FALSE;
}

int SECListBaseC::GetColumnByHeading(const char* heading) const {
    int index = -1;
    FindColumn(heading, &index, nullptr);
    return index;
}

// ---- item records ----

std::unique_ptr<SECListItem> SECListBaseC::CreateItemRecord() {
    auto record = std::make_unique<SECListItem>();
    CreateSubItems(record.get());
    return record;
}

void SECListBaseC::CreateSubItems(SECListItem* record) {
    record->sub_items.clear();
    pad_sub_items(*record, sub_item_columns_);
}

int SECListBaseC::IndexOfRecord(const SECListItem* record) const {
    if (!record) return -1;
    const int hint = record->index_hint;
    if (hint >= 0 && std::size_t(hint) < items_.size() && items_[std::size_t(hint)].get() == record) return hint;
    // The hint is stale: renumber every record once, so the next lookups are direct again.
    int found = -1;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->index_hint = int(i);
        if (items_[i].get() == record) found = int(i);
    }
    return found;
}

int SECListBaseC::IndexOfSerial(std::uint64_t serial) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->serial == serial) return int(i);
    return -1;
}

LPARAM SECListBaseC::GetItemParam(int item) const {
    const SECListItem* record = GetItemAt(item);
    return record ? record->param : 0;
}

// ---- setting and getting items ----

BOOL SECListBaseC::SetItem(const LV_ITEM* lvi, BOOL redraw) {
    SECListItem* record = lvi ? GetItemAt(lvi->iItem) : nullptr;
    if (!record) return FALSE;
    const int index = lvi->iItem;
    UINT for_owner = 0;
    BOOL changed = FALSE, drop_changed = FALSE, text_changed = FALSE;
    if (lvi->mask & LVIF_TEXT) {
        ItemText* text = nullptr;
        if (lvi->iSubItem == 0)
            text = &record->text;
        else if (SECListSubItem* sub = record->sub_item(lvi->iSubItem))
            text = &sub->text;
        if (text) {
            if (lvi->pszText == LPSTR_TEXTCALLBACK) {
                text->assign(LPSTR_TEXTCALLBACK);
                for_owner |= LVIF_TEXT;
            } else if (text->is_callback() && !(lvi->mask & LVIF_DI_SETITEM)) {
                for_owner |= LVIF_TEXT;
            } else {
                text->assign(lvi->pszText);
            }
            text_changed = changed = TRUE;
        }
    }
    if (lvi->mask & LVIF_IMAGE) {
        int& image = lvi->iSubItem == 0 || !record->sub_item(lvi->iSubItem) ? record->image
                                                                            : record->sub_item(lvi->iSubItem)->image;
        if (image == I_IMAGECALLBACK && !(lvi->mask & LVIF_DI_SETITEM))
            for_owner |= LVIF_IMAGE;
        else
            image = lvi->iImage;
    }
    if (lvi->mask & LVIF_STATE) {
        const UINT mask = lvi->stateMask;
        if (mask & LVIS_SELECTED) {
            auto [at, present] = find_selected(selection_, index);
            const bool want = (lvi->state & LVIS_SELECTED) != 0;
            if (want && !present) selection_.insert(selection_.begin() + std::ptrdiff_t(at), index);
            if (!want && present) selection_.erase(selection_.begin() + std::ptrdiff_t(at));
            changed |= want != present;
        }
        if (mask & LVIS_FOCUSED) changed |= move_mark(focus_item_, index, lvi->state & LVIS_FOCUSED);
        if (mask & LVIS_DROPHILITED) {
            drop_changed = move_mark(drop_item_, index, lvi->state & LVIS_DROPHILITED);
            changed |= drop_changed;
        }
        const UINT own = mask & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        const UINT merged = (record->state & ~own) | (lvi->state & own);
        changed |= merged != record->state;
        record->state = merged;
    }
    if (lvi->mask & LVIF_PARAM) record->param = lvi->lParam;
    if (for_owner) {
        LV_ITEM copy = *lvi;
        copy.mask = for_owner;
        OnSetDispInfo(&copy);
    }
    if (!(lvi->mask & (LVIF_TEXT | LVIF_STATE))) return TRUE;
    if (text_changed && m_hWnd) record->row_height = -1;
    if (redraw && changed && index != edited_item_ && m_hWnd) InvalidateItem(index, FALSE, TRUE, FALSE, drop_changed);
    return TRUE;
}

BOOL SECListBaseC::SetItemFields(int item, int sub_item, UINT mask, const char* text, int image, UINT state,
                                 UINT state_mask, LPARAM param) {
    LV_ITEM lvi{};
    lvi.mask = mask;
    lvi.iItem = item;
    lvi.iSubItem = sub_item;
    lvi.pszText = const_cast<char*>(text);
    lvi.iImage = image;
    lvi.state = state;
    lvi.stateMask = state_mask;
    lvi.lParam = param;
    return SetItem(&lvi);
}

BOOL SECListBaseC::SetItemEx(int item, int, UINT state, UINT mask) {
    SECListItem* record = GetItemAt(item);
    if (!record) return FALSE;
    const UINT merged = (record->ex_state & ~mask) | (state & mask);
    if (merged == record->ex_state) return TRUE;
    record->ex_state = merged;
    if (m_hWnd && item != edited_item_) InvalidateItemHeight(item);
    return TRUE;
}

UINT SECListBaseC::GetItemEx(int item, int sub_item, UINT mask) {
    const SECListItem* record = GetItemAt(item);
    if (!record) return 0;
    if (callback_mask_ex_) return OnGetDispInfoEx(item, sub_item, mask);
    return record->ex_state & mask;
}

BOOL SECListBaseC::GetItem(LV_ITEM* lvi, BOOL copy_text, BOOL notify) {
    SECListItem* record = lvi ? GetItemAt(lvi->iItem) : nullptr;
    if (!record) return FALSE;
    UINT for_owner = 0;
    if (lvi->mask & LVIF_TEXT) {
        const ItemText* text = nullptr;
        if (lvi->iSubItem == 0)
            text = &record->text;
        else if (const SECListSubItem* sub = record->sub_item(lvi->iSubItem))
            text = &sub->text;
        if (!text || text->is_callback()) {
            for_owner |= LVIF_TEXT;
            if (!notify)
                lvi->pszText = LPSTR_TEXTCALLBACK;
            else if (lvi->pszText && lvi->pszText != LPSTR_TEXTCALLBACK && lvi->cchTextMax > 0)
                lvi->pszText[0] = 0;
        } else if (copy_text) {
            uikit::copy_text_out(lvi->pszText, lvi->cchTextMax, text->view());
        } else {
            lvi->pszText = const_cast<char*>(text->kind == ItemText::Kind::value ? text->value.c_str() : "");
        }
    }
    if (lvi->mask & LVIF_IMAGE) {
        const SECListSubItem* sub = lvi->iSubItem ? record->sub_item(lvi->iSubItem) : nullptr;
        lvi->iImage = sub ? sub->image : record->image;
        if (lvi->iImage == I_IMAGECALLBACK) for_owner |= LVIF_IMAGE;
    }
    if (lvi->mask & LVIF_STATE) {
        if (callback_mask_) for_owner |= LVIF_STATE;
        UINT state = record->state & lvi->stateMask;
        if ((lvi->stateMask & LVIS_SELECTED) && find_selected(selection_, lvi->iItem).second) state |= LVIS_SELECTED;
        if ((lvi->stateMask & LVIS_FOCUSED) && focus_item_ == lvi->iItem) state |= LVIS_FOCUSED;
        if ((lvi->stateMask & LVIS_DROPHILITED) && drop_item_ == lvi->iItem) state |= LVIS_DROPHILITED;
        lvi->state = state;
    }
    if ((lvi->mask & LVIF_PARAM) || for_owner) lvi->lParam = record->param;
    if (notify && for_owner) {
        const UINT asked = lvi->mask;
        lvi->mask = for_owner;
        NotifyGetDispInfo(lvi);
        lvi->mask = asked | (lvi->mask & LVIF_DI_SETITEM);
        // What the owner wrote is ours to bound: always terminated.
        if ((for_owner & LVIF_TEXT) && lvi->pszText && lvi->pszText != LPSTR_TEXTCALLBACK && lvi->cchTextMax > 0) {
            const int length = int(strnlen(lvi->pszText, std::size_t(lvi->cchTextMax)));
            lvi->pszText[uikit::cut_on_character(std::string_view(lvi->pszText, std::size_t(length)),
                                                 lvi->cchTextMax - 1)] = '\0';
        }
    }
    return TRUE;
}

BOOL SECListBaseC::SetItemText(int item, int sub_item, const char* text) {
    return SetItemFields(item, sub_item, LVIF_TEXT, text, 0, 0, 0, 0);
}

int SECListBaseC::GetItemText(int item, int sub_item, char* out, int size) {
    if (!out || size < 1) return 0;
    out[0] = 0;
    LV_ITEM lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.iSubItem = sub_item;
    lvi.pszText = out;
    lvi.cchTextMax = size;
    if (!GetItem(&lvi)) return 0;
    if (lvi.pszText != out) return uikit::copy_text_out(out, size, lvi.pszText ? lvi.pszText : "");
    return int(std::strlen(out));
}

CString SECListBaseC::GetItemText(int item, int sub_item) {
    const int length = GetItemText(item, sub_item, text_buffer_.data(), int(text_buffer_.size()));
    return CString(text_buffer_.data(), length);
}

void SECListBaseC::GetSubItemText(CString& out, int item, int column) {
    out = GetItemText(item, GetColumnSubItem(column) < 0 ? 0 : GetColumnSubItem(column));
}

BOOL SECListBaseC::IsCallbackItem(int item) const {
    const SECListItem* record = GetItemAt(item);
    if (!record) return FALSE;
    if (record->text.is_callback() || record->image == I_IMAGECALLBACK) return TRUE;
    for (const auto& sub : record->sub_items)
        if (sub->text.is_callback() || sub->image == I_IMAGECALLBACK) return TRUE;
    return FALSE;
}

// ---- insertion and deletion ----

int SECListBaseC::InsertItemRecord(int index, std::unique_ptr<SECListItem> record) {
    std::vector<std::unique_ptr<SECListItem>> one;
    one.push_back(std::move(record));
    index = std::clamp(index, 0, GetItemCount());
    InsertItemRecords(index, std::move(one));
    return index;
}

void SECListBaseC::InsertItemRecords(int index, std::vector<std::unique_ptr<SECListItem>> records) {
    if (records.empty()) return;
    index = std::clamp(index, 0, GetItemCount());
    const int count = int(records.size());
    for (int i = 0; i < count; ++i) {
        pad_sub_items(*records[std::size_t(i)], sub_item_columns_);
        records[std::size_t(i)]->index_hint = index + i;
        records[std::size_t(i)]->serial = next_serial_++;
    }
    const bool at_end = index == GetItemCount();
    items_.insert(items_.begin() + index, std::make_move_iterator(records.begin()),
                  std::make_move_iterator(records.end()));
    if (!at_end) {
        if (focus_item_ >= index) focus_item_ += count;
        if (drop_item_ >= index) drop_item_ += count;
        if (anchor_item_ >= index) anchor_item_ += count;
        if (edited_item_ >= index) edited_item_ += count;
        for (int& selected : selection_)
            if (selected >= index) selected += count;
    }
    if (focus_item_ < 0) SelectAndFocusItem(0, TRUE);
    if (m_hWnd) RepaintAfterInsert();
}

void SECListBaseC::RepaintAfterInsert() {
    // A visible list shows the new rows and its bars at the next paint, which brings the layout up to date first.
    layout_dirty_ = TRUE;
    if (IsWindowVisible()) Invalidate(FALSE);
}

int SECListBaseC::InsertItem(const LV_ITEM* lvi) {
    if (!lvi) return -1;
    const int index = InsertItemRecord(lvi->iItem, CreateItemRecord());
    LV_ITEM copy = *lvi;
    copy.iItem = index;
    copy.iSubItem = 0;
    SetItem(&copy, redraw_on_insert_);
    if (redraw_on_insert_ && m_hWnd) UpdateLayout();
    return index;
}

int SECListBaseC::InsertItemFields(UINT mask, int index, const char* text, UINT state, UINT state_mask, int image,
                                   LPARAM param) {
    LV_ITEM lvi{};
    lvi.mask = mask;
    lvi.iItem = index;
    lvi.pszText = const_cast<char*>(text);
    lvi.state = state;
    lvi.stateMask = state_mask;
    lvi.iImage = image;
    lvi.lParam = param;
    return InsertItem(&lvi);
}

int SECListBaseC::InsertItemText(int index, const char* text) {
    return InsertItemFields(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

BOOL SECListBaseC::DeleteItems(int index, int count) {
    if (!GetItemAt(index) || count < 1) return FALSE;
    count = std::min(count, GetItemCount() - index);
    // The owner may change the list from inside the notices below (even empty it): the run is
    // known by its records' serials, and what is left of it afterwards is what goes.
    std::vector<std::uint64_t> run;
    run.reserve(std::size_t(count));
    for (int i = index; i < index + count; ++i) run.push_back(items_[std::size_t(i)]->serial);
    if (edited_item_ >= index && edited_item_ < index + count) EndLabelEdit(FALSE);
    if (m_hWnd) InvalidateItem(std::max(index - 1, 0), FALSE, TRUE, TRUE);
    if (GetItemAt(index)) NotifyDeleteItem(index);
    EraseRecords(index, run);
    if (m_hWnd) UpdateLayout();
    return TRUE;
}

void SECListBaseC::EraseRecords(int index, const std::vector<std::uint64_t>& serials) {
    const int count = int(serials.size());
    const auto in_place = [&] {
        if (index < 0 || index + count > GetItemCount()) return false;
        for (int i = 0; i < count; ++i)
            if (items_[std::size_t(index + i)]->serial != serials[std::size_t(i)]) return false;
        return true;
    };
    if (in_place()) {
        EraseRows(index, count);
        return;
    }
    // The list changed meanwhile: what is left of the records goes, run by run from the end, so
    // the runs before keep their indices.
    std::vector<std::uint64_t> ours = serials;
    std::sort(ours.begin(), ours.end());
    const auto is_ours = [&](int i) {
        return std::binary_search(ours.begin(), ours.end(), items_[std::size_t(i)]->serial);
    };
    for (int end = GetItemCount(); end > 0;) {
        if (!is_ours(end - 1)) {
            --end;
            continue;
        }
        int start = end - 1;
        while (start > 0 && is_ours(start - 1)) --start;
        EraseRows(start, end - start);
        end = start;
    }
}

void SECListBaseC::EraseRows(int index, int count) {
    items_.erase(items_.begin() + index, items_.begin() + index + count);
    ApplyDeleteFixups(index, count);
}

void SECListBaseC::ApplyDeleteFixups(int index, int count) {
    const int remaining = GetItemCount();
    const int end = index + count;
    top_index_ = std::clamp(top_index_, 0, std::max(remaining - 1, 0));
    const auto moved = [&](int i, int inside) { return i < index ? i : i >= end ? i - count : inside; };
    // The focus keeps the run's first index while a row is there; from inside the run it goes to
    // the row before it (row 0 when the run began the list), so it is never lost while rows remain.
    const auto moved_caret = [&](int i) {
        if (i < 0) return i;
        if (i == index && index < remaining) return index;
        const int to = std::min(moved(i, index - 1), remaining - 1);
        return remaining > 0 ? std::max(to, 0) : -1;
    };
    focus_item_ = moved_caret(focus_item_);
    anchor_item_ = moved_caret(anchor_item_);
    // A drop highlight inside the run is gone with its row.
    if (drop_item_ >= 0) drop_item_ = moved(drop_item_, -1);
    if (armed_edit_item_ >= 0) armed_edit_item_ = moved(armed_edit_item_, -1);
    if (edited_item_ >= 0) edited_item_ = moved(edited_item_, -1);
    std::vector<int> kept;
    kept.reserve(selection_.size());
    for (int selected : selection_)
        if (selected < index || selected >= end) kept.push_back(selected < index ? selected : selected - count);
    selection_ = std::move(kept);
    if (selection_.empty() && focus_item_ >= 0) SelectAndFocusItem(focus_item_, TRUE);
}

BOOL SECListBaseC::DeleteAllItems() {
    CancelEditTimer();
    EndLabelEdit(FALSE);
    items_.clear();
    selection_.clear();
    top_index_ = 0;
    focus_item_ = anchor_item_ = drop_item_ = armed_edit_item_ = -1;
    if (m_hWnd) {
        UpdateLayout();
        Invalidate();
    }
    return TRUE;
}

// ---- selection ----

BOOL SECListBaseC::IsItemSelected(int item) const { return item >= 0 && find_selected(selection_, item).second; }

BOOL SECListBaseC::SetItemState(int item, UINT state, UINT mask) {
    LV_ITEM lvi{};
    lvi.mask = LVIF_STATE;
    lvi.iItem = item;
    lvi.state = state;
    lvi.stateMask = mask;
    return SetItem(&lvi);
}

UINT SECListBaseC::GetItemState(int item, UINT mask) {
    LV_ITEM lvi{};
    lvi.mask = LVIF_STATE;
    lvi.iItem = item;
    lvi.stateMask = mask;
    return GetItem(&lvi, FALSE, FALSE) ? lvi.state : 0;
}

BOOL SECListBaseC::SetItemData(int item, LPARAM data) {
    LV_ITEM lvi{};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = item;
    lvi.lParam = data;
    return SetItem(&lvi);
}

BOOL SECListBaseC::SelectItem(int item, BOOL select) {
    if (!GetItemAt(item)) return FALSE;
    if (select && !IsMultiSelect()) DeselectAllItems(item);
    return SetItemState(item, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

BOOL SECListBaseC::SelectAndFocusItem(int item, BOOL select) {
    if (item < 0 || !GetItemAt(item)) return FALSE;
    if (!IsMultiSelect()) DeselectAllItems(item);
    if (focus_item_ >= 0 && focus_item_ != item) SetItemState(focus_item_, 0, LVIS_FOCUSED);
    SetItemState(item, LVIS_FOCUSED | (select ? LVIS_SELECTED : 0), LVIS_FOCUSED | LVIS_SELECTED);
    anchor_item_ = focus_item_;
    return TRUE;
}

BOOL SECListBaseC::SetFocusItem(int item) {
    if (item < 0 || !GetItemAt(item)) return FALSE;
    if (focus_item_ >= 0 && focus_item_ != item) SetItemState(focus_item_, 0, LVIS_FOCUSED);
    SetItemState(item, LVIS_FOCUSED, LVIS_FOCUSED);
    anchor_item_ = focus_item_;
    return TRUE;
}

void SECListBaseC::DeselectAllItems(int keep) {
    for (std::size_t i = selection_.size(); i-- > 0;) {
        if (i >= selection_.size()) continue;
        const int item = selection_[i];
        if (item != keep) SetItemState(item, 0, LVIS_SELECTED);
    }
}

void SECListBaseC::SelectItemRange(int first, int last, BOOL select) {
    if (first > last) std::swap(first, last);
    for (int i = std::max(first, 0); i <= last && i < GetItemCount(); ++i) SelectItem(i, select);
}

void SECListBaseC::SetDropHiliteItem(int item) {
    if (drop_item_ >= 0) SetItemState(drop_item_, 0, LVIS_DROPHILITED);
    if (item >= 0) SetItemState(item, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

int SECListBaseC::GetNextItem(int start, UINT flags) const {
    const UINT states = flags & 0x0F;
    const bool backwards = (flags & (LVNI_ABOVE | LVNI_TOLEFT)) != 0;
    const bool forwards = (flags & (LVNI_BELOW | LVNI_TORIGHT)) != 0;
    if (!backwards && !forwards && (flags & ~0x0Fu)) return -1;
    const int count = GetItemCount();
    const int step = backwards ? -1 : 1;
    const auto has_state = [&](int i) {
        return ((states & LVNI_SELECTED) && find_selected(selection_, i).second) ||
               ((states & LVNI_FOCUSED) && focus_item_ == i) || ((states & LVNI_DROPHILITED) && drop_item_ == i) ||
               ((states & LVNI_CUT) && (items_[std::size_t(i)]->state & LVIS_CUT));
    };
    if (!states) {
        const int next = start + step;
        return next >= 0 && next < count ? next : -1;
    }
    // Selected rows are found through the selection, not by visiting every row.
    if (states == LVNI_SELECTED) {
        if (backwards) {
            auto at = std::lower_bound(selection_.begin(), selection_.end(), start);
            return at == selection_.begin() ? -1 : *(at - 1);
        }
        auto at = std::upper_bound(selection_.begin(), selection_.end(), start);
        return at == selection_.end() ? -1 : *at;
    }
    for (int i = start + step; i >= 0 && i < count; i += step)
        if (has_state(i)) return i;
    return -1;
}

// ---- image lists ----

CImageList* SECListBaseC::GetImageList(int type) const { return type >= 0 && type < 3 ? image_lists_[type] : nullptr; }

CImageList* SECListBaseC::SetImageList(CImageList* list, int type) {
    if (type < 0 || type > 2) return nullptr;
    CImageList* previous = image_lists_[type];
    if (owns_image_list_[type]) {
        delete previous;
        previous = nullptr;
    }
    owns_image_list_[type] = FALSE;
    image_lists_[type] = list;
    if (list && !(list_style_ & LVS_SHAREIMAGELISTS)) {
        // The list keeps its own copy, so the caller may delete theirs.
        auto* copy = new CImageList;
        copy->m_hImageList = ImageList_Duplicate(list->m_hImageList);
        image_lists_[type] = copy;
        owns_image_list_[type] = TRUE;
    }
    if (m_hWnd) InvalidateAllHeights();
    return previous;
}

// ---- styles ----

void SECListBaseC::SetListCtrlStyle(DWORD style, BOOL redraw) {
    EndLabelEdit(TRUE);
    CancelEditTimer();
    tip_->Hide();
    list_style_ = style;
    if (redraw && m_hWnd) {
        InvalidateAllHeights();
        Invalidate();
    }
}

void SECListBaseC::SetListCtrlStyleEx(DWORD style, BOOL redraw) {
    EndLabelEdit(TRUE);
    tip_->Hide();
    const bool fit = (style & LVXS_FITCOLUMNS) && !(list_style_ex_ & LVXS_FITCOLUMNS);
    list_style_ex_ = style;
    if (fit && m_hWnd) FitMainColumn();
    if (redraw && m_hWnd) {
        InvalidateAllHeights();
        Invalidate();
    }
}

void SECListBaseC::EnableLabelWrap(BOOL wrap) {
    ModifyListBaseStyle(wrap ? LVS_NOLABELWRAP : 0, wrap ? 0 : LVS_NOLABELWRAP);
}

void SECListBaseC::EnableLabelTips(BOOL tips) {
    ModifyListCtrlStyle(tips ? 0 : LVXS_LABELTIPS, tips ? LVXS_LABELTIPS : 0);
}

void SECListBaseC::EnableMultiSelect(BOOL multi) {
    ModifyListBaseStyle(multi ? LVS_SINGLESEL : 0, multi ? 0 : LVS_SINGLESEL);
    if (!multi && selection_.size() > 1) DeselectAllItems();
}

void SECListBaseC::ShowHeader(BOOL show) {
    ModifyListBaseStyle(show ? LVS_NOCOLUMNHEADER : 0, show ? 0 : LVS_NOCOLUMNHEADER);
    if (m_hWnd) UpdateLayout();
}

// ---- notifications ----

CWnd* SECListBaseC::GetNotifyWnd() const { return notify_wnd_ ? notify_wnd_ : GetParent(); }

LRESULT SECListBaseC::SendNotify(NMHDR* header, UINT code) {
    header->hwndFrom = m_hWnd;
    header->idFrom = UINT_PTR(GetDlgCtrlID());
    header->code = code;
    CWnd* target = GetNotifyWnd();
    if (!target || !target->m_hWnd) return 0;
    return target->SendMessage(WM_NOTIFY, WPARAM(header->idFrom), reinterpret_cast<LPARAM>(header));
}

LRESULT SECListBaseC::Notify(UINT code) {
    NMHDR header{};
    last_notify_result_ = SendNotify(&header, code);
    return last_notify_result_;
}

LRESULT SECListBaseC::NotifyInsertItem(int item) {
    NM_LISTVIEW nm{};
    nm.iItem = item;
    return SendNotify(&nm.hdr, LVN_INSERTITEM);
}

LRESULT SECListBaseC::NotifyDeleteItem(int item) {
    NM_LISTVIEW nm{};
    nm.iItem = item;
    return SendNotify(&nm.hdr, LVN_DELETEITEM);
}

LRESULT SECListBaseC::NotifyBeginLabelEdit(int item, int sub_item) {
    LV_DISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = item;
    info.item.iSubItem = sub_item;
    info.item.lParam = GetItemParam(item);
    return SendNotify(&info.hdr, LVN_BEGINLABELEDIT);
}

LRESULT SECListBaseC::NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept) {
    LV_DISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = item;
    info.item.iSubItem = sub_item;
    info.item.lParam = GetItemParam(item);
    std::vector<char> buffer(kListTextBufferSize, '\0');
    if (accept) {
        uikit::copy_text_out(buffer.data(), int(buffer.size()), text.str());
        info.item.pszText = buffer.data();
        info.item.cchTextMax = int(buffer.size());
    }
    const LRESULT result = SendNotify(&info.hdr, LVN_ENDLABELEDIT);
    if (result && accept) {
        buffer.back() = '\0';
        text = CString(buffer.data(), uikit::cut_on_character(buffer.data(), int(buffer.size()) - 1));
    }
    return result;
}

void SECListBaseC::NotifyGetDispInfo(LV_ITEM* item) {
    LV_DISPINFO info{};
    info.item = *item;
    SendNotify(&info.hdr, LVN_GETDISPINFO);
    *item = info.item;
}

void SECListBaseC::NotifyKeyDown(UINT key) {
    LV_KEYDOWN info{};
    info.wVKey = WORD(key);
    SendNotify(&info.hdr, LVN_KEYDOWN);
}
