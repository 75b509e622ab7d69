#include "ide/shell/dialogs/select_bank_dialog.h"

#include "ide/shell/dialogs/dialog_ids.h"

namespace ide {

CVyrSelBankDlg::CVyrSelBankDlg(const std::vector<std::string>& names, CWnd* parent)
    : CDialog(dlg::kSelectBankDialog, parent), names_(names) {}

BOOL CVyrSelBankDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const std::string& name : names_)
        ::SendDlgItemMessage(m_hWnd, dlg::kBankList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendDlgItemMessage(m_hWnd, dlg::kBankList, LB_SETCURSEL, 0, 0);
    return TRUE;
}

void CVyrSelBankDlg::OnOK() {
    HWND list = ::GetDlgItem(m_hWnd, dlg::kBankList);
    const LRESULT index = ::SendMessage(list, LB_GETCURSEL, 0, 0);
    selected_.clear();
    if (index != LB_ERR) {
        const LRESULT length = ::SendMessage(list, LB_GETTEXTLEN, WPARAM(index), 0);
        if (length > 0) {
            std::string text(std::size_t(length) + 1, '\0');
            ::SendMessage(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
            text.resize(std::size_t(length));
            selected_ = text;
        }
    }
    CDialog::OnOK();
}

}  // namespace ide
