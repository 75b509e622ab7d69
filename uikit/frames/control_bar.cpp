#include "uikit/frames/control_bar.h"

#include "uikit/frames/dock_context.h"

#include <algorithm>

#include "platform/res/resources.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/sys_colors.h"

const kit::res::Module& frames_resources();

IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_CONTEXTMENU()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_COMMAND(ID_SEC_ALLOW_DOCKING, OnAllowDocking)
ON_COMMAND(ID_SEC_HIDE_BAR, OnHideBar)
ON_COMMAND(ID_SEC_FLOAT_IN_MAIN, OnFloatInMain)
END_MESSAGE_MAP()

const CSize SECControlBar::kDefaultSize(300, 180);

void sec_register_frames_resources() {
    static const bool registered = (kit::res::register_module(&frames_resources()), true);
    (void)registered;
}

// ---- gripper -------------------------------------------------------------------

SECGripperInfo::SECGripperInfo() {
    sec_register_frames_resources();
    m_strHideTip.LoadString(IDS_SEC_HIDE_TIP);
    m_strExpandTip.LoadString(IDS_SEC_EXPAND_TIP);
    m_strContractTip.LoadString(IDS_SEC_CONTRACT_TIP);
}

int SECGripperInfo::GetWidth() const {
    return m_nHorzLeading + m_nHorzLine1 + m_nHorzGap + m_nHorzLine2 + m_nHorzTrailing;
}

int SECGripperInfo::GetHeight() const {
    return m_nVertLeading + m_nVertLine1 + m_nVertGap + m_nVertLine2 + m_nVertTrailing;
}

// ---- creation ------------------------------------------------------------------

SECControlBar::SECControlBar() { sec_register_frames_resources(); }

SECControlBar::~SECControlBar() {
    if (m_hWnd) DestroyWindow();
}

BOOL SECControlBar::Create(CWnd* parent, const char* title, DWORD style, DWORD ex_style, UINT id,
                           CCreateContext* context) {
    return CreateEx(nullptr, title, id, style, ex_style, CRect(0, 0, 0, 0), parent, context);
}

BOOL SECControlBar::CreateEx(const char*, const char* title, UINT id, DWORD style, DWORD ex_style, const RECT&,
                             CWnd* parent, CCreateContext*) {
    m_dwExStyle = ex_style;
    if (!create_bar(title, style, style, parent, id)) return FALSE;
    if (m_dwExStyle & CBRS_EX_PROPORTIONAL) record_child_layout();
    m_szHorzDock = m_szVertDock = m_szFloat = kDefaultSize;
    EnableToolTips(TRUE);
    return TRUE;
}

CDockContext* SECControlBar::CreateDockContext() { return new SECDockContext(this); }

void SECControlBar::EnableDocking(DWORD sides) {
    CControlBar::EnableDocking(sides);
    if (!m_pDockContext) m_pDockContext = CreateDockContext();
    // The owner stays the frame when the bar moves into a dock bar or a floating frame.
    if (m_hWnd) SetOwner(GetOwner());
}

UINT FindUnusedBarID(CFrameWnd* frame, UINT first) {
    if (!frame) return 0;
    // Not the id of another child either (the MDI area's is 0xE900): a saved layout naming a bar by
    // such an id could not be told from that window.
    for (UINT id = first; id < first + 1000; ++id)
        if (!frame->GetControlBar(id) && !::GetDlgItem(frame->m_hWnd, int(id))) return id;
    return 0;
}

SECDockBar* sec_dock_bar_of(const CControlBar* bar) {
    if (!bar || !bar->m_pDockBar || !bar->m_pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar))) return nullptr;
    return static_cast<SECDockBar*>(bar->m_pDockBar);
}

SECDockBar* SECControlBar::GetSECDockBar() const { return sec_dock_bar_of(this); }

BOOL SECControlBar::IsMDIChild() const {
    SECDockBar* dock_bar = GetSECDockBar();
    return dock_bar && dock_bar->m_bMDIChild;
}

// ---- extended style and the child record ---------------------------------------

void SECControlBar::SetExBarStyle(DWORD ex_style, BOOL redraw) {
    const DWORD old = m_dwExStyle;
    if (IsFloating()) {
        if (CWnd* floating = GetParentFrame()) {
            const bool fixed = (ex_style & CBRS_EX_FIXEDSIZE) != 0;
            // Fixed-size bars float in a frame with the thin four-sided border; the others can be sized.
            floating->ModifyStyle(fixed ? 0x400 | WS_THICKFRAME : 0x200, fixed ? 0x200 : 0x400 | WS_THICKFRAME,
                                  SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    if (!((old & CBRS_EX_PROPORTIONAL) && (ex_style & CBRS_EX_PROPORTIONAL))) {
        m_dwExStyle = ex_style;
        if (ex_style & CBRS_EX_PROPORTIONAL) {
            record_child_layout();
        } else {
            free_child_layout();
        }
    }
    m_dwExStyle = ex_style;
    if (old != ex_style && redraw && m_hWnd) ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SECControlBar::ModifyExBarStyle(DWORD remove, DWORD add, BOOL redraw) {
    SetExBarStyle((m_dwExStyle & ~remove) | add, redraw);
}

void SECControlBar::record_child_layout() {
    free_child_layout();
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    child_rects_.push_back({nullptr, client});
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CRect place;
        ::GetWindowRect(child, &place);
        ScreenToClient(&place);
        child_rects_.push_back({child, place});
    }
    has_child_record_ = true;
}

void SECControlBar::free_child_layout() {
    child_rects_.clear();
    has_child_record_ = false;
}

// ---- sizes ---------------------------------------------------------------------

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL horz) {
    // A floating frame sizes itself to its bar's floating size.
    if (IsFloating()) return m_szFloat;
    return horz ? m_szHorzDock : m_szVertDock;
}

CSize SECControlBar::CalcDynamicLayout(int length, DWORD mode) {
    if (mode & LM_COMMIT) {
        if (mode & LM_STRETCH) length = int(float(length) * m_fPctWidth);
        CSize* size = (mode & LM_HORZDOCK) ? &m_szHorzDock : (mode & LM_VERTDOCK) ? &m_szVertDock : &m_szFloat;
        (mode & LM_LENGTHY ? size->cy : size->cx) = length;
        if (!(mode & (LM_HORZDOCK | LM_VERTDOCK)) && !(mode & LM_LENGTHY)) m_sizeMRU.cx = length;
    }
    if (!(mode & (LM_HORZDOCK | LM_VERTDOCK))) return m_szFloat;
    return CalcFixedLayout(mode & LM_STRETCH, mode & LM_HORZ);
}

bool SECControlBar::gripper_shown() const { return (m_dwExStyle & CBRS_EX_GRIPPER) && !IsFloating(); }

void SECControlBar::GetInsideRect(CRect& rect) const {
    GetClientRect(&rect);
    const int margin = m_gripper.m_nMargin;
    if (gripper_shown()) {
        if (!docked_across()) {
            rect.top += m_gripper.GetHeight();
            rect.left += margin;
        } else {
            rect.left += m_gripper.GetWidth();
            rect.top += margin;
        }
        rect.right -= margin;
        rect.bottom -= margin;
    } else if (m_dwExStyle & CBRS_EX_INSET) {
        rect.DeflateRect(m_rectBorder.left, m_rectBorder.top, m_rectBorder.right, m_rectBorder.bottom);
    }
}

int SECControlBar::AdjustForGripper(CRect& rect, BOOL horz) const {
    if (horz) {
        rect.left += m_gripper.GetWidth();
        return m_gripper.GetWidth();
    }
    rect.top += m_gripper.GetHeight();
    return m_gripper.GetHeight();
}

void SECControlBar::CalcInsideRect(CRect& rect, BOOL horz, BOOL gripper_when_vert) const {
    if (!(m_dwExStyle & CBRS_EX_FLATBORDERS)) {
        CControlBar::CalcInsideRect(rect, horz);
        return;
    }
    const DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT) rect.left += 1;
    if (style & CBRS_BORDER_TOP) rect.top += 1;
    if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
    const bool gripper = (m_dwExStyle & CBRS_EX_GRIPPER) && !IsFloating();
    if (horz) {
        if (gripper) {
            AdjustForGripper(rect, TRUE);
        } else {
            rect.left += m_cxLeftBorder;
        }
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        if (gripper_when_vert && gripper) {
            AdjustForGripper(rect, FALSE);
        } else {
            rect.top += m_cxLeftBorder;
        }
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

// ---- size of the children ------------------------------------------------------

void SECControlBar::OnSize(UINT type, int cx, int cy) {
    if (type != SIZE_MINIMIZED && cx > 0 && cy > 0) {
        const int margin = m_gripper.m_nMargin;
        int x = 0, y = 0, w = cx, h = cy;
        const bool gripper = (m_dwExStyle & CBRS_EX_GRIPPER) != 0 && !IsFloating();
        if (gripper && docked_across()) {
            x = m_gripper.GetWidth(), y = margin;
            w = cx - margin <= m_gripper.GetWidth() ? 0 : cx - (m_gripper.GetWidth() + margin);
            h = std::max(0, cy - 2 * margin);
        } else if (gripper) {
            x = margin, y = m_gripper.GetHeight();
            w = std::max(0, cx - 2 * margin);
            h = cy - margin <= m_gripper.GetHeight() ? 0 : cy - (m_gripper.GetHeight() + margin);
        } else if (m_dwExStyle & CBRS_EX_INSET) {
            x = m_rectBorder.left, y = m_rectBorder.top;
            w = std::max<int>(0, cx - m_rectBorder.right - m_rectBorder.left);
            h = std::max<int>(0, cy - m_rectBorder.bottom - m_rectBorder.top);
        }
        const int w0 = has_child_record_ ? child_rects_[0].rect.Width() : 0;
        const int h0 = has_child_record_ ? child_rects_[0].rect.Height() : 0;
        if ((m_dwExStyle & CBRS_EX_PROPORTIONAL) && has_child_record_) {
            // A record taken before the bar had a size scales nothing: there is nothing to divide by.
            if (w0 > 0 && h0 > 0) {
                HDWP dwp = ::BeginDeferWindowPos(int(child_rects_.size()));
                for (std::size_t i = 1; i < child_rects_.size(); ++i) {
                    const CRect& r = child_rects_[i].rect;
                    if (!::IsWindow(child_rects_[i].hwnd)) continue;
                    const int left = r.left * w / w0 + x, top = r.top * h / h0 + y;
                    const int right = r.right * w / w0 + x, bottom = r.bottom * h / h0 + y;
                    dwp = ::DeferWindowPos(dwp, child_rects_[i].hwnd, nullptr, left, top, right - left, bottom - top,
                                           SWP_NOZORDER | SWP_NOACTIVATE);
                }
                ::EndDeferWindowPos(dwp);
                if (IsFloating()) Invalidate();
            }
        } else if ((m_dwExStyle & CBRS_EX_FILL_CHILD) && !IsFloating()) {
            if (HWND child = ::GetTopWindow(m_hWnd))
                ::SetWindowPos(child, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Default();
}

// ---- painting ------------------------------------------------------------------

void SECControlBar::DoPaint(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    DrawBorders(dc, client);
    if (m_hWndRedraw && ::IsWindow(m_hWndRedraw))
        ::RedrawWindow(m_hWndRedraw, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL SECControlBar::OnEraseBkgnd(CDC* dc) {
    const SECSysColors& colours = sec_sys_colors();
    CRect area;
    GetClientRect(&area);
    if (!(m_dwExStyle & CBRS_EX_INSET)) {
        dc->FillSolidRect(&area, colours.face);
        return TRUE;
    }
    // Only the strips around the inside: the contents paint the rest.
    CRect inside;
    GetInsideRect(inside);
    dc->FillSolidRect(area.left, area.top, area.Width(), inside.top - area.top, colours.face);
    dc->FillSolidRect(area.left, inside.bottom, area.Width(), area.bottom - inside.bottom, colours.face);
    dc->FillSolidRect(area.left, inside.top, inside.left - area.left, inside.Height(), colours.face);
    dc->FillSolidRect(inside.right, inside.top, area.right - inside.right, inside.Height(), colours.face);
    return TRUE;
}

void SECControlBar::DrawBorders(CDC* dc, CRect& rect) {
    const DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY)) return;
    const SECSysColors& colours = sec_sys_colors();
    if (m_dwExStyle & CBRS_EX_FLATBORDERS) {
        if (style & CBRS_BORDER_LEFT) rect.left += 1;
        if (style & CBRS_BORDER_TOP) rect.top += 1;
        if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
        if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
        if (m_dwExStyle & CBRS_EX_GRIPPER) DrawGripper(dc, rect);
        return;
    }
    const bool classic = (m_dwExStyle & CBRS_EX_BORDER3D) != 0;
    const COLORREF dark = classic ? (colours.new_shell ? colours.shadow : colours.frame) : colours.face;
    const COLORREF light = classic ? colours.highlight : colours.face;
    CRect r = rect;
    if (style & CBRS_BORDER_3D) {
        r.right -= 1;
        r.bottom -= 1;
    }
    if (style & CBRS_BORDER_LEFT) dc->FillSolidRect(r.left, r.top, 1, r.Height(), dark);
    if (style & CBRS_BORDER_TOP) dc->FillSolidRect(r.left, r.top, r.Width(), 1, dark);
    if (style & CBRS_BORDER_RIGHT) dc->FillSolidRect(r.right - 1, r.top, 1, r.Height(), dark);
    if (style & CBRS_BORDER_BOTTOM) dc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, dark);
    if (style & CBRS_BORDER_3D) {
        if (style & CBRS_BORDER_LEFT) dc->FillSolidRect(r.left + 1, r.top + 1, 1, r.Height() - 1, light);
        if (style & CBRS_BORDER_TOP) dc->FillSolidRect(r.left + 1, r.top + 1, r.Width() - 1, 1, light);
        if (style & CBRS_BORDER_RIGHT) dc->FillSolidRect(r.right, r.top, 1, r.Height() + 1, light);
        if (style & CBRS_BORDER_BOTTOM) dc->FillSolidRect(r.left, r.bottom, r.Width() + 1, 1, light);
    }
    const int bx = ::GetSystemMetrics(SM_CXBORDER), by = ::GetSystemMetrics(SM_CYBORDER);
    if (style & CBRS_BORDER_LEFT) rect.left += bx;
    if (style & CBRS_BORDER_TOP) rect.top += by;
    if (style & CBRS_BORDER_RIGHT) rect.right -= bx;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= by;
}

void SECControlBar::DrawGripper(CDC* dc, const CRect& rect) {
    if (IsFloating()) return;
    const SECSysColors& colours = sec_sys_colors();
    const int margin = m_gripper.m_nMargin;
    CRect strip = rect;
    strip.DeflateRect(1, 1);
    if (docked_across()) {
        strip.right = strip.left + m_gripper.GetWidth();
        strip.top += margin;
        strip.bottom -= margin;
        if (m_dwExStyle & CBRS_EX_HIDE_BUTTON) DrawHideButton(dc, strip, TRUE);
        if (m_dwExStyle & CBRS_EX_EXPAND_BUTTON) DrawExpandButton(dc, strip, TRUE);
        for (int x : {strip.left + 4, strip.left + 4 + 3 + 1}) {
            const CRect line(x, strip.top, x + 3, strip.bottom);
            dc->Draw3dRect(&line, colours.highlight, colours.shadow);
        }
    } else {
        strip.bottom = strip.top + m_gripper.GetHeight();
        strip.left += margin;
        strip.right -= margin;
        if (m_dwExStyle & CBRS_EX_HIDE_BUTTON) DrawHideButton(dc, strip, FALSE);
        if (m_dwExStyle & CBRS_EX_EXPAND_BUTTON) DrawExpandButton(dc, strip, FALSE);
        for (int y : {strip.top + 4, strip.top + 8}) {
            const CRect line(strip.left, y, strip.right, y + 3);
            dc->Draw3dRect(&line, colours.highlight, colours.shadow);
        }
    }
}

namespace {

// A square button at the free end of the gripper strip; the strip gives up its room.
CRect place_button(CRect& strip, BOOL horz) {
    CRect button;
    if (horz) {
        button.left = std::max<LONG>(0, strip.left + 4 - 2);
        button.right = std::min<LONG>(strip.right, strip.right - 6 + 2);
        button.top = strip.top;
        button.bottom = button.top + (button.right - button.left);
        strip.top = button.bottom + 2;
    } else {
        button.top = std::max<LONG>(0, strip.top + 4 - 2);
        button.bottom = std::min<LONG>(strip.bottom, strip.bottom - 6 + 2);
        button.right = strip.right;
        button.left = button.right - (button.bottom - button.top);
        strip.right = button.left - 2;
    }
    return button;
}

}  // namespace

void SECControlBar::DrawHideButton(CDC* dc, CRect& rect, BOOL horz) {
    m_rectHideBtn = place_button(rect, horz);
    DrawHideButtonUp(dc);
}

void SECControlBar::DrawHideButtonDown(CDC* dc) {
    CRect r = m_rectHideBtn;
    ::DrawFrameControl(dc->m_hDC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
}

void SECControlBar::DrawHideButtonUp(CDC* dc) {
    CRect r = m_rectHideBtn;
    ::DrawFrameControl(dc->m_hDC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

void SECControlBar::DrawExpandButton(CDC* dc, CRect& rect, BOOL horz) {
    UpdateExpandButton(horz);
    m_rectExpandBtn = place_button(rect, horz);
    DrawExpandButtonUp(dc);
}

void SECControlBar::UpdateExpandButton(BOOL horz) {
    m_bExpandBtnHorz = horz;
    SECDockBar* dock_bar = GetSECDockBar();
    m_bCanExpand = !(dock_bar && dock_bar->IsBarExpanded(this));
    m_bExpandBtnEnabled = dock_bar && !dock_bar->IsBarAloneInRow(this);
}

namespace {

UINT expand_arrow(const SECControlBar& bar) {
    // A bar docked across a row of a top or bottom dock bar grows sideways.
    if (bar.m_bExpandBtnHorz) return bar.m_bCanExpand ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    return bar.m_bCanExpand ? DFCS_SCROLLDOWN : DFCS_SCROLLUP;
}

}  // namespace

void SECControlBar::DrawExpandButtonDown(CDC* dc) {
    CRect r = m_rectExpandBtn;
    r.left -= 1, r.top -= 1;
    ::DrawFrameControl(dc->m_hDC, &r, DFC_SCROLL,
                       expand_arrow(*this) | DFCS_PUSHED | (m_bExpandBtnEnabled ? 0 : DFCS_INACTIVE));
}

void SECControlBar::DrawExpandButtonUp(CDC* dc) {
    CRect r = m_rectExpandBtn;
    r.left -= 1, r.top -= 1;
    ::DrawFrameControl(dc->m_hDC, &r, DFC_SCROLL, expand_arrow(*this) | (m_bExpandBtnEnabled ? 0 : DFCS_INACTIVE));
}

// ---- gripper buttons -------------------------------------------------------------

void SECControlBar::set_button_down(BOOL& flag, const CRect&, bool down, bool hide_button) {
    flag = down;
    CClientDC dc(this);
    if (hide_button) {
        down ? DrawHideButtonDown(&dc) : DrawHideButtonUp(&dc);
    } else {
        down ? DrawExpandButtonDown(&dc) : DrawExpandButtonUp(&dc);
    }
}

void SECControlBar::OnLButtonDown(UINT flags, CPoint point) {
    const bool on_hide = (m_dwExStyle & CBRS_EX_HIDE_BUTTON) && m_rectHideBtn.PtInRect(point);
    const bool on_expand = (m_dwExStyle & CBRS_EX_EXPAND_BUTTON) && m_rectExpandBtn.PtInRect(point);
    if ((on_hide || on_expand) && IsFloating()) {
        // A floating bar shows no gripper: where its buttons were is only the bar.
        m_bHideBtnDown = m_bExpandBtnDown = FALSE;
        return;
    }
    if (on_hide) {
        if (!m_bHideBtnDown && CanHideBar()) {
            set_button_down(m_bHideBtnDown, m_rectHideBtn, true, true);
            SetCapture();
        }
        return;
    }
    if (on_expand) {
        if (m_bExpandBtnEnabled && !m_bExpandBtnDown && CanExpandBar()) {
            set_button_down(m_bExpandBtnDown, m_rectExpandBtn, true, false);
            SetCapture();
        }
        return;
    }
    if (m_bHideBtnDown) set_button_down(m_bHideBtnDown, m_rectHideBtn, false, true);
    if (m_bExpandBtnDown) set_button_down(m_bExpandBtnDown, m_rectExpandBtn, false, false);
    // Anywhere else the press drags the bar.
    if (m_pDockContext) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void SECControlBar::OnLButtonDblClk(UINT flags, CPoint point) {
    if (((m_dwExStyle & CBRS_EX_HIDE_BUTTON) && m_rectHideBtn.PtInRect(point)) ||
        ((m_dwExStyle & CBRS_EX_EXPAND_BUTTON) && m_rectExpandBtn.PtInRect(point)))
        return;
    // A double click floats a docked bar and docks a floating one.
    if (m_pDockContext && (m_dwDockStyle & CBRS_ALIGN_ANY)) {
        m_pDockContext->ToggleDocking();
        return;
    }
    OnLButtonDown(flags, point);
}

void SECControlBar::OnLButtonUp(UINT flags, CPoint point) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_bHideBtnDown && m_rectHideBtn.PtInRect(point)) {
        set_button_down(m_bHideBtnDown, m_rectHideBtn, false, true);
        if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (m_bExpandBtnDown && m_bExpandBtnEnabled && m_rectExpandBtn.PtInRect(point)) {
        set_button_down(m_bExpandBtnDown, m_rectExpandBtn, false, false);
        if (SECDockBar* dock_bar = GetSECDockBar())
            dock_bar->ExpandBar(this, m_bCanExpand ? SECDockBar::kExpand : SECDockBar::kContract);
        return;
    }
    if (m_bHideBtnDown) set_button_down(m_bHideBtnDown, m_rectHideBtn, false, true);
    if (m_bExpandBtnDown) set_button_down(m_bExpandBtnDown, m_rectExpandBtn, false, false);
    Default();
}

int SECControlBar::OnToolHitTest(CPoint point, ToolHit* hit) const {
    if (!(m_dwStyle & CBRS_TOOLTIPS)) return -1;
    const int found = CControlBar::OnToolHitTest(point, hit);
    if (found != -1) return found;
    if (!hit || IsFloating()) return -1;
    if ((m_dwExStyle & CBRS_EX_HIDE_BUTTON) && m_rectHideBtn.PtInRect(point)) {
        hit->id = kSecHideToolId;
        hit->rect = m_rectHideBtn;
        hit->text = m_gripper.m_strHideTip;
        return int(hit->id);
    }
    if ((m_dwExStyle & CBRS_EX_EXPAND_BUTTON) && m_rectExpandBtn.PtInRect(point)) {
        hit->id = kSecExpandToolId;
        hit->rect = m_rectExpandBtn;
        hit->text = m_bCanExpand ? m_gripper.m_strExpandTip : m_gripper.m_strContractTip;
        return int(hit->id);
    }
    return -1;
}

// ---- context menu ----------------------------------------------------------------

void SECControlBar::BuildContextMenu(CMenu& menu) {
    CString text;
    text.LoadString(ID_SEC_ALLOW_DOCKING);
    menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : 0), ID_SEC_ALLOW_DOCKING, text);
    text.LoadString(ID_SEC_HIDE_BAR);
    menu.AppendMenu(MF_STRING, ID_SEC_HIDE_BAR, text);
    OnExtendContextMenu(&menu);
    if (m_pDockContext && m_pDockContext->m_pDockSite)
        m_pDockContext->m_pDockSite->SendMessage(WM_SEC_EXTENDCONTEXTMENU, reinterpret_cast<WPARAM>(this),
                                                 reinterpret_cast<LPARAM>(&menu));
}

void SECControlBar::OnContextMenu(CWnd* wnd, CPoint point) {
    if (!(m_dwExStyle & CBRS_EX_STDCONTEXTMENU)) {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    BuildContextMenu(menu);
    if (point.x == -1 && point.y == -1 && wnd) {
        CRect client;
        wnd->GetClientRect(&client);
        point = CPoint(client.Width() / 4, 10);
        wnd->ClientToScreen(&point);
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void SECControlBar::OnHideBar() {
    if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
}

void SECControlBar::OnAllowDocking() {
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        m_dwPrevDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
        if (!IsFloating() && m_pDockContext) m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwPrevDockStyle);
    }
}

void SECControlBar::OnFloatInMain() {
    if (auto* context = dynamic_cast<SECDockContext*>(m_pDockContext)) context->ToggleMDIFloat();
}

void SECControlBar::OnDestroy() {
    if (SECDockBar* dock_bar = GetSECDockBar()) dock_bar->ForgetBar(this);
    free_child_layout();
    CFrameWnd* frame = GetDockingFrame();
    CControlBar::OnDestroy();
    if (frame) frame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}
