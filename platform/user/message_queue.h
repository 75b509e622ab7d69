#pragma once
// The per-thread message queue: posted messages, injected input, messages
// sent from other threads, the quit flag, and the thread's timers. Any thread
// may post or send into a queue; only the owning thread retrieves.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/user/user_types.h"

namespace kit::user {

// A message sent from another thread, waiting for the owner to handle it.
struct CrossThreadSend {
    MSG msg{};
    LRESULT result = 0;
    std::atomic<bool> done{false};
    std::shared_ptr<class MessageQueue> reply_to;

    // Hands `value` to the waiting sender and wakes it; only the first answer counts.
    void answer(LRESULT value);
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT interval_ms;
    std::uint64_t due_ms;
    TIMERPROC proc;
};

class MessageQueue {
public:
    void post(const MSG& msg);
    void post_input(const MSG& msg);
    void post_quit(int code);
    // False when the owning thread has ended: nobody would ever answer.
    bool send_from_other_thread(const std::shared_ptr<CrossThreadSend>& send);
    // The owning thread ends: waiting senders get 0 and later sends fail at once.
    void owner_ended();
    // Wakes a thread waiting in wait_until (a reply arrived, or the display has news).
    void signal();

    // The owning thread's side. Each returns false when there is nothing of that kind.
    std::shared_ptr<CrossThreadSend> take_send();
    bool take_posted(MSG& out, HWND filter, UINT first, UINT last, bool remove);
    bool take_input(MSG& out, HWND filter, UINT first, UINT last, bool remove);
    bool take_quit(MSG& out, bool remove);
    bool has_pending_input() const;

    // Blocks until signalled or `deadline` passes on the real clock.
    void wait_until(std::uint64_t deadline_ms);

    // Timers belong to the owning thread; the lock keeps SetTimer from other threads safe.
    UINT_PTR set_timer(HWND hwnd, UINT_PTR id, UINT interval_ms, TIMERPROC proc, std::uint64_t now);
    bool kill_timer(HWND hwnd, UINT_PTR id);
    void kill_timers_of(HWND hwnd);
    // The earliest timer due at or before `now` (moved on by its interval), if any.
    bool take_due_timer(Timer& out, HWND filter, std::uint64_t now);
    std::uint64_t next_timer_due() const;

    // Windows of this thread that wait for WM_PAINT; kept as a count so an
    // empty queue does not walk the window table.
    int windows_needing_paint = 0;

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool signalled_ = false;
    std::deque<MSG> posted_;
    std::deque<MSG> input_;
    std::deque<std::shared_ptr<CrossThreadSend>> sends_;
    bool quit_ = false;
    int quit_code_ = 0;
    bool owner_ended_ = false;
    std::vector<Timer> timers_;
    UINT_PTR next_thread_timer_id_ = 1;

    void notify_locked();
};

// The calling thread's queue, made on first use.
MessageQueue& current_queue();
std::shared_ptr<MessageQueue> current_queue_shared();

// Whether `msg` passes a GetMessage/PeekMessage filter (null window and 0, 0 accept all).
bool passes_filter(const MSG& msg, HWND filter, UINT first, UINT last);

}  // namespace kit::user
