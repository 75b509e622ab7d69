#include "platform/afx/splitter.h"

#include <algorithm>

#include "platform/afx/gdi_wrappers.h"
#include "platform/afx/view.h"
#include "platform/user/modal_loop.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// How far an arrow key moves a bar during the Split command.
constexpr int kKeyStep = 8;

}  // namespace

CSplitterWnd* AfxGetParentSplitter(const CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd) return nullptr;
    auto* splitter = dynamic_cast<CSplitterWnd*>(CWnd::FromHandlePermanent(::GetParent(wnd->m_hWnd)));
    return splitter && (splitter->GetStyle() & SPLS_DYNAMIC_SPLIT) ? splitter : nullptr;
}

BOOL CSplitterWnd::Create(CWnd* parent, int max_rows, int max_cols, SIZE min_pane, CCreateContext* context, DWORD style,
                          UINT id) {
    if (!parent || !context || !context->m_pNewViewClass) return FALSE;
    max_rows_ = std::clamp(max_rows, 1, kMaxPanes);
    max_cols_ = std::clamp(max_cols, 1, kMaxPanes);
    min_pane_ = min_pane;
    view_class_ = context->m_pNewViewClass;
    // The panes' bars are controls of the splitter, not the window's own.
    shared_vertical_ = (style & WS_VSCROLL) != 0;
    shared_horizontal_ = (style & WS_HSCROLL) != 0;
    style &= ~(WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN);
    // Sunken as a frame's single view is, its panes and bars inside the edge.
    if (!CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), nullptr, style,
                  CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    rows_ = cols_ = 1;
    MakeScrollBar(SB_VERT, 0);
    MakeScrollBar(SB_HORZ, 0);
    if (!CreateView(0, 0, view_class_, CSize(0, 0), context)) {
        DestroyWindow();
        return FALSE;
    }
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::MakeScrollBar(int bar, int index) {
    const bool vertical = bar == SB_VERT;
    if (!(vertical ? shared_vertical_ : shared_horizontal_)) return;
    CScrollBar& control = vertical ? vertical_[index] : horizontal_[index];
    const UINT id = (vertical ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST) + UINT(index);
    control.Create(WS_CHILD | WS_VISIBLE | (vertical ? SBS_VERT : SBS_HORZ), CRect(0, 0, 0, 0), this, id);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* view_class, SIZE, CCreateContext* context) {
    if (!view_class || GetPane(row, col)) return FALSE;
    CCreateContext from_pane;
    if (!context) {
        // A split-off pane shows the document of the pane it came from.
        auto* source = dynamic_cast<CView*>(GetActivePane());
        if (!source) source = dynamic_cast<CView*>(GetPane(0, 0));
        from_pane.m_pCurrentDoc = source ? source->GetDocument() : nullptr;
        from_pane.m_pLastView = source;
        from_pane.m_pCurrentFrame = GetParentFrame();
        context = &from_pane;
    }
    CObject* made = view_class->CreateObject();
    if (!made || !made->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete made;
        return FALSE;
    }
    auto* pane = static_cast<CWnd*>(made);
    // A failed Create has already deleted a view through PostNcDestroy.
    if (!pane->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                        UINT(IdFromRowCol(row, col)), context))
        return FALSE;
    // The pane scrolls through the splitter's bars, not bars of its own.
    if (pane->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) pane->ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_FRAMECHANGED);
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (!m_hWnd || row < 0 || col < 0 || row >= kMaxPanes || col >= kMaxPanes) return nullptr;
    return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* wnd, int* row, int* col) const {
    if (!wnd || !wnd->m_hWnd || ::GetParent(wnd->m_hWnd) != m_hWnd) return FALSE;
    const int offset = wnd->GetDlgCtrlID() - int(AFX_IDW_PANE_FIRST);
    const int r = offset / 16, c = offset % 16;
    if (offset < 0 || r >= rows_ || c >= cols_) return FALSE;
    if (row) *row = r;
    if (col) *col = c;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* col) const {
    CFrameWnd* frame = GetParentFrame();
    CWnd* pane = frame ? frame->GetActiveView() : nullptr;
    if (!IsChildPane(pane, row, col)) {
        pane = CWnd::FromHandlePermanent(::GetFocus());
        if (!IsChildPane(pane, row, col)) return nullptr;
    }
    return pane;
}

void CSplitterWnd::SetActivePane(int row, int col) {
    CWnd* pane = GetPane(row, col);
    if (!pane) return;
    CFrameWnd* frame = GetParentFrame();
    if (auto* view = dynamic_cast<CView*>(pane); view && frame)
        frame->SetActiveView(view);
    else
        pane->SetFocus();
}

void CSplitterWnd::ActivateNext(bool previous) {
    const int panes = rows_ * cols_;
    if (panes < 2) return;
    int row = 0, col = 0;
    if (!GetActivePane(&row, &col)) {
        SetActivePane(0, 0);
        return;
    }
    const int next = (row * cols_ + col + (previous ? panes - 1 : 1)) % panes;
    SetActivePane(next / cols_, next % cols_);
}

CScrollBar* CSplitterWnd::GetPaneScrollBar(const CWnd* pane, int bar) const {
    int row = 0, col = 0;
    if (!IsChildPane(const_cast<CWnd*>(pane), &row, &col)) return nullptr;
    CScrollBar& control =
        bar == SB_VERT ? const_cast<CScrollBar&>(vertical_[row]) : const_cast<CScrollBar&>(horizontal_[col]);
    return control.m_hWnd ? &control : nullptr;
}

BOOL CSplitterWnd::CanSplit() const {
    return (GetStyle() & SPLS_DYNAMIC_SPLIT) && !tracking_ && (max_rows_ > 1 || max_cols_ > 1);
}

// ---- layout -------------------------------------------------------------------

int CSplitterWnd::ScrollWidth() const { return shared_vertical_ ? ::GetSystemMetrics(SM_CXVSCROLL) : 0; }
int CSplitterWnd::ScrollHeight() const { return shared_horizontal_ ? ::GetSystemMetrics(SM_CYHSCROLL) : 0; }

CRect CSplitterWnd::PaneArea() const {
    CRect client;
    GetClientRect(&client);
    client.right = std::max(client.left, client.right - ScrollWidth());
    client.bottom = std::max(client.top, client.bottom - ScrollHeight());
    return client;
}

void CSplitterWnd::RowSpan(int row, int* top, int* bottom) const {
    const int height = PaneArea().Height();
    const int first = std::clamp(first_row_, 0, std::max(0, height - kBarWidth));
    *top = rows_ == 1 || row == 0 ? 0 : first + kBarWidth;
    *bottom = rows_ == 1 || row == 1 ? height : first;
}

void CSplitterWnd::ColumnSpan(int col, int* left, int* right) const {
    const int width = PaneArea().Width();
    const int first = std::clamp(first_col_, 0, std::max(0, width - kBarWidth));
    *left = cols_ == 1 || col == 0 ? 0 : first + kBarWidth;
    *right = cols_ == 1 || col == 1 ? width : first;
}

CRect CSplitterWnd::RowBarRect() const {
    if (rows_ < 2) return CRect(0, 0, 0, 0);
    int top = 0, bottom = 0;
    RowSpan(0, &top, &bottom);
    CRect client;
    GetClientRect(&client);
    return CRect(0, bottom, client.right, bottom + kBarWidth);
}

CRect CSplitterWnd::ColumnBarRect() const {
    if (cols_ < 2) return CRect(0, 0, 0, 0);
    int left = 0, right = 0;
    ColumnSpan(0, &left, &right);
    CRect client;
    GetClientRect(&client);
    return CRect(right, 0, right + kBarWidth, client.bottom);
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd) return;
    const CRect area = PaneArea();
    for (int row = 0; row < rows_; ++row) {
        int top = 0, bottom = 0;
        RowSpan(row, &top, &bottom);
        if (vertical_[row].m_hWnd) vertical_[row].MoveWindow(area.right, top, ScrollWidth(), bottom - top);
        for (int col = 0; col < cols_; ++col) {
            int left = 0, right = 0;
            ColumnSpan(col, &left, &right);
            if (row == 0 && horizontal_[col].m_hWnd)
                horizontal_[col].MoveWindow(left, area.bottom, right - left, ScrollHeight());
            if (CWnd* pane = GetPane(row, col)) pane->MoveWindow(left, top, right - left, bottom - top);
        }
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (const CRect& bar : {RowBarRect(), ColumnBarRect()}) {
        if (bar.IsRectEmpty()) continue;
        dc.FillSolidRect(&bar, face);
        dc.Draw3dRect(&bar, light, shadow);
    }
    // The corner between the two kinds of scroll bar.
    const CRect area = PaneArea();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(CRect(area.right, area.bottom, client.right, client.bottom), face);
}

// ---- splitting and un-splitting -------------------------------------------------

BOOL CSplitterWnd::SplitRow(int top_height) {
    const int height = PaneArea().Height();
    if (rows_ >= max_rows_ || top_height < min_pane_.cy || height - top_height - kBarWidth < min_pane_.cy) return FALSE;
    first_row_ = top_height;
    rows_ = 2;
    MakeScrollBar(SB_VERT, 1);
    for (int col = 0; col < cols_; ++col) {
        auto* above = GetPane(0, col);
        if (!CreateView(1, col, above ? above->GetRuntimeClass() : view_class_, CSize(0, 0), nullptr)) {
            DeleteRow(1);
            return FALSE;
        }
    }
    RecalcLayout();
    for (int col = 0; col < cols_; ++col) GetPane(1, col)->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int left_width) {
    const int width = PaneArea().Width();
    if (cols_ >= max_cols_ || left_width < min_pane_.cx || width - left_width - kBarWidth < min_pane_.cx) return FALSE;
    first_col_ = left_width;
    cols_ = 2;
    MakeScrollBar(SB_HORZ, 1);
    for (int row = 0; row < rows_; ++row) {
        auto* left = GetPane(row, 0);
        if (!CreateView(row, 1, left ? left->GetRuntimeClass() : view_class_, CSize(0, 0), nullptr)) {
            DeleteColumn(1);
            return FALSE;
        }
    }
    RecalcLayout();
    for (int row = 0; row < rows_; ++row) GetPane(row, 1)->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

namespace {

// The state of a bar's scroll control handed to the one that takes its place.
void CopyScrollState(CScrollBar& from, CScrollBar& to) {
    if (!from.m_hWnd || !to.m_hWnd) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (from.GetScrollInfo(&info, SIF_ALL)) to.SetScrollInfo(&info, TRUE);
}

}  // namespace

void CSplitterWnd::DeleteRow(int row) {
    if (rows_ < 2 || row < 0 || row > 1) return;
    int active_row = 0, active_col = 0;
    const bool had_active = GetActivePane(&active_row, &active_col) != nullptr;
    for (int col = 0; col < cols_; ++col)
        if (CWnd* pane = GetPane(row, col)) pane->DestroyWindow();
    if (row == 0) {
        for (int col = 0; col < cols_; ++col)
            if (CWnd* pane = GetPane(1, col)) pane->SetDlgCtrlID(IdFromRowCol(0, col));
        CopyScrollState(vertical_[1], vertical_[0]);
    }
    if (vertical_[1].m_hWnd) vertical_[1].DestroyWindow();
    rows_ = 1;
    RecalcLayout();
    if (had_active) SetActivePane(0, active_row == row ? 0 : active_col);
}

void CSplitterWnd::DeleteColumn(int col) {
    if (cols_ < 2 || col < 0 || col > 1) return;
    int active_row = 0, active_col = 0;
    const bool had_active = GetActivePane(&active_row, &active_col) != nullptr;
    for (int row = 0; row < rows_; ++row)
        if (CWnd* pane = GetPane(row, col)) pane->DestroyWindow();
    if (col == 0) {
        for (int row = 0; row < rows_; ++row)
            if (CWnd* pane = GetPane(row, 1)) pane->SetDlgCtrlID(IdFromRowCol(row, 0));
        CopyScrollState(horizontal_[1], horizontal_[0]);
    }
    if (horizontal_[1].m_hWnd) horizontal_[1].DestroyWindow();
    cols_ = 1;
    RecalcLayout();
    if (had_active) SetActivePane(active_col == col ? 0 : active_row, 0);
}

void CSplitterWnd::ApplyRowBar(int y) {
    const int height = PaneArea().Height();
    if (rows_ == 1) {
        SplitRow(y);
    } else if (y < min_pane_.cy) {
        DeleteRow(0);
    } else if (height - y - kBarWidth < min_pane_.cy) {
        DeleteRow(1);
    } else {
        first_row_ = y;
        RecalcLayout();
    }
}

void CSplitterWnd::ApplyColumnBar(int x) {
    const int width = PaneArea().Width();
    if (cols_ == 1) {
        SplitColumn(x);
    } else if (x < min_pane_.cx) {
        DeleteColumn(0);
    } else if (width - x - kBarWidth < min_pane_.cx) {
        DeleteColumn(1);
    } else {
        first_col_ = x;
        RecalcLayout();
    }
}

// ---- tracking ------------------------------------------------------------------

int CSplitterWnd::HitBars(CPoint point) const {
    int hit = kNone;
    if (RowBarRect().PtInRect(point)) hit |= kRowBar;
    if (ColumnBarRect().PtInRect(point)) hit |= kColumnBar;
    return hit;
}

void CSplitterWnd::DrawTracker(CDC& dc, int tracked, CPoint at) const {
    CRect client;
    GetClientRect(&client);
    if (tracked & kRowBar) {
        CRect bar(0, at.y, client.right, at.y + kBarWidth);
        dc.InvertRect(&bar);
    }
    if (tracked & kColumnBar) {
        CRect bar(at.x, 0, at.x + kBarWidth, client.bottom);
        dc.InvertRect(&bar);
    }
}

BOOL CSplitterWnd::TrackBars(int tracked, CPoint start, bool from_keyboard) {
    if (tracked == kNone || tracking_ || ::GetCapture()) return FALSE;
    const CRect area = PaneArea();
    // `at` is the top-left of the tracked bars; the mouse holds them by `grip`.
    const auto clamp = [&](CPoint p) {
        return CPoint(std::clamp(p.x, 0, std::max(0, area.right - kBarWidth)),
                      std::clamp(p.y, 0, std::max(0, area.bottom - kBarWidth)));
    };
    CPoint at = clamp(CPoint(ColumnBarRect().IsRectEmpty() ? start.x - kBarWidth / 2 : ColumnBarRect().left,
                             RowBarRect().IsRectEmpty() ? start.y - kBarWidth / 2 : RowBarRect().top));
    const CSize grip = start - at;
    tracking_ = true;
    CClientDC dc(this);
    DrawTracker(dc, tracked, at);
    const auto move_to = [&](CPoint next) {
        next = clamp(next);
        if (next == at) return;
        DrawTracker(dc, tracked, at);
        at = next;
        DrawTracker(dc, tracked, at);
    };
    const kit::user::LoopStep step = kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        using kit::user::LoopStep;
        if (kit::user::is_mouse_message(msg.message)) {
            CPoint mouse = AfxPointOf(msg.lParam);
            if (msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &mouse, 1);
            switch (msg.message) {
                case WM_MOUSEMOVE: move_to(mouse - grip); break;
                case WM_LBUTTONDOWN:
                    // A click places the bars the Split command moves.
                    if (from_keyboard) return LoopStep::finished;
                    break;
                case WM_LBUTTONUP:
                    if (!from_keyboard) {
                        move_to(mouse - grip);
                        return LoopStep::finished;
                    }
                    break;
                case WM_RBUTTONDOWN: return LoopStep::cancelled;
                default: break;
            }
            return LoopStep::keep_going;
        }
        if (msg.message != WM_KEYDOWN) return LoopStep::keep_going;
        switch (msg.wParam) {
            case VK_ESCAPE: return LoopStep::cancelled;
            case VK_RETURN: return LoopStep::finished;
            case VK_LEFT: move_to(at - CSize(kKeyStep, 0)); break;
            case VK_RIGHT: move_to(at + CSize(kKeyStep, 0)); break;
            case VK_UP: move_to(at - CSize(0, kKeyStep)); break;
            case VK_DOWN: move_to(at + CSize(0, kKeyStep)); break;
            default: break;
        }
        return LoopStep::keep_going;
    });
    tracking_ = false;
    // A close request may have destroyed the window behind the loop.
    if (!::IsWindow(m_hWnd)) return FALSE;
    DrawTracker(dc, tracked, at);
    if (step != kit::user::LoopStep::finished) return FALSE;
    const int rows = rows_, cols = cols_, first_row = first_row_, first_col = first_col_;
    if (tracked & kRowBar) ApplyRowBar(at.y);
    if (tracked & kColumnBar) ApplyColumnBar(at.x);
    return rows != rows_ || cols != cols_ || first_row != first_row_ || first_col != first_col_;
}

BOOL CSplitterWnd::DoKeyboardSplit() {
    if (!CanSplit()) return FALSE;
    int tracked = (max_rows_ > 1 ? kRowBar : kNone) | (max_cols_ > 1 ? kColumnBar : kNone);
    const CRect area = PaneArea();
    CPoint start = area.CenterPoint();
    if (rows_ > 1) start.y = RowBarRect().CenterPoint().y;
    if (cols_ > 1) start.x = ColumnBarRect().CenterPoint().x;
    CPoint screen = start;
    ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    return TrackBars(tracked, start, true);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    if (const int hit = HitBars(point)) TrackBars(hit, point, false);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
    if (wnd == this && hit == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int bars = HitBars(point);
        if (bars == kRowBar || bars == kColumnBar) {
            ::SetCursor(::LoadCursor(nullptr, bars == kRowBar ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
    }
    return BOOL(Default());
}

// ---- shared scroll bars ----------------------------------------------------------

void CSplitterWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    const int col = bar ? bar->GetDlgCtrlID() - int(AFX_IDW_HSCROLL_FIRST) : -1;
    if (col < 0 || col >= cols_) return;
    for (int row = 0; row < rows_; ++row)
        if (CWnd* pane = GetPane(row, col)) pane->SendMessage(WM_HSCROLL, MAKEWPARAM(code, pos), LPARAM(bar->m_hWnd));
}

void CSplitterWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    const int row = bar ? bar->GetDlgCtrlID() - int(AFX_IDW_VSCROLL_FIRST) : -1;
    if (row < 0 || row >= rows_) return;
    for (int col = 0; col < cols_; ++col)
        if (CWnd* pane = GetPane(row, col)) pane->SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos), LPARAM(bar->m_hWnd));
}

void CSplitterWnd::OnDestroy() {
    rows_ = cols_ = 0;
    Default();
}
