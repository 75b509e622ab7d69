// The MDI frame's menu-bar mode and the activation of its dockable frames.
#include "uikit/frames/mdi_frame.h"

#include "uikit/frames/doc_templates.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/menu_bar_feature.h"

// ---- menu-bar mode ----------------------------------------------------------------------------

BOOL SECMDIFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    if (!CMDIFrameWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
    enter_menu_bar_mode();
    return TRUE;
}

void SECMDIFrameWnd::SetMenuBar(SECMenuBar* bar) {
    menus_.SetMenuBar(bar);
    if (bar && m_hWnd) enter_menu_bar_mode();
}

void SECMDIFrameWnd::enter_menu_bar_mode() {
    if (!menus_.EnterMenuBarMode()) return;
    // The bar shows the active child's menu, and its Window popup lists the children.
    CMDIChildWnd* child = MDIGetActive();
    const auto* sec_child = dynamic_cast<SECMDIChildWnd*>(child);
    SetMenuBarMenu(sec_child && sec_child->GetMenuBarMenuId() ? sec_child->GetMenuBarMenuId()
                                                              : menus_.GetDefaultMenuId());
}

HMENU SECMDIFrameWnd::GetDefaultMenu() { return HasMenuBar() ? menus_.GetDefaultMenu() : m_hMenuDefault; }

HMENU SECMDIFrameWnd::GetMenuForId(UINT id) {
    if (HMENU own = menus_.OwnMenu(id)) return own;
    CWinApp* app = AfxGetApp();
    for (POSITION at = app ? app->GetFirstDocTemplatePosition() : nullptr; at;) {
        CDocTemplate* doc_template = app->GetNextDocTemplate(at);
        if (doc_template && doc_template->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) &&
            doc_template->m_nIDResource == id && doc_template->m_hMenuShared)
            return doc_template->m_hMenuShared;
    }
    return menus_.LoadedMenu(id);
}

void SECMDIFrameWnd::SetMenuBarMenu(UINT id) {
    SECMenuBarFeature* feature = menus_.GetFeature();
    SECMenuBar* bar = GetMenuBar();
    if (!bar || !feature) return;
    if (id == 0) id = UINT(-1);
    if (id != UINT(-1)) {
        feature->SetMenu(id);
    } else {
        if (bar->m_nCurrentMenuId) feature->SetMenu(bar->m_nCurrentMenuId);
        RefreshMDIButtons();
    }
    UpdateMDIMenu();
}

void SECMDIFrameWnd::RefreshMDIButtons() {
    auto* bar = dynamic_cast<SECMDIMenuBar*>(GetMenuBar());
    if (!bar || !bar->m_hWnd || !bar->UpdateCaptionButtons(FALSE)) return;
    RecalcLayout();
    bar->Invalidate();
}

void SECMDIFrameWnd::UpdateMDIMenu() {
    SECMenuBar* bar = GetMenuBar();
    if (!bar || !m_hWndMDIClient) return;
    HMENU window_popup = GetWindowMenuPopup(GetMenuForId(bar->m_nCurrentMenuId));
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window_popup));
}

CMenu* SECMDIFrameWnd::GetMenu() const { return menus_.GetMenu(); }

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU alternate_menu) {
    if (active_dockable_ && active_dockable_->m_hWnd) {
        active_dockable_->OnUpdateFrameMenu(alternate_menu);
        return;
    }
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, alternate_menu);
    } else if (HasMenuBar()) {
        // Without documents the bar shows the frame's own menu again.
        SetMenuBarMenu(menus_.GetDefaultMenuId());
    } else {
        CMDIFrameWnd::OnUpdateFrameMenu(alternate_menu);
    }
}

// ---- dockable frames -------------------------------------------------------------------------

void SECMDIFrameWnd::ActivateDockableFrame(SECFrameWnd* frame) {
    if (frame == active_dockable_) return;
    DeactivateDockableFrame(frame == nullptr);
    if (frame && frame->m_hWnd) {
        frame->SendMessage(WM_NCACTIVATE, TRUE);
        active_dockable_ = frame;
        // The MDI child in front draws itself inactive meanwhile.
        if (CMDIChildWnd* child = MDIGetActive()) child->SendMessage(WM_NCACTIVATE, FALSE);
        if (CView* view = frame->GetActiveView(); view && !view->IsChild(CWnd::GetFocus()) && CWnd::GetFocus() != view)
            view->SetFocus();
    }
    OnUpdateFrameTitle(TRUE);
    // The menu follows: the dockable frame's document menu, else the MDI child's or the frame's own.
    if (HasMenuBar() && active_dockable_) {
        const UINT id = SECDocTemplateUtils().GetFrameResourceId(active_dockable_);
        SetMenuBarMenu(id ? id : UINT(-1));
        return;
    }
    OnUpdateFrameMenu(nullptr);
    if (!HasMenuBar()) DrawMenuBar();
}

void SECMDIFrameWnd::DeactivateDockableFrame(BOOL focus_mdi_client) {
    SECFrameWnd* frame = active_dockable_;
    active_dockable_ = nullptr;
    if (frame && frame->m_hWnd) frame->SendMessage(WM_NCACTIVATE, FALSE);
    if (!focus_mdi_client) return;
    // The active MDI child has the activation back.
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->SendMessage(WM_NCACTIVATE, TRUE);
        CView* view = child->GetActiveView();
        CWnd* focus = CWnd::GetFocus();
        if (frame && focus && (focus == frame || frame->IsChild(focus))) {
            if (view)
                view->SetFocus();
            else
                child->SetFocus();
        }
    }
}

CFrameWnd* SECMDIFrameWnd::GetActiveFrame() {
    if (active_dockable_ && active_dockable_->m_hWnd) return active_dockable_;
    return CMDIFrameWnd::GetActiveFrame();
}

void SECMDIFrameWnd::ActivateViewOnFrameActivate(UINT state, CWnd*, BOOL minimized) {
    if (!m_bActivateViewOnActivate || minimized) return;
    CFrameWnd* active = GetActiveFrame();
    CView* view = active ? active->GetActiveView() : nullptr;
    if (!view) return;
    CWnd* focus = CWnd::GetFocus();
    if (state != WA_INACTIVE && focus != view && !view->IsChild(focus)) view->SetFocus();
    view->OnActivateFrame(state, active);
}
