#pragma once
// What the template-built common dialogs (folder chooser, page setup, print)
// share: registering their template once and running it over its owner.
#include "platform/afx/wnd.h"
#include "platform/res/resources.h"

// Registers `module` on first use, then runs its dialog `template_id` modally
// over `parent` (the main window when null); `asking` reaches WM_INITDIALOG.
LONG_PTR run_common_dialog(const kit::res::Module& module, unsigned template_id, CWnd* parent, DLGPROC proc,
                           void* asking);

// The styles every common dialog template starts from.
constexpr DWORD kCommonDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kOkStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
