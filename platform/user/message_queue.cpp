#include "platform/user/message_queue.h"

#include <algorithm>
#include <chrono>

#include "platform/user/messages.h"
#include "platform/user/window_table.h"

namespace kit::user {

bool passes_filter(const MSG& msg, HWND filter, UINT first, UINT last) {
    // A filter window accepts its own messages and those of its descendants.
    if (filter && msg.hwnd != filter && !is_descendant(filter, msg.hwnd)) return false;
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

void MessageQueue::notify_locked() {
    signalled_ = true;
    wake_.notify_all();
}

void MessageQueue::post(const MSG& msg) {
    std::lock_guard lock(mutex_);
    posted_.push_back(msg);
    notify_locked();
}

void MessageQueue::post_input(const MSG& msg) {
    std::lock_guard lock(mutex_);
    input_.push_back(msg);
    notify_locked();
}

void MessageQueue::post_quit(int code) {
    std::lock_guard lock(mutex_);
    quit_ = true;
    quit_code_ = code;
    notify_locked();
}

bool MessageQueue::send_from_other_thread(const std::shared_ptr<CrossThreadSend>& send) {
    std::lock_guard lock(mutex_);
    if (owner_ended_) return false;
    sends_.push_back(send);
    notify_locked();
    return true;
}

void MessageQueue::owner_ended() {
    std::deque<std::shared_ptr<CrossThreadSend>> unanswered;
    {
        std::lock_guard lock(mutex_);
        owner_ended_ = true;
        unanswered.swap(sends_);
    }
    for (const auto& send : unanswered) send->answer(0);
}

void CrossThreadSend::answer(LRESULT value) {
    if (done.load(std::memory_order_relaxed)) return;
    result = value;
    done.store(true, std::memory_order_release);
    reply_to->signal();
}

void MessageQueue::signal() {
    std::lock_guard lock(mutex_);
    notify_locked();
}

std::shared_ptr<CrossThreadSend> MessageQueue::take_send() {
    std::lock_guard lock(mutex_);
    if (sends_.empty()) return nullptr;
    auto send = sends_.front();
    sends_.pop_front();
    return send;
}

static bool take_from(std::deque<MSG>& queue, MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!passes_filter(*it, filter, first, last)) continue;
        out = *it;
        if (remove) queue.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::take_posted(MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    std::lock_guard lock(mutex_);
    return take_from(posted_, out, filter, first, last, remove);
}

bool MessageQueue::take_input(MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    std::lock_guard lock(mutex_);
    return take_from(input_, out, filter, first, last, remove);
}

bool MessageQueue::has_pending_input() const {
    std::lock_guard lock(mutex_);
    return !input_.empty();
}

bool MessageQueue::take_quit(MSG& out, bool remove) {
    std::lock_guard lock(mutex_);
    if (!quit_) return false;
    out = MSG{nullptr, WM_QUIT, WPARAM(quit_code_), 0, 0, {0, 0}};
    if (remove) quit_ = false;
    return true;
}

void MessageQueue::wait_until(std::uint64_t deadline_ms) {
    std::unique_lock lock(mutex_);
    if (deadline_ms == UINT64_MAX) {
        wake_.wait(lock, [&] { return signalled_; });
    } else {
        auto deadline = std::chrono::steady_clock::time_point(std::chrono::milliseconds(deadline_ms));
        wake_.wait_until(lock, deadline, [&] { return signalled_; });
    }
    signalled_ = false;
}

UINT_PTR MessageQueue::set_timer(HWND hwnd, UINT_PTR id, UINT interval_ms, TIMERPROC proc, std::uint64_t now) {
    std::lock_guard lock(mutex_);
    // A thread timer (no window) gets a fresh id; a window timer keeps the caller's.
    if (!hwnd) id = next_thread_timer_id_++;
    // The platform raises intervals below 10 ms to 10 ms.
    interval_ms = std::max<UINT>(interval_ms, 10);
    for (auto& t : timers_) {
        if (t.hwnd == hwnd && t.id == id) {
            t = Timer{hwnd, id, interval_ms, now + interval_ms, proc};
            return id;
        }
    }
    timers_.push_back(Timer{hwnd, id, interval_ms, now + interval_ms, proc});
    notify_locked();
    return id;
}

bool MessageQueue::kill_timer(HWND hwnd, UINT_PTR id) {
    std::lock_guard lock(mutex_);
    auto it =
        std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    return true;
}

void MessageQueue::kill_timers_of(HWND hwnd) {
    std::lock_guard lock(mutex_);
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
}

bool MessageQueue::take_due_timer(Timer& out, HWND filter, std::uint64_t now) {
    std::lock_guard lock(mutex_);
    Timer* best = nullptr;
    for (auto& t : timers_) {
        if (t.due_ms > now) continue;
        if (filter && t.hwnd != filter && !is_descendant(filter, t.hwnd)) continue;
        if (!best || t.due_ms < best->due_ms) best = &t;
    }
    if (!best) return false;
    out = *best;
    // A late timer fires once, not once per missed interval.
    best->due_ms = now + best->interval_ms;
    return true;
}

std::uint64_t MessageQueue::next_timer_due() const {
    std::lock_guard lock(mutex_);
    std::uint64_t next = UINT64_MAX;
    for (const auto& t : timers_) next = std::min(next, t.due_ms);
    return next;
}

namespace {

// The calling thread's queue; when the thread ends, its windows can no longer
// answer, so senders waiting on them are released.
struct ThreadQueue {
    std::shared_ptr<MessageQueue> queue = std::make_shared<MessageQueue>();
    ~ThreadQueue() { queue->owner_ended(); }
};

}  // namespace

std::shared_ptr<MessageQueue> current_queue_shared() {
    thread_local ThreadQueue mine;
    return mine.queue;
}

MessageQueue& current_queue() {
    thread_local MessageQueue* queue = current_queue_shared().get();
    return *queue;
}

}  // namespace kit::user
