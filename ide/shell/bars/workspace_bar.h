#pragma once
// CWorkspaceBar: the docking "Workspace Window": a 3-D tab window whose one
// tab, "FileView", is the project tree the workspace manager builds. The bar
// opens sources on double click and Enter through its open callback, deletes
// the selected item on Delete, shows open folders for expanded items and
// offers the manager's context menu for the selected item.
#include <functional>
#include <string>

#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/bars/workspace_tree.h"
#include "ide/workspace/workspace_manager.h"
#include "uikit/controls/tab_3d_wnd.h"
#include "uikit/controls/tree_base.h"

// Opens a file of the workspace (the application's open-document operation,
// told that the open comes from the workspace).
using OpenWorkspaceFile = std::function<void(const std::string& path)>;

class CWorkspaceBar : public TabbedPaneBar {
    DECLARE_DYNAMIC(CWorkspaceBar)
public:
    static constexpr UINT kTreeId = 2001;
    static constexpr UINT kImagesBitmap = 202;
    static constexpr UINT kFileViewIcon = 129;

    CWorkspaceBar();

    // The tree the workspace manager is built on; usable once the bar exists.
    ide::ProjectTree& Tree() { return tree_model_; }
    SECTreeCtrl& TreeCtrl() { return tree_; }
    SEC3DTabWnd& TabWnd() { return tabs_; }
    void SetWorkspaceManager(ide::CVyrWorkspaceManager* manager) { manager_ = manager; }
    void SetOpenCallback(OpenWorkspaceFile open) { open_ = std::move(open); }

    // The FileView tab appears with the project and goes with it (WorkspaceHost::ShowWorkspaceTab).
    void ShowWorkspaceTab(bool shown);
    // Opens the selected item's file; libraries too when `libraries` is set.
    void OpenSelected(bool libraries);

    void OnExtendContextMenu(CMenu* menu) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    afx_msg void OnOpen();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    ide::ItemKind SelectedKind();

    SEC3DTabWnd tabs_;
    SECTreeCtrl tree_;
    CImageList images_;
    WorkspaceTree tree_model_{tree_};
    ide::CVyrWorkspaceManager* manager_ = nullptr;
    OpenWorkspaceFile open_;
};
