#pragma once
// CControlBar: a bar along an edge of its frame. The frame's layout sends
// each bar WM_SIZEPARENT; the bar takes its size from CalcFixedLayout or
// CalcDynamicLayout, cuts that much off the free area, and moves itself
// there. Bars update their elements from the frame's command handlers at
// idle time.
#include "platform/afx/collections.h"
#include "platform/afx/wnd.h"

class CDockBar;
class CDockContext;
struct CControlBarInfo;

constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;

// Layout modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

// The dock bar id of a side (AFX_IDW_DOCKBAR_TOP...) from CBRS_ALIGN_ bits, 0 for none; and back.
UINT afx_dock_bar_id_of(DWORD style);
DWORD afx_align_of_dock_bar(UINT dock_bar_id);
// The border a bar on that side shows toward the frame's middle.
DWORD afx_borders_facing_in(DWORD align);

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override;

    // Bar styles (CBRS_) live here, apart from the window style.
    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD style);
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;  // where the bar may dock
    void EnableDocking(DWORD sides) { m_dwDockStyle = sides & CBRS_ALIGN_ANY; }
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;  // owned: deleted with the bar
    BOOL m_bAutoDelete = FALSE;
    CSize m_sizeMRU{};  // the width the bar had when last docked horizontally
    int m_cxLeftBorder = 6, m_cxRightBorder = 6, m_cyTopBorder = 2, m_cyBottomBorder = 2;
    int m_cxDefaultGap = 2;
    // Per-element flags of derived bars (buttons, panes).
    CDWordArray m_arrElementFlags;
    int GetCount() const { return m_arrElementFlags.GetSize(); }

    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsVisible() const;
    CFrameWnd* GetDockingFrame() const;
    // Shows or hides at the next layout instead of at once.
    virtual void DelayShow(BOOL show);
    UINT m_nStateFlags = 0;
    static constexpr UINT delayHide = 0x1, delayShow = 0x2;

    // The client area without the borders and gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL horz) const;
    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz);
    virtual CSize CalcDynamicLayout(int length, DWORD mode);
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override {}
    // The bar's saved layout: id, visibility, side and place (relative to its
    // dock bar when docked in one, else to its frame).
    virtual void GetBarInfo(CControlBarInfo* info);
    virtual void SetBarInfo(CControlBarInfo* info, CFrameWnd* frame);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();

protected:
    BOOL create_bar(const char* title, DWORD window_style, DWORD bar_style, CWnd* parent, UINT id);
    virtual void DoPaint(CDC* dc);
    void DrawBorders(CDC* dc, CRect& rect);
    void PostNcDestroy() override;
    // Sees the pointer's messages before the bar's handlers do, for tips and fly-by prompts.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    // With CBRS_FLYBY the status bar shows the prompt of the tool under the
    // pointer; with CBRS_TOOLTIPS the frame's tip control shows its tip.
    UINT flyby_id_ = 0;  // the tool whose prompt shows, 0 for none
    UINT tip_id_ = 0;    // the tool the tip control knows, 0 for none
    bool hearing_leave_ = false;
    void track_pointer(UINT message, WPARAM wParam, LPARAM lParam);
    void show_tool(UINT id, const ToolHit& hit, HWND tips, const MSG& move);
    void leave_tools();
};

// Status bar: a stretching message pane and fixed panes named by string ids.
class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; id 0 (or ID_SEPARATOR) is the stretching message pane.
    BOOL SetIndicators(const UINT* ids, int count);
    BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    void GetItemRect(int index, RECT* out) const;
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;

    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

protected:
    void DoPaint(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT id = 0;
        int width = 0;  // fixed panes: from the text of their string
        bool disabled = false;
        CString text;
    };
    CArray<Pane> panes_;
    int pane_height() const;
};

// Toolbar: buttons from a toolbar resource (ids, 0 for a separator) and a bitmap strip.
class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT id);
    BOOL SetButtons(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void GetItemRect(int index, RECT* out) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    static constexpr UINT TBBS_BUTTON = 0x00, TBBS_SEPARATOR = 0x01, TBBS_CHECKBOX = 0x02, TBBS_CHECKED = 0x0100,
                          TBBS_PRESSED = 0x0200, TBBS_DISABLED = 0x0400, TBBS_INDETERMINATE = 0x0800;
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
    int OnToolHitTest(CPoint point, ToolHit* hit) const override;

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);

protected:
    void DoPaint(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    CUIntArray ids_;
    CBitmap images_;
    CSize button_{23, 22};
    CSize image_{16, 15};
    int pressed_ = -1;
    int hit_button(CPoint point) const;
};
