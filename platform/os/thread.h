#pragma once
// Worker threads with a park gate and cooperative stop. The platform's
// SuspendThread on oneself / ResumeThread pair becomes park() / resume():
// a resume that comes before the park is kept and lets the next park pass,
// so the pair cannot lose a wake-up. There is no terminate: a thread is
// asked to stop and checks stop_requested() (a park also returns on stop).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace os {

class ParkGate {
public:
    // Blocks until a resume arrives (or one already has) or until stop();
    // true when resumed, false when stopped.
    bool park();
    // Lets the parked thread go, or the next park pass at once. Several
    // resumes before a park count as one. True when the thread was parked.
    bool resume();
    // Releases any park now and every park from now on.
    void stop();
    bool is_parked();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool permit_ = false;
    bool parked_ = false;
    bool stopped_ = false;
};

class Thread {
public:
    using Body = std::function<void(Thread& self)>;

    // Starts the thread at once.
    explicit Thread(Body body);
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // Requests a stop and joins.
    ~Thread();

    // Called by the thread itself.
    bool park() { return gate_.park(); }
    bool stop_requested() const { return stop_.load(); }

    // Called by others.
    bool resume() { return gate_.resume(); }
    bool IsSuspended() { return gate_.is_parked(); }
    void request_stop();
    // True when the body has returned within the timeout.
    bool wait_for_exit(std::chrono::milliseconds timeout);
    bool finished();
    void join();

private:
    ParkGate gate_;
    std::atomic<bool> stop_{false};
    std::mutex done_mutex_;
    std::condition_variable done_changed_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace os
