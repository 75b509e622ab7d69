#pragma once
// CFrameWnd: a top-level (or MDI child) window that holds control bars and
// a view, routes commands to the view first, lays itself out at idle time
// when asked to, and shows menu prompts in its status bar.
#include "platform/afx/collections.h"
#include "platform/afx/wnd.h"

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class CDocument;
class CView;
class CDocTemplate;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

// Frame styles of the framework.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const CRect rectDefault;
    static constexpr UINT idleLayout = 0x1, idleNotify = 0x2, idleMenu = 0x4, idleTitle = 0x8;

    // Title (the string resource's first line), menu, accelerators and icon from the resource id.
    virtual BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    BOOL Create(const char* class_name, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = nullptr, const char* menu_name = nullptr,
                DWORD ex_style = 0, CCreateContext* context = nullptr);

    // ---- layout ----
    // Places the bars and the view; a call made while one runs is dropped.
    virtual void RecalcLayout(BOOL notify = TRUE);
    void DelayRecalcLayout(BOOL notify = TRUE) { m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0); }
    // A show command (SW_) the next idle update carries out after its layout; -1 for none.
    int m_nShowDelay = -1;
    CRect m_rectBorder;  // space kept free around the view (left, top, right, bottom)

    // ---- control bars ----
    CPtrList m_listControlBars;
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    CControlBar* GetControlBar(UINT id) const;
    // Shows or hides a bar; with `delay` the change happens at the next idle time.
    virtual void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    void OnUpdateControlBarMenu(CCmdUI* cmd_ui);
    // Makes the dock bars of the given sides (CBRS_ALIGN_ bits).
    void EnableDocking(DWORD sides);
    // Docks on the dock bar with that id, or the first side the bar allows for 0.
    void DockControlBar(CControlBar* bar, UINT dock_bar_id = 0, const RECT* where = nullptr);
    // A new floating frame for bars (a CMiniDockFrameWnd by default) owned by this frame.
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD style);
    // Floats the bar in a new floating frame at the screen point.
    void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = 0x2000 /* CBRS_ALIGN_TOP */);
    // The dock bar that the rectangle (screen coordinates) overlaps and whose side `style` allows; null when none.
    CDockBar* CanDock(CRect rect, DWORD style, CDockBar** dock_bar = nullptr);
    // The bars' visibility, side and place, to and from the profile.
    void GetDockState(class CDockState& state) const;
    void SetDockState(const class CDockState& state);
    void SaveBarState(const char* name) const;
    void LoadBarState(const char* name);
    BOOL OnBarCheck(UINT id);

    // ---- views and documents ----
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CView* GetActiveView() const { return active_view_; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void InitialUpdateFrame(CDocument* doc, BOOL make_visible);
    virtual void ActivateFrame(int command = -1);
    virtual void OnUpdateFrameTitle(BOOL add_to_title);
    virtual void OnUpdateFrameMenu(HMENU alternate_menu);
    void UpdateFrameTitleForDocument(const char* document_name);
    CString m_strTitle;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;

    // ---- prompts ----
    void SetMessageText(const char* text);
    void SetMessageText(UINT id);
    // The prompt of a command: its string resource up to the first newline.
    virtual void GetMessageString(UINT id, CString& message) const;
    CWnd* GetMessageBar();
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    // The tip control its control bars share, made when first asked for.
    HWND GetBarToolTips();

    // ---- activation ----
    // The frame stays drawn active while one of its floating windows that share its activation
    // (FS_SYNCACTIVE) has it, and tells its floating windows how to show.
    BOOL KeepsActive(BOOL active) const;
    void NotifyFloatingWindows(DWORD flags);
    // Gives the frames it owns their idle update after its own.
    void IdleUpdateFloatingWindows();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- routing ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context);
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    void PostNcDestroy() override { delete this; }
    virtual void OnIdleUpdate();

    UINT m_nIdleFlags = 0;
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bAutoMenuEnable = TRUE;

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL system);
    afx_msg void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnterIdle(UINT why, CWnd* who);

protected:
    // Carries out a show or hide the bar was given with delay.
    static void ApplyDelayShow(CControlBar* bar);
    CView* active_view_ = nullptr;
    DECLARE_MESSAGE_MAP()

private:
    HWND bar_tips_ = nullptr;
};
