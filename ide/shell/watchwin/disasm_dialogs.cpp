#include "ide/shell/watchwin/disasm_dialogs.h"

#include "ide/shell/watchwin/watch_window.h"
#include "ide/workspace/text_utils.h"

CVyrDisasmInputDlg::CVyrDisasmInputDlg(CWnd* parent) : CDialog(kTemplate, parent) { RegisterWatchWindowResources(); }

void CVyrDisasmInputDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, kStartEdit, m_start);
    DDX_Text(dx, kEndEdit, m_end);
}

CVyrDisasmAddBPDlg::CVyrDisasmAddBPDlg(CWnd* parent) : CDialog(kTemplate, parent) { RegisterWatchWindowResources(); }

BOOL CVyrDisasmAddBPDlg::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    ::SendDlgItemMessage(m_hWnd, kAddressEdit, EM_LIMITTEXT, kMaxChars, 0);
    return result;
}

void CVyrDisasmAddBPDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, kAddressEdit, m_address);
    DDV_MaxChars(dx, m_address, kMaxChars);
}

std::uint32_t CVyrDisasmAddBPDlg::GetAddress() const { return ide::StringToNumber(m_address.str(), 0xFFFF); }
