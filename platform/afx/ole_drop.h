#pragma once
// In-process drag and drop. A source offers data in clipboard formats and runs the drag;
// windows registered as drop targets are told as the mouse enters, moves over, leaves
// and drops on them, and answer with the effect a drop there would have. The drag is
// a modal loop on the capture: it ends when the button goes up, on Escape or the right
// button, when the capture is lost, or on WM_QUIT (posted again for the outer loop).
#include <utility>
#include <vector>

#include "platform/afx/geometry.h"
#include "platform/afx/wnd.h"

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;
// The Alt key in a drag's key state (beside the mouse messages' MK_ flags).
constexpr DWORD MK_ALT = 0x0020;

class COleDataSource;

// What a drop target is offered: the formats of the source being dragged.
class COleDataObject {
public:
    COleDataObject() = default;
    explicit COleDataObject(const COleDataSource* source) : source_(source) {}
    BOOL IsDataAvailable(UINT format) const;
    // A copy of the data in a new global block that the caller frees; null when absent.
    HGLOBAL GetGlobalData(UINT format) const;

private:
    const COleDataSource* source_ = nullptr;
};

class COleDataSource {
public:
    COleDataSource() = default;
    ~COleDataSource() { Empty(); }
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers `data` (a GlobalAlloc block, then owned by the source) in `format`.
    void CacheGlobalData(UINT format, HGLOBAL data);
    void Empty();
    // Runs the drag from the window holding the capture, or else the focus. Until the
    // mouse leaves `start_rect` (screen coordinates; by default a few pixels round the
    // cursor) a release ends it with no drag. Returns the effect the target performed:
    // DROPEFFECT_NONE when nothing was dropped.
    DROPEFFECT DoDragDrop(DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          const RECT* start_rect = nullptr);

private:
    friend class COleDataObject;
    HGLOBAL Find(UINT format) const;
    std::vector<std::pair<UINT, HGLOBAL>> cache_;
};

class COleDropTarget {
public:
    // Pixels of the scroll band inside a target's edges, and the milliseconds before
    // scrolling starts and between two scrolls.
    static constexpr int kScrollInset = 11;
    static constexpr UINT kScrollDelay = 50;
    static constexpr UINT kScrollInterval = 50;

    COleDropTarget() = default;
    virtual ~COleDropTarget() { Revoke(); }
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes `wnd` (and the children that have no target of their own) a drop target;
    // FALSE when it has no window or one is registered there already.
    BOOL Register(CWnd* wnd);
    void Revoke();
    CWnd* window() const { return m_pWnd; }
    // The target registered for a window or its nearest ancestor that has one; null
    // when none. `registered` receives the window it was registered for.
    static COleDropTarget* FromWindow(HWND hwnd, HWND* registered = nullptr);

    // The mouse came over the window / moves over it: the effect a drop would have.
    // Points are in the window's client coordinates; key state holds MK_ flags.
    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD key_state, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    // The drop: first OnDropEx, which returns (DROPEFFECT)-1 to leave it to OnDrop.
    // No OnDragLeave follows a drop.
    virtual DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, DROPEFFECT allowed, CPoint point);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point);
    // Asked before each enter and move: DROPEFFECT_SCROLL (with the effect) while the
    // target scrolls under the mouse, which then stands in for OnDragOver.
    virtual DROPEFFECT OnDragScroll(CWnd* wnd, DWORD key_state, CPoint point);

    // What the drag loop calls: scrolling first, then the enter or move handler.
    DROPEFFECT DragOver(COleDataObject* data, DWORD key_state, POINT screen, bool entering);

protected:
    // The data of the drag over this target (valid while it lasts), also for OnDragScroll.
    COleDataObject* dragged_data() const { return data_; }

private:
    COleDataObject* data_ = nullptr;
    CWnd* m_pWnd = nullptr;
};
