#include "uikit/frames/workbook.h"

#include <algorithm>

#include "platform/afx/document.h"
#include "uikit/frames/sys_colors.h"

IMPLEMENT_DYNAMIC(SECWorkbookClient, CObject)
IMPLEMENT_DYNCREATE(SECWorksheet, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheet)
IMPLEMENT_DYNCREATE(SECWorkbook, SECMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECWorksheet, SECMDIChildWnd)
ON_WM_CREATE()
ON_WM_SHOWWINDOW()
ON_WM_MDIACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECWorkbook, SECMDIFrameWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_MESSAGE(WM_SEC_WORKBOOK_ACTIVE_CHANGED, OnActiveSheetChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kIconSize = 16;
// The margins around the MDI client in workbook mode: left, right, top, bottom (room for the tabs).
constexpr int kMarginLeft = 13, kMarginRight = 13, kMarginTop = 13, kMarginBottom = 33;
constexpr int kTabGap = 4;     // between the client's bottom edge and the tabs
constexpr int kBorderGap = 5;  // between the client and its 3-D border

void polyline(CDC* dc, std::initializer_list<CPoint> points) {
    auto it = points.begin();
    dc->MoveTo(*it);
    for (++it; it != points.end(); ++it) dc->LineTo(*it);
}

}  // namespace

// ---- the margins ------------------------------------------------------------------------

void SECWorkbookClient::SetMargins(int left, int right, int top, int bottom) {
    m_nLeftMargin = left, m_nRightMargin = right, m_nTopMargin = top, m_nBottomMargin = bottom;
}

void SECWorkbookClient::GetMargins(int* left, int* right, int* top, int* bottom) const {
    if (left) *left = m_nLeftMargin;
    if (right) *right = m_nRightMargin;
    if (top) *top = m_nTopMargin;
    if (bottom) *bottom = m_nBottomMargin;
}

void SECWorkbookClient::CalcWindowRect(RECT* rect) const {
    rect->left += m_nLeftMargin, rect->top += m_nTopMargin;
    rect->right -= m_nRightMargin, rect->bottom -= m_nBottomMargin;
}

// ---- the sheets ---------------------------------------------------------------------------

SECWorkbook* SECWorksheet::GetWorkbook() const {
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame && frame->IsKindOf(RUNTIME_CLASS(SECWorkbook)) ? static_cast<SECWorkbook*>(frame) : nullptr;
}

int SECWorksheet::OnCreate(CREATESTRUCT* cs) {
    if (SECMDIChildWnd::OnCreate(cs) == -1) return -1;
    // Every way a child is made makes it a sheet, LoadFrame or Create.
    if (SECWorkbook* workbook = GetWorkbook()) workbook->AddSheet(this);
    return 0;
}

BOOL SECWorksheet::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    if (!SECMDIChildWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
    if (CWinApp* app = AfxGetApp())
        if (HICON icon = app->LoadIcon(resource_id))
            if (SECWorkbook* workbook = GetWorkbook()) workbook->SetSheetIcon(this, icon, TRUE);
    return TRUE;
}

void SECWorksheet::OnUpdateFrameTitle(BOOL add_to_title) {
    SECMDIChildWnd::OnUpdateFrameTitle(add_to_title);
    if (SECWorkbook* workbook = GetWorkbook()) workbook->InvalidateTab(this, FALSE);
}

void SECWorksheet::OnShowWindow(BOOL show, UINT status) {
    Default();
    // Its tab and every tab after it move.
    if (SECWorkbook* workbook = GetWorkbook()) workbook->InvalidateTab(this, TRUE);
}

void SECWorksheet::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated) {
    SECMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
    if (activate)
        if (SECWorkbook* workbook = GetWorkbook()) workbook->PostMessage(WM_SEC_WORKBOOK_ACTIVE_CHANGED, 0, 0);
}

void SECWorksheet::OnDestroy() {
    if (SECWorkbook* workbook = GetWorkbook()) workbook->RemoveSheet(this);
    SECMDIChildWnd::OnDestroy();
}

// ---- the workbook ---------------------------------------------------------------------------

SECWorkbook::SECWorkbook() : m_pClient(std::make_unique<SECWorkbookClient>()) {
    // Bars moved into the MDI area become sheets too.
    m_pMDIChildBarClass = RUNTIME_CLASS(SECControlBarWorksheet);
}

SECWorkbook::~SECWorkbook() = default;

// The 3-D border round the MDI area in workbook mode.
int SECWorkbook::GetClientBorder() const { return m_bWorkbookMode ? (sec_sys_colors().new_shell ? 2 : 1) : 0; }

void SECWorkbook::SetWorkbookMode(BOOL on) {
    m_bWorkbookMode = on;
    if (on) {
        m_pClient->SetMargins(kMarginLeft, kMarginRight, kMarginTop, kMarginBottom);
    } else {
        m_pClient->SetMargins(0, 0, 0, 0);
    }
    if (m_hWnd) {
        RecalcLayout(TRUE);
        Invalidate();
    }
}

BOOL SECWorkbook::CreateClient(CREATESTRUCT* cs, CMenu* window_menu) {
    if (!SECMDIFrameWnd::CreateClient(cs, window_menu)) return FALSE;
    make_drawing_tools();
    return TRUE;
}

void SECWorkbook::make_drawing_tools() {
    if (!m_fontTab.m_hObject && !m_fontTab.CreateStockObject(ANSI_VAR_FONT)) m_fontTab.CreateStockObject(SYSTEM_FONT);
    if (m_penHighlight.m_hObject) return;
    m_penHighlight.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    m_penDark.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
}

CRect SECWorkbook::client_rect() const {
    CRect rect;
    if (!m_hWndMDIClient) return rect;
    ::GetWindowRect(m_hWndMDIClient, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SECWorkbook::GetWorkbookArea(CRect& rect) const {
    rect = client_rect();
    rect.left -= m_pClient->m_nLeftMargin, rect.top -= m_pClient->m_nTopMargin;
    rect.right += m_pClient->m_nRightMargin, rect.bottom += m_pClient->m_nBottomMargin;
}

CRect SECWorkbook::layout_area() const {
    CRect area;
    const_cast<SECWorkbook*>(this)->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &area);
    return area;
}

void SECWorkbook::RecalcLayout(BOOL notify) {
    // The frame's border around the left-over area holds the client's margins.
    m_rectBorder =
        CRect(m_pClient->m_nLeftMargin, m_pClient->m_nTopMargin, m_pClient->m_nRightMargin, m_pClient->m_nBottomMargin);
    SECMDIFrameWnd::RecalcLayout(notify);
    if (!m_bWorkbookMode || !m_hWnd) return;
    const CRect area = layout_area();
    if (area == m_rectLastLayout) return;
    if (!m_sheets.empty()) m_nTabWidth = compute_tab_width();
    Invalidate();
    m_rectLastLayout = area;
}

int SECWorkbook::compute_tab_width() const {
    if (m_sheets.empty()) return m_nTabWidth;
    return std::min((client_rect().Width() + 5) / GetSheetCount(), m_nMaxTabWidth);
}

bool SECWorkbook::tab_is_active(SECWorksheet* sheet) const {
    return sheet->m_bPressed || const_cast<SECWorkbook*>(this)->MDIGetActive() == sheet;
}

SECWorkbook::TabPolygon SECWorkbook::GetTabPolygon(SECWorksheet* sheet) const {
    const CRect rc = client_rect();
    int hidden_before = 0;
    for (int i = 0; i < sheet->m_nTabIndex && i < GetSheetCount(); ++i)
        hidden_before += m_sheets[std::size_t(i)]->IsWindowVisible() ? 0 : 1;
    const int index = sheet->m_nTabIndex - hidden_before;
    const int a = tab_is_active(sheet) ? 1 : 0;
    const int w = m_nTabWidth, h = m_nTabHeight, s = m_nTabSlant;
    TabPolygon p;
    p[0] = CPoint(index * w - (m_nActiveExtraWidth / 2) * a + rc.left, rc.bottom + kTabGap);
    p[1] = CPoint(p[0].x, p[0].y + h - s);
    p[2] = CPoint(p[1].x + s, p[1].y + s + m_nActiveExtraHeight * a);
    p[3] = CPoint(p[2].x + w + m_nActiveExtraWidth * a - 2 * s, p[2].y);
    p[4] = CPoint(p[3].x + s, p[1].y);
    p[5] = CPoint(p[4].x, p[0].y);
    p[6] = p[0];
    return p;
}

CRect SECWorkbook::GetTabTextRect(const TabPolygon& p, int icon_width) const {
    return CRect(p[2].x + icon_width + 3, p[0].y, p[4].x - 2, p[3].y);
}

CString SECWorkbook::GetSheetLabel(SECWorksheet* sheet) const {
    if (CDocument* document = sheet->GetActiveDocument()) return document->GetTitle();
    return sheet->GetWindowText();
}

CString SECWorkbook::FitTabLabel(CDC* dc, CString label, int width) const {
    // One character less at a time, ending in three dots; a short label is never cut.
    while (label.GetLength() >= 4 && dc->GetTextExtent(label).cx > width)
        label = label.Left(label.GetLength() - 4) + "...";
    return label;
}

BOOL SECWorkbook::TabLabelFits(SECWorksheet* sheet) {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_fontTab);
    const CRect text = GetTabTextRect(GetTabPolygon(sheet), kIconSize);
    const BOOL fits = dc.GetTextExtent(GetSheetLabel(sheet)).cx <= text.Width();
    dc.SelectObject(old);
    return fits;
}

HICON SECWorkbook::GetSheetIcon(SECWorksheet* sheet) const { return m_bShowIcons ? sheet->m_hIcon : nullptr; }

void SECWorkbook::SetSheetIcon(SECWorksheet* sheet, HICON icon, BOOL redraw) {
    sheet->m_hIcon = icon;
    if (redraw && m_bWorkbookMode) InvalidateTab(sheet, FALSE);
}

// ---- adding and removing sheets ---------------------------------------------------------------

void SECWorkbook::invalidate_tabs(int from_x, bool to_right_edge) {
    if (!m_hWnd) return;
    CRect frame_client;
    GetClientRect(&frame_client);
    const int top = client_rect().bottom + kTabGap;
    CRect strip(from_x, top, to_right_edge ? frame_client.right : from_x, top + m_nTabHeight + 4);
    InvalidateRect(&strip, TRUE);
}

void SECWorkbook::InvalidateTab(SECWorksheet* sheet, BOOL to_right_edge) {
    if (!m_hWnd) return;
    const TabPolygon p = GetTabPolygon(sheet);
    CRect frame_client;
    GetClientRect(&frame_client);
    const int top = client_rect().bottom + kTabGap;
    CRect tab(p[0].x - 2, top, to_right_edge ? frame_client.right : p[0].x + m_nTabWidth + 4, top + m_nTabHeight + 4);
    InvalidateRect(&tab, TRUE);
}

void SECWorkbook::AddSheet(SECWorksheet* sheet) {
    if (!sheet || std::find(m_sheets.begin(), m_sheets.end(), sheet) != m_sheets.end()) return;
    if (m_sheets.empty() && m_hWnd) EnableToolTips(TRUE);
    sheet->m_nTabIndex = GetSheetCount();
    m_sheets.push_back(sheet);
    const int width = compute_tab_width();
    if (width != m_nTabWidth) {
        m_nTabWidth = width;
        if (m_bWorkbookMode) invalidate_tabs(0, true);
    } else if (m_bWorkbookMode) {
        if (GetSheetCount() >= 2) {
            InvalidateTab(sheet, FALSE);
        } else if (m_hWnd) {
            Invalidate();
        }
    }
}

void SECWorkbook::RemoveSheet(SECWorksheet* sheet) {
    const auto found = std::find(m_sheets.begin(), m_sheets.end(), sheet);
    if (found == m_sheets.end()) return;
    if (m_bWorkbookMode && !m_sheets.empty()) InvalidateTab(sheet, TRUE);
    m_sheets.erase(found);
    for (int i = 0; i < GetSheetCount(); ++i) m_sheets[std::size_t(i)]->m_nTabIndex = i;
    if (m_nLastActiveTab >= GetSheetCount()) m_nLastActiveTab = 0;
    if (!m_sheets.empty()) {
        const int width = compute_tab_width();
        if (width != m_nTabWidth) {
            m_nTabWidth = width;
            if (m_bWorkbookMode) invalidate_tabs(0, true);
        }
    } else if (m_bWorkbookMode && m_hWnd) {
        Invalidate();
    }
}

LRESULT SECWorkbook::OnActiveSheetChanged(WPARAM, LPARAM) {
    if (!m_bWorkbookMode) return 0;
    if (m_nLastActiveTab < GetSheetCount()) InvalidateTab(m_sheets[std::size_t(m_nLastActiveTab)], FALSE);
    BOOL maximized = FALSE;
    CMDIChildWnd* active = MDIGetActive(&maximized);
    const auto found = std::find(m_sheets.begin(), m_sheets.end(), active);
    if (found != m_sheets.end()) {
        InvalidateTab(*found, TRUE);
        m_nLastActiveTab = int(found - m_sheets.begin());
    }
    if (!maximized) UpdateWindow();
    return 0;
}

// ---- painting -------------------------------------------------------------------------------

void SECWorkbook::DrawTab(CDC* dc, SECWorksheet* sheet) {
    const TabPolygon p = GetTabPolygon(sheet);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    CBrush* old_brush = dc->SelectObject(&face);
    CPen* old_pen = dc->SelectObject(&m_penFace);
    dc->Polygon(p.data(), int(p.size()));
    dc->SelectObject(&m_penShadow);
    polyline(dc, {CPoint(p[1].x + 1, p[1].y - 1), CPoint(p[2].x, p[2].y - 2), CPoint(p[3].x, p[3].y - 2),
                  CPoint(p[4].x - 2, p[4].y - 1), CPoint(p[5].x - 2, p[5].y), p[5]});
    dc->SelectObject(&m_penHighlight);
    polyline(dc, {CPoint(p[0].x, p[0].y + 1), CPoint(p[1].x, p[1].y - 1)});
    dc->SelectObject(&m_penDark);
    polyline(dc, {CPoint(p[2].x + 1, p[2].y - 1), CPoint(p[3].x, p[3].y - 1), CPoint(p[4].x - 1, p[4].y - 1),
                  CPoint(p[5].x - 1, p[5].y)});
    dc->SelectObject(old_pen);
    dc->SelectObject(old_brush);
}

void SECWorkbook::DrawTabLabel(CDC* dc, SECWorksheet* sheet) {
    const TabPolygon p = GetTabPolygon(sheet);
    const int icon_width = m_bShowIcons ? kIconSize : 0;
    if (HICON icon = GetSheetIcon(sheet))
        ::DrawIconEx(dc->GetSafeHdc(), p[2].x + 1, p[0].y + 4, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    CRect text = GetTabTextRect(p, icon_width);
    CFont* old = dc->SelectObject(&m_fontTab);
    const CString label = FitTabLabel(dc, GetSheetLabel(sheet), text.Width());
    if (!label.IsEmpty()) {
        dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc->DrawText(label, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc->SelectObject(old);
}

void SECWorkbook::DrawClientBorder(CDC* dc) {
    const CRect rc = client_rect();
    CRect r = rc;
    r.InflateRect(kBorderGap, kBorderGap);
    CPen* old = dc->SelectObject(&m_penShadow);
    polyline(dc, {CPoint(r.left + 1, r.bottom - 1), CPoint(r.right - 1, r.bottom - 1), CPoint(r.right - 1, r.top + 1)});
    dc->SelectObject(&m_penHighlight);
    polyline(dc, {CPoint(r.right - 1, r.top), CPoint(r.left, r.top), CPoint(r.left, r.bottom)});
    dc->SelectObject(&m_penDark);
    polyline(dc, {CPoint(r.left, r.bottom), CPoint(r.right, r.bottom), CPoint(r.right, r.top)});
    // An etched line across the top of the margins.
    const int left = rc.left - m_pClient->m_nLeftMargin, right = rc.right + m_pClient->m_nRightMargin;
    const int top = rc.top - m_pClient->m_nTopMargin;
    dc->SelectObject(&m_penShadow);
    polyline(dc, {CPoint(left, top), CPoint(right, top)});
    dc->SelectObject(&m_penHighlight);
    polyline(dc, {CPoint(left, top + 1), CPoint(right, top + 1)});
    dc->SelectObject(old);
}

void SECWorkbook::OnPaint() {
    CPaintDC dc(this);
    if (!m_bWorkbookMode || !m_hWndMDIClient) return;
    CRect inside;
    ::GetClientRect(m_hWndMDIClient, &inside);
    if (inside.IsRectEmpty()) return;
    dc.SetBkMode(TRANSPARENT);
    for (SECWorksheet* sheet : m_sheets) {
        if (!sheet->IsWindowVisible()) continue;
        DrawTab(&dc, sheet);
        DrawTabLabel(&dc, sheet);
    }
    DrawClientBorder(&dc);
    // The active tab lies over its neighbours.
    CMDIChildWnd* active = MDIGetActive();
    const auto found = std::find(m_sheets.begin(), m_sheets.end(), active);
    if (found != m_sheets.end() && (*found)->IsWindowVisible()) {
        DrawTab(&dc, *found);
        DrawTabLabel(&dc, *found);
    }
    if (m_bRepaintWholeArea) {
        const CRect rc = client_rect();
        if (rc != m_rectLastLayout) {
            m_rectLastLayout = rc;
            Invalidate(FALSE);
        }
    }
}

BOOL SECWorkbook::OnEraseBkgnd(CDC* dc) {
    CRect area = layout_area();
    if (area.IsRectEmpty()) return TRUE;
    if (m_bRepaintWholeArea) GetWorkbookArea(area);
    const CRect client = client_rect();
    dc->ExcludeClipRect(&client);
    dc->FillSolidRect(&area, ::GetSysColor(COLOR_BTNFACE));
    // Where the area stops short of the frame's edge, a raised line closes it.
    CRect frame_client;
    GetClientRect(&frame_client);
    if (area.bottom < frame_client.bottom) {
        dc->FillSolidRect(area.left, area.bottom - 1, area.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->FillSolidRect(area.left, area.bottom - 2, area.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    }
    if (area.right < frame_client.right) {
        dc->FillSolidRect(area.right - 1, area.top, 1, area.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->FillSolidRect(area.right - 2, area.top, 1, area.Height(), ::GetSysColor(COLOR_BTNSHADOW));
    }
    return TRUE;
}

bool SECWorkbook::tab_contains(SECWorksheet* sheet, CPoint point) const {
    const TabPolygon p = GetTabPolygon(sheet);
    CRgn tab;
    return tab.CreatePolygonRgn(p.data(), int(p.size()), ALTERNATE) && tab.PtInRegion(point);
}

// ---- the mouse ------------------------------------------------------------------------------

void SECWorkbook::OnLButtonDown(UINT flags, CPoint point) {
    if (m_bWorkbookMode) {
        CMDIChildWnd* active = MDIGetActive();
        for (SECWorksheet* sheet : m_sheets) {
            if (sheet == active || !sheet->IsWindowVisible()) continue;
            if (!tab_contains(sheet, point)) continue;
            if (AllowSheetActivation(sheet)) {
                sheet->m_bPressed = TRUE;
                UpdateWindow();
                sheet->ActivateFrame(-1);
            }
            return;
        }
    }
    Default();
}

void SECWorkbook::OnLButtonUp(UINT flags, CPoint point) {
    if (m_bWorkbookMode)
        for (SECWorksheet* sheet : m_sheets) sheet->m_bPressed = FALSE;
    Default();
}

int SECWorkbook::OnToolHitTest(CPoint point, ToolHit* hit) const {
    auto* self = const_cast<SECWorkbook*>(this);
    for (SECWorksheet* sheet : m_sheets) {
        if (!tab_contains(sheet, point)) continue;
        if (self->TabLabelFits(sheet)) return -1;
        const TabPolygon p = GetTabPolygon(sheet);
        CRect bounds(p[0].x, p[0].y, p[0].x, p[0].y);
        for (const CPoint& corner : p) {
            bounds.left = std::min<int>(bounds.left, corner.x), bounds.right = std::max<int>(bounds.right, corner.x);
            bounds.top = std::min<int>(bounds.top, corner.y), bounds.bottom = std::max<int>(bounds.bottom, corner.y);
        }
        if (hit) {
            hit->id = UINT(sheet->m_nTabIndex + 1);
            hit->rect = bounds;
            hit->text = GetSheetLabel(sheet);
        }
        return sheet->m_nTabIndex + 1;
    }
    return -1;
}

void SECWorkbook::OnDestroy() {
    m_sheets.clear();
    SECMDIFrameWnd::OnDestroy();
}
