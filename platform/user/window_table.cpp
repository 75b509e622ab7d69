#include "platform/user/window_table.h"

#include <algorithm>
#include <mutex>
#include <strings.h>
#include <unordered_map>

#include "platform/user/handles.h"

namespace kit::user {

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
    std::vector<HWND> top_level;  // z-order, topmost first
};

Table& table() {
    static Table t;
    return t;
}

}  // namespace

Window* find_window(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.windows.find(value_of(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

std::shared_ptr<MessageQueue> queue_of(HWND hwnd) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.windows.find(value_of(hwnd));
    return it == t.windows.end() ? nullptr : it->second->queue;
}

bool is_descendant(HWND ancestor, HWND hwnd) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    while (hwnd) {
        auto it = t.windows.find(value_of(hwnd));
        if (it == t.windows.end()) return false;
        hwnd = it->second->parent;
        if (hwnd == ancestor) return true;
    }
    return false;
}

Window& add_window(std::unique_ptr<Window> window) {
    window->handle = allocate_window_handle(window->parent == nullptr);
    auto& t = table();
    std::lock_guard lock(t.mutex);
    Window& w = *window;
    if (!w.parent) t.top_level.insert(t.top_level.begin(), w.handle);
    t.windows.emplace(value_of(w.handle), std::move(window));
    return w;
}

void remove_window(HWND hwnd) {
    std::unique_ptr<Window> doomed;
    auto& t = table();
    {
        std::lock_guard lock(t.mutex);
        auto it = t.windows.find(value_of(hwnd));
        if (it == t.windows.end()) return;
        doomed = std::move(it->second);
        t.windows.erase(it);
        std::erase(t.top_level, hwnd);
    }
}

std::vector<HWND> top_level_windows() {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    return t.top_level;
}

}  // namespace kit::user

namespace kit::user {

void restack_top_level(HWND hwnd, HWND after) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    restack(t.top_level, hwnd, after);
}

void restack(std::vector<HWND>& list, HWND hwnd, HWND after) {
    auto it = std::find(list.begin(), list.end(), hwnd);
    if (it == list.end() || hwnd == after) return;
    list.erase(it);
    if (after == HWND_TOP || after == HWND_TOPMOST) {
        list.insert(list.begin(), hwnd);
    } else if (after == HWND_BOTTOM || after == HWND_NOTOPMOST) {
        list.push_back(hwnd);
    } else {
        auto at = std::find(list.begin(), list.end(), after);
        list.insert(at == list.end() ? list.begin() : at + 1, hwnd);
    }
}

}  // namespace kit::user
