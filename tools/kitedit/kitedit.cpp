#include "tools/kitedit/kitedit.h"

#include <cerrno>
#include <cstring>

namespace kitedit {
BEGIN_MESSAGE_MAP(EditorWindow, CWnd)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_COMMAND(kCmdSave, OnSave)
END_MESSAGE_MAP()

void set_language(editor::MemoryProfile& profile, const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    const bool c_file = extension == ".c" || extension == ".h";
    const bool asm_file = extension == ".asm" || extension == ".s" || extension == ".inc";
    profile.WriteProfileInt("Edit", "Chroma", c_file || asm_file);
    profile.WriteProfileInt("Edit", "Tab size", c_file ? 4 : 8);
    if (c_file) {
        profile.WriteProfileString("Edit", "Keywords", "c.ini");
        profile.WriteProfileString("Edit", "Comment Start 1", "/*");
        profile.WriteProfileString("Edit", "Comment End 1", "*/");
        profile.WriteProfileString("Edit", "Comment Start 2", "//");
    } else if (asm_file) {
        profile.WriteProfileString("Edit", "Keywords", "asm.ini");
        profile.WriteProfileString("Edit", "Comment Start 2", ";");
    }
}

bool EditorWindow::Open(const std::filesystem::path& file, std::string* error) {
    file_ = file;
    set_language(profile_, file);
    buffer_ = std::make_unique<editor::SECEdit>(profile_);
    buffer_->SetSettingsSection("Edit");
    buffer_->LoadSettings();
    std::error_code exists_error;
    if (std::filesystem::exists(file, exists_error)) {
        const int code = buffer_->ReadFile(file);
        if (code != 0) {
            *error = file.string() + ": " +
                     (code >= editor::kReadOnly ? editor::ResultMessage(code) : std::string(std::strerror(code)));
            return false;
        }
    }
    const char* cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    const std::string title = file.filename().string() + " - kitedit";
    if (!CreateEx(0, cls, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40, 640, 400, nullptr,
                  nullptr)) {
        *error = "cannot create the window";
        return false;
    }
    view_ = new editor::SECEditView;
    view_->Attach(buffer_.get());
    CRect client;
    GetClientRect(&client);
    if (!view_->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, client, this, 1)) {
        *error = "cannot create the editor view";
        return false;
    }
    view_->OnInitialUpdate();
    view_->SetFocus();
    return true;
}

void EditorWindow::OnSize(UINT, int cx, int cy) {
    if (view_ && view_->m_hWnd) view_->MoveWindow(0, 0, cx, cy);
}

void EditorWindow::OnSetFocus(CWnd*) {
    if (view_ && view_->m_hWnd) view_->SetFocus();
}

void EditorWindow::OnSave() {
    const int code = buffer_->WriteFile(file_);
    if (code != 0) AfxMessageBox((file_.string() + ": " + std::strerror(code)).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

BOOL EditorApp::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == 'S' && ::GetKeyState(VK_CONTROL) < 0 && window.m_hWnd) {
        window.SendMessage(WM_COMMAND, kCmdSave);
        return TRUE;
    }
    return CWinApp::PreTranslateMessage(msg);
}

void EditorWindow::OnDestroy() {
    CWnd::OnDestroy();
    PostQuitMessage(0);
}

}  // namespace kitedit
