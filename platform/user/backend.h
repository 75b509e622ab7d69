#pragma once
// What the window manager asks of the display it runs on: the time, a way to
// wait when a thread has nothing to do, and notices about top-level windows.
// The headless display replaces the clock with a virtual one and answers
// waits from the test's script; without a display, real time and real waits.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/surface.h"

#include "platform/user/user_types.h"

namespace kit::user {

constexpr std::uint64_t kNoDeadline = UINT64_MAX;

class Backend {
public:
    virtual ~Backend() = default;

    // Milliseconds on the clock that timers and message times use.
    virtual std::uint64_t now_ms() = 0;

    // The calling thread's queue holds nothing to retrieve. Return once
    // something may have arrived or the clock may have reached `deadline_ms`
    // (the next timer, or kNoDeadline).
    virtual void idle(std::uint64_t deadline_ms) = 0;

    // A top-level window became visible or hidden, or was destroyed.
    virtual void top_level_shown(HWND hwnd, bool shown) {}
    virtual void top_level_destroyed(HWND hwnd) {}
    // A top-level window was minimized or restored (a real display iconifies it).
    virtual void top_level_minimized(HWND hwnd, bool minimized) {}
    // A top-level window's caption text changed (a real display tells its window manager).
    virtual void caption_changed(HWND hwnd) {}
    // A top-level window's region changed (a real display reshapes its window).
    virtual void shape_changed(HWND hwnd) {}
    // A top-level window's backing surface holds newly painted pixels.
    virtual void present(HWND hwnd) {}
    // The mouse was captured or released (real displays grab the pointer).
    virtual void capture_changed(HWND hwnd) {}
    // A program asked for this top-level window in front with the keyboard
    // (SetForegroundWindow): a real display raises it and gives it the keyboard.
    virtual void brought_to_front(HWND hwnd) {}

    // Whether a person can answer a message box or dialog. Without one (a
    // program run with no screen), boxes that no test script answers take
    // their default answer and say so on stderr instead of waiting for ever.
    virtual bool person_present() const { return false; }

    // The system clipboard's text, for displays that share one with other programs.
    virtual bool has_system_clipboard() const { return false; }
    virtual void set_clipboard_text(const std::string& text) {}
    virtual std::string clipboard_text() { return {}; }
};

// The backend in use; a real-time one until a display installs its own.
Backend& backend();
// Installs `b` (or the real-time backend for nullptr). The caller keeps it alive.
void set_backend(Backend* b);

// The composed pixels of a top-level window (its backing surface, window
// coordinates), or null before it first painted. Displays present and snapshot it.
std::shared_ptr<const gdi::Surface> window_surface(HWND top_level);

// Blocks the calling thread until its queue is signalled or the real clock
// passes `deadline_ms`: what the real-time backend and real displays do when idle.
void wait_on_queue(std::uint64_t deadline_ms);

}  // namespace kit::user
