#include "platform/display/sdl_display.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "platform/display/headless.h"
#include "platform/display/window_mask.h"
#include "platform/display/x11_stacking.h"
#include "platform/gdi/code_page.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/win_rect.h"
#include "platform/os/module.h"
#include "platform/res/resources.h"
#include "platform/user/context_menu_key.h"
#include "platform/user/user.h"

namespace kit::display {

struct Sdl::Impl {
    std::map<HWND, SDL_Window*> windows;
    // Windows with a region that the screen could not shape: their corners are filled in.
    std::map<HWND, WindowMask> unshaped;
    std::set<HWND> dirty;
    user::CaretState caret_shown;  // as last presented
    HCURSOR cursor_shown = nullptr;
    bool capture_wanted = false;  // the program holds the mouse capture
    // A menu was mapped: without a window manager X's keyboard goes to it and back.
    bool menu_bounce = false;
    // Just after a window took the keyboard in such a bounce: SDL is replaying the
    // modifiers it finds held.
    bool replaying_modifiers = false;
    std::map<unsigned, SDL_Cursor*> cursors;  // by resource id
    // Windows the window manager maximized: its restore brings them back to their normal place.
    std::set<HWND> maximized_by_manager;

    // The mouse pointer follows SetCursor: standard shapes from the system,
    // the programs' own from their resource pictures.
    void show_cursor() {
        HCURSOR wanted = GetCursor();
        if (wanted == cursor_shown) return;
        cursor_shown = wanted;
        unsigned id = user::cursor_id(wanted);
        if (!id) return;
        SDL_Cursor*& cursor = cursors[id];
        if (!cursor) cursor = make_cursor(id);
        if (cursor) SDL_SetCursor(cursor);
    }

    static SDL_Cursor* make_cursor(unsigned id) {
        static const std::map<unsigned, SDL_SystemCursor> standard = {
            {32512, SDL_SYSTEM_CURSOR_ARROW},     {32513, SDL_SYSTEM_CURSOR_IBEAM},  {32514, SDL_SYSTEM_CURSOR_WAIT},
            {32515, SDL_SYSTEM_CURSOR_CROSSHAIR}, {32644, SDL_SYSTEM_CURSOR_SIZEWE}, {32645, SDL_SYSTEM_CURSOR_SIZENS},
            {32648, SDL_SYSTEM_CURSOR_NO},
        };
        if (auto it = standard.find(id); it != standard.end()) return SDL_CreateSystemCursor(it->second);
        const res::Picture* picture = res::find_picture(res::PictureKind::cursor, id);
        if (!picture) return nullptr;
        SDL_Surface* image =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(picture->pixels.data()), picture->width,
                                               picture->height, 32, picture->width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!image) return nullptr;
        SDL_Cursor* cursor = SDL_CreateColorCursor(image, picture->hot_x, picture->hot_y);
        SDL_FreeSurface(image);
        return cursor;
    }

    HWND window_of(Uint32 id) const {
        SDL_Window* w = SDL_GetWindowFromID(id);
        for (const auto& [hwnd, window] : windows) {
            if (window == w) return hwnd;
        }
        return nullptr;
    }

    POINT to_screen(Uint32 window_id, int x, int y) const {
        HWND hwnd = window_of(window_id);
        RECT r{0, 0, 0, 0};
        if (hwnd) GetWindowRect(hwnd, &r);
        return POINT{r.left + x, r.top + y};
    }

    // Copies the composed window (and caret) to the SDL window, following its place and size.
    void show(HWND hwnd, SDL_Window* window) {
        gdi::Surface picture = compose(hwnd);
        if (picture.empty()) return;
        if (auto mask = unshaped.find(hwnd); mask != unshaped.end()) fill_outside(picture, mask->second);
        RECT r;
        GetWindowRect(hwnd, &r);
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(window, &x, &y);
        SDL_GetWindowSize(window, &w, &h);
        if (x != r.left || y != r.top) SDL_SetWindowPosition(window, r.left, r.top);
        if (w != picture.width() || h != picture.height()) SDL_SetWindowSize(window, picture.width(), picture.height());
        SDL_Surface* target = SDL_GetWindowSurface(window);
        if (!target) return;
        SDL_Surface* source =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<gdi::Pixel*>(picture.pixels().data()), picture.width(),
                                               picture.height(), 32, picture.width() * 4, SDL_PIXELFORMAT_RGB888);
        if (!source) return;
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurface(window);
    }

    void present_dirty() {
        show_cursor();
        // The caret blinks on its own: a change in it redraws its window.
        user::CaretState caret = user::caret_state();
        if (caret.hwnd != caret_shown.hwnd || caret.visible != caret_shown.visible ||
            !EqualRect(&caret.rect, &caret_shown.rect)) {
            if (HWND top = GetAncestorTopLevel(caret.hwnd ? caret.hwnd : caret_shown.hwnd)) dirty.insert(top);
            caret_shown = caret;
        }
        for (HWND hwnd : dirty) {
            auto it = windows.find(hwnd);
            if (it != windows.end()) show(hwnd, it->second);
        }
        dirty.clear();
    }

    // Without a window manager, X gives the keyboard to each window as it is
    // mapped and to no window when it goes: when a window that had the keyboard
    // (a menu, a drop-down list) goes, it returns to the active window.
    void keyboard_to_active_after(SDL_Window* leaving) {
        if (SDL_GetKeyboardFocus() == leaving) keyboard_to_active(leaving);
    }
    // Gives X's keyboard to the active window, unless that is `other`.
    void keyboard_to_active(SDL_Window* other) {
        auto active = windows.find(GetActiveWindow());
        if (active != windows.end() && active->second != other && IsWindowVisible(active->first))
            SDL_SetWindowInputFocus(active->second);
    }

    static void restore_if_minimized(HWND hwnd) {
        if (hwnd && IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    }

    // The window manager's own changes of a window's state become the window's: minimized,
    // maximized, and restored from either. A window maximized by its own caption is only
    // sized (the manager never maximized it), so a restore the manager reports for it is the
    // echo of its coming back from minimized, not a request to leave its maximized place.
    void follow_manager(SDL_WindowEventID event, HWND hwnd) {
        if (!hwnd) return;
        if (event == SDL_WINDOWEVENT_MAXIMIZED) {
            maximized_by_manager.insert(hwnd);
            if (!IsZoomed(hwnd)) ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        } else if (event == SDL_WINDOWEVENT_MINIMIZED) {
            if (!IsIconic(hwnd)) ShowWindow(hwnd, SW_MINIMIZE);
        } else if (event == SDL_WINDOWEVENT_RESTORED) {
            const bool manager_maximized = maximized_by_manager.erase(hwnd) > 0;
            if (IsIconic(hwnd) || (manager_maximized && IsZoomed(hwnd))) ShowWindow(hwnd, SW_RESTORE);
        }
    }

    // The window manager (or the user through it) moved a window: it stays there. A maximized
    // one keeps its place past the edges: taken as its own, that place would come back at the
    // next start, stretched past the screen.
    static void moved_by_user(HWND hwnd, int x, int y) {
        if (!hwnd || IsZoomed(hwnd)) return;
        RECT r;
        GetWindowRect(hwnd, &r);
        if (r.left != x || r.top != y)
            SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The window manager sized a window (a sizable one, through its keys or menu): it takes
    // that size, a maximized one aside, as above.
    static void sized_by_user(HWND hwnd, int width, int height) {
        if (!hwnd || IsZoomed(hwnd)) return;
        RECT r;
        GetWindowRect(hwnd, &r);
        if (r.right - r.left != width || r.bottom - r.top != height)
            SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Without a window manager X neither moves its keyboard nor restacks on a click: the
    // clicked window comes to the front with its owned windows above it, and takes the
    // keyboard, as it takes the activation; while a modal window disables it, the active
    // window (the dialog) does. Menus and tips never take it.
    void keyboard_on_click(Uint32 window_id) {
        SDL_Window* window = SDL_GetWindowFromID(window_id);
        HWND hwnd = window_of(window_id);
        if (!window || !hwnd || (SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU)) return;
        if (!IsWindowEnabled(hwnd)) {
            keyboard_to_active(nullptr);
            return;
        }
        raise_without_keyboard(window);
        for (const auto& [owned, owned_window] : windows) {
            if (GetWindow(owned, GW_OWNER) == hwnd && IsWindowVisible(owned)) raise_without_keyboard(owned_window);
        }
        if (SDL_GetKeyboardFocus() != window) SDL_SetWindowInputFocus(window);
    }

    // While a button is down here, the buttons the X server has held now: a release it sent
    // elsewhere (a pointer grab refused) then ends the press at the next move. SDL's own report
    // with the move would still count the button held, as SDL never heard the release either.
    static std::optional<user::HeldButtons> buttons_held() {
        const auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
        if (!down(VK_LBUTTON) && !down(VK_RBUTTON) && !down(VK_MBUTTON)) return std::nullopt;
        const Uint32 held = SDL_GetGlobalMouseState(nullptr, nullptr);
        return user::HeldButtons{(held & SDL_BUTTON_LMASK) != 0, (held & SDL_BUTTON_RMASK) != 0,
                                 (held & SDL_BUTTON_MMASK) != 0};
    }

    static bool is_menu(Uint32 window_id) {
        SDL_Window* window = SDL_GetWindowFromID(window_id);
        return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU);
    }
    static bool is_modifier(SDL_Keycode key) {
        return key == SDLK_LALT || key == SDLK_RALT || key == SDLK_LSHIFT || key == SDLK_RSHIFT || key == SDLK_LCTRL ||
               key == SDLK_RCTRL || key == SDLK_LGUI || key == SDLK_RGUI;
    }

    // Each time a window takes X's keyboard, SDL sends it the modifiers it finds held. A menu
    // mapped without a window manager has the keyboard for a moment, then the active window
    // takes it back, and the keys of the Alt+letter that opened the menu may still be held
    // then: an Alt that came down again would close the menu at once. A press replayed in
    // such a bounce, or sent to a menu, is not the person's; the releases go through (a
    // release of a key that is up changes nothing).
    bool replayed_modifier_press(const SDL_Event& e) {
        const bool modifier = (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && is_modifier(e.key.keysym.sym);
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            replaying_modifiers = menu_bounce;
            if (!is_menu(e.window.windowID)) menu_bounce = false;
        } else if (!modifier) {
            replaying_modifiers = false;
        }
        return modifier && e.type == SDL_KEYDOWN && (replaying_modifiers || is_menu(e.key.windowID));
    }

    void handle(const SDL_Event& e) {
        const bool replayed = replayed_modifier_press(e);
        switch (e.type) {
            case SDL_MOUSEMOTION:
                user::inject_mouse_move(to_screen(e.motion.windowID, e.motion.x, e.motion.y), buttons_held());
                break;
            case SDL_MOUSEBUTTONDOWN:
                // A click on a window that is still on screen though minimized (no window manager
                // iconified it) brings it back first.
                restore_if_minimized(window_of(e.button.windowID));
                keyboard_on_click(e.button.windowID);
                [[fallthrough]];
            case SDL_MOUSEBUTTONUP: {
                user::MouseButton button = e.button.button == SDL_BUTTON_RIGHT    ? user::MouseButton::right
                                           : e.button.button == SDL_BUTTON_MIDDLE ? user::MouseButton::middle
                                                                                  : user::MouseButton::left;
                user::inject_mouse_button(button, e.type == SDL_MOUSEBUTTONDOWN,
                                          to_screen(e.button.windowID, e.button.x, e.button.y));
                break;
            }
            case SDL_MOUSEWHEEL: {
                POINT at;
                GetCursorPos(&at);
                user::inject_mouse_wheel(e.wheel.y * WHEEL_DELTA, at);
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                if (replayed) break;
                if (int vk = virtual_key_of_sdl(e.key.keysym.sym)) user::inject_key(vk, e.type == SDL_KEYDOWN);
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    if (HWND hwnd = window_of(e.window.windowID)) PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    if (HWND hwnd = window_of(e.window.windowID)) dirty.insert(hwnd);
                } else if (e.window.event == SDL_WINDOWEVENT_MOVED) {
                    moved_by_user(window_of(e.window.windowID), e.window.data1, e.window.data2);
                } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    sized_by_user(window_of(e.window.windowID), e.window.data1, e.window.data2);
                } else if (e.window.event == SDL_WINDOWEVENT_MAXIMIZED || e.window.event == SDL_WINDOWEVENT_MINIMIZED ||
                           e.window.event == SDL_WINDOWEVENT_RESTORED) {
                    follow_manager(SDL_WindowEventID(e.window.event), window_of(e.window.windowID));
                } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    // The manager gave the keyboard to a window it keeps minimized for us: it is back.
                    restore_if_minimized(window_of(e.window.windowID));
                    // SDL captures the mouse only for a window with the keyboard: a capture taken
                    // by the press that brought the keyboard from another program starts now.
                    if (capture_wanted) SDL_CaptureMouse(SDL_TRUE);
                }
                break;
            default: break;
        }
    }
};

namespace {

// A shaped window cut to `mask`, or null where the screen cannot shape windows.
SDL_Window* create_shaped(const WindowMask& mask, const char* title, int x, int y, Uint32 flags) {
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, mask.width, mask.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!picture) return nullptr;
    SDL_LockSurface(picture);
    for (int row = 0; row < mask.height; ++row) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(picture->pixels) +
                                                        std::ptrdiff_t(row) * picture->pitch);
        for (int column = 0; column < mask.width; ++column)
            pixels[column] = mask.contains(column, row) ? 0xFF000000u : 0;
    }
    SDL_UnlockSurface(picture);
    SDL_Window* window =
        SDL_CreateShapedWindow(title, unsigned(x), unsigned(y), unsigned(mask.width), unsigned(mask.height), flags);
    SDL_WindowShapeMode mode{};
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    if (window && SDL_SetWindowShape(window, picture, &mode) != 0) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    SDL_FreeSurface(picture);
    // SDL leaves a shaped window where it first makes it (off the screen) when x or y is 0.
    if (window) SDL_SetWindowPosition(window, x, y);
    return window;
}

// The window's caption as the window manager takes it (window lists and task bars show it).
std::string caption_of(HWND hwnd) {
    std::string text(std::size_t(std::max(0, GetWindowTextLength(hwnd))) + 1, '\0');
    text.resize(std::size_t(GetWindowText(hwnd, text.data(), int(text.size()))));
    return gdi::to_utf8(text);
}

// Said once: where shapes are missing, a person should know the square corners are not a fault.
void report_no_shapes() {
    static bool said = false;
    if (said) return;
    said = true;
    std::fprintf(stderr, "%s: this screen cannot shape windows (%s); their corners are filled in instead\n",
                 os::module_path().filename().c_str(), SDL_GetError());
}

}  // namespace

std::unique_ptr<Sdl> Sdl::open(std::string* error) {
    // A window surface drawn through a renderer makes SDL re-create the X window
    // behind our back, which loses its shape and its place; the plain surface keeps both.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click that activates a window is also a click in it, as the programs expect (a window
    // decides through WM_MOUSEACTIVATE): SDL would drop a press that came with the keyboard, so
    // under a window manager a drag from an inactive window never started and a double click
    // on it counted as one click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // With only an X display named, SDL looks for X alone: its search for a Wayland server
    // that is not there talks on stderr, and an X server that does not answer is then
    // reported here in one line.
    const char* x_display = std::getenv("DISPLAY");
    const bool x_alone = x_display && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("SDL_VIDEODRIVER");
    if (x_alone) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error)
            *error = x_alone
                         ? "no screen to show windows on (no X server answers at DISPLAY=" + std::string(x_display) +
                               "): set DISPLAY to an X server, or KIT_DISPLAY=headless"
                         : std::string("SDL cannot reach a screen: ") + SDL_GetError();
        return nullptr;
    }
    // Without a screen SDL falls back to drivers that draw nowhere; a program asked
    // for a real display would then run unseen until killed. Only a driver named
    // in SDL_VIDEODRIVER is taken as meant.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && !(asked && driver == asked)) {
        SDL_Quit();
        if (error)
            *error = "no screen to show windows on (SDL found only its " + driver +
                     " driver): set DISPLAY to an X server, or KIT_DISPLAY=headless";
        return nullptr;
    }
    std::unique_ptr<Sdl> display(new Sdl(std::make_unique<Impl>()));
    user::set_backend(display.get());
    // The metrics follow the real screen, so windows centre and clamp on it.
    SDL_Rect bounds{}, usable{};
    if (SDL_GetDisplayBounds(0, &bounds) == 0) {
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = bounds;
        user::set_screen_size(RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h},
                              RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h});
    }
    return display;
}

Sdl::Sdl(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Sdl::~Sdl() {
    if (&user::backend() == this) user::set_backend(nullptr);
    for (auto& [hwnd, window] : impl_->windows) SDL_DestroyWindow(window);
    for (auto& [id, cursor] : impl_->cursors) {
        if (cursor) SDL_FreeCursor(cursor);
    }
    SDL_Quit();
}

std::uint64_t Sdl::now_ms() {
    auto since_epoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count());
}

void Sdl::idle(std::uint64_t deadline_ms) {
    impl_->present_dirty();
    // Other threads post without waking SDL, so the wait is short.
    std::uint64_t now = now_ms();
    int wait = deadline_ms == user::kNoDeadline
                   ? 10
                   : int(std::min<std::uint64_t>(10, deadline_ms > now ? deadline_ms - now : 0));
    // Polled, not waited for: SDL wakes a waiting thread through a message to
    // one of the windows, which may be gone by then (a fatal X error).
    SDL_Event e;
    bool any = false;
    while (SDL_PollEvent(&e)) {
        impl_->handle(e);
        any = true;
    }
    if (!any && wait > 0) SDL_Delay(Uint32(wait));
}

void Sdl::top_level_shown(HWND hwnd, bool shown) {
    auto it = impl_->windows.find(hwnd);
    if (!shown) {
        if (it != impl_->windows.end()) {
            SDL_HideWindow(it->second);
            impl_->keyboard_to_active_after(it->second);
        }
        return;
    }
    if (it == impl_->windows.end()) {
        RECT r;
        GetWindowRect(hwnd, &r);
        // A window is never mapped where the user cannot reach it. A maximized one keeps its
        // borders past the screen's edges, as it was placed: moved, its far edges would be cut.
        if (RECT fitted = user::fit_on_screen(r); !IsZoomed(hwnd) && !EqualRect(&fitted, &r)) {
            SetWindowPos(hwnd, nullptr, fitted.left, fitted.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            r = fitted;
        }
        Uint32 flags = SDL_WINDOW_BORDERLESS;
        LONG style = GetWindowLong(hwnd, GWL_STYLE), ex_style = GetWindowLong(hwnd, GWL_EXSTYLE);
        // Menus, drop-down lists and tips are the program's own business: no
        // window manager places them or takes clicks on them for itself.
        if ((ex_style & WS_EX_TOPMOST) && (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION)
            flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
        else if (ex_style & WS_EX_TOPMOST)
            flags |= SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
        if (ex_style & WS_EX_TOOLWINDOW) flags |= SDL_WINDOW_SKIP_TASKBAR;
        // Else SDL tells the window manager the smallest size is the largest, which
        // greys its Maximize, Restore and Resize.
        if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
        const std::string title = caption_of(hwnd);
        int width = std::max(1, int(r.right - r.left)), height = std::max(1, int(r.bottom - r.top));
        WindowMask mask = window_mask(hwnd, width, height);
        SDL_Window* window = nullptr;
        if (mask.shaped()) {
            window = create_shaped(mask, title.c_str(), r.left, r.top, flags);
            if (!window) {
                report_no_shapes();
                impl_->unshaped[hwnd] = std::move(mask);
            } else {
                impl_->unshaped.erase(hwnd);
            }
        }
        if (!window) window = SDL_CreateWindow(title.c_str(), r.left, r.top, width, height, flags);
        if (!window) return;
        it = impl_->windows.emplace(hwnd, window).first;
        // A window manager keeps an owned window (a floating toolbar, a dialog) above its owner
        // when told it belongs to it; else a click on the owner would bury it.
        if (auto owner = impl_->windows.find(GetWindow(hwnd, GW_OWNER)); owner != impl_->windows.end())
            SDL_SetWindowModalFor(window, owner->second);
    }
    SDL_ShowWindow(it->second);
    // A menu, a drop-down list or a tip never has the keyboard, yet without a window manager X
    // gives it to each window as it is mapped, and to no window once the menu goes: keys typed
    // in that moment were lost. The active window keeps it.
    if (SDL_GetWindowFlags(it->second) & SDL_WINDOW_POPUP_MENU) {
        impl_->menu_bounce = true;
        impl_->keyboard_to_active(it->second);
    }
    impl_->dirty.insert(hwnd);
    // Owned windows stay above their owner, also those shown before it (a splash over the
    // main window that is still coming up).
    for (const auto& [owned, window] : impl_->windows) {
        if (GetWindow(owned, GW_OWNER) != hwnd) continue;
        SDL_SetWindowModalFor(window, it->second);
        if (IsWindowVisible(owned)) SDL_RaiseWindow(window);
    }
}

// Another program (the simulator) may have the keyboard: the window manager, or X
// itself without one, is asked to raise this window and give it the keys.
void Sdl::brought_to_front(HWND hwnd) {
    auto it = impl_->windows.find(hwnd);
    if (it == impl_->windows.end() || !IsWindowVisible(hwnd)) return;
    SDL_RaiseWindow(it->second);
    SDL_SetWindowInputFocus(it->second);
}

void Sdl::top_level_destroyed(HWND hwnd) {
    auto it = impl_->windows.find(hwnd);
    if (it == impl_->windows.end()) return;
    SDL_Window* window = it->second;
    impl_->windows.erase(it);
    impl_->dirty.erase(hwnd);
    impl_->maximized_by_manager.erase(hwnd);
    impl_->unshaped.erase(hwnd);
    SDL_HideWindow(window);
    impl_->keyboard_to_active_after(window);
    SDL_DestroyWindow(window);
}

// The manager hears of minimizing and of coming back from it, and of leaving the maximized
// state it gave; a maximize of the window's own is a size it takes, so the manager is not
// asked to restore a window it maximized when the window follows that.
void Sdl::top_level_minimized(HWND hwnd, bool minimized) {
    auto it = impl_->windows.find(hwnd);
    if (it == impl_->windows.end()) return;
    const Uint32 flags = SDL_GetWindowFlags(it->second);
    if (minimized)
        SDL_MinimizeWindow(it->second);
    else if ((flags & SDL_WINDOW_MINIMIZED) || ((flags & SDL_WINDOW_MAXIMIZED) && !IsZoomed(hwnd)))
        SDL_RestoreWindow(it->second);
}

void Sdl::caption_changed(HWND hwnd) {
    auto it = impl_->windows.find(hwnd);
    if (it != impl_->windows.end()) SDL_SetWindowTitle(it->second, caption_of(hwnd).c_str());
}

void Sdl::shape_changed(HWND hwnd) {
    // SDL shapes a window only when it is made, so a new shape means a new window.
    if (!impl_->windows.count(hwnd)) return;
    top_level_destroyed(hwnd);
    top_level_shown(hwnd, IsWindowVisible(hwnd));
}

void Sdl::present(HWND hwnd) { impl_->dirty.insert(hwnd); }

void Sdl::capture_changed(HWND hwnd) {
    // Capturing keeps the mouse reports coming while it leaves the window. SDL refuses while no
    // window of ours has the keyboard (a press that takes it from another program); then the
    // reports stopped at the window's edge and a release off our windows was never heard, so it
    // is asked again when the keyboard arrives.
    impl_->capture_wanted = hwnd != nullptr;
    SDL_CaptureMouse(hwnd ? SDL_TRUE : SDL_FALSE);
}

void Sdl::set_clipboard_text(const std::string& text) { SDL_SetClipboardText(text.c_str()); }

std::string Sdl::clipboard_text() {
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

bool Sdl::save_screenshot(HWND top_level, const std::filesystem::path& path, std::string* error) {
    impl_->present_dirty();
    auto it = impl_->windows.find(top_level);
    SDL_Surface* shown = it == impl_->windows.end() ? nullptr : SDL_GetWindowSurface(it->second);
    if (!shown) {
        if (error) *error = "the window is not on the screen";
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_RGB888, 0);
    if (!converted) {
        if (error) *error = SDL_GetError();
        return false;
    }
    gdi::Surface picture(converted->w, converted->h);
    SDL_LockSurface(converted);
    for (int y = 0; y < converted->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(converted->pixels) +
                                                                 std::ptrdiff_t(y) * converted->pitch);
        for (int x = 0; x < converted->w; ++x) picture.set(x, y, row[x] & 0xFFFFFF);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return gdi::write_png(picture, path, error);
}

int virtual_key_of_sdl(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    static const std::map<int, int> keys = {
        {SDLK_RETURN, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_BACKSPACE, VK_BACK},
        {SDLK_TAB, VK_TAB},
        {SDLK_SPACE, VK_SPACE},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_RIGHT, VK_RIGHT},
        {SDLK_UP, VK_UP},
        {SDLK_DOWN, VK_DOWN},
        {SDLK_HOME, VK_HOME},
        {SDLK_END, VK_END},
        {SDLK_PAGEUP, VK_PRIOR},
        {SDLK_PAGEDOWN, VK_NEXT},
        {SDLK_INSERT, VK_INSERT},
        {SDLK_DELETE, VK_DELETE},
        {SDLK_APPLICATION, VK_APPS},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RSHIFT, VK_SHIFT},
        {SDLK_LCTRL, VK_CONTROL},
        {SDLK_RCTRL, VK_CONTROL},
        {SDLK_LALT, VK_MENU},
        {SDLK_RALT, VK_MENU},
        {SDLK_CAPSLOCK, VK_CAPITAL},
        {SDLK_PAUSE, VK_PAUSE},
        {SDLK_SEMICOLON, VK_OEM_1},
        {SDLK_EQUALS, VK_OEM_PLUS},
        {SDLK_COMMA, VK_OEM_COMMA},
        {SDLK_MINUS, VK_OEM_MINUS},
        {SDLK_PERIOD, VK_OEM_PERIOD},
        {SDLK_SLASH, VK_OEM_2},
        {SDLK_BACKQUOTE, VK_OEM_3},
        {SDLK_LEFTBRACKET, VK_OEM_4},
        {SDLK_BACKSLASH, VK_OEM_5},
        {SDLK_RIGHTBRACKET, VK_OEM_6},
        {SDLK_QUOTE, VK_OEM_7},
        {SDLK_KP_0, VK_NUMPAD0},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_KP_MULTIPLY, VK_MULTIPLY},
        {SDLK_KP_PLUS, VK_ADD},
        {SDLK_KP_MINUS, VK_SUBTRACT},
        {SDLK_KP_PERIOD, VK_DECIMAL},
        {SDLK_KP_DIVIDE, VK_DIVIDE},
    };
    auto it = keys.find(key);
    return it == keys.end() ? 0 : it->second;
}

}  // namespace kit::display
