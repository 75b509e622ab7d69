#include "uikit/frames/frame_docking.h"

#include "uikit/frames/control_bar.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_context.h"

namespace {

SECControlBar* as_sec(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(bar) : nullptr;
}

// The four rows, in the order a bar without a dock bar id looks for its side.
constexpr struct {
    UINT id;
    DWORD style;
} kRows[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
             {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
             {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
             {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};

}  // namespace

DWORD sec_float_style(CControlBar* bar, DWORD style) {
    if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        style |= CBRS_SIZE_DYNAMIC;
        if (style & CBRS_ORIENT_VERT) style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    return style;
}

void sec_enable_docking(CFrameWnd* frame, DWORD dock_style, SECDockBar* (*make)(CFrameWnd*)) {
    for (const auto& row : kRows) {
        if (!(row.style & dock_style & CBRS_ALIGN_ANY) || frame->GetControlBar(row.id)) continue;
        SECDockBar* dock_bar = make(frame);
        if (!dock_bar || !dock_bar->Create(frame, row.style, row.id)) {
            delete dock_bar;
            AfxThrowResourceException();
        }
        dock_bar->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    }
}

void sec_dock_control_bar_ex(CFrameWnd* frame, CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                             const SECDockSize& size) {
    if (!bar || !bar->m_hWnd) return;
    SECControlBar* sec = as_sec(bar);
    if (sec) sec->OnBarBeginDock();
    CControlBar* target = dock_bar_id ? frame->GetControlBar(dock_bar_id) : nullptr;
    if (!dock_bar_id) {
        for (const auto& row : kRows) {
            if ((row.style & bar->m_dwStyle & CBRS_ALIGN_ANY) && (target = frame->GetControlBar(row.id))) break;
        }
    }
    if (!target || !target->IsKindOf(RUNTIME_CLASS(SECDockBar))) return;
    auto* dock_bar = static_cast<SECDockBar*>(target);
    if (sec) sec->m_fPctWidth = size.pct;
    const DWORD align = dock_bar->GetBarStyle() & CBRS_ALIGN_ANY;
    const DWORD mode = (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING)
                           ? LM_HORZ | LM_MRUWIDTH | LM_LENGTHY
                       : (align & CBRS_ORIENT_HORZ) ? LM_HORZ | LM_HORZDOCK | LM_LENGTHY
                                                    : LM_VERTDOCK;
    bar->CalcDynamicLayout(size.height, mode | LM_COMMIT);
    dock_bar->DockControlBarEx(bar, position);
    if (sec) sec->OnBarEndDock();
}

void sec_float_control_bar_ex(CFrameWnd* frame, CControlBar* bar, int x, int y, DWORD style) {
    if (!bar || !bar->m_hWnd) return;
    SECControlBar* sec = as_sec(bar);
    if (sec) sec->OnBarBeginFloat();
    frame->FloatControlBar(bar, CPoint(x, y), sec_float_style(bar, style));
    if (sec) sec->OnBarEndFloat();
}

CMiniDockFrameWnd* sec_create_floating_frame(CFrameWnd* frame, DWORD style) {
    auto* floating = new SECMiniDockFrameWnd;
    if (!floating->Create(frame, style)) return nullptr;  // deleted by its PostNcDestroy
    return floating;
}

namespace {

CFrameWnd* floating_frame_of(CControlBar* bar) {
    if (!bar->IsFloating() || !bar->m_pDockBar) return nullptr;
    CWnd* parent = bar->m_pDockBar->GetParent();
    return parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(parent) : nullptr;
}

}  // namespace

void sec_show_control_bar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay) {
    if (!bar || !bar->m_hWnd) return;
    CFrameWnd* floating = floating_frame_of(bar);
    CFrameWnd* docking_frame = floating ? floating : frame;
    SECDockBar* dock_bar = sec_dock_bar_of(bar);
    // Only a change of state touches the row: a bar shown again gets back its share.
    const bool changes = bar->IsVisible() != show;
    if (delay) {
        bar->DelayShow(show);
        if (dock_bar && changes) dock_bar->OnBarShown(bar, show);
        docking_frame->DelayRecalcLayout();
    } else {
        bar->SetWindowPos(
            nullptr, 0, 0, 0, 0,
            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        bar->DelayShow(show);
        if (dock_bar && changes) dock_bar->OnBarShown(bar, show);
        if (!(floating && !show)) docking_frame->RecalcLayout(FALSE);
    }
    if (!floating) return;
    // A floating frame shows while it holds a visible bar.
    // With delay it waits for its idle layout, which sizes it to the bar the frame's layout has shown.
    const int visible = bar->m_pDockBar ? (dock_bar ? dock_bar->GetDockedVisibleCount() : int(show)) : int(show);
    floating->m_nShowDelay = -1;
    const int command = visible == 0 ? SW_HIDE : (visible == 1 && show) ? SW_SHOWNA : -1;
    if (command >= 0 && delay) {
        floating->m_nShowDelay = command;
    } else if (command >= 0) {
        floating->ShowWindow(command);
    } else if (!delay) {
        floating->RecalcLayout();
    }
}
