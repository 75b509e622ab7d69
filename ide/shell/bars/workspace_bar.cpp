#include "ide/shell/bars/workspace_bar.h"

#include "ide/shell/bars/output_bar.h"
#include "ide/workspace/context_menu.h"

IMPLEMENT_DYNAMIC(CWorkspaceBar, TabbedPaneBar)

BEGIN_MESSAGE_MAP(CWorkspaceBar, TabbedPaneBar)
ON_COMMAND(ide::kCommandOpen, OnOpen)
ON_COMMAND(ide::kCommandDelete, OnDelete)
END_MESSAGE_MAP()

namespace {
constexpr int kClosedFolder = 0;
constexpr int kOpenFolder = 1;
}  // namespace

CWorkspaceBar::CWorkspaceBar() : TabbedPaneBar(kTabStyle3D, Backdrop::whole_client) { RegisterBarResources(); }

// The tree becomes the FileView tab only when a workspace opens (ShowWorkspaceTab).
bool CWorkspaceBar::CreatePanes(const CREATESTRUCT&) {
    images_.Create(16, 16, ILC_MASK, 8, 8);
    CBitmap pictures;
    if (pictures.LoadBitmap(kImagesBitmap)) images_.Add(&pictures, RGB(0, 255, 0));
    if (!tree_.CreateEx(0x40000037, 0x2800000, CRect(0, 0, 0, 0), &tabs_, kTreeId)) return false;
    tree_.SetImageList(&images_, LVSIL_NORMAL);
    tree_.SetNotifyWnd(this);
    return true;
}

void CWorkspaceBar::ShowWorkspaceTab(bool shown) {
    if (!tabs_.m_hWnd) return;
    if (shown) {
        if (tabs_.GetTabCount() == 0) AddPane(tree_, "FileView");
        tabs_.SetTabIcon(0, kFileViewIcon, 16, 16);
        ShowTab(0);
        tree_.ShowWindow(SW_SHOW);
    } else {
        tree_.ShowWindow(SW_HIDE);
        if (tabs_.GetTabCount() > 0) tabs_.RemoveTab(0);
        Invalidate();
    }
}

ide::ItemKind CWorkspaceBar::SelectedKind() {
    HTREEITEM item = tree_.GetSelectedItem();
    return item ? ide::KindOf(std::uint32_t(tree_.GetItemData(item))) : ide::ItemKind::none;
}

void CWorkspaceBar::OpenSelected(bool libraries) {
    HTREEITEM item = tree_.GetSelectedItem();
    if (!item || !manager_ || !open_) return;
    if (!libraries && SelectedKind() == ide::ItemKind::library) return;
    const std::string path = manager_->GetFilePath(ToItem(item));
    if (!path.empty()) open_(path);
}

void CWorkspaceBar::OnOpen() { OpenSelected(true); }

void CWorkspaceBar::OnDelete() {
    if (manager_) manager_->DeleteSelectedItem();
}

BOOL CWorkspaceBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == kTreeId) {
        switch (header->code) {
            case NM_DBLCLK:
            case NM_RETURN: OpenSelected(false); break;
            case TVN_KEYDOWN:
                if (reinterpret_cast<const TV_KEYDOWN*>(header)->wVKey == VK_DELETE) OnDelete();
                break;
            case TVN_ITEMEXPANDED: {
                const auto* change = reinterpret_cast<const NM_TREEVIEW*>(header);
                const int image = (change->itemNew.state & TVIS_EXPANDED) ? kOpenFolder : kClosedFolder;
                tree_.SetItemImage(change->itemNew.hItem, image, image);
                break;
            }
            default: break;
        }
    }
    return TabbedPaneBar::OnNotify(wParam, lParam, result);
}

void CWorkspaceBar::OnExtendContextMenu(CMenu* menu) {
    for (std::uint32_t command : ide::ContextMenuCommands(SelectedKind())) {
        if (command == ide::kMenuSeparator) {
            menu->AppendMenu(MF_SEPARATOR);
            continue;
        }
        CString text;
        text.LoadString(command);
        menu->AppendMenu(MF_STRING, command, text);
    }
}

BOOL CWorkspaceBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (TabbedPaneBar::OnCommand(wParam, lParam)) return TRUE;
    // The project commands of the context menu belong to the application: the frame routes them.
    CWnd* owner = GetOwner();
    if (lParam == 0 && owner && owner != this) return BOOL(owner->SendMessage(WM_COMMAND, wParam, lParam));
    return FALSE;
}
