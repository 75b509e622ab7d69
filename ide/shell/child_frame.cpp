#include "ide/shell/child_frame.h"

namespace shell {

IMPLEMENT_DYNCREATE(CChildFrame, SECWorksheet)

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECWorksheet::PreCreateWindow(cs)) return FALSE;
    // No scroll bars of the frame's own: the splitter holds the editor's.
    cs.style = WS_CHILD | WS_VISIBLE | WS_MAXIMIZE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

BOOL CChildFrame::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
    // A pane smaller than a few rows or columns of text is no use: such a split is not made.
    return splitter_.Create(this, 2, 2, CSize(40, 40), context);
}

void CChildFrame::ActivateFrame(int command) {
    SECWorksheet::ActivateFrame(command);
    // The MDI area makes its children as they are placed: the first showing maximizes.
    if (!shown_ && command == -1) MDIMaximize();
    shown_ = true;
}

}  // namespace shell
