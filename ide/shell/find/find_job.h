#pragma once
// FindInFilesJob: runs one Find in Files on a worker thread so the IDE keeps
// answering; its listing reaches the chosen pane in order on the
// user-interface thread (PaneSink). A new search stops the one running, and
// Stop asks the running search to end after its current file.
#include <atomic>
#include <memory>
#include <thread>

#include "ide/shell/find/find_in_files.h"

class CInfoWnd;
class PaneSink;

namespace ide {

class FindInFilesJob {
public:
    FindInFilesJob();
    ~FindInFilesJob();  // stops and waits: the pane never hears from a search that outlived its job
    FindInFilesJob(const FindInFilesJob&) = delete;
    FindInFilesJob& operator=(const FindInFilesJob&) = delete;

    // User-interface thread: stops a running search, empties `pane` and starts this one.
    void Start(const FindRequest& request, CInfoWnd& pane);
    // Any thread: asks the running search to stop; returns at once.
    void Stop() { stop_.store(true); }
    bool Running() const { return running_.load(); }
    // User-interface thread: waits for the end and moves the last lines into the pane.
    void Wait();

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::unique_ptr<PaneSink> sink_;
    std::thread worker_;
};

}  // namespace ide
