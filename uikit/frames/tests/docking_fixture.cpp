#include "uikit/frames/tests/docking_fixture.h"

#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "uikit/frames/layout_text.h"
#include "uikit/frames/tests/docking_toolbars.h"

const kit::res::Module& docking_frame_resources();

namespace docking_test {

BEGIN_MESSAGE_MAP(DockingFrame, SECWorkbook)
ON_WM_CREATE()
END_MESSAGE_MAP()

int DockingFrame::OnCreate(CREATESTRUCT* cs) {
    if (SECWorkbook::OnCreate(cs) == -1) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

BOOL DockingFrame::CreateDockingWindows() {
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        const BarPlacement& bar = kBars[i];
        if (!bars[i].Create(this, bar.title, kBarStyle, kBarExStyle, bar.id)) return FALSE;
        bars[i].EnableDocking(bar.dock_mask);
        DockControlBarEx(&bars[i], bar.dock_bar_id, 0, 0, 1.0f, 220);
    }
    ShowControlBar(&bars[0], TRUE, TRUE);
    ShowControlBar(&bars[1], TRUE, TRUE);
    return TRUE;
}

BOOL DockingFrame::CreateToolBars() {
    toolbars = std::make_unique<SECToolBarManager>(this);
    SetControlBarManager(toolbars.get());
    return create_test_toolbars(*toolbars);
}

BOOL DockingFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
    return frames_testing::route_toolbar_command(toolbars.get(), id, code, extra, info, last_toolbar_command) ||
           SECWorkbook::OnCmdMsg(id, code, extra, info);
}

SECWorksheet* DockingFrame::NewSheet(const char* title) { return frames_testing::new_worksheet(*this, title); }

// ---- the fixture ------------------------------------------------------------------

void DockingTest::SetUp() {
    static const bool registered = (kit::res::register_module(&docking_frame_resources()), true);
    (void)registered;
    setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1);
    display.on_stall([](const std::string& why) {
        ADD_FAILURE() << why;
        PostQuitMessage(99);
    });
    gdi::set_test_font_everywhere(true);
    new_frame();
}

void DockingTest::TearDown() {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    AfxDeleteTempMaps();
    gdi::set_test_font_everywhere(false);
    unsetenv("KIT_PROFILE_DIR");
}

void DockingTest::new_frame() {
    if (frame) {
        frame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        idle();
    }
    frame = new DockingFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_DOCKING_FRAME));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 20, 20, 640, 480, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
}

void DockingTest::build() {
    ASSERT_TRUE(frame->CreateDockingWindows());
    frame->RecalcLayout();
    idle();
}

void DockingTest::build_workbook() {
    ASSERT_TRUE(frame->CreateDockingWindows());
    for (std::size_t i = 2; i < frame->bars.size(); ++i) frame->ShowControlBar(&frame->bars[i], FALSE, TRUE);
    frame->NewSheet("main.asm");
    frame->NewSheet("util.asm");
    frame->NewSheet("a_rather_long_file_name.asm");
    frame->SetWorkbookMode(TRUE);
    frame->GetSheet(0)->MDIActivate();
    frame->RecalcLayout();
    idle();
}

void DockingTest::build_toolbars() {
    ASSERT_TRUE(frame->CreateDockingWindows());
    ASSERT_TRUE(frame->CreateToolBars());
    frame->RecalcLayout();
    idle();
}

void DockingTest::idle() {
    if (app.RunQueued().quit) quit_seen = true;
}

CRect DockingTest::place(CWnd& wnd) {
    CRect r;
    wnd.GetWindowRect(&r);
    frame->ScreenToClient(&r);
    return r;
}

std::vector<DockingTest::DragEnd> DockingTest::drag_ends() {
    return {
        {"Escape", [this] { display.press(VK_ESCAPE); }},
        {"right button",
         [this] { display.button(frame->m_hWnd, CPoint(300, 100), true, kit::user::MouseButton::right); }},
        {"lost capture", [] { ::ReleaseCapture(); }},
        {"WM_QUIT", [] { PostQuitMessage(3); }},
    };
}

std::string DockingTest::dump_layout() { return sec_layout_text(*frame); }

}  // namespace docking_test
