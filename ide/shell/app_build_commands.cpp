// Corvel's build commands: Build, Rebuild All, Compile and Stop Build, and the
// wait for a build's end that keeps the user interface answering.
#include <chrono>
#include <thread>

#include "editor/edit_line.h"
#include "ide/shell/find/find_job.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_doc.h"
#include "ide/workspace/text_utils.h"

namespace shell {

namespace {

// The line flags of the marks a build or run leaves; the user's bookmarks and breakpoints stay.
constexpr std::uint32_t kNavigationAndExecutionMarks = editor::kLineNavigationMark | editor::kLineExecutionPoint;

}  // namespace

void CVyrFrameApp::StartBuild(bool rebuild, const std::string& compile_path) {
    // A source that could not be saved would be built as it was before.
    if (!SaveAll()) return;
    CInfoWnd& pane = main_frame()->output_bar().Pane(OutputPane::build);
    build_sink_->Deliver();  // what an earlier build left must not follow the clearing
    pane.Clear();
    // The navigation and execution-point marks of the last build or run go (there is no line 0).
    for (CVyrFrameDoc* doc : Documents()) doc->MarkOnlyLine(0, kNavigationAndExecutionMarks);
    build_manager_->SetWorkspace(workspace_.get());
    main_frame()->ShowControlBar(&main_frame()->output_bar(), TRUE, FALSE);
    main_frame()->output_bar().ActivatePane(OutputPane::build);
    // A refused build has told the user why.
    if (compile_path.empty())
        build_manager_->Build(rebuild);
    else
        build_manager_->Compile(compile_path);
}

void CVyrFrameApp::OnBuild() { StartBuild(false); }

void CVyrFrameApp::OnRebuildAll() { StartBuild(true); }

void CVyrFrameApp::OnCompile() { StartBuild(false, ActiveDocumentPath()); }

void CVyrFrameApp::OnUpdateCompile(CCmdUI* cmd_ui) {
    const std::string text = ActiveDocumentCompiles() ? "Compile " + ide::FileNameOf(ActiveDocumentPath()) + "\tCtrl+F7"
                                                      : std::string("Compile \tCtrl+F7");
    cmd_ui->SetText(text.c_str());
}

void CVyrFrameApp::OnStopBuild() {
    if (find_job_) find_job_->Stop();  // the same key stops a Find in Files
    if (!build_manager_->IsBuilding() || !build_manager_->StopBuild()) return;
    WaitForBuildEnd();
    CString text;
    text.LoadString(IDS_TERMINATED_BY_USER);
    std::string line = text.str();
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    build_sink_->AppendLine(line);
    build_sink_->Deliver();
}

void CVyrFrameApp::WaitForBuildEnd() {
    if (!build_manager_) return;
    bool quitting = false;
    int exit_code = 0;
    while (build_manager_->IsBuilding()) {
        MSG msg;
        // The Build pane takes the worker's last lines through these messages.
        while (!quitting && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitting = true;
                exit_code = int(msg.wParam);
            } else if (!PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        if (build_manager_->IsBuilding()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    build_manager_->WaitForBuild();
    if (build_sink_) build_sink_->Deliver();
    if (quitting) ::PostQuitMessage(exit_code);
}

}  // namespace shell
