#pragma once
// A ProjectTree held in memory: what the model's tests drive and inspect.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ide/workspace/project_tree.h"

namespace ide {

class MemoryTree : public ProjectTree {
public:
    TreeItem InsertItem(std::string_view text, int image, int selected_image, TreeItem parent,
                        TreeItem insert_after) override;
    void DeleteItem(TreeItem item) override;
    void DeleteAllItems() override;

    std::uint32_t GetItemData(TreeItem item) const override;
    void SetItemData(TreeItem item, std::uint32_t data) override;
    std::string GetItemText(TreeItem item) const override;
    void SetItemImage(TreeItem item, int image, int selected_image) override;

    TreeItem GetRootItem() const override;
    TreeItem GetChildItem(TreeItem item) const override;
    TreeItem GetNextSiblingItem(TreeItem item) const override;
    TreeItem GetPrevSiblingItem(TreeItem item) const override;
    TreeItem GetParentItem(TreeItem item) const override;
    TreeItem GetSelectedItem() const override { return selected_; }
    void SelectItem(TreeItem item) override { selected_ = item; }

    void ExpandAll(TreeItem item) override;
    void SetFocus() override { ++focus_count_; }

    // For tests.
    int GetItemImage(TreeItem item) const;
    bool IsExpanded(TreeItem item) const;
    std::size_t GetCount() const { return nodes_.size(); }
    // Refuses every insert after `count` more have succeeded (-1: never).
    void RefuseInsertsAfter(int count) { inserts_left_ = count; }
    // The whole tree as indented "text [data]" lines, for comparisons.
    std::string Dump() const;

private:
    struct Node {
        std::string text;
        std::uint32_t data = 0;
        int image = 0;
        int selected_image = 0;
        TreeItem parent = 0;
        std::vector<TreeItem> children;
        bool expanded = false;
    };
    const Node* find(TreeItem item) const;
    Node* find(TreeItem item);
    std::vector<TreeItem>& siblings_of(TreeItem parent);
    const std::vector<TreeItem>* siblings_list(TreeItem item) const;
    TreeItem sibling(TreeItem item, int step) const;
    void dump(TreeItem item, int depth, std::string& out) const;

    std::map<TreeItem, Node> nodes_;
    std::vector<TreeItem> top_level_;
    TreeItem next_handle_ = 1;
    TreeItem selected_ = 0;
    int focus_count_ = 0;
    int inserts_left_ = -1;
};

}  // namespace ide
