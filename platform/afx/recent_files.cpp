#include "platform/afx/recent_files.h"

#include <algorithm>

#include "platform/afx/app.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/menu.h"

CRecentFileList::CRecentFileList(UINT first_command, const char* section, const char* entry_format, int size)
    : first_command_(first_command), section_(section), entry_format_(entry_format), size_(std::clamp(size, 0, 16)) {}

void CRecentFileList::Add(const char* path) {
    if (!path || !*path || size_ == 0) return;
    for (int i = 0; i < names_.GetSize(); ++i) {
        if (names_[i].CompareNoCase(path) == 0) {
            names_.RemoveAt(i);
            break;
        }
    }
    names_.InsertAt(0, path);
    if (names_.GetSize() > size_) names_.SetSize(size_);
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < names_.GetSize()) names_.RemoveAt(index);
}

void CRecentFileList::ReadList() {
    names_.RemoveAll();
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 0; i < size_; ++i) {
        const CString name = app->GetProfileString(section_, AfxFormat(entry_format_, i + 1));
        if (!name.IsEmpty()) names_.Add(name);
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 0; i < size_; ++i) {
        const CString entry = AfxFormat(entry_format_, i + 1);
        app->WriteProfileString(section_, entry, i < names_.GetSize() ? names_[i].str().c_str() : nullptr);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* cmd_ui) {
    CMenu* menu = cmd_ui->m_pMenu;
    if (!menu) return;
    // Drop the items this list wrote last time, then write the current names.
    for (UINT id = first_command_; id < first_command_ + UINT(size_); ++id) menu->DeleteMenu(id, MF_BYCOMMAND);
    if (names_.IsEmpty()) {
        menu->InsertMenu(cmd_ui->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, first_command_, "Recent File");
        return;
    }
    for (int i = 0; i < names_.GetSize(); ++i) {
        const CString text = AfxFormat("&%d %s", i + 1, names_[i].str().c_str());
        menu->InsertMenu(cmd_ui->m_nIndex + UINT(i), MF_BYPOSITION | MF_STRING, first_command_ + UINT(i), text);
    }
    cmd_ui->m_nIndex += UINT(names_.GetSize()) - 1;
    cmd_ui->m_nIndexMax = menu->GetMenuItemCount();
}
