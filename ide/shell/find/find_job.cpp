#include "ide/shell/find/find_job.h"

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/pane_sink.h"

namespace ide {

FindInFilesJob::FindInFilesJob() = default;

FindInFilesJob::~FindInFilesJob() {
    Stop();
    Wait();
}

void FindInFilesJob::Wait() {
    if (worker_.joinable()) worker_.join();
    if (sink_) sink_->Deliver();
}

void FindInFilesJob::Start(const FindRequest& request, CInfoWnd& pane) {
    Stop();
    Wait();
    sink_.reset();  // delivers to the pane it served
    pane.Clear();
    sink_ = std::make_unique<PaneSink>(pane);
    stop_.store(false);
    running_.store(true);
    worker_ = std::thread([this, request, sink = sink_.get()] {
        FindInFiles(
            request, [sink](std::string_view line) { sink->AppendLine(line); }, &stop_);
        running_.store(false);
    });
}

}  // namespace ide
