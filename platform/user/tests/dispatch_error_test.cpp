// Window procedures that throw: a sender on another thread is always answered,
// and a modal loop a throw passes through leaves capture, owner and popups as
// they were.
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/res/compiler/resource_parser.h"
#include "platform/user/modal_loop.h"
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

constexpr UINT kThrow = WM_USER + 1;
constexpr UINT kDouble = WM_USER + 2;

// A procedure hook: kThrow throws, kDouble answers twice its wParam.
LRESULT throwing_hook(HWND, UINT m, WPARAM w, LPARAM, bool* handled) {
    if (m == kThrow) throw std::runtime_error("disk on fire");
    if (m != kDouble) return 0;
    *handled = true;
    return LRESULT(w * 2);
}

std::vector<std::string>& reports() {
    static std::vector<std::string> list;
    return list;
}

LRESULT record_report(const MSG& msg, std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        reports().push_back(message_name(msg.message) + ": " + e.what());
    }
    return 99;
}

class DispatchErrorTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        reports().clear();
        kit::user::set_dispatch_exception_handler(record_report);
        set_proc_hook(throwing_hook);
    }
    void TearDown() override {
        kit::user::set_dispatch_exception_handler(nullptr);
        UserTest::TearDown();
    }

    // Serves this thread's queue until `done`.
    static void serve_until(const std::atomic<bool>& done) {
        MSG msg;
        while (!done) {
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                kit::user::wait_on_queue(kit::user::kNoDeadline);
                continue;
            }
            DispatchMessage(&msg);
        }
    }
};

TEST_F(DispatchErrorTest, AThrowForASenderOfAnotherThreadAnswersItAndBothThreadsGoOn) {
    HWND top = make_top();
    std::atomic<LRESULT> failed{0}, after{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        failed = SendMessage(top, kThrow, 0, 0);
        after = SendMessage(top, kDouble, 21, 0);
        done = true;
        PostMessage(top, WM_NULL, 0, 0);  // wakes the owner to see it
    });
    serve_until(done);
    worker.join();
    EXPECT_EQ(failed, 99);  // the handler's result reached the sender
    EXPECT_EQ(after, 42);
    EXPECT_EQ(reports(), (std::vector<std::string>{message_name(kThrow) + ": disk on fire"}));
    EXPECT_FALSE(InSendMessage());  // the owner's send depth came back down
    // The owner still handles its own messages, and a throw on its own thread reaches its caller.
    EXPECT_EQ(SendMessage(top, kDouble, 4, 0), 8);
    EXPECT_THROW(SendMessage(top, kThrow, 0, 0), std::runtime_error);
}

TEST_F(DispatchErrorTest, WithoutAHandlerTheSenderGetsZero) {
    kit::user::set_dispatch_exception_handler(nullptr);
    HWND top = make_top();
    std::atomic<LRESULT> failed{-1};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        failed = SendMessage(top, kThrow, 0, 0);
        done = true;
        PostMessage(top, WM_NULL, 0, 0);
    });
    serve_until(done);
    worker.join();
    EXPECT_EQ(failed, 0);
}

TEST_F(DispatchErrorTest, ASenderIsReleasedWhenTheReceivingThreadEndsWithoutAnswering) {
    std::atomic<HWND> target{nullptr};
    std::atomic<bool> leave{false};
    std::thread owner([&] {
        target = CreateWindowEx(0, kLogClass, "silent", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        while (!leave) std::this_thread::yield();  // never looks at its queue
    });
    while (!target) std::this_thread::yield();
    // Whether the thread ends before or after the send is queued, the send comes back.
    std::thread ender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        leave = true;
    });
    EXPECT_EQ(SendMessage(target, kDouble, 1, 0), 0);
    owner.join();
    ender.join();
}

constexpr const char* kTemplate = R"(
dialog 300 "Failing" 0 0 100 40
  defpushbutton 1 "OK" 10 10 40 14
end
)";

HWND failing_dialog = nullptr;

// Throws on the message WM_INITDIALOG posts, from inside the modal loop.
LONG_PTR failing_proc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        failing_dialog = dialog;
        PostMessage(dialog, WM_APP, 0, 0);
        return TRUE;
    }
    if (message == WM_APP) throw std::runtime_error("no such file");
    return FALSE;
}

TEST_F(DispatchErrorTest, AThrowInsideAModalDialogEndsItAndGivesTheOwnerBack) {
    auto parsed = kit::res::parse_resources(kTemplate, "dispatch_error_test");
    ASSERT_TRUE(parsed.ok());
    kit::res::register_module(&parsed.module);
    HWND owner = make_top();
    EXPECT_THROW(DialogBox(nullptr, MAKEINTRESOURCE(300), owner, failing_proc), std::runtime_error);
    EXPECT_FALSE(IsWindow(failing_dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    // The next dialog runs as usual.
    kit::user::set_dialog_script([](const kit::user::DialogQuestion&) -> std::optional<LONG_PTR> { return IDOK; });
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(300), owner, failing_proc), IDOK);
    kit::user::set_dialog_script(nullptr);
    kit::res::unregister_module(&parsed.module);
}

TEST_F(DispatchErrorTest, AThrowInsideAMenuLoopClosesItsPopupsAndReleasesTheCapture) {
    HWND owner = make_top();
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 10, "&Open");
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (m == WM_ENTERIDLE) throw std::runtime_error("menu failed");
        return 0;
    });
    EXPECT_THROW(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), std::runtime_error);
    EXPECT_EQ(GetCapture(), nullptr);
    for (HWND top : kit::user::top_level_windows()) {
        EXPECT_NE(kit::user::find_window(top)->cls->name, "#32768");  // no popup left behind
    }
    // The next menu runs as usual.
    set_proc_hook(nullptr);
    display.press('O');
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 10);
    DestroyMenu(menu);
}

TEST_F(DispatchErrorTest, AThrowInsideACaptureLoopReleasesTheCaptureAndItsTimer) {
    HWND top = make_top();
    SetTimer(top, kit::user::kLoopTimerId, 50, nullptr);
    PostMessage(top, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_THROW(kit::user::run_capture_loop(
                     top, [](const MSG&) -> kit::user::LoopStep { throw std::runtime_error("drag failed"); }),
                 std::runtime_error);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(KillTimer(top, kit::user::kLoopTimerId));  // already gone
}

}  // namespace
}  // namespace user_test
