#pragma once
// The open workspace: one project with its banks, source files by category,
// libraries, general settings and version block. The structure lives in the
// items of the workspace bar's tree (ProjectTree); beside it the manager keeps
// only the bank and library records, a few strings and the version block.
// A failing operation returns false and leaves its error (a code and a text).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/version_file.h"
#include "ide/debugger/breakpoint_list.h"
#include "ide/workspace/item_data.h"
#include "ide/workspace/loaded_file.h"
#include "ide/workspace/project_tree.h"
#include "ide/workspace/workspace_host.h"
#include "platform/os/result.h"

namespace profile {
class Store;
}

namespace ide {

enum WorkspaceError : std::uint32_t {
    kErrorOpenFile = 4097,
    kErrorTreeView = 4098,
    kErrorNoProjectFile = 4099,
    kErrorCreateFolder = 4100,
    kErrorProjectEmpty = 4101,
    kErrorTemporaryFile = 4102,
    kErrorCopyFile = 4103,
    kErrorBadProjectFile = 4104,
    kErrorBanksLocked = 4105,
    kErrorDocuments = 20481,
    kErrorBankNameUsed = 20482,
    kErrorBankKeyUsed = 20483,
    kErrorObjectClash = 20485,
};

// Limits of the fixed-size fields the project's records and files hold
// (each counting its terminating zero).
inline constexpr std::size_t kBankNameSize = 32;
inline constexpr std::size_t kBankParamSize = 96;
inline constexpr std::size_t kMaxPathSize = 260;

struct BankRecord {
    std::uint32_t key = 0;  // bank number << 16 | code base
    std::string name;
    std::string param;  // " -CB 0x%X -DB 0x%X -CL 0x%X -DL 0x%X -BN 0x%X"
    TreeItem item = 0;  // the bank's tree item
};

struct LibraryRecord {
    TreeItem item = 0;
    std::string path;  // empty for a library from the kit's library folders
};

inline constexpr std::string_view kDefaultOutputName = "DEFAULT_OUTPUT";

class CVyrWorkspaceManager {
public:
    CVyrWorkspaceManager(ProjectTree& tree, WorkspaceHost& host, profile::Store& profile);
    CVyrWorkspaceManager(const CVyrWorkspaceManager&) = delete;
    CVyrWorkspaceManager& operator=(const CVyrWorkspaceManager&) = delete;

    // Workspace life (workspace_manager.cpp).
    bool OpenWorkspace(std::string_view path);
    bool NewProject(std::string_view path, std::string_view bank_name, std::string_view bank_param);
    bool CloseWorkspace();
    bool SaveWorkspace();
    bool IsOpen() const { return !project_folder_.empty(); }
    // Makes the project folder the current one: the file dialogs start there
    // and the build runs there. Opening a workspace and saving one enter it
    // (a new project's folder is made by its first save).
    bool EnterProjectFolder();

    // The project model (project_model.cpp).
    bool AddBank(std::string_view bank_name, std::string_view bank_param);
    bool AddFile(std::string_view path, std::string_view bank_name = {});
    // 1: in the project; 2: its object would clash with a source's; 0: neither.
    int FindFileInProject(std::string_view path) const;
    bool AddLibrary(std::string_view path);
    void InsertStandardLibraries(const std::vector<std::string>& names);
    bool DeleteSelectedItem();
    void CheckLibraries();
    std::string GetFilePath(TreeItem item) const;
    void GetBankNames(std::vector<std::string>& names, std::vector<std::uint32_t>& keys) const;
    std::vector<std::string> GetFilesOfCategories(std::uint32_t mask) const;
    bool IsSourceInProject(std::string_view path) const;
    // The C or assembler source item that project folder + its text names, or 0.
    TreeItem FindSourceItem(std::string_view path) const;
    bool FindBankOfSource(std::string_view path, BankRecord& record) const;
    std::vector<BankRecord>* GetBankTable();  // locks the banks until FreeBankTable
    void CommitBankTable();
    void FreeBankTable();
    bool BanksLocked() const { return bank_table_locked_; }
    std::uint32_t GetSelectedLibrary(LibraryRecord& record) const;
    void SetSelectedLibraryPath(const LibraryRecord& record);
    std::string GetAdditionalLibraries(char separator) const;
    std::string GetBig5DisplayName();

    // Project and workspace files (project_files.cpp). A file loaded with
    // something its reader skipped, cut or guessed is reported once on
    // opening and written only once the workspace has changed.
    bool CheckProjectOutputs();
    std::string ProjectFileText() const;
    // `name`: the project's; `documents`: the "#OPENEDFILE" entries.
    std::string WorkspaceFileText(std::string_view name, const std::vector<std::string>& documents) const;
    bool WriteProjectFile();
    bool WriteWorkspaceFile();
    bool ReadWorkspaceFile(std::string_view path);
    bool LoadProjects();

    // Version file (version_file.cpp).
    bool WriteVersionFile() const;
    bool ReadVersionFile();
    void LoadVersionDefaults();
    std::string VersionFilePath() const;

    // The first project item, and the tree walks every query uses.
    TreeItem ProjectItem() const;
    TreeItem LibraryGroup() const;
    std::vector<TreeItem> BankItems() const;
    // The five category items of a bank, in tree order (0 for a missing one).
    std::vector<TreeItem> CategoryItems(TreeItem bank) const;

    const std::string& GetProjectFolder() const { return project_folder_; }
    const std::string& GetWorkspaceName() const { return workspace_name_; }
    const std::string& GetOutputName() const { return output_name_; }
    void SetOutputName(std::string_view name) { output_name_ = name; }
    const std::string& GetDisplayName() const { return display_name_; }
    void SetDisplayName(std::string_view name) { display_name_ = name; }
    int GetCodeMode() const { return code_mode_; }
    void SetCodeMode(int mode) { code_mode_ = mode; }
    bool IsLibraryProject() const { return code_mode_ != 0; }
    bool GetAutoLink() const { return (flags_ & kAutoLinkFlag) != 0; }
    void SetAutoLink(bool on) { flags_ = on ? flags_ | kAutoLinkFlag : flags_ & ~kAutoLinkFlag; }
    bool IsRebuildNeeded() const { return rebuild_needed_; }
    void SetRebuildNeeded(bool needed) { rebuild_needed_ = needed; }
    const std::vector<BankRecord>& GetBankRecords() const { return banks_; }
    const std::vector<LibraryRecord>& GetLibraryRecords() const { return libraries_; }
    const std::vector<std::string>& GetProjectFileList() const { return project_files_; }
    const std::vector<std::string>& GetOpenedDocumentList() const { return opened_documents_; }
    formats::VersionBlock& GetVersionBlock() { return version_; }
    const formats::VersionBlock& GetVersionBlock() const { return version_; }
    CVyrBreakPointMgr& GetBreakPoints() { return breakpoints_; }
    ProjectTree& GetTree() { return tree_; }
    WorkspaceHost& GetHost() { return host_; }
    const ProjectTree& GetTree() const { return tree_; }
    profile::Store& GetProfile() const { return profile_; }
    const os::Error& GetLastError() const { return error_; }
    std::uint32_t GetLastErrorCode() const { return std::uint32_t(error_.code); }
    const std::string& GetLastErrorText() const { return error_.text; }

    // Sets the last error; always false, so failures read `return Fail(...)`.
    bool Fail(std::uint32_t code, std::string text);

private:
    static constexpr std::uint32_t kAutoLinkFlag = 0x10;

    friend class ProjectFileReader;

    void SetWorkspacePath(std::string_view folder, std::string_view name);
    bool WriteLoadedFile(LoadedFile& loaded, const std::string& path, std::string_view text);
    // One message naming each file opened damaged, with its first problem.
    void ReportDamagedFiles();
    void ForgetWorkspace();
    // Closes the open workspace for another one; a failed save is told here,
    // since the other's own result takes the last error's place.
    void CloseForAnother();
    // Tree items, records and general settings back to those of no project.
    void ClearProject();
    // A bank item with its five categories as the project's last child, and
    // its record; 0 when the tree refuses an item.
    TreeItem InsertBank(std::string_view name);
    void SetBankParam(TreeItem bank, std::string_view param);
    TreeItem InsertLibraryGroup();
    TreeItem InsertLibrary(std::string_view path, std::uint32_t origin);
    TreeItem InsertSource(TreeItem bank, std::string_view name);
    bool AddDefaultLibraries();
    std::string EntryPath(std::string_view name) const;

    ProjectTree& tree_;
    WorkspaceHost& host_;
    profile::Store& profile_;
    CVyrBreakPointMgr breakpoints_;

    int code_mode_ = 0;
    std::string project_folder_;
    std::string workspace_name_;
    std::string output_name_{kDefaultOutputName};
    std::string display_name_;
    std::vector<std::string> project_files_;
    std::vector<std::string> opened_documents_;
    // Entries of the opened-document list that could not be opened, by place.
    std::vector<std::pair<std::size_t, std::string>> unopened_documents_;
    LoadedFile workspace_file_;
    LoadedFile project_file_;
    std::vector<BankRecord> banks_;
    std::vector<BankRecord> bank_table_;
    bool bank_table_locked_ = false;
    std::uint32_t flags_ = 0;
    bool rebuild_needed_ = false;
    std::vector<LibraryRecord> libraries_;
    formats::VersionBlock version_{};
    os::Error error_;
};

// The index of another record of the table (not `current`) that has `key`,
// or -1: the settings page's clash test before it stores an edited bank.
int FindBankKeyClash(const std::vector<BankRecord>& table, std::size_t current, std::uint32_t key);

// 0 unless the text starts with a letter; else the count of leading letters,
// digits and '_'.
std::size_t IdentifierLength(std::string_view text);

// printf into a std::string (the messages of the workspace and the build).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ide
