#pragma once
// Window messages posted between processes. Each top-level window that another
// process may address owns a MessagePort: a Unix datagram socket named after its
// handle in the runtime folder. A post is one datagram, so messages from one
// sender arrive whole and in order; the receiver folds them into its queue.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/ipc/window_handles.h"

namespace ipc {

struct PostedMessage {
    WindowHandle window;
    uint32_t message;
    uint64_t wparam;
    uint64_t lparam;
};

class MessagePort {
public:
    // Binds the socket of `window`. A socket left behind by a dead process is
    // taken over; one that a live process still serves is refused.
    static std::unique_ptr<MessagePort> open(WindowHandle window, std::string* why = nullptr);
    ~MessagePort();
    MessagePort(const MessagePort&) = delete;
    MessagePort& operator=(const MessagePort&) = delete;

    WindowHandle window() const { return window_; }
    // Readable when a message waits: for the owner's poll loop.
    int descriptor() const { return fd_; }
    // The next message, waiting at most `timeout_ms` (0: only what is there, -1: forever).
    std::optional<PostedMessage> receive(int timeout_ms = 0);

private:
    MessagePort(WindowHandle window, int fd, std::string path);
    WindowHandle window_;
    int fd_;
    std::string path_;
};

// Posts to the window of any process. False when the window does not exist or
// its queue stayed full for a few seconds; a dead window never blocks the sender.
bool post_message(WindowHandle window, uint32_t message, uint64_t wparam, uint64_t lparam);

// True while a process serves the window's port.
bool is_window(WindowHandle window);

// Clears `folder` (the runtime folder) of the sockets of windows no process
// serves any more; a handle is never given twice, so no live process can be
// about to bind one of them.
void remove_dead_ports(const std::filesystem::path& folder);

}  // namespace ipc
