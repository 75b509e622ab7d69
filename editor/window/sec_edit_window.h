#pragma once
// SECEditWindow<Base>: an editor core in a window of the framework. `Base` is CView
// (SECEditView) or CWnd (SECEditCtrl); both carry the same messages, painting and
// commands. The window state lives here and in the core; the core reaches the window
// only through EditCoreWindow, which this class implements over the platform.
#include "editor/sec_edit_core.h"
#include "editor/window/edit_drop_target.h"
#include "editor/window/edit_paint.h"
#include "editor/window/find_dialog.h"
#include "platform/afx/afx.h"

namespace editor {

// Ids of the editor window's own resources and commands.
enum : UINT {
    kAutoScrollTimer = 6,
    kAutoScrollInterval = 100,  // ms
    kCmdAddToWatch = 32789,
};

template <class Base>
class SECEditWindow : public Base, private EditCoreWindow, public SECEditCore, public EditDropSite {
public:
    SECEditWindow() : SECEditCore(static_cast<EditCoreWindow&>(*this)) {}
    ~SECEditWindow() override = default;
    // Both bases' names: the window's (HWND, WM_COMMAND) and the core's (buffer, command id).
    using Base::Attach;
    using Base::OnCommand;
    using SECEditCore::Attach;
    using SECEditCore::OnCommand;

    // The start state once a buffer is shown; also applies the buffer's font.
    int InitView() override;
    // Makes the window's fixed-pitch font from the buffer's settings and measures its cells.
    void ApplyFont();
    const EditCells& cells() const { return cells_; }
    CFont& font() { return font_; }
    // True while a mouse selection is being dragged (the mouse is captured).
    bool IsDragSelecting() const { return captured_; }

    // The context menu: fills `menu` with the editor's entries and their enabled states.
    virtual BOOL BuildContextMenu(CMenu* menu);
    // Shows it at a screen point; (-1, -1) (from the keyboard) opens it near the caret.
    virtual void ShowContextMenu(CWnd* window, CPoint point);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Drag and drop: the selection dragged from here, and text dragged over this window.
    // StartDrag gives the effect of the drop, DROPEFFECT_NONE when the mouse was
    // released before it moved; a move that no editor took over is deleted here.
    virtual DROPEFFECT StartDrag();
    bool IsPointInSelection(CPoint point) const { return SECEditCore::IsPointInSelection(point.x, point.y); }
    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD key_state, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD key_state, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    bool OnDragScroll(int dx, int dy, bool scroll) override;

    // The open Find or Replace dialog; null when none is open.
    OEFindDlg* find_dialog() const {
        return find_dialog_ ? dynamic_cast<OEFindDlg*>(CWnd::FromHandlePermanent(find_dialog_)) : nullptr;
    }
    // The page margins of the last accepted Page Setup, in thousandths of an inch.
    const CRect& page_margins() const { return page_margins_; }

protected:
    // EditCoreWindow.
    void InvalidateAll() override;
    void InvalidateRows(int first, int last) override;
    void ScrollRows(int delta) override;
    void PlaceCaret(int x, int y) override;
    void SetScrollRange(ScrollBar bar, int minimum, int maximum, int page) override;
    void SetScrollPosition(ScrollBar bar, int position) override;
    void ShowMessage(int code, const std::string& text) override;
    bool GetClipboardText(std::string& text) override;
    bool SetClipboardText(const std::string& text) override;
    // Whether the clipboard opens and holds text placed as CF_TEXT itself (the context
    // menu's Paste; the Edit menu's takes CF_OEMTEXT as well).
    bool ClipboardHoldsOwnText();
    void NotifyOtherViews(ViewHint hint) override;
    // The bars show the top line and the left column (without telling other views).
    void ShowPlaceOnBars();
    void OpenDialog(int command) override;
    bool IsPrimaryButtonDown() override { return captured_; }

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT character, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnCaptureChanged(CWnd* window);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnContextMenu(CWnd* window, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hit, UINT message);
    afx_msg void OnEditCommand(UINT id);
    afx_msg void OnUpdateEditCommand(CCmdUI* ui);
    afx_msg void OnDestroy();
    // A request from the Find or Replace dialog.
    afx_msg LRESULT OnFindReplaceMessage(WPARAM, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Ends a mouse selection: the timer stops, the capture goes.
    void EndDragSelect();
    // The mouse at a client point while selecting: below or above the window the
    // caret moves a line at a time, so holding the button there keeps scrolling.
    void DragTo(CPoint point);
    bool InGutter(CPoint point) const { return point.x <= cells_.gutter_width - cells_.char_width / 2; }
    // The window's own caret, made again after a drag took it (only one caret exists).
    void RestoreCaret();

    CFont font_;
    EditCells cells_;
    PaintedRows painted_rows_;
    bool caret_shown_ = false;
    bool captured_ = false;
    bool first_tick_ = false;
    int wheel_rest_ = 0;  // wheel movement short of a notch
    CPoint last_mouse_{};
    // The open find dialog's window; the dialog object goes with it, maybe before this window.
    HWND find_dialog_ = nullptr;
    CRect page_margins_{1000, 1000, 1000, 1000};
    SECEditCtrlOleDropTarget drop_target_;
    bool drop_caret_ = false;  // the grey drop caret is shown in this window
};

}  // namespace editor
