// Customising toolbars with the mouse: a button dragged in customise mode (or
// with Alt held) moves or copies within its bar, to another bar, onto empty
// space (a new toolbar holds a copy) or off every bar (a moved button goes),
// and small nudges add or remove the group separators beside it.
#include "uikit/frames/custom_toolbar_drag.h"

#include <algorithm>

#include "uikit/frames/dock_site.h"
#include "uikit/frames/rect_tracker.h"
#include "uikit/frames/sys_colors.h"
#include "uikit/frames/toolbar_manager.h"

namespace {

constexpr UINT IDC_SEC_DRAG_COPY = 20691;

// A toolbar at a screen point: the bar itself, or the bar alone in a floating frame.
SECCustomToolBar* toolbar_at(CPoint point) {
    HWND hwnd = ::WindowFromPoint(point);
    for (; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (!wnd) continue;
        if (wnd->IsKindOf(RUNTIME_CLASS(SECCustomToolBar))) return static_cast<SECCustomToolBar*>(wnd);
        if (wnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
            CWnd* dock_bar = CWnd::FromHandlePermanent(::GetWindow(hwnd, GW_CHILD));
            CWnd* bar = dock_bar && dock_bar->IsKindOf(RUNTIME_CLASS(CDockBar))
                            ? CWnd::FromHandlePermanent(::GetWindow(dock_bar->m_hWnd, GW_CHILD))
                            : nullptr;
            return bar && bar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)) ? static_cast<SECCustomToolBar*>(bar)
                                                                         : nullptr;
        }
    }
    return nullptr;
}

SECCustomToolBar* drop_target(SECToolBarManager* manager, const CRect& screen) {
    if (SECCustomToolBar* bar = manager->ToolBarUnderRect(screen)) return bar;
    for (CPoint corner :
         {screen.TopLeft(), CPoint(screen.right, screen.top), CPoint(screen.left, screen.bottom), screen.BottomRight()})
        if (SECCustomToolBar* bar = toolbar_at(corner)) return bar;
    return nullptr;
}

bool over_customize_dialog(SECToolBarManager* manager, const CRect& screen) {
    HWND dialog = manager->GetCustomizeWnd();
    if (!dialog || !::IsWindow(dialog)) return false;
    CRect area, common;
    ::GetWindowRect(dialog, &area);
    return common.IntersectRect(&area, &screen) != 0;
}

// A new floating user toolbar holding a copy of the command, its client area at `point`.
void new_toolbar_with(SECToolBarManager* manager, UINT id, CPoint point) {
    SECCustomToolBar* bar = manager->CreateUserToolBar(nullptr);
    if (!bar) return;
    bar->InsertButton(0, id, FALSE, TRUE);
    if (!manager->Guards().alt_drag) bar->Select(0, FALSE);
    CRect place(point.x, point.y, point.x, point.y);
    ::AdjustWindowRectEx(&place, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE,
                         WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE);
    const SECSysColors& colours = sec_sys_colors();
    place.OffsetRect(-bar->m_cxLeftBorder - colours.border_width, -bar->m_cyTopBorder - colours.border_height);
    CFrameWnd* frame = manager->GetFrameWnd();
    if (SECDockSite* site = sec_dock_site(frame))
        site->FloatControlBarEx(bar, place.left, place.top, CBRS_ALIGN_TOP);
    else
        frame->FloatControlBar(bar, place.TopLeft(), CBRS_ALIGN_TOP);
}

}  // namespace

BOOL sec_button_drag(SECToolBarManager* manager, SECStdBtn* button, int index, CPoint point, SECCustomToolBar* source,
                     CWnd* source_wnd, BOOL copy) {
    if (!manager || !button || !source_wnd || !button->CanDrag()) return TRUE;
    if (source)
        source->Select(index, TRUE);
    else if (SECCustomToolBar* selected = manager->GetSelectedBar())
        selected->Deselect(TRUE);
    SECToolBarRectTracker tracker(button->GetRect());
    if (copy) tracker.m_hCursor = ::LoadCursor(nullptr, MAKEINTRESOURCE(IDC_SEC_DRAG_COPY));
    if (!tracker.TrackMove(source_wnd, point)) return TRUE;
    CRect screen = tracker.m_rect;
    source_wnd->ClientToScreen(&screen);
    const UINT id = button->m_nID;
    SECCustomToolBar* target = drop_target(manager, screen);
    if (!target) {
        if (over_customize_dialog(manager, screen)) return TRUE;
        if (copy) {
            new_toolbar_with(manager, id, screen.TopLeft());
            return TRUE;
        }
        return source ? source->RemoveButton(source->IndexOf(button)) : TRUE;
    }
    if (source && source->m_bNoDragOut && target != source) return TRUE;
    if (target->AcceptsDrop()) {
        CRect local = screen;
        target->ScreenToClient(&local);
        return target->DropButton(local, button, source, copy);
    }
    if (copy || !source) return TRUE;
    return source->RemoveButton(source->IndexOf(button));
}

BOOL SECCustomToolBar::StartDrag(int index, CPoint point) {
    return sec_button_drag(GetManager(), GetButton(index), index, point, this, this, IsCtrlDown());
}

BOOL SECCustomToolBar::drop_nudge(SECStdBtn* button, const CRect& rect, int first, int last, BOOL copy) {
    // Only the selected button of this bar, dropped over its own place within its row.
    const int own = IndexOf(button);
    if (own < 0 || own != selected_ || own < first || own > last) return FALSE;
    CRect common;
    if (!common.IntersectRect(&rect, button->GetRect())) return FALSE;
    const int shift = rect.left - button->m_x;
    if (shift > -2 && shift < 2) return TRUE;
    // A copy goes where it is dropped, beside its original; only a move opens or closes a group.
    if (copy) return FALSE;
    const auto is_sep = [&](int i) { return i >= 0 && i < GetButtonCount() && GetButton(i)->IsSeparator(); };
    if (shift < 0) {
        if (is_sep(own - 1))
            RemoveButton(own - 1);
        else if (own + 1 < GetButtonCount() && !is_sep(own + 1))
            InsertButton(own + 1, 0, TRUE);
    } else {
        if (own > 0 && !is_sep(own - 1))
            InsertButton(own, 0, TRUE);
        else if (is_sep(own + 1))
            RemoveButton(own + 1);
    }
    return TRUE;
}

BOOL SECCustomToolBar::DropButton(CRect rect, SECStdBtn* button, SECCustomToolBar* source, BOOL copy, BOOL no_redraw) {
    CRect inside;
    GetInsideRect(inside);
    const UINT id = button->m_nID;
    const bool same_bar = source == this;
    const int source_index = source ? source->IndexOf(button) : -1;
    // Takes the dragged button off its bar when it moves; FALSE when that bar went away.
    const auto take_from_source = [&]() -> BOOL {
        if (copy || !source || source_index < 0 || same_bar) return TRUE;
        return source->RemoveButton(source_index, no_redraw);
    };
    const auto finish = [&](int at) {
        InsertButton(at, id, FALSE, no_redraw);
        if (!guards().alt_drag) Select(at, TRUE);
    };

    if (buttons_.empty()) {
        const BOOL kept = take_from_source();
        finish(0);
        return kept;
    }
    if (same_bar && !copy && GetButtonCount() == 1) return TRUE;

    if (rect.bottom < inside.top || rect.top > inside.bottom) {
        const bool front = rect.bottom < inside.top;
        if (same_bar && !copy) RemoveButton(source_index, TRUE);
        const BOOL kept = take_from_source();
        if (front) {
            InsertButton(0, 0, TRUE, TRUE);
            finish(0);
        } else {
            InsertButton(GetButtonCount(), 0, TRUE, TRUE);
            finish(GetButtonCount());
        }
        return kept;
    }

    // The row under the rectangle's middle.
    const int middle = (rect.top + rect.bottom) / 2;
    int first = 0, last = GetButtonCount() - 1, row_first = 0, y = inside.top;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const SECStdBtn* b = GetButton(i);
        if (!(b->GetStyle() & TBBS_WRAPPED) && i + 1 < GetButtonCount()) continue;
        int row_height = 0;
        for (int j = row_first; j <= i; ++j) row_height = std::max(row_height, GetButton(j)->m_cy);
        y += row_height;
        if (b->IsSeparator() && (b->GetStyle() & TBBS_WRAPPED)) y += m_nSepSpacing * 2 / 3;
        first = row_first;
        last = b->IsSeparator() && (b->GetStyle() & TBBS_WRAPPED) ? i - 1 : i;
        if (middle < y) break;
        row_first = i + 1;
    }

    if (same_bar && drop_nudge(button, rect, first, last, copy)) return TRUE;

    int index = last + 1;
    int x = inside.left;
    for (int i = first; i <= last; ++i) {
        const SECStdBtn* b = GetButton(i);
        if (b->IsHidden()) continue;
        if (i == first && rect.left < x) {
            index = first;
            break;
        }
        x += b->m_cx;
        if (x > rect.left) {
            index = i + 1;
            break;
        }
    }

    BOOL kept = TRUE;
    if (same_bar && !copy) {
        if (index == source_index) return TRUE;
        if (index > source_index) --index;
        RemoveButton(source_index, TRUE);
    } else {
        kept = take_from_source();
    }
    if (SECStdBtn* at = GetButton(index); at && at->IsSeparator() && !(at->GetStyle() & TBBS_WRAPPED) &&
                                          at->m_x > rect.left + 1 && at->m_x + at->m_cx < rect.right + 1)
        RemoveButton(index, TRUE);
    finish(index);
    return kept;
}
