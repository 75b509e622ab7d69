#include "platform/os/memory.h"

#include <gtest/gtest.h>

namespace {

TEST(ReservedMemory, CommitsInStepsUpToTheReservation) {
    auto memory = os::ReservedMemory::reserve(128 * 1024);
    ASSERT_TRUE(memory) << memory.error().text;
    std::uint8_t* const base = memory->data();
    EXPECT_EQ(memory->committed(), 0u);

    for (std::size_t step = 1; step <= 16; ++step) {
        ASSERT_TRUE(memory->commit(step * 8 * 1024));
        std::uint8_t* last = base + step * 8 * 1024 - 1;
        EXPECT_EQ(*last, 0);  // committed memory reads as zero
        *last = static_cast<std::uint8_t>(step);
    }
    EXPECT_EQ(memory->data(), base);  // the table never moves
    EXPECT_EQ(base[16 * 8 * 1024 - 1], 16);
    EXPECT_TRUE(memory->commit(10));  // less than committed: kept
    EXPECT_EQ(memory->committed(), 128u * 1024);

    const auto beyond = memory->commit(128 * 1024 + 1);
    ASSERT_FALSE(beyond);
    EXPECT_EQ(beyond.error().text, "commit memory: beyond the reservation");
    EXPECT_FALSE(os::ReservedMemory::reserve(0));
    EXPECT_FALSE(os::ReservedMemory().commit(1));
}

TEST(ReservedMemoryDeathTest, UncommittedMemoryIsNotAccessible) {
    auto memory = os::ReservedMemory::reserve(64 * 1024);
    ASSERT_TRUE(memory);
    ASSERT_TRUE(memory->commit(4096));
    volatile std::uint8_t* beyond = memory->data() + 32 * 1024;
    EXPECT_DEATH(*beyond = 1, "");
}

}  // namespace
