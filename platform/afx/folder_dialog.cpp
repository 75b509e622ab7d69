#include "platform/afx/folder_dialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/afx/common_dialog.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultTitle = "Select Folder";
constexpr const char* kParentEntry = "..";

const kit::res::Module& folder_dialog_module() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "afx folder dialog";
        kit::res::Dialog d;
        d.id = CFolderDialog::kTemplateId;
        d.caption = kDefaultTitle;
        d.style = kCommonDialogStyle;
        d.cx = 200;
        d.cy = 150;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        const DWORD list =
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        d.controls = {
            {"STATIC", 0xFFFF, "&Folder:", kLabelStyle, 0, 7, 7, 60, 8},
            {"EDIT", CFolderDialog::kPathEdit, "", kEditStyle, 0, 7, 17, 186, 12},
            {"STATIC", 0xFFFF, "&Subfolders:", kLabelStyle, 0, 7, 35, 60, 8},
            {"LISTBOX", CFolderDialog::kFolderList, "", list, 0, 7, 45, 186, 78},
            {"BUTTON", IDOK, "OK", kOkStyle, 0, 89, 129, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", kButtonStyle, 0, 143, 129, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

bool is_folder(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

// The absolute, tidy form of a folder path: "a/b/../c/" becomes "<cwd>/a/c".
fs::path tidy(const fs::path& path) {
    std::error_code error;
    fs::path whole = fs::absolute(path, error).lexically_normal();
    if (error) return path;
    if (whole.has_filename() || whole == whole.root_path()) return whole;
    return whole.parent_path();  // drops the empty name a trailing separator leaves
}

std::vector<std::string> subfolders_of(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind_error;
        if (it->is_directory(kind_error)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FolderForm : public CommonDialogForm {
public:
    FolderForm(const CString& title, const fs::path& start) : title_(title), shown_(start) {
        edits = {CFolderDialog::kPathEdit};
    }

    void fill(HWND dialog) override {
        ::SetWindowText(dialog, title_);
        show(dialog, shown_);
    }

    bool command(HWND dialog, WORD id, WORD code) override {
        if (id != CFolderDialog::kFolderList || code != LBN_DBLCLK) return false;
        enter_selected(dialog);
        return true;
    }

    bool accept(HWND owner, const DialogAnswers& answers) override {
        CString typed = answers.text(CFolderDialog::kPathEdit);
        typed.Trim();
        if (!typed.IsEmpty() && is_folder(typed.str())) {
            chosen = tidy(typed.str());
            return true;
        }
        const std::string message = typed.str() + "\nThe folder does not exist.";
        ::MessageBox(owner, message.c_str(), kDefaultTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    fs::path chosen;

private:
    void show(HWND dialog, const fs::path& folder) {
        shown_ = folder;
        ::SetDlgItemText(dialog, CFolderDialog::kPathEdit, folder.c_str());
        ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_RESETCONTENT, 0, 0);
        const auto add = [&](const std::string& name) {
            ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(name.c_str()));
        };
        if (folder != folder.root_path()) add(kParentEntry);
        for (const std::string& name : subfolders_of(folder)) add(name);
    }

    void enter_selected(HWND dialog) {
        const auto row = ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETCURSEL, 0, 0);
        if (row < 0) return;
        char name[1024] = {};
        if (::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETTEXTLEN, WPARAM(row), 0) >=
            LRESULT(sizeof name))
            return;
        ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETTEXT, WPARAM(row),
                             reinterpret_cast<LPARAM>(name));
        const fs::path target = std::string(name) == kParentEntry ? shown_.parent_path() : shown_ / name;
        // A folder removed since the list was filled shows what is left of the current one.
        show(dialog, is_folder(target) ? target : shown_);
    }

    CString title_;
    fs::path shown_;  // the folder the list shows
};

}  // namespace

CFolderDialog::CFolderDialog(const char* title, const char* initial_folder, CWnd* parent)
    : title_(title && *title ? title : kDefaultTitle), parent_(parent) {
    std::error_code error;
    const fs::path start =
        initial_folder && is_folder(initial_folder) ? fs::path(initial_folder) : fs::current_path(error);
    folder_ = tidy(start).c_str();
}

int CFolderDialog::DoModal() {
    FolderForm form(title_, folder_.str());
    if (run_common_dialog(folder_dialog_module(), kTemplateId, parent_, form) != IDOK) return IDCANCEL;
    folder_ = form.chosen.c_str();
    return IDOK;
}
