#pragma once
// Runs a piece of clean-up when the scope ends, by return or by exception, so
// that a modal loop or a dispatch leaves its state as it found it.
#include <exception>
#include <utility>

namespace kit::user {

template <class Cleanup>
class OnScopeExit {
public:
    explicit OnScopeExit(Cleanup cleanup) : cleanup_(std::move(cleanup)) {}
    // The clean-up sends messages, whose handlers may throw: on a normal exit
    // that exception goes on to the caller; while another one is unwinding,
    // the first one is the one the caller hears of.
    ~OnScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() == unwinding_) {
            cleanup_();
            return;
        }
        try {
            cleanup_();
        } catch (...) {
        }
    }
    OnScopeExit(const OnScopeExit&) = delete;
    OnScopeExit& operator=(const OnScopeExit&) = delete;

private:
    Cleanup cleanup_;
    int unwinding_ = std::uncaught_exceptions();
};

}  // namespace kit::user
