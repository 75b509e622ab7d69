#pragma once
// Drag and drop between editor windows: the handlers every editor window has, the
// drag under way in this process, and the drop target that brings the two together.
#include "platform/afx/ole_drop.h"

namespace editor {

class SECEditCore;

// What an editor window does as the mouse drags text over it.
class EditDropSite {
public:
    virtual ~EditDropSite() = default;
    // The grey drop caret comes; the effect a drop would have (none without text, or
    // over a read-only buffer): a move, or a copy while Ctrl is held.
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD key_state, CPoint point) = 0;
    // The drop caret follows the mouse to the nearest character cell.
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD key_state, CPoint point) = 0;
    // The drop caret goes; the window's own caret comes back.
    virtual void OnDragLeave() = 0;
    // The text goes in at the point, as one undo step; FALSE when nothing was taken.
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) = 0;
    // Whether the view can scroll a line or column that way (dx, dy in -1..1), and,
    // with `scroll`, does it.
    virtual bool OnDragScroll(int dx, int dy, bool scroll) = 0;
};

// The drag under way between the editor windows of this process: the window whose
// selection is dragged, until a target that took the move over clears it.
struct SEC_DND_STATE {
    SECEditCore* source = nullptr;
};
SEC_DND_STATE& DragState();

// The drop target of an editor window (a view or a control): it hands each call to
// the window's handlers, and scrolls the window while the mouse rests within its edge.
class SECEditCtrlOleDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD key_state, CPoint point) override;

private:
    // The direction scrolled last (0, 0 while not scrolling), when, and the wait before the next.
    int scroll_dx_ = 0;
    int scroll_dy_ = 0;
    DWORD last_scroll_ = 0;
    DWORD wait_ = 0;
};

}  // namespace editor
