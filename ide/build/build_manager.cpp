#include "ide/build/build_manager.h"

#include "ide/build/command_lines.h"
#include "ide/build/up_to_date.h"
#include "ide/workspace/workspace_manager.h"

namespace ide {

CVyrBuildManager::CVyrBuildManager(profile::Store& profile, BuildOutputSink& sink, std::string application_folder)
    : profile_(profile), sink_(sink), application_folder_(std::move(application_folder)) {}

CVyrBuildManager::~CVyrBuildManager() = default;

void CVyrBuildManager::SetWorkspace(CVyrWorkspaceManager* workspace) {
    if (workspace == nullptr) return;
    workspace_ = workspace;
    CollectSourceFiles();
}

void CVyrBuildManager::CollectSourceFiles() {
    if (workspace_ != nullptr) sources_ = ide::CollectSourceFiles(*workspace_);
}

JobContext CVyrBuildManager::Context() const { return {*workspace_, profile_, application_folder_, sources_}; }

bool CVyrBuildManager::HasWorkspace() {
    if (workspace_ != nullptr) return true;
    error_ = {kErrorNoBankData, "Internal error! Can't get data from workspace!"};
    return false;
}

bool CVyrBuildManager::Take(os::Result<std::vector<BuildJob>> made, std::vector<BuildJob>& jobs) {
    if (!made) {
        error_ = made.error();
        return false;
    }
    jobs = std::move(*made);
    return true;
}

bool CVyrBuildManager::MakeBuildJobs(std::vector<BuildJob>& jobs, bool rebuild) {
    return HasWorkspace() && Take(ide::MakeBuildJobs(Context(), rebuild), jobs);
}

bool CVyrBuildManager::MakeCompileJobs(std::string_view path, std::vector<BuildJob>& jobs) {
    return HasWorkspace() && Take(ide::MakeCompileJobs(Context(), path), jobs);
}

bool CVyrBuildManager::EnterProjectFolder() {
    if (workspace_->EnterProjectFolder()) return true;
    error_ = workspace_->GetLastError();
    return false;
}

bool CVyrBuildManager::MakeOutputFolders() {
    const os::Status made = ide::MakeOutputFolders(Context());
    if (!made) error_ = made.error();
    return made.ok();
}

bool CVyrBuildManager::NeedsLink(std::size_t job_rows) { return HasWorkspace() && ide::NeedsLink(Context(), job_rows); }

bool CVyrBuildManager::Refused() {
    workspace_->GetHost().ShowMessage(error_.text);
    return false;
}

bool CVyrBuildManager::Build(bool rebuild) {
    if (IsBuilding() || !HasWorkspace()) return false;
    if (!EnterProjectFolder()) return Refused();
    workspace_->WriteVersionFile();
    std::vector<BuildJob> jobs;
    if (!MakeBuildJobs(jobs, rebuild || workspace_->IsRebuildNeeded()) || !MakeOutputFolders()) return Refused();
    workspace_->SetRebuildNeeded(false);
    return StartBuildThread(jobs, BuildMode::build_project);
}

bool CVyrBuildManager::Compile(std::string_view path) {
    if (IsBuilding() || !HasWorkspace()) return false;
    std::vector<BuildJob> jobs;
    if (!EnterProjectFolder() || !MakeCompileJobs(path, jobs) || !MakeOutputFolders()) return Refused();
    return StartBuildThread(jobs, BuildMode::compile_one);
}

bool CVyrBuildManager::StartBuildThread(const std::vector<BuildJob>& jobs, BuildMode mode) {
    thread_.reset();  // waits for the previous build's thread
    BuildSettings settings{mode, workspace_->GetWorkspaceName(), workspace_->GetProjectFolder(), end_pause_};
    thread_ = std::make_unique<CVyrBuildMainThread>(sink_, std::move(settings));
    for (const BuildJob& job : jobs) thread_->AddJob(job.tool, job.text, job.flag);
    if (!thread_->Start()) {
        error_ = {kErrorThreadFailure, "Internal error! Create thread failure!"};
        return false;
    }
    return true;
}

bool CVyrBuildManager::IsBuilding() const { return thread_ && thread_->IsRunning(); }

bool CVyrBuildManager::StopBuild() {
    if (!thread_) return false;
    thread_->RequestStop();
    return true;
}

void CVyrBuildManager::WaitForBuild() {
    if (thread_) thread_->WaitForEnd();
}

std::size_t CVyrBuildManager::GetBankCount() const { return workspace_ ? workspace_->BankItems().size() : 0; }

}  // namespace ide
