#pragma once
// Dialog windows made from templates, and the modal loop that runs them.
// Internal to the window manager.
#include "platform/res/resources.h"
#include "platform/user/dialog_api.h"

namespace kit::user {

// Creates the dialog hidden (shown when the template asks), with its
// controls, and sends WM_INITDIALOG.
HWND create_dialog(const res::Dialog& t, HWND owner, DLGPROC proc, LPARAM param);
// Shows the dialog and runs it until EndDialog, WM_QUIT or its destruction;
// disables the owner meanwhile. Asks the script first when `question` is given.
LONG_PTR run_modal_dialog(HWND dialog, HWND owner, const DialogQuestion* question);
// The script's answer, if a script is set and answers.
std::optional<LONG_PTR> ask_dialog_script(const DialogQuestion& question);

}  // namespace kit::user
