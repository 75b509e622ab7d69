#include "platform/os/clock.h"

#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(VirtualClock, SleepersWakeOnlyWhenTheTimeIsAdvancedPastThem) {
    os::VirtualClock clock(1000);
    os::ScopedClock installed(clock);
    EXPECT_EQ(os::GetTickCount(), 1000u);

    std::uint64_t woke_at = 0;
    std::thread sleeper([&] {
        os::Sleep(250);
        woke_at = clock.now_ms();
    });
    clock.wait_for_sleepers(1);
    clock.advance(249);
    EXPECT_EQ(clock.sleepers(), 1);
    clock.advance(1);
    sleeper.join();
    EXPECT_EQ(woke_at, 1250u);
    EXPECT_EQ(clock.sleepers(), 0);
    os::Sleep(0);  // no time to wait for: returns at once
}

TEST(Clock, SystemClockIsBackWhenTheScopeEnds) {
    os::VirtualClock clock(0xFFFFFFFFull + 5);
    {
        os::ScopedClock installed(clock);
        EXPECT_EQ(&os::clock(), &clock);
        EXPECT_EQ(os::GetTickCount(), 4u);  // wraps at 32 bits like the original
    }
    EXPECT_EQ(&os::clock(), &os::system_clock());
    const std::uint64_t first = os::clock().now_ms();
    EXPECT_GE(os::clock().now_ms(), first);
    const os::LocalTime now = os::local_time();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

}  // namespace
