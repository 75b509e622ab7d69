#include "platform/afx/menu.h"

#include <utility>

#include "platform/afx/temp_maps.h"
#include "platform/afx/wnd.h"
#include "platform/user/resource_api.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu) return nullptr;
    static const int kind = 0;
    return static_cast<CMenu*>(afx_temporary_wrapper(
        &kind, menu,
        [menu] {
            CMenu* wrapper = new CMenu;
            wrapper->m_hMenu = menu;
            return wrapper;
        },
        [](CObject* wrapper) { static_cast<CMenu*>(wrapper)->Detach(); }));
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu) return FALSE;
    DestroyMenu();
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(id))); }

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    char buffer[512] = {};
    const int length = ::GetMenuString(m_hMenu, item, buffer, sizeof buffer, flags);
    text = CString(buffer, length);
    return length;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* exclude) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, exclude);
}
