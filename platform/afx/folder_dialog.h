#pragma once
// CFolderDialog: chooses a folder. The dialog shows the folder's path in an
// edit and its subfolders in a list (".." goes up; a double click enters a
// folder). OK takes the path typed or reached; a path that is not an existing
// folder is refused with a message. A test's script answers it like any
// template dialog: it sets the path edit and answers IDOK.
#include "platform/afx/byte_string.h"
#include "platform/afx/wnd.h"

class CFolderDialog {
public:
    enum : UINT { kPathEdit = 0x4B0, kFolderList = 0x4B1 };
    static constexpr unsigned kTemplateId = 0x7FF4;

    // A missing or empty initial folder starts at the current directory.
    explicit CFolderDialog(const char* title = nullptr, const char* initial_folder = nullptr, CWnd* parent = nullptr);
    // IDOK with an existing folder chosen; IDCANCEL leaves GetFolderPath as it was.
    int DoModal();
    // Absolute, without a trailing separator (except for the root).
    CString GetFolderPath() const { return folder_; }

private:
    CString title_;
    CString folder_;
    CWnd* parent_;
};
