// SECTreeBaseC: the tree item API, rows kept as the shown nodes in
// pre-order, expanding and collapsing, and the tree notifications.
#include "uikit/controls/tree_base.h"

#include <algorithm>
#include <cstring>

#include "uikit/controls/text_copy.h"

IMPLEMENT_DYNAMIC(SECTreeBaseC, SECListCtrl)
IMPLEMENT_DYNCREATE(SECTreeCtrl, SECTreeBaseC)

namespace {

// The range of handle values reserved for TVI_ROOT, TVI_FIRST, TVI_LAST and the sort codes.
constexpr std::uintptr_t kSpecialFirst = 0xFFFF0000;
constexpr std::uintptr_t kSpecialLast = 0xFFFF00FF;

// A list row that shows a tree node.
class TreeRow : public SECListItem {
public:
    explicit TreeRow(_Node* node) : node(node) {}
    _Node* node;
};

}  // namespace

SECTreeBaseC::SECTreeBaseC() : tree_text_(kListTextBufferSize, '\0') {
    root_ = CreateNode();
    root_->SetExpanded(TRUE);
    list_style_ |= LVS_REPORT | LVS_SHAREIMAGELISTS;
}

SECTreeBaseC::~SECTreeBaseC() {
    if (m_hWnd) DestroyWindow();
    storage_.reset();
    live_.clear();
    root_.reset();
}

// ---- creation ----

BOOL SECTreeBaseC::CreateEx(DWORD style, DWORD ex_style, const RECT& rect, CWnd* parent, UINT id,
                            CCreateContext* context) {
    if (columns_.empty()) InsertColumn(0, "", LVCFMT_LEFT, std::max(int(rect.right - rect.left), 20), 0, FALSE);
    return SECListBaseC::CreateEx(style, ex_style, rect, parent, id, context);
}

BOOL SECTreeBaseC::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context) {
    return CreateEx(style, 0, rect, parent, id, context);
}

BOOL SECTreeBaseC::SubclassDlgItem(UINT id, CWnd* parent) { return ReplaceDlgItem(id, parent, 0, TVXS_LABELTIPS); }

BOOL SECTreeBaseC::PreCreateStyles(CREATESTRUCT& cs) {
    const DWORD tree = DWORD(cs.style) & 0x3F;
    const DWORD tree_ex = cs.dwExStyle & 0xF00000;
    cs.style = LONG(DWORD(cs.style) & ~0x3Fu);
    cs.dwExStyle &= ~0xF00000u;
    ModifyTreeStyle(0, tree, FALSE);
    ModifyTreeStyleEx(0, tree_ex, FALSE);
    return SECListBaseC::PreCreateStyles(cs);
}

void SECTreeBaseC::OnDestroy() {
    DeleteItem(TVI_ROOT);
    SECListBaseC::OnDestroy();
}

// ---- handles and rows ----

_Node* SECTreeBaseC::NodeOf(HTREEITEM item) const {
    if (!item || item == TVI_ROOT) return root_.get();
    return LiveNode(item);
}

_Node* SECTreeBaseC::LiveNode(HTREEITEM item) const {
    auto found = live_.find(reinterpret_cast<std::uintptr_t>(item));
    return found == live_.end() ? nullptr : found->second;
}

_Node* SECTreeBaseC::NodeOfRow(int row) const {
    const auto* record = static_cast<const TreeRow*>(GetItemAt(row));
    return record ? record->node : nullptr;
}

HTREEITEM SECTreeBaseC::ItemOfRow(int row) const { return HandleOf(NodeOfRow(row)); }

int SECTreeBaseC::RowOfNode(const _Node* node) const { return node ? IndexOfRecord(node->row) : -1; }

int SECTreeBaseC::RowOf(HTREEITEM item) { return RowOfNode(LiveNode(item)); }

bool SECTreeBaseC::IsHiddenNode(const _Node* node) const {
    for (const _Node* n = node; n && n != root_.get(); n = n->parent_node())
        if (n->ex_state & TVIS_EX_HIDDEN) return true;
    return false;
}

bool SECTreeBaseC::IsShown(const _Node* node) const {
    if (!node || node == root_.get()) return false;
    for (const _Node* n = node; n != root_.get(); n = n->parent_node()) {
        if (!n || (n->ex_state & TVIS_EX_HIDDEN)) return false;
        if (n->parent_node() != root_.get() && !n->parent_node()->IsExpanded()) return false;
    }
    return true;
}

void SECTreeBaseC::CollectRows(_Node* node, std::vector<std::unique_ptr<SECListItem>>* rows) {
    if (!node->IsExpanded() && node != root_.get()) return;
    for (auto* child = static_cast<_Node*>(node->GetRawFirstChild()); child;
         child = static_cast<_Node*>(child->SECTreeNode::GetNextSibling())) {
        if (child->ex_state & TVIS_EX_HIDDEN) continue;
        rows->push_back(MakeRow(child));
        CollectRows(child, rows);
    }
}

std::unique_ptr<SECListItem> SECTreeBaseC::MakeRow(_Node* node) {
    auto row = std::make_unique<TreeRow>(node);
    CreateSubItems(row.get());
    node->row = row.get();
    return row;
}

void SECTreeBaseC::GiveRow(_Node* node) {
    // The row after the nearest shown node before this one in pre-order.
    _Node* before = nullptr;
    if (auto* prev = static_cast<_Node*>(node->SECTreeNode::GetPrevSibling())) {
        before = prev;
        while (before->IsExpanded() || (before->ex_state & TVIS_EX_HIDDEN)) {
            if (before->ex_state & TVIS_EX_HIDDEN) {
                before = static_cast<_Node*>(before->SECTreeNode::GetPrevSibling());
                if (!before) break;
                continue;
            }
            auto* last = static_cast<_Node*>(before->GetRawLastChild());
            while (last && (last->ex_state & TVIS_EX_HIDDEN))
                last = static_cast<_Node*>(last->SECTreeNode::GetPrevSibling());
            if (!last) break;
            before = last;
        }
    }
    if (!before) before = node->parent_node() == root_.get() ? nullptr : node->parent_node();
    const int index = before ? RowOfNode(before) + 1 : 0;
    InsertItemRecord(index, MakeRow(node));
}

void SECTreeBaseC::InsertRowsBelow(_Node* node) {
    // One walk makes the rows of the shown nodes in pre-order, inserted in one step.
    std::vector<std::unique_ptr<SECListItem>> rows;
    CollectRows(node, &rows);
    if (rows.empty()) return;
    const int at = node == root_.get() ? 0 : RowOfNode(node) + 1;
    InsertItemRecords(at, std::move(rows));
}

void SECTreeBaseC::RemoveRowsBelow(_Node* node) {
    const int row = RowOfNode(node);
    if (row < 0) return;
    int end = row + 1;
    while (end < GetItemCount() && node->IsAncestorOf(NodeOfRow(end))) ++end;
    if (end == row + 1) return;
    for (int i = row + 1; i < end; ++i) {
        if (IsItemSelected(i)) SECListBaseC::SetItemState(i, 0, LVIS_SELECTED);
        NodeOfRow(i)->row = nullptr;
    }
    EraseRows(row + 1, end - row - 1);
}

int SECTreeBaseC::DepthOf(const _Node* node) const {
    int depth = 0;
    for (const _Node* n = node; n && n != root_.get(); n = n->parent_node()) ++depth;
    return depth;
}

// ---- list steps ----

LPARAM SECTreeBaseC::GetItemParam(int item) const {
    const _Node* node = NodeOfRow(item);
    return node ? node->item.lParam : 0;
}

BOOL SECTreeBaseC::IsCallbackItem(int item) const {
    const _Node* node = NodeOfRow(item);
    if (!node) return FALSE;
    return node->text.is_callback() || node->item.iImage == I_IMAGECALLBACK ||
           node->item.iSelectedImage == I_IMAGECALLBACK || node->item.cChildren == I_CHILDRENCALLBACK;
}

BOOL SECTreeBaseC::GetItem(LV_ITEM* lvi, BOOL copy_text, BOOL notify) {
    _Node* node = lvi ? NodeOfRow(lvi->iItem) : nullptr;
    if (!node) return FALSE;
    const UINT asked = lvi->mask;
    lvi->mask &= ~LVIF_TEXT;
    if (!SECListBaseC::GetItem(lvi, copy_text, notify)) return FALSE;
    lvi->mask = asked;
    if (!(asked & LVIF_TEXT)) return TRUE;
    std::string_view text;
    CString column_text;
    if (lvi->iSubItem == 0) {
        TV_ITEM tvi{};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = HandleOf(node);
        tvi.pszText = tree_text_.data();
        tvi.cchTextMax = int(tree_text_.size());
        GetItem(&tvi, TRUE, notify);
        text = tvi.pszText && tvi.pszText != LPSTR_TEXTCALLBACK ? std::string_view(tvi.pszText) : std::string_view();
    } else if (storage_) {
        if (const CString* stored = storage_->Find(node, lvi->iSubItem)) text = stored->str();
    } else {
        SECListItem* record = node->row;
        if (SECListSubItem* sub = record ? record->sub_item(lvi->iSubItem) : nullptr) text = sub->text.view();
    }
    if (copy_text || lvi->iSubItem == 0) {
        column_text = CString(text);
        uikit::copy_text_out(lvi->pszText, lvi->cchTextMax, column_text.str());
    } else {
        lvi->pszText = const_cast<char*>(text.data() ? text.data() : "");
    }
    return TRUE;
}

BOOL SECTreeBaseC::SetItem(const LV_ITEM* lvi, BOOL redraw) {
    _Node* node = lvi && lvi->iSubItem == 0 ? NodeOfRow(lvi->iItem) : nullptr;
    if (!node) return SECListBaseC::SetItem(lvi, redraw);
    // The first column shows the node: its text, image and tree states are the node's (a
    // finished label edit lands here). The row keeps its own copy of the states it draws, and
    // the text typed while its label is edited: the item's text changes when the edit ends.
    constexpr UINT kNodeStates = TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK;
    const UINT row_fields = LVIF_STATE | LVIF_PARAM | (lvi->iItem == edited_item_ ? LVIF_TEXT : 0);
    TV_ITEM tvi{};
    tvi.mask = TVIF_HANDLE;
    tvi.hItem = HandleOf(node);
    if ((lvi->mask & LVIF_TEXT) && !(row_fields & LVIF_TEXT)) {
        tvi.mask |= TVIF_TEXT;
        tvi.pszText = lvi->pszText;
    }
    if (lvi->mask & LVIF_IMAGE) {
        tvi.mask |= TVIF_IMAGE;
        tvi.iImage = lvi->iImage;
    }
    if ((lvi->mask & LVIF_STATE) && (lvi->stateMask & kNodeStates)) {
        tvi.mask |= TVIF_STATE;
        tvi.state = lvi->state & kNodeStates;
        tvi.stateMask = lvi->stateMask & kNodeStates;
    }
    if (tvi.mask != TVIF_HANDLE) SetItem(&tvi);
    LV_ITEM rest = *lvi;
    rest.mask &= row_fields | LVIF_DI_SETITEM;
    return !(rest.mask & row_fields) || SECListBaseC::SetItem(&rest, redraw);
}

void SECTreeBaseC::OnSetDispInfo(const LV_ITEM* lvi) {
    // A column text typed into a row goes to the sub-item texts.
    if (storage_ && lvi->iSubItem > 0 && (lvi->mask & LVIF_TEXT))
        if (_Node* node = NodeOfRow(lvi->iItem)) storage_->SetText(node, lvi->iSubItem, lvi->pszText);
}

// ---- items ----

HTREEITEM SECTreeBaseC::InsertItem(const char* text, int image, int selected_image, HTREEITEM parent, HTREEITEM after) {
    TV_INSERTSTRUCT insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.cchTextMax = text && text != LPSTR_TEXTCALLBACK ? int(std::strlen(text)) + 1 : 0;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selected_image;
    return InsertItem(&insert);
}

HTREEITEM SECTreeBaseC::InsertItem(const TV_INSERTSTRUCT* insert) {
    if (!insert) return nullptr;
    if (!root_) {
        root_ = CreateNode();
        root_->SetExpanded(TRUE);
    }
    _Node* parent = NodeOf(insert->hParent);
    // An item still being inserted (its owner asked while it is placed) takes no children yet.
    if (!parent || (parent != root_.get() && !parent->GetRawParent())) return nullptr;
    std::unique_ptr<_Node> owned = CreateNode();
    _Node* node = owned.get();
    TV_ITEM item = insert->item;
    item.mask |= TVIF_HANDLE;
    StoreItem(node, &item);
    node->item.mask = item.mask;
    // The handle is given first, so that sorting can read the new item like any other.
    ++shape_changes_;
    std::uintptr_t handle = next_handle_++;
    if (handle >= kSpecialFirst && handle <= kSpecialLast) {
        next_handle_ = kSpecialLast + 1;
        handle = next_handle_++;
    }
    node->item.hItem = reinterpret_cast<HTREEITEM>(handle);
    live_.emplace(handle, node);
    SECTreeNode* where = SECTreeNode::kLast;
    HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        where = SECTreeNode::kFirst;
    } else if (after == TVI_SORT || after == TVI_SORT_DESCENDING) {
        if (!FindSortedPlace(insert->hParent, parent, node, after == TVI_SORT_DESCENDING, &where)) {
            live_.erase(handle);  // the owner took the parent away while it was asked
            return nullptr;
        }
    } else if (after && after != TVI_ROOT && after != TVI_LAST) {
        _Node* sibling = LiveNode(after);
        if (!sibling || sibling->GetRawParent() != parent) {
            live_.erase(handle);
            return nullptr;
        }
        where = sibling;
    }
    parent->InsertChild(node, where);
    owned.release();
    node->SetExpanded((item.mask & TVIF_STATE) && (item.stateMask & TVIS_EXPANDED) && (item.state & TVIS_EXPANDED));
    const auto inserted = reinterpret_cast<HTREEITEM>(handle);
    if (IsShown(node)) {
        GiveRow(node);
        // Measuring the new row may ask the owner for its text, who may delete it meanwhile.
        if (LiveNode(inserted) != node) return inserted;
        if (node->IsExpanded()) InsertRowsBelow(node);
    }
    if (GetRedrawOnInsert() && m_hWnd) {
        InvalidateAllHeights();
        Invalidate();
    }
    return inserted;
}

bool SECTreeBaseC::FindSortedPlace(HTREEITEM parent_item, _Node* parent, _Node* node, bool descending,
                                   SECTreeNode** where) {
    const HTREEITEM item = HandleOf(node);
    const std::uint64_t roots = roots_made_;
    // The new item goes before the first child that sorts after it. The children are walked
    // from the first every time: they need not be in order (inserted otherwise, or renamed).
    // A comparison may ask the owner for a callback text, and the owner may change the tree
    // then: the walk starts again whenever the tree changed shape.
    for (;;) {
        const std::uint64_t shape = shape_changes_;
        *where = SECTreeNode::kFirst;
        auto* child = static_cast<_Node*>(parent->GetRawFirstChild());
        for (; child; child = static_cast<_Node*>(child->SECTreeNode::GetNextSibling())) {
            const int order = CompareItems(HandleOf(child), item);
            if (!StillThere(parent_item, parent, roots) || LiveNode(item) != node) return false;
            if (shape != shape_changes_) break;
            if (descending ? order < 0 : order > 0) return true;
            *where = child;
        }
        if (!child) return true;
    }
}

void SECTreeBaseC::StoreItem(_Node* node, const TV_ITEM* item) {
    if (item->mask & TVIF_TEXT) node->text.assign(item->pszText);
    if (item->mask & TVIF_IMAGE) node->item.iImage = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE) node->item.iSelectedImage = item->iSelectedImage;
    if (item->mask & TVIF_CHILDREN) node->item.cChildren = item->cChildren;
    if (item->mask & TVIF_PARAM) node->item.lParam = item->lParam;
    if (item->mask & TVIF_STATE)
        node->item.state = (node->item.state & ~item->stateMask) | (item->state & item->stateMask);
}

BOOL SECTreeBaseC::SetItem(TV_ITEM* item) {
    _Node* node = item ? NodeOf(item->hItem) : nullptr;
    if (!node) return FALSE;
    UINT for_owner = 0;
    const TV_ITEM before = node->item;
    const std::string before_text = node->text.value;
    TV_ITEM store = *item;
    const auto keep = [&](UINT bit, bool callback) {
        if ((store.mask & bit) && callback) {
            for_owner |= bit;
            store.mask &= ~bit;
        }
    };
    keep(TVIF_CHILDREN, node->item.cChildren == I_CHILDRENCALLBACK && item->cChildren != I_CHILDRENCALLBACK);
    keep(TVIF_IMAGE, node->item.iImage == I_IMAGECALLBACK && item->iImage != I_IMAGECALLBACK);
    keep(TVIF_SELECTEDIMAGE, node->item.iSelectedImage == I_IMAGECALLBACK && item->iSelectedImage != I_IMAGECALLBACK);
    keep(TVIF_TEXT, node->text.is_callback() && item->pszText != LPSTR_TEXTCALLBACK);
    // Only the fields named by the mask are stored: a state or image change keeps the data word.
    StoreItem(node, &store);
    // The owner may delete the item, clear the tree or destroy it from a notice on the way (the
    // set-display-info notice, or a request for a callback field while the row is measured).
    const HWND own = m_hWnd;
    const auto gone = [&] { return (own && !::IsWindow(own)) || NodeOf(item->hItem) != node; };
    if (for_owner) {
        NotifyTreeSetDispInfo(node, for_owner);
        if (gone()) return TRUE;
    }
    const int row = RowOfNode(node);
    if (row < 0) return TRUE;
    const UINT changed_state = before.state ^ node->item.state;
    constexpr UINT kRowStates = TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED;
    if ((store.mask & TVIF_STATE) && (store.stateMask & kRowStates)) {
        // The row draws these from its own copy, set even when the node had them already.
        // Straight to the list: the row's own entry would bring them back to the node.
        LV_ITEM lvi{};
        lvi.mask = LVIF_STATE;
        lvi.iItem = row;
        lvi.stateMask = store.stateMask & kRowStates;
        lvi.state = node->item.state & lvi.stateMask;
        SECListBaseC::SetItem(&lvi);
        if (gone()) return TRUE;
    }
    const bool looks_changed =
        node->text.value != before_text || before.iImage != node->item.iImage ||
        before.iSelectedImage != node->item.iSelectedImage ||
        (changed_state & (TVIS_DROPHILITED | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK | TVIS_BOLD)) ||
        before.cChildren != node->item.cChildren;
    if (looks_changed && row != edited_item_ && m_hWnd) {
        InvalidateItemHeight(row);
        RedrawItem(HandleOf(node), (changed_state & TVIS_DROPHILITED) != 0);
    }
    return TRUE;
}

BOOL SECTreeBaseC::GetItem(TV_ITEM* item, BOOL copy_text, BOOL allow_callback) {
    if (!root_ || !item) return FALSE;
    _Node* node = NodeOf(item->hItem);
    if (!node) return FALSE;
    UINT for_owner = 0;
    if (item->mask & TVIF_STATE) item->state = node->item.state & item->stateMask;
    if (item->mask & TVIF_IMAGE) {
        item->iImage = node->item.iImage;
        if (item->iImage == I_IMAGECALLBACK) for_owner |= TVIF_IMAGE;
    }
    if (item->mask & TVIF_SELECTEDIMAGE) {
        item->iSelectedImage = node->item.iSelectedImage;
        if (item->iSelectedImage == I_IMAGECALLBACK) for_owner |= TVIF_SELECTEDIMAGE;
    }
    if (item->mask & TVIF_CHILDREN) {
        item->cChildren = node->item.cChildren;
        if (item->cChildren == I_CHILDRENCALLBACK) for_owner |= TVIF_CHILDREN;
    }
    if (item->mask & TVIF_PARAM) item->lParam = node->item.lParam;
    if (item->mask & TVIF_TEXT) {
        if (node->text.is_callback()) {
            for_owner |= TVIF_TEXT;
            if (!allow_callback)
                item->pszText = LPSTR_TEXTCALLBACK;
            else if (item->pszText && item->cchTextMax > 0)
                item->pszText[0] = 0;
        } else if (copy_text) {
            uikit::copy_text_out(item->pszText, item->cchTextMax, node->text.view());
        } else {
            item->pszText = const_cast<char*>(node->text.kind == ItemText::Kind::value ? node->text.value.c_str() : "");
        }
    }
    if (for_owner && allow_callback) {
        TV_ITEM asked = *item;
        asked.mask = for_owner;
        asked.lParam = node->item.lParam;
        NotifyTreeGetDispInfo(node, &asked);
        if (for_owner & TVIF_TEXT) {
            if (asked.pszText && asked.pszText != LPSTR_TEXTCALLBACK && item->pszText && item->cchTextMax > 0) {
                // The owner may have pointed at its own text, or filled ours without a terminator.
                const int length = int(strnlen(asked.pszText, std::size_t(kListTextBufferSize)));
                if (asked.pszText != item->pszText)
                    uikit::copy_text_out(item->pszText, item->cchTextMax,
                                         std::string_view(asked.pszText, std::size_t(length)));
                else
                    item->pszText[uikit::cut_on_character(
                        std::string_view(item->pszText, strnlen(item->pszText, std::size_t(item->cchTextMax))),
                        item->cchTextMax - 1)] = 0;
            }
        }
        if (for_owner & TVIF_IMAGE) item->iImage = asked.iImage;
        if (for_owner & TVIF_SELECTEDIMAGE) item->iSelectedImage = asked.iSelectedImage;
        if (for_owner & TVIF_CHILDREN) item->cChildren = asked.cChildren;
    }
    return TRUE;
}

BOOL SECTreeBaseC::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    TV_ITEM tvi{};
    tvi.mask = TVIF_STATE | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.state = state;
    tvi.stateMask = mask;
    return LiveNode(item) && SetItem(&tvi);
}

UINT SECTreeBaseC::GetItemState(HTREEITEM item, UINT mask) {
    const _Node* node = LiveNode(item);
    return node ? node->item.state & mask : 0;
}

BOOL SECTreeBaseC::SetItemImage(HTREEITEM item, int image, int selected_image) {
    TV_ITEM tvi{};
    tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.iImage = image;
    tvi.iSelectedImage = selected_image;
    return LiveNode(item) && SetItem(&tvi);
}

BOOL SECTreeBaseC::SetItemData(HTREEITEM item, LPARAM data) {
    TV_ITEM tvi{};
    tvi.mask = TVIF_PARAM | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.lParam = data;
    return LiveNode(item) && SetItem(&tvi);
}

LPARAM SECTreeBaseC::GetItemData(HTREEITEM item) {
    const _Node* node = LiveNode(item);
    return node ? node->item.lParam : 0;
}

CString SECTreeBaseC::GetItemText(HTREEITEM item, int column) {
    _Node* node = LiveNode(item);
    if (!node) return CString();
    if (column == 0) {
        TV_ITEM tvi{};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = tree_text_.data();
        tvi.cchTextMax = int(tree_text_.size());
        GetItem(&tvi, TRUE, TRUE);
        return tvi.pszText && tvi.pszText != LPSTR_TEXTCALLBACK ? CString(tvi.pszText) : CString();
    }
    if (storage_) {
        const CString* text = storage_->Find(node, column);
        return text ? *text : CString();
    }
    const int row = RowOfNode(node);
    return row >= 0 ? SECListBaseC::GetItemText(row, column) : CString();
}

BOOL SECTreeBaseC::SetItemText(HTREEITEM item, int column, const char* text) {
    _Node* node = LiveNode(item);
    if (!node) return FALSE;
    if (column == 0) {
        TV_ITEM tvi{};
        tvi.mask = TVIF_TEXT | TVIF_HANDLE;
        tvi.hItem = item;
        tvi.pszText = const_cast<char*>(text);
        return SetItem(&tvi);
    }
    const int row = RowOfNode(node);
    if (storage_) {
        if (column >= GetColumnCount() || !storage_->SetText(node, column, text)) return FALSE;
        if (row >= 0 && m_hWnd) {
            InvalidateItemHeight(row);
            RedrawItem(item);
        }
        return TRUE;
    }
    return row >= 0 && SECListBaseC::SetItemText(row, column, text);
}

BOOL SECTreeBaseC::SetItemExState(HTREEITEM item, UINT state, UINT mask) {
    _Node* node = LiveNode(item);
    if (!node) return FALSE;
    const bool hidden_before = IsHiddenNode(node);
    node->ex_state = (node->ex_state & ~mask) | (state & mask);
    if ((mask & TVIS_EX_HIDDEN) && hidden_before != IsHiddenNode(node)) {
        ++shape_changes_;
        // Showing or hiding a whole branch: its rows follow.
        if (IsHiddenNode(node)) {
            RemoveRowsBelow(node);
            const int row = RowOfNode(node);
            if (row >= 0) {
                // Repainting the row may ask the owner, who may delete the item meanwhile.
                if (IsItemSelected(row)) SECListBaseC::SetItemState(row, 0, LVIS_SELECTED);
                if (LiveNode(item) != node) return TRUE;
                const int now = RowOfNode(node);
                node->row = nullptr;
                if (now >= 0) EraseRows(now, 1);
            }
        } else if (IsShown(node)) {
            GiveRow(node);
            if (LiveNode(item) != node) return TRUE;
            InsertRowsBelow(node);
        }
        if (m_hWnd) UpdateLayout(), Invalidate();
    } else if (const int row = RowOfNode(node); row >= 0 && m_hWnd) {
        RedrawItem(item);
    }
    return TRUE;
}

UINT SECTreeBaseC::GetItemExState(HTREEITEM item, UINT mask) {
    UINT state = 0;
    for (const _Node* node = LiveNode(item); node && node != root_.get(); node = node->parent_node())
        state |= node->ex_state;
    return state & mask;
}

int SECTreeBaseC::CompareItems(HTREEITEM a, HTREEITEM b) {
    const CString first = GetItemText(a), second = GetItemText(b);
    return first.CompareNoCase(second);
}

BOOL SECTreeBaseC::ItemHasChildren(HTREEITEM item) {
    const _Node* node = NodeOf(item);
    return node && node->GetRawFirstChild() != nullptr;
}

BOOL SECTreeBaseC::ItemClaimsChildren(HTREEITEM item) {
    if (ItemHasChildren(item)) return FALSE;
    TV_ITEM tvi{};
    tvi.mask = TVIF_CHILDREN;
    tvi.hItem = item;
    return GetItem(&tvi, FALSE, TRUE) && tvi.cChildren > 0;
}

// ---- deletion ----

void SECTreeBaseC::OnDeleteItem(_Node* node) {
    if (GetNotifyWndPtr() || GetParent()) {
        NM_TREEVIEW nm{};
        nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
        nm.itemOld.hItem = HandleOf(node);
        nm.itemOld.lParam = node->item.lParam;
        SendNotify(&nm.hdr, TVN_DELETEITEM);
    }
    if (storage_) storage_->RemoveItem(node);
}

void SECTreeBaseC::DeleteNode(_Node* node) {
    ++shape_changes_;
    if (node->row) {
        const int row = RowOfNode(node);
        node->row = nullptr;
        if (row >= 0) EraseRows(row, 1);
    }
    node->Unlink();
    // The handle dies before the owner hears of it: nothing called from the notice reaches the node.
    live_.erase(reinterpret_cast<std::uintptr_t>(node->item.hItem));
    OnDeleteItem(node);
    delete node;
}

bool SECTreeBaseC::StillThere(HTREEITEM item, const _Node* node, std::uint64_t roots) const {
    return (node == root_.get() && roots == roots_made_) || (item && item != TVI_ROOT && LiveNode(item) == node);
}

bool SECTreeBaseC::DeleteDescendants(HTREEITEM item, _Node* node) {
    const std::uint64_t roots = roots_made_;
    // Leaves first: no node is ever destroyed while it has children. Each deletion tells the
    // owner, who may change the tree meanwhile: the walk goes on only while the node is there.
    while (StillThere(item, node, roots)) {
        auto* leaf = static_cast<_Node*>(node->GetFirstLeaf());
        if (!leaf) return true;
        DeleteNode(leaf);
    }
    return false;
}

void SECTreeBaseC::ForgetRows() {
    for (auto& row : items_) static_cast<TreeRow*>(row.get())->node->row = nullptr;
    SECListBaseC::DeleteAllItems();
}

BOOL SECTreeBaseC::DeleteItem(HTREEITEM item) {
    if (!root_) return TRUE;
    const auto target = [&]() -> _Node* {
        if (item == TVI_ROOT) return root_.get();
        _Node* node = LiveNode(item);
        return node && node->GetRawParent() ? node : nullptr;  // an item being inserted stays
    };
    if (!target()) return FALSE;  // no item of this tree, or one deleted before
    EndLabelEdit(FALSE);          // tells the owner, who may delete the item first
    _Node* node = target();
    if (!node) return TRUE;
    const bool clearing = node == root_.get();
    // Rows never outlive their nodes: a clear drops them all at once.
    if (clearing)
        ForgetRows();
    else
        RemoveRowsBelow(node);
    if (!DeleteDescendants(item, node)) return TRUE;  // the owner deleted it, or cleared the tree
    if (clearing) {
        root_ = CreateNode();
        root_->SetExpanded(TRUE);
        ++roots_made_;
    } else {
        DeleteNode(node);
        if (m_hWnd) UpdateLayout();
    }
    if (GetRedrawOnInsert() && m_hWnd) {
        InvalidateAllHeights();
        Invalidate();
    }
    return TRUE;
}

BOOL SECTreeBaseC::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

// ---- navigation ----

HTREEITEM SECTreeBaseC::GetNextItem(HTREEITEM item, UINT code) {
    const bool none = !item || item == TVI_ROOT;
    _Node* node = none ? nullptr : LiveNode(item);
    if (!none && !node) return nullptr;  // a stale or unknown handle leads nowhere
    const auto nearest_shown_before = [&](_Node* from) -> _Node* {
        for (auto* n = static_cast<_Node*>(from->GetPrevInTree()); n && n != root_.get();
             n = static_cast<_Node*>(n->GetPrevInTree()))
            if (IsShown(n)) return n;
        return nullptr;
    };
    const auto nearest_shown_after = [&](_Node* from) -> _Node* {
        for (auto* n = static_cast<_Node*>(from->GetNextInTree()); n; n = static_cast<_Node*>(n->GetNextInTree()))
            if (IsShown(n)) return n;
        return nullptr;
    };
    switch (code) {
        case TVGN_ROOT:
            if (node) {
                while (node->parent_node() != root_.get()) node = node->parent_node();
                return HandleOf(static_cast<_Node*>(node->GetFirstChild()));
            }
            return HandleOf(static_cast<_Node*>(root_->GetFirstChild()));
        case TVGN_NEXT: return node ? HandleOf(static_cast<_Node*>(node->GetNextSibling())) : nullptr;
        case TVGN_PREVIOUS: return node ? HandleOf(static_cast<_Node*>(node->GetPrevSibling())) : nullptr;
        case TVGN_PARENT: return node ? HandleOf(node->parent_node()) : nullptr;
        case TVGN_CHILD: return HandleOf(static_cast<_Node*>((node ? node : root_.get())->GetFirstChild()));
        case TVGN_FIRSTVISIBLE: return ItemOfRow(GetTopIndex());
        case TVGN_NEXTVISIBLE: {
            if (!node) return nullptr;
            const int row = RowOfNode(node);
            return row >= 0 ? ItemOfRow(row + 1) : HandleOf(nearest_shown_after(node));
        }
        case TVGN_PREVIOUSVISIBLE: {
            if (!node) return nullptr;
            const int row = RowOfNode(node);
            return row >= 0 ? (row > 0 ? ItemOfRow(row - 1) : nullptr) : HandleOf(nearest_shown_before(node));
        }
        case TVGN_DROPHILITE: return ItemOfRow(GetDropHiliteItem());
        case TVGN_CARET: return ItemOfRow(GetFocusItem());
        case TVGN_FIRSTSELECTED: return ItemOfRow(SECListBaseC::GetNextItem(-1, LVNI_SELECTED));
        case TVGN_NEXTSELECTED:
        case TVGN_PREVSELECTED: {
            if (!node) return nullptr;
            const bool next = code == TVGN_NEXTSELECTED;
            int row = RowOfNode(node);
            if (row < 0) {
                _Node* stand_in = next ? nearest_shown_before(node) : nearest_shown_after(node);
                row = stand_in ? RowOfNode(stand_in) : (next ? -1 : GetItemCount());
            }
            return ItemOfRow(SECListBaseC::GetNextItem(row, LVNI_SELECTED | (next ? LVNI_BELOW : LVNI_ABOVE)));
        }
        default: return nullptr;
    }
}

// ---- expanding ----

LRESULT SECTreeBaseC::SendTreeNotify(UINT code, UINT action, _Node* old_node, _Node* new_node, CPoint drag) {
    NM_TREEVIEW nm{};
    nm.action = action;
    if (old_node) FillNotifyItem(old_node, &nm.itemOld);
    if (new_node) FillNotifyItem(new_node, &nm.itemNew);
    nm.ptDrag = drag;
    const LRESULT result = SendNotify(&nm.hdr, code);
    return result;
}

void SECTreeBaseC::FillNotifyItem(_Node* node, TV_ITEM* out) const {
    *out = node->item;
    out->mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_TEXT;
    out->hItem = HandleOf(node);
    out->pszText = const_cast<char*>(node->text.pointer());
}

LRESULT SECTreeBaseC::NotifyItemExpanding(_Node* node, UINT code) {
    return SendTreeNotify(TVN_ITEMEXPANDING, code, nullptr, node);
}

void SECTreeBaseC::NotifyItemExpanded(_Node* node, UINT code) {
    NM_TREEVIEW nm{};
    nm.action = code;
    FillNotifyItem(node, &nm.itemNew);
    nm.itemNew.state = node->IsExpanded() ? TVIS_EXPANDED : 0;
    SendNotify(&nm.hdr, TVN_ITEMEXPANDED);
}

void SECTreeBaseC::NotifyTreeGetDispInfo(_Node* node, TV_ITEM* item) {
    TV_DISPINFO info{};
    info.item = *item;
    info.item.hItem = HandleOf(node);
    SendNotify(&info.hdr, TVN_GETDISPINFO);
    *item = info.item;
}

void SECTreeBaseC::NotifyTreeSetDispInfo(_Node* node, UINT mask) {
    TV_DISPINFO info{};
    FillNotifyItem(node, &info.item);
    info.item.mask = mask;
    SendNotify(&info.hdr, TVN_SETDISPINFO);
}

BOOL SECTreeBaseC::Expand(HTREEITEM item, UINT code, BOOL redraw) {
    _Node* node = LiveNode(item);
    if (!node) return FALSE;
    // The owner may delete the item from inside any notice below; the work stops there.
    const auto gone = [&] { return LiveNode(item) != node; };
    if (!node->GetRawFirstChild() && node->item.cChildren <= 0 && !ItemClaimsChildren(item)) return TRUE;
    if (gone()) return FALSE;
    CRect client_before;
    if (m_hWnd) GetClientRect(&client_before);
    if ((code & 0xFF) == TVE_TOGGLE) code = (code & ~0xFFu) | (node->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND);
    if (NotifyItemExpanding(node, code) == 1 || gone()) return FALSE;
    ++shape_changes_;
    const bool expand = (code & 0xFF) == TVE_EXPAND && !(code & TVE_COLLAPSERESET);
    if (expand) {
        if (node->IsExpanded()) return TRUE;
        if (!node->GetRawFirstChild()) return FALSE;
        node->SetExpanded(TRUE);
        // An item without a row only records the state; its rows come when it is shown.
        if (RowOfNode(node) >= 0) InsertRowsBelow(node);
    } else {
        if (node->IsExpanded()) {
            const int caret = GetFocusItem();
            _Node* caret_node = NodeOfRow(caret);
            if (caret_node && node->IsAncestorOf(caret_node)) {
                const HTREEITEM caret_item = HandleOf(caret_node);
                SendTreeNotify(TVN_SELCHANGING, TVC_BYMOUSE, caret_node, node);
                if (gone()) return FALSE;
                node->SetExpanded(FALSE);
                RemoveRowsBelow(node);
                SelectAndFocusItem(RowOfNode(node), TRUE);
                SendTreeNotify(TVN_SELCHANGED, TVC_BYMOUSE, LiveNode(caret_item), node);
                if (gone()) return FALSE;
            } else {
                node->SetExpanded(FALSE);
                RemoveRowsBelow(node);
            }
        }
        if (code & TVE_COLLAPSERESET) {
            node->SetExpanded(FALSE);
            if (!DeleteDescendants(item, node)) return FALSE;
        }
    }
    NotifyItemExpanded(node, code);
    if (gone()) return FALSE;
    if (m_hWnd) {
        UpdateLayout();
        if (redraw) {
            if (expand && node->GetRawLastChild() && RowOfNode(node) >= 0)
                EnsureVisible(HandleOf(static_cast<_Node*>(node->GetRawLastChild())), TRUE);
            CRect client_after;
            GetClientRect(&client_after);
            if (client_after != client_before)
                Invalidate();
            else
                Invalidate(FALSE);
        }
    }
    return TRUE;
}

BOOL SECTreeBaseC::ExpandAll(HTREEITEM item, BOOL redraw) {
    _Node* start = item == TVI_ROOT || !item ? root_.get() : LiveNode(item);
    if (!start) return FALSE;
    const HTREEITEM start_item = start == root_.get() ? TVI_ROOT : item;
    const bool has_rows = start == root_.get() || RowOfNode(start) >= 0;
    // One pre-order walk asks every item (each may refuse) and notes the nodes that will
    // show, so each node is visited once while it is still in the cache. The owner may delete
    // items while it is asked: once the tree's shape changed, nodes are looked up by handle.
    struct Step {
        _Node* node;
        HTREEITEM item;
        bool shown;
    };
    std::vector<_Node*> shown;
    std::vector<Step> pending{{start, start_item, has_rows}};
    const std::uint64_t shape_before = shape_changes_;
    const std::uint64_t roots = roots_made_;
    const auto node_of = [&](const Step& step) {
        if (shape_changes_ == shape_before && roots == roots_made_) return step.node;
        return step.item == TVI_ROOT ? (roots == roots_made_ ? root_.get() : nullptr) : LiveNode(step.item);
    };
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        _Node* node = node_of(step);
        if (!node) continue;
        if (node != start && step.shown) shown.push_back(node);
        if (node != root_.get() && node->GetRawFirstChild() && !node->IsExpanded() &&
            NotifyItemExpanding(node, TVE_EXPAND) != 1 && node_of(step)) {
            node->SetExpanded(TRUE);
            NotifyItemExpanded(node, TVE_EXPAND);
        }
        if (node_of(step) != node || (!node->IsExpanded() && node != root_.get())) continue;
        for (auto* c = static_cast<_Node*>(node->GetRawLastChild()); c;
             c = static_cast<_Node*>(c->SECTreeNode::GetPrevSibling()))
            pending.push_back({c, HandleOf(c), step.shown && !(c->ex_state & TVIS_EX_HIDDEN)});
    }
    if (!StillThere(start_item, start, roots)) return FALSE;
    if (has_rows) {
        // The rows are given once, for the whole branch; a handler that changed the tree's
        // shape while it was asked makes the rows be walked again.
        std::vector<std::unique_ptr<SECListItem>> rows;
        const auto make_rows = [&](_Node* below) {
            if (shape_changes_ != shape_before) {
                CollectRows(below, &rows);
                return;
            }
            rows.reserve(shown.size());
            for (_Node* node : shown) rows.push_back(MakeRow(node));
        };
        if (start == root_.get()) {
            _Node* focus = NodeOfRow(GetFocusItem());
            ForgetRows();
            make_rows(start);
            SECListBaseC::InsertItemRecords(0, std::move(rows));
            if (focus && RowOfNode(focus) >= 0) SelectAndFocusItem(RowOfNode(focus), TRUE);
        } else {
            RemoveRowsBelow(start);
            make_rows(start);
            if (!rows.empty()) InsertItemRecords(RowOfNode(start) + 1, std::move(rows));
        }
    }
    if (m_hWnd) {
        UpdateLayout();
        if (redraw) Invalidate();
    }
    return TRUE;
}

BOOL SECTreeBaseC::EnsureVisible(HTREEITEM item, BOOL with_parent) {
    _Node* node = LiveNode(item);
    if (!node) return FALSE;
    if (RowOfNode(node) < 0) {
        if (IsHiddenNode(node)) return FALSE;
        for (_Node* up = node->parent_node(); up && up != root_.get(); up = up->parent_node())
            if (!up->IsExpanded() && !Expand(HandleOf(up), TVE_EXPAND, FALSE)) return FALSE;
        if (m_hWnd) {
            UpdateLayout();
            Invalidate();
        }
    }
    const int row = RowOfNode(node);
    if (row < 0) return FALSE;
    if (!m_hWnd) return TRUE;
    const int parent_row = with_parent ? RowOfNode(node->parent_node()) : -1;
    return parent_row >= 0 ? EnsureRangeVisible(parent_row, row) : SECListBaseC::EnsureVisible(row);
}

BOOL SECTreeBaseC::SelectItem(HTREEITEM item, UINT code) {
    if (code == TVGN_DROPHILITE) return SelectDropTarget(item);
    if (!EnsureVisible(item)) return FALSE;
    const int row = RowOf(item);
    if (code == TVGN_FIRSTVISIBLE) {
        SetTopIndex(row);
        return TRUE;
    }
    if (code != TVGN_CARET) return FALSE;
    // Held by handle: the owner may delete the old caret item from the first notice.
    const HTREEITEM old_item = ItemOfRow(GetFocusItem());
    if (SendTreeNotify(TVN_SELCHANGING, TVC_UNKNOWN, LiveNode(old_item), LiveNode(item)) == 1) return FALSE;
    if (!LiveNode(item)) return FALSE;
    const int now = RowOf(item);
    if (!IsMultiSelect()) DeselectAllItems(now);
    if (!SelectAndFocusItem(now, TRUE)) return FALSE;
    SendTreeNotify(TVN_SELCHANGED, TVC_UNKNOWN, LiveNode(old_item), LiveNode(item));
    return TRUE;
}

BOOL SECTreeBaseC::SelectDropTarget(HTREEITEM item) {
    if (!item) {
        SetDropHiliteItem(-1);
        return TRUE;
    }
    const int row = RowOf(item);
    if (row < 0) return FALSE;
    SetDropHiliteItem(row);
    return TRUE;
}

void SECTreeBaseC::RedrawItem(HTREEITEM item, BOOL erase) {
    const int row = RowOf(item);
    if (row >= 0) InvalidateItem(row, FALSE, erase);
}

void SECTreeBaseC::EnableSubItemText(BOOL enable) {
    if (enable && !storage_) storage_ = std::make_unique<SECSubItemTextStorage>();
    if (!enable) storage_.reset();
}

// ---- selection and labels ----

LRESULT SECTreeBaseC::OnSelectionChanging(int item_new, int item_old, BOOL from_mouse) {
    return SendTreeNotify(TVN_SELCHANGING, from_mouse ? TVC_BYMOUSE : TVC_BYKEYBOARD, NodeOfRow(item_old),
                          NodeOfRow(item_new));
}

void SECTreeBaseC::OnSelectionChanged(int item_new, int item_old, BOOL from_mouse) {
    SendTreeNotify(TVN_SELCHANGED, from_mouse ? TVC_BYMOUSE : TVC_BYKEYBOARD, NodeOfRow(item_old), NodeOfRow(item_new));
}

CEdit* SECTreeBaseC::EditLabel(HTREEITEM item) {
    if (!(list_style_ & LVS_EDITLABELS)) return nullptr;
    const int row = RowOf(item);
    return row >= 0 ? SECListBaseC::EditLabel(row, 0) : nullptr;
}

LRESULT SECTreeBaseC::NotifyBeginLabelEdit(int item, int sub_item) {
    if (sub_item != 0) return SECListBaseC::NotifyBeginLabelEdit(item, sub_item);
    TV_DISPINFO info{};
    if (_Node* node = NodeOfRow(item)) FillNotifyItem(node, &info.item);
    info.item.mask = TVIF_TEXT;
    return SendNotify(&info.hdr, TVN_BEGINLABELEDIT);
}

LRESULT SECTreeBaseC::NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept) {
    if (sub_item != 0) return SECListBaseC::NotifyEndLabelEdit(item, sub_item, text, accept);
    TV_DISPINFO info{};
    if (_Node* node = NodeOfRow(item)) FillNotifyItem(node, &info.item);
    info.item.mask = TVIF_TEXT;
    std::vector<char> buffer(kListTextBufferSize, '\0');
    info.item.pszText = nullptr;
    if (accept) {
        uikit::copy_text_out(buffer.data(), int(buffer.size()), text.str());
        info.item.pszText = buffer.data();
        info.item.cchTextMax = int(buffer.size());
    }
    const LRESULT result = SendNotify(&info.hdr, TVN_ENDLABELEDIT);
    if (result && accept) {
        buffer.back() = 0;
        text = CString(buffer.data(), uikit::cut_on_character(buffer.data(), int(buffer.size()) - 1));
    }
    return result;
}

void SECTreeBaseC::NotifyKeyDown(UINT key) {
    TV_KEYDOWN info{};
    info.wVKey = WORD(key);
    SendNotify(&info.hdr, TVN_KEYDOWN);
}

void SECTreeBaseC::OnBeginDrag(int item, CPoint point) {
    if (tree_style_ & TVS_DISABLEDRAGDROP) {
        dragging_ = drag_armed_ = FALSE;
        return;
    }
    SendTreeNotify(TVN_BEGINDRAG, 0, nullptr, NodeOfRow(item), point);
}

void SECTreeBaseC::OnBeginRDrag(int item, CPoint point) {
    if (tree_style_ & TVS_DISABLEDRAGDROP) {
        dragging_ = drag_armed_ = FALSE;
        return;
    }
    SendTreeNotify(TVN_BEGINRDRAG, 0, nullptr, NodeOfRow(item), point);
}

// ---- styles ----

DWORD SECTreeBaseC::GetTreeStyle() const {
    DWORD style = tree_style_;
    if (list_style_ & LVS_EDITLABELS) style |= TVS_EDITLABELS;
    if (list_style_ & LVS_SHOWSELALWAYS) style |= TVS_SHOWSELALWAYS;
    return style;
}

void SECTreeBaseC::GetTreeStyles(DWORD* style, DWORD* style_ex) const {
    if (style) *style = GetTreeStyle();
    if (style_ex) *style_ex = tree_style_ex_;
}

void SECTreeBaseC::SetTreeStyle(DWORD style, BOOL redraw) {
    tree_style_ = style & 0x17;
    DWORD list = list_style_ & ~(LVS_EDITLABELS | LVS_SHOWSELALWAYS);
    if (style & TVS_EDITLABELS) list |= LVS_EDITLABELS;
    if (style & TVS_SHOWSELALWAYS) list |= LVS_SHOWSELALWAYS;
    SetListCtrlStyle(list, redraw);
}

void SECTreeBaseC::SetTreeStyleEx(DWORD style, BOOL redraw) {
    tree_style_ex_ = style;
    DWORD list = list_style_ & ~(LVS_SINGLESEL | LVS_NOLABELWRAP | LVS_NOCOLUMNHEADER);
    if (!(style & TVXS_MULTISEL)) list |= LVS_SINGLESEL;
    if (!(style & TVXS_WORDWRAP)) list |= LVS_NOLABELWRAP;
    if (!(style & TVXS_COLUMNHEADER)) list |= LVS_NOCOLUMNHEADER;
    SetListCtrlStyle(list, FALSE);
    SetListCtrlStyleEx((list_style_ex_ & ~LVXS_LABELTIPS) | ((style & TVXS_LABELTIPS) ? LVXS_LABELTIPS : 0), redraw);
    if (!(style & TVXS_MULTISEL) && GetSelectedCount() > 1) DeselectAllItems(GetFocusItem());
}

void SECTreeBaseC::SetTreeStyles(DWORD style, DWORD style_ex, BOOL redraw) {
    SetTreeStyle(style, FALSE);
    SetTreeStyleEx(style_ex, redraw);
}

void SECTreeBaseC::ModifyTreeStyle(DWORD remove, DWORD add, BOOL redraw) {
    SetTreeStyle((GetTreeStyle() & ~remove) | add, redraw);
}

void SECTreeBaseC::ModifyTreeStyleEx(DWORD remove, DWORD add, BOOL redraw) {
    SetTreeStyleEx((tree_style_ex_ & ~remove) | add, redraw);
}

void SECTreeBaseC::ModifyTreeStyles(DWORD remove, DWORD add, DWORD remove_ex, DWORD add_ex, BOOL redraw) {
    ModifyTreeStyle(remove, add, FALSE);
    ModifyTreeStyleEx(remove_ex, add_ex, redraw);
}

void SECTreeBaseC::EnableLabelWrap(BOOL wrap) { ModifyTreeStyleEx(wrap ? 0 : TVXS_WORDWRAP, wrap ? TVXS_WORDWRAP : 0); }
void SECTreeBaseC::EnableLabelTips(BOOL tips) {
    ModifyTreeStyleEx(tips ? 0 : TVXS_LABELTIPS, tips ? TVXS_LABELTIPS : 0);
}
void SECTreeBaseC::EnableMultiSelect(BOOL multi) {
    ModifyTreeStyleEx(multi ? 0 : TVXS_MULTISEL, multi ? TVXS_MULTISEL : 0);
}

void SECTreeBaseC::ShowHeader(BOOL show) {
    ModifyTreeStyleEx(show ? 0 : TVXS_COLUMNHEADER, show ? TVXS_COLUMNHEADER : 0);
    if (m_hWnd) UpdateLayout();
}

CImageList* SECTreeBaseC::SetImageList(CImageList* list, int type) {
    CImageList* previous = SECListBaseC::SetImageList(list, type);
    int cx = 0, cy = 0;
    if (type == LVSIL_NORMAL && list && ImageList_GetIconSize(*list, &cx, &cy) && cx > indent_) SetIndent(cx);
    return previous;
}
