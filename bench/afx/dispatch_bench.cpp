// Message-map dispatch: a window message and a routed command through a map
// of many entries and its base, as every message of a framework window goes.
#include <benchmark/benchmark.h>

#include "platform/afx/afx.h"
#include "platform/display/headless.h"

namespace {

class Busy : public CFrameWnd {
public:
    int hits = 0;
    afx_msg void OnRange(UINT) { ++hits; }
    afx_msg void OnUpdateRange(CCmdUI* ui) { ui->Enable(TRUE); }
    afx_msg LRESULT OnLast(WPARAM, LPARAM) { return ++hits; }
    DECLARE_MESSAGE_MAP()
};
// Thirty ranges ahead of the entries the benchmarks look for, as a large frame's map has.
#define BUSY_RANGE(n) ON_COMMAND_RANGE(1000 + (n)*10, 1005 + (n)*10, OnRange)
BEGIN_MESSAGE_MAP(Busy, CFrameWnd)
BUSY_RANGE(0)
BUSY_RANGE(1) BUSY_RANGE(2) BUSY_RANGE(3) BUSY_RANGE(4) BUSY_RANGE(5) BUSY_RANGE(6) BUSY_RANGE(7) BUSY_RANGE(8)
    BUSY_RANGE(9) BUSY_RANGE(10) BUSY_RANGE(11) BUSY_RANGE(12) BUSY_RANGE(13) BUSY_RANGE(14) BUSY_RANGE(15)
        BUSY_RANGE(16) BUSY_RANGE(17) BUSY_RANGE(18) BUSY_RANGE(19) BUSY_RANGE(20) BUSY_RANGE(21) BUSY_RANGE(22)
            BUSY_RANGE(23) BUSY_RANGE(24) BUSY_RANGE(25) BUSY_RANGE(26) BUSY_RANGE(27) BUSY_RANGE(28) BUSY_RANGE(29)
                ON_UPDATE_COMMAND_UI_RANGE(1000, 1300, OnUpdateRange) ON_MESSAGE(WM_USER + 1, OnLast) END_MESSAGE_MAP()

                    struct Fixture {
    kit::display::Headless display;
    Busy* frame = new Busy;
    Fixture() { frame->Create(nullptr, "bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)); }
    ~Fixture() { frame->DestroyWindow(); }
};

void BM_WindowMessageThroughMap(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) benchmark::DoNotOptimize(f.frame->SendMessage(WM_USER + 1));
}
BENCHMARK(BM_WindowMessageThroughMap);

// A menu command: its update handler is asked first, then the command runs.
void BM_RoutedCommand(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) f.frame->SendMessage(WM_COMMAND, 1293);
    benchmark::DoNotOptimize(f.frame->hits);
}
BENCHMARK(BM_RoutedCommand);

}  // namespace
