#pragma once
// Corvel's application object: starts the IDE (profile, editor settings, recent
// lists, the workspace engine, the source document template, the main frame, the
// file named on the command line) and ends it saving what the next start needs.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ide/build/build_manager.h"
#include "ide/shell/commands/command_rules.h"
#include "ide/shell/bars/pane_sink.h"
#include "ide/shell/bars/source_location.h"
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/workspace/workspace_host.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/afx/app.h"

namespace ide {
class FindInFilesJob;
}

namespace shell {

class CDebugSession;
class CMainFrame;
class CVyrFrameDoc;

class CVyrFrameApp : public CWinApp, public ide::WorkspaceHost {
public:
    // `files` are what the command line names: each opens at start-up.
    explicit CVyrFrameApp(std::vector<std::string> files = {});
    ~CVyrFrameApp() override;

    // The main window starts restored at this size instead of as it was left.
    void SetStartSize(int width, int height) { start_size_ = {width, height}; }
    SIZE start_size() const { return start_size_; }
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG count) override;
    // A key or mouse press while the splash is up only closes the splash.
    BOOL PreTranslateMessage(MSG* msg) override;

    void LoadRecentLists(int count);
    void AddToRecentProjectList(const char* path);
    void WriteRecentProjectList();

    ide::CVyrWorkspaceManager* workspace() { return workspace_.get(); }
    CMainFrame* main_frame() const;
    // Opens the source and shows the line with the marks of `mode` (1 navigation, 2
    // execution point); 1 when it opened.
    int GoToSourceLine(const std::string& path, int line, int mode);
    // The debugger's marks: `mask` taken from every line of every open source, and a
    // source's breakpoint marks drawn again from the workspace's breakpoints.
    void ClearLineMarksInAllViews(std::uint32_t mask);
    void RefreshBreakpointMarks(const std::string& path);
    // An output line's location: a path relative to the project folder, opened as text.
    void GoToOutputLine(const ide::SourceLocation& where);
    ide::CVyrBuildManager* build_manager() { return build_manager_.get(); }
    ide::FindInFilesJob* find_job() { return find_job_.get(); }
    // Stops a running build and a running Find in Files, waits for their ends and
    // lets their last lines reach the panes; then their links to the panes go (the
    // main frame closes).
    void EndBuilds();
    // Every open source takes the editor settings of its file type from the profile again.
    void ApplyEditorSettingsToAllDocuments();
    // The settings of the document's file type (by its path), in every view of it.
    void ApplyEditorSettings(CVyrFrameDoc& doc);
    // Closing the main frame: a running build stops and ends, then the workspace is
    // saved and closed (its tree goes with the frame). False, with nothing
    // closed, when a modified document was not saved.
    bool CloseWorkspaceForExit();
    // The open workspace's ".WSP" path at the top of the recent workspaces.
    void AddOpenWorkspaceToRecentList();
    // Opens a file of the workspace's tree as a source.
    void OpenWorkspaceFile(const std::string& path);
    // Opens a workspace, project or source as the command line would; false when it
    // could not be opened (the user has been told).
    bool OpenStartupFile(const std::string& path);
    CDocTemplate* source_template() const { return source_template_; }

    // The application commands' gate: a command of the command table that may
    // not run now is disabled in the menus and, chosen anyway (by its key),
    // says why in the status bar. A table command with no handler in this
    // application's message map yet stays disabled.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;
    // A key of a table command goes to the gate above whatever the menu showed
    // last; true when `msg` was such a key.
    bool RouteCommandKey(const MSG* msg);
    CommandState CurrentCommandState() const;
    // The menus' tests put the IDE in each state without a build or a simulator;
    // nothing (the default) reads the real state.
    void OverrideCommandState(std::optional<CommandState> state) { state_override_ = state; }
    // Why command `id` cannot run now; empty when it can (or is not a table command).
    std::string CommandRefusal(UINT id) const;
    // The debug run and its commands; null before InitInstance.
    CDebugSession* debug_session() const { return debug_session_.get(); }

    // Saves every modified source document, without asking; false when one
    // was not saved (a failure has been told).
    bool SaveAll();
    // Closes the open workspace: a running build is stopped and its end awaited
    // first; the workspace goes to the recent list, and the settings are saved.
    // False, with everything left open, when a modified document was not saved.
    bool CloseWorkspace();
    // Waits for the running build's end while the user interface keeps handling
    // messages, then lets its last lines reach the Build pane.
    void WaitForBuildEnd();

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnOptions();
    afx_msg void OnNew();
    afx_msg void OnNewText();
    afx_msg void OnOpen();
    afx_msg void OnOpenWorkspace();
    afx_msg void OnSaveWorkspace();
    afx_msg void OnCloseWorkspace();
    afx_msg void OnSaveAll();
    afx_msg void OnCloseAllWindows();
    afx_msg void OnNewBank();
    afx_msg void OnNewFile();
    afx_msg void OnInsertFile();
    afx_msg void OnProjectSettings();
    afx_msg void OnLibraryProperty();
    afx_msg void OnInsertStandardLibraries();
    afx_msg void OnBuild();
    afx_msg void OnRebuildAll();
    afx_msg void OnCompile();
    afx_msg void OnUpdateCompile(CCmdUI* cmd_ui);
    afx_msg void OnStopBuild();
    afx_msg void OnFindInFiles();
    afx_msg BOOL OnDebugCommand(UINT id);
    afx_msg void OnToggleDebugWindow(UINT id);
    // Checked while the window is shown.
    afx_msg void OnUpdateDebugWindow(CCmdUI* cmd_ui);
    afx_msg void OnHelpTopics();
    afx_msg void OnPrintSetup();
    afx_msg void OnOpenRecentProject(UINT id);
    afx_msg void OnUpdateRecentProjectMenu(CCmdUI* cmd_ui);
    DECLARE_MESSAGE_MAP()

    // Closing a workspace and closing the frame tell a failed save in a message box.
    void OnProfileNotSaved(const os::Error& error) override;

private:
    // The workspace engine's questions go to the user.
    bool AskOkCancel(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    void ShowMessage(std::string_view text) override;
    std::vector<std::string> SaveAndListDocuments() override;
    bool OpenDocument(std::string_view path) override;
    void CloseAllDocuments() override;
    std::optional<std::string> SelectBank(const std::vector<std::string>& names) override;
    void ShowWorkspaceTab(bool shown) override;

    // Offers to reload each source changed on disk; never asks again while it asks.
    void CheckChangedDocuments();
    std::vector<CVyrFrameDoc*> Documents() const;

    std::vector<std::string> startup_files_;
    std::string application_folder_;  // the running program's, ending in a separator
    std::unique_ptr<CRecentFileList> recent_projects_;
    std::unique_ptr<ide::CVyrWorkspaceManager> workspace_;
    void StopAndWaitForBuild();
    // Build, Rebuild All or Compile (`compile_path` not empty).
    void StartBuild(bool rebuild, const std::string& compile_path = {});
    // The sheet's new file: created empty (added to its bank and written when
    // a bank was chosen); an existing file is opened, never overwritten.
    void CreateNewFile(const std::string& path, const std::string& bank);
    // Copies `source` into the project folder (asking before it replaces a
    // file there) and adds the copy; a file already there is added as it is.
    void InsertFileIntoProject(const std::string& source);
    // The workspace manager's last failure, in a message box.
    void ShowWorkspaceFailure();
    // The path of the active source document, empty when there is none.
    std::string ActiveDocumentPath() const;
    bool ActiveDocumentCompiles() const;
    bool LibrarySelected() const;
    void ShowStatusText(const std::string& text) const;
    std::unique_ptr<PaneSink> build_sink_;  // the Build pane, for the build worker
    std::unique_ptr<ide::CVyrBuildManager> build_manager_;
    std::unique_ptr<ide::FindInFilesJob> find_job_;  // the search writing to a Find in Files pane
    std::unique_ptr<CDebugSession> debug_session_;
    CDocTemplate* source_template_ = nullptr;  // owned by the application's template list
    bool asking_reload_ = false;
    std::optional<CommandState> state_override_;
    SIZE start_size_{0, 0};
};

CVyrFrameApp* CorvelApp();

}  // namespace shell
