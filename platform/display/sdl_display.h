#pragma once
// The display on a real screen through SDL2: each shown top-level window is a
// borderless SDL window (the window manager draws the frame), mouse and
// keyboard come in as injected input with virtual keys, the pointer takes the
// shape SetCursor asks for, the text clipboard is the system's, and time is real.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/user/backend.h"

namespace kit::display {

class Sdl final : public user::Backend {
public:
    // Null (with the reason) when SDL cannot reach a screen.
    static std::unique_ptr<Sdl> open(std::string* error);
    ~Sdl() override;

    std::uint64_t now_ms() override;
    void idle(std::uint64_t deadline_ms) override;
    void top_level_shown(HWND hwnd, bool shown) override;
    void top_level_destroyed(HWND hwnd) override;
    void top_level_minimized(HWND hwnd, bool minimized) override;
    void caption_changed(HWND hwnd) override;
    void shape_changed(HWND hwnd) override;
    void present(HWND hwnd) override;
    void capture_changed(HWND hwnd) override;
    void brought_to_front(HWND hwnd) override;
    bool person_present() const override { return true; }
    bool has_system_clipboard() const override { return true; }
    void set_clipboard_text(const std::string& text) override;
    std::string clipboard_text() override;

    // Writes what the screen shows of a top-level window as PNG.
    bool save_screenshot(HWND top_level, const std::filesystem::path& path, std::string* error);

    struct Impl;

private:
    explicit Sdl(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// The virtual key of an SDL key code, or 0.
int virtual_key_of_sdl(int sdl_keycode);

}  // namespace kit::display
