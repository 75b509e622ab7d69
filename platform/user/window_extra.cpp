#include "platform/user/window_extra.h"

#include <algorithm>
#include <atomic>

#include "platform/user/window_table.h"

namespace kit::user {

namespace {

std::atomic<std::size_t> live{0};

bool is(const std::shared_ptr<WindowExtra>& extra, const std::type_info& type) {
    const WindowExtra& object = *extra;
    return typeid(object) == type;
}

}  // namespace

WindowExtra::WindowExtra() { ++live; }
WindowExtra::WindowExtra(const WindowExtra&) { ++live; }
WindowExtra::~WindowExtra() { --live; }

std::size_t live_window_extras() { return live.load(); }

namespace detail {

std::shared_ptr<WindowExtra> find_extra(HWND hwnd, const std::type_info& type) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    for (const auto& extra : w->extras) {
        if (is(extra, type)) return extra;
    }
    return nullptr;
}

// Takes the window's piece of `type` out of the record; the caller lets it go
// after the record is consistent again, since a piece's destructor may call
// back into the window manager.
std::shared_ptr<WindowExtra> take_extra(Window& w, const std::type_info& type) {
    auto found = std::find_if(w.extras.begin(), w.extras.end(), [&](const auto& extra) { return is(extra, type); });
    if (found == w.extras.end()) return nullptr;
    std::shared_ptr<WindowExtra> taken = std::move(*found);
    w.extras.erase(found);
    return taken;
}

std::shared_ptr<WindowExtra> attach_extra(HWND hwnd, std::shared_ptr<WindowExtra> extra) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    const WindowExtra& object = *extra;
    std::shared_ptr<WindowExtra> replaced = take_extra(*w, typeid(object));
    w->extras.push_back(extra);
    return extra;
}

void drop_extra(HWND hwnd, const std::type_info& type) {
    if (Window* w = find_window(hwnd)) take_extra(*w, type);
}

}  // namespace detail

}  // namespace kit::user
