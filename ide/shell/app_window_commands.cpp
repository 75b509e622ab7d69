// Corvel's commands for its windows and pages: the debug windows shown and
// hidden from the View menu, the help, and where printed pages go.
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/print_pages.h"
#include "ide/shell/resource_ids.h"
#include "platform/afx/folder_dialog.h"

namespace shell {

void CVyrFrameApp::OnToggleDebugWindow(UINT id) {
    CMainFrame* frame = main_frame();
    if (!frame) return;
    switch (id) {
        case ID_VIEW_WATCH: frame->ToggleBar(frame->watch_bar()); break;
        case ID_VIEW_REGISTERS: frame->ToggleBar(frame->register_bar()); break;
        case ID_VIEW_MEMORY: frame->ToggleBar(frame->memory_bar()); break;
        default: break;
    }
}

void CVyrFrameApp::OnUpdateDebugWindow(CCmdUI* cmd_ui) {
    CMainFrame* frame = main_frame();
    if (!frame) return;
    SECControlBar* bar = nullptr;
    switch (cmd_ui->m_nID) {
        case ID_VIEW_WATCH: bar = &frame->watch_bar(); break;
        case ID_VIEW_REGISTERS: bar = &frame->register_bar(); break;
        case ID_VIEW_MEMORY: bar = &frame->memory_bar(); break;
        case ID_DEBUG_DISASSEMBLY: bar = &frame->disassembly_bar(); break;
        default: return;
    }
    cmd_ui->SetCheck(bar->IsVisible());
}

void CVyrFrameApp::OnHelpTopics() {
    ShowMessage(
        "Corvel's guide is in the kit's README files: the kit's own, then those of ide/ (Corvel), "
        "simulator/ (Talvask), assembler/ (Dravlin) and linker/ (Mossrel and Vostrel).\n\n"
        "Keys: F7 builds, F5 starts or resumes debugging, F9 sets a breakpoint, F10 steps over, "
        "F11 steps into, Shift+F5 ends the debug run; Alt+3, Alt+5 and Alt+6 show the watch, "
        "register and memory windows while the program is stopped.");
}

void CVyrFrameApp::OnPrintSetup() {
    profile::Store& store = GetProfileStore();
    CFolderDialog dialog("Folder of the printed pages", PrintFolder(store, {}).c_str(), main_frame());
    if (dialog.DoModal() == IDOK) SetPrintFolder(store, dialog.GetFolderPath().str());
}

}  // namespace shell
