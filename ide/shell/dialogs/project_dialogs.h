#pragma once
// The entries the IDE's commands use: each runs its dialog modally over
// `parent` and changes the workspace only when the user ends it with OK.
#include <optional>
#include <string>
#include <vector>

#include "ide/workspace/workspace_manager.h"
#include "platform/afx/afx.h"

namespace ide {

struct NewBankChoice {
    std::string name;
    std::string param;  // the bank parameter string, for AddBank
};

// The "New" sheet on its bank page. On OK the version block takes the bank's
// stack address and the choice is returned for the caller to add.
std::optional<NewBankChoice> RunNewBankDialog(CWnd* parent, CVyrWorkspaceManager& workspace);

// The bank page of "Project Setting" over every bank of the open project. On
// OK the edited banks are committed and the version block takes the stack
// address of the bank last shown; true then.
bool RunBankSettingsDialog(CWnd* parent, CVyrWorkspaceManager& workspace);

// "File insert": the chosen bank name (empty when none was selected), or
// nothing when the user cancelled.
std::optional<std::string> RunSelectBankDialog(CWnd* parent, const std::vector<std::string>& names);

}  // namespace ide
