#include "platform/os/thread.h"

#include <semaphore>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Generous bounds that only matter when something is broken: a lost wake-up
// shows as a failed wait instead of a hung test.
constexpr auto broken = 30s;

void wait_until_parked(os::Thread& thread) {
    while (!thread.IsSuspended()) std::this_thread::yield();
}

TEST(ParkGate, ResumeBeforeParkIsNotLost) {
    constexpr int rounds = 10000;
    std::binary_semaphore resumed{0}, passed{0};
    os::Thread worker([&](os::Thread& self) {
        for (int i = 0; i < rounds; ++i) {
            resumed.acquire();  // this round's resume has been given already
            if (!self.park()) return;
            passed.release();
        }
    });
    for (int i = 0; i < rounds; ++i) {
        worker.resume();
        resumed.release();
        ASSERT_TRUE(passed.try_acquire_for(broken)) << "the resume of round " << i << " was lost";
    }
    EXPECT_TRUE(worker.wait_for_exit(broken));
}

TEST(ParkGate, ResumeRacingParkNeverHangs) {
    constexpr int rounds = 10000;
    std::binary_semaphore passed{0};
    os::Thread worker([&](os::Thread& self) {
        for (int i = 0; i < rounds && self.park(); ++i) passed.release();
    });
    for (int i = 0; i < rounds; ++i) {
        worker.resume();  // before, during or after the worker's park
        ASSERT_TRUE(passed.try_acquire_for(broken)) << "round " << i;
    }
    EXPECT_TRUE(worker.wait_for_exit(broken));
}

TEST(ParkGate, IsSuspendedMeansParkedAndResumeReportsIt) {
    std::binary_semaphore go_on{0};
    os::Thread worker([&](os::Thread& self) {
        self.park();
        go_on.acquire();
    });
    wait_until_parked(worker);
    EXPECT_TRUE(worker.IsSuspended());
    EXPECT_TRUE(worker.resume());  // it was parked
    go_on.release();
    ASSERT_TRUE(worker.wait_for_exit(broken));
    EXPECT_FALSE(worker.IsSuspended());
    EXPECT_FALSE(worker.resume());  // not parked: the permit waits for a park that never comes
}

TEST(ParkGate, SeveralResumesBeforeAParkCountAsOne) {
    os::ParkGate gate;
    EXPECT_FALSE(gate.resume());
    EXPECT_FALSE(gate.resume());
    EXPECT_TRUE(gate.park());
    EXPECT_FALSE(gate.is_parked());
    bool second_park_passed = false;
    os::Thread worker([&](os::Thread&) { second_park_passed = gate.park(); });
    while (!gate.is_parked()) std::this_thread::yield();
    gate.stop();
    worker.join();
    EXPECT_FALSE(second_park_passed);
}

TEST(Thread, StopIsCooperativeAndReleasesAPark) {
    std::atomic<int> loops{0};
    os::Thread spinner([&](os::Thread& self) {
        while (!self.stop_requested()) ++loops;
    });
    os::Thread parker([&](os::Thread& self) { EXPECT_FALSE(self.park()); });
    wait_until_parked(parker);
    EXPECT_FALSE(spinner.finished());
    spinner.request_stop();
    parker.request_stop();
    EXPECT_TRUE(spinner.wait_for_exit(broken));
    EXPECT_TRUE(parker.wait_for_exit(broken));
    EXPECT_TRUE(spinner.finished());
}

TEST(Thread, DestructorStopsAndJoins) {
    std::atomic<bool> ended{false};
    {
        os::Thread worker([&](os::Thread& self) {
            while (self.park()) {
            }
            ended = true;
        });
        wait_until_parked(worker);
    }
    EXPECT_TRUE(ended);
}

}  // namespace
