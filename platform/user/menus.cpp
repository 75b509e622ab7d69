// Menus as data: creation, items, states, and the window's menu bar.
#include <cctype>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/user/handles.h"
#include "platform/user/internal.h"
#include "platform/user/menu_model.h"
#include "platform/user/messages.h"
#include "platform/user/nonclient.h"
#include "platform/user/rects.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

struct MenuTable {
    std::mutex mutex;
    std::unordered_map<HMENU, std::unique_ptr<Menu>> menus;
};

MenuTable& menu_table() {
    static MenuTable t;
    return t;
}

HMENU create_menu(bool popup) {
    auto menu = std::make_unique<Menu>();
    menu->handle = allocate_menu_handle();
    menu->popup = popup;
    HMENU handle = menu->handle;
    auto& t = menu_table();
    std::lock_guard lock(t.mutex);
    t.menus.emplace(handle, std::move(menu));
    return handle;
}

MenuItem item_from_flags(UINT flags, UINT_PTR id_or_submenu, const char* text) {
    MenuItem item;
    item.type =
        flags & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_RIGHTJUSTIFY);
    item.state = flags & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(id_or_submenu);
        item.id = UINT(id_or_submenu);
    } else {
        item.id = UINT(id_or_submenu);
    }
    if (flags & (MF_OWNERDRAW | MF_BITMAP)) {
        item.data = reinterpret_cast<UINT_PTR>(text);  // the pointer is the item's data
        if (flags & MF_BITMAP) item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
    } else if (!(flags & MF_SEPARATOR) && text) {
        item.text = text;
    }
    // A string item without text is a separator, as on the platform.
    if (!(flags & (MF_OWNERDRAW | MF_BITMAP | MF_POPUP)) && !text && !(flags & MF_SEPARATOR)) {
        item.type |= MFT_SEPARATOR;
    }
    return item;
}

void refresh_bar(HMENU menu) {
    if (Menu* m = find_menu(menu); m && m->bar_of) DrawMenuBar(m->bar_of);
}

}  // namespace

namespace kit::user {

Menu* find_menu(HMENU menu) {
    auto& t = menu_table();
    std::lock_guard lock(t.mutex);
    auto it = t.menus.find(menu);
    return it == t.menus.end() ? nullptr : it->second.get();
}

int find_item(HMENU menu, UINT item, bool by_position, HMENU* owner) {
    Menu* m = find_menu(menu);
    if (!m) return -1;
    if (by_position) {
        if (item >= m->items.size()) return -1;
        if (owner) *owner = menu;
        return int(item);
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& it = m->items[i];
        if (!it.submenu && !it.separator() && it.id == item) {
            if (owner) *owner = menu;
            return int(i);
        }
    }
    for (const MenuItem& it : m->items) {
        if (!it.submenu) continue;
        int found = find_item(it.submenu, item, false, owner);
        if (found >= 0) return found;
    }
    // A popup item can be named by its submenu's handle as id.
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].submenu && m->items[i].id == item) {
            if (owner) *owner = menu;
            return int(i);
        }
    }
    return -1;
}

int mnemonic_of(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::tolower(static_cast<unsigned char>(text[i + 1]));
    }
    return 0;
}

std::string label_of(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

std::string shortcut_of(const std::string& text) {
    auto tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

}  // namespace kit::user

HMENU CreateMenu() { return create_menu(false); }
HMENU CreatePopupMenu() { return create_menu(true); }

BOOL DestroyMenu(HMENU menu) {
    std::unique_ptr<Menu> doomed;
    {
        auto& t = menu_table();
        std::lock_guard lock(t.mutex);
        auto it = t.menus.find(menu);
        if (it == t.menus.end()) return FALSE;
        doomed = std::move(it->second);
        t.menus.erase(it);
    }
    for (const MenuItem& item : doomed->items) {
        if (item.submenu) DestroyMenu(item.submenu);
    }
    if (Window* w = find_window(doomed->bar_of); w && w->menu == menu) w->menu = nullptr;
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return find_menu(menu) ? TRUE : FALSE; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_submenu, const char* text) {
    Menu* m = find_menu(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !find_menu(reinterpret_cast<HMENU>(id_or_submenu))) return FALSE;
    m->items.push_back(item_from_flags(flags, id_or_submenu, text));
    refresh_bar(menu);
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_submenu, const char* text) {
    Menu* m = find_menu(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !find_menu(reinterpret_cast<HMENU>(id_or_submenu))) return FALSE;
    HMENU owner = menu;
    size_t at = m->items.size();  // an unknown position appends
    int found = find_item(menu, position, (flags & MF_BYPOSITION) != 0, &owner);
    if (found >= 0) {
        m = find_menu(owner);
        at = size_t(found);
    }
    m->items.insert(m->items.begin() + long(at), item_from_flags(flags, id_or_submenu, text));
    refresh_bar(owner);
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_submenu, const char* text) {
    HMENU owner = nullptr;
    int index = find_item(menu, position, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return FALSE;
    Menu* m = find_menu(owner);
    MenuItem replacement = item_from_flags(flags, id_or_submenu, text);
    MenuItem& item = m->items[size_t(index)];
    if (item.submenu && item.submenu != replacement.submenu) DestroyMenu(item.submenu);
    item = replacement;
    refresh_bar(owner);
    return TRUE;
}

static BOOL take_out(HMENU menu, UINT position, UINT flags, bool destroy_submenu) {
    HMENU owner = nullptr;
    int index = find_item(menu, position, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return FALSE;
    Menu* m = find_menu(owner);
    HMENU submenu = m->items[size_t(index)].submenu;
    m->items.erase(m->items.begin() + index);
    if (destroy_submenu && submenu) DestroyMenu(submenu);
    refresh_bar(owner);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return take_out(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return take_out(menu, position, flags, false); }

int GetMenuItemCount(HMENU menu) {
    Menu* m = find_menu(menu);
    return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Menu* m = find_menu(menu);
    if (!m || position < 0 || size_t(position) >= m->items.size()) return UINT(-1);
    const MenuItem& item = m->items[size_t(position)];
    return item.submenu ? UINT(-1) : item.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    Menu* m = find_menu(menu);
    if (!m || position < 0 || size_t(position) >= m->items.size()) return nullptr;
    return m->items[size_t(position)].submenu;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return UINT(-1);
    const MenuItem& it = find_menu(owner)->items[size_t(index)];
    UINT state = it.type | it.state;
    // A popup reports its item count in the high byte, as on the platform.
    if (it.submenu) state |= MF_POPUP | (UINT(GetMenuItemCount(it.submenu)) << 8);
    return state;
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return 0;
    const std::string& text = find_menu(owner)->items[size_t(index)].text;
    if (!buffer || size <= 0) return int(text.size());
    int n = int(std::min<size_t>(text.size(), size_t(size - 1)));
    std::memcpy(buffer, text.data(), size_t(n));
    buffer[n] = 0;
    return n;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return DWORD(-1);
    MenuItem& it = find_menu(owner)->items[size_t(index)];
    DWORD old = it.state & MF_CHECKED;
    it.state = (it.state & ~MF_CHECKED) | (flags & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    bool by_position = (flags & MF_BYPOSITION) != 0;
    Menu* m = find_menu(menu);
    if (!m) return FALSE;
    bool found = false;
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        UINT key = by_position ? UINT(i) : it.id;
        if (key < first || key > last || it.separator()) continue;
        bool on = key == check;
        found |= on;
        it.state = on ? (it.state | MFS_CHECKED) : (it.state & ~MFS_CHECKED);
        if (on) it.type |= MFT_RADIOCHECK;
    }
    return found ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return -1;
    MenuItem& it = find_menu(owner)->items[size_t(index)];
    BOOL old = BOOL(it.state & MFS_GRAYED);
    it.state = (it.state & ~MFS_GRAYED) | (flags & MFS_GRAYED);
    refresh_bar(owner);
    return old;
}

BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT flags) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, (flags & MF_BYPOSITION) != 0, &owner);
    if (index < 0) return FALSE;
    MenuItem& it = find_menu(owner)->items[size_t(index)];
    it.state = (flags & MF_HILITE) ? (it.state | MFS_HILITE) : (it.state & ~MFS_HILITE);
    if (hwnd) DrawMenuBar(hwnd);
    return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, by_position != FALSE, &owner);
    if (index < 0 || !info) return FALSE;
    const MenuItem& it = find_menu(owner)->items[size_t(index)];
    if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it.type;
    if (info->fMask & MIIM_STATE) info->fState = it.state;
    if (info->fMask & MIIM_ID) info->wID = it.id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = it.submenu;
    if (info->fMask & MIIM_DATA) info->dwItemData = it.data;
    if (info->fMask & (MIIM_TYPE | MIIM_STRING)) {
        if (info->dwTypeData && info->cch > 0) {
            size_t n = std::min<size_t>(it.text.size(), info->cch - 1);
            std::memcpy(info->dwTypeData, it.text.data(), n);
            info->dwTypeData[n] = 0;
        }
        info->cch = UINT(it.text.size());
    }
    return TRUE;
}

static void apply_item_info(MenuItem& it, const MENUITEMINFO& info) {
    if (info.fMask & (MIIM_TYPE | MIIM_FTYPE)) it.type = info.fType;
    if (info.fMask & MIIM_STATE) it.state = info.fState;
    if (info.fMask & MIIM_ID) it.id = info.wID;
    if (info.fMask & MIIM_SUBMENU) it.submenu = info.hSubMenu;
    if (info.fMask & MIIM_DATA) it.data = info.dwItemData;
    bool text_in_type = (info.fMask & MIIM_TYPE) && !(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP));
    if ((text_in_type || (info.fMask & MIIM_STRING)) && info.dwTypeData) it.text = info.dwTypeData;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info) {
    HMENU owner = nullptr;
    int index = find_item(menu, item, by_position != FALSE, &owner);
    if (index < 0 || !info) return FALSE;
    apply_item_info(find_menu(owner)->items[size_t(index)], *info);
    refresh_bar(owner);
    return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info) {
    Menu* m = find_menu(menu);
    if (!m || !info) return FALSE;
    HMENU owner = menu;
    int index = find_item(menu, item, by_position != FALSE, &owner);
    MenuItem fresh;
    apply_item_info(fresh, *info);
    Menu* target = index >= 0 ? find_menu(owner) : m;
    size_t at = index >= 0 ? size_t(index) : target->items.size();
    target->items.insert(target->items.begin() + long(at), fresh);
    refresh_bar(owner);
    return TRUE;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    Window* w = find_window(hwnd);
    if (!w || (w->style & WS_CHILD) || (menu && !find_menu(menu))) return FALSE;
    if (Menu* old = find_menu(w->menu)) old->bar_of = nullptr;
    w->menu = menu;
    if (Menu* m = find_menu(menu)) m->bar_of = hwnd;
    // The client area changes with the bar.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    // Only a bar that grew or shrank (its items wrap) changes the client area.
    if (!rect_equal(nonclient_layout(hwnd).client, w->client)) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        invalidate_frame(hwnd);
    }
    return TRUE;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    HMENU& menu = w->system_menu;
    if (revert || !find_menu(menu)) {
        if (menu) DestroyMenu(menu);
        menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, SC_RESTORE, "&Restore");
        AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
        AppendMenu(menu, MF_STRING, SC_SIZE, "&Size");
        AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
        AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    }
    return revert ? nullptr : menu;
}
