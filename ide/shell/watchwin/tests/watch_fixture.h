#pragma once
// A headless display with the test font and a frame for the debugger's
// windows, over a stopped target.
#include <gtest/gtest.h>

#include <string>

#include "ide/shell/watchwin/tests/stopped_target.h"
#include "platform/afx/afx.h"
#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/dialog_api.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace watchwin_test {

class WindowTest : public ::testing::Test, public StoppedTarget {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        ASSERT_TRUE(frame->Create(nullptr, "Debug", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        if (frame->m_hWnd) frame->DestroyWindow();
        pump();
        AfxDeleteTempMaps();
        gdi::set_test_font_everywhere(false);
    }
    void pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void shoot(HWND top_level, const std::string& golden) {
        pump();
        EXPECT_TRUE(
            testing_kit::matches_painted_golden(top_level, "ide/shell/watchwin/tests/golden/" + golden + ".png"));
    }

    kit::display::Headless display;
    CFrameWnd* frame = new CFrameWnd;  // deletes itself when destroyed
};

}  // namespace watchwin_test
