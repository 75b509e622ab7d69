#include "ide/shell/bars/info_wnd.h"

#include <algorithm>
#include <cstring>

#include "uikit/controls/tab_wnd.h"

IMPLEMENT_DYNAMIC(CInfoWnd, CWnd)

BEGIN_MESSAGE_MAP(CInfoWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_MESSAGE(CInfoWnd::kDeliverLines, OnDeliverLines)
ON_COMMAND(CInfoWnd::kCopyCommand, OnCopyCommand)
END_MESSAGE_MAP()

namespace {
constexpr int kHorzColumns = 0x800;  // the horizontal range, in characters
constexpr int kRepaintEvery = 20;    // lines between forced repaints, so a long build shows progress

// The thumb's place: the bar's 32-bit track position where there is a bar control.
int ThumbPosition(UINT pos, CScrollBar* bar) {
    SCROLLINFO info{};
    if (bar && bar->GetScrollInfo(&info, SIF_TRACKPOS)) return info.nTrackPos;
    return int(pos);
}
}  // namespace

CInfoWnd::CInfoWnd(ide::OutputLimits limits) : lines_(limits) {
    std::strcpy(font_desc_.lfFaceName, "Courier New");
    font_desc_.lfHeight = -14;
    font_desc_.lfCharSet = DEFAULT_CHARSET;
    font_desc_.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
}

CInfoWnd::~CInfoWnd() {
    if (m_hWnd) DestroyWindow();
}

BOOL CInfoWnd::Create(DWORD options, DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext*) {
    flags_ |= options;
    own_bars_ = style & (WS_HSCROLL | WS_VSCROLL);
    const char* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, cls, nullptr, style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CInfoWnd::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    font_.CreateFontIndirect(&font_desc_);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&font_);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(old);
    char_width_ = std::max<int>(1, metrics.tmAveCharWidth);
    line_height_ = std::max<int>(1, metrics.tmHeight);
    return 0;
}

// ---- text ----

BOOL CInfoWnd::AddLine(std::string_view text) {
    if (!lines_.HasStorage()) return FALSE;
    const int before = GetLineCount();
    const bool follow = caret_line_ >= before - 1;
    const bool stored = lines_.Append(text);
    const int count = GetLineCount();
    if (count == before) return stored;
    if (follow) {
        caret_line_ = count - 1;
        caret_column_ = 0;
    }
    const bool marked = (flags_ & kMarkedLines) != 0;
    if (!m_hWnd) return stored;
    CRect client;
    GetClientRect(&client);
    const int old_scroll = scroll_y_;
    if (follow && !marked) scroll_y_ = std::min(0, client.Height() - (count + 1) * line_height_);
    UpdateScrollBars(follow && !marked);
    PlaceCaret();
    if (scroll_y_ != old_scroll) {
        Invalidate(FALSE);
    } else {
        // The view stands still: only the new lines, where they show.
        CRect fresh(client.left, before * line_height_ + scroll_y_, client.right, client.bottom);
        if (fresh.top < fresh.bottom) InvalidateRect(&fresh, FALSE);
    }
    if (!marked && before / kRepaintEvery != count / kRepaintEvery) {
        UpdateWindow();
        for (int bar : {SB_VERT, SB_HORZ})
            if (CScrollBar* control = GetScrollBarCtrl(bar)) control->UpdateWindow();
    }
    return stored;
}

void CInfoWnd::Clear() {
    lines_.Clear();
    info_line_ = -1;
    scroll_x_ = scroll_y_ = 0;
    flags_ &= ~kCaretPlaced;
    caret_line_ = caret_column_ = anchor_line_ = 0;
    has_selection_ = false;
    if (!m_hWnd) return;
    UpdateScrollBars(true);
    PlaceCaret();
    Invalidate();
}

void CInfoWnd::SetMarkLines(int a, int b, int c) {
    const int count = GetLineCount();
    marks_ = {std::clamp(a, 0, count), std::clamp(b, 0, count), std::clamp(c, 0, count)};
    std::sort(marks_.begin(), marks_.end());
    SetTopLine(marks_[1]);
}

BOOL CInfoWnd::NavigateToLine(int index) {
    if (index < 0 || index >= GetLineCount()) return FALSE;
    const auto location = ide::ParseSourceLocation(GetLine(index));
    if (!location) return FALSE;
    if (navigate_) navigate_(*location);
    return TRUE;
}

void CInfoWnd::GotoNextInfoLine() {
    const int count = GetLineCount();
    int line = info_line_ + 1;
    while (line < count && !NavigateToLine(line)) ++line;
    if (line < count) info_line_ = line;
    MoveCaret(line, 0, false);
    Invalidate(FALSE);
}

void CInfoWnd::Navigate(int line) {
    if (GetLineCount() == 0) return;
    line = std::clamp(line, 0, GetLineCount() - 1);
    info_line_ = line;
    Invalidate(FALSE);
    NavigateToLine(line);
}

// ---- selection and copy ----

void CInfoWnd::SelectLines(int anchor, int caret) {
    const int last = std::max(0, GetLineCount() - 1);
    anchor_line_ = std::clamp(anchor, 0, last);
    has_selection_ = GetLineCount() > 0;
    MoveCaret(std::clamp(caret, 0, last), 0, true);
}

bool CInfoWnd::IsSelected(int line) const {
    if (!has_selection_) return false;
    return line >= std::min(anchor_line_, caret_line_) && line <= std::max(anchor_line_, caret_line_);
}

std::string CInfoWnd::GetSelectedText() const {
    const int count = GetLineCount();
    if (count == 0) return {};
    int first = std::min(caret_line_, count - 1), last = first;
    if (has_selection_) {
        first = std::min(anchor_line_, caret_line_);
        last = std::min(std::max(anchor_line_, caret_line_), count - 1);
    }
    std::string text;
    for (int line = first; line <= last; ++line) {
        text += GetLine(line);
        text += "\r\n";
    }
    return text;
}

BOOL CInfoWnd::Copy() {
    const std::string text = GetSelectedText();
    if (text.empty() || !::OpenClipboard(m_hWnd)) return FALSE;
    ::EmptyClipboard();
    BOOL done = FALSE;
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (char* bytes = static_cast<char*>(::GlobalLock(block))) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            ::GlobalUnlock(block);
            done = ::SetClipboardData(CF_TEXT, block) != nullptr;
        }
        if (!done) ::GlobalFree(block);
    }
    ::CloseClipboard();
    return done;
}

// ---- geometry ----

int CInfoWnd::PageLines() const {
    CRect client;
    GetClientRect(&client);
    return std::max(0, client.Height() / line_height_ - 1);
}

int CInfoWnd::PageColumns() const {
    CRect client;
    GetClientRect(&client);
    return std::max(0, client.Width() / char_width_ - 1);
}

int CInfoWnd::ColumnX(std::string_view line, int column) const {
    const int tab = kTabWidth * char_width_;
    int x = 0;
    for (int i = 0; i < column; ++i)
        x = i < int(line.size()) && line[std::size_t(i)] == '\t' ? (x / tab + 1) * tab : x + char_width_;
    return x;
}

int CInfoWnd::ColumnAt(std::string_view line, int x) const {
    const int tab = kTabWidth * char_width_;
    int left = 0, column = 0;
    for (;; ++column) {
        const bool is_tab = column < int(line.size()) && line[std::size_t(column)] == '\t';
        const int right = is_tab ? (left / tab + 1) * tab : left + char_width_;
        if (x < right) return column;
        left = right;
    }
}

int CInfoWnd::LineAt(int y) const {
    return std::clamp((y - scroll_y_) / line_height_, 0, std::max(0, GetLineCount() - 1));
}

// ---- caret and scrolling ----

void CInfoWnd::PlaceCaret() {
    if (!has_focus_ || !m_hWnd) return;
    ::DestroyCaret();
    ::CreateCaret(m_hWnd, nullptr, 2, line_height_);
    ::SetCaretPos(ColumnX(GetLine(caret_line_), caret_column_) + scroll_x_, caret_line_ * line_height_ + scroll_y_);
    ::ShowCaret(m_hWnd);
}

void CInfoWnd::MoveCaret(int line, int column, bool extend) {
    const int count = GetLineCount();
    if (!extend) {
        if (has_selection_) Invalidate(FALSE);
        has_selection_ = false;
        anchor_line_ = std::clamp(line, 0, std::max(0, count - 1));
    } else {
        if (!has_selection_) anchor_line_ = caret_line_;
        has_selection_ = count > 0;
        Invalidate(FALSE);
    }
    caret_line_ = std::clamp(line, 0, count);
    caret_column_ = std::max(0, column);
    ScrollToShowCaret();
    PlaceCaret();
}

void CInfoWnd::ScrollToShowCaret() {
    if (!m_hWnd) return;
    const int top = GetTopLine(), page = std::max(1, PageLines());
    if (caret_line_ < top)
        SetTopLine(caret_line_);
    else if (caret_line_ >= top + page)
        SetTopLine(caret_line_ - page + 1);
    const int x = ColumnX(GetLine(caret_line_), caret_column_);
    CRect client;
    GetClientRect(&client);
    if (x + scroll_x_ < 0)
        SetLeftColumn(x / char_width_);
    else if (x + scroll_x_ + char_width_ > client.Width())
        SetLeftColumn((x + char_width_ - client.Width()) / char_width_ + 1);
}

void CInfoWnd::SetTopLine(int line) {
    const int top = std::clamp(line, 0, std::max(0, GetLineCount()));
    if (top == GetTopLine()) return;
    scroll_y_ = -top * line_height_;
    if (!m_hWnd) return;
    UpdateScrollBars(true);
    PlaceCaret();
    Invalidate(FALSE);
}

void CInfoWnd::SetLeftColumn(int column) {
    const int left = std::clamp(column, 0, kHorzColumns);
    if (-left * char_width_ == scroll_x_) return;
    scroll_x_ = -left * char_width_;
    if (!m_hWnd) return;
    UpdateScrollBars(true);
    PlaceCaret();
    Invalidate(FALSE);
}

CScrollBar* CInfoWnd::GetScrollBarCtrl(int bar) const {
    // In a tab window the bars belong to the tab window and serve its active
    // pane only: a hidden pane keeps its position to itself until it shows.
    auto* tabs = DYNAMIC_DOWNCAST(SECTabWnd, GetParent());
    if (!tabs) return nullptr;
    CWnd* active = nullptr;
    tabs->GetActiveTab(&active);
    return active == this ? tabs->GetTabScrollBar(bar, const_cast<CInfoWnd*>(this)) : nullptr;
}

void CInfoWnd::SetBar(int bar, SCROLLINFO& info) {
    if (CScrollBar* control = GetScrollBarCtrl(bar)) {
        // Drawn with the next paint rather than at once: a long build sets it for every line.
        control->SetScrollInfo(&info, FALSE);
        control->Invalidate(FALSE);
        return;
    }
    const DWORD wanted = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    // Bars of the pane's own come and go with the range; they are its own when it was made with them.
    if (!DYNAMIC_DOWNCAST(SECTabWnd, GetParent()) && (own_bars_ & wanted)) ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
}

void CInfoWnd::UpdateScrollBars(bool set_positions) {
    SCROLLINFO vert{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, GetLineCount(), UINT(PageLines()), 0, 0};
    SCROLLINFO horz{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, kHorzColumns, UINT(PageColumns()), 0, 0};
    if (set_positions) {
        vert.fMask |= SIF_POS;
        vert.nPos = GetTopLine();
        horz.fMask |= SIF_POS;
        horz.nPos = -scroll_x_ / char_width_;
    }
    SetBar(SB_VERT, vert);
    SetBar(SB_HORZ, horz);
}

void CInfoWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    const int top = GetTopLine(), page = std::max(1, PageLines());
    switch (code) {
        case SB_LINEUP: SetTopLine(top - 1); break;
        case SB_LINEDOWN: SetTopLine(top + 1); break;
        case SB_PAGEUP: SetTopLine(top - page); break;
        case SB_PAGEDOWN: SetTopLine(top + page); break;
        case SB_TOP: SetTopLine(0); break;
        case SB_BOTTOM: SetTopLine(GetLineCount()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTopLine(ThumbPosition(pos, bar)); break;
        default: break;
    }
}

void CInfoWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    const int left = -scroll_x_ / char_width_, page = std::max(1, PageColumns());
    switch (code) {
        case SB_LINELEFT: SetLeftColumn(left - 1); break;
        case SB_LINERIGHT: SetLeftColumn(left + 1); break;
        case SB_PAGELEFT: SetLeftColumn(left - page); break;
        case SB_PAGERIGHT: SetLeftColumn(left + page); break;
        case SB_LEFT: SetLeftColumn(0); break;
        case SB_RIGHT: SetLeftColumn(kHorzColumns); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetLeftColumn(ThumbPosition(pos, bar)); break;
        default: break;
    }
}

BOOL CInfoWnd::OnMouseWheel(UINT, short delta, CPoint) {
    const WPARAM code = delta > 0 ? SB_LINEUP : SB_LINEDOWN;
    SendMessage(WM_VSCROLL, code);
    SendMessage(WM_VSCROLL, code);
    return TRUE;
}

void CInfoWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    UpdateScrollBars(true);
}

void CInfoWnd::OnShowWindow(BOOL show, UINT status) {
    CWnd::OnShowWindow(show, status);
    if (show) UpdateScrollBars(true);  // the tab window's bars come back with the pane's state
}

// ---- mouse and keys ----

void CInfoWnd::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    flags_ |= kCaretPlaced;
    const int line = LineAt(point.y);
    MoveCaret(line, ColumnAt(GetLine(line), point.x - scroll_x_), (flags & MK_SHIFT) != 0);
    dragging_ = true;
    SetCapture();
}

void CInfoWnd::OnMouseMove(UINT, CPoint point) {
    if (!dragging_ || GetCapture() != this) return;
    const int line = LineAt(point.y);
    if (line != caret_line_) MoveCaret(line, ColumnAt(GetLine(line), point.x - scroll_x_), true);
}

void CInfoWnd::OnLButtonUp(UINT, CPoint) {
    if (!dragging_) return;
    dragging_ = false;
    if (GetCapture() == this) ReleaseCapture();
}

void CInfoWnd::OnLButtonDblClk(UINT, CPoint point) { Navigate(LineAt(point.y)); }

UINT CInfoWnd::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CInfoWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    const int last = std::max(0, GetLineCount() - 1);
    const int page = std::max(1, PageLines());
    const std::string_view line = GetLine(caret_line_);
    switch (key) {
        case VK_RETURN: Navigate(caret_line_); break;
        case VK_UP: MoveCaret(std::max(0, caret_line_ - 1), caret_column_, shift); break;
        case VK_DOWN: MoveCaret(std::min(last, caret_line_ + 1), caret_column_, shift); break;
        case VK_LEFT: MoveCaret(caret_line_, caret_column_ - 1, shift); break;
        case VK_RIGHT: MoveCaret(caret_line_, caret_column_ + 1, shift); break;
        case VK_PRIOR: MoveCaret(std::max(0, caret_line_ - page), caret_column_, shift); break;
        case VK_NEXT: MoveCaret(std::min(last, caret_line_ + page), caret_column_, shift); break;
        case VK_HOME: MoveCaret(ctrl ? 0 : caret_line_, 0, shift); break;
        case VK_END:
            if (ctrl)
                MoveCaret(last, int(GetLine(last).size()), shift);
            else
                MoveCaret(caret_line_, int(line.size()), shift);
            break;
        case 'A':
            if (ctrl) SelectAll();
            break;
        case 'C':
        case VK_INSERT:
            if (ctrl) Copy();
            break;
        default: CWnd::OnKeyDown(key, repeat, flags); break;
    }
}

void CInfoWnd::OnSetFocus(CWnd* old) {
    CWnd::OnSetFocus(old);
    has_focus_ = true;
    PlaceCaret();
}

void CInfoWnd::OnKillFocus(CWnd* next) {
    CWnd::OnKillFocus(next);
    has_focus_ = false;
    ::DestroyCaret();
}

LRESULT CInfoWnd::OnDeliverLines(WPARAM, LPARAM) {
    if (deliver_) deliver_();
    return 0;
}

// ---- painting ----

BOOL CInfoWnd::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint fills every pixel

void CInfoWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // Only what needs painting: a long listing repaints a strip at a time.
    const CRect area = dc.m_ps.rcPaint;
    dc.FillSolidRect(&area, ::GetSysColor(COLOR_WINDOW));
    if (!lines_.HasStorage()) return;
    CFont* old_font = dc.SelectObject(&font_);
    dc.SetBkMode(TRANSPARENT);
    const bool marked = (flags_ & kMarkedLines) != 0;
    const int count = GetLineCount();
    const int first = std::max(0, (area.top - scroll_y_) / line_height_);
    const int tab = kTabWidth * char_width_;
    for (int index = first; index < count; ++index) {
        const int y = index * line_height_ + scroll_y_;
        if (y >= area.bottom) break;
        COLORREF color = ::GetSysColor(COLOR_WINDOWTEXT);
        if (marked) {
            if (index == marks_[1])
                color = RGB(255, 0, 0);
            else if (index >= marks_[0] && index <= marks_[2])
                color = RGB(0, 0, 255);
        } else if (index == info_line_ || IsSelected(index)) {
            dc.FillSolidRect(client.left, y, client.Width(), line_height_, ::GetSysColor(COLOR_HIGHLIGHT));
            color = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        dc.SetTextColor(color);
        // Runs of text between tabs, each at its column's pixel.
        const std::string_view text = GetLine(index);
        int x = 0;
        std::size_t start = 0;
        while (start < text.size() && x + scroll_x_ < client.right) {
            std::size_t end = text.find('\t', start);
            if (end == std::string_view::npos) end = text.size();
            if (end > start) dc.TextOut(x + scroll_x_, y, text.data() + start, int(end - start));
            x += int(end - start) * char_width_;
            if (end < text.size()) x = (x / tab + 1) * tab;
            start = end + 1;
        }
    }
    dc.SelectObject(old_font);
}
