#include "platform/user/ipc_bridge.h"

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_messages.h"
#include "platform/user/message_api.h"

namespace kit::user {

namespace {

// Only handles in the shared range can belong to another process.
bool shareable(HWND hwnd) {
    std::uintptr_t value = value_of(hwnd);
    return value >= ipc::kFirstSharedHandle && value < ipc::kSharedHandleLimit;
}

}  // namespace

std::unique_ptr<IpcBridge> IpcBridge::open(HWND top_level, std::string* error) {
    if (!shareable(top_level)) {
        // A top-level window gets a private handle when the runtime folder cannot
        // be used; that folder, not the handle, is what the user can mend.
        if (error && ipc::runtime_directory(error)) *error = "the window's handle is private to this process";
        return nullptr;
    }
    std::shared_ptr<ipc::MessagePort> port = ipc::MessagePort::open(ipc::WindowHandle(value_of(top_level)), error);
    if (!port) return nullptr;
    std::unique_ptr<IpcBridge> bridge(new IpcBridge);
    // The reader waits in short slices so that it notices a stop; each message
    // it receives becomes an ordinary post to the window.
    bridge->reader_ = std::thread([port, top_level, stopping = &bridge->stopping_] {
        while (!stopping->load()) {
            auto message = port->receive(100);
            if (!message) continue;
            PostMessage(top_level, message->message, WPARAM(message->wparam), LPARAM(message->lparam));
        }
    });
    return bridge;
}

IpcBridge::~IpcBridge() {
    stopping_ = true;
    if (reader_.joinable()) reader_.join();
}

bool post_to_other_process(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return shareable(hwnd) &&
           ipc::post_message(ipc::WindowHandle(value_of(hwnd)), message, wParam, std::uint64_t(lParam));
}

bool is_window_of_other_process(HWND hwnd) {
    return shareable(hwnd) && ipc::is_window(ipc::WindowHandle(value_of(hwnd)));
}

}  // namespace kit::user
