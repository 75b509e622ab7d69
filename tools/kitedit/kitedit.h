#pragma once
// kitedit: one text file in an editor view, in a window of its own.
#include <filesystem>
#include <memory>

#include "editor/profile_access.h"
#include "editor/window/sec_edit_view.h"

namespace kitedit {

// The language settings a file's extension picks: C colouring for .c and .h, the
// assembler's for .asm, .s and .inc, none otherwise.
void set_language(editor::MemoryProfile& profile, const std::filesystem::path& file);

class EditorWindow : public CWnd {
public:
    // Opens the file (a missing file starts empty) and shows the window; false with
    // `error` set when the file cannot be read.
    bool Open(const std::filesystem::path& file, std::string* error);
    editor::SECEditView* view() { return view_; }
    editor::SECEdit& buffer() { return *buffer_; }

protected:
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnDestroy();
    afx_msg void OnSave();
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()

private:
    editor::MemoryProfile profile_;
    std::unique_ptr<editor::SECEdit> buffer_;
    std::filesystem::path file_;
    editor::SECEditView* view_ = nullptr;  // deletes itself with its window
};

inline constexpr UINT kCmdSave = 57603;  // File Save, on Ctrl+S

class EditorApp : public CWinApp {
public:
    EditorApp() : CWinApp("kitedit") {}
    // Ctrl+S saves the file, whichever window has the focus.
    BOOL PreTranslateMessage(MSG* msg) override;
    EditorWindow window;
};

}  // namespace kitedit
