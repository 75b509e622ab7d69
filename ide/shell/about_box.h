#pragma once
// Help > About: the program's name and what it is for; and the credit dialog.
#include "platform/afx/dialog.h"

namespace shell {

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

// The credit dialog the frame's credit command runs. Its template is not among
// Corvel's resources, so running it ends at once with the failure result (-1).
class CcreditDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 282;
    CcreditDlg() : CDialog(kTemplate) {}
};

}  // namespace shell
