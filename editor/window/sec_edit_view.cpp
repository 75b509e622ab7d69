// SECEditView: the editor as a document view.
#include "editor/window/sec_edit_view.h"

namespace editor {

IMPLEMENT_DYNAMIC(SECEditHint, CObject)
IMPLEMENT_DYNCREATE(SECEditView, CView)

void SECEditView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    InitView();
}

void SECEditView::OnUpdate(CView* sender, LPARAM, CObject*) {
    if (sender == this) return;
    if (redraw()) InvalidateAll();
}

void SECEditView::NotifyOtherViews(ViewHint hint) {
    if (CDocument* document = GetDocument()) document->UpdateAllViews(this, LPARAM(hint), nullptr);
}

}  // namespace editor
