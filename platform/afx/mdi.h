#pragma once
// MDI: a main frame whose client area holds child frames. The MDI client
// window keeps which child is active, activates the next one, cascades, tiles,
// maximises and restores them, and keeps the window menu's list of children
// (ids from 0xFF00, the active one checked).
#include "platform/afx/frame.h"
#include "platform/afx/mdi_tile.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = nullptr;

    // Makes the MDI client; `window_menu` is the popup that lists the children.
    virtual BOOL CreateClient(CREATESTRUCT* cs, CMenu* window_menu);
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;
    // The popup of the frame's menu that lists the children: the one before the last.
    virtual HMENU GetWindowMenuPopup(HMENU menu_bar);

    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child);
    void MDINext();
    void MDIPrev();
    void MDICascade();
    // MDITILE_HORIZONTAL or MDITILE_VERTICAL; a maximised child is restored first.
    void MDITile(int how);
    void MDIMaximize(CWnd* child);
    void MDIRestore(CWnd* child);
    // Puts `frame_menu` on the frame and lists the children in `window_menu`.
    void MDISetMenu(HMENU frame_menu, HMENU window_menu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameMenu(HMENU alternate_menu) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    afx_msg void OnWindowCascade() { MDICascade(); }
    afx_msg void OnWindowNext() { MDINext(); }
    afx_msg BOOL OnWindowTile(UINT id);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* cmd_ui);
    // The keyboard given to the frame (its activation, the end of a dialog it owned) goes on
    // to the active child, and so to its view.
    afx_msg void OnSetFocus(CWnd* old);

protected:
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    BOOL Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                CCreateContext* context = nullptr);
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();
    void ActivateFrame(int command = -1) override;
    // Puts this child's menu (or the frame's default when it is not active) on the main frame.
    virtual void OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU alternate_menu);
    void OnUpdateFrameMenu(HMENU alternate_menu) override { OnUpdateFrameMenu(TRUE, this, alternate_menu); }
    CWnd* GetMessageBar();
    // A child shows its document's title; the main frame adds the active one to its own.
    void OnUpdateFrameTitle(BOOL add_to_title) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelShared = nullptr;

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    afx_msg int OnMouseActivate(CWnd* top, UINT hit, UINT message);
    afx_msg LRESULT OnSetMessageStringForward(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()
};
