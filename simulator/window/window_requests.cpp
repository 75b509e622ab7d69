#include "simulator/window/window_requests.h"

namespace simwin {

simcpu::ExceptionAnswer WindowRequests::ask(ExceptionQuestion question) {
    std::unique_lock lock(mutex_);
    if (cancelled_) return simcpu::ExceptionAnswer::Stop;
    question_ = question;
    stage_ = Stage::Asked;
    lock.unlock();
    notify_();
    lock.lock();
    answered_.wait(lock, [this] { return stage_ == Stage::Answered || cancelled_; });
    stage_ = Stage::None;
    return cancelled_ ? simcpu::ExceptionAnswer::Stop : answer_;
}

std::optional<ExceptionQuestion> WindowRequests::take() {
    std::lock_guard lock(mutex_);
    if (stage_ != Stage::Asked || cancelled_) return std::nullopt;
    stage_ = Stage::Taken;
    return question_;
}

void WindowRequests::answer(simcpu::ExceptionAnswer answer) {
    std::lock_guard lock(mutex_);
    if (stage_ != Stage::Taken) return;
    answer_ = answer;
    stage_ = Stage::Answered;
    answered_.notify_all();
}

void WindowRequests::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    answered_.notify_all();
}

void WindowRequests::reopen() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
    stage_ = Stage::None;
}

}  // namespace simwin
