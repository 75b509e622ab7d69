#pragma once
// Makes the job lists of the open project and runs them, one build at a time.
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ide/build/build_jobs.h"
#include "ide/build/build_thread.h"
#include "ide/build/job_context.h"

namespace profile {
class Store;
}

namespace ide {

class CVyrBuildManager {
public:
    // `application_folder` is where the kit's programs and "hc.tab" lie (the
    // IDE's own folder); it ends with a separator.
    CVyrBuildManager(profile::Store& profile, BuildOutputSink& sink, std::string application_folder);
    ~CVyrBuildManager();

    // Takes the project (a null pointer is ignored) and collects its sources.
    void SetWorkspace(CVyrWorkspaceManager* workspace);
    void CollectSourceFiles();
    const std::vector<SourceFileRecord>& GetSourceFiles() const { return sources_; }

    bool MakeBuildJobs(std::vector<BuildJob>& jobs, bool rebuild);
    bool MakeCompileJobs(std::string_view path, std::vector<BuildJob>& jobs);
    bool NeedsLink(std::size_t job_rows);

    // Build or Rebuild All of the project / Compile of one source; on a
    // refused list the error text is shown and the result is false.
    bool Build(bool rebuild);
    bool Compile(std::string_view path);
    bool StartBuildThread(const std::vector<BuildJob>& jobs, BuildMode mode);

    bool IsBuilding() const;
    // Asks the running build to stop; it ends its tool and then itself.
    bool StopBuild();
    // Waits for the running build's end banner.
    void WaitForBuild();

    std::size_t GetBankCount() const;
    // The pause before the end banner (tests set 0).
    void SetEndPause(std::chrono::milliseconds pause) { end_pause_ = pause; }
    int GetLastErrorCode() const { return error_.code; }
    const std::string& GetLastErrorText() const { return error_.text; }

private:
    JobContext Context() const;
    // False, with error 0x104, before a workspace was given.
    bool HasWorkspace();
    // The list made, or false with the error of the refused one.
    bool Take(os::Result<std::vector<BuildJob>> made, std::vector<BuildJob>& jobs);
    // The tools run in the project folder and write into folders below it:
    // false, with the error, when it cannot be entered or they cannot be made.
    bool EnterProjectFolder();
    bool MakeOutputFolders();
    bool Refused();

    profile::Store& profile_;
    BuildOutputSink& sink_;
    std::string application_folder_;
    CVyrWorkspaceManager* workspace_ = nullptr;
    std::vector<SourceFileRecord> sources_;
    os::Error error_;
    std::unique_ptr<CVyrBuildMainThread> thread_;
    std::chrono::milliseconds end_pause_{2000};
};

}  // namespace ide
