#pragma once
// What the template-built common dialogs (folder chooser, page setup, print)
// share. Each is a form over a dialog template: it fills the controls, handles
// its own commands, and on OK checks what was typed, taking the values only
// when they are sound (otherwise it tells the user why and the dialog stays
// open). A test's script answers the dialog by setting controls and ending it
// with IDOK; the controls are read as the dialog closes and checked the same way.
#include <map>
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/wnd.h"
#include "platform/res/resources.h"

// The controls' state as the user left them.
struct DialogAnswers {
    std::map<int, CString> texts;
    std::map<int, bool> checks;
    CString text(int id) const;
    bool checked(int id) const;
};

class CommonDialogForm {
public:
    virtual ~CommonDialogForm() = default;
    virtual void fill(HWND dialog) = 0;
    // Commands other than OK and Cancel; true when handled.
    virtual bool command(HWND, WORD /*id*/, WORD /*code*/) { return false; }
    // Takes the answers when sound; otherwise shows why (over `owner`) and returns false.
    virtual bool accept(HWND owner, const DialogAnswers& answers) = 0;

    std::vector<int> edits;    // controls whose text the answers keep
    std::vector<int> buttons;  // check boxes and radio buttons whose state they keep
};

// Registers `module` on first use, then runs its dialog `template_id` modally
// over `parent` (the main window when null). IDOK only when the form accepted.
int run_common_dialog(const kit::res::Module& module, unsigned template_id, CWnd* parent, CommonDialogForm& form);

// A text as a whole number from `low` to `high`, or nothing.
bool parse_bounded(const CString& text, long low, long high, long* value);

// The styles every common dialog template starts from.
constexpr DWORD kCommonDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kOkStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
