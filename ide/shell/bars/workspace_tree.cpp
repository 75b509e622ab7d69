#include "ide/shell/bars/workspace_tree.h"

#include <cstdio>

ide::TreeItem WorkspaceTree::InsertItem(std::string_view text, int image, int selected_image, ide::TreeItem parent,
                                        ide::TreeItem insert_after) {
    const std::string label(text);
    return ToItem(tree_.InsertItem(label.c_str(), image, selected_image, ToHandle(parent), ToHandle(insert_after)));
}

void WorkspaceTree::DeleteItem(ide::TreeItem item) { tree_.DeleteItem(ToHandle(item)); }
void WorkspaceTree::DeleteAllItems() { tree_.DeleteAllItems(); }

std::uint32_t WorkspaceTree::GetItemData(ide::TreeItem item) const {
    return item ? std::uint32_t(tree_.GetItemData(ToHandle(item))) : 0;
}

void WorkspaceTree::SetItemData(ide::TreeItem item, std::uint32_t data) { tree_.SetItemData(ToHandle(item), data); }

std::string WorkspaceTree::GetItemText(ide::TreeItem item) const {
    if (!item) return {};
    return std::string(tree_.GetItemText(ToHandle(item)));
}

void WorkspaceTree::SetItemImage(ide::TreeItem item, int image, int selected_image) {
    tree_.SetItemImage(ToHandle(item), image, selected_image);
}

ide::TreeItem WorkspaceTree::GetRootItem() const { return ToItem(tree_.GetRootItem()); }
ide::TreeItem WorkspaceTree::GetChildItem(ide::TreeItem item) const {
    return item ? ToItem(tree_.GetChildItem(ToHandle(item))) : 0;
}
ide::TreeItem WorkspaceTree::GetNextSiblingItem(ide::TreeItem item) const {
    return item ? ToItem(tree_.GetNextSiblingItem(ToHandle(item))) : 0;
}
ide::TreeItem WorkspaceTree::GetPrevSiblingItem(ide::TreeItem item) const {
    return item ? ToItem(tree_.GetPrevSiblingItem(ToHandle(item))) : 0;
}
ide::TreeItem WorkspaceTree::GetParentItem(ide::TreeItem item) const {
    return item ? ToItem(tree_.GetParentItem(ToHandle(item))) : 0;
}
ide::TreeItem WorkspaceTree::GetSelectedItem() const { return ToItem(tree_.GetSelectedItem()); }
void WorkspaceTree::SelectItem(ide::TreeItem item) { tree_.SelectItem(ToHandle(item)); }
void WorkspaceTree::ExpandAll(ide::TreeItem item) { tree_.ExpandAll(ToHandle(item)); }
void WorkspaceTree::SetFocus() {
    if (tree_.m_hWnd) tree_.SetFocus();
}

namespace {
void DumpItem(SECTreeBaseC& tree, HTREEITEM item, int depth, std::string& out) {
    for (; item; item = tree.GetNextSiblingItem(item)) {
        TV_ITEM info{};
        info.hItem = item;
        info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
        info.stateMask = TVIS_EXPANDED;
        tree.GetItem(&info, FALSE);
        char tail[64];
        std::snprintf(tail, sizeof tail, " [%08X] %d/%d\n", unsigned(info.lParam), info.iImage, info.iSelectedImage);
        out.append(std::size_t(depth) * 2, ' ');
        out += (info.state & TVIS_EXPANDED) ? "+" : "";
        out += tree.GetItemText(item);
        out += tail;
        DumpItem(tree, tree.GetChildItem(item), depth + 1, out);
    }
}
}  // namespace

std::string DumpTree(SECTreeBaseC& tree) {
    std::string out;
    DumpItem(tree, tree.GetRootItem(), 0, out);
    return out;
}
