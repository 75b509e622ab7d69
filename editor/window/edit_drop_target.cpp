// The editor windows' drop target and the process's drag state.
#include "editor/window/edit_drop_target.h"

namespace editor {
namespace {

EditDropSite* Site(CWnd* wnd) { return dynamic_cast<EditDropSite*>(wnd); }

}  // namespace

SEC_DND_STATE& DragState() {
    static SEC_DND_STATE state;
    return state;
}

DROPEFFECT SECEditCtrlOleDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point) {
    EditDropSite* site = Site(wnd);
    return site ? site->OnDragEnter(data, key_state, point) : DROPEFFECT_NONE;
}

DROPEFFECT SECEditCtrlOleDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point) {
    EditDropSite* site = Site(wnd);
    return site ? site->OnDragOver(data, key_state, point) : DROPEFFECT_NONE;
}

void SECEditCtrlOleDropTarget::OnDragLeave(CWnd* wnd) {
    scroll_dx_ = scroll_dy_ = 0;
    if (EditDropSite* site = Site(wnd)) site->OnDragLeave();
}

BOOL SECEditCtrlOleDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) {
    scroll_dx_ = scroll_dy_ = 0;
    EditDropSite* site = Site(wnd);
    return site ? site->OnDrop(data, effect, point) : FALSE;
}

DROPEFFECT SECEditCtrlOleDropTarget::OnDragScroll(CWnd* wnd, DWORD key_state, CPoint point) {
    EditDropSite* site = Site(wnd);
    if (!site) return DROPEFFECT_NONE;
    // The band along the edges, inside the client area.
    CRect client;
    wnd->GetClientRect(&client);
    CRect inner = client;
    inner.DeflateRect(kScrollInset, kScrollInset);
    int dx = 0, dy = 0;
    if (client.PtInRect(point) && !inner.PtInRect(point)) {
        dx = point.x < inner.left ? -1 : point.x >= inner.right ? 1 : 0;
        dy = point.y < inner.top ? -1 : point.y >= inner.bottom ? 1 : 0;
    }
    if ((dx || dy) && !site->OnDragScroll(dx, dy, false)) dx = dy = 0;
    const bool was_scrolling = scroll_dx_ || scroll_dy_;
    if (!dx && !dy) {
        // Out of the band: the drop caret comes back.
        scroll_dx_ = scroll_dy_ = 0;
        if (was_scrolling && dragged_data()) site->OnDragEnter(dragged_data(), key_state, point);
        return DROPEFFECT_NONE;
    }
    const DWORD now = ::GetTickCount();
    if (!was_scrolling) site->OnDragLeave();
    if (dx != scroll_dx_ || dy != scroll_dy_) {
        scroll_dx_ = dx;
        scroll_dy_ = dy;
        last_scroll_ = now;
        wait_ = kScrollDelay;
    } else if (now - last_scroll_ >= wait_) {
        site->OnDragScroll(dx, dy, true);
        last_scroll_ = now;
        wait_ = kScrollInterval;
    }
    const bool ctrl = key_state & MK_CONTROL, shift = key_state & MK_SHIFT;
    return DROPEFFECT_SCROLL | (ctrl && shift ? DROPEFFECT_LINK : ctrl ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
}

}  // namespace editor
