#pragma once
// OEFindDlg: the editor's modeless Find and Replace dialogs. The framework's dialog
// with a "Regular expression" box, a "Wrap around search" box and a "Mark All"
// button; the find text comes from the word at the caret or the newest history entry.
#include "editor/sec_edit_core.h"
#include "platform/afx/afx.h"

namespace editor {

class OEFindDlg : public CFindReplaceDialog {
public:
    enum : UINT { kMarkAll = 101, kRegularExpressions = 102, kWrapSearch = 108 };

    // Opens the dialog (Find, or Replace when `replace`) for `owner` with the
    // profile's options and histories; `find_text` empty takes the newest find.
    BOOL Open(bool replace, const std::string& find_text, ProfileAccess& profile, CWnd* owner);
    bool IsReplace() const { return replace_; }

    // The request the dialog's last notification carries, its options read from the
    // boxes; taking it ends a Mark All request.
    SECEditCore::FindDialogRequest Request();
    // After a request: Replace and Replace All on or off.
    void EnableReplace(bool enable);

    BOOL OnInitDialog() override;
    afx_msg void OnMarkAll();

protected:
    DECLARE_MESSAGE_MAP()

private:
    void AddControl(const char* cls, UINT id, const char* text, DWORD style, CRect units);

    bool replace_ = false;
    bool mark_all_ = false;
    FindSettings settings_;
};

}  // namespace editor
