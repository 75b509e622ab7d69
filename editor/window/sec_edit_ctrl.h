#pragma once
// SECEditCtrl: the editor as a child control of a dialog. It owns its buffer, asks the
// dialog for every key (Tab and Enter included), tells its parent when it gains or
// loses the focus as an edit control does, and passes Escape on so the dialog can close.
#include <memory>

#include "editor/window/sec_edit_window.h"

namespace editor {

class SECEditCtrl : public SECEditWindow<CWnd> {
public:
    SECEditCtrl() = default;
    ~SECEditCtrl() override;

    // The control's own buffer, made on first use.
    SECEdit* GetBuffer() override;
    // Takes the place of the dialog's placeholder control `id`: its rectangle, its
    // place in the tab order; the placeholder goes.
    virtual BOOL CreateFromDlgItem(UINT id, CWnd* parent, DWORD ex_style = 0);

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()

private:
    void NotifyParent(WORD code);
    std::unique_ptr<SECEdit> buffer_;
};

}  // namespace editor
