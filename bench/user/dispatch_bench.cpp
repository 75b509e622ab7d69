// Dispatching a million posted messages through GetMessage and DispatchMessage.
#include <benchmark/benchmark.h>

#include "platform/display/headless.h"
#include "platform/user/user.h"

namespace {

std::uint64_t handled = 0;

LRESULT counting_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        ++handled;
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void BM_DispatchMillionPostedMessages(benchmark::State& state) {
    kit::display::Headless display;
    WNDCLASS wc{};
    wc.lpfnWndProc = counting_proc;
    wc.lpszClassName = "BenchCounter";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "BenchCounter", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    constexpr int kMessages = 1'000'000;
    for (auto _ : state) {
        handled = 0;
        for (int i = 0; i < kMessages; ++i) PostMessage(hwnd, WM_USER, WPARAM(i), 0);
        PostQuitMessage(0);
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (handled != kMessages) state.SkipWithError("messages lost");
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_DispatchMillionPostedMessages)->Unit(benchmark::kMillisecond);

}  // namespace
