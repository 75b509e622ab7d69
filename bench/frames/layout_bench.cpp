// Dock-bar layout: a full layout of a frame with 12 docked bars in 3 rows on
// each side (48 bars), one step of a splitter drag (the move, the layout and
// the repaint of the bars it touched), and the frame's whole layout saved to
// an archive, read back, checked and applied.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_state.h"
#include "uikit/frames/mdi_frame.h"

namespace {

class BenchFrame {
public:
    BenchFrame() {
        gdi::set_test_font_everywhere(true);
        frame = new SECMDIFrameWnd;
        frame->Create(nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1600, 1200));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        UINT id = 200;
        for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
            for (int row = 0; row < 3; ++row) {
                for (int column = 0; column < 4; ++column) {
                    auto* bar = new SECControlBar;
                    bar->m_bAutoDelete = TRUE;
                    bar->Create(frame, "bar", 0x50001414, 0xF11, id++);
                    bar->EnableDocking(CBRS_ALIGN_ANY);
                    frame->DockControlBarEx(bar, side, column, row, 1.0f, 60);
                }
            }
        }
        frame->RecalcLayout();
        ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    ~BenchFrame() {
        frame->DestroyWindow();
        gdi::set_test_font_everywhere(false);
    }
    kit::display::Headless display;
    SECMDIFrameWnd* frame;
};

void BM_FullLayout48Bars(benchmark::State& state) {
    BenchFrame bench;
    bool wide = false;
    for (auto _ : state) {
        // A different width each time, so that every bar really moves.
        wide = !wide;
        bench.frame->SetWindowPos(nullptr, 0, 0, wide ? 1601 : 1600, 1200, SWP_NOZORDER | SWP_NOMOVE | SWP_NOREDRAW);
    }
}
BENCHMARK(BM_FullLayout48Bars)->Unit(benchmark::kMicrosecond);

void BM_SplitterDragStep(benchmark::State& state) {
    BenchFrame bench;
    auto* bottom = static_cast<SECDockBar*>(bench.frame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    int delta = 5;
    for (auto _ : state) {
        const SECDockBar::Splitter splitter = [&] {
            for (const SECDockBar::Splitter& s : bottom->m_arrSplitters)
                if (s.m_bInRow) return s;
            return SECDockBar::Splitter{};
        }();
        bottom->ApplySplitterMove(splitter, delta);
        delta = -delta;
        bench.frame->RecalcLayout();
        ::RedrawWindow(bench.frame->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}
BENCHMARK(BM_SplitterDragStep)->Unit(benchmark::kMicrosecond);

void BM_DockStateArchiveRoundTrip48Bars(benchmark::State& state) {
    BenchFrame bench;
    for (auto _ : state) {
        CMemFile file;
        {
            SECDockState saved;
            saved.GetFrameState(bench.frame);
            CArchive ar(&file, CArchive::store);
            saved.Serialize(ar);
            ar.Close();
        }
        file.Seek(0, CFile::begin);
        CArchive ar(&file, CArchive::load);
        SECDockState loaded;
        if (!loaded.LoadState(ar) || !loaded.SetFrameState(bench.frame))
            state.SkipWithError("the layout did not come back");
    }
}
BENCHMARK(BM_DockStateArchiveRoundTrip48Bars)->Unit(benchmark::kMicrosecond);

}  // namespace
