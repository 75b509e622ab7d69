#include "platform/afx/dock_bar.h"

#include <algorithm>

#include "platform/afx/dock_state.h"
#include "platform/afx/frame.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParentAndRows)
END_MESSAGE_MAP()

namespace {

using Kind = CDockBar::Slot::Kind;

CDockBar::Slot row_break() { return {}; }

}  // namespace

CDockBar::CDockBar() {
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_bAutoDelete = TRUE;
    m_arrBars.Add(row_break());
}

BOOL CDockBar::Create(CFrameWnd* frame, DWORD style, UINT id) {
    return create_bar(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, style, frame, id);
}

CControlBar* CDockBar::GetDockedControlBar(int index) const {
    if (index < 0 || index >= m_arrBars.GetSize()) return nullptr;
    const Slot& slot = m_arrBars[index];
    return slot.kind == Kind::bar ? slot.bar : nullptr;
}

int CDockBar::GetDockedCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) count += m_arrBars[i].kind == Kind::bar;
    return count;
}

int CDockBar::FindBar(const CControlBar* bar, int exclude) const {
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (i != exclude && m_arrBars[i].kind == Kind::bar && m_arrBars[i].bar == bar) return i;
    return -1;
}

void CDockBar::DockControlBar(CControlBar* bar, const RECT* where) {
    if (!bar || !bar->m_hWnd) return;
    // Docking again at a point moves the bar to that place.
    if (bar->m_pDockBar && (bar->m_pDockBar != this || where)) bar->m_pDockBar->RemoveControlBar(bar);
    if (FindBar(bar) < 0) {
        // The row whose band holds the point; rows are counted from the frame's edge.
        int insert_at = -1;
        if (where) {
            CRect band;
            GetWindowRect(&band);
            CPoint point(where->left, where->top);
            if (CWnd* frame = GetParent()) frame->ClientToScreen(&point);
            const bool horz = horizontal();
            int offset = horz ? point.y - band.top : point.x - band.left;
            int row_extent = 0;
            for (int i = 1; i < m_arrBars.GetSize(); ++i) {
                if (m_arrBars[i].kind == Kind::bar) {
                    CRect r;
                    m_arrBars[i].bar->GetWindowRect(&r);
                    row_extent = std::max<int>(row_extent, horz ? r.Height() : r.Width());
                }
                if (m_arrBars[i].kind == Kind::row_break) {
                    if (offset < row_extent) {
                        insert_at = i;  // before the break that ends this row
                        break;
                    }
                    offset -= row_extent;
                    row_extent = 0;
                }
            }
        }
        if (insert_at < 0) {
            m_arrBars.Add(Slot{Kind::bar, bar, 0});
            m_arrBars.Add(row_break());
        } else {
            m_arrBars.InsertAt(insert_at, Slot{Kind::bar, bar, 0});
        }
    }
    RemovePlaceHolder(bar);
    bar->m_pDockBar = this;
    const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    // A docked bar takes the side of its dock bar and leaves the layout to it.
    bar->SetBarStyle((bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | align);
    ::SetParent(bar->m_hWnd, m_hWnd);
    if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* bar, BOOL leave_placeholder) {
    const int index = FindBar(bar);
    if (index < 0) return FALSE;
    if (leave_placeholder) {
        m_arrBars[index] = Slot{Kind::placeholder, nullptr, UINT(bar->GetDlgCtrlID())};
    } else {
        m_arrBars.RemoveAt(index);
    }
    if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
    drop_empty_rows();
    if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
    // A floating frame fits itself to what is left at once (and hides when nothing is).
    if (m_bFloating) {
        CWnd* floating = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (floating && floating->IsKindOf(RUNTIME_CLASS(CFrameWnd))) static_cast<CFrameWnd*>(floating)->RecalcLayout();
    }
    return TRUE;
}

void CDockBar::RemovePlaceHolder(CControlBar* bar) {
    const UINT id = UINT(bar->GetDlgCtrlID());
    for (int i = m_arrBars.GetSize() - 1; i >= 0; --i)
        if (m_arrBars[i].kind == Kind::placeholder && m_arrBars[i].id == id) m_arrBars.RemoveAt(i);
    drop_empty_rows();
}

// Two breaks in a row leave an empty row; the first slot stays a break.
void CDockBar::drop_empty_rows() {
    for (int i = m_arrBars.GetSize() - 1; i >= 1; --i)
        if (m_arrBars[i].kind == Kind::row_break && m_arrBars[i - 1].kind == Kind::row_break) m_arrBars.RemoveAt(i);
    if (m_arrBars.IsEmpty() || m_arrBars[0].kind != Kind::row_break) m_arrBars.InsertAt(0, row_break());
}

void CDockBar::GetBarInfo(CControlBarInfo* info) {
    CControlBar::GetBarInfo(info);
    info->m_bDockBar = TRUE;
    if (!m_bFloating) info->m_pointPos = CPoint(-1, -1);  // a docked dock bar has no place of its own
    info->m_arrBarID.RemoveAll();
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        const Slot& slot = m_arrBars[i];
        info->m_arrBarID.Add(slot.kind == Kind::bar           ? UINT(slot.bar->GetDlgCtrlID())
                             : slot.kind == Kind::placeholder ? slot.id + kPlaceholderFlag
                                                              : 0);
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* info, CFrameWnd* frame) {
    // Bars docked here that the saved rows do not name keep their places at the end.
    CArray<Slot> rebuilt;
    rebuilt.Add(row_break());
    for (int i = 0; i < info->m_arrBarID.GetSize(); ++i) {
        const UINT id = info->m_arrBarID[i];
        if (id == 0) {
            if (rebuilt[rebuilt.GetUpperBound()].kind != Kind::row_break) rebuilt.Add(row_break());
            continue;
        }
        CControlBar* bar = frame && !(id & kPlaceholderFlag) ? frame->GetControlBar(id) : nullptr;
        if (bar && bar != this) {
            if (bar->m_pDockBar && bar->m_pDockBar != this) bar->m_pDockBar->RemoveControlBar(bar);
            bar->m_pDockBar = this;
            bar->SetBarStyle((bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY));
            ::SetParent(bar->m_hWnd, m_hWnd);
            rebuilt.Add(Slot{Kind::bar, bar, 0});
        } else {
            rebuilt.Add(Slot{Kind::placeholder, nullptr, id & ~kPlaceholderFlag});
        }
    }
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        const Slot& slot = m_arrBars[i];
        bool named = false;
        for (int j = 0; j < rebuilt.GetSize(); ++j) named = named || (slot.kind == Kind::bar && rebuilt[j] == slot);
        if (slot.kind == Kind::bar && !named) {
            rebuilt.Add(slot);
            rebuilt.Add(row_break());
        }
    }
    if (rebuilt[rebuilt.GetUpperBound()].kind != Kind::row_break) rebuilt.Add(row_break());
    m_arrBars.Copy(rebuilt);
    drop_empty_rows();
}

CSize CDockBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    // Rows stack away from the edge; a row is as thick as its thickest visible bar.
    int thickness = 0, row = 0, longest = 0, length = 0;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        const Slot& slot = m_arrBars[i];
        if (slot.kind == Kind::bar && (slot.bar->GetStyle() & WS_VISIBLE)) {
            const CSize size = slot.bar->CalcFixedLayout(FALSE, horz);
            row = std::max<int>(row, horz ? size.cy : size.cx);
            length += horz ? size.cx : size.cy;
        } else if (slot.kind == Kind::row_break) {
            thickness += row;
            longest = std::max(longest, length);
            row = length = 0;
        }
    }
    if (horz) return CSize(stretch ? 32767 : longest, thickness);
    return CSize(thickness, stretch ? 32767 : longest);
}

LRESULT CDockBar::OnSizeParentAndRows(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OnSizeParent(wParam, lParam);
    if (reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam)->hDWP) place_rows();
    return result;
}

void CDockBar::place_rows() {
    const bool horz = horizontal();
    int along = 0, across = 0, row = 0;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        const Slot& slot = m_arrBars[i];
        if (slot.kind == Kind::bar && (slot.bar->GetStyle() & WS_VISIBLE)) {
            const CSize size = slot.bar->CalcFixedLayout(FALSE, horz);
            if (horz) {
                slot.bar->SetWindowPos(nullptr, along, across, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
                along += size.cx;
                row = std::max<int>(row, size.cy);
            } else {
                slot.bar->SetWindowPos(nullptr, across, along, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
                along += size.cy;
                row = std::max<int>(row, size.cx);
            }
        } else if (slot.kind == Kind::row_break) {
            across += row;
            along = row = 0;
        }
    }
}
