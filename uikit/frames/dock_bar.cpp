#include "uikit/frames/dock_bar.h"

#include <algorithm>
#include <cmath>

#include "platform/user/on_scope_exit.h"
#include "platform/user/modal_loop.h"
#include "uikit/frames/dock_layout.h"
#include "uikit/frames/sys_colors.h"

IMPLEMENT_DYNCREATE(SECDockBar, CDockBar)

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

using Kind = CDockBar::Slot::Kind;

// A relative size counts as more than the minimum only past this margin, so
// that sizes the carries set exactly to the minimum stay at it.
constexpr float kPctEpsilon = 1e-4f;

SECControlBar* as_sec(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(bar) : nullptr;
}

bool is_fixed(CControlBar* bar) {
    SECControlBar* sec = as_sec(bar);
    return !sec || (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE);
}

CDockBar::Slot bar_slot(CControlBar* bar) { return CDockBar::Slot{Kind::bar, bar, 0}; }

}  // namespace

int sec_track_splitter_edge(int mouse, int grab, int min, int max) {
    int near_edge = mouse - grab;
    near_edge = std::min(near_edge, max - kSecSplitterSize);
    return std::max(near_edge, min);
}

// ---- splitters and edges ------------------------------------------------------------

void SECDockBar::Splitter::Draw(CDC* dc) const {
    const SECSysColors& colours = sec_sys_colors();
    const CRect& r = m_rect;
    dc->FillSolidRect(&r, colours.face);
    if (m_nType == 1) {
        dc->FillSolidRect(r.left, r.top, 1, r.Height(), colours.highlight);
        dc->FillSolidRect(r.right - 2, r.top, 1, r.Height(), colours.shadow);
        dc->FillSolidRect(r.right - 1, r.top, 1, r.Height(), colours.frame);
    } else {
        dc->FillSolidRect(r.left, r.top, r.Width(), 1, colours.highlight);
        dc->FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, colours.shadow);
        dc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, colours.frame);
    }
}

void SECDockBar::ClientEdge::Draw(CDC* dc) const {
    const SECSysColors& colours = sec_sys_colors();
    const CRect& r = m_rect;
    if (m_nType == 0) {
        dc->FillSolidRect(r.left, r.top, r.Width(), 1, colours.shadow);
        dc->FillSolidRect(r.left, r.top + 1, r.Width(), 1, colours.highlight);
    } else {
        dc->FillSolidRect(r.left, r.top, 1, r.Height(), colours.shadow);
        dc->FillSolidRect(r.left + 1, r.top, 1, r.Height(), colours.highlight);
    }
}

// ---- rows ---------------------------------------------------------------------------

SECDockBar::SECDockBar(BOOL floating, BOOL mdi_child) : m_bMDIChild(mdi_child) {
    m_bFloating = floating;
    sec_register_frames_resources();
}

std::vector<SECDockBar::Row> SECDockBar::rows() const {
    std::vector<Row> found;
    int start = 1;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i].kind != Kind::row_break) continue;
        found.push_back(Row{start, i});
        start = i + 1;
    }
    return found;
}

SECDockBar::Row SECDockBar::row_of(int slot) const {
    for (const Row& row : rows())
        if (slot >= row.start && slot <= row.end) return row;
    return Row{};
}

std::vector<CControlBar*> SECDockBar::visible_bars(const Row& row) const {
    std::vector<CControlBar*> bars;
    for (int i = row.start; i < row.end; ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (bar && bar->m_hWnd && bar->IsVisible()) bars.push_back(bar);
    }
    return bars;
}

std::vector<SECControlBar*> SECDockBar::flexible_bars(const Row& row) const {
    std::vector<SECControlBar*> bars;
    for (CControlBar* bar : visible_bars(row))
        if (!is_fixed(bar)) bars.push_back(as_sec(bar));
    return bars;
}

int SECDockBar::GetDockedVisibleCount() const {
    int count = 0;
    for (const Row& row : rows()) count += int(visible_bars(row).size());
    return count;
}

BOOL SECDockBar::IsBarAloneInRow(CControlBar* bar) const {
    const int slot = bar ? FindBar(bar) : -1;
    if (slot < 0) return FALSE;
    for (CControlBar* other : visible_bars(row_of(slot)))
        if (other != bar) return FALSE;
    return TRUE;
}

// The minimum share is of what the row's bars have between its splitters.
int SECDockBar::row_length(const Row& row) const {
    const CSize extent = available_extent();
    const int splitters = std::max(0, int(visible_bars(row).size()) - 1);
    return (horizontal() ? extent.cx : extent.cy) - kSecSplitterSize * splitters;
}

BOOL SECDockBar::IsBarExpanded(CControlBar* bar) const {
    const int slot = bar ? FindBar(bar) : -1;
    if (slot < 0) return FALSE;
    const Row row = row_of(slot);
    const int length = row_length(row);
    const float min_pct = length > 0 ? std::clamp(float(kSecMinLength) / float(length), 0.0f, 1.0f) : 0.05f;
    int above = 0;
    bool bar_above = false;
    for (SECControlBar* other : flexible_bars(row)) {
        if (other->m_fPctWidth > min_pct + kPctEpsilon) {
            ++above;
            bar_above = bar_above || other == bar;
        }
    }
    return above < 2 && bar_above;
}

BOOL SECDockBar::GetRowBars(CPtrList& list, CControlBar* bar) const {
    list.RemoveAll();
    const int slot = bar ? FindBar(bar) : -1;
    if (slot < 0) return FALSE;
    const Row row = row_of(slot);
    for (int i = slot - 1; i >= row.start; --i)
        if (CControlBar* other = GetDockedControlBar(i)) list.AddTail(other);
    list.AddTail(bar);
    for (int i = slot + 1; i < row.end; ++i)
        if (CControlBar* other = GetDockedControlBar(i)) list.AddTail(other);
    return TRUE;
}

void SECDockBar::CalcMinPct(int length) {
    m_fMinPct = length > 0 ? std::clamp(float(kSecMinLength) / float(length), 0.0f, 1.0f) : 0.05f;
}

float SECDockBar::AddPctWithMin(float carry, SECControlBar* bar) {
    if (!bar) return carry;
    bar->m_fPctWidth += carry;
    if (bar->m_fPctWidth < m_fMinPct) {
        const float short_by = bar->m_fPctWidth - m_fMinPct;
        bar->m_fPctWidth = m_fMinPct;
        return short_by;
    }
    return 0.0f;
}

void SECDockBar::NormalizeRow(int row_start, SECControlBar* kept, int* flexible, int* fixed) {
    const Row row = row_of(row_start);
    const std::vector<CControlBar*> visible = visible_bars(row);
    const std::vector<SECControlBar*> bars = flexible_bars(row);
    if (flexible) *flexible = int(bars.size());
    if (fixed) *fixed = int(visible.size() - bars.size());
    if (bars.empty()) return;
    // A bar that asks for the whole row (as every bar docks) has no share of its own to keep.
    if (std::find(bars.begin(), bars.end(), kept) == bars.end() || (kept && kept->m_fPctWidth >= 1.0f)) kept = nullptr;
    float others = 0.0f;
    for (SECControlBar* bar : bars)
        if (bar != kept) others += std::max(bar->m_fPctWidth, 0.0f);
    if (kept) {
        // The kept bar holds its share (a bar shown again gets back the width it had);
        // the others share what is left in their proportions.
        kept->m_fPctWidth = bars.size() == 1 ? 1.0f : std::clamp(kept->m_fPctWidth, m_fMinPct, 1.0f);
        const float rest = 1.0f - kept->m_fPctWidth;
        for (SECControlBar* bar : bars) {
            if (bar == kept) continue;
            // Others all at zero share the rest evenly rather than divide by their sum.
            bar->m_fPctWidth =
                others > 0.0f ? std::max(bar->m_fPctWidth, 0.0f) * rest / others : rest / float(bars.size() - 1);
        }
    } else {
        for (SECControlBar* bar : bars)
            bar->m_fPctWidth = others > 0.0f ? std::max(bar->m_fPctWidth, 0.0f) / others : 1.0f / float(bars.size());
    }
    float carry = 0.0f;
    for (SECControlBar* bar : bars) carry = AddPctWithMin(carry, bar);
    if (carry != 0.0f)
        for (SECControlBar* bar : bars) carry = AddPctWithMin(carry, bar);
    if (carry != 0.0f) (kept ? kept : bars.front())->m_fPctWidth += carry;
}

void SECDockBar::mark_redraw(CControlBar* bar) {
    if (bar) m_arrRedraw.Add(bar);
}

void SECDockBar::request_layout() {
    if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

void SECDockBar::ExpandBar(CControlBar* bar, int mode) {
    const int slot = bar ? FindBar(bar) : -1;
    if (slot < 0 || (mode != kExpand && mode != kContract)) return;
    const Row row = row_of(slot);
    CalcMinPct(row_length(row));
    for (SECControlBar* other : flexible_bars(row)) {
        other->m_fPctWidth = mode == kContract ? 0.1f : other == bar ? 1.0f : 0.0f;
        mark_redraw(other);
    }
    NormalizeRow(row.start, mode == kExpand ? as_sec(bar) : nullptr);
    request_layout();
}

void SECDockBar::SetActiveBar(SECControlBar* bar) {
    mark_redraw(bar);
    if (bar && IsBarAloneInRow(bar)) {
        for (int i = FindBar(bar); i < m_arrBars.GetSize(); ++i) mark_redraw(GetDockedControlBar(i));
    }
    m_pActiveBar = bar;
}

// A bar that never had a share of its own (it docked asking for the whole row)
// shown into a row with others takes as much as each of them would have evenly,
// and the others give it up in their proportions: its share is settled now, so
// bars shown one after another before the next layout all get theirs.
void SECDockBar::give_even_share(const Row& row, SECControlBar* shown) {
    const std::vector<SECControlBar*> bars = flexible_bars(row);
    if (bars.size() < 2) return;
    shown->m_fPctWidth = 1.0f / float(bars.size());
    CalcMinPct(row_length(row));
    NormalizeRow(row.start, shown);
}

void SECDockBar::OnBarShown(CControlBar* bar, BOOL shown) {
    const int slot = FindBar(bar);
    if (slot < 0) return;
    if (shown) {
        SECControlBar* sec = as_sec(bar);
        if (sec && !is_fixed(bar) && sec->m_fPctWidth >= 1.0f) give_even_share(row_of(slot), sec);
        SetActiveBar(sec);
    } else {
        mark_redraw(bar);
    }
    m_bRowsChanged = TRUE;
    request_layout();
}

void SECDockBar::RedrawBars() {
    m_bRepainting = TRUE;
    if (m_arrRedraw.GetSize() > 0 && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    m_bRepainting = FALSE;
}

// ---- inserting and removing -----------------------------------------------------------

void SECDockBar::collapse_breaks() {
    for (int i = m_arrBars.GetSize() - 1; i >= 1; --i)
        if (m_arrBars[i].kind == Kind::row_break && m_arrBars[i - 1].kind == Kind::row_break) m_arrBars.RemoveAt(i);
    if (m_arrBars.IsEmpty() || m_arrBars[0].kind != Kind::row_break) m_arrBars.InsertAt(0, Slot{});
    if (m_arrBars[m_arrBars.GetUpperBound()].kind != Kind::row_break) m_arrBars.Add(Slot{});
}

void SECDockBar::ForgetBar(CControlBar* bar) {
    bool removed = false;
    for (int i = m_arrBars.GetSize() - 1; i >= 0; --i) {
        if (m_arrBars[i].kind == Kind::bar && m_arrBars[i].bar == bar) {
            m_arrBars.RemoveAt(i);
            removed = true;
        }
    }
    for (int i = m_arrRedraw.GetSize() - 1; i >= 0; --i)
        if (m_arrRedraw[i] == bar) m_arrRedraw.RemoveAt(i);
    if (m_pActiveBar == bar) m_pActiveBar = nullptr;
    if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
    if (removed) {
        collapse_breaks();
        m_bRowsChanged = TRUE;
    }
}

void SECDockBar::InsertNewFirstRow(CControlBar* bar) {
    const bool only_breaks = GetDockedCount() == 0 && m_arrBars.GetSize() <= 2;
    m_arrBars.InsertAt(1, bar_slot(bar));
    if (!only_breaks) m_arrBars.InsertAt(2, Slot{});
    collapse_breaks();
    m_bRowsChanged = TRUE;
}

int SECDockBar::InsertBar(CControlBar* bar, const SECDockPos& position) {
    const std::vector<Row> existing = rows();
    bool has_entries = false;
    for (const Row& row : existing) has_entries = has_entries || row.end > row.start;
    if (!has_entries) {
        m_arrBars.RemoveAll();
        m_arrBars.Add(Slot{});
        m_arrBars.Add(bar_slot(bar));
        m_arrBars.Add(Slot{});
        m_bRowsChanged = TRUE;
        return 1;
    }
    const int count = int(existing.size());
    // Which row, counted from the top; past the rows means new rows at the end.
    int row_index = position.row;
    if (position.flags & SEC_DOCKPOS_FROM_BOTTOM)
        row_index = position.row > 0 ? count - 1 + position.row : count - 1 + position.row;
    if (!(position.flags & SEC_DOCKPOS_FROM_BOTTOM) && position.row < 0) {
        // -1 joins the first row at its front, -2 makes a new first row, and so on.
        m_arrBars.InsertAt(1, bar_slot(bar));
        for (int i = 0; i < -1 - position.row; ++i) m_arrBars.InsertAt(2, Slot{});
        collapse_breaks();
        m_bRowsChanged = TRUE;
        return 1;
    }
    if (row_index < 0) {
        InsertNewFirstRow(bar);
        return 1;
    }
    if (row_index >= count) {
        // Empty rows collapse, so the bar becomes the new last row.
        m_arrBars.Add(bar_slot(bar));
        m_arrBars.Add(Slot{});
        m_bRowsChanged = TRUE;
        return m_arrBars.GetSize() - 2;
    }
    const Row row = existing[std::size_t(row_index)];
    int at = row.start;
    if (row.end == row.start) {
        at = row.start;
    } else if (position.flags & SEC_DOCKPOS_NEW_ROW) {
        m_arrBars.InsertAt(row.start, Slot{});
        m_arrBars.InsertAt(row.start, bar_slot(bar));
        m_bRowsChanged = TRUE;
        mark_redraw(bar);
        return row.start;
    } else if (!(position.flags & SEC_DOCKPOS_FROM_END)) {
        if (position.column >= 1) {
            int passed = 0;
            at = row.end;
            for (int i = row.start; i < row.end; ++i) {
                if (passed == position.column) {
                    at = i;
                    break;
                }
                CControlBar* other = GetDockedControlBar(i);
                if (other && other->IsVisible()) ++passed;
            }
        }
    } else if (position.column > 0) {
        at = row.end;
    } else {
        at = row.start;
        int passed = 0;
        for (int i = row.end - 1; i >= row.start; --i) {
            CControlBar* other = GetDockedControlBar(i);
            if (other && other->IsVisible() && passed++ == -position.column) {
                at = i + 1;
                break;
            }
        }
    }
    m_arrBars.InsertAt(at, bar_slot(bar));
    mark_redraw(GetDockedControlBar(at + 1));
    return at;
}

void SECDockBar::DockControlBarEx(CControlBar* bar, const SECDockPos& position) {
    if (!bar || !bar->m_hWnd) return;
    const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (m_bFloating) {
        // A floating frame's dock bar takes the sizing bits of what it holds.
        m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED)) |
                    (bar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED)) | (bar->m_dwDockStyle & CBRS_FLOAT_MULTI);
        if (!(m_dwStyle & CBRS_FLOAT_MULTI))
            if (CWnd* frame = GetParent()) frame->SetWindowText(bar->GetWindowText());
    }
    bar->SetBarStyle((bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) | align | CBRS_BORDER_ANY |
                     (m_bFloating ? CBRS_FLOATING : 0));
    if (CDockBar* old = bar->m_pDockBar) {
        if (SECDockBar* sec_old = sec_dock_bar_of(bar)) {
            sec_old->ForgetBar(bar);
            sec_old->request_layout();
        } else {
            old->RemoveControlBar(bar);
        }
    }
    InsertBar(bar, position);
    ::SetParent(bar->m_hWnd, m_hWnd);
    bar->m_pDockBar = this;
    RemovePlaceHolder(bar);
    collapse_breaks();
    request_layout();
}

// ---- dropping a dragged bar ---------------------------------------------------------------

// Rows are counted as they will be once the dragged bar has left its own place.
SECDockBar::DropPlace SECDockBar::drop_place(CControlBar* bar, CPoint point) const {
    DropPlace place;
    const bool horz = horizontal();
    CRect whole;
    GetWindowRect(&whole);
    int index = 0;
    for (const Row& row : rows()) {
        bool stays = false, any_visible = false;
        CRect band;
        std::vector<int> middles;
        for (int i = row.start; i < row.end; ++i) {
            if (m_arrBars[i].kind == Kind::bar && m_arrBars[i].bar == bar) continue;
            stays = true;
            CControlBar* other = GetDockedControlBar(i);
            if (!other || !other->m_hWnd || !other->IsVisible()) continue;
            CRect r;
            other->GetWindowRect(&r);
            band = any_visible ? CRect(std::min(band.left, r.left), std::min(band.top, r.top),
                                       std::max(band.right, r.right), std::max(band.bottom, r.bottom))
                               : r;
            any_visible = true;
            middles.push_back(horz ? r.CenterPoint().x : r.CenterPoint().y);
        }
        if (!stays) continue;
        if (any_visible) {
            if (horz) {
                band.left = whole.left, band.right = whole.right;
            } else {
                band.top = whole.top, band.bottom = whole.bottom;
            }
            if (band.PtInRect(point)) {
                const int along = horz ? point.x : point.y;
                int column = 0;
                for (int middle : middles) column += middle < along;
                place.position = SECDockPos{index, column, 0};
                place.band = band;
                return place;
            }
        }
        ++index;
    }
    place.new_row = true;
    place.at_start = (horz ? point.y - whole.CenterPoint().y : point.x - whole.CenterPoint().x) < 0;
    // -2 asks for a new first row; a row past the last is a new last row.
    place.position = SECDockPos{place.at_start ? -2 : index, 0, 0};
    return place;
}

SECDockPos SECDockBar::DropPosition(CControlBar* bar, CPoint point) const { return drop_place(bar, point).position; }

void SECDockBar::CalcDropRect(CControlBar* bar, CPoint point, const CRect& drag, CRect& rect, int& row) const {
    const DropPlace place = drop_place(bar, point);
    row = place.new_row && place.at_start ? -1 : place.position.row;
    const bool horz = horizontal();
    if (!place.new_row) {
        // Across the row, as long as the bar's drag rectangle (at most the row), centred on the mouse.
        rect = place.band;
        const int room = horz ? rect.Width() : rect.Height();
        const int length = std::min(horz ? drag.Width() : drag.Height(), room);
        const int start = horz ? rect.left : rect.top;
        const int first = std::clamp((horz ? point.x : point.y) - length / 2, start, start + room - length);
        if (horz) {
            rect.left = first, rect.right = first + length;
        } else {
            rect.top = first, rect.bottom = first + length;
        }
        return;
    }
    // A new row along the whole side, as thick as the bar; an empty side grows from the frame's edge.
    GetWindowRect(&rect);
    const int thickness = horz ? drag.Height() : drag.Width();
    const bool empty = GetDockedVisibleCount() == 0;
    const bool from_start = empty ? (side() & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0 : place.at_start;
    if (horz) {
        if (from_start)
            rect.bottom = rect.top + thickness;
        else
            rect.top = rect.bottom - thickness;
    } else {
        if (from_start)
            rect.right = rect.left + thickness;
        else
            rect.left = rect.right - thickness;
    }
}

// ---- layout ---------------------------------------------------------------------------

CSize SECDockBar::available_extent() const {
    if (m_pLayoutParams) {
        const CRect area(m_pLayoutParams->rect);
        return CSize(std::max<LONG>(area.Width(), 0), std::max<LONG>(area.Height(), 0));
    }
    CRect area;
    if (CWnd* parent = GetParent()) parent->GetClientRect(&area);
    return CSize(std::max<LONG>(area.Width(), 0), std::max<LONG>(area.Height(), 0));
}

int SECDockBar::committed_length(const SECControlBar* bar) const {
    return horizontal() ? bar->m_szHorzDock.cx : bar->m_szVertDock.cy;
}

int SECDockBar::row_thickness(const Row& row) const {
    const bool horz = horizontal();
    int thickness = 0;
    for (CControlBar* bar : visible_bars(row)) {
        const CSize size = bar->CalcFixedLayout(FALSE, horz);
        thickness = std::max<int>(thickness, horz ? size.cy : size.cx);
    }
    return thickness;
}

void SECDockBar::add_splitter(BOOL in_row, int type, const CRect& rect, int bar_index) {
    for (Splitter& splitter : m_arrSplitters) {
        if (splitter.m_rect == rect) {
            splitter.m_bInRow = in_row, splitter.m_nType = type, splitter.m_nBarIndex = bar_index;
            splitter.m_bUsed = TRUE;
            return;
        }
    }
    Splitter made;
    made.m_bInRow = in_row, made.m_nType = type, made.m_rect = rect, made.m_nBarIndex = bar_index;
    made.m_bUsed = TRUE;
    m_arrSplitters.push_back(made);
}

void SECDockBar::add_client_edge(int type, const CRect& rect) {
    for (ClientEdge& edge : m_arrClientEdges) {
        if (edge.m_rect == rect) {
            edge.m_nType = type, edge.m_bUsed = TRUE;
            return;
        }
    }
    m_arrClientEdges.push_back(ClientEdge{type, rect, TRUE});
}

namespace {

// Moves a bar to its place (in its dock bar's coordinates) through the batch;
// true when its size changed.
bool place_bar(CControlBar* bar, const CRect& place, HDWP* dwp, CWnd* dock_bar) {
    CRect now;
    bar->GetWindowRect(&now);
    dock_bar->ScreenToClient(&now);
    if (now == place) return false;
    const bool resized = now.Size() != place.Size();
    if (dwp && *dwp)
        *dwp = ::DeferWindowPos(*dwp, bar->m_hWnd, nullptr, place.left, place.top, place.Width(), place.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | (resized ? 0 : SWP_NOSIZE));
    if (!bar->IsFloating() && bar->m_pDockContext) {
        bar->m_pDockContext->m_rectMRUDockPos = place;
        bar->m_pDockContext->m_uMRUDockID = UINT(dock_bar->GetDlgCtrlID());
    }
    return resized;
}

}  // namespace

// Lays out one row at `across` (pixels from the dock bar's leading edge);
// returns the room the row and its separators take.
int SECDockBar::layout_row(const Row& row, int across, int extent, HDWP* dwp) {
    const bool horz = horizontal();
    const std::vector<CControlBar*> bars = visible_bars(row);
    if (bars.empty()) return 0;  // a row with nothing shown leaves neither splitter nor gap
    const DWORD side_style = side();
    const bool fixed_row = std::all_of(bars.begin(), bars.end(), is_fixed);
    const DWORD dock_mode = horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    if (fixed_row || m_bFloating) {
        // Bars at their own sizes one after another; a bar keeps a gap the user left before it.
        int along = 0, thickness = 0;
        for (CControlBar* bar : bars) {
            if (SECControlBar* sec = as_sec(bar)) sec->m_dwExStyle |= CBRS_EX_BORDER3D;
            CSize size = bar->CalcDynamicLayout(-1, dock_mode);
            if (!horz && as_sec(bar) && (as_sec(bar)->m_dwExStyle & CBRS_EX_OWN_ROW)) size.cy = extent;
            const int length = horz ? size.cx : size.cy;
            CRect now;
            bar->GetWindowRect(&now);
            ScreenToClient(&now);
            int at = std::max<int>(along, horz ? now.left : now.top);
            at = std::max(along, std::min(at, extent - length));
            const CRect place = horz ? CRect(at, across, at + size.cx, across + size.cy)
                                     : CRect(across, at, across + size.cx, at + size.cy);
            if (dwp && place_bar(bar, place, dwp, this)) mark_redraw(bar);
            along = at + length;
            thickness = std::max<int>(thickness, horz ? size.cy : size.cx);
        }
        return thickness;
    }
    const int thickness = row_thickness(row);
    SECDockLayoutRow numbers{{}, thickness};
    for (CControlBar* bar : bars) {
        SECDockLayoutBar& entry = numbers.bars.emplace_back();
        if (SECControlBar* sec = as_sec(bar)) {
            entry.share = sec->m_fPctWidth, entry.minimum = std::max(kSecMinLength, sec->MinDockedLength(horz));
        } else {
            const CSize size = bar->CalcFixedLayout(FALSE, horz);
            entry.fixed_length = horz ? size.cx : size.cy;
        }
    }
    // The separator away from the client area: an edge for top and left, a row splitter for bottom and right.
    const bool edge_first = side_style == CBRS_ALIGN_TOP || side_style == CBRS_ALIGN_LEFT;
    const SECDockRowLayout layout = sec_layout_dock_row(numbers, SECDockRowPlace{across, extent, horz, edge_first});
    for (std::size_t i = 0; i < bars.size(); ++i) {
        CControlBar* bar = bars[i];
        const CRect& place = layout.bars[i];
        if (SECControlBar* sec = as_sec(bar)) {
            sec->m_dwExStyle &= ~CBRS_EX_BORDER3D;
            sec->CalcDynamicLayout(thickness, LM_COMMIT | (horz ? LM_HORZDOCK | LM_LENGTHY : LM_VERTDOCK));
            sec->CalcDynamicLayout(horz ? place.Width() : place.Height(),
                                   LM_COMMIT | (horz ? LM_HORZDOCK : LM_VERTDOCK | LM_LENGTHY));
        }
        if (dwp && place_bar(bar, place, dwp, this)) mark_redraw(bar);
    }
    if (dwp) {
        const int row_splitter_type = horz ? 0 : 1, in_row_type = horz ? 1 : 0;
        add_client_edge(row_splitter_type, layout.client_edge);
        if (!edge_first) add_splitter(FALSE, row_splitter_type, layout.row_splitter, row.start);
        for (const SECDockRowLayout::InRowSplitter& splitter : layout.splitters)
            add_splitter(TRUE, in_row_type, splitter.rect, FindBar(bars[std::size_t(splitter.after)]));
        if (edge_first) add_splitter(FALSE, row_splitter_type, layout.row_splitter, row.start);
    }
    return layout.room;
}

CSize SECDockBar::CalcFixedLayout(BOOL stretch, BOOL) {
    const bool horz = horizontal();
    const CSize extent_size = available_extent();
    const int extent = horz ? extent_size.cx : extent_size.cy;
    const bool query = !m_pLayoutParams || !m_pLayoutParams->hDWP;
    HDWP dwp = nullptr;
    if (!query) {
        dwp = ::BeginDeferWindowPos(m_arrBars.GetSize());
        for (Splitter& splitter : m_arrSplitters) splitter.m_bUsed = FALSE;
        for (ClientEdge& edge : m_arrClientEdges) edge.m_bUsed = FALSE;
    }
    int across = 0;
    for (const Row& row : rows()) {
        CalcMinPct(row_length(row));
        NormalizeRow(row.start, m_pActiveBar);
        across += layout_row(row, across, extent, query ? nullptr : &dwp);
    }
    if (!query) {
        if (dwp) ::EndDeferWindowPos(dwp);
        std::erase_if(m_arrSplitters, [](const Splitter& splitter) { return !splitter.m_bUsed; });
        std::erase_if(m_arrClientEdges, [](const ClientEdge& edge) { return !edge.m_bUsed; });
        m_pActiveBar = nullptr;
    }
    // Only a frame's own top and left dock bars make room for the border it draws round its client area.
    if (across > 0 && (side() == CBRS_ALIGN_TOP || side() == CBRS_ALIGN_LEFT)) across += client_border();
    return horz ? CSize(stretch ? 32767 : extent, across) : CSize(across, stretch ? 32767 : extent);
}

int SECDockBar::client_border() const {
    const SECDockSite* site = sec_dock_site(dynamic_cast<CFrameWnd*>(GetParent()));
    return site ? site->GetClientBorder() : 0;
}

LRESULT SECDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
    m_pLayoutParams = layout;
    kit::user::OnScopeExit forget([this] { m_pLayoutParams = nullptr; });
    const bool horz = horizontal();
    CSize size = CalcFixedLayout(FALSE, horz);
    CRect free(layout->rect);
    size.cx = std::clamp<LONG>(size.cx, 0, std::max<LONG>(free.Width(), 0));
    size.cy = std::clamp<LONG>(size.cy, 0, std::max<LONG>(free.Height(), 0));
    CRect place = free;
    switch (side()) {
        case CBRS_ALIGN_TOP: place.bottom = place.top + size.cy, layout->rect.top += size.cy; break;
        case CBRS_ALIGN_BOTTOM: place.top = place.bottom - size.cy, layout->rect.bottom -= size.cy; break;
        case CBRS_ALIGN_LEFT: place.right = place.left + size.cx, layout->rect.left += size.cx; break;
        default: place.left = place.right - size.cx, layout->rect.right -= size.cx; break;
    }
    if (layout->hDWP)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, place.left, place.top, place.Width(),
                                        place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// ---- painting ---------------------------------------------------------------------------

void SECDockBar::DoPaint(CDC* dc) {
    for (const ClientEdge& edge : m_arrClientEdges) edge.Draw(dc);
    for (const Splitter& splitter : m_arrSplitters) splitter.Draw(dc);
    for (int i = 0; i < m_arrRedraw.GetSize(); ++i) {
        auto* bar = static_cast<CControlBar*>(m_arrRedraw[i]);
        if (FindBar(bar) >= 0 && bar->m_hWnd)
            bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    m_arrRedraw.RemoveAll();
    m_bRowsChanged = FALSE;
}

// ---- splitters ----------------------------------------------------------------------------

int SECDockBar::splitter_at(CPoint point) const {
    for (int i = int(m_arrSplitters.size()) - 1; i >= 0; --i)
        if (m_arrSplitters[std::size_t(i)].m_rect.PtInRect(point)) return i;
    return -1;
}

void SECDockBar::CalcSplitterLimits(Splitter& splitter) {
    const Row row = row_of(splitter.m_nBarIndex);
    const CRect& s = splitter.m_rect;
    if (splitter.m_bInRow) {
        const std::vector<CControlBar*> bars = visible_bars(row);
        CControlBar* before = GetDockedControlBar(splitter.m_nBarIndex);
        const auto split = std::find(bars.begin(), bars.end(), before);
        const int n1 = split == bars.end() ? 0 : int(split - bars.begin()) + 1;
        const int n2 = int(bars.size()) - n1;
        CRect client;
        GetClientRect(&client);
        const bool vertical_strip = splitter.m_nType == 1;
        splitter.m_nMin = (vertical_strip ? client.left : client.top) + kSecMinDragLength * n1;
        splitter.m_nMax = (vertical_strip ? client.right : client.bottom) - kSecMinDragLength * n2;
    } else {
        // What the frame's client area keeps, in this dock bar's coordinates.
        CRect remaining(0, 0, 0, 0);
        if (CFrameWnd* frame = GetDockingFrame()) {
            frame->RepositionBars(0, 0xFFFF, 0xE900, CWnd::reposQuery, &remaining, nullptr, TRUE);
            frame->MapWindowPoints(this, &remaining);
        }
        const int thickness = row_thickness(row);
        switch (side()) {
            case CBRS_ALIGN_TOP:
                splitter.m_nMin = s.top - thickness + kSecMinRowDrag;
                splitter.m_nMax = std::max<int>(remaining.bottom - kSecMinRowDrag, s.bottom);
                break;
            case CBRS_ALIGN_BOTTOM:
                splitter.m_nMin = std::min<int>(remaining.top + kSecMinRowDrag, s.top);
                splitter.m_nMax = s.bottom + thickness - kSecMinRowDrag;
                break;
            case CBRS_ALIGN_LEFT:
                splitter.m_nMin = s.left - thickness + kSecMinRowDrag;
                splitter.m_nMax = std::max<int>(remaining.right - kSecMinRowDrag, s.right);
                break;
            default:
                splitter.m_nMin = std::min<int>(remaining.left + kSecMinRowDrag, s.left);
                splitter.m_nMax = s.right + thickness - kSecMinRowDrag;
                break;
        }
    }
    // Limits that would cross (a bar or frame too small for them) hold the splitter at the minimum.
    splitter.m_nMax = std::max(splitter.m_nMax, splitter.m_nMin + kSecSplitterSize);
}

void SECDockBar::ApplySplitterMove(const Splitter& splitter, int delta) {
    if (delta == 0) return;
    m_bRowsChanged = TRUE;
    const bool horz = horizontal();
    const Row row = row_of(splitter.m_nBarIndex);
    if (!splitter.m_bInRow) {
        // The row grows toward the client area by what the splitter moved that way.
        const int grow = (side() == CBRS_ALIGN_TOP || side() == CBRS_ALIGN_LEFT) ? delta : -delta;
        const int thickness = std::max(0, row_thickness(row) + grow);
        for (SECControlBar* bar : flexible_bars(row)) {
            bar->CalcDynamicLayout(thickness, LM_COMMIT | (horz ? LM_HORZDOCK | LM_LENGTHY : LM_VERTDOCK));
            mark_redraw(bar);
        }
        request_layout();
        return;
    }
    const std::vector<SECControlBar*> bars = flexible_bars(row);
    CRect client;
    GetClientRect(&client);
    const int length_for_bars =
        (horz ? client.Width() : client.Height()) - kSecSplitterSize * (int(visible_bars(row).size()) - 1);
    if (length_for_bars <= 0) return;  // nothing to share out
    CalcMinPct(length_for_bars);
    CControlBar* before = GetDockedControlBar(splitter.m_nBarIndex);
    const auto split = std::find(bars.begin(), bars.end(), before);
    if (split == bars.end() || split + 1 == bars.end()) return;
    const std::size_t k = std::size_t(split - bars.begin());
    std::vector<int> lengths;
    for (SECControlBar* bar : bars) lengths.push_back(committed_length(bar));
    // The side that grows takes from the other side's bars, nearest first, each keeping its minimum.
    const int wanted = std::abs(delta);
    int taken = 0;
    if (delta > 0) {
        for (std::size_t i = k + 1; i < bars.size() && taken < wanted; ++i) {
            const int give = std::clamp(lengths[i] - kSecMinLength, 0, wanted - taken);
            lengths[i] -= give, taken += give;
        }
        lengths[k] += taken;
    } else {
        for (std::size_t i = k + 1; i-- > 0 && taken < wanted;) {
            const int give = std::clamp(lengths[i] - kSecMinLength, 0, wanted - taken);
            lengths[i] -= give, taken += give;
        }
        lengths[k + 1] += taken;
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (lengths[i] == committed_length(bars[i])) continue;
        bars[i]->m_fPctWidth = std::max(m_fMinPct, float(lengths[i]) / float(length_for_bars));
        bars[i]->CalcDynamicLayout(lengths[i], LM_COMMIT | (horz ? LM_HORZDOCK : LM_VERTDOCK | LM_LENGTHY));
        mark_redraw(bars[i]);
    }
    request_layout();
}

BOOL SECDockBar::TrackSplitter(const Splitter& pressed, CPoint point) {
    if (::GetCapture() || m_bTracking) return FALSE;
    Splitter splitter = pressed;
    CalcSplitterLimits(splitter);
    CFrameWnd* frame = GetDockingFrame();
    CWnd* draw_on = frame ? static_cast<CWnd*>(frame) : this;
    const bool moves_vertically = splitter.m_nType == 0;
    const int original = moves_vertically ? splitter.m_rect.top : splitter.m_rect.left;
    const int grab = (moves_vertically ? point.y : point.x) - original;
    int near_edge = original;

    // The tracker: the strip one pixel narrower on its long sides, in the frame's coordinates.
    const auto tracker_at = [&](int edge) {
        CRect r = splitter.m_rect;
        if (moves_vertically) {
            r.OffsetRect(0, edge - original);
            r.DeflateRect(1, 0);
        } else {
            r.OffsetRect(edge - original, 0);
            r.DeflateRect(0, 1);
        }
        MapWindowPoints(draw_on, &r);
        return r;
    };
    CClientDC dc(draw_on);
    CRect last;
    bool drawn = false;
    const CSize thickness(5, 5);
    const auto draw_tracker = [&](const CRect* at) {
        dc.DrawDragRect(at, at ? thickness : CSize(0, 0), drawn ? &last : nullptr, thickness);
        drawn = at != nullptr;
        if (at) last = *at;
    };

    // Every way out erases the tracker, unlocks the frame's updates and clears the drag flag.
    m_bTracking = TRUE;
    const bool locked = frame && ::LockWindowUpdate(frame->m_hWnd);
    kit::user::OnScopeExit finish([&] {
        if (drawn) {
            const CRect empty(0, 0, 0, 0);
            dc.DrawDragRect(&empty, CSize(0, 0), &last, thickness);
        }
        if (locked) ::LockWindowUpdate(nullptr);
        m_bTracking = FALSE;
    });
    UpdateWindow();
    if (frame) frame->UpdateWindow();
    const CRect first = tracker_at(near_edge);
    draw_tracker(&first);

    const kit::user::LoopStep step = kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                CPoint at = AfxPointOf(msg.lParam);
                if (msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &at, 1);
                const int edge =
                    sec_track_splitter_edge(moves_vertically ? at.y : at.x, grab, splitter.m_nMin, splitter.m_nMax);
                if (edge != near_edge) {
                    near_edge = edge;
                    const CRect next = tracker_at(near_edge);
                    draw_tracker(&next);
                }
                return msg.message == WM_LBUTTONUP ? kit::user::LoopStep::finished : kit::user::LoopStep::keep_going;
            }
            case WM_KEYDOWN:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            case WM_RBUTTONDOWN: return kit::user::LoopStep::cancelled;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    const int delta = step == kit::user::LoopStep::finished ? near_edge - original : 0;
    if (delta == 0) return FALSE;
    ApplySplitterMove(splitter, delta);
    return TRUE;
}

// ---- mouse ----------------------------------------------------------------------------------

void SECDockBar::OnLButtonDown(UINT flags, CPoint point) {
    const int index = splitter_at(point);
    if (index < 0) {
        Default();
        return;
    }
    const Splitter pressed = m_arrSplitters[std::size_t(index)];
    TrackSplitter(pressed, point);
}

void SECDockBar::OnMouseMove(UINT flags, CPoint point) {
    const int index = splitter_at(point);
    if (index < 0) {
        ::SetCursor(sec_sys_colors().arrow);
    } else {
        ::SetCursor(::LoadCursor(nullptr, m_arrSplitters[std::size_t(index)].m_nType == 1 ? IDC_SIZEWE : IDC_SIZENS));
    }
    Default();
}

BOOL SECDockBar::OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
    // Over the dock bar itself the cursor follows the splitters (WM_MOUSEMOVE sets it).
    if (wnd == this && hit == HTCLIENT) return TRUE;
    return BOOL(Default());
}

void SECDockBar::OnDestroy() {
    m_arrSplitters.clear();
    m_arrClientEdges.clear();
    CDockBar::OnDestroy();
}
