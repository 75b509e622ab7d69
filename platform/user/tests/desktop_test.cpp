// Living on a real desktop: the screen's size from the display, windows kept
// on it, boxes sized to their text, and a program nobody can answer.
#include <csignal>
#include <thread>

#include "platform/gdi/gdi.h"
#include "platform/user/dialog_api.h"
#include "platform/user/termination.h"
#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class DesktopTest : public UserTest {
protected:
    void TearDown() override {
        kit::user::reset_system_tables();
        UserTest::TearDown();
    }
};

TEST_F(DesktopTest, TheScreenMetricsFollowTheDisplayAndWindowsFitOnIt) {
    kit::user::set_screen_size(RECT{0, 0, 1024, 768}, RECT{0, 24, 1024, 768});
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    const RECT expected_work{0, 24, 1024, 768};
    EXPECT_TRUE(EqualRect(&work, &expected_work));
    EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED), 1024 + 2 * GetSystemMetrics(SM_CXFRAME));

    struct Case {
        RECT window, fitted;
    } cases[] = {
        {{100, 100, 300, 200}, {100, 100, 300, 200}},     // already on screen
        {{-1000, -1000, -800, -900}, {0, 24, 200, 124}},  // far off to the top left
        {{900, 700, 1100, 800}, {824, 668, 1024, 768}},   // over the right and bottom edges
        {{-50, 0, 1500, 900}, {0, 24, 1550, 924}},        // larger than the screen: its corner on it
    };
    for (const auto& c : cases) {
        RECT fitted = kit::user::fit_on_screen(c.window);
        EXPECT_TRUE(EqualRect(&fitted, &c.fitted)) << fitted.left << "," << fitted.top;
    }
    // A degenerate size from a display is ignored.
    kit::user::set_screen_size(RECT{0, 0, 0, 0}, RECT{0, 0, 0, 0});
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
}

TEST_F(DesktopTest, WithNobodyToAskBoxesTakeTheirDefaultAndSaySo) {
    display.set_person_present(false);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Overwrite?", "Save", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "No ROM", nullptr, MB_OK), IDOK);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Save: Overwrite?"), std::string::npos) << said;
    EXPECT_NE(said.find("Error: No ROM"), std::string::npos) << said;
    // A script still answers first.
    kit::user::set_dialog_script([](const kit::user::DialogQuestion&) -> std::optional<LONG_PTR> { return IDYES; });
    EXPECT_EQ(MessageBox(nullptr, "Overwrite?", "Save", MB_YESNO | MB_DEFBUTTON2), IDYES);
    kit::user::set_dialog_script(nullptr);
}

// The static text of the message box on screen, found when its loop waits.
RECT message_text_rect_when_shown(kit::display::Headless& display, const char* text) {
    RECT shown{};
    display.then([&] {
        HWND box = GetActiveWindow();
        HWND label = GetDlgItem(box, 0xFFFF);
        GetWindowRect(label, &shown);
        PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    MessageBox(nullptr, text, "Talvask", MB_OK);
    return shown;
}

TEST_F(DesktopTest, MessageBoxesGrowToTheLinesTheirTextWrapsTo) {
    const RECT one = message_text_rect_when_shown(display, "short");
    const std::string long_text =
        "The ROM image could not be opened: /home/user/devices/a/rather/long/folder/name/QV4700.BIN: "
        "No such file or directory. Check the path in the settings and try again.";
    const RECT wrapped = message_text_rect_when_shown(display, long_text.c_str());
    const int line = one.bottom - one.top;
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * line);
    // Every line fits: the label is as tall as the text it wraps to.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT need{0, 0, wrapped.right - wrapped.left, 0};
    DrawText(dc, long_text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    EXPECT_GE(wrapped.bottom - wrapped.top, need.bottom);

    // On a small screen the box stays narrower than the screen.
    kit::user::set_screen_size(RECT{0, 0, 320, 240}, RECT{0, 0, 320, 240});
    const RECT small = message_text_rect_when_shown(display, long_text.c_str());
    EXPECT_LT(small.right - small.left, 320);
}

// A usage summary lines its columns up with spaces: the box shows it in a
// fixed-pitch font, each line whole, under the caption it was given (even none).
TEST_F(DesktopTest, TextInColumnsIsShownInAFixedPitchFont) {
    const char* usage =
        "Please Specify Parameter:\n"
        "  -o:<ROM image file>       (required)\n"
        "  -ias:<internal RAM size>  (default 16384)\n"
        "  -d  debug mode     -up  plain ROM image\n"
        "  -Warm  warm boot   -DelRam  delete the RAM file at the end";
    HFONT font = nullptr;
    RECT label{};
    std::string caption = "unset";
    display.then([&] {
        HWND box = GetActiveWindow();
        HWND text = GetDlgItem(box, 0xFFFF);
        font = reinterpret_cast<HFONT>(SendMessage(text, WM_GETFONT, 0, 0));
        GetWindowRect(text, &label);
        char title[64] = "";
        GetWindowText(box, title, sizeof title);
        caption = title;
        PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    MessageBox(nullptr, usage, "", MB_OK);
    EXPECT_EQ(font, GetStockObject(ANSI_FIXED_FONT));
    EXPECT_EQ(caption, "");
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    RECT need{0, 0, 0, 0};
    DrawText(dc, usage, -1, &need, DT_CALCRECT | DT_NOPREFIX);
    DeleteDC(dc);
    EXPECT_GE(label.right - label.left, need.right);  // no line wraps
    EXPECT_GE(label.bottom - label.top, need.bottom);
    // Plain prose keeps the dialog font.
    display.then([&] {
        HWND box = GetActiveWindow();
        font = reinterpret_cast<HFONT>(SendMessage(GetDlgItem(box, 0xFFFF), WM_GETFONT, 0, 0));
        PostMessage(box, WM_COMMAND, IDOK, 0);
    });
    MessageBox(nullptr, "No such file.  Try again.", "Error", MB_OK);
    EXPECT_NE(font, GetStockObject(ANSI_FIXED_FONT));
}

TEST_F(DesktopTest, ATerminationSignalClosesTheMainWindowOnItsThread) {
    HWND top = make_top("main");
    HWND owned =
        CreateWindowEx(0, kLogClass, "owned", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
    take_log();
    kit::user::close_on_termination_signals();
    std::raise(SIGTERM);
    // The close arrives through the queue from the watcher thread.
    Log closes;
    for (int i = 0; i < 2000 && closes.empty(); ++i) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
        closes = take_log({"WM_CLOSE"});
        if (closes.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(closes, (Log{"WM_CLOSE"}));  // the main window only, not the one it owns
    (void)owned;
}

}  // namespace
}  // namespace user_test
