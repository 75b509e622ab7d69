// Help > About: the box as the user sees it, closed by Return or Escape.
#include "ide/shell/about_box.h"

#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

const kit::res::Module& corvel_resources();

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        kit::res::register_module(&corvel_resources());
    }
    void TearDown() override {
        kit::res::unregister_module(&corvel_resources());
        gdi::set_test_font_everywhere(false);
    }
    kit::display::Headless display;
};

TEST_F(AboutBoxTest, ShowsTheProgramAndClosesByKeyboard) {
    for (const int key : {VK_RETURN, VK_ESCAPE}) {
        display.then([&, key] {
            HWND box = ::GetActiveWindow();
            EXPECT_TRUE(testing_kit::matches_painted_golden(box, "ide/shell/tests/golden/about_box.png"));
            display.press(key);
        });
        shell::CAboutDlg about;
        EXPECT_EQ(about.DoModal(), key == VK_RETURN ? IDOK : IDCANCEL);
    }
}

}  // namespace
