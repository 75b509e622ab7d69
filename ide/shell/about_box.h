#pragma once
// Help > About: the program's name and what it is for.
#include "platform/afx/dialog.h"

namespace shell {

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

}  // namespace shell
