#pragma once
// Questions the emulation thread has for the person at the window (the
// exception dialog): asked on the emulation thread, answered on the window
// thread. The asking thread waits for the answer; stopping the emulation
// cancels a pending question (and any asked later) with Stop, so the window
// thread can join the emulation thread without waiting on itself.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

#include "simulator/cpu/core_host.h"

namespace simwin {

struct ExceptionQuestion {
    std::uint16_t address = 0;
    int code = 0;
};

class WindowRequests {
public:
    // `notify` tells the window thread a question waits (a posted message).
    explicit WindowRequests(std::function<void()> notify) : notify_(std::move(notify)) {}

    // Emulation thread: asks and waits; Stop once cancelled.
    simcpu::ExceptionAnswer ask(ExceptionQuestion question);
    // Window thread: the waiting question, taken (nothing when none waits).
    std::optional<ExceptionQuestion> take();
    // Window thread: the answer to the question taken.
    void answer(simcpu::ExceptionAnswer answer);
    // Any thread: answers Stop to what waits and to what is asked from now on.
    void cancel();
    // The emulation may ask again (after a new start of its thread).
    void reopen();

private:
    enum class Stage { None, Asked, Taken, Answered };
    std::function<void()> notify_;
    std::mutex mutex_;
    std::condition_variable answered_;
    Stage stage_ = Stage::None;
    bool cancelled_ = false;
    ExceptionQuestion question_;
    simcpu::ExceptionAnswer answer_ = simcpu::ExceptionAnswer::Stop;
};

}  // namespace simwin
