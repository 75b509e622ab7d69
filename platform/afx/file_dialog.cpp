#include "platform/afx/file_dialog.h"

#include <unistd.h>

#include <algorithm>

#include "platform/afx/app.h"
#include "platform/res/resources.h"

namespace {

constexpr int kNameEdit = 0x480;

// A small dialog of one edit: the name typed, or set by a test's script
// (SetDlgItemText on the edit, then IDOK).
const kit::res::Module& file_dialog_module() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "afx common dialogs";
        kit::res::Dialog d;
        d.id = CFileDialog::kTemplateId;
        d.caption = "Open";
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        d.cx = 220;
        d.cy = 52;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        d.controls = {
            {"STATIC", 0xFFFF, "File &name:", WS_CHILD | WS_VISIBLE, 0, 7, 9, 40, 8},
            {"EDIT", kNameEdit, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 50, 7, 163, 12},
            {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 109, 30, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 163, 30, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

struct Asking {
    CString title;
    CString initial;
    CString answer;
};

LONG_PTR file_dialog_proc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
        const auto* asking = reinterpret_cast<Asking*>(lParam);
        ::SetWindowText(dialog, asking->title);
        ::SetDlgItemText(dialog, kNameEdit, asking->initial);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        // Read here, so that an answer given by script (which ends the dialog at once) sees the name too.
        if (auto* asking = reinterpret_cast<Asking*>(::GetWindowLongPtr(dialog, GWL_USERDATA))) {
            char name[4096] = {};
            ::GetDlgItemText(dialog, kNameEdit, name, sizeof name);
            asking->answer = name;
        }
    }
    return FALSE;
}

}  // namespace

CFileDialog::CFileDialog(BOOL open, const char* default_ext, const char* file_name, DWORD flags, const char* filter,
                         CWnd* parent)
    : open_(open), default_ext_(default_ext), filter_(filter), path_(file_name), parent_(parent) {
    m_ofn.Flags = flags;
}

int CFileDialog::DoModal() {
    static const bool registered = (kit::res::register_module(&file_dialog_module()), true);
    (void)registered;
    Asking asking{m_ofn.lpstrTitle ? m_ofn.lpstrTitle : open_ ? "Open" : "Save As", path_, {}};
    CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
    const LONG_PTR result = ::DialogBoxParam(nullptr, MAKEINTRESOURCE(kTemplateId), owner ? owner->m_hWnd : nullptr,
                                             &file_dialog_proc, reinterpret_cast<LPARAM>(&asking));
    asking.answer.Trim();
    if (result != IDOK || asking.answer.IsEmpty()) return IDCANCEL;
    path_ = asking.answer;
    // A name without an extension takes the default one when saving.
    if (!open_ && !default_ext_.IsEmpty() && GetFileExt().IsEmpty()) path_ += "." + default_ext_;
    if (open_ && (m_ofn.Flags & OFN_FILEMUSTEXIST) && access(path_, F_OK) != 0) {
        AfxMessageBox(AfxFormat("%s\nFile not found.", path_.str().c_str()), MB_ICONEXCLAMATION);
        return IDCANCEL;
    }
    if (!open_ && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && access(path_, F_OK) == 0 &&
        AfxMessageBox(AfxFormat("%s already exists.\nDo you want to replace it?", path_.str().c_str()),
                      MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return IDCANCEL;
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    const int slash = std::max(path_.ReverseFind('/'), path_.ReverseFind('\\'));
    return path_.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}
