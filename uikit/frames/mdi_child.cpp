#include "uikit/frames/mdi_child.h"

#include "uikit/frames/mdi_frame.h"
#include "uikit/frames/sys_command.h"

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)
IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_MDIACTIVATE()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

namespace {

// Filter ids of the child's tree.
constexpr UINT kCaptionList = 256, kSysCommandFilter = 257, kButton = 258, kDoubleClick = 259, kContextMenu = 262;

}  // namespace

SECMDIChildWnd::SECMDIChildWnd() : root_filter_(std::make_unique<SECMsgFilter>(this, -1)) {
    using namespace nsSysCommandEx;
    filter_table_.Add(kSysCommandFilter, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(ScxMsgFilter), 0);
    filter_table_.Add(kCaptionList, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(SECCaptionControlListMsgFilter), 1);
    filter_table_.Add(kButton, kCaptionList, RUNTIME_CLASS(ScxButtonMDIChildMsgFilter), 0);
    filter_table_.Add(kDoubleClick, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter), 0);
    filter_table_.Add(kContextMenu, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(ScxContextMenuFilter), 0);
}

SECMDIChildWnd::~SECMDIChildWnd() = default;

BOOL SECMDIChildWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    auto* frame = dynamic_cast<SECMDIFrameWnd*>(parent ? parent : AfxGetMainWnd());
    const bool menu_bar = frame && frame->HasMenuBar();
    CDocTemplate* doc_template = context ? context->m_pNewDocTemplate : nullptr;
    if (menu_bar && doc_template && doc_template->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        m_nMenuBarMenuId = doc_template->m_nIDResource;
        m_bUsesMenuBar = TRUE;
    } else if (menu_bar) {
        m_nMenuBarMenuId = resource_id;
    }
    if (!CMDIChildWnd::LoadFrame(resource_id, style | WS_CHILD, parent, context)) return FALSE;
    // The template's menu shows in the frame's menu bar, never in the window.
    if (menu_bar) m_hMenuShared = nullptr;
    return TRUE;
}

void SECMDIChildWnd::EnableCaptionFilters(UINT flags) {
    // Bit 0 turns the filters on; bits 1, 2 and 3 keep the button, the double click and the menu off.
    const BOOL on = (flags & 1) != 0;
    const BOOL enable[] = {on, on && !(flags & 2), on && !(flags & 2), on && !(flags & 4), on && !(flags & 8)};
    root_filter_->ApplyDescriptorTable(filter_table_, enable);
    SECMsgFilter* list = root_filter_->FindFilter(int(kCaptionList), nullptr, -1);
    if (list && list->IsKindOf(RUNTIME_CLASS(SECCaptionControlListMsgFilter)))
        list->ApplyDescriptorList(static_cast<SECCaptionControlListMsgFilter*>(list)->m_controls.items, FALSE);
}

namespace {
SECMDIFrameWnd* sec_frame_of(CMDIChildWnd* child) { return dynamic_cast<SECMDIFrameWnd*>(child->GetMDIFrame()); }
SECMDIFrameWnd* menu_bar_frame(CMDIChildWnd* child) {
    SECMDIFrameWnd* frame = sec_frame_of(child);
    return frame && frame->HasMenuBar() ? frame : nullptr;
}
}  // namespace

LRESULT SECMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // While a dockable frame holds the activation the child draws itself inactive.
    if (message == WM_NCACTIVATE && wParam)
        if (SECMDIFrameWnd* frame = sec_frame_of(this); frame && frame->GetActiveDockableFrame()) wParam = FALSE;
    const auto base = [&] { return CMDIChildWnd::WindowProc(message, wParam, lParam); };
    if (sec_route_to_filters(*root_filter_, message, wParam, lParam, &result, base)) return result;
    if (message == WM_SETCURSOR) {
        result = base();
        // Over the sizing borders the filters may show their own cursor.
        const UINT hit = LOWORD(lParam);
        if (hit >= 10 && hit <= 17) root_filter_->ProcessMessage(message, wParam, lParam, nullptr);
        return result;
    }
    return base();
}

LRESULT SECMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == sec_syscommandex_message()) {
        LRESULT result = 0;
        root_filter_->ProcessMessage(message, wParam, lParam, &result);
        return result;
    }
    return CMDIChildWnd::DefWindowProc(message, wParam, lParam);
}

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU alternate_menu) {
    m_hSavedAltMenu = alternate_menu;
    SECMDIFrameWnd* frame = menu_bar_frame(this);
    if (!frame) {
        CMDIChildWnd::OnUpdateFrameMenu(active, activated, alternate_menu);
        return;
    }
    // The bar shows this child's menu; the window list follows either way.
    if (active)
        frame->SetMenuBarMenu(m_nMenuBarMenuId ? m_nMenuBarMenuId : UINT(-1));
    else
        frame->UpdateMDIMenu();
}

void SECMDIChildWnd::RefreshFrameMenu(CWnd* activated) { OnUpdateFrameMenu(TRUE, activated, m_hSavedAltMenu); }

void SECMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated) {
    // A child brought to the front takes the activation from a dockable frame.
    if (activate)
        if (SECMDIFrameWnd* frame = sec_frame_of(this); frame && frame->GetActiveDockableFrame())
            frame->DeactivateDockableFrame(FALSE);
    CMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
}

int SECMDIChildWnd::OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    const int result = CMDIChildWnd::OnMouseActivate(top, hit, message);
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT) take_activation();
    return result;
}

void SECMDIChildWnd::take_activation() {
    SECMDIFrameWnd* frame = sec_frame_of(this);
    // A click in the child that was in front all along: nothing moved it to the front, so it
    // takes the activation back from the dockable frame here.
    if (!frame || !frame->GetActiveDockableFrame()) return;
    frame->DeactivateDockableFrame(FALSE);
    CView* view = GetActiveView();
    CWnd* focus = CWnd::GetFocus();
    if (view && focus != view && !view->IsChild(focus)) view->SetFocus();
    SendMessage(WM_NCACTIVATE, TRUE);
    frame->OnUpdateFrameTitle(TRUE);
    RefreshFrameMenu(this);
}

void SECMDIChildWnd::OnSize(UINT type, int cx, int cy) {
    CMDIChildWnd::OnSize(type, cx, cy);
    // Maximised or restored, the menu bar shows or hides the child's buttons.
    if (SECMDIFrameWnd* frame = menu_bar_frame(this)) frame->RefreshMDIButtons();
}

void SECMDIChildWnd::OnDestroy() {
    // A maximised child going takes its buttons out of the frame's menu row.
    if (IsZoomed())
        if (CMDIFrameWnd* frame = GetMDIFrame())
            frame->SetWindowPos(nullptr, 0, 0, 0, 0,
                                SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CMDIChildWnd::OnDestroy();
}
