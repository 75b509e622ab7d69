#pragma once
// SECMDIFrameWnd: the toolkit's MDI main frame. It docks bars in the
// toolkit's dock bars (rows with splitters on every side), floats them in
// small frames or as MDI children, shows and hides them at once or at the next
// idle time, and hands its non-client and extended system-command messages to
// a tree of message filters for caption buttons.
#include <memory>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/os/result.h"
#include "uikit/frames/dock_site.h"
#include "uikit/frames/frame_menus.h"
#include "uikit/frames/menu_bar.h"
#include "uikit/frames/msg_filter.h"

class SECBarHost;
class SECBmpMenuPlugIn;
class SECDockBar;
class SECFrameWnd;
class SECMDIFrameWnd;

// An object the MDI frame offers every command after the active document
// window and before its own handlers. The frame makes it from a class and owns
// it; a command it marks as its own ends with its answer, handled or not.
class SECCmdExtension : public CCmdTarget {
    DECLARE_DYNAMIC(SECCmdExtension)
public:
    virtual BOOL Create(CWnd* parent, UINT id, DWORD style, CCreateContext* context) = 0;
    // Joins the frame; FALSE refuses it.
    virtual BOOL AttachFrame(SECMDIFrameWnd* frame) = 0;
    BOOL m_bOwnCommand = FALSE;
};

class SECMDIFrameWnd : public CMDIFrameWnd, public SECDockSite {
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    void EnableDocking(DWORD dock_style);
    virtual SECDockBar* CreateDockBar();
    void DockControlBarEx(CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                          const SECDockSize& size) override;
    // The IDE's form: column `a`, row `b`, a relative width and a thickness in pixels.
    virtual void DockControlBarEx(CControlBar* bar, UINT dock_bar_id, int a, int b, float pct, int height);
    void FloatControlBarEx(CControlBar* bar, int x, int y, DWORD style) override;
    BOOL IsMDISite() const override { return TRUE; }
    void FloatControlBarAsMDIChild(CControlBar* bar, int x, int y, DWORD style) override;
    // A new MDI child of the bar-hosting class (m_pMDIChildBarClass), or null.
    SECBarHost* CreateControlBarMDIChild() override;
    CFrameWnd* CreateDockableFrame(CRuntimeClass* frame_class, const char* title, UINT bar_id,
                                   CCreateContext* context) override;
    // Floating bars live in the toolkit's floating frame, which drags and resizes them.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD style) override;
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) override;
    void RecalcLayout(BOOL notify = TRUE) override;
    virtual void EnableCaptionFilters(BOOL first);
    // The dock layout in the profile sections "<name>-Summary" and "<name>-Bar<n>". A layout
    // that does not exist keeps the default docking; a damaged one too, and says why.
    os::Status LoadBarState(const char* profile_name);
    void SaveBarState(const char* profile_name);
    // The bar manager that makes the bars a saved layout names and keeps their extra state.
    void SetControlBarManager(SECControlBarManager* manager) { m_pControlBarManager = manager; }
    SECControlBarManager* GetControlBarManager() const override { return m_pControlBarManager; }
    // Bitmap menus, switched on before the frame is created; `second` puts a
    // dot in place of the check mark of radio items.
    void EnableBmpMenus(BOOL on, BOOL second) { menus_.EnableBmpMenus(on, second); }
    // The plug-in that draws the frame's menus (the menu-bar feature in menu-bar mode), or null.
    SECBmpMenuPlugIn* GetBmpMenuPlugIn() const { return menus_.GetPlugIn(); }
    // Menu-bar mode: the menu shows in this bar (one menu per resource id)
    // instead of the window's menu. Set before or after the frame is created.
    void SetMenuBar(SECMenuBar* bar);
    SECMenuBar* GetMenuBar() const override { return menus_.GetMenuBar(); }
    BOOL HasMenuBar() const { return menus_.GetMenuBar() != nullptr; }
    // The frame's own menu: the one the menu bar shows without documents in menu-bar mode.
    virtual HMENU GetDefaultMenu();
    UINT GetDefaultMenuId() const { return menus_.GetDefaultMenuId(); }
    // The menu of a resource id: the frame's own, a document template's, or one loaded for it.
    virtual HMENU GetMenuForId(UINT id);
    // Shows the menu of `id` in the menu bar; 0 and -1 keep the current one.
    virtual void SetMenuBarMenu(UINT id);
    // The maximised child's icon and boxes in the menu bar follow the child.
    virtual void RefreshMDIButtons();
    // The window list of the menu bar's menu (its Window popup) follows the MDI children.
    virtual void UpdateMDIMenu();
    // The menu shown: the menu bar's in menu-bar mode, else the window's.
    CMenu* GetMenu() const;
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr) override;
    void OnUpdateFrameMenu(HMENU alternate_menu) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // A dockable frame takes the activation from the MDI children while the user works in it:
    // commands, the title and the menu follow it. Null gives it back to the MDI area.
    virtual void ActivateDockableFrame(SECFrameWnd* frame);
    virtual void DeactivateDockableFrame(BOOL focus_mdi_client);
    SECFrameWnd* GetActiveDockableFrame() const { return active_dockable_; }
    CFrameWnd* GetActiveFrame() override;
    // With m_bActivateViewOnActivate, the active view hears of the frame's activation and takes
    // the keyboard back when the frame becomes active with the focus elsewhere.
    virtual void ActivateViewOnFrameActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL m_bActivateViewOnActivate = FALSE;
    SECMsgFilter* GetRootFilter() const { return root_filter_.get(); }
    // The client area left over by the bars at the last layout.
    const CRect& GetLastClientRect() const { return m_rectLastClient; }

    // Where the next bar docks when the application gives no place: the
    // bottom, left and right rows in turn, now and then in a row of their own.
    virtual void GetNextDefaultDockPos(UINT& dock_bar_id, SECDockPos& position, SECDockSize& size);
    // While the toolbars are customised (a modal dialog), delayed layouts run at once.
    virtual void OnEnterIdleEx(UINT why, CWnd* who);

    // The caption painted by the frame itself (a gradient, the title's head in
    // italics); only on the new-style shell. Returns the old setting.
    BOOL EnableCustomCaption(BOOL on, BOOL redraw = TRUE);
    virtual void CreateCaptionFont(CFont& font);
    virtual void CreateCaptionDocFont(CFont& font);
    virtual void DrawCaption();
    // Title alignment in the painted caption: 0 left, 1 centred, anything else right.
    int m_nCaptionTextAlign = 0;

    // Makes the command extension from `extension_class` (an SECCmdExtension); null, with nothing
    // kept, when it cannot be made or refuses the frame.
    virtual SECCmdExtension* CreateCmdExtension(CWnd* parent, UINT id, CRuntimeClass* extension_class,
                                                CCreateContext* context);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CRuntimeClass* m_pDockBarClass = nullptr;
    CRuntimeClass* m_pMDIChildBarClass = nullptr;
    CPoint m_ptCascade{30, 30};
    SECControlBarManager* m_pControlBarManager = nullptr;

    afx_msg void OnSysColorChange();
    afx_msg void OnEnterIdle(UINT why, CWnd* who) { OnEnterIdleEx(why, who); }
    afx_msg LRESULT OnExtendContextMenu(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CRect m_rectLastClient;
    std::unique_ptr<SECMsgFilter> root_filter_;
    SECFrameMenus menus_;
    SECFrameWnd* active_dockable_ = nullptr;
    std::unique_ptr<SECCmdExtension> cmd_extension_;
    // Moves the window's menu into the menu bar.
    void enter_menu_bar_mode();
    BOOL gradient_caption_ = FALSE;
    BOOL caption_active_ = FALSE;
    CFont caption_font_, caption_doc_font_;
    BOOL caption_message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    std::vector<UINT> default_dock_ids_;  // dock bar ids in turn, 0 between rows
    int default_dock_index_ = 0;
    BOOL offer_to_plug_in(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    SECMsgFilter::DescriptorTable filter_table_;
};
