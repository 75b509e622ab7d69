// The choice of display, the SDL key mapping and which of SDL's key events
// reach the program (on SDL's offscreen driver); the SDL display's pictures are
// exercised by the demo's screenshot under Xvfb.
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/display/display.h"
#include "platform/display/sdl_display.h"
#include "platform/display/window_mask.h"
#include "platform/user/context_menu_key.h"
#include "platform/user/user.h"

namespace {

// Clears the variables that choose a display for one test, and puts them back after it.
class ClearedDisplayEnvironment {
public:
    ClearedDisplayEnvironment() {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "KIT_DISPLAY"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? value : "", value != nullptr});
            unsetenv(name);
        }
    }
    ~ClearedDisplayEnvironment() {
        for (const Saved& s : saved_) {
            if (s.set)
                setenv(s.name, s.value.c_str(), 1);
            else
                unsetenv(s.name);
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved_;
};

// SDL on its offscreen driver, made the window system's back-end.
std::unique_ptr<kit::display::Sdl> OpenOffscreenSdl() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::string error;
    std::unique_ptr<kit::display::Sdl> sdl = kit::display::Sdl::open(&error);
    EXPECT_TRUE(sdl) << error;
    if (sdl) kit::user::set_backend(sdl.get());
    return sdl;
}

TEST(Display, TheEnvironmentChoosesAndAnUnknownNameIsAnError) {
    ClearedDisplayEnvironment cleared;
    setenv("KIT_DISPLAY", "headless", 1);
    auto headless = kit::display::open_display();
    ASSERT_TRUE(headless.backend);
    EXPECT_EQ(headless.name, "headless");
    EXPECT_EQ(&kit::user::backend(), headless.backend.get());
    headless.backend.reset();

    setenv("KIT_DISPLAY", "vga", 1);
    auto unknown = kit::display::open_display();
    EXPECT_FALSE(unknown.backend);
    EXPECT_NE(unknown.error.find("unknown display \"vga\""), std::string::npos);
}

// The test display is chosen only by name: with no screen named, a program is told so in
// one line, never given windows that nobody sees.
TEST(Display, WithoutAScreenNoDisplayIsChosenUnlessTheTestDisplayIsAskedFor) {
    ClearedDisplayEnvironment cleared;
    auto none = kit::display::open_display();
    EXPECT_FALSE(none.backend);
    EXPECT_NE(none.error.find("DISPLAY is not set"), std::string::npos) << none.error;
    EXPECT_NE(none.error.find("KIT_DISPLAY=headless"), std::string::npos) << none.error;
    EXPECT_EQ(none.error.find('\n'), std::string::npos);
}

// Asked for SDL without a screen, SDL would settle on a driver that draws nowhere: that is
// refused with one line, unless that driver is what SDL_VIDEODRIVER names.
TEST(Display, SdlWithoutAScreenIsRefusedUnlessItsDriverIsNamed) {
    ClearedDisplayEnvironment cleared;
    setenv("KIT_DISPLAY", "sdl", 1);
    auto refused = kit::display::open_display();
    EXPECT_FALSE(refused.backend);
    EXPECT_NE(refused.error.find("no screen to show windows on"), std::string::npos) << refused.error;
    EXPECT_EQ(refused.error.find('\n'), std::string::npos);

    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    auto named = kit::display::open_display();
    EXPECT_TRUE(named.backend) << named.error;
    named.backend.reset();
}

TEST(Display, SdlKeysMapToVirtualKeys) {
    struct Case {
        int sdl;
        int vk;
    } cases[] = {{SDLK_a, 'A'},
                 {SDLK_7, '7'},
                 {SDLK_F10, VK_F10},
                 {SDLK_RETURN, VK_RETURN},
                 {SDLK_LCTRL, VK_CONTROL},
                 {SDLK_RALT, VK_MENU},
                 {SDLK_SEMICOLON, VK_OEM_1},
                 {SDLK_KP_5, VK_NUMPAD0 + 5},
                 {SDLK_APPLICATION, VK_APPS},
                 {SDLK_PRINTSCREEN, 0}};
    for (const auto& c : cases) EXPECT_EQ(kit::display::virtual_key_of_sdl(c.sdl), c.vk) << c.sdl;
}

// A menu mapped without a window manager has X's keyboard for a moment, and SDL
// replays the held modifiers to it and again to the window that takes the
// keyboard back: an Alt come down again would close the menu that Alt+letter
// opened. Those presses never reach the program; the person's next ones do.
TEST(Display, ModifierPressesReplayedWhileAMenuTakesTheKeyboardNeverReachTheProgram) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const std::string saved_driver = driver ? driver : "";
    std::unique_ptr<kit::display::Sdl> sdl = OpenOffscreenSdl();
    ASSERT_TRUE(sdl);

    HWND main =
        CreateWindowEx(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(main, SW_SHOW);
    HWND menu = CreateWindowEx(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_BORDER, 20, 20, 80, 60, nullptr, nullptr,
                               nullptr, nullptr);
    ShowWindow(menu, SW_SHOWNOACTIVATE);
    Uint32 main_id = 0, menu_id = 0;
    for (Uint32 id = 1; id < 64; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id))
            (SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU ? menu_id : main_id) = id;
    }
    ASSERT_NE(menu_id, 0u);
    ASSERT_NE(main_id, 0u);
    sdl->idle(0);  // what the windows' mapping brought

    const auto push = [](const SDL_Event& event) { SDL_PushEvent(const_cast<SDL_Event*>(&event)); };
    const auto focus_to = [&](Uint32 window_id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
        event.window.windowID = window_id;
        push(event);
    };
    const auto key = [&](Uint32 window_id, SDL_Keycode sym, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = window_id;
        event.key.keysym.sym = sym;
        push(event);
    };
    const auto alt_down = [] { return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0; };

    // The bounce: the menu takes the keyboard, then the main window takes it back.
    focus_to(menu_id);
    key(menu_id, SDLK_LALT, true);
    sdl->idle(0);
    EXPECT_FALSE(alt_down()) << "a press sent to the menu";
    key(menu_id, SDLK_LALT, false);
    focus_to(main_id);
    key(main_id, SDLK_LALT, true);
    sdl->idle(0);
    EXPECT_FALSE(alt_down()) << "a press replayed to the window taking the keyboard back";
    key(main_id, SDLK_LALT, false);
    sdl->idle(0);

    // The person's own keys afterwards.
    key(main_id, SDLK_f, true);
    key(main_id, SDLK_f, false);
    key(main_id, SDLK_LALT, true);
    sdl->idle(0);
    EXPECT_TRUE(alt_down()) << "the person's Alt";
    key(main_id, SDLK_LALT, false);
    sdl->idle(0);

    DestroyWindow(menu);
    DestroyWindow(main);
    sdl.reset();
    if (driver)
        setenv("SDL_VIDEODRIVER", saved_driver.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");
}

// The window manager minimizes, maximizes and restores a window of its own accord (its keys, a
// task list): the window takes each state, with its kind of WM_SIZE. A window maximized by its
// own caption is only sized for the manager, so the restore the manager reports when it brings
// that window back from minimized leaves it maximized.
TEST(Display, TheWindowManagersChangesOfStateReachTheWindow) {
    ClearedDisplayEnvironment cleared;
    std::unique_ptr<kit::display::Sdl> sdl = OpenOffscreenSdl();
    ASSERT_TRUE(sdl);

    static std::vector<WPARAM> kinds;
    kinds.clear();
    WNDCLASS window_class{};
    window_class.lpszClassName = "DisplayTestSizes";
    window_class.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_SIZE) kinds.push_back(wParam);
        return DefWindowProc(hwnd, message, wParam, lParam);
    };
    RegisterClass(&window_class);
    HWND main = CreateWindowEx(0, "DisplayTestSizes", "main", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    ShowWindow(main, SW_SHOW);
    Uint32 id = 0;
    for (Uint32 candidate = 1; candidate < 64 && !id; ++candidate) {
        if (SDL_GetWindowFromID(candidate)) id = candidate;
    }
    ASSERT_NE(id, 0u);
    sdl->idle(0);
    const auto manager = [&](SDL_WindowEventID event) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        e.window.windowID = id;
        SDL_PushEvent(&e);
        sdl->idle(0);
    };
    enum State { normal, minimized, maximized };
    constexpr WPARAM kNoSize = WPARAM(-1);  // no WM_SIZE at all
    const auto state = [&] { return IsIconic(main) ? minimized : IsZoomed(main) ? maximized : normal; };
    const struct {
        const char* what;
        std::function<void()> act;
        State state;
        WPARAM kind;
    } steps[] = {
        {"maximized by the manager", [&] { manager(SDL_WINDOWEVENT_MAXIMIZED); }, maximized, SIZE_MAXIMIZED},
        {"restored by the manager", [&] { manager(SDL_WINDOWEVENT_RESTORED); }, normal, SIZE_RESTORED},
        {"minimized by the manager", [&] { manager(SDL_WINDOWEVENT_MINIMIZED); }, minimized, SIZE_MINIMIZED},
        {"brought back by the manager", [&] { manager(SDL_WINDOWEVENT_RESTORED); }, normal, SIZE_RESTORED},
        {"maximized by its caption", [&] { ShowWindow(main, SW_SHOWMAXIMIZED); }, maximized, SIZE_MAXIMIZED},
        {"then minimized", [&] { ShowWindow(main, SW_MINIMIZE); }, minimized, SIZE_MINIMIZED},
        {"brought back by the manager", [&] { manager(SDL_WINDOWEVENT_RESTORED); }, maximized, SIZE_MAXIMIZED},
        {"a restore echoed after it", [&] { manager(SDL_WINDOWEVENT_RESTORED); }, maximized, kNoSize},
        {"keyboard given while minimized",
         [&] {
             ShowWindow(main, SW_MINIMIZE);
             manager(SDL_WINDOWEVENT_FOCUS_GAINED);
         },
         maximized, SIZE_MAXIMIZED},
    };
    for (const auto& step : steps) {
        kinds.clear();
        step.act();
        EXPECT_EQ(state(), step.state) << step.what;
        EXPECT_EQ(kinds.empty() ? kNoSize : kinds.back(), step.kind) << step.what;
    }

    DestroyWindow(main);
    sdl.reset();
}

// The window manager names a window as its caption reads (window lists and task bars show the
// name), whenever the caption changes, in UTF-8 whatever the code page of the text.
TEST(Display, TheWindowManagerIsGivenTheCaptionWheneverItChanges) {
    ClearedDisplayEnvironment cleared;
    std::unique_ptr<kit::display::Sdl> sdl = OpenOffscreenSdl();
    ASSERT_TRUE(sdl);
    HWND main = CreateWindowEx(0, "STATIC", "Corvel", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                               nullptr);
    ShowWindow(main, SW_SHOW);
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 64 && !window; ++id) window = SDL_GetWindowFromID(id);
    ASSERT_TRUE(window);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Corvel");
    SetWindowText(main, "Corvel - hello.asm");
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Corvel - hello.asm");
    SetWindowText(main, "Corvel - \xD6\xD0\xCE\xC4.asm");  // two characters in GBK
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Corvel - \xE4\xB8\xAD\xE6\x96\x87.asm");
    DestroyWindow(main);
    sdl.reset();
}

// Where the screen cannot shape a window, its cut-off corners take the colour
// of the nearest pixel the region keeps on the row, never the white of the surface.
TEST(Display, PixelsOutsideTheRegionTakeTheNearestColourInside) {
    kit::display::WindowMask mask{4, 4, {}};
    const char* rows[] = {"....", ".##.", "#..#", "####"};  // a top row all outside, and a hole
    for (const char* row : rows) {
        for (int x = 0; x < 4; ++x) mask.inside.push_back(row[x] == '#');
    }
    EXPECT_TRUE(mask.shaped());
    gdi::Surface picture(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            if (mask.contains(x, y)) picture.set(x, y, gdi::Pixel(0x100 * y + x + 1));
    }
    kit::display::fill_outside(picture, mask);
    const gdi::Pixel expected[4][4] = {{0x102, 0x102, 0x103, 0x103},
                                       {0x102, 0x102, 0x103, 0x103},
                                       {0x201, 0x201, 0x201, 0x204},
                                       {0x301, 0x302, 0x303, 0x304}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.at(x, y), expected[y][x]) << x << "," << y;
    }
}

}  // namespace
