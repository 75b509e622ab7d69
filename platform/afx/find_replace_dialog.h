#pragma once
// CFindReplaceDialog: the modeless find (or find and replace) dialog. Each
// button fills the FINDREPLACE record and sends the registered message
// FINDMSGSTRING to the owner; closing sends it with FR_DIALOGTERM. The object
// deletes itself when its window goes, so it is made with new.
#include <string>

#include "platform/afx/dialog.h"

struct FINDREPLACE {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    DWORD Flags;
    char* lpstrFindWhat;
    char* lpstrReplaceWith;
    WORD wFindWhatLen;
    WORD wReplaceWithLen;
    LPARAM lCustData;
    void* lpfnHook;
    const char* lpTemplateName;
};

constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;
constexpr DWORD FR_FINDNEXT = 0x00000008;
constexpr DWORD FR_REPLACE = 0x00000010;
constexpr DWORD FR_REPLACEALL = 0x00000020;
constexpr DWORD FR_DIALOGTERM = 0x00000040;
inline constexpr const char* FINDMSGSTRING = "commdlg_FindReplace";

class CFindReplaceDialog : public CDialog {
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    // Control ids of the dialog, for scripts that fill it in.
    enum : UINT {
        kFindEdit = 0x480,
        kReplaceEdit = 0x481,
        kWholeWord = 0x410,
        kMatchCase = 0x411,
        kUp = 0x420,
        kDown = 0x421,
        kReplace = 0x400,
        kReplaceAll = 0x401
    };
    static constexpr unsigned kFindTemplate = 0x7FF1, kReplaceTemplate = 0x7FF2;

    CFindReplaceDialog();
    BOOL Create(BOOL find_only, const char* find_what, const char* replace_with = nullptr, DWORD flags = FR_DOWN,
                CWnd* parent = nullptr);
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return m_fr.lpstrFindWhat; }
    CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACE m_fr{};

    BOOL OnInitDialog() override;
    void OnOK() override { notify(FR_FINDNEXT); }
    void OnCancel() override;
    void PostNcDestroy() override;
    afx_msg void OnReplace() { notify(FR_REPLACE); }
    afx_msg void OnReplaceAll() { notify(FR_REPLACEALL); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void notify(DWORD action);
    bool find_only_ = true;
    char find_what_[256] = {};
    char replace_with_[256] = {};
};
