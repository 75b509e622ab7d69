#pragma once
// A headless display for each test: a stalled loop fails the test instead of
// aborting, and text uses the fixed-cell test font so layouts are exact.
#include <gtest/gtest.h>

#include <string>

#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/dialog_api.h"

class AfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
    }
    void TearDown() override { kit::user::set_dialog_script(nullptr); }

    kit::display::Headless display;
};
