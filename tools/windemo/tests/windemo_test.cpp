// Drives the demo headless with injected input through its main window, the
// popup menu, the dialog of every control, a message box and the menu bar,
// and compares its pictures and its event log with reviewed goldens.
#include <map>

#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "tools/windemo/demo.h"

namespace {

void press(int vk) {
    kit::user::inject_key(vk, true);
    kit::user::inject_key(vk, false);
}

TEST(WinDemo, ARunThroughEveryPartMatchesTheGoldens) {
    kit::display::Headless display;
    display.on_stall([](const std::string& why) {
        ADD_FAILURE() << why;
        PostQuitMessage(99);
    });
    gdi::set_test_font_everywhere(true);
    kit::user::set_dialog_script([](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) return IDOK;
        return std::nullopt;  // the controls dialog runs on injected keys
    });

    HWND main = windemo::create_main_window();
    HWND canvas = GetDlgItem(main, windemo::kCanvasId);
    HWND notes = GetDlgItem(main, windemo::kNotesId);
    std::map<std::string, gdi::Surface> shots;
    auto shoot = [&](const std::string& name, HWND top) {
        EXPECT_TRUE(testing_kit::painted_picture(top, &shots[name])) << name;
    };

    display.then([&] {
        shoot("start", main);
        display.click(notes, POINT{10, 10});
        display.type("Hi!");
    });
    display.then([&] { shoot("typed", main); });  // the caret shows right after typing
    for (int i = 0; i < 10; ++i) display.then([&] { display.advance(100); });
    display.then([&] { display.click(canvas, POINT{20, 20}, kit::user::MouseButton::right); });
    display.then([&] {  // inside the popup menu's loop
        press(VK_DOWN);
        press(VK_DOWN);
        press(VK_RETURN);
    });
    display.then([&] {
        shoot("animated", main);
        display.chord(VK_CONTROL, 'D');
    });
    display.then([&] {  // inside the dialog
        shoot("dialog", GetActiveWindow());
        display.type("Grace");
        press(VK_TAB);
        display.type("line");
        display.chord(VK_MENU, 'F');
        display.chord(VK_MENU, 'L');
        press(VK_TAB);
        press(VK_DOWN);
        press(VK_DOWN);
        press(VK_TAB);
        press(VK_DOWN);
        press(VK_TAB);
        press(VK_RIGHT);
        press(VK_RIGHT);
        press(VK_RIGHT);
    });
    display.then([&] {
        shoot("dialog_filled", GetActiveWindow());
        press(VK_RETURN);
    });
    display.then([&] { press(VK_F1); });
    display.then([&] {
        display.chord(VK_MENU, 'F');
        press('X');
    });
    EXPECT_EQ(windemo::run_message_loop(main), 0);
    EXPECT_FALSE(IsWindow(main));

    std::string events;
    for (const auto& line : windemo::event_log()) events += line + "\n";
    EXPECT_TRUE(testing_kit::matches_golden("tools/windemo/tests/golden/events.txt", events));
    for (const auto& [name, picture] : shots) {
        ASSERT_FALSE(picture.empty()) << name;
        auto png = gdi::encode_png(picture);
        std::string bytes(png.begin(), png.end());
        EXPECT_TRUE(testing_kit::matches_golden("tools/windemo/tests/golden/" + name + ".png", bytes)) << name;
    }
    kit::user::set_dialog_script(nullptr);
    gdi::set_test_font_everywhere(false);
}

}  // namespace
