#pragma once
// CFileDialog: asks for a file name to open or save. There is no file
// browser window; the test's dialog script (or the user, through a small
// dialog of one edit) gives the name.
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/collections.h"
#include "platform/afx/wnd.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog {
public:
    explicit CFileDialog(BOOL open, const char* default_ext = nullptr, const char* file_name = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                         CWnd* parent = nullptr);
    // IDOK with a name, IDCANCEL otherwise.
    int DoModal();
    // The path chosen (the first one when several were).
    CString GetPathName() const { return paths_.empty() ? path_ : paths_.front(); }
    // With OFN_ALLOWMULTISELECT the name box takes several names, each in double quotes; these
    // walk the paths chosen in the order they were typed.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;
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
    std::vector<CString> paths_;
    CWnd* parent_;
};
