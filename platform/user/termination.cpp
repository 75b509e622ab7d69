#include "platform/user/termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/message_queue.h"
#include "platform/user/window_api.h"
#include "platform/user/window_table.h"

namespace kit::user {
namespace {

int wake_pipe[2] = {-1, -1};
std::atomic<int> signals_seen{0};

std::mutex target_mutex;
std::weak_ptr<MessageQueue> target;

void on_signal(int number) {
    if (signals_seen.fetch_add(1) > 0) _exit(128 + number);
    const char byte = char(number);
    [[maybe_unused]] auto written = ::write(wake_pipe[1], &byte, 1);
}

// Runs on the window thread: closes its unowned top-level windows, as their
// close boxes would; with none, the thread's loop simply quits.
void close_main_windows(HWND, UINT, UINT_PTR, DWORD) {
    std::vector<HWND> mains;
    for (HWND top : top_level_windows()) {
        if (!GetWindow(top, GW_OWNER) && IsWindowVisible(top) && queue_of(top) == current_queue_shared())
            mains.push_back(top);
    }
    if (mains.empty()) PostQuitMessage(0);
    for (HWND hwnd : mains) PostMessage(hwnd, WM_CLOSE, 0, 0);
}

// Waits for the handler's byte and hands the close to the window thread.
void watch_signals() {
    char byte;
    while (::read(wake_pipe[0], &byte, 1) == 1) {
        std::shared_ptr<MessageQueue> queue;
        {
            std::lock_guard lock(target_mutex);
            queue = target.lock();
        }
        if (!queue) continue;
        MSG msg{};
        msg.message = WM_TIMER;
        msg.lParam = reinterpret_cast<LPARAM>(TIMERPROC(&close_main_windows));
        queue->post(msg);
    }
}

}  // namespace

void close_on_termination_signals() {
    {
        std::lock_guard lock(target_mutex);
        target = current_queue_shared();
    }
    static std::once_flag installed;
    std::call_once(installed, [] {
        if (::pipe2(wake_pipe, O_CLOEXEC) != 0) return;
        std::thread(watch_signals).detach();
        struct sigaction action {};
        action.sa_handler = on_signal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    });
}

}  // namespace kit::user
