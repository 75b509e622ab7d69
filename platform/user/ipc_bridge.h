#pragma once
// Window messages from other processes: a top-level window opened to them
// receives their posts in its own queue, so one message loop serves both.
// PostMessage and IsWindow reach the windows of other processes by handle.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/user/user_types.h"

namespace kit::user {

class IpcBridge {
public:
    // Opens `top_level`'s port; null (with the reason) when it cannot.
    static std::unique_ptr<IpcBridge> open(HWND top_level, std::string* error);
    ~IpcBridge();
    IpcBridge(const IpcBridge&) = delete;
    IpcBridge& operator=(const IpcBridge&) = delete;

private:
    IpcBridge() = default;
    std::atomic<bool> stopping_{false};
    std::thread reader_;
};

// Posts to a window of another process (a top-level handle printed in decimal).
bool post_to_other_process(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Posted to a window of another process by SetForegroundWindow: only the process that owns
// a window can raise it on its display, so its own message dispatch does it. In the range
// the system keeps for itself, so no program's message is taken for it.
constexpr UINT kBringToFrontMessage = 0x03FE;
bool is_window_of_other_process(HWND hwnd);

}  // namespace kit::user
