#include "tools/uigallery/gallery.h"

namespace uigallery {

BEGIN_MESSAGE_MAP(GalleryWindow, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

BOOL GalleryWindow::CreateGallery() {
    const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), HBRUSH(::GetStockObject(WHITE_BRUSH)));
    return CreateEx(0, cls, "UI gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 1010, 480, nullptr, nullptr);
}

int GalleryWindow::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    const CRect none(0, 0, 10, 10);
    // The tab windows take the IDE's style words (output bar, workspace bar).
    if (!output_tabs.Create(this, 0x50300012, 0xE900) || !workspace_tabs.Create(this, 0x50000010, 0xE901)) return -1;
    const char* pane_class = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
    if (!output_pane.CreateEx(0, pane_class, "", WS_CHILD, none, &output_tabs, 0xEB01) ||
        !info_pane.CreateEx(0, pane_class, "", WS_CHILD, none, &workspace_tabs, 0xEB01))
        return -1;
    if (!list.Create(
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS | LVS_SHOWSELALWAYS,
            none, &output_tabs, 1000))
        return -1;
    list.ModifyListCtrlStyle(0, LVXS_HGRIDLINES | LVXS_VGRIDLINES | LVXS_LABELTIPS);
    // The workspace and watch trees take the IDE's style words.
    if (!workspace.CreateEx(WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x37, 0x2800000, none, &workspace_tabs, 2001))
        return -1;
    if (!watch.CreateEx(WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x37 | TVS_EDITLABELS, 0x2800000, none, this, 2002))
        return -1;
    // The directory page: a folder edit and the folder list, made from plain controls as a dialog's are.
    const DWORD edit_style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD list_style =
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    ::CreateWindowEx(0, "EDIT", "/usr/local/include", edit_style, 0, 0, 100, 20, m_hWnd, HMENU(UINT_PTR(3001)), nullptr,
                     nullptr);
    ::CreateWindowEx(0, "LISTBOX", "Include folders", list_style, 0, 30, 100, 100, m_hWnd, HMENU(UINT_PTR(3002)),
                     nullptr, nullptr);
    for (int id : {3001, 3002})
        ::SendDlgItemMessage(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    if (!folder_edit.Initialize(3001, this) || !folder_list.Initialize(this, 3002, 0xF3E)) return -1;
    folder_list.RefillRows({"/usr/include", "/opt/kit/include", "../common"});
    fill_list(list, kListRows);
    fill_workspace(workspace);
    fill_watch(watch);
    output_tabs.AddTab(&list, "Symbols");
    output_tabs.AddTab(&output_pane, "Build");
    output_tabs.SetScrollStyle(1, WS_HSCROLL | WS_VSCROLL);
    output_tabs.ActivateTab(0);
    workspace_tabs.AddTab(&workspace, "Files");
    workspace_tabs.AddTab(&info_pane, "Info");
    workspace_tabs.Control()->EnableTab(1, FALSE);
    workspace_tabs.ActivateTab(0);
    return 0;
}

void GalleryWindow::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (!output_tabs.m_hWnd) return;
    const int column = cx - kFolderColumnCx;
    const int edit_cy = 22;
    folder_edit.MoveWindow(column + 2, 4, kFolderColumnCx - 8 - SECBrowseButton::kWidth - 1, edit_cy);
    folder_edit.GetButton()->MoveWindow(cx - 6 - SECBrowseButton::kWidth, 4, SECBrowseButton::kWidth, edit_cy);
    folder_list.MoveWindow(column + 2, edit_cy + 10, kFolderColumnCx - 8, cy - edit_cy - 14);
    cx = column;
    const int half = cx / 2;
    output_tabs.MoveWindow(4, 4, half - 6, cy - 8);
    workspace_tabs.MoveWindow(half + 2, 4, cx - half - 6, cy / 2 - 6);
    watch.MoveWindow(half + 2, cy / 2 + 2, cx - half - 6, cy - cy / 2 - 6);
}

void GalleryWindow::OnSetFocus(CWnd*) { output_tabs.RefocusActiveTab(); }

void GalleryWindow::OnDestroy() {
    CWnd::OnDestroy();
    PostQuitMessage(0);
}

void fill_list(SECListCtrl& list, int rows) {
    list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 130);
    list.InsertColumn(1, "Address", LVCFMT_RIGHT, 70);
    list.InsertColumn(2, "Bank", LVCFMT_CENTER, 50);
    list.InsertColumn(3, "Kind", LVCFMT_LEFT, 60);
    static const char* const kinds[] = {"code", "data", "const", "label"};
    for (int i = 0; i < rows; ++i) {
        const int index = list.InsertItemText(i, AfxFormat("symbol_%06d", i));
        list.SetItemText(index, 1, AfxFormat("0x%04X", (i * 7) & 0xFFFF));
        list.SetItemText(index, 2, AfxFormat("%d", i % 27));
        list.SetItemText(index, 3, kinds[i % 4]);
    }
}

void fill_workspace(SECTreeCtrl& tree) {
    HTREEITEM project = tree.InsertItem("Game project");
    tree.SetItemData(project, 0x01000000);
    tree.SetItemState(project, TVIS_BOLD, TVIS_BOLD);
    for (int b = 1; b <= 3; ++b) {
        HTREEITEM bank = tree.InsertItem(AfxFormat("Bank %d", b), TV_NO_IMAGE, TV_NO_IMAGE, project);
        tree.SetItemData(bank, 0x02000000 | b);
        HTREEITEM c_files = tree.InsertItem("C files", TV_NO_IMAGE, TV_NO_IMAGE, bank);
        HTREEITEM asm_files = tree.InsertItem("Asm files", TV_NO_IMAGE, TV_NO_IMAGE, bank);
        for (int f = 0; f < 3; ++f) {
            HTREEITEM source =
                tree.InsertItem(AfxFormat("module%d_%d.c", b, f), TV_NO_IMAGE, TV_NO_IMAGE, c_files, TVI_SORT);
            tree.SetItemData(source, 0x04000000 | (b * 10 + f));
        }
        tree.InsertItem(AfxFormat("vectors%d.asm", b), TV_NO_IMAGE, TV_NO_IMAGE, asm_files);
    }
    HTREEITEM libs = tree.InsertItem("Library files", TV_NO_IMAGE, TV_NO_IMAGE, project);
    tree.InsertItem("gfx.lib", TV_NO_IMAGE, TV_NO_IMAGE, libs);
    tree.Expand(project, TVE_EXPAND, FALSE);
    tree.Expand(tree.GetChildItem(project), TVE_EXPAND, FALSE);
    tree.SelectItem(project);
}

void fill_watch(SECTreeCtrl& tree) {
    tree.ShowHeader(TRUE);
    tree.SetColumnHeading(0, "Name");
    tree.SetColumnWidth(0, 150);
    tree.InsertColumn(1, "Value", LVCFMT_LEFT, 180);
    tree.EnableSubItemText(TRUE);
    HTREEITEM player = tree.InsertItem("player");
    tree.SetItemText(player, 1, "{...}");
    static const char* const fields[][2] = {{"x", "12 (0x0C)"}, {"y", "-1 (0xFF)"}, {"lives", "3"}};
    for (const auto& field : fields) {
        HTREEITEM item = tree.InsertItem(field[0], TV_NO_IMAGE, TV_NO_IMAGE, player);
        tree.SetItemText(item, 1, field[1]);
    }
    HTREEITEM score = tree.InsertItem("score");
    tree.SetItemText(score, 1, "3000000000");
    tree.InsertItem("    ");  // the empty row where a new watch is typed
    tree.Expand(player, TVE_EXPAND, FALSE);
}

BOOL GalleryApp::InitInstance() {
    if (!window.CreateGallery()) return FALSE;
    m_pMainWnd = &window;
    window.ShowWindow(SW_SHOW);
    window.UpdateWindow();
    window.list.SetFocus();
    return TRUE;
}

}  // namespace uigallery
