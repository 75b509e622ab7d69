#pragma once
// PaneSink: the build's output sink for an output pane. The build worker
// calls AppendLine on its own thread; the lines wait in a queue under a short
// lock and reach the pane on the user-interface thread, in order, when the
// pane handles the notice the first queued line posts. The worker never
// waits for the user-interface thread, and the pane is never written while
// it paints.
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "ide/build/build_thread.h"
#include "platform/afx/afx.h"

class CInfoWnd;

class PaneSink : public ide::BuildOutputSink {
public:
    // The pane's window must exist. Destroy the sink on the user-interface
    // thread after the build has ended: it delivers what is still queued.
    explicit PaneSink(CInfoWnd& pane);
    ~PaneSink() override;
    PaneSink(const PaneSink&) = delete;
    PaneSink& operator=(const PaneSink&) = delete;

    // Any thread.
    void AppendLine(std::string_view line) override;
    // User-interface thread: moves every queued line into the pane. The
    // pane's notice calls it; a caller that waits for a build's end calls it
    // too, so the last lines arrive before the pane is used.
    void Deliver();

private:
    CInfoWnd& pane_;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::deque<std::string> queued_;
    bool notice_posted_ = false;
};
