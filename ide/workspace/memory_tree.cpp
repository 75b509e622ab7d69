#include "ide/workspace/memory_tree.h"

#include <algorithm>
#include <cstdio>

namespace ide {

const MemoryTree::Node* MemoryTree::find(TreeItem item) const {
    const auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

MemoryTree::Node* MemoryTree::find(TreeItem item) {
    const auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

std::vector<TreeItem>& MemoryTree::siblings_of(TreeItem parent) {
    return parent == kTreeRoot || parent == 0 ? top_level_ : find(parent)->children;
}

const std::vector<TreeItem>* MemoryTree::siblings_list(TreeItem item) const {
    const Node* node = find(item);
    if (node == nullptr) return nullptr;
    return node->parent == 0 ? &top_level_ : &find(node->parent)->children;
}

TreeItem MemoryTree::InsertItem(std::string_view text, int image, int selected_image, TreeItem parent,
                                TreeItem insert_after) {
    if (parent != kTreeRoot && find(parent) == nullptr) return 0;
    if (inserts_left_ == 0) return 0;
    if (inserts_left_ > 0) --inserts_left_;
    std::vector<TreeItem>& list = siblings_of(parent);
    auto at = list.end();
    if (insert_after == kTreeFirst) {
        at = list.begin();
    } else if (insert_after != kTreeLast) {
        at = std::find(list.begin(), list.end(), insert_after);
        if (at != list.end()) ++at;
    }
    const TreeItem handle = next_handle_++;
    list.insert(at, handle);
    Node node;
    node.text = std::string(text);
    node.image = image;
    node.selected_image = selected_image;
    node.parent = parent == kTreeRoot ? 0 : parent;
    nodes_.emplace(handle, std::move(node));
    return handle;
}

void MemoryTree::DeleteItem(TreeItem item) {
    Node* node = find(item);
    if (node == nullptr) return;
    const std::vector<TreeItem> children = node->children;
    for (TreeItem child : children) DeleteItem(child);
    std::vector<TreeItem>& list = siblings_of(node->parent == 0 ? kTreeRoot : node->parent);
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
    if (selected_ == item) selected_ = 0;
    nodes_.erase(item);
}

void MemoryTree::DeleteAllItems() {
    nodes_.clear();
    top_level_.clear();
    selected_ = 0;
}

std::uint32_t MemoryTree::GetItemData(TreeItem item) const {
    const Node* node = find(item);
    return node == nullptr ? 0 : node->data;
}

void MemoryTree::SetItemData(TreeItem item, std::uint32_t data) {
    if (Node* node = find(item)) node->data = data;
}

std::string MemoryTree::GetItemText(TreeItem item) const {
    const Node* node = find(item);
    return node == nullptr ? std::string() : node->text;
}

void MemoryTree::SetItemImage(TreeItem item, int image, int selected_image) {
    if (Node* node = find(item)) {
        node->image = image;
        node->selected_image = selected_image;
    }
}

TreeItem MemoryTree::GetRootItem() const { return top_level_.empty() ? 0 : top_level_.front(); }

TreeItem MemoryTree::GetChildItem(TreeItem item) const {
    const Node* node = find(item);
    return node == nullptr || node->children.empty() ? 0 : node->children.front();
}

TreeItem MemoryTree::sibling(TreeItem item, int step) const {
    const std::vector<TreeItem>* list = siblings_list(item);
    if (list == nullptr) return 0;
    const auto at = std::find(list->begin(), list->end(), item);
    const auto index = (at - list->begin()) + step;
    return index < 0 || index >= static_cast<std::ptrdiff_t>(list->size()) ? 0 : (*list)[index];
}

TreeItem MemoryTree::GetNextSiblingItem(TreeItem item) const { return sibling(item, 1); }
TreeItem MemoryTree::GetPrevSiblingItem(TreeItem item) const { return sibling(item, -1); }

TreeItem MemoryTree::GetParentItem(TreeItem item) const {
    const Node* node = find(item);
    return node == nullptr ? 0 : node->parent;
}

void MemoryTree::ExpandAll(TreeItem item) {
    Node* node = find(item);
    if (node == nullptr) return;
    node->expanded = true;
    for (TreeItem child : node->children) ExpandAll(child);
}

int MemoryTree::GetItemImage(TreeItem item) const {
    const Node* node = find(item);
    return node == nullptr ? -1 : node->image;
}

bool MemoryTree::IsExpanded(TreeItem item) const {
    const Node* node = find(item);
    return node != nullptr && node->expanded;
}

void MemoryTree::dump(TreeItem item, int depth, std::string& out) const {
    const Node& node = *find(item);
    char data[16];
    std::snprintf(data, sizeof data, "%08X", node.data);
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text + " [" + data + "]\n";
    for (TreeItem child : node.children) dump(child, depth + 1, out);
}

std::string MemoryTree::Dump() const {
    std::string out;
    for (TreeItem item : top_level_) dump(item, 0, out);
    return out;
}

}  // namespace ide
