#pragma once
// SECFrameWnd: the toolkit's single-document frame. It docks, floats, shows
// and hides bars as the MDI frame does (the dock context and the dock state
// treat both alike through SECDockSite), keeps its layout in the profile, and
// can paint its own caption: a gradient from black to the active caption
// colour with the application's part of the title in bold.
#include "platform/afx/afx.h"
#include "platform/os/result.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_site.h"
#include "uikit/frames/frame_bar.h"
#include "uikit/frames/frame_menus.h"
#include "uikit/frames/menu_bar.h"

class SECBmpMenuPlugIn;
class SECMDIFrameWnd;

class SECFrameWnd : public CFrameWnd, public SECDockSite {
    DECLARE_DYNCREATE(SECFrameWnd)
public:
    SECFrameWnd();

    // ---- menus ----
    // Bitmap menus, switched on before the frame is created; `second` puts a
    // dot in place of the check mark of radio items.
    void EnableBmpMenus(BOOL on, BOOL second) { menus_.EnableBmpMenus(on, second); }
    SECBmpMenuPlugIn* GetBmpMenuPlugIn() const { return menus_.GetPlugIn(); }
    // Menu-bar mode: the frame's menu shows in this bar instead of the window.
    void SetMenuBar(SECMenuBar* bar);
    SECMenuBar* GetMenuBar() const override { return menus_.GetMenuBar(); }
    BOOL HasMenuBar() const { return menus_.GetMenuBar() != nullptr; }
    // The menu of a resource id: the frame's own, or one loaded for it.
    virtual HMENU GetMenuForId(UINT id);
    // Shows the menu of `id` in the menu bar (the frame's own for 0).
    virtual void SetMenuBarMenu(UINT id);
    // The menu shown: the menu bar's in menu-bar mode, else the window's.
    CMenu* GetMenu() const;
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

    // ---- docking ----
    virtual SECDockBar* CreateDockBar() { return new SECDockBar(FALSE, FALSE); }
    void EnableDocking(DWORD dock_style);
    void DockControlBarEx(CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                          const SECDockSize& size) override;
    // Column, row, a relative size and a thickness in pixels.
    virtual void DockControlBarEx(CControlBar* bar, UINT dock_bar_id, int column, int row, float pct, int length);
    void FloatControlBarEx(CControlBar* bar, int x, int y, DWORD style) override;
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD style) override;
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) override;

    // ---- the saved layout ----
    os::Status LoadBarState(const char* profile_name);
    void SaveBarState(const char* profile_name);
    void SetControlBarManager(SECControlBarManager* manager) { m_pManager = manager; }
    SECControlBarManager* GetControlBarManager() const override { return m_pManager; }

    // ---- the caption ----
    // Caption alignment of the title: 0 left, 1 centred, anything else right.
    enum : int { kCaptionLeft = 0, kCaptionCentre = 1, kCaptionRight = 2 };
    // The caption rectangle in window coordinates, short of the caption buttons.
    virtual void GetCaptionRect(CRect& rect) const;
    // Paints the caption when the frame paints its own.
    virtual void PaintCaption();
    void SetCustomCaption(BOOL on);

    CRect m_rectCaption;
    int m_nCaptionAlign = kCaptionLeft;
    BOOL m_bCustomCaption = FALSE;
    BOOL m_bActive = FALSE;
    SECControlBarManager* m_pManager = nullptr;

    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL active);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CFont m_fontCaptionBold, m_fontCaption;
    void make_caption_fonts();
    SECFrameMenus menus_;
    void enter_menu_bar_mode();
};

// A frame that docks and floats like a bar: it lives inside an SECFrameBar
// of its dock site, which the dock bars and floating frames move about, and
// fills the bar's inside rectangle.
class SECDockableFrame : public SECFrameWnd {
    DECLARE_DYNCREATE(SECDockableFrame)
public:
    // Makes the hosting bar (id `bar_id`, docking on every side) and the frame in it; the
    // caller docks or floats the bar through the dock site. FALSE when either cannot be made.
    BOOL CreateHosted(CFrameWnd* dock_site, const char* title, UINT bar_id, CCreateContext* context = nullptr);
    SECFrameBar* GetFrameBar() const;
    // Whether the hosting bar floats.
    BOOL IsFloating() const;
    // A hosted frame goes with its bar.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The active document's title becomes the frame's and its bar's.
    void OnUpdateFrameTitle(BOOL add_to_title) override;
    // While it holds the activation, the MDI frame shows its document's menu.
    void OnUpdateFrameMenu(HMENU alternate_menu) override;
    // The MDI frame it docks in: its parent frame's, else the application's main window.
    SECMDIFrameWnd* GetMDIFrame() const;
    // The extended system commands for the frame go to the MDI frame's filters, which
    // switch it to an MDI child of its document's template and back.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The menu of its document template, shown while it holds the activation (null: the frame's own).
    HMENU m_hMenuShared = nullptr;

    afx_msg int OnMouseActivate(CWnd* top, UINT hit, UINT message);
    afx_msg void OnDestroy();

protected:
    DECLARE_MESSAGE_MAP()
};
