#include "platform/afx/cmd_ui.h"

#include "platform/afx/cmd_target.h"
#include "platform/afx/menu.h"
#include "platform/afx/wnd.h"

void CCmdUI::Enable(BOOL on) {
    if (m_pMenu) {
        if (!m_pSubMenu) m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    } else if (m_pOther) {
        // A control that loses the focus by being disabled hands it to the next one.
        if (!on && ::GetFocus() == m_pOther->m_hWnd) {
            if (CWnd* parent = m_pOther->GetParent()) parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(on);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
    if (m_pMenu) {
        if (!m_pSubMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, WPARAM(check));
    }
}

void CCmdUI::SetRadio(BOOL on) { SetCheck(on ? 1 : 0); }

void CCmdUI::SetText(const char* text) {
    if (m_pMenu) {
        if (m_pSubMenu) return;
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_DISABLED);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
    } else if (m_pOther) {
        if (m_pOther->GetWindowText() != CString(text)) m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disable_if_no_handler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and unnamed items
    m_bEnableChanged = FALSE;
    const BOOL handled = target && target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (disable_if_no_handler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        // Unless an update handler said otherwise, a command is enabled when something handles it.
        const BOOL has_handler = target && target->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(has_handler);
    }
    return handled;
}
