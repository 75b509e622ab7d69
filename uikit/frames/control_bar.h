#pragma once
// SECControlBar: the resizable docking bar every docking window stands on.
// Beside the base bar it keeps a size for each state (docked across, docked
// along a side, floating), a relative share of its dock-bar row, an extended
// style word, a gripper with hide and expand buttons, a context menu the frame
// and the bar extend, and a proportional layout of its child windows.
#include <vector>

#include "platform/afx/afx.h"

class SECDockBar;
class SECControlBarManager;
struct SECControlBarInfo;

// Extended bar styles.
constexpr DWORD CBRS_EX_STDCONTEXTMENU = 0x0001;  // context menu on WM_CONTEXTMENU
constexpr DWORD CBRS_EX_PROPORTIONAL = 0x0002;    // children scale with the bar
constexpr DWORD CBRS_EX_FIXEDSIZE = 0x0004;       // laid out at its own size, never stretched
constexpr DWORD CBRS_EX_BORDER3D = 0x0008;        // set by the dock bar in rows of fixed-size bars
constexpr DWORD CBRS_EX_INSET = 0x0010;           // client inset by m_rectBorder
constexpr DWORD CBRS_EX_FLOAT_IN_MAIN = 0x0020;   // the frame adds "Float In Main Window"
constexpr DWORD CBRS_EX_FILL_CHILD = 0x0040;      // the first child fills the inside rectangle
constexpr DWORD CBRS_EX_OWN_ROW = 0x0080;         // a row of its own, stretched across it
constexpr DWORD CBRS_EX_FLATBORDERS = 0x0100;
constexpr DWORD CBRS_EX_GRIPPER = 0x0200;
constexpr DWORD CBRS_EX_HIDE_BUTTON = 0x0400;
constexpr DWORD CBRS_EX_EXPAND_BUTTON = 0x0800;

// Commands of the bar's context menu, and the message that lets its frame extend it
// (wParam the bar, lParam the CMenu).
constexpr UINT ID_SEC_ALLOW_DOCKING = 43040;
constexpr UINT ID_SEC_HIDE_BAR = 43041;
constexpr UINT ID_SEC_FLOAT_IN_MAIN = 43042;
constexpr UINT WM_SEC_EXTENDCONTEXTMENU = 0x38FF;
// Tips of the gripper buttons.
constexpr UINT IDS_SEC_HIDE_TIP = 20655;
constexpr UINT IDS_SEC_EXPAND_TIP = 20657;
constexpr UINT IDS_SEC_CONTRACT_TIP = 20658;
// Tool ids of the gripper buttons.
constexpr UINT kSecHideToolId = 1024, kSecExpandToolId = 2048;

// Registers the toolkit's strings once; every toolkit window that needs them calls it.
void sec_register_frames_resources();

// The gripper's metrics: a strip of two raised lines along the bar's leading edge.
class SECGripperInfo : public CObject {
public:
    SECGripperInfo();
    // Across a horizontally docked bar's left edge, then down a vertically docked one's top.
    int m_nHorzLeading = 4, m_nHorzLine1 = 3, m_nHorzGap = 1, m_nHorzLine2 = 3, m_nHorzTrailing = 6;
    int m_nVertLeading = 4, m_nVertLine1 = 3, m_nVertGap = 1, m_nVertLine2 = 3, m_nVertTrailing = 6;
    int m_nMargin = 3;
    CString m_strHideTip, m_strExpandTip, m_strContractTip;
    virtual int GetWidth() const;   // 17
    virtual int GetHeight() const;  // 17
};

class SECControlBar : public CControlBar {
    DECLARE_DYNCREATE(SECControlBar)
public:
    SECControlBar();
    ~SECControlBar() override;

    static const CSize kDefaultSize;  // (300, 180)

    virtual BOOL Create(CWnd* parent, const char* title, DWORD style, DWORD ex_style, UINT id,
                        CCreateContext* context = nullptr);
    virtual BOOL CreateEx(const char* class_name, const char* title, UINT id, DWORD style, DWORD ex_style,
                          const RECT& rect, CWnd* parent, CCreateContext* context = nullptr);
    // The client area left for the bar's contents after gripper and borders.
    virtual void GetInsideRect(CRect& rect) const;
    // The least length along a dock row (a width in a top or bottom row) at which
    // the bar still shows its content; its row gives it that much when it can.
    virtual int MinDockedLength(bool /*horizontal*/) const { return 0; }
    virtual CDockContext* CreateDockContext();
    virtual void SetExBarStyle(DWORD ex_style, BOOL redraw = TRUE);
    virtual void ModifyExBarStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
    DWORD GetExBarStyle() const { return m_dwExStyle; }
    virtual void DrawBorders(CDC* dc, CRect& rect);

    // Notifications around docking and floating.
    virtual void OnBarBeginDock() { OnBarDock(); }
    virtual void OnBarDock() {}
    virtual void OnBarEndDock() {}
    virtual void OnBarBeginFloat() { OnBarFloat(); }
    virtual void OnBarFloat() {}
    virtual void OnBarEndFloat() {}
    virtual void OnBarBeginMDIFloat() { OnBarMDIFloat(); }
    virtual void OnBarMDIFloat() {}
    virtual void OnBarEndMDIFloat() {}
    // The bar's record in a saved layout, and restoring it; the extended style
    // is applied afterwards by the dock state. The hooks carry a derived bar's own state.
    using CControlBar::GetBarInfo;
    using CControlBar::SetBarInfo;
    virtual void GetBarInfo(SECControlBarInfo* info);
    virtual void SetBarInfo(SECControlBarInfo* info, CFrameWnd* frame);
    virtual void GetBarInfoEx(SECControlBarInfo* info) {}
    virtual void SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) {}
    // Makes the window of a bar that a saved layout names and the frame lacks.
    virtual BOOL CreateBarFromInfo(CFrameWnd* frame, SECControlBarInfo* info);
    // Called while the context menu is built; the bar appends its own commands.
    virtual void OnExtendContextMenu(CMenu* menu) {}
    virtual BOOL CanHideBar() { return TRUE; }
    virtual BOOL CanExpandBar() { return TRUE; }
    virtual int AdjustForGripper(CRect& rect, BOOL horz) const;
    virtual void DrawGripper(CDC* dc, const CRect& rect);
    virtual void DrawHideButton(CDC* dc, CRect& rect, BOOL horz);
    virtual void DrawHideButtonDown(CDC* dc);
    virtual void DrawHideButtonUp(CDC* dc);
    virtual void DrawExpandButton(CDC* dc, CRect& rect, BOOL horz);
    virtual void DrawExpandButtonDown(CDC* dc);
    virtual void DrawExpandButtonUp(CDC* dc);
    virtual void UpdateExpandButton(BOOL horz);

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override {}
    int OnToolHitTest(CPoint point, ToolHit* hit) const override;

    // Where the bar may dock; makes its dock context and its owner.
    void EnableDocking(DWORD sides);
    // The inside rectangle of flat bars (toolbars and status bars call it).
    void CalcInsideRect(CRect& rect, BOOL horz, BOOL gripper_when_vert) const;
    using CControlBar::CalcInsideRect;
    // The context menu's items: ours, the bar's own and the frame's.
    void BuildContextMenu(CMenu& menu);
    BOOL IsMDIChild() const;
    // The toolkit dock bar holding the bar, or null.
    SECDockBar* GetSECDockBar() const;

    CSize m_szHorzDock, m_szVertDock, m_szFloat;
    DWORD m_dwPrevDockStyle = 0;
    float m_fPctWidth = 1.0f;
    float m_fSavedPctWidth = 1.0f;
    DWORD m_dwExStyle = 0;
    CRect m_rectBorder{10, 10, 10, 10};
    SECControlBarManager* m_pManager = nullptr;
    SECGripperInfo m_gripper;
    CRect m_rectHideBtn, m_rectExpandBtn;
    BOOL m_bHideBtnDown = FALSE, m_bExpandBtnDown = FALSE;
    BOOL m_bExpandBtnEnabled = TRUE, m_bCanExpand = TRUE, m_bExpandBtnHorz = TRUE;
    HWND m_hWndRedraw = nullptr;

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnAllowDocking();
    afx_msg void OnHideBar();
    afx_msg void OnFloatInMain();

protected:
    void DoPaint(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    struct ChildRect {
        HWND hwnd;
        CRect rect;
    };
    // Entry 0: the client rectangle when recorded; then each child's rectangle.
    std::vector<ChildRect> child_rects_;
    bool has_child_record_ = false;
    void record_child_layout();
    void free_child_layout();
    bool gripper_shown() const;
    bool docked_across() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    void set_button_down(BOOL& flag, const CRect& rect, bool down, bool hide_button);
};

// The first control id from `first` upward (at most 1000 of them) that no bar
// and no other child window of the frame uses; 0 when all are taken or there
// is no frame.
UINT FindUnusedBarID(CFrameWnd* frame, UINT first);
