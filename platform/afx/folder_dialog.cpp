#include "platform/afx/folder_dialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/afx/app.h"
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
        const DWORD list = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
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

// The folder a typed text names, tidied; or a message to the user and nothing.
bool accept_folder(HWND owner, CString text, fs::path* folder) {
    text.Trim();
    if (!text.IsEmpty() && is_folder(text.str())) {
        *folder = tidy(text.str());
        return true;
    }
    const std::string message = text.str() + "\nThe folder does not exist.";
    ::MessageBox(owner, message.c_str(), kDefaultTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
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

struct Asking {
    CString title;
    fs::path shown;  // the folder the list shows
    CString answer;
};

void show_folder(HWND dialog, Asking* asking, const fs::path& folder) {
    asking->shown = folder;
    ::SetDlgItemText(dialog, CFolderDialog::kPathEdit, folder.c_str());
    ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_RESETCONTENT, 0, 0);
    const auto add = [&](const std::string& name) {
        ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(name.c_str()));
    };
    if (folder != folder.root_path()) add(kParentEntry);
    for (const std::string& name : subfolders_of(folder)) add(name);
}

void enter_selected(HWND dialog, Asking* asking) {
    const auto row = ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    char name[1024] = {};
    if (::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETTEXTLEN, WPARAM(row), 0) >= LRESULT(sizeof name))
        return;
    ::SendDlgItemMessage(dialog, CFolderDialog::kFolderList, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(name));
    const fs::path target =
        std::string(name) == kParentEntry ? asking->shown.parent_path() : asking->shown / name;
    // A folder removed since the list was filled shows what is left of the current one.
    show_folder(dialog, asking, is_folder(target) ? target : asking->shown);
}

CString typed_path(HWND dialog) {
    char text[4096] = {};
    ::GetDlgItemText(dialog, CFolderDialog::kPathEdit, text, sizeof text);
    return text;
}

LONG_PTR folder_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* asking = reinterpret_cast<Asking*>(::GetWindowLongPtr(dialog, GWL_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
            asking = reinterpret_cast<Asking*>(lParam);
            ::SetWindowText(dialog, asking->title);
            show_folder(dialog, asking, asking->shown);
            return TRUE;
        case WM_COMMAND:
            if (!asking) return FALSE;
            if (LOWORD(wParam) == CFolderDialog::kFolderList && HIWORD(wParam) == LBN_DBLCLK) {
                enter_selected(dialog, asking);
            } else if (LOWORD(wParam) == IDOK) {
                fs::path chosen;
                if (accept_folder(dialog, typed_path(dialog), &chosen)) ::EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
            } else {
                return FALSE;
            }
            return TRUE;
        case WM_DESTROY:
            // Read here, so that an answer given by script (which ends the dialog at once) sees the path too.
            if (asking) asking->answer = typed_path(dialog);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

CFolderDialog::CFolderDialog(const char* title, const char* initial_folder, CWnd* parent)
    : title_(title && *title ? title : kDefaultTitle), parent_(parent) {
    std::error_code error;
    const fs::path start = initial_folder && is_folder(initial_folder) ? fs::path(initial_folder) : fs::current_path(error);
    folder_ = tidy(start).c_str();
}

int CFolderDialog::DoModal() {
    Asking asking{title_, folder_.str(), {}};
    const LONG_PTR result =
        run_common_dialog(folder_dialog_module(), kTemplateId, parent_, &folder_dialog_proc, &asking);
    if (result != IDOK) return IDCANCEL;
    fs::path chosen;
    CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
    if (!accept_folder(owner ? owner->m_hWnd : nullptr, asking.answer, &chosen)) return IDCANCEL;
    folder_ = chosen.c_str();
    return IDOK;
}
