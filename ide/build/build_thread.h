#pragma once
// One build on its own worker thread: the job rows run one after another,
// each tool as a process in the project folder; what a tool writes into
// "output.msg" goes line by line to the output sink. A failed step skips the
// rest of its source, a failed source ends the build before linking, and a
// stop request ends the running tool. Start and end banners frame every
// build. The stop and end signals belong to this build alone.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ide/build/build_jobs.h"
#include "platform/os/process.h"
#include "platform/os/sync.h"

namespace ide {

// Where the build's text goes (the Build pane). Called on the worker thread,
// one line at a time without its line end, in order.
class BuildOutputSink {
public:
    virtual ~BuildOutputSink() = default;
    virtual void AppendLine(std::string_view line) = 0;
};

enum class BuildMode : std::uint32_t { compile_one = 0x101, build_project = 0x102 };

struct BuildSettings {
    BuildMode mode = BuildMode::build_project;
    std::string project_name;
    std::string project_folder;  // the tools run here and write "output.msg" here
    std::chrono::milliseconds end_pause{2000};
};

class CVyrBuildMainThread {
public:
    CVyrBuildMainThread(BuildOutputSink& sink, BuildSettings settings);
    CVyrBuildMainThread(const CVyrBuildMainThread&) = delete;
    CVyrBuildMainThread& operator=(const CVyrBuildMainThread&) = delete;
    // Stops a build still running and waits for its end.
    ~CVyrBuildMainThread();

    // False when the row's program does not exist (a message row always goes).
    // The tool may be given in quotes; a missing text is stored as one blank.
    bool AddJob(std::string_view tool, std::optional<std::string_view> text, int flag);
    const std::vector<BuildJob>& Jobs() const { return jobs_; }

    // Starts the worker; false when the thread cannot be created.
    bool Start();
    void RequestStop() { stop_.set(); }
    bool IsRunning() const { return running_.load(); }
    // Waits for the worker's end (its end banner has been sent then).
    void WaitForEnd();

private:
    void Run();
    // Starts row i (prints a message row); false when a tool cannot start.
    bool RunJob(std::size_t i);
    // Waits for the running tool; its exit code, or -1 when a signal ended it.
    int FinishTool();
    // Waits for the tool or a stop request; false when stopped (the tool is ended).
    bool WaitForToolOrStop();
    // The tool's messages go to the sink and its message file is removed;
    // false when it cannot be, as it would pass for the next tool's.
    bool CopyOutputMessages();
    // False, with the reason in the sink, when the message file stays.
    bool RemoveOutputFile();
    // Row i begins the link or packing step (the step's row or its message).
    bool StartsLinkStep(std::size_t i) const;
    std::string OutputFilePath() const;
    std::string Banner(std::string_view when) const;

    BuildOutputSink& sink_;
    BuildSettings settings_;
    std::vector<BuildJob> jobs_;
    std::atomic<bool> running_{false};
    os::Event stop_{os::Event::Reset::manual};
    std::optional<os::Process> tool_;
    std::thread thread_;
};

}  // namespace ide
