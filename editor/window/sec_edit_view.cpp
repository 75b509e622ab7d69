// SECEditView: the editor as a document view.
#include "editor/window/sec_edit_view.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "editor/page_template.h"
#include "platform/gdi/printer.h"

namespace editor {

IMPLEMENT_DYNAMIC(SECEditHint, CObject)
IMPLEMENT_DYNCREATE(SECEditView, CView)

BEGIN_MESSAGE_MAP(SECEditView, SECEditWindow<CView>)
ON_WM_VSCROLL()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

void SECEditView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    InitView();
    // A pane split off starts where the panes it lines up with are.
    CSplitterWnd* splitter = AfxGetParentSplitter(this);
    int row = 0, col = 0;
    if (!splitter || !splitter->IsChildPane(this, &row, &col)) return;
    if (auto* above = dynamic_cast<SECEditView*>(splitter->GetPane(0, col)); above && row > 0)
        FollowPane(*splitter, *above);
    if (auto* left = dynamic_cast<SECEditView*>(splitter->GetPane(row, 0)); left && col > 0)
        FollowPane(*splitter, *left);
}

void SECEditView::OnUpdate(CView* sender, LPARAM hint, CObject*) {
    if (sender == this) return;
    if (CSplitterWnd* splitter = AfxGetParentSplitter(this); splitter && hint == kHintCaretMoved) {
        auto* pane = dynamic_cast<SECEditView*>(sender ? sender : splitter->GetActivePane());
        if (pane && pane != this && FollowPane(*splitter, *pane)) InvalidateAll();
        return;
    }
    if (redraw()) InvalidateAll();
}

bool SECEditView::FollowPane(CSplitterWnd& splitter, SECEditView& pane) {
    int row = 0, col = 0, pane_row = 0, pane_col = 0;
    if (!GetBuffer() || !splitter.IsChildPane(this, &row, &col) || !splitter.IsChildPane(&pane, &pane_row, &pane_col))
        return false;
    bool changed = false;
    if (col == pane_col && pane.left_column() != left_column()) {
        SetLeftColumn(pane.left_column(), redraw());
        ShowPlaceOnBars();
        changed = true;
    }
    if (row == pane_row && pane.top_line() != top_line()) {
        SetTopLine(pane.top_line(), redraw());
        ShowPlaceOnBars();
        changed = true;
    }
    return changed;
}

void SECEditView::SetScrollPosition(ScrollBar bar, int position) {
    SECEditWindow<CView>::SetScrollPosition(bar, position);
    CSplitterWnd* splitter = AfxGetParentSplitter(this);
    if (splitter && !in_scroll_message_ && splitter->GetActivePane() == this) NotifyOtherViews(kHintCaretMoved);
}

void SECEditView::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
    in_scroll_message_ = true;
    SECEditWindow<CView>::OnVScroll(code, position, bar);
    in_scroll_message_ = false;
}

void SECEditView::OnHScroll(UINT code, UINT position, CScrollBar* bar) {
    in_scroll_message_ = true;
    SECEditWindow<CView>::OnHScroll(code, position, bar);
    in_scroll_message_ = false;
}

void SECEditView::NotifyOtherViews(ViewHint hint) {
    if (CDocument* document = GetDocument()) document->UpdateAllViews(this, LPARAM(hint), nullptr);
}

// ---- printing --------------------------------------------------------------

BOOL SECEditView::OnPreparePrinting(CPrintInfo* info) {
    if (has_selection()) info->m_pPD->m_pd.Flags = (info->m_pPD->m_pd.Flags & ~PD_NOSELECTION) | PD_SELECTION;
    if (!DoPreparePrinting(info)) return FALSE;
    print_selection_ = info->m_bSelection && has_selection();
    return TRUE;
}

void SECEditView::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
    print_cancelled_ = false;
    print_rows_.clear();
    info->SetMaxPage(0);
    SECEdit* edit = GetBuffer();
    if (!edit) return;
    dc->SelectObject(&font());
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    print_cell_ = CSize(metrics.tmAveCharWidth, metrics.tmHeight);
    // A font that measures nothing prints nothing rather than dividing by zero.
    if (print_cell_.cx <= 0 || print_cell_.cy <= 0) return;
    const CRect& margins = page_margins();
    const int dpi_x = dc->GetDeviceCaps(LOGPIXELSX), dpi_y = dc->GetDeviceCaps(LOGPIXELSY);
    print_body_ = CRect(margins.left * dpi_x / 1000, margins.top * dpi_y / 1000,
                        dc->GetDeviceCaps(HORZRES) - margins.right * dpi_x / 1000,
                        dc->GetDeviceCaps(VERTRES) - margins.bottom * dpi_y / 1000);
    // The header takes the first row of the body and the footer its last, each with a row of space.
    print_rows_per_page_ = std::max(1, static_cast<int>(print_body_.Height() / print_cell_.cy) - 4);
    // A printed selection takes its lines whole; one that ends at a line's start ends before it.
    int first = 1, last = edit->GetLineCount();
    if (print_selection_) {
        const CaretPlace start = selection_start(), end = selection_end();
        first = std::min(start.line, end.line);
        last = std::max(start.line, end.line);
        if (selection_mode() == kStreamSelection && end.column == 0 && last > first) --last;
    }
    print_rows_ = LayPrintRows(*edit, std::max(1, static_cast<int>(print_body_.Width() / print_cell_.cx)), first, last);
    info->SetMaxPage(PrintPageCount(print_rows_.size(), print_rows_per_page_));
}

void SECEditView::OnEndPrinting(CDC*, CPrintInfo*) { print_selection_ = false; }

void SECEditView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    CView::OnPrepareDC(dc, info);
    if (info) info->m_bContinuePrinting = info->m_nCurPage <= info->GetMaxPage();
}

void SECEditView::OnPrint(CDC* dc, CPrintInfo* info) {
    if (print_cancelled_) {
        // The printer drops the pages it wrote; the framework's loop then stops.
        ::AbortDoc(dc->GetSafeHdc());
        return;
    }
    SECEdit* edit = GetBuffer();
    if (!edit) return;
    PageSetup setup = LoadPageSetup(profile());
    std::filesystem::path path = GetDocument() ? GetDocument()->GetPathName().str() : std::string();
    std::time_t when = std::time(nullptr);
    std::error_code error;
    if (!path.empty() && (setup.header_time == 0 || setup.footer_time == 0)) {
        auto written = std::filesystem::last_write_time(path, error);
        if (!error) when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    }
    std::time_t now = std::time(nullptr);
    std::tm file_time{}, system_time{};
    localtime_r(&when, &file_time);
    localtime_r(&now, &system_time);
    std::string name = path.filename().string();
    const char* file_name = path.empty() ? nullptr : name.c_str();
    const int page = static_cast<int>(info->m_nCurPage);

    dc->SelectObject(&font());
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    std::string header = FormatHeader(setup, setup.header_time ? system_time : file_time, file_name, page);
    std::string footer = FormatFooter(setup, setup.footer_time ? system_time : file_time, file_name, page);
    // A rule across the page parts the header and the footer from the text.
    const int lh = print_cell_.cy;
    auto rule = [&](int y) {
        dc->MoveTo(print_body_.left, y);
        dc->LineTo(print_body_.right, y);
    };
    if (!header.empty()) {
        dc->TextOut(print_body_.left, print_body_.top, header.c_str(), static_cast<int>(header.size()));
        rule(print_body_.top + lh + lh / 4);
    }
    if (!footer.empty()) {
        dc->TextOut(print_body_.left, print_body_.bottom - lh, footer.c_str(), static_cast<int>(footer.size()));
        rule(print_body_.bottom - lh - lh / 4);
    }

    const int columns = std::max(1, static_cast<int>(print_body_.Width() / print_cell_.cx));
    size_t first = static_cast<size_t>(page - 1) * print_rows_per_page_;
    int y = print_body_.top + 2 * print_cell_.cy;
    for (size_t i = first; i < print_rows_.size() && i < first + print_rows_per_page_; ++i, y += print_cell_.cy) {
        const PrintRow& row = print_rows_[i];
        std::string text = edit->ExpandTabs(edit->TextOf(edit->GetLineByNumber(row.line)));
        if (row.column >= static_cast<int>(text.size())) continue;
        std::string piece = text.substr(row.column, columns);
        dc->TextOut(print_body_.left, y, piece.c_str(), static_cast<int>(piece.size()));
    }
}

}  // namespace editor
