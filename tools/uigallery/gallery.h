#pragma once
// uigallery: the toolkit's list and tree controls in one window: a report
// list of 100,000 rows beside a workspace-shaped tree and a two-column
// watch-shaped tree; the list sits in a 2-D tab window as the IDE's output
// bar does, the workspace tree in a 3-D one as in the workspace bar. A
// column at the right holds the directory page's folder edit with its
// browse button and the folder list editor.
#include "platform/afx/afx.h"
#include "uikit/controls/browse_edit.h"
#include "uikit/controls/list_box_editor.h"
#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tab_3d_wnd.h"
#include "uikit/controls/tab_wnd.h"
#include "uikit/controls/tree_base.h"

namespace uigallery {

inline constexpr int kListRows = 100000;
inline constexpr int kFolderColumnCx = 250;

class GalleryWindow : public CWnd {
public:
    BOOL CreateGallery();
    SECTabWnd output_tabs;
    SEC3DTabWnd workspace_tabs;
    CWnd output_pane, info_pane;
    SECListCtrl list;
    SECTreeCtrl workspace;
    SECTreeCtrl watch;
    SECBrowseDirEdit folder_edit;
    SECListBoxDirEditor folder_list;

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* old);
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()
};

// Fills the controls with their sample contents.
void fill_list(SECListCtrl& list, int rows);
void fill_workspace(SECTreeCtrl& tree);
void fill_watch(SECTreeCtrl& tree);

class GalleryApp : public CWinApp {
public:
    GalleryApp() : CWinApp("UI gallery") {}
    BOOL InitInstance() override;
    GalleryWindow window;
};

}  // namespace uigallery
