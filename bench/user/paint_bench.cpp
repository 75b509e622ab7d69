// Painting a full 1920x1080 window of text and fills through WM_PAINT.
#include <string>

#include <benchmark/benchmark.h>

#include "platform/display/headless.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"

namespace {

LRESULT text_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int line = std::max<int>(tm.tmHeight, 1);
    static const std::string text = "0123  LDA #$20 ; the quick brown fox jumps over the lazy dog  STA $C000,X";
    for (int y = 0, row = 0; y < client.bottom; y += line, ++row) {
        RECT band{0, y, client.right, y + line};
        FillRect(dc, &band, GetSysColorBrush(row % 2 ? COLOR_WINDOW : COLOR_3DLIGHT));
        for (int x = 0; x < client.right; x += 600) TextOut(dc, x, y, text.c_str(), int(text.size()));
    }
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    return 0;
}

void BM_PaintFullHdWindowOfTextAndFills(benchmark::State& state) {
    kit::display::Headless display;
    WNDCLASS wc{};
    wc.lpfnWndProc = text_proc;
    wc.lpszClassName = "BenchText";
    RegisterClass(&wc);
    HWND hwnd =
        CreateWindowEx(0, "BenchText", "", WS_POPUP | WS_VISIBLE, 0, 0, 1920, 1080, nullptr, nullptr, nullptr, nullptr);
    for (auto _ : state) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    DestroyWindow(hwnd);
}
BENCHMARK(BM_PaintFullHdWindowOfTextAndFills)->Unit(benchmark::kMillisecond);

}  // namespace
