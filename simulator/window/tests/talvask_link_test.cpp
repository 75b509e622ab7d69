// The link with the IDE in debug mode, driven by a stand-in IDE window of
// this process: the download notice, a breakpoint stop, resume, the exit
// notice and the end hand-shake with and without the acknowledgement.
#include "formats/cpu_block.h"
#include "formats/sim_messages.h"
#include "simulator/window/tests/talvask_fixture.h"

namespace simwin_test {
namespace {

struct LinkMessage {
    UINT message;
    std::uint64_t wparam, lparam;
};

// A top-level window that takes the simulator's posts, as the IDE's frame does.
class StandInIde {
public:
    StandInIde() {
        WNDCLASS wc{};
        wc.lpfnWndProc = procedure;
        wc.lpszClassName = "StandInIde";
        RegisterClass(&wc);
        hwnd_ = CreateWindowEx(0, "StandInIde", "IDE", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, this);
        std::string why;
        bridge_ = kit::user::IpcBridge::open(hwnd_, &why);
        EXPECT_TRUE(bridge_) << why;
    }
    ~StandInIde() {
        bridge_.reset();
        DestroyWindow(hwnd_);
        UnregisterClass("StandInIde", nullptr);
    }

    std::string handle_text() const { return std::to_string(value_of(hwnd_)); }
    std::vector<LinkMessage> received;
    HWND simulator = nullptr;

    std::optional<LinkMessage> find(UINT message, std::uint16_t code) const {
        for (const LinkMessage& m : received)
            if (m.message == message && formats::sim_link_code(m.wparam) == code) return m;
        return std::nullopt;
    }
    void post(std::uint16_t code) { PostMessage(simulator, formats::WM_SIMLINK, formats::sim_link_wparam(code), 0); }

private:
    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtr(hwnd, GWL_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<StandInIde*>(GetWindowLongPtr(hwnd, GWL_USERDATA));
        if (self && (message == formats::WM_SIMLINK || message == WM_COMMAND)) {
            self->received.push_back({message, std::uint64_t(wParam), std::uint64_t(lParam)});
            return 0;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    std::unique_ptr<kit::user::IpcBridge> bridge_;
};

class TalvaskLink : public TalvaskFixture {
protected:
    bool start_debug_run() {
        copy_from_build({"QV4700.BIN"});
        std::filesystem::copy_file(testing_kit::program_path("../simulator/demo/DEMOPROG.BIN"),
                                   folder / "DEMOPROG.BIN");
        std::vector<std::string> arguments = demo_arguments();
        arguments.insert(arguments.end(), {"-h:" + ide.handle_text(), "-f:DEMOPROG.BIN", "-n:DEMOPROG", "-d"});
        if (!start(arguments)) return false;
        ide.simulator = window->hwnd();
        return true;
    }

    // Waits for the download notice; the device pauses after it and the IDE resumes it.
    void download_and_resume() {
        ASSERT_TRUE(
            pump_until([&] { return ide.find(formats::WM_SIMLINK, formats::SimNotifyDownloaded).has_value(); }));
        auto notice = *ide.find(formats::WM_SIMLINK, formats::SimNotifyDownloaded);
        EXPECT_EQ(notice.lparam, value_of(window->hwnd()));
        EXPECT_EQ(formats::sim_link_detail(notice.wparam), 0x0001) << "slot 0, one matching slot";
        ASSERT_TRUE(pump_until([&] { return window->kernel().IsSuspended(); }));
        ide.post(formats::SimCmdResume);
        ASSERT_TRUE(pump_until([&] { return !window->kernel().IsSuspended(); }));
    }

    StandInIde ide;
};

TEST_F(TalvaskLink, ABreakpointStopsTheDeviceUntilTheIdeResumesAndExitTellsTheIde) {
    ASSERT_TRUE(start_debug_run());
    display.then([&] {
        download_and_resume();
        // The ROM's idle loop: the target of the first JMP in its code page that lands on a JSR.
        ASSERT_TRUE(hold_after(6'000'000));
        std::uint16_t loop = 0;
        for (std::uint32_t a = 0xE000; a < 0xFFF0 && !loop; ++a) {
            if (device_byte(std::uint16_t(a)) != 0x4C) continue;
            std::uint16_t target =
                std::uint16_t(device_byte(std::uint16_t(a + 1)) | device_byte(std::uint16_t(a + 2)) << 8);
            if (target >= 0xE000 && device_byte(target) == 0x20) loop = target;
        }
        ASSERT_NE(loop, 0);
        std::uint32_t* table = window->kernel().core().block->first_table;
        table[0] = formats::BreakEntry::kValid | formats::BreakEntry::kArmed | formats::BreakEntry::kExecute | loop;
        table[1] = 0;
        window->kernel().Resume();
        ASSERT_TRUE(pump_until([&] { return ide.find(formats::WM_SIMLINK, formats::SimNotifyStopped).has_value(); }));
        auto stop = *ide.find(formats::WM_SIMLINK, formats::SimNotifyStopped);
        EXPECT_EQ(stop.wparam, 0x1002FFFFu);
        EXPECT_EQ(stop.lparam, std::uint64_t(loop) << 16);
        ASSERT_TRUE(pump_until([&] { return window->kernel().IsSuspended(); }));
        EXPECT_EQ(window->kernel().core().regs().pc, loop);
        // The IDE disarms the entry and lets the device go on; then it ends the run.
        table[0] = 0;
        ide.post(formats::SimCmdResume);
        ASSERT_TRUE(pump_until([&] { return !window->kernel().IsSuspended(); }));
        ide.post(formats::SimCmdExit);
        ASSERT_TRUE(pump_until([&] { return !IsWindow(window->hwnd()); }));
        ASSERT_TRUE(pump_until([&] { return ide.find(WM_COMMAND, formats::SimNotifyExited).has_value(); }));
        EXPECT_FALSE(ide.find(formats::WM_SIMLINK, formats::SimNotifyEnded).has_value());
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(TalvaskLink, ACloseRequestAnnouncesTheEndAndWaitsForTheAcknowledgement) {
    for (bool acknowledge : {true, false}) {
        SCOPED_TRACE(acknowledge);
        window.reset();
        ide.received.clear();
        for (const char* name : {"ram.mem", "DEMOPROG.BIN", "QV4700.BIN"}) std::filesystem::remove(folder / name);
        ASSERT_TRUE(start_debug_run());
        DWORD closed_at = 0;
        display.then([&] {
            download_and_resume();
            closed_at = GetTickCount();
            PostMessage(window->hwnd(), formats::WM_SIMLINK, formats::kSimCloseWParam, formats::kSimCloseLParam);
        });
        // The hand-shake's loop waits with nothing queued: it takes the next steps.
        if (acknowledge)
            display.then([&] {
                ASSERT_TRUE(
                    pump_until([&] { return ide.find(formats::WM_SIMLINK, formats::SimNotifyEnded).has_value(); }));
                ide.post(formats::SimCmdAckEnd);
            });
        if (!acknowledge) {
            display.then([&] {
                ASSERT_TRUE(
                    pump_until([&] { return ide.find(formats::WM_SIMLINK, formats::SimNotifyEnded).has_value(); }));
                display.advance(9990);
            });
            display.then([&] {
                EXPECT_TRUE(IsWindow(window->hwnd())) << "ended before the ten seconds";
                display.advance(20);
            });
        }
        EXPECT_EQ(run(), 0);
        EXPECT_TRUE(ide.find(formats::WM_SIMLINK, formats::SimNotifyEnded).has_value());
        EXPECT_FALSE(ide.find(WM_COMMAND, formats::SimNotifyExited).has_value());
        DWORD waited = GetTickCount() - closed_at;
        if (acknowledge)
            EXPECT_LT(waited, 1000u);
        else
            EXPECT_GE(waited, 10000u);
    }
}

TEST_F(TalvaskLink, WithoutDebugModeNothingGoesToTheIdeAndOnlyTheCloseRequestCounts) {
    std::vector<std::string> arguments = demo_arguments();
    arguments.push_back("-h:" + ide.handle_text());
    ASSERT_TRUE(start(arguments));
    ide.simulator = window->hwnd();
    display.then([&] {
        ASSERT_TRUE(hold_after(1'000'000));
        ide.post(formats::SimCmdExit);  // ignored without "-d"
        // Posts from the IDE arrive within moments; a debug command must not end the run.
        EXPECT_FALSE(pump_until([&] { return !IsWindow(window->hwnd()); }, std::chrono::milliseconds(300)))
            << "ended on a debug command";
        EXPECT_TRUE(window->kernel().IsSuspended());
        window->kernel().Resume();
        PostMessage(window->hwnd(), formats::WM_SIMLINK, formats::kSimCloseWParam, formats::kSimCloseLParam);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(ide.received.empty());
}

}  // namespace
}  // namespace simwin_test
