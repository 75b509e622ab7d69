#include "platform/afx/view.h"

#include <algorithm>

#include "platform/afx/app.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/controls.h"
#include "platform/afx/document.h"
#include "platform/afx/splitter.h"
#include "platform/gdi/printer.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
ON_COMMAND(ID_WINDOW_SPLIT, OnSplitCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_SPLIT, OnUpdateSplitCmd)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnUpdateNextPaneCmd)
END_MESSAGE_MAP()

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                           ::GetSysColorBrush(COLOR_WINDOW));
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(CREATESTRUCT* cs) {
    if (Default() == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    // Without a known page count only the first page prints unless a view says more.
    if (info && info->GetMaxPage() == 0xFFFF) info->m_bContinuePrinting = info->m_nCurPage == 1;
}

int CView::OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    const int result = int(Default());
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    // Clicking into a view makes it the frame's active view.
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() != this) frame->SetActiveView(this);
    return result;
}

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(); }

CScrollBar* CView::GetScrollBarCtrl(int bar) const {
    CSplitterWnd* splitter = AfxGetParentSplitter(this);
    return splitter ? splitter->GetPaneScrollBar(this, bar) : nullptr;
}

void CView::OnSplitCmd() {
    if (CSplitterWnd* splitter = AfxGetParentSplitter(this)) splitter->DoKeyboardSplit();
}

void CView::OnUpdateSplitCmd(CCmdUI* cmd_ui) {
    CSplitterWnd* splitter = AfxGetParentSplitter(this);
    cmd_ui->Enable(splitter && splitter->CanSplit());
}

void CView::OnNextPaneCmd(UINT id) {
    if (CSplitterWnd* splitter = AfxGetParentSplitter(this)) splitter->ActivateNext(id == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneCmd(CCmdUI* cmd_ui) {
    CSplitterWnd* splitter = AfxGetParentSplitter(this);
    cmd_ui->Enable(splitter && splitter->CanActivateNext());
}

void CView::OnActivateView(BOOL activate, CView* activated, CView*) {
    if (activate && activated == this && m_hWnd && ::GetFocus() != m_hWnd) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    CPrintDialog& dialog = *info->m_pPD;
    const auto page = [](UINT number) { return WORD(std::min<UINT>(number, 0xFFFF)); };
    dialog.m_pd.nMinPage = page(info->m_nMinPage);
    dialog.m_pd.nMaxPage = page(std::max(info->m_nMaxPage, info->m_nMinPage));
    dialog.m_pd.nFromPage = std::clamp(page(info->m_nFromPage), dialog.m_pd.nMinPage, dialog.m_pd.nMaxPage);
    dialog.m_pd.nToPage = std::clamp(page(info->m_nToPage), dialog.m_pd.nFromPage, dialog.m_pd.nMaxPage);
    if (dialog.DoModal() != IDOK) return FALSE;
    info->m_bSelection = dialog.PrintSelection();
    info->m_bPageRange = dialog.PrintRange();
    if (info->m_bPageRange) {
        info->m_nFromPage = UINT(dialog.GetFromPage());
        info->m_nToPage = UINT(dialog.GetToPage());
    }
    info->m_nFromPage = std::max(info->m_nFromPage, info->m_nMinPage);
    info->m_nToPage = std::min(info->m_nToPage, info->m_nMaxPage);
    return info->m_nFromPage <= info->m_nToPage;
}

int CView::PrintToPages(const char* folder, CPrintInfo* info) {
    gdi::PrinterSetup setup;
    setup.dpi = 96;
    setup.folder = folder ? folder : ".";
    CDC dc;
    if (!dc.Attach(gdi::create_printer_dc(setup))) return 0;
    dc.m_bPrinting = TRUE;
    const CString title = m_pDocument ? m_pDocument->GetTitle() : CString("page");
    DOCINFO doc{sizeof(DOCINFO), title, title, nullptr, 0};
    if (::StartDoc(dc, &doc) <= 0) return 0;
    OnBeginPrinting(&dc, info);
    int pages = 0;
    info->m_rectDraw = CRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    for (info->m_nCurPage = info->m_nFromPage; info->m_nCurPage <= info->m_nToPage; ++info->m_nCurPage) {
        OnPrepareDC(&dc, info);
        if (!info->m_bContinuePrinting) break;
        if (::StartPage(dc) <= 0) break;
        OnPrint(&dc, info);
        if (::EndPage(dc) <= 0) {
            ::AbortDoc(dc);
            OnEndPrinting(&dc, info);
            return 0;
        }
        ++pages;
    }
    OnEndPrinting(&dc, info);
    ::EndDoc(dc);
    return pages;
}

// ---- scrolling view -------------------------------------------------------

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int, SIZE total, SIZE page, SIZE line) {
    total_ = CSize(std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0));
    page_ = page;
    line_ = line;
    update_bars();
}

void CScrollView::update_bars() {
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    const CSize page(page_.cx ? page_.cx : client.Width(), page_.cy ? page_.cy : client.Height());
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_RANGE | SIF_PAGE,
                        0,
                        (bar == SB_HORZ ? total_.cx : total_.cy) - 1,
                        UINT(bar == SB_HORZ ? page.cx : page.cy),
                        0,
                        0};
        SetScrollInfo(bar, &info);
    }
}

CPoint CScrollView::GetScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

void CScrollView::ScrollToPosition(POINT position) {
    const CPoint old = GetScrollPosition();
    SetScrollPos(SB_HORZ, position.x);
    SetScrollPos(SB_VERT, position.y);
    const CPoint now = GetScrollPosition();
    ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    if (!dc->IsPrinting()) {
        const CPoint scrolled = GetScrollPosition();
        dc->SetViewportOrg(-scrolled.x, -scrolled.y);
    }
    CView::OnPrepareDC(dc, info);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
    Default();
    update_bars();
}

void CScrollView::scroll_by(int bar, UINT code, UINT thumb) {
    CRect client;
    GetClientRect(&client);
    const int page = bar == SB_HORZ ? (page_.cx ? page_.cx : client.Width()) : (page_.cy ? page_.cy : client.Height());
    const int line = bar == SB_HORZ ? (line_.cx ? line_.cx : std::max(page / 10, 1))
                                    : (line_.cy ? line_.cy : std::max(page / 10, 1));
    CPoint target = GetScrollPosition();
    int& pos = bar == SB_HORZ ? target.x : target.y;
    switch (code) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = int(thumb); break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = bar == SB_HORZ ? total_.cx : total_.cy; break;
        default: return;
    }
    const int limit = std::max(0, (bar == SB_HORZ ? total_.cx : total_.cy) - page);
    pos = std::clamp(pos, 0, limit);
    ScrollToPosition(target);
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*) { scroll_by(SB_HORZ, code, pos); }
void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*) { scroll_by(SB_VERT, code, pos); }
