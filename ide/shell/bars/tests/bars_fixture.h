#pragma once
// A headless display with the fixed-cell test font and a frame the bars and
// panes live in; pumping, and PNG snapshots compared with goldens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

// A frame that keeps the commands it receives.
class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        ASSERT_TRUE(frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480)));
    }
    void TearDown() override {
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
    void double_click(HWND hwnd, POINT point) {
        display.click(hwnd, point);
        display.click(hwnd, point);
        pump();
    }
    void shoot(const std::string& golden, const std::string& folder = "ide/shell/bars/tests/golden/") {
        pump();
        EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, folder + golden + ".png"));
    }

    kit::display::Headless display;
    RecordingFrame* frame = new RecordingFrame;  // deletes itself when destroyed
};
