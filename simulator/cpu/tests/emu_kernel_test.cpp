// The kernel control object with its emulation thread: stops, resumes,
// pauses and the ways a run ends. Runs under ThreadSanitizer too.
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

#include "simulator/cpu/emu_kernel.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {
namespace {

class FakeWindow : public KernelWindow {
public:
    bool ide = true;
    ExceptionAnswer answer = ExceptionAnswer::Continue;

    void PostToOwnWindow(std::uint32_t code) override {
        std::lock_guard lock(mutex_);
        ownPosts_.push_back(code);
        changed_.notify_all();
    }
    bool HasIdeWindow() override { return ide; }
    void PostStoppedToIde(std::uint32_t) override { ++idePosts; }
    ExceptionAnswer ShowException(std::uint16_t, int code) override {
        std::lock_guard lock(mutex_);
        asked_.push_back(code);
        return answer;
    }
    void PaintLcd(unsigned) override {}

    // Waits until the own window has heard `count` notices.
    bool WaitForPosts(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return ownPosts_.size() >= count; });
    }
    std::vector<std::uint32_t> OwnPosts() {
        std::lock_guard lock(mutex_);
        return ownPosts_;
    }
    std::vector<int> Asked() {
        std::lock_guard lock(mutex_);
        return asked_;
    }

    std::atomic<int> idePosts{0};

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::uint32_t> ownPosts_;
    std::vector<int> asked_;
};

// A machine whose ROM loops at $8000.
class KernelTest : public ::testing::Test {
protected:
    KernelTest() : ram(RamImageSize(0x4000, 0x80000) + 8), rom(0x8000, 0xEA), kernel(window) {
        rom[0] = 0x4C;  // JMP $8000
        rom[1] = 0x00;
        rom[2] = 0x80;
        // Reset, and the device's timer interrupts too (they come on a slow machine before the
        // test looks), all lead to the loop.
        for (std::size_t vector : {0x7FFA, 0x7FFC, 0x7FFE}) {
            rom[vector] = 0x00;
            rom[vector + 1] = 0x80;
        }
        KernelConfig config;
        config.ramImage = AlignedRam();
        config.romImage = rom.data();
        config.romSize = static_cast<std::uint32_t>(rom.size());
        EXPECT_EQ(kernel.Setup(config, InitOption::kColdStart), "");
        block().registers.run_flags = 0;
    }

    std::uint8_t* AlignedRam() {
        auto at = reinterpret_cast<std::uintptr_t>(ram.data());
        return ram.data() + ((8 - at % 8) % 8);
    }
    formats::TargetControlBlock& block() { return *kernel.core().block; }
    void PlantBreakpoint() { block().first_table[0] = 0xE0000000u | 0x8000; }

    std::vector<std::uint8_t> ram;
    std::vector<std::uint8_t> rom;
    FakeWindow window;
    EmuKernel kernel;
};

TEST_F(KernelTest, TenThousandBreakpointStopsResumedAtOnceFromAnotherThread) {
    constexpr std::size_t kStops = 10000;
    PlantBreakpoint();
    ASSERT_TRUE(kernel.StartThread());
    std::thread resumer([&] {
        for (std::size_t i = 1; i <= kStops; ++i) {
            if (!window.WaitForPosts(i)) return;
            kernel.Resume();  // may come before the thread has parked
        }
    });
    ASSERT_TRUE(window.WaitForPosts(kStops));
    resumer.join();
    kernel.StopThread(true);
    EXPECT_FALSE(kernel.IsRunning());
    EXPECT_GE(window.idePosts.load(), static_cast<int>(kStops));
    EXPECT_EQ(window.OwnPosts()[0], 0x80000000u);
}

TEST_F(KernelTest, StopEndsAParkedThread) {
    PlantBreakpoint();
    ASSERT_TRUE(kernel.StartThread());
    ASSERT_TRUE(window.WaitForPosts(1));
    kernel.StopThread(true);
    EXPECT_FALSE(kernel.IsRunning());
    EXPECT_EQ(kernel.LastResult(), static_cast<int>(RunResult::Stopped));
    // The stopped run is told to the window and to the IDE, without parking.
    EXPECT_EQ(window.OwnPosts().back(), kStoppedCode);
    EXPECT_EQ(window.idePosts.load(), 2);
}

TEST_F(KernelTest, ExitRequestEndsAParkedThreadWithResultOne) {
    PlantBreakpoint();
    ASSERT_TRUE(kernel.StartThread());
    ASSERT_TRUE(window.WaitForPosts(1));
    kernel.SetControlFlags(ControlFlag::kExitRequest, ControlFlag::kExitRequest);
    for (int i = 0; i < 20000 && kernel.IsRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(kernel.IsRunning());
    EXPECT_EQ(kernel.LastResult(), static_cast<int>(RunResult::Ended));
}

TEST_F(KernelTest, PauseParksAndResumeLetsGo) {
    kernel.Resume();  // never paused: nothing happens
    ASSERT_TRUE(kernel.StartThread());
    ASSERT_TRUE(kernel.Pause());
    EXPECT_TRUE(kernel.IsSuspended());
    EXPECT_TRUE(kernel.Pause());                          // already parked: at once
    EXPECT_EQ(kernel.core().regs().pc & 0xFFF0, 0x8000);  // registers readable while parked
    kernel.Resume();
    ASSERT_TRUE(window.WaitForPosts(1));
    EXPECT_EQ(window.OwnPosts()[0], kPauseCode);
    EXPECT_EQ(window.idePosts.load(), 0);  // a pause is never told to the IDE
    kernel.StopThread(true);
    EXPECT_EQ(kernel.LastResult(), static_cast<int>(RunResult::Stopped));
}

TEST_F(KernelTest, FastInterpreterPausesResumesAndStops) {
    kernel.core().regs().mode |= formats::ModeBit::kFastInterpreter;
    ASSERT_TRUE(kernel.StartThread());
    constexpr std::size_t kPauses = 200;
    for (std::size_t i = 0; i < kPauses; ++i) {
        ASSERT_TRUE(kernel.Pause()) << i;
        EXPECT_GE(kernel.core().regs().pc, 0x8000);  // written back before the notice
        kernel.Resume();
        kernel.Resume();  // a second resume leaves nothing behind for the next pause
    }
    kernel.StopThread(true);
    // Every Pause made a notice of its own: none passed on a left-over resume.
    EXPECT_EQ(window.OwnPosts(), std::vector<std::uint32_t>(kPauses, kPauseCode));
    EXPECT_EQ(kernel.LastResult(), static_cast<int>(RunResult::Stopped));
    EXPECT_GT(kernel.core().cycleCount, 0u);
}

TEST_F(KernelTest, BreakpointWithoutAnIdeAsksTheUserInsteadOfParking) {
    window.ide = false;
    window.answer = ExceptionAnswer::Stop;
    PlantBreakpoint();
    ASSERT_TRUE(kernel.StartThread());
    ASSERT_TRUE(window.WaitForPosts(1));
    kernel.StopThread(true);
    EXPECT_EQ(window.Asked(), std::vector<int>{0});
    EXPECT_EQ(kernel.LastResult(), static_cast<int>(RunResult::Ended));
}

TEST_F(KernelTest, MemoryAndDisassemblyReaders) {
    struct Case {
        std::uint16_t address;
        std::uint32_t run;
    } cases[] = {{0x0010, 0x30}, {0x0050, 0x30}, {0x8123, 0x2000 - 0x123}};
    for (const Case& c : cases) {
        std::uint8_t rights = 0;
        std::uint32_t run = 0;
        EXPECT_NE(kernel.ReadMemoryInfo(c.address, &rights, &run), nullptr);
        EXPECT_EQ(run, c.run) << c.address;
        EXPECT_TRUE(rights & formats::PageRight::kReadable);
    }
    std::uint32_t address = 0x8000, lines = 0 << 16 | 3;
    EXPECT_EQ(kernel.Disassemble(address, DisassemblyLayout::Make(1, 8, 12, 6, 24), lines, nullptr), 0u);
    std::string text;
    std::size_t length = kernel.Disassemble(address, DisassemblyLayout::Make(1, 8, 12, 6, 24), lines, &text);
    EXPECT_EQ(length, text.size());
    EXPECT_NE(text.find("JMP"), std::string::npos) << text;
    EXPECT_EQ(address >> 16, 0x8000u);
    EXPECT_EQ(lines, 0u << 16 | 3);
}

TEST_F(KernelTest, RotationWithoutAThreadChangesTheGeometryAtOnce) {
    std::vector<std::uint8_t> bitmap(LcdHostBytes(0, 0, true) + 16);
    EXPECT_TRUE(kernel.SetRotation(bitmap.data(), ControlFlag::kLcdRotated));
    EXPECT_TRUE(kernel.core().controlFlags & ControlFlag::kLcdRotated);
    EXPECT_FALSE(kernel.IsRunning());
}

}  // namespace
}  // namespace simcpu
