#pragma once
// The entries the IDE's commands use: each runs its dialog modally over
// `parent` and changes the workspace only when the user ends it with OK.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ide/workspace/workspace_manager.h"
#include "platform/afx/afx.h"

namespace ide {

// Pages of the "New" sheet, or-ed into its mask.
enum NewSheetPages : unsigned { kFilePageBit = 1, kBankPageBit = 2, kProjectPageBit = 4 };

struct NewItemChoice {
    int kind = 0;  // 1 file, 2 bank, 3 project: the page the user ended on (a project when its page was offered)
    std::string file_path;              // file: location / name and the chosen type
    std::string file_bank;              // file: the bank to add it to, empty for none
    std::string bank_name, bank_param;  // bank and project: the (first) bank
    std::string project_path;           // project: the new project file, ".PRJ" when the name has no type
};

// The "New" sheet with the pages of `mask`; `location` presets the file
// page's folder. On OK, for a bank or project, the version block takes the
// bank's stack address; for a project the link mode and display name go to
// the workspace and its folder to "Settings"/"Last Directory".
std::optional<NewItemChoice> RunNewSheet(CWnd* parent, CVyrWorkspaceManager& workspace, unsigned mask,
                                         std::string_view location);

// "Project Setting": the general page and the bank page over every bank.
// `output` is the output path shown and `code_mode` 0 Bin, 1 Lib (-1 none).
// On OK the banks are committed, the version block takes the stack address of
// the bank on show, the link mode and display name go to the workspace, and
// the output path chosen is returned.
std::optional<std::string> RunProjectSettingSheet(CWnd* parent, CVyrWorkspaceManager& workspace,
                                                  std::string_view output, int code_mode);

// "File insert": the chosen bank name (empty when none was selected), or
// nothing when the user cancelled.
std::optional<std::string> RunSelectBankDialog(CWnd* parent, const std::vector<std::string>& names);

// "Porperty" for the selected library entry; on OK an inserted library's
// edited path is stored. False when no library is selected or on Cancel.
bool RunLibraryPropertyDialog(CWnd* parent, CVyrWorkspaceManager& workspace);

// "Select Standard Libraries" over the profile's "Environment"/"Default
// Libraries"; on OK the chosen ones not yet in the project are added. False on Cancel.
bool RunStandardLibraryDialog(CWnd* parent, CVyrWorkspaceManager& workspace);

}  // namespace ide
