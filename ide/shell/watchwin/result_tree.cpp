#include "ide/shell/watchwin/result_tree.h"

#include "ide/debugger/value_display.h"

IMPLEMENT_DYNAMIC(CResultTree, SECTreeCtrl)

void CResultTree::SetUpColumns(int width) {
    ModifyListCtrlStyle(0, 0x6C00000, FALSE);
    ModifyTreeStyleEx(0, TVXS_COLUMNHEADER, FALSE);
    // The tree's own column (the one with the lines and buttons) becomes "Name".
    if (GetColumnCount() == 0) InsertColumn(0, "Name", LVCFMT_LEFT, width * 40 / 100);
    SetColumnHeading(0, "Name");
    SetColumnWidth(0, width * 40 / 100);
    InsertColumn(1, "Value", LVCFMT_LEFT, width * 60 / 100);
    EnableSubItemText(TRUE);
}

HTREEITEM CResultTree::InsertResult(HTREEITEM parent, HTREEITEM after, const ide::DisplayItem& item,
                                    std::shared_ptr<ide::CFormular> formular, bool hex) {
    TV_INSERTSTRUCT insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after ? after : TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(item.name.c_str());
    insert.item.cChildren = item.expandable && formular ? 1 : 0;
    HTREEITEM handle = InsertItem(&insert);
    if (!handle) return nullptr;
    SetItemText(handle, 1, item.text.c_str());
    lines_[std::uintptr_t(handle)] = Line{item, std::move(formular), hex, false, false};
    return handle;
}

bool CResultTree::BuildChildren(HTREEITEM item) {
    Line* line = LineOf(item);
    if (!line) return false;
    if (line->built) return GetChildItem(item) != nullptr;
    if (!line->formular || !line->item.expandable) return false;
    line->built = true;
    // Inserting rehashes lines_: keep what the children need.
    const std::shared_ptr<ide::CFormular> formular = line->formular;
    const ide::DisplayItem parent = line->item;
    const bool hex = line->hex;
    formular->SetHexMode(hex);
    HTREEITEM after = nullptr;
    for (const ide::DisplayItem& child : ide::expand_value(*formular, parent))
        after = InsertResult(item, after, child, formular, hex);
    if (!after) {
        TV_ITEM none{};
        none.mask = TVIF_HANDLE | TVIF_CHILDREN;
        none.hItem = item;
        SetItem(&none);
    }
    return after != nullptr;
}

LRESULT CResultTree::NotifyItemExpanding(_Node* node, UINT code) {
    if ((code & 0xFF) == TVE_EXPAND && !node->GetRawFirstChild()) BuildChildren(HandleOf(node));
    return SECTreeCtrl::NotifyItemExpanding(node, code);
}

namespace {
std::string child_key(const std::string& parent, const CString& name) { return parent + '\x1f' + name.str(); }
}  // namespace

std::string CResultTree::RootKey(HTREEITEM root) {
    int index = 0;
    for (HTREEITEM item = GetRootItem(); item && item != root; item = GetNextSiblingItem(item)) ++index;
    return child_key(std::to_string(index), GetItemText(root, 0));
}

ResultSnapshot CResultTree::Snapshot() {
    ResultSnapshot out;
    for (HTREEITEM root = GetRootItem(); root; root = GetNextSiblingItem(root)) SnapshotBelow(root, RootKey(root), out);
    return out;
}

void CResultTree::SnapshotBelow(HTREEITEM item, const std::string& key, ResultSnapshot& out) {
    out.texts[key] = GetItemText(item, 1).str();
    if (IsChanged(item)) out.changed.insert(key);
    if (item == GetSelectedItem()) out.selected = key;
    if (!(GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED)) return;
    out.expanded.insert(key);
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
        SnapshotBelow(child, child_key(key, GetItemText(child, 0)), out);
}

void CResultTree::Restore(HTREEITEM item, const std::string& key, const ResultSnapshot& before, Marks marks) {
    if (marks != Marks::none) {
        auto old = before.texts.find(key);
        const bool differs = old != before.texts.end() && old->second != GetItemText(item, 1).str();
        SetChanged(item, differs || (marks == Marks::kept && before.changed.count(key)));
    }
    if (key == before.selected) SelectItem(item);
    if (!before.expanded.count(key) || !BuildChildren(item)) return;
    Expand(item, TVE_EXPAND, FALSE);
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
        Restore(child, child_key(key, GetItemText(child, 0)), before, marks);
}

void CResultTree::DropFormulars() {
    for (auto& [handle, line] : lines_) line.formular.reset();
}

void CResultTree::SetChanged(HTREEITEM item, bool changed) {
    if (Line* line = LineOf(item)) line->changed = changed;
}

bool CResultTree::IsChanged(HTREEITEM item) const {
    const Line* line = LineOf(item);
    return line && line->changed;
}

bool CResultTree::IsHexLine(HTREEITEM item) const {
    const Line* line = LineOf(item);
    return line && line->hex;
}

void CResultTree::GetItemColors(SECListPaintContext* pc) {
    SECTreeCtrl::GetItemColors(pc);
    auto* tree_pc = static_cast<SECTreePaintContext*>(pc);
    if (pc->lvi.iSubItem == 1 && tree_pc->node && IsChanged(HandleOf(tree_pc->node)) &&
        !(pc->lvi.state & LVIS_SELECTED && ::GetFocus() == m_hWnd))
        pc->text_color = kChangedColor;
}

void CResultTree::OnDeleteItem(_Node* node) {
    lines_.erase(std::uintptr_t(HandleOf(node)));
    SECTreeCtrl::OnDeleteItem(node);
}

CResultTree::Line* CResultTree::LineOf(HTREEITEM item) {
    auto found = lines_.find(std::uintptr_t(item));
    return found == lines_.end() ? nullptr : &found->second;
}

const CResultTree::Line* CResultTree::LineOf(HTREEITEM item) const {
    auto found = lines_.find(std::uintptr_t(item));
    return found == lines_.end() ? nullptr : &found->second;
}
