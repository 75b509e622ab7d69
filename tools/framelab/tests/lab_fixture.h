#pragma once
// The frame lab on the headless display: the lab application with its frame,
// an idle step as the message loop runs it, and injected drags.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "testing/temp_dir.h"
#include "tools/framelab/lab.h"

namespace framelab {

class FrameLabTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1);
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        gdi::set_test_font_everywhere(true);
        ASSERT_TRUE(app.InitInstance());
        frame = app.frame();
    }
    void TearDown() override {
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
        gdi::set_test_font_everywhere(false);
        unsetenv("KIT_PROFILE_DIR");
    }
    void build(const char* scenario = "ide") {
        ASSERT_TRUE(build_scenario(*frame, scenario));
        idle();
    }
    // What the message loop does when its queue runs dry.
    void idle() {
        if (app.RunQueued().quit) quit_seen = true;
    }
    CRect place(CWnd& wnd) {
        CRect r;
        wnd.GetWindowRect(&r);
        frame->ScreenToClient(&r);
        return r;
    }
    SECDockBar& dock_bar(UINT id) { return *static_cast<SECDockBar*>(frame->GetControlBar(id)); }
    LabBar& bar(int index) { return frame->bars[std::size_t(index)]; }
    // A splitter of a dock bar, in the frame's client coordinates.
    CRect splitter_place(UINT dock_bar_id, bool in_row, int nth = 0) {
        SECDockBar& dock = dock_bar(dock_bar_id);
        for (const SECDockBar::Splitter& splitter : dock.m_arrSplitters) {
            if (bool(splitter.m_bInRow) != in_row || nth-- > 0) continue;
            CRect r = splitter.m_rect;
            dock.MapWindowPoints(frame, &r);
            return r;
        }
        ADD_FAILURE() << "no such splitter";
        return CRect();
    }
    void drag(POINT from, POINT to) {
        display.move(frame->m_hWnd, from);
        display.button(frame->m_hWnd, from, true);
        display.move(frame->m_hWnd, to);
        display.button(frame->m_hWnd, to, false);
        idle();
    }
    // Every way a mouse drag ends short of its release: Escape, the right button, a lost capture, a quit.
    struct DragEnd {
        const char* how;
        std::function<void()> end;
    };
    std::vector<DragEnd> drag_ends() {
        return {
            {"Escape", [this] { display.press(VK_ESCAPE); }},
            {"right button",
             [this] { display.button(frame->m_hWnd, CPoint(300, 100), true, kit::user::MouseButton::right); }},
            {"lost capture", [] { ::ReleaseCapture(); }},
            {"WM_QUIT", [] { PostQuitMessage(3); }},
        };
    }
    void paint() { RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

    testing_kit::TempDir profile_dir;
    kit::display::Headless display;
    LabApp app;
    LabFrame* frame = nullptr;
    bool quit_seen = false;
};

}  // namespace framelab
