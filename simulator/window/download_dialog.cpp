#include "simulator/window/download_dialog.h"

namespace simwin {
namespace {

LONG_PTR download_procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
            SetFocus(GetDlgItem(dialog, kDownloadPathEdit));
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* path = reinterpret_cast<std::string*>(GetWindowLongPtr(dialog, GWL_USERDATA));
                char text[4096] = {};
                GetDlgItemText(dialog, kDownloadPathEdit, text, sizeof text);
                *path = text;
                EndDialog(dialog, path->empty() ? IDCANCEL : IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

bool ask_download_path(HWND owner, std::string& path) {
    return DialogBoxParam(nullptr, MAKEINTRESOURCE(kDownloadDialog), owner, download_procedure, LPARAM(&path)) == IDOK;
}

}  // namespace simwin
