#pragma once
// Small floating frames: CMiniFrameWnd (a tool window with a short caption)
// and CMiniDockFrameWnd, which floats control bars in a dock bar of its own
// (id AFX_IDW_DOCKBAR_FLOAT) and sizes itself to them.
#include "platform/afx/dock_bar.h"
#include "platform/afx/frame.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    BOOL Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent = nullptr,
                UINT id = 0);
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CDockBar m_wndDockBar;
    // A floating frame owned by `parent` whose dock bar has the CBRS_ alignment in `style`.
    virtual BOOL Create(CWnd* parent, DWORD style);
    // Sizes the frame around its dock bar's bars; hides it when none is left.
    void RecalcLayout(BOOL notify = TRUE) override;
    afx_msg void OnClose();
    // It shares its frame's activation: active while the frame is, and clicking it keeps the
    // frame's caption active.
    afx_msg LRESULT OnFloatStatus(WPARAM flags, LPARAM);
    afx_msg BOOL OnNcActivate(BOOL active);
    afx_msg void OnShowWindow(BOOL show, UINT status);

private:
    // Its frame, or the frame's floating window that holds the activation, is active.
    BOOL frame_active() const;

protected:
    DECLARE_MESSAGE_MAP()
};
