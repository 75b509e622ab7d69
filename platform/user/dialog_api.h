#pragma once
// Dialogs built from resource templates, dialog navigation, message boxes,
// and the script that answers them when a test runs headless.
#include <functional>
#include <optional>
#include <string>

#include "platform/user/control_styles.h"
#include "platform/user/user_types.h"

using DLGPROC = LONG_PTR (*)(HWND, UINT, WPARAM, LPARAM);

HWND CreateDialogParam(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc, LPARAM param);
HWND CreateDialog(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc);
// Runs the dialog modally: its owner is disabled until EndDialog. A WM_QUIT
// ends it with IDCANCEL and is posted again; -1 when the template is missing.
LONG_PTR DialogBoxParam(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc, LPARAM param);
LONG_PTR DialogBox(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc);
BOOL EndDialog(HWND dialog, LONG_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND dialog, MSG* msg);

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemText(HWND dialog, int id, const char* text);
UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND dialog, RECT* rect);

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);

namespace kit::user {

// What a script is asked about: a message box before it shows, or a modal
// dialog just after WM_INITDIALOG.
struct DialogQuestion {
    bool message_box = false;
    unsigned template_id = 0;  // dialogs from templates
    std::string caption;
    std::string text;       // message boxes
    UINT type = 0;          // message boxes: MB_ flags
    HWND dialog = nullptr;  // dialogs: to read or set controls
};

// An answer ends the message box or dialog with that result; no answer lets it
// run on the input the test injects.
using DialogScript = std::function<std::optional<LONG_PTR>(const DialogQuestion&)>;
void set_dialog_script(DialogScript script);

}  // namespace kit::user
