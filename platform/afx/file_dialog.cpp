#include "platform/afx/file_dialog.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/afx/app.h"
#include "platform/afx/common_dialog.h"

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
        d.style = kCommonDialogStyle;
        d.cx = 220;
        d.cy = 52;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        d.controls = {
            {"STATIC", 0xFFFF, "File &name:", kLabelStyle, 0, 7, 9, 40, 8},
            {"EDIT", kNameEdit, "", kEditStyle, 0, 50, 7, 163, 12},
            {"BUTTON", IDOK, "OK", kOkStyle, 0, 109, 30, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", kButtonStyle, 0, 163, 30, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

CString file_name_of(const CString& path) {
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return path.Mid(slash + 1);
}

CString extension_of(const CString& path) {
    const CString name = file_name_of(path);
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

// The names in the name box: each one in double quotes, else the whole text as one name.
std::vector<CString> names_in(const CString& text, bool several) {
    std::vector<CString> names;
    CString whole = text;
    whole.Trim();
    if (!several || whole.Find('"') < 0) {
        if (!whole.IsEmpty()) names.push_back(whole);
        return names;
    }
    const std::string all = whole.str();
    for (size_t at = 0; at < all.size();) {
        if (all[at] == ' ') {
            ++at;
            continue;
        }
        const bool quoted = all[at] == '"';
        const size_t start = quoted ? at + 1 : at;
        size_t end = all.find(quoted ? '"' : ' ', start);
        if (end == std::string::npos) end = all.size();
        if (end > start) names.emplace_back(all.substr(start, end - start).c_str());
        at = end + 1;
    }
    return names;
}

class FileForm : public CommonDialogForm {
public:
    FileForm(const CString& title, const CString& initial, BOOL open, const CString& default_ext, DWORD flags)
        : title_(title), initial_(initial), open_(open), default_ext_(default_ext), flags_(flags) {
        edits = {kNameEdit};
    }

    void fill(HWND dialog) override {
        ::SetWindowText(dialog, title_);
        ::SetDlgItemText(dialog, kNameEdit, initial_);
    }

    bool accept(HWND owner, const DialogAnswers& answers) override {
        std::vector<CString> paths = names_in(answers.text(kNameEdit), (flags_ & OFN_ALLOWMULTISELECT) != 0);
        if (paths.empty()) return false;  // no name is no answer
        for (CString& path : paths) {
            // A name without an extension takes the default one when saving.
            if (!open_ && !default_ext_.IsEmpty() && extension_of(path).IsEmpty()) path += "." + default_ext_;
            if (open_ && (flags_ & OFN_FILEMUSTEXIST) && access(path, F_OK) != 0) {
                ask(owner, AfxFormat("%s\nFile not found.", path.str().c_str()), MB_ICONEXCLAMATION);
                return false;
            }
            if (!open_ && (flags_ & OFN_OVERWRITEPROMPT) && access(path, F_OK) == 0 &&
                ask(owner, AfxFormat("%s already exists.\nDo you want to replace it?", path.str().c_str()),
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return false;
        }
        chosen = std::move(paths);
        return true;
    }

    std::vector<CString> chosen;

private:
    int ask(HWND owner, const CString& text, UINT type) const { return ::MessageBox(owner, text, title_, type); }

    CString title_, initial_;
    BOOL open_;
    CString default_ext_;
    DWORD flags_;
};

}  // namespace

CFileDialog::CFileDialog(BOOL open, const char* default_ext, const char* file_name, DWORD flags, const char* filter,
                         CWnd* parent)
    : open_(open), default_ext_(default_ext), filter_(filter), path_(file_name), parent_(parent) {
    m_ofn.Flags = flags;
}

int CFileDialog::DoModal() {
    FileForm form(m_ofn.lpstrTitle ? m_ofn.lpstrTitle
                  : open_          ? "Open"
                                   : "Save As",
                  path_, open_, default_ext_, m_ofn.Flags);
    if (run_common_dialog(file_dialog_module(), kTemplateId, parent_, form) != IDOK) return IDCANCEL;
    paths_ = form.chosen;
    path_ = paths_.front();
    return IDOK;
}

POSITION CFileDialog::GetStartPosition() const {
    return paths_.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t(1));
}

CString CFileDialog::GetNextPathName(POSITION& position) const {
    const std::size_t index = reinterpret_cast<std::uintptr_t>(position) - 1;
    if (!position || index >= paths_.size()) {
        position = nullptr;
        return CString();
    }
    position = index + 1 < paths_.size() ? reinterpret_cast<POSITION>(std::uintptr_t(index + 2)) : nullptr;
    return paths_[index];
}

CString CFileDialog::GetFileName() const { return file_name_of(path_); }

CString CFileDialog::GetFileExt() const { return extension_of(path_); }

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}
