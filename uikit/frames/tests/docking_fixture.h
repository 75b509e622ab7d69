#pragma once
// A workbook frame with six docking windows (a workspace at the left, four
// windows in one row at the bottom, a disassembly at the right) and, when
// asked, four toolbars at the top; an idle step as the message loop runs it,
// injected drags, and the layout as text.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "testing/temp_dir.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/testing/docking_windows.h"
#include "uikit/frames/toolbar_manager.h"
#include "uikit/frames/workbook.h"

namespace docking_test {

enum : UINT {
    IDR_DOCKING_FRAME = 128,   // the frame's title and menu
    IDD_ADDRESS_BAR = 0x8200,  // a dialog bar's template: a label and an edit
};

using frames_testing::BarPlacement;
using frames_testing::kBarExStyle;
using frames_testing::kBars;
using frames_testing::kBarStyle;
using frames_testing::TitledBar;

class DockingFrame : public SECWorkbook {
public:
    std::array<TitledBar, kBars.size()> bars;
    // Creates and docks the six windows, the workspace and the output shown at once.
    BOOL CreateDockingWindows();
    // A worksheet child with the title, activated.
    SECWorksheet* NewSheet(const char* title);
    // The four toolbars in one row at the top.
    BOOL CreateToolBars();
    std::unique_ptr<SECToolBarManager> toolbars;
    // The last command a toolbar button sent (0 none); their update enables all
    // but Stop Build and Stop Debug.
    UINT last_toolbar_command = 0;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
    afx_msg int OnCreate(CREATESTRUCT* cs);

protected:
    DECLARE_MESSAGE_MAP()
};

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The six windows docked.
    void build();
    // The six windows with only the workspace and the output shown, and three
    // worksheets as tabs, the first active.
    void build_workbook();
    // The six windows and the four toolbars.
    void build_toolbars();
    // The frame goes and a new empty one takes its place.
    void new_frame();
    // What the message loop does when its queue runs dry.
    void idle();
    CRect place(CWnd& wnd);
    SECDockBar& dock_bar(UINT id) { return *static_cast<SECDockBar*>(frame->GetControlBar(id)); }
    TitledBar& bar(int index) { return frame->bars[std::size_t(index)]; }
    // Every way a mouse drag ends short of its release: Escape, the right button, a lost capture, a quit.
    struct DragEnd {
        const char* how;
        std::function<void()> end;
    };
    std::vector<DragEnd> drag_ends();
    std::string dump_layout();  // sec_layout_text of the frame

    testing_kit::TempDir profile_dir;
    kit::display::Headless display;
    CWinApp app{"Docking test"};
    DockingFrame* frame = nullptr;
    bool quit_seen = false;
};

}  // namespace docking_test
