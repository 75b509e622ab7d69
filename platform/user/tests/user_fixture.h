#pragma once
// What the window-manager tests share: the headless display with a stall
// that fails the test instead of aborting, a message log, and a window class
// that logs what it receives.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "platform/user/user.h"
#include "platform/user/window_table.h"

namespace user_test {

// Messages received by logging windows, as "name" or "name:detail", in order.
std::vector<std::string>& log();
std::string message_name(UINT message);

// A class whose procedure logs each message (those in `quiet` aside) and then
// calls the hook set by the test, or DefWindowProc.
inline constexpr const char* kLogClass = "UserTestLog";
inline constexpr const char* kDblClkClass = "UserTestDblClk";
using ProcHook = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, bool* handled);
void set_proc_hook(ProcHook hook);
// Messages not logged unless asked for (they come in large numbers).
void log_everything(bool on);

// A key pressed and released, injected.
void inject_key_press(int vk);

class UserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible top-level window of the logging class, client area at (100, 100) sized 200x150.
    HWND make_top(const char* title = "top", DWORD style = WS_OVERLAPPEDWINDOW);
    HWND make_child(HWND parent, int id, RECT r, DWORD style = WS_CHILD | WS_VISIBLE);
    // Runs the message loop until it is empty and the script has no more steps.
    void pump();
    // The log since the last call, restricted to `names` when given.
    std::vector<std::string> take_log(const std::vector<std::string>& names = {});
    // Compares the picture of a top-level window with tests/golden/<name>.png.
    ::testing::AssertionResult matches_snapshot(const std::string& name, HWND top);

    kit::display::Headless display;
};

// Window-manager tests that draw text with the fixed-cell test font, so that layouts are exact.
class TestFontTest : public UserTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace user_test
