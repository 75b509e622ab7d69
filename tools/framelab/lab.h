#pragma once
// The frame lab: a docking MDI frame with the IDE's six docking windows, built
// from a named scenario, so that layouts can be looked at, dumped as text and
// pictures, and driven by injected drags and clicks or by hand.
#include <array>
#include <string>

#include <memory>

#include "tools/framelab/lab_toolbars.h"
#include "uikit/frames/doc_templates.h"
#include "uikit/frames/mdi_child.h"
#include "uikit/frames/menu_bar.h"
#include "uikit/frames/status_bar.h"
#include "uikit/frames/testing/docking_windows.h"
#include "uikit/frames/workbook.h"

namespace framelab {

enum : UINT {
    IDR_FRAMELAB = 128,
    IDR_LAB_SOURCE = 129,  // the documents' template
    ID_LAB_NEW_SHEET = 0x8101,
    ID_LAB_BAR_OPTIONS = 0x8102,
    ID_LAB_SHOW_FIRST = 0x8110,  // one per bar, in the order of kBars
};

using frames_testing::BarPlacement;
using frames_testing::kBarExStyle;
using frames_testing::kBars;
using frames_testing::kBarStyle;

// A docking window that shows its title and adds its own item to its context menu.
class LabBar : public frames_testing::TitledBar {
public:
    void OnExtendContextMenu(CMenu* menu) override;
};

class LabFrame : public SECWorkbook {
    DECLARE_DYNCREATE(LabFrame)
public:
    std::array<LabBar, kBars.size()> bars;
    // Creates, docks and shows the six windows as the IDE does.
    BOOL CreateDockingWindows();
    // A worksheet child with the title.
    SECWorksheet* NewSheet(const char* title);
    // When set, the layout is kept in the profile under this name: loaded by
    // RestoreLayout and saved when the frame closes, as the IDE keeps its own.
    std::string layout_name;
    os::Status RestoreLayout();
    // The IDE's four toolbars in one row at the top (the "toolbars" scenario),
    // with the menu shown as a menu bar above them when asked.
    BOOL CreateToolBars(BOOL with_menu_bar = FALSE);
    SECMDIMenuBar* menu_bar = nullptr;  // deletes itself with its window
    // The IDE's status bar with its seven panes.
    BOOL CreateStatusBar();
    SECStatusBar status_bar;
    std::unique_ptr<SECToolBarManager> toolbars;
    // The last command a toolbar button sent (0 none); their update enables all
    // but Stop Build and Stop Debug, as the IDE at rest does.
    UINT last_toolbar_command = 0;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnClose();
    afx_msg void OnNewSheet() { NewSheet("Worksheet"); }
    afx_msg BOOL OnShowBar(UINT id);
    afx_msg void OnUpdateShowBar(CCmdUI* cmd_ui);
    // The status bar's panes as the IDE at rest fills them.
    afx_msg void OnUpdateIndicator(CCmdUI* cmd_ui);

protected:
    DECLARE_MESSAGE_MAP()
};

// A source file of the "documents" scenario, shown by a view that prints its title.
class LabDocument : public CDocument {
    DECLARE_DYNCREATE(LabDocument)
};

class LabDocumentView : public CView {
    DECLARE_DYNCREATE(LabDocumentView)
public:
    void OnDraw(CDC* dc) override;
};

// The document's MDI child, whose caption button, right double click and
// caption menu switch it to a docked window and back.
class LabDocumentFrame : public SECMDIChildWnd {
    DECLARE_DYNCREATE(LabDocumentFrame)
public:
    BOOL LoadFrame(UINT resource_id, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
};

class LabApp : public CWinApp {
public:
    LabApp() : CWinApp("Frame lab") {}
    BOOL InitInstance() override;
    LabFrame* frame() const { return static_cast<LabFrame*>(m_pMainWnd); }
    // The documents' template, registered on first use.
    SECMultiDocTemplate* Sources();

private:
    SECMultiDocTemplate* sources_ = nullptr;
};

// Names of the scenarios, and building one on a frame just made; false for an unknown name.
const char* const* scenario_names();
bool build_scenario(LabFrame& frame, const std::string& name);

// The frame's layout as text (sec_layout_text), then the last toolbar command,
// the document windows in the MDI area, the menu bar's open menu and toolbar
// buttons, and the tips and menus shown.
std::string dump_layout(LabFrame& frame);

}  // namespace framelab
