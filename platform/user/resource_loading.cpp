#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "platform/user/accelerator_api.h"
#include "platform/user/menu_api.h"
#include "platform/user/resource_api.h"
#include "platform/user/system_api.h"

namespace {

unsigned id_of(const char* name) { return IS_INTRESOURCE(name) ? unsigned(reinterpret_cast<std::uintptr_t>(name)) : 0; }

void append_items(HMENU menu, const std::vector<kit::res::MenuItem>& items) {
    for (const auto& item : items) {
        if (item.popup) {
            HMENU sub = CreatePopupMenu();
            append_items(sub, item.children);
            AppendMenu(menu, MF_POPUP | item.flags, reinterpret_cast<UINT_PTR>(sub), item.text.c_str());
        } else if (item.flags & MF_SEPARATOR) {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenu(menu, MF_STRING | item.flags, item.id, item.text.c_str());
        }
    }
}

// Cursor handles carry their resource id; they are never dereferenced.
constexpr std::uintptr_t kCursorTag = 0x70000;

}  // namespace

int LoadString(HINSTANCE, UINT id, char* buffer, int size) {
    const std::string* text = kit::res::find_string(id);
    if (!text || !buffer || size <= 0) return 0;
    int n = int(std::min<size_t>(text->size(), size_t(size - 1)));
    std::memcpy(buffer, text->data(), size_t(n));
    buffer[n] = 0;
    return n;
}

HMENU LoadMenu(HINSTANCE, const char* name) {
    const kit::res::Menu* found = kit::res::find_menu(id_of(name));
    if (!found) return nullptr;
    HMENU menu = CreateMenu();
    append_items(menu, found->items);
    return menu;
}

HACCEL LoadAccelerators(HINSTANCE, const char* name) {
    const kit::res::AcceleratorTable* found = kit::res::find_accelerators(id_of(name));
    if (!found || found->entries.empty()) return nullptr;
    std::vector<ACCEL> entries;
    for (const auto& a : found->entries) entries.push_back(ACCEL{a.flags, a.key, a.command});
    return CreateAcceleratorTable(entries.data(), int(entries.size()));
}

HBITMAP LoadBitmap(HINSTANCE, const char* name) {
    const kit::res::Picture* p = kit::res::find_picture(kit::res::PictureKind::bitmap, id_of(name));
    if (!p) return nullptr;
    auto surface = std::make_shared<gdi::Surface>(p->width, p->height);
    gdi::Pixel face = gdi::pixel_from_colorref(GetSysColor(COLOR_3DFACE));
    for (int y = 0; y < p->height; ++y) {
        for (int x = 0; x < p->width; ++x) {
            std::uint32_t argb = p->pixels[size_t(y) * size_t(p->width) + size_t(x)];
            surface->set(x, y, (argb >> 24) ? (argb & 0xFFFFFF) : face);
        }
    }
    return gdi::create_bitmap_over(surface);
}

HCURSOR LoadCursor(HINSTANCE instance, const char* name) {
    unsigned id = id_of(name);
    bool standard = !instance && id >= 32512;
    if (!id || (!standard && !kit::res::find_picture(kit::res::PictureKind::cursor, id))) return nullptr;
    return reinterpret_cast<HCURSOR>(kCursorTag | id);
}

HICON LoadIcon(HINSTANCE, const char* name) {
    unsigned id = id_of(name);
    if (!id || !kit::res::find_picture(kit::res::PictureKind::icon, id)) return nullptr;
    return reinterpret_cast<HICON>(kCursorTag | id);
}

namespace kit::user {

unsigned cursor_id(HCURSOR cursor) {
    auto value = reinterpret_cast<std::uintptr_t>(cursor);
    return (value & ~std::uintptr_t(0xFFFF)) == kCursorTag ? unsigned(value & 0xFFFF) : 0;
}

}  // namespace kit::user
