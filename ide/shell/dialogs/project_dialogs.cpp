#include "ide/shell/dialogs/project_dialogs.h"

#include "ide/shell/dialogs/bank_pages.h"
#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/project_sheet.h"
#include "ide/shell/dialogs/select_bank_dialog.h"

namespace ide {

std::optional<NewBankChoice> RunNewBankDialog(CWnd* parent, CVyrWorkspaceManager& workspace) {
    CVYRBankPage bank(workspace.GetAutoLink());
    ProjectSheet sheet(dlg::kNewSheetCaption, parent);
    sheet.AddPage(&bank);
    if (sheet.DoModal() != IDOK) return std::nullopt;
    workspace.GetVersionBlock().stack_address = std::uint16_t(bank.layout().stack_address());
    return NewBankChoice{bank.bank_name(), bank.param()};
}

bool RunBankSettingsDialog(CWnd* parent, CVyrWorkspaceManager& workspace) {
    std::vector<BankRecord>* table = workspace.GetBankTable();
    if (!table) return false;
    CVyrBankSettingPage bank(*table, workspace.GetAutoLink());
    ProjectSheet sheet(dlg::kProjectSettingCaption, parent);
    sheet.AddPage(&bank);
    const bool ok = sheet.DoModal() == IDOK && bank.StoreCurrent();
    if (ok) {
        workspace.GetVersionBlock().stack_address = std::uint16_t(bank.layout().stack_address());
        workspace.CommitBankTable();
    }
    workspace.FreeBankTable();
    return ok;
}

std::optional<std::string> RunSelectBankDialog(CWnd* parent, const std::vector<std::string>& names) {
    CVyrSelBankDlg dialog(names, parent);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.selected();
}

}  // namespace ide
