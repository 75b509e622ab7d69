#pragma once
// The display tests run on: windows are composed in memory, time is a virtual
// clock the test moves, input is injected, and a message loop that runs out
// of things to do takes the next step of the test's script, or reports a
// stall instead of hanging.
#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/gdi/surface.h"
#include "platform/user/backend.h"
#include "platform/user/input_api.h"

namespace kit::display {

class Headless final : public user::Backend {
public:
    using Step = std::function<void()>;
    using StallHandler = std::function<void(const std::string& why)>;

    // Installs itself as the window manager's backend until destroyed.
    Headless();
    ~Headless() override;
    Headless(const Headless&) = delete;
    Headless& operator=(const Headless&) = delete;

    std::uint64_t now_ms() override { return now_.load(std::memory_order_relaxed); }
    void idle(std::uint64_t deadline_ms) override;

    // Moves the virtual clock on; timers whose time has come fire at the next retrieval.
    void advance(std::uint64_t ms) { now_.fetch_add(ms, std::memory_order_relaxed); }
    // Queues a step for the moment a message loop has nothing left to do.
    void then(Step step) { script_.push_back(std::move(step)); }
    std::size_t steps_left() const { return script_.size(); }
    // What happens on a stall; by default the message goes to stderr and the program aborts.
    void on_stall(StallHandler handler) { stall_ = std::move(handler); }
    // For programs run headless outside tests: a loop waiting for a timer
    // moves the clock to it instead of stalling.
    void advance_to_timers(bool on) { advance_to_timers_ = on; }
    // A test answers boxes through its script (a box it did not expect is a
    // stall); a program run headless has nobody to ask.
    bool person_present() const override { return person_present_; }
    void set_person_present(bool present) { person_present_ = present; }

    // Input relative to a window's client area (or the screen for a null window); a move
    // may say which buttons are held, as a display that knows them does.
    void move(HWND hwnd, POINT client, std::optional<user::HeldButtons> held = std::nullopt);
    void click(HWND hwnd, POINT client, user::MouseButton button = user::MouseButton::left);
    void button(HWND hwnd, POINT client, bool down, user::MouseButton button = user::MouseButton::left);
    void press(int vk);                // down and up
    void chord(int modifier, int vk);  // modifier held around a press
    void type(const char* text);       // keys for plain ASCII letters, digits and punctuation

    // The composed picture of a top-level window: its surface and the caret.
    gdi::Surface snapshot(HWND top_level) const;
    bool save_png(HWND top_level, const std::filesystem::path& path, std::string* error) const;

    bool has_system_clipboard() const override { return true; }
    void set_clipboard_text(const std::string& text) override { clipboard_ = text; }
    std::string clipboard_text() override { return clipboard_; }

private:
    // Other threads read it when they post (a message's time); only the window thread moves it.
    std::atomic<std::uint64_t> now_{1000};  // not 0, so that "never" and "at start" differ
    std::deque<Step> script_;
    StallHandler stall_;
    bool advance_to_timers_ = false;
    bool person_present_ = true;
    std::string clipboard_;
};

// Draws the caret (XOR) over a picture of its top-level window.
void draw_caret(gdi::Surface& surface, HWND top_level);
// The window's backing surface with the caret over it; empty before it painted.
gdi::Surface compose(HWND top_level);
// The picture a person sees of a top-level window: what its windows marked
// invalid is painted over the picture they showed before. That picture must
// equal a full repaint of the same state; where it does not, `stale` says
// where (a change that did not invalidate what it altered), otherwise it is
// left empty. Returns the full repaint; `seen` (when given) gets the picture
// as it was before it.
gdi::Surface painted_snapshot(HWND top_level, std::string* stale, gdi::Surface* seen = nullptr);

}  // namespace kit::display
