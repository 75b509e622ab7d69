#pragma once
// A source file's window: the editor's view over its document's buffer.
#include "editor/window/sec_edit_view.h"
#include "ide/shell/source_doc.h"

namespace shell {

class CVyrFrameView : public editor::SECEditView {
    DECLARE_DYNCREATE(CVyrFrameView)
public:
    CVyrFrameDoc* document() const { return static_cast<CVyrFrameDoc*>(m_pDocument); }
    void OnInitialUpdate() override;
    // Moves the caret to the line (1-based) and gives it the marks of `mode` (1 the
    // navigation mark, 2 the execution point), taking them from every other line.
    void GoToLineAndMark(int line, int mode);

protected:
    // The status bar's OVR pane shows while the buffer overwrites.
    afx_msg void OnUpdateIndicatorOvr(CCmdUI* cmd_ui);
    DECLARE_MESSAGE_MAP()
};

}  // namespace shell
