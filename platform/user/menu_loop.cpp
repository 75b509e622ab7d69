// The menu loop: TrackPopupMenu and the menu bar, driven by mouse and
// keyboard, with the notifications the owner relies on. Popups are real
// windows of a private class so that they show on every display.
#include <algorithm>
#include <cctype>

#include "platform/gdi/gdi.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/menu_bar.h"
#include "platform/user/menu_model.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/nonclient.h"
#include "platform/user/paint_api.h"
#include "platform/user/rects.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

constexpr const char* kPopupClass = "#32768";

struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int selected = -1;
    PopupLayout layout;
};

class MenuTracker;
// The menu loop running on this thread, if any: each thread runs its own.
thread_local MenuTracker* active_tracker = nullptr;

// Makes a tracker the one its popups paint from, from before its first popup shows.
struct ActiveTracker {
    MenuTracker* outer;
    explicit ActiveTracker(MenuTracker* tracker) : outer(active_tracker) { active_tracker = tracker; }
    ~ActiveTracker() { active_tracker = outer; }
};

class MenuTracker {
public:
    MenuTracker(HWND owner, UINT flags, HMENU bar) : owner_(owner), flags_(flags), bar_(bar) {}
    ~MenuTracker() { close_to(0); }

    UINT run_popup(HMENU menu, POINT at, const RECT* exclude);
    UINT run_bar(POINT screen, int key);

    const Level* level_of(HWND popup) const {
        for (const auto& level : levels_) {
            if (level.window == popup) return &level;
        }
        return nullptr;
    }
    HWND owner() const { return owner_; }
    HMENU bar() const { return bar_; }
    int bar_hot() const { return bar_hot_; }
    bool bar_open() const { return !levels_.empty(); }

private:
    HWND owner_;
    UINT flags_;
    HMENU bar_;
    int bar_hot_ = -1;
    std::vector<Level> levels_;
    UINT chosen_ = 0;
    bool mouse_moved_ = false;

    bool notify() const { return !(flags_ & TPM_NONOTIFY); }
    UINT loop();
    void finish();
    void open_popup(HMENU menu, int position, POINT at, const RECT* exclude, bool from_bar,
                    const RECT* parent = nullptr);
    void open_bar_item(int index, bool select_first);
    void open_submenu(size_t depth);
    void close_to(size_t depth);
    void select(size_t depth, int index);
    void set_bar_hot(int index);
    LoopStep execute(size_t depth, int index, bool by_keyboard);
    LoopStep on_key(const MSG& msg);
    LoopStep on_char(int ch);
    LoopStep on_mouse(const MSG& msg);
    bool item_at(POINT screen, size_t* depth, int* index) const;
    int bar_item_at(POINT screen) const;
    std::vector<RECT> bar_rects_on_screen() const;
    int step_selection(size_t depth, int from, int direction) const;
};

LRESULT popup_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            const Level* level = active_tracker ? active_tracker->level_of(hwnd) : nullptr;
            if (level && dc) paint_popup(dc, level->menu, level->layout, level->selected, active_tracker->owner());
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void register_popup_class() {
    static bool registered = false;
    if (registered) return;
    WNDCLASS wc{};
    wc.lpfnWndProc = popup_proc;
    wc.lpszClassName = kPopupClass;
    RegisterClass(&wc);
    registered = true;
}

// `parent` (a submenu's): the popup opens beside its item over the parent's
// border, or before the parent where the screen has no room after it.
POINT place_popup(POINT at, SIZE size, UINT flags, const RECT* exclude, const RECT* parent) {
    if (flags & TPM_RIGHTALIGN) at.x -= size.cx;
    if (flags & TPM_CENTERALIGN) at.x -= size.cx / 2;
    if (flags & TPM_BOTTOMALIGN) at.y -= size.cy;
    if (flags & TPM_VCENTERALIGN) at.y -= size.cy / 2;
    int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
    RECT r{at.x, at.y, at.x + size.cx, at.y + size.cy};
    if (exclude && !rect_empty(rect_intersection(r, *exclude))) {
        // Keep clear of the rectangle: below it (or beside it with TPM_VERTICAL), else above (or before).
        if (flags & TPM_VERTICAL) {
            at.x = exclude->right + size.cx <= screen_w ? exclude->right : exclude->left - size.cx;
        } else {
            at.y = exclude->bottom + size.cy <= screen_h ? exclude->bottom : exclude->top - size.cy;
        }
    }
    if (parent && at.x + size.cx > screen_w) at.x = parent->left - size.cx;
    if (at.x + size.cx > screen_w) at.x = screen_w - size.cx;
    if (at.y + size.cy > screen_h) at.y = std::max(0, int(at.y - size.cy));
    at.x = std::max(0, int(at.x));
    at.y = std::max(0, int(at.y));
    return at;
}

bool selectable(const MenuItem& item) { return !item.separator(); }

}  // namespace

// `position` is the popup's place in the menu that holds it (0 for TrackPopupMenu's own).
void MenuTracker::open_popup(HMENU menu, int position, POINT at, const RECT* exclude, bool from_bar,
                             const RECT* parent) {
    if (notify()) {
        SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, 0));
    }
    if (!find_menu(menu)) return;
    register_popup_class();
    Level level;
    level.menu = menu;
    level.layout = layout_popup(menu, owner_);
    POINT where = place_popup(at, level.layout.size, from_bar || parent ? 0 : flags_, exclude, parent);
    level.window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, where.x, where.y,
                                  level.layout.size.cx, level.layout.size.cy, owner_, nullptr, nullptr, nullptr);
    levels_.push_back(level);
    ShowWindow(level.window, SW_SHOWNA);
    UpdateWindow(level.window);
}

void MenuTracker::close_to(size_t depth) {
    while (levels_.size() > depth) {
        HWND window = levels_.back().window;
        levels_.pop_back();
        DestroyWindow(window);
    }
    if (bar_) DrawMenuBar(owner_);
}

void MenuTracker::select(size_t depth, int index) {
    if (depth >= levels_.size()) return;
    Level& level = levels_[depth];
    if (level.selected == index) return;
    level.selected = index;
    InvalidateRect(level.window, nullptr, FALSE);
    Menu* m = find_menu(level.menu);
    if (!notify() || !m) return;
    if (index < 0 || size_t(index) >= m->items.size()) {
        SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0), reinterpret_cast<LPARAM>(level.menu));
        return;
    }
    const MenuItem& item = m->items[size_t(index)];
    UINT flags = item.type | item.state | MF_HILITE | (item.submenu ? MF_POPUP : 0);
    WPARAM id = item.submenu ? WPARAM(index) : WPARAM(item.id);
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(int(id), int(flags)), reinterpret_cast<LPARAM>(level.menu));
}

void MenuTracker::set_bar_hot(int index) {
    if (bar_hot_ == index) return;
    bar_hot_ = index;
    DrawMenuBar(owner_);
    Menu* m = find_menu(bar_);
    if (notify() && m && index >= 0 && size_t(index) < m->items.size()) {
        const MenuItem& item = m->items[size_t(index)];
        UINT flags = item.type | item.state | MF_HILITE | (item.submenu ? MF_POPUP : 0);
        WPARAM id = item.submenu ? WPARAM(index) : WPARAM(item.id);
        SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(int(id), int(flags)), reinterpret_cast<LPARAM>(bar_));
    }
}

std::vector<RECT> MenuTracker::bar_rects_on_screen() const {
    NonClientLayout l = nonclient_layout(owner_);
    auto rects = layout_menu_bar(bar_, l.menu_bar.right - l.menu_bar.left, nullptr);
    POINT origin = window_origin_on_screen(owner_);
    for (RECT& r : rects) r = rect_offset(r, origin.x + l.menu_bar.left, origin.y + l.menu_bar.top);
    return rects;
}

int MenuTracker::bar_item_at(POINT screen) const {
    if (!bar_) return -1;
    auto rects = bar_rects_on_screen();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rect_contains(rects[i], screen)) return int(i);
    }
    return -1;
}

void MenuTracker::open_bar_item(int index, bool select_first) {
    close_to(0);
    set_bar_hot(index);
    Menu* m = find_menu(bar_);
    if (!m || index < 0 || size_t(index) >= m->items.size()) return;
    HMENU submenu = m->items[size_t(index)].submenu;
    if (!submenu || m->items[size_t(index)].grayed()) return;
    RECT r = bar_rects_on_screen()[size_t(index)];
    open_popup(submenu, index, POINT{r.left, r.bottom}, nullptr, true);
    if (select_first && !levels_.empty()) select(0, step_selection(0, -1, 1));
    DrawMenuBar(owner_);
}

void MenuTracker::open_submenu(size_t depth) {
    Level& level = levels_[depth];
    Menu* m = find_menu(level.menu);
    if (!m || level.selected < 0) return;
    HMENU submenu = m->items[size_t(level.selected)].submenu;
    if (!submenu || m->items[size_t(level.selected)].grayed()) return;
    RECT r = level.layout.items[size_t(level.selected)];
    POINT at{r.right, r.top - 3};
    ClientToScreen(level.window, &at);
    RECT parent;
    GetWindowRect(level.window, &parent);
    int position = level.selected;
    close_to(depth + 1);
    open_popup(submenu, position, at, nullptr, false, &parent);
}

int MenuTracker::step_selection(size_t depth, int from, int direction) const {
    Menu* m = find_menu(levels_[depth].menu);
    if (!m || m->items.empty()) return -1;
    int count = int(m->items.size());
    int index = from < 0 ? (direction > 0 ? -1 : count) : from;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + direction + count) % count;
        if (selectable(m->items[size_t(index)])) return index;
    }
    return -1;
}

bool MenuTracker::item_at(POINT screen, size_t* depth, int* index) const {
    for (size_t d = levels_.size(); d-- > 0;) {
        const Level& level = levels_[d];
        POINT p = screen;
        ScreenToClient(level.window, &p);
        RECT client{0, 0, level.layout.size.cx, level.layout.size.cy};
        if (!rect_contains(client, p)) continue;
        *depth = d;
        *index = -1;
        for (size_t i = 0; i < level.layout.items.size(); ++i) {
            if (rect_contains(level.layout.items[i], p)) *index = int(i);
        }
        return true;
    }
    return false;
}

LoopStep MenuTracker::execute(size_t depth, int index, bool by_keyboard) {
    Menu* m = find_menu(levels_[depth].menu);
    if (!m || index < 0 || size_t(index) >= m->items.size()) return LoopStep::keep_going;
    const MenuItem item = m->items[size_t(index)];  // a copy: the owner may change the menu when told
    if (item.separator() || item.grayed()) return LoopStep::keep_going;
    select(depth, index);
    if (item.submenu) {
        open_submenu(depth);
        if (by_keyboard && levels_.size() > depth + 1) select(depth + 1, step_selection(depth + 1, -1, 1));
        return LoopStep::keep_going;
    }
    chosen_ = item.id;
    return LoopStep::finished;
}

LoopStep MenuTracker::on_char(int ch) {
    ch = std::tolower(ch & 0xFF);
    bool in_bar = levels_.empty();
    HMENU menu = in_bar ? bar_ : levels_.back().menu;
    Menu* m = find_menu(menu);
    if (!m) return LoopStep::cancelled;
    int current = in_bar ? bar_hot_ : levels_.back().selected;
    std::vector<int> matches;
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (!m->items[i].separator() && mnemonic_of(m->items[i].text) == ch) matches.push_back(int(i));
    }
    if (matches.size() == 1) {
        if (in_bar) {
            open_bar_item(matches[0], true);
            return LoopStep::keep_going;
        }
        return execute(levels_.size() - 1, matches[0], true);
    }
    if (matches.size() > 1) {
        auto next = std::upper_bound(matches.begin(), matches.end(), current);
        int index = next == matches.end() ? matches.front() : *next;
        if (in_bar) {
            set_bar_hot(index);
        } else {
            select(levels_.size() - 1, index);
        }
        return LoopStep::keep_going;
    }
    LRESULT answer =
        SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(ch, in_bar ? 0 : int(MF_POPUP)), reinterpret_cast<LPARAM>(menu));
    int index = LOWORD(std::uintptr_t(answer));
    switch (HIWORD(std::uintptr_t(answer))) {
        case MNC_CLOSE: return LoopStep::cancelled;
        case MNC_EXECUTE:
            if (in_bar) {
                open_bar_item(index, true);
                return LoopStep::keep_going;
            }
            return execute(levels_.size() - 1, index, true);
        case MNC_SELECT:
            if (in_bar) {
                set_bar_hot(index);
            } else {
                select(levels_.size() - 1, index);
            }
            return LoopStep::keep_going;
        default: return LoopStep::keep_going;
    }
}

LoopStep MenuTracker::on_key(const MSG& msg) {
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) return on_char(int(msg.wParam));
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return LoopStep::keep_going;
    size_t depth = levels_.size();
    switch (int(msg.wParam)) {
        case VK_ESCAPE:
            if (depth == 0) return LoopStep::cancelled;
            if (depth == 1 && !bar_) return LoopStep::cancelled;
            close_to(depth - 1);
            return LoopStep::keep_going;
        case VK_MENU:
        case VK_F10:
            // Pressed again, they close the menu; the repeats of the press that opened it do not.
            return (msg.lParam & (LPARAM(1) << 30)) ? LoopStep::keep_going : LoopStep::cancelled;
        case VK_UP:
        case VK_DOWN:
            if (depth == 0) {
                if (bar_) open_bar_item(bar_hot_, true);
                return LoopStep::keep_going;
            }
            select(depth - 1, step_selection(depth - 1, levels_.back().selected, msg.wParam == WPARAM(VK_UP) ? -1 : 1));
            return LoopStep::keep_going;
        case VK_RIGHT: {
            if (depth > 0) {
                const Level& level = levels_.back();
                Menu* m = find_menu(level.menu);
                if (m && level.selected >= 0 && m->items[size_t(level.selected)].submenu) {
                    return execute(depth - 1, level.selected, true);
                }
            }
            if (bar_) {
                int count = GetMenuItemCount(bar_);
                int next = count > 0 ? (bar_hot_ + 1) % count : -1;
                if (depth > 0) {
                    open_bar_item(next, true);
                } else {
                    set_bar_hot(next);
                }
            }
            return LoopStep::keep_going;
        }
        case VK_LEFT:
            if (depth > 1) {
                close_to(depth - 1);
                return LoopStep::keep_going;
            }
            if (bar_) {
                int count = GetMenuItemCount(bar_);
                int prev = count > 0 ? (bar_hot_ - 1 + count) % count : -1;
                if (depth > 0) {
                    open_bar_item(prev, true);
                } else {
                    set_bar_hot(prev);
                }
            }
            return LoopStep::keep_going;
        case VK_RETURN:
            if (depth == 0) {
                if (bar_) open_bar_item(bar_hot_, true);
                return LoopStep::keep_going;
            }
            return execute(depth - 1, levels_.back().selected, true);
        default: {
            MSG copy = msg;
            TranslateMessage(&copy);  // the character comes back as WM_CHAR
            return LoopStep::keep_going;
        }
    }
}

LoopStep MenuTracker::on_mouse(const MSG& msg) {
    POINT screen = msg.pt;
    size_t depth = 0;
    int index = -1;
    bool in_popup = item_at(screen, &depth, &index);
    int bar_index = in_popup ? -1 : bar_item_at(screen);
    bool right_ok = (flags_ & TPM_RIGHTBUTTON) != 0;
    bool down =
        msg.message == WM_LBUTTONDOWN || (right_ok && msg.message == WM_RBUTTONDOWN) || msg.message == WM_LBUTTONDBLCLK;
    bool up = msg.message == WM_LBUTTONUP || (right_ok && msg.message == WM_RBUTTONUP);
    if (msg.message == WM_RBUTTONDOWN && !right_ok && !in_popup) return LoopStep::cancelled;

    if (msg.message == WM_MOUSEMOVE) {
        mouse_moved_ = true;
        if (in_popup) {
            if (levels_.size() > depth + 1 && levels_[depth].selected != index) close_to(depth + 1);
            select(depth, index);
            Menu* m = find_menu(levels_[depth].menu);
            if (m && index >= 0 && m->items[size_t(index)].submenu && levels_.size() == depth + 1) open_submenu(depth);
        } else if (bar_index >= 0 && bar_index != bar_hot_ && (!levels_.empty() || bar_hot_ >= 0)) {
            open_bar_item(bar_index, false);
        }
        return LoopStep::keep_going;
    }
    if (down) {
        mouse_moved_ = true;
        if (in_popup) return LoopStep::keep_going;
        if (bar_index >= 0) {
            // A click on the open item closes the menu; on another item opens that one.
            if (bar_index == bar_hot_ && !levels_.empty()) return LoopStep::cancelled;
            open_bar_item(bar_index, false);
            return LoopStep::keep_going;
        }
        return LoopStep::cancelled;
    }
    if (up && in_popup && mouse_moved_) return execute(depth, index, false);
    return LoopStep::keep_going;
}

UINT MenuTracker::loop() {
    LoopStep end = run_capture_loop(
        owner_,
        [&](const MSG& msg) {
            MSG copy = msg;
            if (CallMsgFilter(&copy, MSGF_MENU)) return LoopStep::keep_going;
            if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
                msg.message == WM_SYSCHAR || msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
                return on_key(msg);
            }
            if (is_mouse_message(msg.message)) return on_mouse(msg);
            return LoopStep::keep_going;
        },
        [&] {
            HWND shown = levels_.empty() ? nullptr : levels_.back().window;
            SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(shown));
        });
    if (end != LoopStep::finished) chosen_ = 0;
    finish();
    return chosen_;
}

void MenuTracker::finish() {
    close_to(0);
    bar_hot_ = -1;
    if (bar_) DrawMenuBar(owner_);
    if (notify()) SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner_, WM_EXITMENULOOP, bar_ ? FALSE : TRUE, 0);
}

UINT MenuTracker::run_popup(HMENU menu, POINT at, const RECT* exclude) {
    ActiveTracker scope(this);
    SendMessage(owner_, WM_ENTERMENULOOP, TRUE, 0);
    if (notify()) SendMessage(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    // The loop takes the mouse; a later button release is a choice only after the mouse moved.
    open_popup(menu, 0, at, exclude, false);
    if (levels_.empty()) {
        finish();
        return 0;
    }
    return loop();
}

UINT MenuTracker::run_bar(POINT screen, int key) {
    ActiveTracker scope(this);
    SendMessage(owner_, WM_ENTERMENULOOP, FALSE, 0);
    SendMessage(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(bar_), 0);
    if (screen.x != -1 || screen.y != -1) {
        int index = bar_item_at(screen);
        if (index < 0) {
            finish();
            return 0;
        }
        mouse_moved_ = true;
        open_bar_item(index, false);
    } else if (key) {
        set_bar_hot(-1);
        if (on_char(key) != LoopStep::keep_going || (bar_hot_ < 0 && levels_.empty())) {
            finish();
            return chosen_;
        }
    } else {
        set_bar_hot(0);
    }
    return loop();
}

namespace kit::user {

int menu_bar_hot_item(HWND hwnd) {
    return active_tracker && active_tracker->bar() && active_tracker->owner() == hwnd ? active_tracker->bar_hot() : -1;
}

bool menu_bar_item_open(HWND hwnd) { return menu_bar_hot_item(hwnd) >= 0 && active_tracker->bar_open(); }

void track_menu_bar(HWND hwnd, POINT screen, int key) {
    HMENU bar = GetMenu(hwnd);
    if (!bar || active_tracker) return;
    MenuTracker tracker(hwnd, 0, bar);
    UINT chosen = tracker.run_bar(screen, key);
    if (chosen) PostMessage(hwnd, WM_COMMAND, chosen, 0);
}

}  // namespace kit::user

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
    if (!find_menu(menu) || !IsWindow(owner) || active_tracker) return FALSE;
    MenuTracker tracker(owner, flags, nullptr);
    UINT chosen = tracker.run_popup(menu, POINT{x, y}, params ? &params->rcExclude : nullptr);
    if (flags & TPM_RETURNCMD) return BOOL(chosen);
    if (chosen) PostMessage(owner, WM_COMMAND, chosen, 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    if (!active_tracker) return FALSE;
    // Taking the capture away ends the loop at its next step.
    if (GetCapture() == active_tracker->owner()) ReleaseCapture();
    return TRUE;
}
