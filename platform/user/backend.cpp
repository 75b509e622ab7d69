#include "platform/user/backend.h"

#include <atomic>
#include <chrono>

#include "platform/user/message_queue.h"

namespace kit::user {

namespace {

// Real time and real waits: what a program gets without a display.
class RealTimeBackend final : public Backend {
public:
    std::uint64_t now_ms() override {
        auto since_epoch = std::chrono::steady_clock::now().time_since_epoch();
        return std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count());
    }
    void idle(std::uint64_t deadline_ms) override { wait_on_queue(deadline_ms); }
};

RealTimeBackend real_time;
std::atomic<Backend*> installed{&real_time};

}  // namespace

Backend& backend() { return *installed.load(std::memory_order_acquire); }

void set_backend(Backend* b) { installed.store(b ? b : &real_time, std::memory_order_release); }

void wait_on_queue(std::uint64_t deadline_ms) { current_queue().wait_until(deadline_ms); }

}  // namespace kit::user
