#include "platform/os/sync.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
constexpr auto broken = 30s;

TEST(Event, ManualResetReleasesEveryWaiterAndStaysSet) {
    os::Event event(os::Event::Reset::manual);
    EXPECT_FALSE(event.wait_for(0ms));
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            if (event.wait_for(broken)) ++released;
        });
    event.set();
    for (auto& waiter : waiters) waiter.join();
    EXPECT_EQ(released, 4);
    EXPECT_TRUE(event.is_set());
    event.reset();
    EXPECT_FALSE(event.wait_for(0ms));
}

TEST(Event, AutoResetReleasesOneWaiterPerSet) {
    os::Event event(os::Event::Reset::automatic, true);
    EXPECT_TRUE(event.wait_for(0ms));
    EXPECT_FALSE(event.wait_for(0ms));  // consumed

    constexpr int waiters = 4;
    std::atomic<int> released{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < waiters; ++i)
        threads.emplace_back([&] {
            event.wait();
            ++released;
        });
    for (int i = 0; i < waiters; ++i) {
        // Each set lets exactly one through; the next set waits until it has.
        event.set();
        while (released.load() != i + 1) std::this_thread::yield();
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(released, waiters);
    EXPECT_FALSE(event.is_set());
}

TEST(NamedEvent, SameNameSameEventWhileAlive) {
    auto stop = os::create_event("BuildTerminate", os::Event::Reset::manual);
    auto again = os::create_event("BuildTerminate", os::Event::Reset::automatic, true);
    EXPECT_EQ(stop, again);
    EXPECT_FALSE(again->is_set());  // the existing event, as it was
    EXPECT_EQ(os::open_event("BuildTerminate"), stop);
    EXPECT_NE(os::open_event("buildterminate"), stop);  // names are exact
    EXPECT_NE(os::create_event("", os::Event::Reset::manual), os::create_event("", os::Event::Reset::manual));

    stop->set();
    EXPECT_TRUE(os::open_event("BuildTerminate")->wait_for(0ms));
    stop.reset();
    again.reset();
    EXPECT_EQ(os::open_event("BuildTerminate"), nullptr);
    EXPECT_FALSE(os::create_event("BuildTerminate", os::Event::Reset::manual)->is_set());  // a fresh one
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
    os::CriticalSection section;
    std::lock_guard outer(section);
    section.enter();
    bool other_got_it = true;
    std::thread([&] { other_got_it = section.try_lock(); }).join();
    EXPECT_FALSE(other_got_it);
    section.leave();
}

}  // namespace
