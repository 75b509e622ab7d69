#include "platform/afx/find_replace_dialog.h"

#include <cstdio>
#include <map>

#include "platform/afx/app.h"
#include "platform/res/resources.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CDialog)

BEGIN_MESSAGE_MAP(CFindReplaceDialog, CDialog)
ON_COMMAND(CFindReplaceDialog::kReplace, OnReplace)
ON_COMMAND(CFindReplaceDialog::kReplaceAll, OnReplaceAll)
END_MESSAGE_MAP()

namespace {

using kit::res::Control;

const kit::res::Module& find_replace_module() {
    static const kit::res::Module module = [] {
        const DWORD child = WS_CHILD | WS_VISIBLE;
        const DWORD tab = child | WS_TABSTOP;
        kit::res::Module m;
        m.name = "afx find and replace";
        kit::res::Dialog find;
        find.id = CFindReplaceDialog::kFindTemplate;
        find.caption = "Find";
        find.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        find.cx = 236;
        find.cy = 62;
        find.font_face = "MS Sans Serif";
        find.font_size = 8;
        find.controls = {
            {"STATIC", 0xFFFF, "Fi&nd what:", child, 0, 4, 8, 42, 8},
            {"EDIT", CFindReplaceDialog::kFindEdit, "", tab | WS_BORDER | ES_AUTOHSCROLL | WS_GROUP, 0, 47, 7, 128, 12},
            {"BUTTON", CFindReplaceDialog::kWholeWord, "Match &whole word only", tab | BS_AUTOCHECKBOX | WS_GROUP, 0, 4,
             26, 100, 12},
            {"BUTTON", CFindReplaceDialog::kMatchCase, "Match &case", tab | BS_AUTOCHECKBOX, 0, 4, 42, 64, 12},
            {"BUTTON", CFindReplaceDialog::kUp, "&Up", tab | BS_AUTORADIOBUTTON | WS_GROUP, 0, 111, 38, 25, 12},
            {"BUTTON", CFindReplaceDialog::kDown, "&Down", child | BS_AUTORADIOBUTTON, 0, 138, 38, 35, 12},
            {"BUTTON", IDOK, "&Find Next", tab | BS_DEFPUSHBUTTON | WS_GROUP, 0, 182, 5, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", tab | BS_PUSHBUTTON, 0, 182, 23, 50, 14},
        };
        kit::res::Dialog replace = find;
        replace.id = CFindReplaceDialog::kReplaceTemplate;
        replace.caption = "Replace";
        replace.cy = 94;
        for (Control& c : replace.controls) {
            if (c.id == CFindReplaceDialog::kWholeWord || c.id == CFindReplaceDialog::kMatchCase) c.y += 20;
            if (c.id == CFindReplaceDialog::kUp || c.id == CFindReplaceDialog::kDown) c.style &= ~WS_VISIBLE;
        }
        replace.controls.push_back({"STATIC", 0xFFFF, "Re&place with:", child, 0, 4, 26, 48, 8});
        replace.controls.push_back(
            {"EDIT", CFindReplaceDialog::kReplaceEdit, "", tab | WS_BORDER | ES_AUTOHSCROLL, 0, 54, 24, 114, 12});
        replace.controls.push_back(
            {"BUTTON", CFindReplaceDialog::kReplace, "&Replace", tab | BS_PUSHBUTTON, 0, 182, 41, 50, 14});
        replace.controls.push_back(
            {"BUTTON", CFindReplaceDialog::kReplaceAll, "Replace &All", tab | BS_PUSHBUTTON, 0, 182, 59, 50, 14});
        m.dialogs = {find, replace};
        return m;
    }();
    return module;
}

std::map<const FINDREPLACE*, CFindReplaceDialog*>& notifiers() {
    static std::map<const FINDREPLACE*, CFindReplaceDialog*> map;
    return map;
}

}  // namespace

CFindReplaceDialog::CFindReplaceDialog() {
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = find_what_;
    m_fr.lpstrReplaceWith = replace_with_;
    m_fr.wFindWhatLen = sizeof find_what_;
    m_fr.wReplaceWithLen = sizeof replace_with_;
    notifiers()[&m_fr] = this;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
    auto found = notifiers().find(reinterpret_cast<const FINDREPLACE*>(lParam));
    return found == notifiers().end() ? nullptr : found->second;
}

BOOL CFindReplaceDialog::Create(BOOL find_only, const char* find_what, const char* replace_with, DWORD flags,
                                CWnd* parent) {
    static const bool registered = (kit::res::register_module(&find_replace_module()), true);
    (void)registered;
    std::snprintf(find_what_, sizeof find_what_, "%s", find_what ? find_what : "");
    std::snprintf(replace_with_, sizeof replace_with_, "%s", replace_with ? replace_with : "");
    m_fr.Flags = flags;
    find_only_ = find_only != FALSE;
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    m_fr.hwndOwner = owner ? owner->m_hWnd : nullptr;
    return CDialog::Create(find_only ? kFindTemplate : kReplaceTemplate, owner);
}

BOOL CFindReplaceDialog::OnInitDialog() {
    SetDlgItemText(m_hWnd, int(kFindEdit), find_what_);
    SetDlgItemText(m_hWnd, int(kReplaceEdit), replace_with_);
    CheckDlgButton(m_hWnd, int(kWholeWord), (m_fr.Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, int(kMatchCase), (m_fr.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(m_hWnd, int(kUp), int(kDown), (m_fr.Flags & FR_DOWN) ? int(kDown) : int(kUp));
    return TRUE;
}

void CFindReplaceDialog::notify(DWORD action) {
    GetDlgItemText(m_hWnd, int(kFindEdit), find_what_, sizeof find_what_);
    GetDlgItemText(m_hWnd, int(kReplaceEdit), replace_with_, sizeof replace_with_);
    DWORD flags =
        m_fr.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_WHOLEWORD | FR_MATCHCASE);
    if (IsDlgButtonChecked(m_hWnd, int(kWholeWord))) flags |= FR_WHOLEWORD;
    if (IsDlgButtonChecked(m_hWnd, int(kMatchCase))) flags |= FR_MATCHCASE;
    // The direction buttons count only in the find dialog; replacing keeps the direction given.
    if (find_only_) flags = IsDlgButtonChecked(m_hWnd, int(kDown)) ? flags | FR_DOWN : flags & ~FR_DOWN;
    m_fr.Flags = flags | action;
    if (m_fr.hwndOwner)
        ::SendMessage(m_fr.hwndOwner, RegisterWindowMessage(FINDMSGSTRING), 0, reinterpret_cast<LPARAM>(&m_fr));
}

void CFindReplaceDialog::OnCancel() {
    notify(FR_DIALOGTERM);
    DestroyWindow();
}

void CFindReplaceDialog::PostNcDestroy() {
    notifiers().erase(&m_fr);
    delete this;
}
