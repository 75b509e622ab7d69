#include "ide/shell/source_view.h"

#include "editor/edit_line.h"
#include "ide/shell/resource_ids.h"

namespace shell {

using editor::SECEditView;
IMPLEMENT_DYNCREATE(CVyrFrameView, SECEditView)

BEGIN_MESSAGE_MAP(CVyrFrameView, SECEditView)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_OVR, OnUpdateIndicatorOvr)
END_MESSAGE_MAP()

void CVyrFrameView::OnInitialUpdate() {
    if (CVyrFrameDoc* doc = document()) Attach(&doc->buffer());
    editor::SECEditView::OnInitialUpdate();
}

void CVyrFrameView::OnUpdateIndicatorOvr(CCmdUI* cmd_ui) {
    CVyrFrameDoc* doc = document();
    cmd_ui->Enable(doc && doc->buffer().view_settings().insert_mode == 0);
}

void CVyrFrameView::GoToLineAndMark(int line, int mode) {
    std::uint32_t flags = 0;
    if (mode & 1) flags |= editor::kLineNavigationMark;
    if (mode & 2) flags |= editor::kLineExecutionPoint;
    GoToLine(line);
    if (CVyrFrameDoc* doc = document()) doc->MarkOnlyLine(line, flags);
}

}  // namespace shell
