#pragma once
// The "Options" sheet: the "General", "Directories" and "Syntax Format" pages.
#include "ide/shell/dialogs/directory_page.h"
#include "ide/shell/dialogs/options_pages.h"

namespace ide {

class CVyrOptionSheet : public CPropertySheet {
public:
    // `window_colour`: the system's, which the default editor background follows.
    CVyrOptionSheet(CWnd* parent, profile::Store& profile, COLORREF window_colour);

protected:
    // OK and Apply save the profile once, after every changed page wrote its values.
    afx_msg void OnOk();
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

private:
    profile::Store& profile_;
    CVyrEditorPage editor_page_;
    CVyrDirPage directory_page_;
    CVyrOptionFormatPage format_page_;
};

// Runs the sheet modally over `parent`; true when it ended with OK.
bool RunOptionsSheet(CWnd* parent, profile::Store& profile);

}  // namespace ide
