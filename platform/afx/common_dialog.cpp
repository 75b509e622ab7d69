#include "platform/afx/common_dialog.h"

#include <cerrno>
#include <cstdlib>
#include <set>

#include "platform/afx/app.h"

CString DialogAnswers::text(int id) const {
    const auto it = texts.find(id);
    return it == texts.end() ? CString() : it->second;
}

bool DialogAnswers::checked(int id) const {
    const auto it = checks.find(id);
    return it != checks.end() && it->second;
}

bool parse_bounded(const CString& text, long low, long high, long* value) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty()) return false;
    const char* start = trimmed;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(start, &end, 10);
    if (errno != 0 || *end != '\0' || number < low || number > high) return false;
    *value = number;
    return true;
}

namespace {

struct Running {
    CommonDialogForm* form;
    DialogAnswers answers;
    bool accepted = false;  // by the user's OK, while the dialog ran
};

DialogAnswers read_answers(HWND dialog, const CommonDialogForm& form) {
    DialogAnswers answers;
    for (int id : form.edits) {
        char text[4096] = {};
        ::GetDlgItemText(dialog, id, text, sizeof text);
        answers.texts[id] = text;
    }
    for (int id : form.buttons) answers.checks[id] = ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    return answers;
}

LONG_PTR common_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* running = reinterpret_cast<Running*>(::GetWindowLongPtr(dialog, GWL_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
            reinterpret_cast<Running*>(lParam)->form->fill(dialog);
            return TRUE;
        case WM_COMMAND:
            if (!running) return FALSE;
            if (LOWORD(wParam) == IDOK) {
                running->accepted = running->form->accept(dialog, read_answers(dialog, *running->form));
                if (running->accepted) ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return running->form->command(dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_DESTROY:
            // Read here, so that an answer given by script (which ends the dialog at once) is seen too.
            if (running) running->answers = read_answers(dialog, *running->form);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

int run_common_dialog(const kit::res::Module& module, unsigned template_id, CWnd* parent, CommonDialogForm& form) {
    static std::set<const kit::res::Module*> registered;
    if (registered.insert(&module).second) kit::res::register_module(&module);
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    HWND owner_window = owner ? owner->m_hWnd : nullptr;
    Running running{&form, {}, false};
    const LONG_PTR result = ::DialogBoxParam(nullptr, MAKEINTRESOURCE(template_id), owner_window, &common_dialog_proc,
                                             reinterpret_cast<LPARAM>(&running));
    if (result != IDOK) return IDCANCEL;
    // A script's IDOK ends the dialog without pressing OK: its answers are checked now.
    return running.accepted || form.accept(owner_window, running.answers) ? IDOK : IDCANCEL;
}
