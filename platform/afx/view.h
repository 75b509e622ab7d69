#pragma once
// CView: a child window that shows a document. Commands reach it before its
// frame, and what it does not handle goes on to its document. Printing runs
// OnPreparePrinting, OnBeginPrinting, then OnPrepareDC and OnPrint per page.
#include "platform/afx/frame.h"
#include "platform/afx/print_dialog.h"
#include "platform/afx/wnd.h"

class CDocument;
class CCmdUI;

struct CPrintInfo {
    CPrintInfo() = default;
    CPrintInfo(const CPrintInfo&) = delete;  // m_pPD points into the object
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    CRect m_rectDraw;
    void* m_lpUserData = nullptr;
    // Page range and the print dialog's choices.
    UINT m_nMinPage = 1, m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 1, m_nToPage = 0xFFFF;
    BOOL m_bSelection = FALSE;  // print only the selection
    BOOL m_bPageRange = FALSE;
    // The print dialog DoPreparePrinting runs; set its flags before (PD_SELECTION
    // to offer the selection), read them after.
    CPrintDialog m_printDialog{PD_ALLPAGES | PD_NOSELECTION};
    CPrintDialog* m_pPD = &m_printDialog;
    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage; }
    UINT GetToPage() const { return m_nToPage; }
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return CWnd::GetParentFrame(); }

    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hint_object);
    virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated);
    virtual void OnActivateFrame(UINT state, CFrameWnd* frame) {}
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);

    // ---- printing ----
    virtual BOOL OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }
    // Asks the print dialog (answerable by script); FALSE when cancelled.
    BOOL DoPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info) {}
    virtual void OnPrint(CDC* dc, CPrintInfo* info) { OnDraw(dc); }
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info) {}
    // Prints to PNG pages through the printer DC; the number of pages written.
    int PrintToPages(const char* folder, CPrintInfo* info);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // A pane of a splitter scrolls through the bar it shares with its row or column.
    CScrollBar* GetScrollBarCtrl(int bar) const override;
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* top, UINT hit, UINT message);
    // The Split command, for a view in a dynamic splitter.
    afx_msg void OnSplitCmd();
    afx_msg void OnUpdateSplitCmd(CCmdUI* cmd_ui);
    // F6 and Shift+F6: the next or previous pane of the splitter.
    afx_msg void OnNextPaneCmd(UINT id);
    afx_msg void OnUpdateNextPaneCmd(CCmdUI* cmd_ui);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM) {
        OnInitialUpdate();
        return 0;
    }

    CDocument* m_pDocument = nullptr;

protected:
    CView() = default;
    ~CView() override;
    DECLARE_MESSAGE_MAP()
    friend class CDocument;
};

// A view that scrolls a logical page of a fixed size.
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    void SetScrollSizes(int map_mode, SIZE total, SIZE page = CSize(0, 0), SIZE line = CSize(0, 0));
    CPoint GetScrollPosition() const;
    void ScrollToPosition(POINT position);
    CSize GetTotalSize() const { return total_; }
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

protected:
    CScrollView() = default;
    DECLARE_MESSAGE_MAP()

private:
    void update_bars();
    void scroll_by(int bar, UINT code, UINT thumb);
    CSize total_{}, page_{}, line_{};
};
