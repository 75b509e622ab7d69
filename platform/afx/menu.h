#pragma once
// CMenu: a menu handle with the calls the programs make as members.
#include "platform/afx/byte_string.h"
#include "platform/afx/object.h"
#include "platform/user/menu_api.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    ~CMenu() override { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // A temporary wrapper until the next idle time.
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenu(m_hMenu, flags, id, text);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::InsertMenu(m_hMenu, position, flags, id, text);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::ModifyMenu(m_hMenu, position, flags, id, text);
    }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    UINT GetMenuItemCount() const { return UINT(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    UINT CheckMenuItem(UINT item, UINT flags) { return UINT(::CheckMenuItem(m_hMenu, item, flags)); }
    UINT EnableMenuItem(UINT item, UINT flags) { return UINT(::EnableMenuItem(m_hMenu, item, flags)); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* exclude = nullptr);
};
