#include "uikit/controls/list_edit.h"

BEGIN_MESSAGE_MAP(SECListEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

void SECListEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == UINT(VK_ESCAPE)) {
        client_->EndLabelEdit(FALSE);
        return;
    }
    if (key == UINT(VK_RETURN) && !client_->GetLabelWrap()) {
        client_->EndLabelEdit(TRUE);
        return;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

void SECListEdit::OnChar(UINT key, UINT repeat, UINT flags) {
    // The keys that ended the edit leave no character behind.
    if (key == 0x1B || (key == '\r' && !client_->GetLabelWrap())) return;
    CEdit::OnChar(key, repeat, flags);
}

UINT SECListEdit::OnGetDlgCode() { return UINT(DLGC_WANTALLKEYS); }
