#pragma once
// The project model's tree interface over the toolkit's tree control: the
// workspace manager builds and walks the project in the control the user sees.
#include <string>

#include "ide/workspace/project_tree.h"
#include "uikit/controls/tree_base.h"

class WorkspaceTree : public ide::ProjectTree {
public:
    explicit WorkspaceTree(SECTreeBaseC& tree) : tree_(tree) {}

    ide::TreeItem InsertItem(std::string_view text, int image, int selected_image, ide::TreeItem parent,
                             ide::TreeItem insert_after) override;
    void DeleteItem(ide::TreeItem item) override;
    void DeleteAllItems() override;
    std::uint32_t GetItemData(ide::TreeItem item) const override;
    void SetItemData(ide::TreeItem item, std::uint32_t data) override;
    std::string GetItemText(ide::TreeItem item) const override;
    void SetItemImage(ide::TreeItem item, int image, int selected_image) override;
    ide::TreeItem GetRootItem() const override;
    ide::TreeItem GetChildItem(ide::TreeItem item) const override;
    ide::TreeItem GetNextSiblingItem(ide::TreeItem item) const override;
    ide::TreeItem GetPrevSiblingItem(ide::TreeItem item) const override;
    ide::TreeItem GetParentItem(ide::TreeItem item) const override;
    ide::TreeItem GetSelectedItem() const override;
    void SelectItem(ide::TreeItem item) override;
    void ExpandAll(ide::TreeItem item) override;
    void SetFocus() override;

private:
    SECTreeBaseC& tree_;
};

inline HTREEITEM ToHandle(ide::TreeItem item) { return reinterpret_cast<HTREEITEM>(std::uintptr_t(item)); }
inline ide::TreeItem ToItem(HTREEITEM handle) { return ide::TreeItem(reinterpret_cast<std::uintptr_t>(handle)); }

// The whole tree as indented lines "text [data] image/selected image", with
// "+" before an expanded item: what a person sees, for comparisons.
std::string DumpTree(SECTreeBaseC& tree);
