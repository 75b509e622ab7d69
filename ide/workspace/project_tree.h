#pragma once
// The tree the project model lives in. The workspace bar implements it with
// the toolkit's tree control; MemoryTree (memory_tree.h) is the plain
// implementation the model's tests and headless tools use. Item handles are
// never 0 for a real item; 0 answers "none".
#include <cstdint>
#include <string>
#include <string_view>

namespace ide {

using TreeItem = std::uint32_t;

inline constexpr TreeItem kTreeRoot = 0xFFFF0000;   // parent of top-level items
inline constexpr TreeItem kTreeFirst = 0xFFFF0001;  // insert before the first child
inline constexpr TreeItem kTreeLast = 0xFFFF0002;   // insert after the last child

class ProjectTree {
public:
    virtual ~ProjectTree() = default;

    // 0 when the tree refuses the item.
    virtual TreeItem InsertItem(std::string_view text, int image, int selected_image, TreeItem parent,
                                TreeItem insert_after) = 0;
    virtual void DeleteItem(TreeItem item) = 0;  // with its children
    virtual void DeleteAllItems() = 0;

    virtual std::uint32_t GetItemData(TreeItem item) const = 0;  // 0 for an unknown item
    virtual void SetItemData(TreeItem item, std::uint32_t data) = 0;
    virtual std::string GetItemText(TreeItem item) const = 0;  // empty for an unknown item
    virtual void SetItemImage(TreeItem item, int image, int selected_image) = 0;

    virtual TreeItem GetRootItem() const = 0;
    virtual TreeItem GetChildItem(TreeItem item) const = 0;
    virtual TreeItem GetNextSiblingItem(TreeItem item) const = 0;
    virtual TreeItem GetPrevSiblingItem(TreeItem item) const = 0;
    virtual TreeItem GetParentItem(TreeItem item) const = 0;
    virtual TreeItem GetSelectedItem() const = 0;
    virtual void SelectItem(TreeItem item) = 0;

    virtual void ExpandAll(TreeItem item) = 0;  // the item and every descendant
    virtual void SetFocus() = 0;
};

}  // namespace ide
