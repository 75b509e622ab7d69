#pragma once
// SECEditView: the editor as a document view. Several views of one document show
// one buffer and are kept in step through the document's hints.
#include <vector>

#include "editor/window/edit_print.h"
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
    // already followed the lines through the buffer). In a splitter, the panes beside
    // the one that moved take its top line and those above or below its left column.
    void OnUpdate(CView* sender, LPARAM hint, CObject* hint_object) override;

    // Printing: the text in the window's font within the page setup's margins, the
    // header above and the footer below, long lines cut at the page's width.
    // With a selection the print dialog offers it and starts on it; printing it prints
    // its lines whole. The dialog's page range chooses the pages printed.
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    // Stops the print under way: no page of it is left.
    void CancelPrinting() { print_cancelled_ = true; }

protected:
    void NotifyOtherViews(ViewHint hint) override;
    // The active pane of a splitter that scrolls by other means than its shared
    // bars (keys, the wheel, a drag) tells the panes beside it.
    void SetScrollPosition(ScrollBar bar, int position) override;
    // A shared bar scrolls every pane beside it already: none of them tells the others.
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    DECLARE_MESSAGE_MAP()

private:
    // Takes `pane`'s top line when in its row, its left column when in its column;
    // true when anything changed.
    bool FollowPane(CSplitterWnd& splitter, SECEditView& pane);

    bool in_scroll_message_ = false;
    std::vector<PrintRow> print_rows_;
    int print_rows_per_page_ = 1;
    CSize print_cell_{};
    CRect print_body_{};
    bool print_cancelled_ = false;
    bool print_selection_ = false;
};

}  // namespace editor
