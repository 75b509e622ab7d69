#include "ide/shell/dialogs/project_dialogs.h"

#include "ide/shell/dialogs/bank_pages.h"
#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/new_item_rules.h"
#include "ide/shell/dialogs/project_pages.h"
#include "ide/shell/dialogs/project_sheet.h"
#include "ide/shell/dialogs/library_dialogs.h"
#include "ide/shell/dialogs/select_bank_dialog.h"
#include "ide/workspace/text_utils.h"
#include "platform/profile/store.h"

namespace ide {

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kLastDirectory = "Last Directory";

}  // namespace

// The "New" sheet: its pages share the link mode the user picks, and the page
// last shown tells what is being created.
class CVYRNewSheet : public ProjectSheet {
public:
    CVYRNewSheet(CWnd* parent, CVyrWorkspaceManager& workspace, unsigned mask, std::string_view location)
        : ProjectSheet(dlg::kNewSheetCaption, parent),
          auto_link(workspace.GetAutoLink()),
          file(BankNames(workspace), std::string(location), &kind_),
          bank(auto_link, &kind_),
          project(auto_link, workspace.GetProfile().GetProfileString(kSettingsSection, kLastDirectory), &kind_),
          mask_(mask) {
        if (mask & kFilePageBit) AddPage(&file);
        if (mask & kBankPageBit) AddPage(&bank);
        if (mask & kProjectPageBit) AddPage(&project);
    }
    int GetActivePageKind() const { return mask_ & kProjectPageBit ? kNewProject : kind_; }

    bool auto_link;
    CVYRFilePage file;
    CVYRBankPage bank;
    CVYRProjectPage project;

protected:
    // A new project needs both its bank and its own page complete.
    bool AllowOk() override {
        if (!(mask_ & kProjectPageBit)) return true;
        for (int i = 0; i < GetPageCount(); ++i) {
            CPropertyPage* page = GetPage(i);
            const bool incomplete = (page == &bank && !bank.valid()) || (page == &project && !project.IsComplete());
            if (incomplete && page != GetActivePage()) {
                SetActivePage(i);
                return false;
            }
        }
        return true;
    }

private:
    static std::vector<std::string> BankNames(const CVyrWorkspaceManager& workspace) {
        std::vector<std::string> names;
        std::vector<std::uint32_t> keys;
        workspace.GetBankNames(names, keys);
        return names;
    }
    int kind_ = kNewNothing;
    unsigned mask_;
};

std::optional<NewItemChoice> RunNewSheet(CWnd* parent, CVyrWorkspaceManager& workspace, unsigned mask,
                                         std::string_view location) {
    CVYRNewSheet sheet(parent, workspace, mask, location);
    if (sheet.GetPageCount() == 0 || sheet.DoModal() != IDOK) return std::nullopt;
    NewItemChoice choice;
    choice.kind = sheet.GetActivePageKind();
    if (choice.kind == kNewFile) {
        choice.file_path = WithSeparator(sheet.file.location) + sheet.file.name + sheet.file.type;
        choice.file_bank = sheet.file.bank;
        return choice;
    }
    workspace.GetVersionBlock().stack_address = std::uint16_t(sheet.bank.layout().stack_address());
    choice.bank_name = sheet.bank.bank_name();
    choice.bank_param = sheet.bank.param();
    if (choice.kind == kNewProject) {
        workspace.SetAutoLink(sheet.auto_link);
        workspace.SetDisplayName(sheet.project.display_name);
        workspace.GetProfile().WriteProfileString(kSettingsSection, kLastDirectory, sheet.project.base_folder);
        choice.project_path = ProjectFilePath(sheet.project.location, sheet.project.name);
    }
    return choice;
}

std::optional<std::string> RunProjectSettingSheet(CWnd* parent, CVyrWorkspaceManager& workspace,
                                                  std::string_view output, int code_mode) {
    std::vector<BankRecord>* table = workspace.GetBankTable();
    if (!table) return std::nullopt;
    bool auto_link = workspace.GetAutoLink();
    CVyrGeneralSettingPage general(auto_link, std::string(output), code_mode, workspace.GetDisplayName());
    CVyrBankSettingPage bank(*table, auto_link);
    ProjectSheet sheet(dlg::kProjectSettingCaption, parent);
    sheet.AddPage(&general);
    sheet.AddPage(&bank);
    const bool ok = sheet.DoModal() == IDOK && bank.StoreCurrent();
    if (ok) {
        workspace.GetVersionBlock().stack_address = std::uint16_t(bank.layout().stack_address());
        workspace.CommitBankTable();
        workspace.SetAutoLink(auto_link);
        workspace.SetDisplayName(general.display_name);
    }
    workspace.FreeBankTable();
    if (!ok) return std::nullopt;
    return general.output;
}

std::optional<std::string> RunSelectBankDialog(CWnd* parent, const std::vector<std::string>& names) {
    CVyrSelBankDlg dialog(names, parent);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.selected();
}

bool RunLibraryPropertyDialog(CWnd* parent, CVyrWorkspaceManager& workspace) {
    LibraryRecord record;
    const std::uint32_t item_data = workspace.GetSelectedLibrary(record);
    if (item_data == 0) return false;
    CVyrLibPropertyDlg dialog(record, item_data, parent);
    if (dialog.DoModal() != IDOK) return false;
    workspace.SetSelectedLibraryPath(record);
    return true;
}

bool RunStandardLibraryDialog(CWnd* parent, CVyrWorkspaceManager& workspace) {
    std::vector<std::string> offered;
    SplitString(workspace.GetProfile().GetProfileString("Environment", "Default Libraries"), offered, ';');
    CVyrStdLibInsertDlg dialog(std::move(offered), parent);
    if (dialog.DoModal() != IDOK) return false;
    workspace.InsertStandardLibraries(dialog.chosen());
    return true;
}

}  // namespace ide
