// The tab windows: switching the active tab among 50 (pane shown and hidden,
// scroll bars handed over, strip scrolled to the tab), a full repaint, and a
// full repaint of a 3-D tab window of 50 tabs.
#include <benchmark/benchmark.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/display/headless.h"
#include "uikit/controls/tab_3d_wnd.h"
#include "uikit/controls/tab_wnd.h"

namespace {

constexpr int kTabs = 50;

struct TabStage {
    kit::display::Headless display;
    CWnd parent;
    std::vector<std::unique_ptr<CWnd>> panes;
    template <class Window>
    void fill(Window& wnd) {
        parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
        wnd.Create(&parent, WS_CHILD | WS_VISIBLE | 0x12, 0xE900);
        wnd.MoveWindow(0, 0, 640, 300);
        const char* cls = AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(WHITE_BRUSH)));
        for (int i = 0; i < kTabs; ++i) {
            auto pane = std::make_unique<CWnd>();
            pane->CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, wnd.m_hWnd, nullptr);
            wnd.AddTab(pane.get(), AfxFormat("Output %d", i));
            if constexpr (std::is_same_v<Window, SECTabWnd>)
                wnd.SetScrollStyle(i, i % 2 ? WS_HSCROLL | WS_VSCROLL : WS_VSCROLL);
            panes.push_back(std::move(pane));
        }
    }
    ~TabStage() {
        if (parent.m_hWnd) parent.DestroyWindow();
    }
};

void BM_TabSwitch50(benchmark::State& state) {
    TabStage stage;
    SECTabWnd wnd;
    stage.fill(wnd);
    int next = 0;
    for (auto _ : state) {
        next = (next + 17) % kTabs;
        wnd.ActivateTab(next);
        wnd.UpdateWindow();
    }
}
BENCHMARK(BM_TabSwitch50)->Unit(benchmark::kMicrosecond);

void BM_TabWndRepaint(benchmark::State& state) {
    TabStage stage;
    SECTabWnd wnd;
    stage.fill(wnd);
    wnd.ActivateTab(25);
    for (auto _ : state) {
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}
BENCHMARK(BM_TabWndRepaint)->Unit(benchmark::kMicrosecond);

// The workspace bar's kind: a strip below the pane with fitted labels.
void BM_Tab3DWndRepaint(benchmark::State& state) {
    TabStage stage;
    SEC3DTabWnd wnd;
    stage.fill(wnd);
    wnd.ActivateTab(25);
    for (auto _ : state) {
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}
BENCHMARK(BM_Tab3DWndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
