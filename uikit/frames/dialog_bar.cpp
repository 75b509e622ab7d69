#include "uikit/frames/dialog_bar.h"

#include "uikit/frames/dock_state.h"

IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

BOOL SECDialogBar::Create(CWnd* parent, UINT template_id, DWORD style, DWORD ex_style, UINT id) {
    if (m_hWnd || !parent || template_id == 0 || template_id > 0xFFFF) return FALSE;
    m_dwStyle = style & CBRS_ALL;
    m_nTemplateID = template_id;
    m_lpszTemplateName = MAKEINTRESOURCE(template_id);
    if (!CreateDlg(m_lpszTemplateName, parent)) return FALSE;
    // A bar lives inside its frame: a template for a window of its own is refused.
    if (!(GetStyle() & WS_CHILD)) {
        DestroyWindow();
        return FALSE;
    }
    SetDlgCtrlID(int(id));
    CRect window;
    GetWindowRect(&window);
    m_sizeDefault = window.Size();
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    // Setting the extended style records the children's layout when it is proportional.
    m_dwExStyle = 0;
    SetExBarStyle(ex_style, FALSE);
    ShowWindow((style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    m_szFloat = m_szHorzDock = m_szVertDock = m_sizeDefault;
    EnableToolTips(TRUE);
    return TRUE;
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
    UpdateDialogControls(target, disable_if_no_handler);
}

void SECDialogBar::GetBarInfo(SECControlBarInfo* info) {
    SECControlBar::GetBarInfo(info);
    info->m_nResourceID = m_nTemplateID;
}

BOOL SECDialogBar::CreateBarFromInfo(CFrameWnd* frame, SECControlBarInfo* info) {
    return Create(frame, info->m_nResourceID, WS_CHILD | (info->m_dwStyle & CBRS_ALL), info->m_dwExStyle,
                  info->m_nBarID);
}
