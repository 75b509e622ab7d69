#include "ide/build/build_thread.h"

#include "formats/file_sizes.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/path.h"

namespace ide {

namespace {
constexpr auto kStopPollInterval = std::chrono::milliseconds(20);
}

CVyrBuildMainThread::CVyrBuildMainThread(BuildOutputSink& sink, BuildSettings settings)
    : sink_(sink), settings_(std::move(settings)) {}

CVyrBuildMainThread::~CVyrBuildMainThread() {
    if (thread_.joinable()) {
        RequestStop();
        thread_.join();
    }
}

bool CVyrBuildMainThread::AddJob(std::string_view tool, std::optional<std::string_view> text, int flag) {
    std::string name = Trim(tool);
    if (!name.empty() && name.front() == '"') {
        name.erase(0, 1);
        name = name.substr(0, name.find('"'));
    }
    if (name != kMessageTool) {
        const os::FileInfo info = os::file_info(name);
        if (!info.exists || info.is_directory) return false;
    }
    jobs_.push_back({std::move(name), text ? std::string(*text) : std::string(" "), flag});
    return true;
}

bool CVyrBuildMainThread::Start() {
    running_ = true;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        running_ = false;
        return false;
    }
    return true;
}

void CVyrBuildMainThread::WaitForEnd() {
    if (thread_.joinable()) thread_.join();
}

std::string CVyrBuildMainThread::Banner(std::string_view when) const {
    const char* kind = settings_.mode == BuildMode::compile_one ? "6502 Compile" : "6502 Build";
    return FormatText("--------------------%s : %s - %s--------------------", std::string(when).c_str(),
                      settings_.project_name.c_str(), kind);
}

std::string CVyrBuildMainThread::OutputFilePath() const { return settings_.project_folder + "output.msg"; }

bool CVyrBuildMainThread::StartsLinkStep(std::size_t i) const {
    if (jobs_[i].flag == kLinkStepFlag) return true;
    return jobs_[i].tool == kMessageTool && i + 1 < jobs_.size() && jobs_[i + 1].flag == kLinkStepFlag;
}

void CVyrBuildMainThread::Run() {
    sink_.AppendLine(Banner("Start"));
    bool failed = false;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        // Once a source failed, nothing of the link or packing step starts.
        if (stop_.is_set() || (failed && StartsLinkStep(i))) break;
        if (!RunJob(i)) break;
        if (jobs_[i].tool == kMessageTool) continue;
        if (!WaitForToolOrStop()) break;
        const bool messages_taken = CopyOutputMessages();
        if (FinishTool() != 0) {
            failed = true;
            while (i + 1 < jobs_.size() && jobs_[i + 1].flag == kFollowingStepFlag) ++i;
        }
        if (!messages_taken) break;
    }
    if (settings_.end_pause.count() > 0) std::this_thread::sleep_for(settings_.end_pause);
    sink_.AppendLine(Banner("End"));
    running_ = false;
}

bool CVyrBuildMainThread::RunJob(std::size_t i) {
    const BuildJob& job = jobs_[i];
    if (job.tool == kMessageTool) {
        sink_.AppendLine(job.text);
        return true;
    }
    // A message file left from an earlier run must not pass for this tool's.
    if (!RemoveOutputFile()) return false;
    os::SpawnOptions options;
    options.argv.push_back(job.tool);
    for (std::string& argument : os::split_command_line(job.text)) options.argv.push_back(std::move(argument));
    options.working_directory = os::resolve_existing(settings_.project_folder);
    options.in = os::Stream::discarded();
    options.out = os::Stream::discarded();
    options.err = os::Stream::discarded();
    auto process = os::Process::spawn(options);
    if (!process) {
        sink_.AppendLine(process.error().text);
        return false;
    }
    tool_ = std::move(*process);
    return true;
}

bool CVyrBuildMainThread::WaitForToolOrStop() {
    while (!tool_->wait_for(kStopPollInterval)) {
        if (stop_.is_set()) {
            if (const os::Status ended = tool_->kill(); !ended) sink_.AppendLine(ended.error().text);
            FinishTool();
            return false;
        }
    }
    return true;
}

int CVyrBuildMainThread::FinishTool() {
    if (!tool_) return 0;
    const os::ExitStatus status = tool_->wait();
    tool_.reset();
    return status.exited ? status.code : -1;
}

bool CVyrBuildMainThread::CopyOutputMessages() {
    if (const auto text = os::read_text_file(OutputFilePath(), formats::kLargestToolText))
        for (const std::string& line : TextLines(*text)) sink_.AppendLine(line);
    return RemoveOutputFile();
}

bool CVyrBuildMainThread::RemoveOutputFile() {
    const os::Status removed = os::remove_output(OutputFilePath());
    if (!removed) sink_.AppendLine(removed.error().text);
    return removed.ok();
}

}  // namespace ide
