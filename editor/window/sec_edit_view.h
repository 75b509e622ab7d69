#pragma once
// SECEditView: the editor as a document view. Several views of one document show
// one buffer and are kept in step through the document's hints.
#include "editor/window/sec_edit_window.h"

namespace editor {

// The hint object sent with a line-deleted hint: the line concerned.
class SECEditHint : public CObject {
    DECLARE_DYNAMIC(SECEditHint)
public:
    explicit SECEditHint(EditLine* line = nullptr) : line(line) {}
    EditLine* line;
};

class SECEditView : public SECEditWindow<CView> {
    DECLARE_DYNCREATE(SECEditView)
public:
    SECEditView() = default;

    // All painting happens in WM_PAINT.
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    // Another view changed the text or its marks: this one repaints (its places have
    // already followed the lines through the buffer).
    void OnUpdate(CView* sender, LPARAM hint, CObject* hint_object) override;

protected:
    void NotifyOtherViews(ViewHint hint) override;
};

}  // namespace editor
