#include "ide/workspace/workspace_manager.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

#include "ide/workspace/text_utils.h"
#include "platform/os/file.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return out;
}

std::size_t IdentifierLength(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return 0;
    std::size_t n = 0;
    while (n < text.size() && (std::isalnum(static_cast<unsigned char>(text[n])) || text[n] == '_')) ++n;
    return n;
}

CVyrWorkspaceManager::CVyrWorkspaceManager(ProjectTree& tree, WorkspaceHost& host, profile::Store& profile)
    : tree_(tree), host_(host), profile_(profile) {
    version_.kind = 'L';
    version_.signature[0] = 0xA5;
    version_.signature[1] = 0xAA;
    version_.signature[2] = 0x55;
    LoadVersionDefaults();
}

bool CVyrWorkspaceManager::Fail(std::uint32_t code, std::string text) {
    error_ = {int(code), std::move(text)};
    return false;
}

bool CVyrWorkspaceManager::EnterProjectFolder() {
    const os::Status entered = os::set_current_directory(project_folder_);
    if (!entered) {
        error_ = {entered.error().code, FormatText("Can't enter the project folder (%s): %s", project_folder_.c_str(),
                                                   os::reason_text(entered.error()).c_str())};
    }
    return entered.ok();
}

void CVyrWorkspaceManager::SetWorkspacePath(std::string_view folder, std::string_view name) {
    project_folder_ = folder;
    workspace_name_ = name;
    project_files_.clear();
    opened_documents_.clear();
    unopened_documents_.clear();
    workspace_file_ = {};
    project_file_ = {};
    host_.ShowWorkspaceTab(true);
}

void CVyrWorkspaceManager::ClearProject() {
    tree_.DeleteAllItems();
    banks_.clear();
    libraries_.clear();
    code_mode_ = 0;
    flags_ = 0;
    output_name_ = kDefaultOutputName;
    display_name_.clear();
}

void CVyrWorkspaceManager::ForgetWorkspace() {
    ClearProject();
    project_folder_.clear();
    workspace_name_.clear();
    host_.ShowWorkspaceTab(false);
}

namespace {

// Relative paths are taken from the current folder, so the project folder is
// always a full path.
std::string FullPath(std::string_view path) {
    if (IsAbsolutePath(path)) return std::string(path);
    return os::current_directory().string() + "/" + std::string(path);
}

}  // namespace

bool CVyrWorkspaceManager::OpenWorkspace(std::string_view given_path) {
    const std::string path = FullPath(given_path);
    if (IsOpen()) {
        const std::string open_base = project_folder_ + workspace_name_;
        if (os::equals_ignore_case(path, open_base + ".WSP") || os::equals_ignore_case(path, open_base + ".PRJ")) {
            return true;
        }
        if (!host_.AskOkCancel("Previous workspace will close!")) return true;
        CloseForAnother();
    }
    SetWorkspacePath(FolderOf(path), FileTitleOf(path));

    bool read = true;
    const std::string workspace_file = project_folder_ + workspace_name_ + ".WSP";
    if (os::equals_ignore_case(ExtensionOf(path), ".PRJ")) {
        if (os::file_exists(workspace_file) &&
            host_.AskYesNo("Find an exist workspace file!\n Would you like to load it?(Yes/No)")) {
            read = ReadWorkspaceFile(workspace_file);
        } else {
            project_files_.push_back(path);
        }
    } else {
        read = ReadWorkspaceFile(path);
    }
    if (read && project_files_.empty()) {
        read = Fail(kErrorNoProjectFile, "No project file to open in Workspace file!\n Workspace file may be damaged!");
    }
    if (!read || !LoadProjects() || !EnterProjectFolder()) {
        ForgetWorkspace();
        return false;
    }
    breakpoints_.LoadBreakPoints(project_folder_ + workspace_name_ + ".EXW");

    ReportDamagedFiles();
    for (std::size_t i = 0; i < opened_documents_.size(); ++i) {
        const std::string& document = opened_documents_[i];
        if (!os::file_exists(document) || !host_.OpenDocument(document)) unopened_documents_.emplace_back(i, document);
    }
    if (!unopened_documents_.empty()) return Fail(kErrorDocuments, "Not all document can be opened!");
    CheckLibraries();
    return true;
}

void CVyrWorkspaceManager::ReportDamagedFiles() {
    std::string files;
    for (const LoadedFile* file : {&workspace_file_, &project_file_})
        if (file->Damaged()) files += file->ProblemText() + "\n";
    if (files.empty()) return;
    host_.ShowMessage("Not all of the workspace could be read:\n" + files +
                      "Such a file is left as it is until the workspace is changed; its first save then keeps it "
                      "beside as \".orig\".");
}

bool CVyrWorkspaceManager::NewProject(std::string_view given_path, std::string_view bank_name,
                                      std::string_view bank_param) {
    if (bank_table_locked_) return Fail(kErrorBanksLocked, "Bank data has been locked, Operation failed!");
    CloseForAnother();
    const std::string path = FullPath(given_path);
    std::string name = FileNameOf(path);
    name = name.substr(0, name.find('.'));
    SetWorkspacePath(FolderOf(path), name);

    const TreeItem project = tree_.InsertItem(name, 0, 0, kTreeRoot, kTreeLast);
    bool built = project != 0;
    if (built) tree_.SetItemData(project, MakeItemData(ItemKind::project, 0));
    built = built && AddDefaultLibraries();
    const TreeItem bank = built ? InsertBank(bank_name) : 0;
    if (bank == 0) {
        ForgetWorkspace();
        return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    }
    SetBankParam(bank, bank_param);
    if (!SaveWorkspace()) {
        ForgetWorkspace();
        return false;
    }
    tree_.ExpandAll(project);
    return true;
}

bool CVyrWorkspaceManager::CloseWorkspace() {
    if (!IsOpen()) return true;
    const bool saved = SaveWorkspace();
    host_.CloseAllDocuments();
    breakpoints_.RemoveAll();
    project_files_.clear();
    opened_documents_.clear();
    unopened_documents_.clear();
    ForgetWorkspace();
    LoadVersionDefaults();
    return saved;
}

void CVyrWorkspaceManager::CloseForAnother() {
    if (!CloseWorkspace()) host_.ShowMessage(error_.text);
}

bool CVyrWorkspaceManager::SaveWorkspace() {
    if (!IsOpen()) return Fail(kErrorProjectEmpty, "Project is Empty!\n No operation can go along!");
    for (const std::string& folder : {project_folder_, project_folder_ + "DEBUG\\"}) {
        if (!CreateDirectoryTree(folder)) {
            return Fail(kErrorTreeView, FormatText("Can't create directory:(%s)!", folder.c_str()));
        }
    }
    if (!EnterProjectFolder()) return false;
    if (!CheckProjectOutputs() || !WriteProjectFile()) return false;
    breakpoints_.SaveBreakPoints(project_folder_ + workspace_name_ + ".EXW");
    CheckLibraries();
    return WriteWorkspaceFile();
}

}  // namespace ide
