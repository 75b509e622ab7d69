#pragma once
// A source file's window: the editor's view over its document's buffer, with
// the IDE's commands on it (breakpoints kept in the debugger's list, Quick
// Watch and Add to Watch on the word or selection, page setup and printing).
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
    afx_msg void OnToggleBreakpoint();
    afx_msg void OnUpdateToggleBreakpoint(CCmdUI* cmd_ui);
    afx_msg void OnRemoveAllBreakpoints();
    afx_msg void OnQuickWatch();
    afx_msg void OnAddToWatch();
    afx_msg void OnUpdateAddToWatch(CCmdUI* cmd_ui);
    afx_msg void OnPageSetup() { OnCommand(editor::kCmdPageSetup); }
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    DECLARE_MESSAGE_MAP()

private:
    // The pages from `info` written as pictures into the print folder (a
    // subfolder `subfolder` of it when not empty); the status bar says where.
    void PrintPages(CPrintInfo& info, const std::string& subfolder);
};

}  // namespace shell
