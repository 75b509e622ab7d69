// Corvel's file, workspace and project commands, and the gate every command of
// the command table passes: enabled in the menus by its rule, refused with a
// reason in the status bar when it cannot run now.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "ide/shell/find/find_job.h"
#include "ide/shell/frame_app.h"

#include "ide/shell/debug/debug_session.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_doc.h"
#include "ide/build/up_to_date.h"
#include "ide/shell/dialogs/new_item_rules.h"
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/workspace/text_utils.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/file_dialog.h"
#include "platform/afx/mdi.h"
#include "platform/os/file.h"
#include "platform/os/text.h"
#include "platform/user/accelerator_api.h"

namespace shell {

namespace {

constexpr const char* kOpenFilter =
    "Vyr files(*.c;*.h;*.asm;*.inc)|*.c;*.h;*.asm;*.inc|C files(*.c)|*.c|Include files(*.h;*.inc)|*.h;*.inc|"
    "Asm files(*.asm)|*.asm|All files(*.*)|*.*||";
constexpr const char* kWorkspaceFilter =
    "Workspace Files (*.wsp)|*.wsp|Project Files (*.prj)|*.prj|Vyr Files (*.wsp;*.prj)|*.wsp; *.prj||";
constexpr const char* kInsertFilter =
    "Vyr files(*.c;*.h;*.asm;*.inc;*.lib)|*.c;*.h;*.asm;*.inc;*.lib|C files(*.c)|*.c|Include files(*.h;*.inc)|"
    "*.h;*.inc|Asm files(*.asm)|*.asm|Library files(*.lib)|*.lib|All files(*.*)|*.*||";

std::string LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text.str();
}

constexpr std::uint64_t kLargestSource = 64u << 20;

int Ask(const std::string& text, UINT type) { return AfxMessageBox(text.c_str(), type); }

// What the "New" sheet writes into the workspace before the new project exists.
struct ProjectChoices {
    std::uint16_t stack_address;
    bool auto_link;
    std::string display_name;
};

ProjectChoices TakeChoices(ide::CVyrWorkspaceManager& workspace) {
    return {workspace.GetVersionBlock().stack_address, workspace.GetAutoLink(), workspace.GetDisplayName()};
}

void PutChoices(ide::CVyrWorkspaceManager& workspace, const ProjectChoices& choices) {
    workspace.GetVersionBlock().stack_address = choices.stack_address;
    workspace.SetAutoLink(choices.auto_link);
    workspace.SetDisplayName(choices.display_name);
}

bool IsLibraryPath(const std::string& path) { return os::equals_ignore_case(ide::ExtensionOf(path), ".LIB"); }

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

// ---- the gate ----------------------------------------------------------------------

CommandState CVyrFrameApp::CurrentCommandState() const {
    if (state_override_) return *state_override_;
    CommandState state;
    state.workspace_open = workspace_ && workspace_->IsOpen();
    state.building = build_manager_ && build_manager_->IsBuilding();
    // A simulator still starting counts as connected: Stop Debug gives it up, Go waits.
    const DebugState debug = debug_session_ ? debug_session_->state() : DebugState::Idle;
    state.connected = debug != DebugState::Idle;
    state.stopped = debug == DebugState::Stopped;
    return state;
}

std::string CVyrFrameApp::CommandRefusal(UINT id) const {
    const CommandEntry* entry = FindCommand(id);
    if (!entry) return {};
    if (id == ID_BUILD_STOP && find_job_ && find_job_->Running()) return {};  // it stops a search too
    std::string why(RefusalReason(entry->rule, CurrentCommandState()));
    if (!why.empty()) return why;
    if (id == ID_BUILD_COMPILE && !ActiveDocumentCompiles())
        return "The active document is not a C or assembly source of the project.";
    if (id == ID_PROJECT_LIBRARY_PROPERTY && !LibrarySelected()) return "No library is selected in the workspace.";
    if (id == ID_DEBUG_TEMP_BREAKPOINT && !(main_frame() && main_frame()->disassembly_bar().IsVisible()))
        return "The disassembly window is not shown.";
    AFX_CMDHANDLERINFO handler{};
    if (!const_cast<CVyrFrameApp*>(this)->CWinApp::OnCmdMsg(id, CN_COMMAND, nullptr, &handler))
        return "This command is not available yet.";
    return {};
}

BOOL CVyrFrameApp::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
    if (handler_info || !FindCommand(id) || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI))
        return CWinApp::OnCmdMsg(id, code, extra, handler_info);
    const std::string why = CommandRefusal(id);
    if (code == CN_UPDATE_COMMAND_UI) {
        // The command's own update handler may still set its text.
        CWinApp::OnCmdMsg(id, code, extra, nullptr);
        static_cast<CCmdUI*>(extra)->Enable(why.empty());
        return TRUE;
    }
    if (!why.empty()) {
        ShowStatusText(why);
        return TRUE;
    }
    return CWinApp::OnCmdMsg(id, code, extra, nullptr);
}

bool CVyrFrameApp::RouteCommandKey(const MSG* msg) {
    CMainFrame* frame = main_frame();
    const bool frame_key = frame && frame->m_hWnd && msg->message >= WM_KEYDOWN && msg->message <= WM_KEYLAST &&
                           (msg->hwnd == frame->m_hWnd || ::IsChild(frame->m_hWnd, msg->hwnd));
    if (frame_key) {
        const WORD command = AcceleratorCommand(frame->m_hAccelTable, *msg);
        if (command != 0 && FindCommand(command)) {
            // The frame drops a disabled command silently: its key says why instead.
            if (const std::string why = CommandRefusal(command); !why.empty())
                ShowStatusText(why);
            else
                frame->SendMessage(WM_COMMAND, MAKEWPARAM(command, 1), 0);
            return true;
        }
    }
    return false;
}

void CVyrFrameApp::ShowStatusText(const std::string& text) const {
    if (CMainFrame* frame = main_frame()) frame->SetMessageText(text.c_str());
}

void CVyrFrameApp::ShowWorkspaceFailure() { ShowMessage(workspace_->GetLastErrorText()); }

std::string CVyrFrameApp::ActiveDocumentPath() const {
    CMDIChildWnd* child = main_frame() ? main_frame()->MDIGetActive() : nullptr;
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    return doc ? doc->GetPathName().str() : std::string();
}

bool CVyrFrameApp::ActiveDocumentCompiles() const {
    const std::string path = ActiveDocumentPath();
    return !path.empty() && workspace_->IsOpen() && workspace_->IsSourceInProject(path);
}

// ---- documents -----------------------------------------------------------------------

bool CVyrFrameApp::SaveAll() {
    // Each document is tried, and each failure told, on its own.
    bool saved = true;
    for (CVyrFrameDoc* doc : Documents())
        if (doc->IsModified() && !doc->DoFileSave()) saved = false;
    return saved;
}

void CVyrFrameApp::OnSaveAll() { SaveAll(); }

void CVyrFrameApp::OnCloseAllWindows() {
    // As every other close: each modified document asks first, and Cancel keeps them all.
    if (SaveAllModified()) CWinApp::CloseAllDocuments(FALSE);
}

void CVyrFrameApp::OnNewText() {
    if (source_template_) source_template_->OpenDocumentFile(nullptr);
}

void CVyrFrameApp::OnOpen() {
    CFileDialog dialog(
        TRUE, "*.wsp", nullptr,
        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
        kOpenFilter, main_frame());
    if (dialog.DoModal() != IDOK) return;
    for (POSITION at = dialog.GetStartPosition(); at;) OpenStartupFile(dialog.GetNextPathName(at).str());
}

// ---- workspaces ------------------------------------------------------------------------

void CVyrFrameApp::OnOpenWorkspace() {
    CFileDialog dialog(TRUE, "*.wsp", nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kWorkspaceFilter,
                       main_frame());
    if (dialog.DoModal() != IDOK) return;
    const std::string path = dialog.GetPathName().str();
    if (!workspace_->OpenWorkspace(path)) {
        ShowWorkspaceFailure();
        return;
    }
    AddToRecentProjectList(path.c_str());
}

void CVyrFrameApp::OnSaveWorkspace() {
    if (!workspace_->SaveWorkspace()) ShowWorkspaceFailure();
}

void CVyrFrameApp::OnCloseWorkspace() { CloseWorkspace(); }

bool CVyrFrameApp::CloseWorkspace() {
    if (!workspace_->IsOpen()) return true;
    if (debug_session_) debug_session_->EndRun();
    if (build_manager_ && build_manager_->IsBuilding()) {
        build_manager_->StopBuild();
        WaitForBuildEnd();
    }
    // Closing would drop the text of a document that could not be saved.
    if (!SaveAll()) return false;
    AddOpenWorkspaceToRecentList();
    if (!workspace_->CloseWorkspace()) ShowWorkspaceFailure();
    SaveProfile();
    return true;
}

// ---- new items -------------------------------------------------------------------------

void CVyrFrameApp::OnNew() {
    const ProjectChoices before = TakeChoices(*workspace_);
    const std::string folder = workspace_->IsOpen() ? workspace_->GetProjectFolder() : application_folder_;
    const auto choice = ide::RunNewSheet(main_frame(), *workspace_, ide::kBankPageBit | ide::kProjectPageBit, folder);
    if (!choice) return;
    // The sheet has written the new project's choices into the workspace; the
    // open workspace is closed with its own.
    const ProjectChoices chosen = TakeChoices(*workspace_);
    if (workspace_->IsOpen()) {
        PutChoices(*workspace_, before);
        ShowMessage(LoadText(IDS_PREVIOUS_WORKSPACE_CLOSES));
        if (!CloseWorkspace()) return;
    }
    if (!workspace_->NewProject(choice->project_path, choice->bank_name, choice->bank_param)) {
        ShowWorkspaceFailure();
        return;
    }
    PutChoices(*workspace_, chosen);
    if (!workspace_->SaveWorkspace()) ShowWorkspaceFailure();
}

void CVyrFrameApp::OnNewFile() {
    const auto choice = ide::RunNewSheet(main_frame(), *workspace_, ide::kFilePageBit, workspace_->GetProjectFolder());
    if (!choice) return;
    CreateNewFile(choice->file_path, choice->file_bank);
}

void CVyrFrameApp::CreateNewFile(const std::string& path, const std::string& bank) {
    if (ide::FileNameOf(path).empty()) {
        ShowMessage(LoadText(IDS_INVALID_FILE_NAME));
        return;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (exists && Ask(path + "\nThis file already exists. Do you want to open it?", MB_YESNO) != IDYES) return;
    const bool add = !bank.empty();
    if (add && !workspace_->AddFile(path, bank)) {
        ShowWorkspaceFailure();
        return;
    }
    if (exists) {
        OpenDocumentFile(path.c_str());
        return;
    }
    auto* doc = dynamic_cast<CVyrFrameDoc*>(source_template_->OpenDocumentFile(nullptr));
    if (!doc) return;
    // Named and coloured as the file it will be, not as an untitled text.
    doc->SetPathName(path.c_str(), FALSE);
    ApplyEditorSettings(*doc);
    if (add) main_frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
}

void CVyrFrameApp::OnNewBank() {
    const auto choice = ide::RunNewSheet(main_frame(), *workspace_, ide::kBankPageBit, workspace_->GetProjectFolder());
    if (choice && !workspace_->AddBank(choice->bank_name, choice->bank_param)) ShowWorkspaceFailure();
}

void CVyrFrameApp::OnInsertFile() {
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kInsertFilter,
                       main_frame());
    if (dialog.DoModal() != IDOK) return;
    std::vector<std::string> sources;
    for (POSITION at = dialog.GetStartPosition(); at;) sources.push_back(dialog.GetNextPathName(at).str());
    // Said once, when anything is to be copied.
    if (std::any_of(sources.begin(), sources.end(), [](const std::string& path) { return !IsLibraryPath(path); }))
        ShowMessage(LoadText(IDS_FILES_COPIED_TO_PROJECT));
    for (const std::string& source : sources) InsertFileIntoProject(source);
}

void CVyrFrameApp::InsertFileIntoProject(const std::string& source) {
    if (IsLibraryPath(source)) {
        if (!workspace_->AddFile(source)) ShowWorkspaceFailure();
        return;
    }
    const std::filesystem::path target =
        std::filesystem::path(workspace_->GetProjectFolder()) / ide::FileNameOf(source);
    // A file that is already the project's copy is added as it is: copying it
    // onto itself would empty it.
    if (!SameFile(source, target)) {
        std::error_code error;
        const bool replace =
            !std::filesystem::exists(target, error) || Ask(LoadText(IDS_FILE_EXISTS_REPLACE), MB_YESNO) == IDYES;
        if (replace) {
            if (const os::Status copied = os::copy_file(source, target.string(), kLargestSource); !copied) {
                ShowMessage(target.string() + "\n" + copied.error().text);
                return;
            }
        }
    }
    if (!workspace_->AddFile(target.string())) ShowWorkspaceFailure();
}

// ---- libraries ------------------------------------------------------------------------

bool CVyrFrameApp::LibrarySelected() const {
    ide::LibraryRecord record;
    return workspace_ && workspace_->GetSelectedLibrary(record) != 0;
}

void CVyrFrameApp::OnLibraryProperty() { ide::RunLibraryPropertyDialog(main_frame(), *workspace_); }

void CVyrFrameApp::OnInsertStandardLibraries() { ide::RunStandardLibraryDialog(main_frame(), *workspace_); }

// ---- project settings ------------------------------------------------------------------

void CVyrFrameApp::OnProjectSettings() {
    const bool library = workspace_->IsLibraryProject();
    const std::string shown = ide::OutputPathForMode(ide::ProgramBinPath(*workspace_), library);
    const auto output = ide::RunProjectSettingSheet(main_frame(), *workspace_, shown, library ? 1 : 0);
    if (!output) return;
    // The default path is kept as the default, so that it follows a renamed project.
    workspace_->SetOutputName(ide::kDefaultOutputName);
    const std::string default_path = ide::OutputPathForMode(ide::ProgramBinPath(*workspace_), library);
    workspace_->SetOutputName(ide::SamePath(*output, default_path) ? std::string(ide::kDefaultOutputName) : *output);
}

}  // namespace shell
