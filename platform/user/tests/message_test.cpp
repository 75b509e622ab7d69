// Queues: the order of retrieval, filters, quitting, timers on the virtual
// clock, painting when the queue is empty, cross-thread sends, stalls.
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_handles.h"
#include "platform/ipc/window_messages.h"
#include "platform/user/ipc_bridge.h"
#include "platform/user/tests/user_fixture.h"
#include "testing/temp_dir.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class MessageTest : public UserTest {};

TEST_F(MessageTest, PostedMessagesComeBeforeQuitAndQuitEndsGetMessage) {
    HWND top = make_top();
    PostQuitMessage(3);
    PostMessage(top, WM_USER + 1, 0, 0);
    PostMessage(top, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 2);
    // Painting waits for the quit too: WM_QUIT comes before WM_PAINT.
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageTest, PeekFiltersByRangeAndWindow) {
    HWND a = make_top("a");
    HWND b = make_top("b");
    HWND child = make_child(a, 1, RECT{0, 0, 5, 5});
    PostMessage(b, WM_USER, 0, 0);
    PostMessage(child, WM_USER + 5, 0, 0);
    PostMessage(a, WM_USER + 9, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 5, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    ASSERT_TRUE(PeekMessage(&msg, a, 0, 0, PM_NOREMOVE));  // a's own and its children's
    EXPECT_EQ(msg.message, WM_USER + 9);
    ASSERT_TRUE(PeekMessage(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, a, WM_USER, WM_USER + 100, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
}

TEST_F(MessageTest, ThreadMessagesHaveNoWindowAndAStaleFilterWindowIsAnError) {
    PostMessage(nullptr, WM_APP, 1, 2);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, WM_APP);
    HWND gone = make_top();
    DestroyWindow(gone);
    EXPECT_EQ(GetMessage(&msg, gone, 0, 0), -1);
}

TEST_F(MessageTest, TimersFireOnTheVirtualClockOncePerRetrieval) {
    HWND top = make_top();
    SetTimer(top, 7, 100, nullptr);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);  // paint
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    display.advance(99);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    display.advance(1);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top);
    EXPECT_EQ(msg.wParam, 7u);
    // Late by three intervals, it still fires once.
    display.advance(350);
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_TRUE(KillTimer(top, 7));
    display.advance(1000);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(KillTimer(top, 7));
}

TEST_F(MessageTest, TimerProceduresAndThreadTimers) {
    static int calls = 0;
    calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
    EXPECT_NE(id, 0u);
    display.advance(50);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    DispatchMessage(&msg);
    EXPECT_EQ(calls, 1);
    KillTimer(nullptr, id);
}

TEST_F(MessageTest, PaintComesWhenTheQueueIsEmptyParentBeforeChild) {
    HWND top = make_top();
    HWND child = make_child(top, 1, RECT{0, 0, 20, 20});
    log_everything(true);
    pump();
    take_log();
    InvalidateRect(top, nullptr, TRUE);  // no WS_CLIPCHILDREN: the child is invalid too
    PostMessage(top, WM_USER, 0, 0);
    static std::vector<HWND> painted;
    painted.clear();
    set_proc_hook([](HWND hwnd, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (m == WM_PAINT) painted.push_back(hwnd);
        return 0;
    });
    pump();
    EXPECT_EQ(take_log({"0x0400", "WM_PAINT"}), (Log{"0x0400", "WM_PAINT", "WM_PAINT"}));
    EXPECT_EQ(painted, (std::vector<HWND>{top, child}));
    RECT update;
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    EXPECT_FALSE(GetUpdateRect(child, &update, FALSE));
}

TEST_F(MessageTest, BeginPaintErasesAndValidates) {
    HWND top = make_top();
    pump();
    RECT part{10, 10, 20, 20};
    InvalidateRect(top, &part, TRUE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, part);
    log_everything(true);
    take_log();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(top, &ps);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(ps.rcPaint, part);
    EXPECT_EQ(take_log(), (Log{"WM_ERASEBKGND"}));
    EndPaint(top, &ps);
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(MessageTest, SendAcrossThreadsWaitsForTheOwnerAndServesSendsMeanwhile) {
    HWND top = make_top();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool* handled) -> LRESULT {
        if (m != WM_USER) return 0;
        *handled = true;
        return LRESULT(w * 2);
    });
    std::atomic<LRESULT> answer{0};
    std::atomic<bool> sent_back{false};
    std::thread worker([&] {
        // The worker has a window of its own that the owner sends to while the worker waits.
        HWND mine = CreateWindowEx(0, kLogClass, "worker", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        PostMessage(top, WM_APP, reinterpret_cast<WPARAM>(mine), 0);
        answer = SendMessage(top, WM_USER, 21, 0);
        DestroyWindow(mine);
        PostMessage(top, WM_NULL, 0, 0);  // wakes the owner to see the answer
    });
    MSG msg;
    while (answer == 0) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            kit::user::wait_on_queue(kit::user::kNoDeadline);
            continue;
        }
        if (msg.message == WM_APP) {
            SendMessage(reinterpret_cast<HWND>(msg.wParam), WM_NULL, 0, 0);
            sent_back = true;
        }
        DispatchMessage(&msg);
    }
    worker.join();
    EXPECT_EQ(answer, 42);
    EXPECT_TRUE(sent_back);
}

TEST_F(MessageTest, RegisteredMessagesShareOneNumberPerName) {
    UINT a = RegisterWindowMessage("commdlg_FindReplace");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("COMMDLG_FINDREPLACE"), a);
    EXPECT_NE(RegisterWindowMessage("another"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(MessageTest, AModalLoopEndsOnQuitAndPostsItAgain) {
    PostQuitMessage(5);
    MSG msg;
    EXPECT_FALSE(kit::user::modal_loop_next(msg));
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(MessageTest, AnIdleLoopTakesScriptStepsThenReportsAStall) {
    std::string reported;
    display.on_stall([&](const std::string& why) {
        reported = why;
        PostQuitMessage(0);
    });
    display.then([] { PostMessage(nullptr, WM_APP + 3, 0, 0); });
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_APP + 3);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_NE(reported.find("no step left"), std::string::npos);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(MessageTest, PostsFromOtherProcessesArriveInTheWindowsQueue) {
    HWND top = make_top();
    std::string error;
    auto bridge = kit::user::IpcBridge::open(top, &error);
    ASSERT_TRUE(bridge) << error;
    EXPECT_TRUE(IsWindow(top));
    // Posting by handle goes through the window's port, as another process would.
    ASSERT_TRUE(kit::user::post_to_other_process(top, WM_APP + 0x100, 0x10020000, 7));
    MSG msg;
    while (!PeekMessage(&msg, top, WM_APP + 0x100, WM_APP + 0x100, PM_REMOVE)) {
        kit::user::wait_on_queue(kit::user::kNoDeadline);
    }
    EXPECT_EQ(msg.wParam, 0x10020000u);
    EXPECT_EQ(msg.lParam, 7);
    bridge.reset();
    EXPECT_FALSE(kit::user::is_window_of_other_process(top));
    HWND nobody = hwnd_from_value(0x7FFFFFF0);
    EXPECT_FALSE(IsWindow(nobody));
    EXPECT_FALSE(PostMessage(nobody, WM_APP, 0, 0));
}

// A window of another process is brought to the front by that process (only it can raise the
// window on its display): asked through the window's port, it takes the activation there,
// whatever its procedure does with messages it does not know.
TEST_F(MessageTest, AWindowOfAnotherProcessIsBroughtToTheFrontByItsOwnProcess) {
    std::string error;
    const ipc::WindowHandle foreign = ipc::allocate_window_handle(&error);
    ASSERT_NE(foreign, 0u) << error;
    auto port = ipc::MessagePort::open(foreign, &error);
    ASSERT_TRUE(port) << error;
    HWND here = make_top("here");
    ASSERT_EQ(GetForegroundWindow(), here);
    EXPECT_TRUE(SetForegroundWindow(hwnd_from_value(foreign)));
    auto asked = port->receive(5000);
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->message, kit::user::kBringToFrontMessage);
    EXPECT_EQ(GetForegroundWindow(), here) << "a handle of another process became this one's active window";
    port.reset();
    EXPECT_FALSE(SetForegroundWindow(hwnd_from_value(foreign)));

    // The other side: the request arrives in the window's queue and its dispatch raises it.
    HWND behind = make_top("behind");
    SetForegroundWindow(here);
    auto bridge = kit::user::IpcBridge::open(behind, &error);
    ASSERT_TRUE(bridge) << error;
    set_proc_hook([](HWND, UINT message, WPARAM, LPARAM, bool* handled) -> LRESULT {
        *handled = message == kit::user::kBringToFrontMessage;  // a procedure that keeps it from DefWindowProc
        return 0;
    });
    ASSERT_TRUE(kit::user::post_to_other_process(behind, kit::user::kBringToFrontMessage, 0, 0));
    MSG msg;
    while (!PeekMessage(&msg, behind, kit::user::kBringToFrontMessage, kit::user::kBringToFrontMessage, PM_REMOVE))
        kit::user::wait_on_queue(kit::user::kNoDeadline);
    DispatchMessage(&msg);
    set_proc_hook(nullptr);
    EXPECT_EQ(GetForegroundWindow(), behind);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(MessageTest, SendingToAWindowWhoseThreadEndedReturnsAtOnce) {
    HWND orphan = nullptr;
    std::thread owner([&] {
        orphan = CreateWindowEx(0, kLogClass, "orphan", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    });
    owner.join();
    ASSERT_TRUE(IsWindow(orphan));  // the thread left it behind
    EXPECT_EQ(SendMessage(orphan, WM_USER, 1, 2), 0);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

// A window made while the runtime folder is open to other users gets a handle
// no other process can reach; opening its bridge names the folder to mend.
TEST_F(MessageTest, ABridgeRefusedForAnOpenRuntimeFolderSaysHowToMendIt) {
    testing_kit::TempDir scratch;
    const std::filesystem::path runtime = scratch / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::all);
    setenv(ipc::kRuntimeDirVariable, runtime.c_str(), 1);
    HWND made_while_open = make_top();
    std::string error;
    EXPECT_FALSE(kit::user::IpcBridge::open(made_while_open, &error));
    EXPECT_EQ(error, runtime.string() + " is open to other users; make it private (chmod 700)");

    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    EXPECT_FALSE(kit::user::IpcBridge::open(made_while_open, &error));
    EXPECT_EQ(error, "the window's handle is private to this process");
    auto bridge = kit::user::IpcBridge::open(make_top(), &error);
    EXPECT_TRUE(bridge) << error;
    bridge.reset();
    unsetenv(ipc::kRuntimeDirVariable);
}

}  // namespace
}  // namespace user_test
