#include "uikit/frames/menu_bar.h"

#include <algorithm>

#include "uikit/frames/sys_colors.h"
#include "uikit/frames/toolbar_manager.h"
#include "uikit/frames/toolbar_state.h"

IMPLEMENT_DYNCREATE(SECMenuBar, SECCustomToolBar)
IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

BEGIN_MESSAGE_MAP(SECMenuBar, SECCustomToolBar)
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

SECStdBtn* make_caption_btn() { return new SECBtnCaption; }
SECStdBtn* make_cap_menu_btn() { return new SECCapMenuBtn; }

// The frame's active MDI child and whether it is maximised.
CMDIChildWnd* active_child(const CWnd* bar, BOOL* maximised) {
    *maximised = FALSE;
    CFrameWnd* frame = bar->GetParentFrame();
    while (frame && !frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) frame = frame->GetParentFrame();
    CMDIChildWnd* child = frame ? static_cast<CMDIFrameWnd*>(frame)->MDIGetActive(maximised) : nullptr;
    // Maximised by the MDI area or shown maximised itself.
    *maximised = child && (*maximised || child->IsZoomed());
    return child;
}

}  // namespace

// ---- SECMenuBar -------------------------------------------------------------------------

SECMenuBar::SECMenuBar() = default;
SECMenuBar::~SECMenuBar() = default;

BOOL SECMenuBar::CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title) {
    return SECCustomToolBar::CreateEx(ex_style | CBRS_EX_OWN_ROW, parent, style | CBRS_HIDE_INPLACE, id, title);
}

CFont* SECMenuBar::GetTextFont() const {
    if (!menu_font_.m_hObject) {
        NONCLIENTMETRICS metrics{};
        metrics.cbSize = sizeof metrics;
        ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        menu_font_.CreateFontIndirect(&metrics.lfMenuFont);
    }
    return &menu_font_;
}

const SECBtnDescriptors& SECMenuBar::Descriptors() const {
    return GetManager() ? GetManager()->GetMenuDescriptors() : m_ownDescriptors;
}

UINT SECMenuBar::GetMenuBit(UINT menu_id) const {
    for (const SECBtnDescriptor& d : Descriptors())
        if (d.menu == menu_id) return d.bits;
    return 0;
}

int SECMenuBar::FindMnemonic(BYTE ch) const {
    for (int i = 0; i < GetButtonCount(); ++i) {
        const SECStdBtn* button = GetButton(i);
        if (button->m_nType != SEC_BTN_MENU || button->IsHidden()) continue;
        if (static_cast<const SECTBMenuBtn*>(button)->m_cMnemonic == ch) return i;
    }
    return -1;
}

void SECMenuBar::SwitchMenu(UINT bit, BOOL redraw) {
    current_bit_ = bit;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const SECStdBtn* button = GetButton(i);
        if (button->m_nType != SEC_BTN_MENU) continue;
        const bool shown = (static_cast<const SECTBMenuBtn*>(button)->m_nMenuBits & bit) != 0;
        if (shown == button->IsHidden()) HideButton(i, !shown);
    }
    if (!redraw || !m_hWnd) return;
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    Invalidate();
    UpdateWindow();
}

void SECMenuBar::SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) {
    SECCustomToolBar::SetBarInfoEx(info, frame);
    SwitchMenu(current_bit_, FALSE);
}

void SECMenuBar::ResetButtons(BOOL no_redraw) {
    std::vector<UINT> ids;
    if (GetManager()) {
        ids = GetManager()->GetMenuBarButtons();
    } else {
        for (const SECBtnDescriptor& d : m_ownDescriptors) ids.push_back(d.id);
    }
    SetButtons(ids.data(), int(ids.size()));
    SwitchMenu(current_bit_, FALSE);
    if (no_redraw || !m_hWnd) return;
    if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout();
    Invalidate();
}

void SECMenuBar::SetMenuInfo(int count, const UINT* menu_ids) {
    m_ownDescriptors = sec_build_menu_descriptors(menu_ids ? std::vector<UINT>(menu_ids, menu_ids + std::max(count, 0))
                                                           : std::vector<UINT>());
    ResetButtons(TRUE);
}

CSize SECMenuBar::across_dock_bar(CSize size, BOOL horz) const {
    if (!horz || !m_pDockBar || !m_pDockBar->m_hWnd || IsFloating()) return size;
    CRect row;
    m_pDockBar->GetClientRect(&row);
    size.cx = std::max<int>(size.cx, row.Width());
    return size;
}

CSize SECMenuBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    return across_dock_bar(SECCustomToolBar::CalcFixedLayout(stretch, horz), horz);
}

CSize SECMenuBar::CalcDynamicLayout(int length, DWORD mode) {
    return across_dock_bar(SECCustomToolBar::CalcDynamicLayout(length, mode), (mode & LM_HORZDOCK) != 0);
}

void SECMenuBar::OnSettingChange(UINT, const char*) {
    menu_font_.DeleteObject();
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->AdjustSize();
    if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout();
    Invalidate();
}

// ---- the caption boxes ----------------------------------------------------------------------

const SECButtonClass SECBtnCaption::kClass{"SECBtnCaption", make_caption_btn};

SECBtnCaption::SECBtnCaption() { m_nType = SEC_BTN_CAPTION; }

void SECBtnCaption::AdjustSize() {
    m_cxBox = ::GetSystemMetrics(SM_CXSIZE) - 2;
    m_cyBox = ::GetSystemMetrics(SM_CYSIZE) - 4;
    m_cx = 3 * m_cxBox + 2;
    m_cy = m_cyBox;
}

CRect SECBtnCaption::BoxRect(int box) const {
    // Minimise and restore side by side, close 2 pixels apart from them.
    const int x = m_x + box * m_cxBox + (box == 2 ? 2 : 0);
    return CRect(x, m_y, x + m_cxBox, m_y + m_cyBox);
}

BOOL SECBtnCaption::BoxActive(int box) const { return box == 2 || (m_dwChildStyle & WS_MINIMIZEBOX) != 0; }

int SECBtnCaption::BoxAt(CPoint point) const {
    for (int box = 0; box < 3; ++box)
        if (BoxRect(box).PtInRect(point)) return box;
    return -1;
}

void SECBtnCaption::Draw(CDC* dc, SECBtnDrawData&) {
    if (!(m_dwChildStyle & WS_SYSMENU)) return;
    static constexpr UINT kGlyph[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
    for (int box = 0; box < 3; ++box) {
        CRect rect = BoxRect(box);
        UINT state = kGlyph[box];
        if (!BoxActive(box)) state |= DFCS_INACTIVE;
        if (box == m_nPressed && m_bPressedIn) state |= DFCS_PUSHED;
        ::DrawFrameControl(dc->m_hDC, &rect, DFC_CAPTION, state);
    }
}

BOOL SECBtnCaption::BtnPressDown(CPoint point) {
    const int box = BoxAt(point);
    if (box < 0 || !BoxActive(box)) return FALSE;
    m_nPressed = box, m_bPressedIn = TRUE;
    Invalidate();
    return TRUE;
}

void SECBtnCaption::BtnPressMouseMove(CPoint point) {
    const BOOL in = m_nPressed >= 0 && BoxAt(point) == m_nPressed;
    if (in == m_bPressedIn) return;
    m_bPressedIn = in;
    Invalidate();
}

void SECBtnCaption::BtnPressCancel() {
    m_nPressed = -1, m_bPressedIn = FALSE;
    Invalidate();
}

UINT SECBtnCaption::BtnPressUp(CPoint point) {
    const int box = m_nPressed;
    BtnPressCancel();
    if (box < 0 || BoxAt(point) != box || !m_pToolBar) return 0;
    BOOL maximised = FALSE;
    if (CMDIChildWnd* child = active_child(host_window(), &maximised)) {
        static constexpr WPARAM kCommand[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
        CPoint screen = point;
        host_window()->ClientToScreen(&screen);
        child->PostMessage(WM_SYSCOMMAND, kCommand[box], MAKELPARAM(screen.x, screen.y));
    }
    return 0;  // the boxes send system commands of their own, never a toolbar command
}

// ---- the child's icon -------------------------------------------------------------------------

const SECButtonClass SECCapMenuBtn::kClass{"SECCapMenuBtn", make_cap_menu_btn};

SECCapMenuBtn::SECCapMenuBtn() { m_nType = SEC_BTN_ICON; }

void SECCapMenuBtn::AdjustSize() { m_cx = m_cy = 16; }

void SECCapMenuBtn::Draw(CDC* dc, SECBtnDrawData&) {
    const CRect rect = GetRect();
    // A small document window: a frame with its title strip.
    const SECSysColors& colours = sec_sys_colors();
    dc->FillSolidRect(&rect, colours.face);
    CRect page(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    dc->FillSolidRect(&page, colours.window);
    dc->FillSolidRect(page.left, page.top, page.Width(), 3, ::GetSysColor(COLOR_ACTIVECAPTION));
    dc->Draw3dRect(&page, colours.text, colours.text);
}

void SECCapMenuBtn::ShowMenu() {
    BOOL maximised = FALSE;
    CMDIChildWnd* child = m_pToolBar ? active_child(host_window(), &maximised) : nullptr;
    if (!child) return;
    HMENU menu = ::GetSystemMenu(child->m_hWnd, FALSE);
    m_pToolBar->TrackButtonMenu(this, reinterpret_cast<UINT_PTR>(menu), -1);
}

// ---- SECMDIMenuBar ----------------------------------------------------------------------------

SECStdBtn* SECMDIMenuBar::CreateButton(UINT id, SECCustomToolBar* parent) {
    SECStdBtn* button = id == kIconButtonId      ? static_cast<SECStdBtn*>(new SECCapMenuBtn)
                        : id == kCaptionButtonId ? static_cast<SECStdBtn*>(new SECBtnCaption)
                                                 : nullptr;
    if (!button) return SECMenuBar::CreateButton(id, parent);
    button->m_nID = id;
    button->SetStyle(TBBS_HIDDEN | TBBS_TEXT_MENU);
    button->Init(parent ? parent : this, nullptr);
    return button;
}

void SECMDIMenuBar::SetButtons(const UINT* ids, int count) {
    std::vector<UINT> all{kIconButtonId};
    for (int i = 0; i < count; ++i)
        if (ids[i] != kIconButtonId && ids[i] != kCaptionButtonId) all.push_back(ids[i]);
    all.push_back(kCaptionButtonId);
    SECMenuBar::SetButtons(all.data(), int(all.size()));
    UpdateCaptionButtons(FALSE);
}

SECCapMenuBtn* SECMDIMenuBar::GetIconButton() const {
    const int index = CommandToIndex(kIconButtonId);
    return index < 0 ? nullptr : static_cast<SECCapMenuBtn*>(GetButton(index));
}

SECBtnCaption* SECMDIMenuBar::GetCaptionButton() const {
    const int index = CommandToIndex(kCaptionButtonId);
    return index < 0 ? nullptr : static_cast<SECBtnCaption*>(GetButton(index));
}

BOOL SECMDIMenuBar::UpdateCaptionButtons(BOOL force_hidden) {
    SECCapMenuBtn* icon = GetIconButton();
    SECBtnCaption* caption = GetCaptionButton();
    if (!icon || !caption) return FALSE;
    BOOL maximised = FALSE;
    CMDIChildWnd* child = force_hidden ? nullptr : active_child(this, &maximised);
    const bool show = child && maximised && (child->GetStyle() & WS_SYSMENU);
    BOOL changed = FALSE;
    if (show) {
        const DWORD style = child->GetStyle() & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        if (caption->m_dwChildStyle != style) caption->m_dwChildStyle = style, changed = TRUE;
    }
    for (SECStdBtn* button : {static_cast<SECStdBtn*>(icon), static_cast<SECStdBtn*>(caption)}) {
        if (bool(button->IsHidden()) == !show) continue;
        HideButton(IndexOf(button), !show);
        changed = TRUE;
    }
    return changed;
}

void SECMDIMenuBar::SwitchMenuEx(UINT bit) {
    SwitchMenu(bit, FALSE);
    UpdateCaptionButtons(FALSE);
}

CSize SECMDIMenuBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    return place_caption_at_end(SECMenuBar::CalcFixedLayout(stretch, horz));
}

CSize SECMDIMenuBar::CalcDynamicLayout(int length, DWORD mode) {
    return place_caption_at_end(SECMenuBar::CalcDynamicLayout(length, mode));
}

void SECMDIMenuBar::caption_buttons_to_the_ends() {
    for (int i = GetButtonCount() - 1; i >= 0; --i)
        if (GetButtonID(i) == kIconButtonId || GetButtonID(i) == kCaptionButtonId) RemoveButton(i, TRUE);
    InsertButton(0, kIconButtonId, FALSE, TRUE);
    InsertButton(GetButtonCount(), kCaptionButtonId, FALSE, TRUE);
    UpdateCaptionButtons(FALSE);
}

BOOL SECMDIMenuBar::DropButton(CRect rect, SECStdBtn* button, SECCustomToolBar* source, BOOL copy, BOOL no_redraw) {
    const BOOL result = SECMenuBar::DropButton(rect, button, source, copy, no_redraw);
    caption_buttons_to_the_ends();
    return result;
}

void SECMDIMenuBar::GetBarInfoEx(SECControlBarInfo* info) {
    SECMenuBar::GetBarInfoEx(info);
    auto* mine = dynamic_cast<SECCustomToolBarInfoEx*>(info->m_pInfoEx.get());
    if (!mine) return;
    std::erase_if(mine->m_buttons,
                  [](const SECBtnInfo& saved) { return saved.id == kIconButtonId || saved.id == kCaptionButtonId; });
}

void SECMDIMenuBar::SetBarInfoEx(SECControlBarInfo* info, CFrameWnd* frame) {
    SECMenuBar::SetBarInfoEx(info, frame);
    caption_buttons_to_the_ends();
}

CSize SECMDIMenuBar::place_caption_at_end(CSize size) {
    SECBtnCaption* caption = GetCaptionButton();
    if (!caption || caption->IsHidden() || !(m_dwStyle & CBRS_ORIENT_HORZ)) return size;
    const int x = size.cx - caption->m_cx - 4;
    if (x > caption->m_x) caption->SetPos(x, caption->m_y);
    return size;
}
