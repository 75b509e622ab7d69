// Window classes: registered by name (case-insensitive), kept while any window uses them.
#include <cstring>
#include <map>
#include <mutex>

#include "platform/user/window_api.h"
#include "platform/user/window_table.h"

namespace kit::user {

namespace {

struct ClassRegistry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<const WindowClass>, CaseInsensitiveLess> classes;
    ATOM next_atom = 0xC000;
};

ClassRegistry& registry() {
    static ClassRegistry r;
    return r;
}

}  // namespace

std::shared_ptr<const WindowClass> find_class(const std::string& name) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second;
}

}  // namespace kit::user

using namespace kit::user;

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->class_extra = wc->cbClsExtra;
    cls->window_extra = wc->cbWndExtra < 0 ? 0 : wc->cbWndExtra;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    if (wc->lpszMenuName) cls->menu_name = wc->lpszMenuName;
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    if (r.classes.count(cls->name)) return 0;  // already registered
    r.classes.emplace(cls->name, std::move(cls));
    return r.next_atom++;
}

BOOL UnregisterClass(const char* name, HINSTANCE) {
    if (!name) return FALSE;
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    // Windows made from the class keep their shared copy.
    return r.classes.erase(name) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, const char* name, WNDCLASS* out) {
    auto cls = name ? find_class(name) : nullptr;
    if (!cls || !out) return FALSE;
    *out = WNDCLASS{cls->style, cls->proc,   cls->class_extra, cls->window_extra, nullptr,
                    nullptr,    cls->cursor, cls->background,  nullptr,           cls->name.c_str()};
    return TRUE;
}

int GetClassName(HWND hwnd, char* buffer, int size) {
    Window* w = find_window(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    int n = int(std::min<size_t>(w->cls->name.size(), size_t(size - 1)));
    std::memcpy(buffer, w->cls->name.data(), size_t(n));
    buffer[n] = 0;
    return n;
}
