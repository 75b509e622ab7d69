#include "platform/os/thread.h"

namespace os {

bool ParkGate::park() {
    std::unique_lock lock(mutex_);
    parked_ = true;
    changed_.wait(lock, [&] { return permit_ || stopped_; });
    parked_ = false;
    if (stopped_) return false;
    permit_ = false;
    return true;
}

bool ParkGate::resume() {
    bool was_parked;
    {
        std::lock_guard lock(mutex_);
        was_parked = parked_;
        permit_ = true;
    }
    changed_.notify_all();
    return was_parked;
}

void ParkGate::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

bool ParkGate::is_parked() {
    std::lock_guard lock(mutex_);
    return parked_;
}

Thread::Thread(Body body)
    : thread_([this, body = std::move(body)] {
          body(*this);
          {
              std::lock_guard lock(done_mutex_);
              done_ = true;
          }
          done_changed_.notify_all();
      }) {}

Thread::~Thread() {
    request_stop();
    join();
}

void Thread::request_stop() {
    stop_.store(true);
    gate_.stop();
}

bool Thread::wait_for_exit(std::chrono::milliseconds timeout) {
    std::unique_lock lock(done_mutex_);
    return done_changed_.wait_for(lock, timeout, [&] { return done_; });
}

bool Thread::finished() {
    std::lock_guard lock(done_mutex_);
    return done_;
}

void Thread::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace os
