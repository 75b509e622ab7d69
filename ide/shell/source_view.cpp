#include "ide/shell/source_view.h"

#include <filesystem>

#include "editor/edit_line.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/source_marks.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/print_pages.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/watchwin/quick_watch_dlg.h"
#include "ide/workspace/text_utils.h"
#include "platform/os/text.h"

namespace shell {

using editor::SECEditView;
IMPLEMENT_DYNCREATE(CVyrFrameView, SECEditView)

BEGIN_MESSAGE_MAP(CVyrFrameView, SECEditView)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_OVR, OnUpdateIndicatorOvr)
ON_COMMAND(editor::kCmdBreakpointToggle, OnToggleBreakpoint)
ON_UPDATE_COMMAND_UI(editor::kCmdBreakpointToggle, OnUpdateToggleBreakpoint)
ON_COMMAND(editor::kCmdBreakpointClear, OnRemoveAllBreakpoints)
ON_COMMAND(ID_DEBUG_QUICK_WATCH, OnQuickWatch)
ON_COMMAND(ID_EDIT_ADD_WATCH, OnAddToWatch)
ON_UPDATE_COMMAND_UI(ID_EDIT_ADD_WATCH, OnUpdateAddToWatch)
ON_COMMAND(ID_FILE_PAGE_SETUP, OnPageSetup)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {

bool TargetStopped() { return CorvelApp()->CurrentCommandState().stopped; }

void SetStatusText(const std::string& text) {
    if (CMainFrame* frame = CorvelApp()->main_frame()) frame->SetMessageText(text.c_str());
}

}  // namespace

void CVyrFrameView::OnInitialUpdate() {
    if (CVyrFrameDoc* doc = document()) Attach(&doc->buffer());
    editor::SECEditView::OnInitialUpdate();
}

void CVyrFrameView::OnUpdateIndicatorOvr(CCmdUI* cmd_ui) {
    CVyrFrameDoc* doc = document();
    cmd_ui->Enable(doc && doc->buffer().view_settings().insert_mode == 0);
}

void CVyrFrameView::GoToLineAndMark(int line, int mode) {
    std::uint32_t flags = 0;
    if (mode & 1) flags |= editor::kLineNavigationMark;
    if (mode & 2) flags |= editor::kLineExecutionPoint;
    GoToLine(line);
    if (CVyrFrameDoc* doc = document()) doc->MarkOnlyLine(line, flags);
}

// ---- breakpoints -------------------------------------------------------------------

// The mark flips in the editor; the debugger's list (planted during a run) follows it at once.
void CVyrFrameView::OnToggleBreakpoint() {
    CVyrFrameDoc* doc = document();
    CDebugSession* debug = CorvelApp()->debug_session();
    if (!doc || !debug) return;
    OnCommand(editor::kCmdBreakpointToggle);
    SetFileBreakPoints(debug->manager(), doc->GetPathName().str(), MarkedBreakpointLines(*doc));
}

// Only a C or assembler source of an open workspace can stop the program.
void CVyrFrameView::OnUpdateToggleBreakpoint(CCmdUI* cmd_ui) {
    CVyrFrameDoc* doc = document();
    const std::string extension = doc ? ide::ExtensionOf(doc->GetPathName().str()) : std::string();
    const bool source = os::equals_ignore_case(extension, ".C") || os::equals_ignore_case(extension, ".ASM");
    cmd_ui->Enable(source && CorvelApp()->CurrentCommandState().workspace_open);
}

void CVyrFrameView::OnRemoveAllBreakpoints() {
    CorvelApp()->ClearLineMarksInAllViews(editor::kLineBreakpoint);
    if (CDebugSession* debug = CorvelApp()->debug_session()) debug->manager().RemoveAllBreakPoints();
}

// ---- watches -----------------------------------------------------------------------

void CVyrFrameView::OnQuickWatch() {
    CMainFrame* frame = CorvelApp()->main_frame();
    if (!frame) return;
    std::string word;  // stays empty with no word at the caret
    GetWordAtCaret(word);
    const StopScopeSource& scope = frame->stop_scope();
    const std::string module = TargetStopped() && scope ? scope().module : std::string();
    CQWatchDlg dialog(
        scope ? scope : StopScopeSource([] { return StopScope{}; }), &frame->watch_bar().Tree(),
        [frame] {
            if (!frame->watch_bar().IsVisible()) frame->ShowControlBar(&frame->watch_bar(), TRUE, FALSE);
        },
        frame);
    dialog.SetExpression(word, module);
    dialog.DoModal();
}

// The selection goes to the clipboard too, as the user's copy would.
void CVyrFrameView::OnAddToWatch() {
    CMainFrame* frame = CorvelApp()->main_frame();
    if (!frame || !TargetStopped() || !has_selection()) return;
    OnCommand(editor::kCmdCopy);
    const std::string text = GetSelectionText();
    if (!text.empty()) frame->AddWatch(text);
}

void CVyrFrameView::OnUpdateAddToWatch(CCmdUI* cmd_ui) { cmd_ui->Enable(TargetStopped() && has_selection()); }

// ---- printing ----------------------------------------------------------------------

void CVyrFrameView::PrintPages(CPrintInfo& info, const std::string& subfolder) {
    CVyrFrameDoc* doc = document();
    std::filesystem::path folder = PrintFolder(CorvelApp()->GetProfileStore(), doc ? doc->GetPathName().str() : "");
    if (!subfolder.empty()) folder /= subfolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const int pages = error ? 0 : PrintToPages(folder.string().c_str(), &info);
    SetStatusText(pages > 0
                      ? std::to_string(pages) + (pages == 1 ? " page" : " pages") + " printed to " + folder.string()
                      : "Nothing was printed to " + folder.string() + ".");
}

void CVyrFrameView::OnFilePrint() {
    CPrintInfo info;
    if (OnPreparePrinting(&info)) PrintPages(info, {});
}

// Every page, without the print dialog, into the print folder's "preview" folder.
void CVyrFrameView::OnFilePrintPreview() {
    CPrintInfo info;
    info.m_bPreview = TRUE;
    PrintPages(info, "preview");
}

}  // namespace shell
