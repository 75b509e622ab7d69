#pragma once
// Runs the simulator in the test's own process on the headless display: its
// files in a private folder (skins, demo ROM, loader, product file copied from
// the build), message boxes and dialogs answered by the test, and helpers
// that wait for the emulation thread without timing anything.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "simulator/cpu/memory_map.h"
#include "simulator/window/talvask_startup.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace simwin_test {

class TalvaskFixture : public ::testing::Test {
protected:
    TalvaskFixture() {
        display.on_stall([this](const std::string& why) {
            ADD_FAILURE() << why;
            if (window) DestroyWindow(window->hwnd());
            PostQuitMessage(99);
        });
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) {
                boxes.push_back(q.text);
                captions.push_back(q.caption);
                return IDOK;
            }
            return answer_dialog ? answer_dialog(q) : std::nullopt;
        });
    }
    ~TalvaskFixture() override {
        EXPECT_EQ(display.steps_left(), 0u) << "the run ended before the test's script";
        kit::user::set_dialog_script(nullptr);
        kit::user::reset_input_state();
    }

    void copy_from_build(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            std::filesystem::copy_file(testing_kit::program_path(name), folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
    }

    // Starts with the demo ROM and the named skins beside the program.
    bool start(std::vector<std::string> arguments, const std::vector<std::string>& skins = {"qv4700.cfs"}) {
        std::vector<std::string> files = {"QV4700.BIN", "dl.ini", "QV4700.PID"};
        files.insert(files.end(), skins.begin(), skins.end());
        copy_from_build(files);
        arguments_ = std::move(arguments);
        auto started = simwin::start_talvask(
            simwin::StartRequest{arguments_, folder.path(), remembered_skin, pace_hz, SW_SHOWNORMAL});
        if (auto* code = std::get_if<int>(&started)) {
            start_code = *code;
            return false;
        }
        window = std::move(std::get<std::unique_ptr<simwin::SimWindow>>(started));
        return true;
    }

    std::vector<std::string> demo_arguments() const {
        return {"-o:QV4700.BIN", "-up", "-a:" + (folder / "ram.mem").string(), "-eas:65536", "-if:qv4700.cfs"};
    }

    int run() { return simwin::run_talvask(*window); }

    // Holds the emulation once it has run `cycles` cycles (real waiting, bounded).
    bool hold_after(std::uint64_t cycles) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        simcpu::EmuKernel& kernel = window->kernel();
        while (std::chrono::steady_clock::now() < deadline) {
            if (!kernel.Pause()) return false;
            if (kernel.core().cycleCount >= cycles) return true;
            kernel.Resume();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // Lets the emulation run until `done` holds, looking only while it is
    // held; the emulation stays held when this returns true (bounded).
    bool run_until(const std::function<bool()>& done) {
        simcpu::EmuKernel& kernel = window->kernel();
        for (int i = 0; i < 400; ++i) {
            if (!kernel.Pause()) return false;
            if (done()) return true;
            std::uint64_t next = kernel.core().cycleCount + 200000;
            kernel.Resume();
            if (!hold_after(next)) return false;
            if (done()) return true;
            kernel.Resume();
        }
        return false;
    }

    // Handles messages (what other threads and processes post arrives while the loop idles)
    // until `done` holds; false after `limit` of real time.
    bool pump_until(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(10000)) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(int(msg.wParam));
                    return done();
                }
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    // For runs that wait on what the emulation thread posts: a loop with
    // nothing to do sleeps a moment instead of stalling (for 30 seconds at most).
    void let_idle_wait() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        display.on_stall([this, deadline](const std::string& why) {
            if (std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                return;
            }
            ADD_FAILURE() << why;
            if (window) DestroyWindow(window->hwnd());
            PostQuitMessage(99);
        });
    }

    std::uint8_t device_byte(std::uint16_t address) {
        const std::uint8_t* at = simcpu::MapPlain(window->kernel().core(), address);
        return at ? *at : 0;
    }

    void exit_simulator() { PostMessage(window->hwnd(), WM_COMMAND, formats::kSimExitCommand, 0); }

    kit::display::Headless display;
    testing_kit::TempDir folder;
    std::unique_ptr<simwin::SimWindow> window;
    std::vector<std::string> boxes, captions;  // the message boxes shown, text and caption
    std::function<std::optional<LONG_PTR>(const kit::user::DialogQuestion&)> answer_dialog;
    int start_code = 0;
    std::optional<std::uint64_t> pace_hz;        // the nominal clock for a person; none in most tests
    std::optional<std::string> remembered_skin;  // the profile's "CFFileName"

private:
    std::vector<std::string> arguments_;
};

}  // namespace simwin_test
