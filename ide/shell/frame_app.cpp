#include "ide/shell/frame_app.h"

#include "ide/build/tool_programs.h"
#include "ide/shell/about_box.h"
#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/options_sheet.h"
#include "ide/shell/dialogs/settings_save.h"
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/shell/child_frame.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/editor_settings.h"
#include "ide/shell/find/find_command.h"
#include "ide/shell/find/find_dialog.h"
#include "ide/shell/find/find_job.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/profile_values.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_doc.h"
#include "ide/shell/source_view.h"
#include "ide/shell/splash_wnd.h"
#include "ide/shell/startup_file.h"
#include "ide/shell/window_placement.h"
#include <strings.h>

#include <filesystem>

#include "platform/afx/doc_template.h"
#include "platform/ipc/leftovers.h"
#include "platform/profile/store.h"
#include "platform/res/resources.h"

const kit::res::Module& corvel_resources();

namespace shell {

namespace {

constexpr int kLargestRecentList = 16;

// The folder of the running program, ending in a separator: the kit's tools lie beside it.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("./") : self.parent_path().string() + "/";
}

}  // namespace

BEGIN_MESSAGE_MAP(CVyrFrameApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
ON_COMMAND(ID_RELOAD_EDITOR_SETTINGS, ApplyEditorSettingsToAllDocuments)
ON_COMMAND(ID_FILE_NEW, OnNew)
ON_COMMAND(ID_FILE_NEW_TEXT, OnNewText)
ON_COMMAND(ID_FILE_OPEN, OnOpen)
ON_COMMAND(ID_FILE_OPEN_WORKSPACE, OnOpenWorkspace)
ON_COMMAND(ID_FILE_SAVE_WORKSPACE, OnSaveWorkspace)
ON_COMMAND(ID_FILE_CLOSE_WORKSPACE, OnCloseWorkspace)
ON_COMMAND(ID_FILE_SAVE_ALL, OnSaveAll)
ON_COMMAND(ID_FILE_CLOSE_ALL_WINDOWS, OnCloseAllWindows)
ON_COMMAND(ID_PROJECT_NEW_BANK, OnNewBank)
ON_COMMAND(ID_PROJECT_NEW_FILE, OnNewFile)
ON_COMMAND(ID_PROJECT_INSERT_FILE, OnInsertFile)
ON_COMMAND(ID_PROJECT_SETTINGS, OnProjectSettings)
ON_COMMAND(ID_PROJECT_SETTINGS_KEY, OnProjectSettings)
ON_COMMAND(ID_PROJECT_LIBRARY_PROPERTY, OnLibraryProperty)
ON_COMMAND(ID_PROJECT_INSERT_STANDARD_LIBRARIES, OnInsertStandardLibraries)
ON_COMMAND(ID_BUILD_BUILD, OnBuild)
ON_COMMAND(ID_BUILD_REBUILD_ALL, OnRebuildAll)
ON_COMMAND(ID_BUILD_COMPILE, OnCompile)
ON_UPDATE_COMMAND_UI(ID_BUILD_COMPILE, OnUpdateCompile)
ON_COMMAND(ID_BUILD_STOP, OnStopBuild)
ON_COMMAND(ID_EDIT_FIND_IN_FILES, OnFindInFiles)
ON_COMMAND_EX(ID_DEBUG_GO, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_EXECUTE, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_STOP, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_STEP_INTO, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_STEP_OVER, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_VIEW_ASSEMBLY, OnDebugCommand)
ON_COMMAND_EX(ID_DEBUG_DISASSEMBLY, OnDebugCommand)
ON_COMMAND_RANGE(ID_VIEW_MEMORY, ID_VIEW_REGISTERS, OnToggleDebugWindow)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_MEMORY, ID_VIEW_REGISTERS, OnUpdateDebugWindow)
ON_UPDATE_COMMAND_UI(ID_DEBUG_DISASSEMBLY, OnUpdateDebugWindow)
ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
ON_COMMAND(ID_HELP, OnHelpTopics)
ON_COMMAND(ID_CONTEXT_HELP, OnHelpTopics)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnPrintSetup)
ON_COMMAND_EX(ID_DEBUG_TEMP_BREAKPOINT, OnDebugCommand)
ON_COMMAND_RANGE(ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST, OnOpenRecentProject)
ON_UPDATE_COMMAND_UI(ID_RECENT_PROJECT_FIRST, OnUpdateRecentProjectMenu)
END_MESSAGE_MAP()

CVyrFrameApp* CorvelApp() { return static_cast<CVyrFrameApp*>(AfxGetApp()); }

CVyrFrameApp::CVyrFrameApp(std::vector<std::string> files) : CWinApp("Corvel"), startup_files_(std::move(files)) {}

CVyrFrameApp::~CVyrFrameApp() = default;

CMainFrame* CVyrFrameApp::main_frame() const { return static_cast<CMainFrame*>(m_pMainWnd); }

BOOL CVyrFrameApp::InitInstance() {
    static const bool registered =
        (kit::res::register_module(&corvel_resources()), kit::res::register_module(&ide_dialog_resources()),
         kit::res::register_module(&find_dialog_resources()), true);
    (void)registered;
    SetRegistryKey("Marlowquin");
    // Sockets and mappings left by a Corvel or simulator that was killed go
    // before this Corvel's own debug runs add theirs.
    ipc::remove_leftovers();
    application_folder_ = ProgramFolder();
    profile::Store& store = GetProfileStore();
    LoadEditorSettings(store, {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT)});
    LoadRecentLists(4);

    // The frame is made before the workspace manager: the manager builds its project in
    // the workspace bar's tree, which takes items before its window exists.
    auto* frame = new CMainFrame;
    workspace_ = std::make_unique<ide::CVyrWorkspaceManager>(frame->workspace_bar().Tree(), *this, store);
    debug_session_ = std::make_unique<CDebugSession>(workspace_->GetBreakPoints());
    frame->workspace_bar().SetWorkspaceManager(workspace_.get());
    source_template_ = new CMultiDocTemplate(IDR_VYRTYPE, RUNTIME_CLASS(CVyrFrameDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CVyrFrameView));
    AddDocTemplate(source_template_);

    if (!frame->LoadFrame(IDR_MAINFRAME)) {
        workspace_.reset();
        delete frame;
        return FALSE;
    }
    m_pMainWnd = frame;
    debug_session_->AttachFrame(*frame);
    build_sink_ = std::make_unique<PaneSink>(frame->output_bar().Pane(OutputPane::build));
    build_manager_ = std::make_unique<ide::CVyrBuildManager>(store, *build_sink_, application_folder_);
    // The tools' keys are written at every start, so a user finds them to change.
    ide::InitToolNames(store);
    if (start_size_.cx > 0) {
        frame->ShowWindow(SW_RESTORE);
        frame->SetWindowPos(nullptr, 0, 0, start_size_.cx, start_size_.cy, SWP_NOZORDER);
    } else {
        frame->ShowWindow(StoredShowCommand(store, SW_SHOWMAXIMIZED));
    }
    frame->UpdateWindow();
    for (const std::string& file : startup_files_) OpenStartupFile(file);
    // Start-up is done: a damaged profile is told about once, and what start-up wrote is saved.
    if (!store.load_error().empty()) ShowStatusText(ide::SettingsReadInPartText(store));
    if (const os::Status saved = store.Flush(); !saved) ShowStatusText(ide::SettingsNotSavedText(saved.error()));
    return TRUE;
}

int CVyrFrameApp::ExitInstance() {
    WriteRecentProjectList();
    return CWinApp::ExitInstance();
}

void CVyrFrameApp::LoadRecentLists(int count) {
    profile::Store& store = GetProfileStore();
    LoadStdProfileSettings(ProfileIntInRange(store, "Settings", "nMaxFile", count, 0, kLargestRecentList));
    recent_projects_.reset();
    if (count == 0) return;
    const int size = ProfileIntInRange(store, "Settings", "nMaxProject", count, 0, kLargestRecentList);
    if (size == 0) return;
    recent_projects_ =
        std::make_unique<CRecentFileList>(ID_RECENT_PROJECT_FIRST, "Recent Project List", "Project%d", size);
    recent_projects_->ReadList();
}

void CVyrFrameApp::AddToRecentProjectList(const char* path) {
    if (recent_projects_) recent_projects_->Add(path);
}

void CVyrFrameApp::WriteRecentProjectList() {
    if (recent_projects_) recent_projects_->WriteList();
}

void CVyrFrameApp::OnOpenRecentProject(UINT id) {
    const int index = static_cast<int>(id - ID_RECENT_PROJECT_FIRST);
    if (!recent_projects_ || index >= recent_projects_->GetCount()) return;
    const std::string path = (*recent_projects_)[index].str();
    if (!OpenStartupFile(path)) recent_projects_->Remove(index);
}

void CVyrFrameApp::OnUpdateRecentProjectMenu(CCmdUI* cmd_ui) {
    // The File menu asks for its "Recent Workspaces" popup as a whole: the list
    // fills the popup itself when that opens, never the File menu.
    if (cmd_ui->m_pSubMenu) {
        cmd_ui->Enable(TRUE);
        return;
    }
    if (recent_projects_) recent_projects_->UpdateMenu(cmd_ui);
}

void CVyrFrameApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CVyrFrameApp::OnOptions() { ide::RunOptionsSheet(m_pMainWnd, GetProfileStore()); }

void CVyrFrameApp::ApplyEditorSettingsToAllDocuments() {
    for (CVyrFrameDoc* doc : Documents()) ApplyEditorSettings(*doc);
}

void CVyrFrameApp::ApplyEditorSettings(CVyrFrameDoc& doc) {
    doc.ApplyEditorSettings(doc.GetPathName().str());
    for (POSITION position = doc.GetFirstViewPosition(); position;)
        if (auto* view = dynamic_cast<CVyrFrameView*>(doc.GetNextView(position))) {
            view->ApplyFont();
            view->Invalidate();
        }
}

bool CVyrFrameApp::OpenStartupFile(const std::string& path) {
    if (ClassifyStartupFile(path) == StartupKind::Source) return OpenDocumentFile(path.c_str()) != nullptr;
    if (!workspace_->OpenWorkspace(path)) {
        const std::string& why = workspace_->GetLastErrorText();
        ShowMessage(why.empty() ? path + "\nThe workspace cannot be opened." : why);
        return false;
    }
    AddToRecentProjectList(path.c_str());
    return true;
}

void CVyrFrameApp::StopAndWaitForBuild() {
    if (build_manager_ && build_manager_->IsBuilding()) {
        build_manager_->StopBuild();
        build_manager_->WaitForBuild();
    }
}

void CVyrFrameApp::EndBuilds() {
    StopAndWaitForBuild();
    build_manager_.reset();
    build_sink_.reset();
    find_job_.reset();
}

void CVyrFrameApp::OnFindInFiles() {
    CMainFrame* frame = main_frame();
    if (!frame) return;
    if (!find_job_) find_job_ = std::make_unique<ide::FindInFilesJob>();
    const std::string project_folder = workspace_->IsOpen() ? workspace_->GetProjectFolder() : std::string();
    ide::RunFindInFiles(frame, GetProfileStore(), project_folder, &frame->output_bar(), *find_job_);
}

bool CVyrFrameApp::CloseWorkspaceForExit() {
    StopAndWaitForBuild();
    // Closing would drop the text of a document that could not be saved.
    if (workspace_->IsOpen() && !SaveAll()) return false;
    AddOpenWorkspaceToRecentList();
    if (!workspace_->CloseWorkspace()) ShowWorkspaceFailure();
    return true;
}

void CVyrFrameApp::AddOpenWorkspaceToRecentList() {
    if (!workspace_->IsOpen()) return;
    const std::string path = workspace_->GetProjectFolder() + workspace_->GetWorkspaceName() + ".WSP";
    AddToRecentProjectList(path.c_str());
}

void CVyrFrameApp::OpenWorkspaceFile(const std::string& path) { OpenDocumentFile(path.c_str()); }

void CVyrFrameApp::ShowWorkspaceTab(bool shown) {
    if (CMainFrame* frame = main_frame()) frame->workspace_bar().ShowWorkspaceTab(shown);
}

void CVyrFrameApp::GoToOutputLine(const ide::SourceLocation& where) {
    std::filesystem::path path(where.path);
    if (path.is_relative() && workspace_->IsOpen()) path = std::filesystem::path(workspace_->GetProjectFolder()) / path;
    GoToSourceLine(path.lexically_normal().string(), where.line, 1);
}

int CVyrFrameApp::GoToSourceLine(const std::string& path, int line, int mode) {
    if (!OpenDocumentFile(path.c_str())) return 0;
    CMDIChildWnd* child = main_frame() ? main_frame()->MDIGetActive() : nullptr;
    auto* view = child ? dynamic_cast<CVyrFrameView*>(child->GetActiveView()) : nullptr;
    if (!view) return 0;
    view->SetFocus();
    view->GoToLineAndMark(line, mode);
    return 1;
}

BOOL CVyrFrameApp::OnDebugCommand(UINT id) { return debug_session_ && debug_session_->RunCommand(id); }

void CVyrFrameApp::ClearLineMarksInAllViews(std::uint32_t mask) {
    for (CVyrFrameDoc* doc : Documents()) doc->MarkOnlyLine(0, mask);
}

void CVyrFrameApp::RefreshBreakpointMarks(const std::string& path) {
    for (CVyrFrameDoc* doc : Documents())
        if (::strcasecmp(doc->GetPathName().str().c_str(), path.c_str()) == 0)
            doc->MarkBreakpointLines(workspace_->GetBreakPoints(), doc->GetPathName().str());
}

std::vector<CVyrFrameDoc*> CVyrFrameApp::Documents() const {
    std::vector<CVyrFrameDoc*> documents;
    if (!source_template_) return documents;
    for (POSITION position = source_template_->GetFirstDocPosition(); position;)
        if (auto* doc = dynamic_cast<CVyrFrameDoc*>(source_template_->GetNextDoc(position))) documents.push_back(doc);
    return documents;
}

BOOL CVyrFrameApp::PreTranslateMessage(MSG* msg) {
    return CVyrSplashWnd::PreTranslateAppMessage(msg) || RouteCommandKey(msg) || CWinApp::PreTranslateMessage(msg);
}

BOOL CVyrFrameApp::OnIdle(LONG count) {
    if (count == 0) CheckChangedDocuments();
    return CWinApp::OnIdle(count);
}

void CVyrFrameApp::CheckChangedDocuments() {
    if (asking_reload_) return;
    asking_reload_ = true;
    for (CVyrFrameDoc* doc : Documents()) {
        if (!doc->FileChangedOnDisk()) continue;
        const std::string text = doc->GetPathName().str() +
                                 "\n\nThis file has been modified outside of the source editor.\n"
                                 "Do you want to reload it?";
        if (AfxMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES)
            doc->Reload();
        else
            doc->AcceptDiskVersion();
    }
    asking_reload_ = false;
}

// ---- the workspace engine's questions ----------------------------------------------

bool CVyrFrameApp::AskOkCancel(std::string_view text) {
    return AfxMessageBox(std::string(text).c_str(), MB_OKCANCEL) == IDOK;
}

bool CVyrFrameApp::AskYesNo(std::string_view text) {
    return AfxMessageBox(std::string(text).c_str(), MB_YESNO) == IDYES;
}

void CVyrFrameApp::ShowMessage(std::string_view text) { AfxMessageBox(std::string(text).c_str(), MB_OK); }

void CVyrFrameApp::OnProfileNotSaved(const os::Error& error) { ShowMessage(ide::SettingsNotSavedText(error)); }

std::vector<std::string> CVyrFrameApp::SaveAndListDocuments() {
    SaveAll();
    std::vector<std::string> paths;
    for (CVyrFrameDoc* doc : Documents()) paths.push_back(doc->GetPathName().str());
    return paths;
}

bool CVyrFrameApp::OpenDocument(std::string_view path) {
    return OpenDocumentFile(std::string(path).c_str()) != nullptr;
}

void CVyrFrameApp::CloseAllDocuments() {
    // A document still modified after the workspace's save could not be saved:
    // it keeps its window and its text.
    for (CVyrFrameDoc* doc : Documents())
        if (!doc->IsModified()) doc->OnCloseDocument();
}

std::optional<std::string> CVyrFrameApp::SelectBank(const std::vector<std::string>& names) {
    return ide::RunSelectBankDialog(m_pMainWnd, names);
}

}  // namespace shell
