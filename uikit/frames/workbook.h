#pragma once
// SECWorkbook: the MDI main frame with a workbook mode. In that mode the MDI
// client is shrunk by fixed margins and drawn with a 3-D border, and below it
// the frame draws one tab per MDI child (SECWorksheet), like the sheet tabs of
// a workbook: clicking a tab activates its sheet, a tab whose label does not
// fit shows the whole label as a tooltip, and a tab may carry the sheet's
// 16 x 16 icon.
#include <array>
#include <memory>
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/mdi_frame.h"

class SECWorkbook;

// Sent to the workbook when the active sheet changed: the frame moves its active tab.
constexpr UINT WM_SEC_WORKBOOK_ACTIVE_CHANGED = WM_USER + 0x44D;

// The margins kept free around the MDI client; the workbook lays the client
// out inside them.
class SECWorkbookClient : public CObject {
    DECLARE_DYNAMIC(SECWorkbookClient)
public:
    void SetMargins(int left, int right, int top, int bottom);
    void GetMargins(int* left, int* right, int* top, int* bottom) const;
    // The client's rectangle within the area it is given.
    void CalcWindowRect(RECT* rect) const;

    int m_nLeftMargin = 0, m_nTopMargin = 0, m_nRightMargin = 0, m_nBottomMargin = 0;
};

// An MDI child that is a sheet of its workbook while its frame is one.
class SECWorksheet : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECWorksheet)
public:
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    void OnUpdateFrameTitle(BOOL add_to_title) override;
    // The workbook the sheet belongs to, or null.
    SECWorkbook* GetWorkbook() const;

    HICON m_hIcon = nullptr;  // shown on its tab; the sheet does not own it
    int m_nTabIndex = 0;
    BOOL m_bPressed = FALSE;  // set while its tab is being clicked

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    afx_msg void OnDestroy();

protected:
    DECLARE_MESSAGE_MAP()
};

// A sheet that hosts a control bar moved into the MDI area: the workbook's
// bar-hosting MDI child, so that such a bar has its tab too.
class SECControlBarWorksheet : public SECBarHostChild<SECWorksheet> {
    DECLARE_DYNCREATE(SECControlBarWorksheet)
};

class SECWorkbook : public SECMDIFrameWnd {
    DECLARE_DYNCREATE(SECWorkbook)
public:
    SECWorkbook();
    ~SECWorkbook() override;

    // Turns the tabs, the margins (13, 13, 13 and 33 below) and the border on or off.
    void SetWorkbookMode(BOOL on);
    BOOL GetWorkbookMode() const { return m_bWorkbookMode; }
    int GetClientBorder() const override;

    using TabPolygon = std::array<CPoint, 7>;
    // The MDI client's rectangle in frame coordinates, grown by its margins.
    virtual void GetWorkbookArea(CRect& rect) const;
    // A click on a tab activates its sheet only when this agrees.
    virtual BOOL AllowSheetActivation(SECWorksheet* sheet) { return TRUE; }
    virtual void AddSheet(SECWorksheet* sheet);
    virtual void RemoveSheet(SECWorksheet* sheet);
    // TRUE when the label, in the tab font, fits the tab's text rectangle.
    virtual BOOL TabLabelFits(SECWorksheet* sheet);
    virtual TabPolygon GetTabPolygon(SECWorksheet* sheet) const;
    // The title of the sheet's active document, else its window text.
    virtual CString GetSheetLabel(SECWorksheet* sheet) const;
    virtual CRect GetTabTextRect(const TabPolygon& points, int icon_width) const;
    virtual void DrawTab(CDC* dc, SECWorksheet* sheet);
    virtual void DrawClientBorder(CDC* dc);
    virtual void DrawTabLabel(CDC* dc, SECWorksheet* sheet);
    virtual HICON GetSheetIcon(SECWorksheet* sheet) const;
    virtual void SetSheetIcon(SECWorksheet* sheet, HICON icon, BOOL redraw);

    int GetSheetCount() const { return int(m_sheets.size()); }
    SECWorksheet* GetSheet(int index) const { return m_sheets[std::size_t(index)]; }
    SECWorkbookClient* GetClient() const { return m_pClient.get(); }
    int GetTabWidth() const { return m_nTabWidth; }
    // Repaints a sheet's tab, or everything from it to the right edge.
    void InvalidateTab(SECWorksheet* sheet, BOOL to_right_edge);
    // The label as drawn in `width` pixels: cut from the end, ending in "...".
    CString FitTabLabel(CDC* dc, CString label, int width) const;

    void RecalcLayout(BOOL notify = TRUE) override;
    BOOL CreateClient(CREATESTRUCT* cs, CMenu* window_menu) override;
    int OnToolHitTest(CPoint point, ToolHit* hit) const override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg LRESULT OnActiveSheetChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

    BOOL m_bShowIcons = TRUE;
    int m_nTabHeight = 23;
    int m_nTabSlant = 2;
    int m_nActiveExtraWidth = 4;
    int m_nActiveExtraHeight = 2;
    int m_nMaxTabWidth = 90;
    // When set, the background covers the client and its margins and a size change repaints the frame.
    BOOL m_bRepaintWholeArea = FALSE;

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::vector<SECWorksheet*> m_sheets;
    BOOL m_bWorkbookMode = FALSE;
    CFont m_fontTab;
    std::unique_ptr<SECWorkbookClient> m_pClient;
    CPen m_penHighlight, m_penDark, m_penShadow, m_penFace;
    int m_nTabWidth = 100;
    CRect m_rectLastLayout;
    int m_nLastActiveTab = 0;
    CRect client_rect() const;  // the MDI client in frame coordinates
    int compute_tab_width() const;
    bool tab_is_active(SECWorksheet* sheet) const;
    bool tab_contains(SECWorksheet* sheet, CPoint point) const;
    // The strip of tabs, or from a tab to the right edge.
    void invalidate_tabs(int from_x, bool to_right_edge);
    CRect layout_area() const;  // the area left by the bars
    void make_drawing_tools();
};
