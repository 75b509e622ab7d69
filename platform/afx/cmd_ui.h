#pragma once
// CCmdUI: what an update handler changes about one user-interface element
// (a menu item, a control, a toolbar button or a status pane). DoUpdate asks
// the target's ON_UPDATE_COMMAND_UI handler and, when there is none, may
// disable the element.
#include "platform/afx/byte_string.h"
#include "platform/user/user_types.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;  // position in the menu or bar
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;     // a menu item
    CMenu* m_pSubMenu = nullptr;  // the popup when the item opens one
    CWnd* m_pOther = nullptr;     // a control, or the bar that owns a button or pane
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const char* text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Runs the update; TRUE when a handler answered.
    BOOL DoUpdate(CCmdTarget* target, BOOL disable_if_no_handler);
};

// Records what a handler would set without touching any element: used to
// drop commands whose update handler disables them.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL on = TRUE) override {
        m_bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char*) override {}
};
