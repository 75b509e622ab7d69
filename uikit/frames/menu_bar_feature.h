#pragma once
// The keyboard and popup side of a menu bar. SECMenuBarMessages receives the
// frame's keyboard and menu messages: Alt+letter drops the menu with that
// mnemonic (Alt+Space the system menu), the arrow keys move from one open
// menu to the next through a message filter hook installed while a popup
// runs, and a drop asked for while a popup is open closes it and opens the
// new one after it. SECMenuBarFeature is the frame plug-in that routes the
// frame's messages to it, beside bitmap menus.
#include "uikit/frames/bmp_menu_plugin.h"
#include "uikit/frames/menu_bar.h"

// Registered messages: the frame answers the popup of (menu id, position);
// the next menu to the left (0) or right (1).
UINT sec_getmenu_message();
UINT sec_menuprod_message();
// The frame's system-menu command for a click on its icon.
constexpr UINT SEC_SC_ICONCLICK = 0xF093;

class SECMenuBarMessages {
public:
    virtual ~SECMenuBarMessages();
    virtual void PostNextMenu(int direction);
    virtual void CancelMenu();
    // Shows the menu of a resource id; 20514 stands for the active document template's menu.
    virtual void SetMenu(UINT menu_id);
    virtual BOOL OnSysIconClick(const MSG* msg);
    virtual CFrameWnd* GetFrame() const = 0;
    virtual void TrackPopup(SECMenuBar* bar, HMENU menu, const SECNMToolBar& request);
    virtual void TrackSystemMenu(SECMenuBar* bar, HMENU menu, const SECNMToolBar& request);
    virtual void Hook(BOOL on);
    virtual BOOL OnSysChar(const MSG* msg);
    virtual void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    virtual void OnNextMenu(int direction);
    virtual BOOL OnNotify(const NMHDR* header, LRESULT* result);
    virtual void OnInitMenuPopup(HMENU popup);
    virtual BOOL OnSysCommand(UINT id, LPARAM lParam);
    virtual BOOL OnNcActivate(BOOL) { return FALSE; }

    void SetMenuBar(SECMenuBar* bar) { m_pMenuBar = bar; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }

protected:
    SECMenuBar* m_pMenuBar = nullptr;
    BOOL m_bKeyboard = FALSE;   // the popup was opened from the keyboard
    BOOL m_bCancelled = FALSE;  // the pending arrow opens or closes a sub-menu instead
    int m_nDirection = 0;

private:
    HMENU root_popup_ = nullptr;         // the popup being tracked
    bool selection_opens_menu_ = false;  // the selected item has a sub-menu
    bool selection_in_submenu_ = false;  // the selection lies in a sub-menu of the popup
    // Asks for the frame's system menu as the bar's own buttons ask for theirs.
    void drop_system_menu();
};

class SECMenuBarFeature : public SECBmpMenuPlugIn, public SECMenuBarMessages {
public:
    // With `bitmaps`, popups are drawn with command pictures too.
    SECMenuBarFeature(BOOL bitmaps, BOOL replace_radio_mark);
    CFrameWnd* GetFrame() const override;

protected:
    LRESULT PlugInProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL bitmaps_;
};
