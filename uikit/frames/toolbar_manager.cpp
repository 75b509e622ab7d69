#include "uikit/frames/toolbar_manager.h"

#include <algorithm>
#include <map>

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_site.h"
#include "uikit/frames/menu_button.h"
#include "uikit/frames/toolbar_state.h"

IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

namespace {

constexpr UINT IDS_SEC_MENU_BAR = 20619;
constexpr UINT IDS_SEC_TOOLBAR_N = 20674;
constexpr UINT kLastUserToolBar = 0xE900;
constexpr int kSecDockLastRow = 1 << 20;  // past every row: a new last row

}  // namespace

UINT sec_bar_notify_message() {
    static const UINT message = ::RegisterWindowMessage("WM_BARNOTIFY");
    return message;
}

SECToolBarManager::SECToolBarManager(CFrameWnd* frame, CWnd* owner)
    : SECControlBarManager(frame),
      m_pToolBarClass(RUNTIME_CLASS(SECCustomToolBar)),
      m_pOwner(owner),
      bmp_mgr_(new SECBmpMgr) {
    sec_register_frames_resources();
}

SECToolBarManager::~SECToolBarManager() {
    const std::set<SECCustomToolBar*> bars = attached_;
    for (SECCustomToolBar* bar : bars) bar->SetManager(nullptr);
    bmp_mgr_->Release();
}

// Defined beside the manager, which is the one place that knows the manager as both a bar manager and the
// services the bar asks of it.
void SECCustomToolBar::SetManager(SECToolBarManager* manager) {
    if (SECToolBarManager* old = GetManager()) old->attached_.erase(this);
    manager_ = manager;
    m_pManager = manager;
    if (manager) manager->attached_.insert(this);
}

SECBtnDrawData& SECToolBarManager::GetDrawData() {
    if (!draw_data_) draw_data_ = std::make_unique<SECBtnDrawData>();
    return *draw_data_;
}

// ---- default toolbars ----------------------------------------------------------

void SECToolBarManager::DefineDefaultToolBar(UINT id, const char* title, UINT count, const UINT* ids, DWORD sides,
                                             UINT dock_bar, UINT beside, BOOL docked, BOOL visible) {
    SECDefaultToolBar record;
    record.id = id;
    record.title = title ? title : "";
    if (ids) record.buttons.assign(ids, ids + count);
    record.sides = sides;
    record.dock_bar = dock_bar;
    record.beside = beside;
    record.docked = docked;
    record.visible = visible;
    defaults_.push_back(std::move(record));
}

BOOL SECToolBarManager::GetDefaultButtons(UINT id, int& count, const UINT*& ids) const {
    for (const SECDefaultToolBar& record : defaults_) {
        if (record.id != id) continue;
        count = int(record.buttons.size());
        ids = record.buttons.data();
        return TRUE;
    }
    return FALSE;
}

// ---- bars ----------------------------------------------------------------------

std::vector<SECCustomToolBar*> SECToolBarManager::GetToolBars() const {
    std::vector<SECCustomToolBar*> bars;
    if (!m_pFrameWnd) return bars;
    POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition();
    while (pos) {
        auto* bar = static_cast<CControlBar*>(m_pFrameWnd->m_listControlBars.GetNext(pos));
        if (bar && bar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar))) bars.push_back(static_cast<SECCustomToolBar*>(bar));
    }
    return bars;
}

SECCustomToolBar* SECToolBarManager::FindToolBar(UINT id) const {
    for (SECCustomToolBar* bar : GetToolBars())
        if (bar->m_hWnd && UINT(bar->GetDlgCtrlID()) == id) return bar;
    return nullptr;
}

SECCustomToolBar* SECToolBarManager::ToolBarUnderRect(const CRect& rect) const {
    for (SECCustomToolBar* bar : GetToolBars()) {
        if (!bar->m_hWnd || !bar->IsWindowVisible()) continue;
        CRect area;
        CWnd* floating = bar->IsFloating() ? bar->GetParentFrame() : nullptr;
        (floating ? floating : static_cast<CWnd*>(bar))->GetWindowRect(&area);
        CRect common;
        if (common.IntersectRect(&area, &rect)) return bar;
    }
    return nullptr;
}

DWORD SECToolBarManager::bar_style() const {
    return SEC_TOOLBAR_STYLE | (flyby_ ? CBRS_FLYBY : 0) | (tooltips_ ? CBRS_TOOLTIPS : 0);
}

void SECToolBarManager::attach(SECCustomToolBar* bar) const {
    bar->SetManager(const_cast<SECToolBarManager*>(this));
    bar->SetBmpMgr(bmp_mgr_);
    ApplyImageSize(bar);
}

void SECToolBarManager::ApplyImageSize(SECCustomToolBar* bar) const {
    const CSize size = bmp_mgr_->ImageSize();
    bar->SetButtonSize(size.cx, size.cy);
}

SECCustomToolBar* SECToolBarManager::make_bar(UINT id, const char* title) {
    auto* bar = static_cast<SECCustomToolBar*>(m_pToolBarClass->CreateObject());
    if (!bar) return nullptr;
    // The manager is attached before the bar exists, so that listeners hear of it with everything in place.
    attach(bar);
    if (!bar->CreateEx(cool_ ? cool_bits_ : 0, m_pFrameWnd, bar_style(), id, title)) {
        delete bar;
        return nullptr;
    }
    bar->SetOwner(m_pOwner ? m_pOwner : m_pFrameWnd);
    bar->m_bAutoDelete = TRUE;
    return bar;
}

SECCustomToolBar* SECToolBarManager::CreateUserToolBar(const char* name) {
    if (!m_pFrameWnd) return nullptr;
    UINT id = SEC_IDW_FIRST_USER_TOOLBAR;
    while (id < kLastUserToolBar && FindToolBar(id)) ++id;
    if (id >= SEC_IDW_MENUBAR) return nullptr;
    CString title;
    if (name && *name) {
        title = name;
    } else {
        CString format;
        format.LoadString(IDS_SEC_TOOLBAR_N);
        title.Format(format, int(id - (SEC_IDW_FIRST_USER_TOOLBAR - 1)));
    }
    SECCustomToolBar* bar = make_bar(id, title);
    if (!bar) return nullptr;
    bar->SetCustomizeMode(customize_);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    return bar;
}

void SECToolBarManager::dock_default(const SECDefaultToolBar& record, SECCustomToolBar* bar, SECCustomToolBar* beside) {
    auto* dock_bar = dynamic_cast<SECDockBar*>(m_pFrameWnd->GetControlBar(record.dock_bar));
    if (!beside) {
        // A row of its own after the others.
        if (dock_bar)
            dock_bar->DockControlBarEx(bar, SECDockPos{kSecDockLastRow, 0, 0});
        else
            m_pFrameWnd->DockControlBar(bar, record.dock_bar);
        return;
    }
    // Right of (or below) the bar it follows, in its row.
    m_pFrameWnd->RecalcLayout();
    CRect place;
    beside->GetWindowRect(&place);
    const bool across = record.dock_bar == AFX_IDW_DOCKBAR_TOP || record.dock_bar == AFX_IDW_DOCKBAR_BOTTOM;
    place.OffsetRect(across ? 1 : 0, across ? 0 : 1);
    if (dock_bar) {
        const CPoint after =
            across ? CPoint(place.right, place.CenterPoint().y) : CPoint(place.CenterPoint().x, place.bottom);
        // Where the bar stands when docked is where the row keeps it: right after the other one.
        CRect start(across ? place.right - 1 : place.left, across ? place.top : place.bottom - 1, 0, 0);
        ::MapWindowPoints(nullptr, ::GetParent(bar->m_hWnd), reinterpret_cast<POINT*>(&start), 1);
        bar->SetWindowPos(nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dock_bar->DockControlBarEx(bar, dock_bar->DropPosition(bar, after));
        return;
    }
    m_pFrameWnd->DockControlBar(bar, record.dock_bar, &place);
}

SECCustomToolBar* SECToolBarManager::GetMenuBar() const {
    if (m_pMenuBar) return m_pMenuBar;
    SECDockSite* site = sec_dock_site(m_pFrameWnd);
    return site ? site->GetMenuBar() : nullptr;
}

void SECToolBarManager::CreateDefaultToolBars() {
    if (!m_pFrameWnd) return;
    SECCustomToolBar* menu_bar = GetMenuBar();
    if (menu_bar && !menu_bar->m_hWnd) {
        CString title;
        title.LoadString(IDS_SEC_MENU_BAR);
        attach(menu_bar);
        if (menu_bar->CreateEx(cool_ ? cool_bits_ : 0, m_pFrameWnd, bar_style(), SEC_IDW_MENUBAR, title)) {
            menu_bar->SetOwner(m_pOwner ? m_pOwner : m_pFrameWnd);
            menu_bar->SetButtons(menu_buttons_.data(), int(menu_buttons_.size()));
            menu_bar->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrameWnd->DockControlBar(menu_bar, AFX_IDW_DOCKBAR_TOP);
        }
    }
    std::vector<std::pair<const SECDefaultToolBar*, SECCustomToolBar*>> made;
    // Bars that follow the same bar line up after it in definition order.
    std::map<UINT, SECCustomToolBar*> last_after;
    for (const SECDefaultToolBar& record : defaults_) {
        SECCustomToolBar* bar = make_bar(record.id, record.title);
        if (!bar) continue;
        bar->SetButtons(record.buttons.data(), int(record.buttons.size()));
        bar->EnableDocking(record.sides);
        SECCustomToolBar* beside = nullptr;
        if (record.beside) {
            auto last = last_after.find(record.beside);
            beside = last != last_after.end() ? last->second : FindToolBar(record.beside);
            last_after[record.beside] = bar;
        }
        dock_default(record, bar, beside);
        made.emplace_back(&record, bar);
    }
    m_pFrameWnd->RecalcLayout();
    for (auto [record, bar] : made) {
        if (!record->visible) m_pFrameWnd->ShowControlBar(bar, FALSE, FALSE);
        if (!record->docked) m_pFrameWnd->FloatControlBar(bar, CPoint(100, 100));
    }
}

void SECToolBarManager::AttachToolBars() {
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    if (bars.empty()) {
        CreateDefaultToolBars();
        return;
    }
    for (SECCustomToolBar* bar : bars) {
        attach(bar);
        bar->Invalidate();
    }
}

// ---- switches ------------------------------------------------------------------

void SECToolBarManager::EnableCoolLook(BOOL enable, DWORD ex_style_bits) {
    cool_bits_ = ex_style_bits;
    if (!enable == !cool_) return;
    cool_ = enable;
    for (SECCustomToolBar* bar : GetToolBars()) {
        bar->ModifyExBarStyle(enable ? 0 : ex_style_bits, enable ? ex_style_bits : 0, FALSE);
        if ((ex_style_bits & CBRS_EX_FLATBORDERS) && bar->m_hWnd) bar->Invalidate(TRUE);
    }
    if (m_pFrameWnd) m_pFrameWnd->DelayRecalcLayout();
}

void SECToolBarManager::EnableToolTips(BOOL enable) {
    if (!enable == !tooltips_) return;
    tooltips_ = enable;
    for (SECCustomToolBar* bar : GetToolBars())
        bar->SetBarStyle(enable ? bar->GetBarStyle() | CBRS_TOOLTIPS : bar->GetBarStyle() & ~CBRS_TOOLTIPS);
}

void SECToolBarManager::EnableFlyBy(BOOL enable) {
    if (!enable == !flyby_) return;
    flyby_ = enable;
    for (SECCustomToolBar* bar : GetToolBars())
        bar->SetBarStyle(enable ? bar->GetBarStyle() | CBRS_FLYBY : bar->GetBarStyle() & ~CBRS_FLYBY);
}

void SECToolBarManager::EnableLargeBtns(BOOL enable) {
    if (!enable == !large_) return;
    large_ = enable;
    ApplyLargeButtons();
}

void SECToolBarManager::ApplyLargeButtons() {
    bmp_mgr_->SetSmallImages(!large_);
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    for (SECCustomToolBar* bar : bars) {
        ApplyImageSize(bar);
        if (bar->IsFloating()) {
            if (CFrameWnd* floating = bar->GetParentFrame()) floating->RecalcLayout();
        }
        if (bar->m_hWnd) bar->Invalidate();
    }
    if (!bars.empty() && m_pFrameWnd) m_pFrameWnd->DelayRecalcLayout();
}

BOOL SECToolBarManager::LoadToolBarResource(UINT id, UINT large_id) {
    return bmp_mgr_->LoadToolBar(id, large_id, TRUE) > 0;
}

void SECToolBarManager::SetMenuInfo(int count, const UINT* menu_ids) {
    menu_descriptors_ = sec_build_menu_descriptors(std::vector<UINT>(menu_ids, menu_ids + std::max(count, 0)));
    menu_buttons_.clear();
    for (const SECBtnDescriptor& d : menu_descriptors_) menu_buttons_.push_back(d.id);
}

// ---- customise mode ------------------------------------------------------------

void SECToolBarManager::SetCustomizeMode(BOOL on) {
    if (!on == !customize_) return;
    customize_ = on;
    for (SECCustomToolBar* bar : GetToolBars()) bar->SetCustomizeMode(on);
}

void SECToolBarManager::LockFrame() {
    if (locked_ || !m_pFrameWnd || !m_pFrameWnd->m_hWnd) return;
    locked_ = TRUE;
    ::EnableWindow(m_pFrameWnd->m_hWnd, TRUE);
    for (HWND child = ::GetWindow(m_pFrameWnd->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(child);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CDockBar))) continue;
        if (!::IsWindowEnabled(child)) continue;
        ::EnableWindow(child, FALSE);
        disabled_by_lock_.push_back(child);
    }
}

void SECToolBarManager::UnlockFrame() {
    if (!locked_) return;
    locked_ = FALSE;
    if (m_pFrameWnd && m_pFrameWnd->m_hWnd) ::EnableWindow(m_pFrameWnd->m_hWnd, FALSE);
    for (HWND child : disabled_by_lock_)
        if (::IsWindow(child)) ::EnableWindow(child, TRUE);
    disabled_by_lock_.clear();
}

void SECToolBarManager::AddListener(CWnd* wnd) {
    if (wnd && wnd->m_hWnd && std::find(listeners_.begin(), listeners_.end(), wnd->m_hWnd) == listeners_.end())
        listeners_.push_back(wnd->m_hWnd);
}

void SECToolBarManager::RemoveListener(CWnd* wnd) {
    if (wnd) std::erase(listeners_, wnd->m_hWnd);
}

void SECToolBarManager::NotifyListeners(UINT bar_id, UINT code) {
    const std::vector<HWND> listeners = listeners_;
    for (HWND listener : listeners)
        if (::IsWindow(listener)) ::SendMessage(listener, sec_bar_notify_message(), bar_id, code);
}

void SECToolBarManager::SetButtonStyle(UINT id, UINT set, UINT clear) {
    for (SECCustomToolBar* bar : GetToolBars()) bar->SetStyleForID(id, set, clear, FALSE);
}

// ---- state ---------------------------------------------------------------------

void SECToolBarManager::apply_switches(BOOL tooltips, BOOL cool, BOOL large) {
    EnableToolTips(tooltips);
    EnableCoolLook(cool, cool_bits_);
    large_ = large;
    ApplyLargeButtons();
}

void SECToolBarManager::LoadState(const char* profile_name) {
    CWinApp* app = AfxGetApp();
    if (!app || !profile_name) return;
    CString section;
    section.Format("%s-ToolBarManager", profile_name);
    const BOOL tooltips = app->GetProfileInt(section, "ToolTips", tooltips_) != 0;
    const BOOL cool = app->GetProfileInt(section, "CoolLook", cool_) != 0;
    const BOOL large = app->GetProfileInt(section, "LargeButtons", large_) != 0;
    apply_switches(tooltips, cool, large);
}

void SECToolBarManager::SaveState(const char* profile_name) {
    CWinApp* app = AfxGetApp();
    if (!app || !profile_name) return;
    CString section;
    section.Format("%s-ToolBarManager", profile_name);
    app->WriteProfileInt(section, "ToolTips", tooltips_);
    app->WriteProfileInt(section, "CoolLook", cool_);
    app->WriteProfileInt(section, "LargeButtons", large_);
}

BOOL SECToolBarManager::LoadState(SECPersistentTreeNode* node) {
    SECPersistentTreeNode* mine = SECControlBarManager::LoadState(node) ? node->FindChildNode("ToolBarMgr") : nullptr;
    if (!mine) {
        tooltips_ = TRUE, cool_ = TRUE, large_ = FALSE;
        ApplyLargeButtons();
        return FALSE;
    }
    BOOL tooltips = tooltips_, cool = cool_, large = large_;
    mine->GetBoolValue("ToolTips", &tooltips, tooltips_);
    mine->GetBoolValue("CoolLook", &cool, cool_);
    mine->GetBoolValue("LargeButtons", &large, large_);
    apply_switches(tooltips, cool, large);
    return TRUE;
}

BOOL SECToolBarManager::SaveState(SECPersistentTreeNode* node, BOOL flag) {
    if (!SECControlBarManager::SaveState(node, flag) || !node) return FALSE;
    SECPersistentTreeNode* mine = node->FindChildNode("ToolBarMgr");
    if (!mine) mine = node->AddChild("ToolBarMgr");
    if (!mine) return FALSE;
    mine->SetBoolValue("ToolTips", tooltips_);
    mine->SetBoolValue("CoolLook", cool_);
    mine->SetBoolValue("LargeButtons", large_);
    return TRUE;
}

UINT SECToolBarManager::GetBarTypeID(CControlBar* bar) {
    if (bar && bar == GetMenuBar()) return SEC_TYPE_MENU_BAR;
    if (bar && bar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar))) return SEC_TYPE_CUSTOM_TOOLBAR;
    return SECControlBarManager::GetBarTypeID(bar);
}

SECControlBarInfoEx* SECToolBarManager::CreateBarInfo(SECControlBarInfo* info) {
    if (info && (info->m_nTypeID == SEC_TYPE_CUSTOM_TOOLBAR || info->m_nTypeID == SEC_TYPE_MENU_BAR))
        return new SECCustomToolBarInfoEx;
    return SECControlBarManager::CreateBarInfo(info);
}

CControlBar* SECToolBarManager::CreateBar(SECControlBarInfo* info) {
    if (!info || !m_pFrameWnd) return nullptr;
    if (info->m_nTypeID == SEC_TYPE_MENU_BAR) {
        // The frame's own menu bar, made again as the saved layout has it.
        SECCustomToolBar* menu_bar = GetMenuBar();
        if (!menu_bar || menu_bar->m_hWnd) return nullptr;
        attach(menu_bar);
        if (!menu_bar->CreateEx(cool_ ? cool_bits_ : 0, m_pFrameWnd, bar_style(), info->m_nBarID)) return nullptr;
        menu_bar->SetOwner(m_pOwner ? m_pOwner : m_pFrameWnd);
        menu_bar->EnableDocking(CBRS_ALIGN_ANY);
        return menu_bar;
    }
    if (info->m_nTypeID != SEC_TYPE_CUSTOM_TOOLBAR) return SECControlBarManager::CreateBar(info);
    SECCustomToolBar* bar = make_bar(info->m_nBarID, info->m_strWindowName);
    if (bar) bar->EnableDocking(CBRS_ALIGN_ANY);
    return bar;
}
