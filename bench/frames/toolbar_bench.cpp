// Toolbars: the idle command update of four toolbars of 60 buttons each
// through the frame's routing (target: under 0.2 ms), and the repaint of one
// such toolbar in the cool look (target: under 1 ms).
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "platform/res/resources.h"
#include "uikit/frames/mdi_frame.h"
#include "uikit/frames/toolbar_manager.h"

namespace {

constexpr UINT kFirst = 1000;
constexpr int kButtons = 60, kBars = 4;

// Every command has an update handler in the frame's message map, as the IDE's
// have: all enabled but every seventh, every fifth checked.
class BenchFrame : public SECMDIFrameWnd {
public:
    afx_msg void OnUpdateCommand(CCmdUI* cmd_ui) {
        cmd_ui->Enable(cmd_ui->m_nID % 7 != 0);
        if (cmd_ui->m_nID % 5 == 0) cmd_ui->SetCheck(1);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BenchFrame, SECMDIFrameWnd)
ON_UPDATE_COMMAND_UI_RANGE(kFirst, kFirst + kButtons - 1, OnUpdateCommand)
END_MESSAGE_MAP()

const kit::res::Module& bench_resources() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        kit::res::Toolbar toolbar;
        toolbar.id = 300;
        for (int i = 0; i < kButtons; ++i) toolbar.items.push_back(kFirst + UINT(i));
        m.toolbars.push_back(toolbar);
        kit::res::Picture strip;
        strip.id = 300;
        strip.width = 16 * kButtons;
        strip.height = 15;
        strip.pixels.assign(std::size_t(strip.width) * 15, 0xFFC0C0C0);
        for (std::size_t i = 0; i < strip.pixels.size(); i += 3) strip.pixels[i] = i % 2 ? 0xFF000000 : 0xFF808080;
        m.pictures.push_back(strip);
        return m;
    }();
    return module;
}

class Bench {
public:
    Bench() {
        gdi::set_test_font_everywhere(true);
        kit::res::register_module(&bench_resources());
        frame = new BenchFrame;
        frame->Create(nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1600, 600));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        manager = new SECToolBarManager(frame);
        manager->LoadToolBarResource(300);
        std::vector<UINT> ids;
        for (int i = 0; i < kButtons; ++i) ids.push_back(i % 10 == 9 ? 0 : kFirst + UINT(i));
        for (int b = 0; b < kBars; ++b)
            manager->DefineDefaultToolBar(0xE800 + UINT(b), "bar", UINT(ids.size()), ids.data());
        manager->EnableCoolLook(TRUE);
        manager->CreateDefaultToolBars();
        frame->RecalcLayout();
        ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        bars = manager->GetToolBars();
    }
    ~Bench() {
        frame->DestroyWindow();
        delete manager;
        kit::res::unregister_module(&bench_resources());
        gdi::set_test_font_everywhere(false);
    }
    kit::display::Headless display;
    BenchFrame* frame;
    SECToolBarManager* manager;
    std::vector<SECCustomToolBar*> bars;
};

void BM_IdleUpdateFourToolBarsOf60(benchmark::State& state) {
    Bench bench;
    for (auto _ : state)
        for (SECCustomToolBar* bar : bench.bars) bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}
BENCHMARK(BM_IdleUpdateFourToolBarsOf60)->Unit(benchmark::kMicrosecond);

void BM_RepaintToolBarOf60(benchmark::State& state) {
    Bench bench;
    SECCustomToolBar* bar = bench.bars.front();
    for (auto _ : state) ::RedrawWindow(bar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
BENCHMARK(BM_RepaintToolBarOf60)->Unit(benchmark::kMicrosecond);

}  // namespace
