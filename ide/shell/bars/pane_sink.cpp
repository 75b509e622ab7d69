#include "ide/shell/bars/pane_sink.h"

#include "ide/shell/bars/info_wnd.h"

PaneSink::PaneSink(CInfoWnd& pane) : pane_(pane), window_(pane.m_hWnd) {
    pane_.SetDeliverHandler([this] { Deliver(); });
}

PaneSink::~PaneSink() {
    Deliver();  // what the last notice has not brought yet
    if (::IsWindow(window_)) pane_.SetDeliverHandler(nullptr);
}

void PaneSink::AppendLine(std::string_view line) {
    bool post = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queued_.emplace_back(line);
        post = !notice_posted_;
        notice_posted_ = true;
    }
    // One notice per batch: the queue drains whole when the pane handles it.
    if (post) ::PostMessage(window_, CInfoWnd::kDeliverLines, 0, 0);
}

void PaneSink::Deliver() {
    std::deque<std::string> lines;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines.swap(queued_);
        notice_posted_ = false;
    }
    if (!::IsWindow(window_)) return;
    for (const std::string& line : lines) pane_.AddLine(line);
}
