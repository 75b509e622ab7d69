#include "ide/shell/child_frame.h"

namespace shell {

IMPLEMENT_DYNCREATE(CChildFrame, SECWorksheet)

}  // namespace shell
