#pragma once
// TabbedPaneBar: a docking bar whose inside is one tab window of panes. The
// bar makes the tab window and lets the concrete bar make its panes in it; the
// tab window then fills what the gripper and the borders leave, at every size.
#include "uikit/controls/tab_wnd_base.h"
#include "uikit/frames/control_bar.h"

class TabbedPaneBar : public SECControlBar {
    DECLARE_DYNAMIC(TabbedPaneBar)
public:
    static constexpr UINT kTabWndId = 0xE900;
    // Window styles of the two kinds of tab window: the flat one with its scroll bars, and the 3-D one.
    static constexpr DWORD kTabStyle2D = 0x50300012;
    static constexpr DWORD kTabStyle3D = 0x50000010;

    // What the bar paints before its tab window paints itself: the face around the
    // tab window only, or its whole client for a tab window or panes that leave parts
    // of the inside unpainted (a 3-D tab window without tabs, a tree shorter than its pane).
    enum class Backdrop { around_tabs, whole_client };

    // The pane of the active tab, or null while there is none.
    CWnd* ActivePane();

protected:
    // `tab_style` is the tab window's window style.
    explicit TabbedPaneBar(DWORD tab_style, Backdrop backdrop = Backdrop::around_tabs)
        : tab_style_(tab_style), backdrop_(backdrop) {}

    // The concrete bar's tab window (a member of it, created by this bar).
    virtual SECTabWndBase& Tabs() = 0;
    // Makes the panes inside the tab window once it exists; false refuses the bar's creation.
    virtual bool CreatePanes(const CREATESTRUCT& cs) = 0;
    // Adds a made pane as the last tab; the tab window's scroll bars serve it with `scroll_style`.
    void AddPane(CWnd& pane, const char* label, DWORD scroll_style = WS_HSCROLL | WS_VSCROLL);
    // Shows the tab at `index` and scrolls the tab strip to it.
    void ShowTab(int index);
    // Adds a separator and the command `id` with its resource text to the bar's context menu.
    static void AppendCommand(CMenu& menu, UINT id);

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    DWORD tab_style_;
    Backdrop backdrop_;
};
