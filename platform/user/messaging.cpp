// Sending, posting, retrieving and dispatching messages on per-thread queues.
#include <atomic>
#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/ipc_bridge.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/on_scope_exit.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

thread_local int send_depth_from_other_thread = 0;
thread_local DWORD last_message_time = 0;
std::atomic<DispatchExceptionHandler> dispatch_exception_handler{nullptr};

// Serves one message another thread sent. The sender is answered however the
// handling ends; an exception stops here, as the sender cannot receive it.
void handle_cross_thread_send(const std::shared_ptr<CrossThreadSend>& send) {
    ++send_depth_from_other_thread;
    OnScopeExit release([&] {
        --send_depth_from_other_thread;
        send->answer(0);  // no-op once answered
    });
    const MSG& msg = send->msg;
    LRESULT result = 0;
    try {
        if (find_window(msg.hwnd)) result = call_window(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    } catch (...) {
        result = stop_dispatch_exception(msg, std::current_exception());
    }
    send->answer(result);
}

void handle_pending_sends(MessageQueue& queue) {
    while (auto send = queue.take_send()) handle_cross_thread_send(send);
}

// The next message in the platform's order: posted, input, quit, paint, timer.
bool retrieve(MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    MessageQueue& queue = current_queue();
    handle_pending_sends(queue);
    if (queue.take_posted(out, filter, first, last, remove)) return true;
    MSG raw;
    while (queue.take_input(raw, nullptr, 0, 0, false)) {
        MSG routed;
        if (!route_input(raw, routed, false)) {
            queue.take_input(raw, nullptr, 0, 0, true);  // nobody to receive it
            continue;
        }
        if (!passes_filter(routed, filter, first, last)) break;
        if (remove) {
            queue.take_input(raw, nullptr, 0, 0, true);
            // Retrieval may activate a window, which can eat the click.
            if (!route_input(raw, routed, true)) continue;
        }
        out = routed;
        return true;
    }
    if (queue.take_quit(out, remove)) return true;
    if ((first == 0 && last == 0) || (first <= WM_PAINT && WM_PAINT <= last)) {
        if (take_paint_message(out, filter)) return true;
    }
    if ((first == 0 && last == 0) || (first <= WM_TIMER && WM_TIMER <= last)) {
        std::uint64_t now = backend().now_ms();
        Timer timer;
        if (queue.take_due_timer(timer, filter, now)) {
            out = MSG{timer.hwnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc), DWORD(now), {0, 0}};
            return true;
        }
    }
    return false;
}

}  // namespace

namespace kit::user {

void set_dispatch_exception_handler(DispatchExceptionHandler handler) { dispatch_exception_handler = handler; }

LRESULT stop_dispatch_exception(const MSG& msg, std::exception_ptr error) {
    if (auto handler = dispatch_exception_handler.load()) return handler(msg, error);
    std::string what = "an exception of unknown type";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    std::fprintf(stderr, "message 0x%04X to window %p failed: %s\n", msg.message, static_cast<void*>(msg.hwnd),
                 what.c_str());
    return 0;
}

LRESULT call_window(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find_window(hwnd);
    if (!w || !w->proc) return 0;
    if (message == WM_CLOSE && hold_close_for_modal_loops(hwnd, wParam, lParam)) return 0;
    return w->proc(hwnd, message, wParam, lParam);
}

}  // namespace kit::user

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto target = queue_of(hwnd);
    if (!target) {
        // Another process's window: the message goes as a post and nothing comes back.
        kit::user::post_to_other_process(hwnd, message, wParam, lParam);
        return 0;
    }
    auto mine = current_queue_shared();
    if (target == mine) return call_window(hwnd, message, wParam, lParam);

    auto send = std::make_shared<CrossThreadSend>();
    send->msg = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    send->reply_to = mine;
    if (!target->send_from_other_thread(send)) return 0;
    // While waiting, this thread still answers what other threads send to it,
    // so two threads sending to each other do not block for ever.
    for (;;) {
        handle_pending_sends(*mine);
        if (send->done.load(std::memory_order_acquire)) return send->result;
        mine->wait_until(kNoDeadline);
    }
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{hwnd, message, wParam, lParam, DWORD(backend().now_ms()), {0, 0}};
    if (!hwnd) {
        current_queue().post(msg);  // a thread message
        return TRUE;
    }
    auto target = queue_of(hwnd);
    if (!target) return kit::user::post_to_other_process(hwnd, message, wParam, lParam) ? TRUE : FALSE;
    target->post(msg);
    return TRUE;
}

BOOL PeekMessage(MSG* msg, HWND filter, UINT first, UINT last, UINT remove) {
    if (!msg) return FALSE;
    if (!retrieve(*msg, filter, first, last, (remove & PM_REMOVE) != 0)) return FALSE;
    last_message_time = msg->time;
    return TRUE;
}

BOOL GetMessage(MSG* msg, HWND filter, UINT first, UINT last) {
    if (!msg || (filter && !IsWindow(filter))) return -1;
    MessageQueue& queue = current_queue();
    while (!retrieve(*msg, filter, first, last, true)) backend().idle(queue.next_timer_due());
    last_message_time = msg->time;
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    MSG msg;
    MessageQueue& queue = current_queue();
    while (!retrieve(msg, nullptr, 0, 0, false)) backend().idle(queue.next_timer_due());
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    if (!msg->hwnd) return 0;
    if (!find_window(msg->hwnd)) return 0;  // destroyed since it was posted
    if (msg->message == kit::user::kBringToFrontMessage) return SetForegroundWindow(msg->hwnd);
    return call_window(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exit_code) { current_queue().post_quit(exit_code); }

UINT RegisterWindowMessage(const char* name) {
    static std::mutex mutex;
    static std::map<std::string, UINT, CaseInsensitiveLess> registered;
    static UINT next = 0xC000;
    if (!name || !*name) return 0;
    std::lock_guard lock(mutex);
    auto [it, added] = registered.emplace(name, next);
    if (added) {
        if (next == 0xFFFF) {
            registered.erase(it);
            return 0;  // the range is used up
        }
        ++next;
    }
    return it->second;
}

BOOL InSendMessage() { return send_depth_from_other_thread > 0 ? TRUE : FALSE; }
DWORD GetMessageTime() { return last_message_time; }
DWORD GetTickCount() { return DWORD(backend().now_ms()); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
    std::shared_ptr<MessageQueue> queue = hwnd ? queue_of(hwnd) : current_queue_shared();
    if (!queue) return 0;
    UINT_PTR result = queue->set_timer(hwnd, id, elapse_ms, proc, backend().now_ms());
    return hwnd && result == 0 ? 1 : result;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    std::shared_ptr<MessageQueue> queue = hwnd ? queue_of(hwnd) : current_queue_shared();
    return queue && queue->kill_timer(hwnd, id) ? TRUE : FALSE;
}

namespace kit::user {

bool modal_loop_next(MSG& msg) {
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got > 0) return true;
    if (got == 0) PostQuitMessage(int(msg.wParam));
    return false;
}

}  // namespace kit::user
