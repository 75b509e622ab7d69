#pragma once
// CFileDialog: asks for a file name to open or save. There is no file
// browser window; the test's dialog script (or the user, through a small
// dialog of one edit) gives the name.
#include "platform/afx/byte_string.h"
#include "platform/afx/wnd.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog {
public:
    explicit CFileDialog(BOOL open, const char* default_ext = nullptr, const char* file_name = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                         CWnd* parent = nullptr);
    // IDOK with a name, IDCANCEL otherwise.
    int DoModal();
    CString GetPathName() const { return path_; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    // The template id the dialog script sees for the question.
    static constexpr unsigned kTemplateId = 0x7FF0;

    struct OFN {
        DWORD Flags;
        const char* lpstrTitle;
        const char* lpstrInitialDir;
    } m_ofn{};

private:
    BOOL open_;
    CString default_ext_;
    CString filter_;
    CString path_;
    CWnd* parent_;
};
