#include "ide/shell/source_view.h"

#include "editor/edit_line.h"

namespace shell {

using editor::SECEditView;
IMPLEMENT_DYNCREATE(CVyrFrameView, SECEditView)

void CVyrFrameView::OnInitialUpdate() {
    if (CVyrFrameDoc* doc = document()) Attach(&doc->buffer());
    editor::SECEditView::OnInitialUpdate();
}

void CVyrFrameView::GoToLineAndMark(int line, int mode) {
    std::uint32_t flags = 0;
    if (mode & 1) flags |= editor::kLineNavigationMark;
    if (mode & 2) flags |= editor::kLineExecutionPoint;
    GoToLine(line);
    if (CVyrFrameDoc* doc = document()) doc->MarkOnlyLine(line, flags);
}

}  // namespace shell
