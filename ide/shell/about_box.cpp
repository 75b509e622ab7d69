#include "ide/shell/about_box.h"

#include "ide/shell/resource_ids.h"

namespace shell {

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

}  // namespace shell
