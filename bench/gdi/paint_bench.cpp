// Painting a full 1920x1080 window: background, panels and a screenful of
// text, as an editor or output pane repaints; and composing it by BitBlt.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Window {
    std::shared_ptr<gdi::Surface> surface = std::make_shared<gdi::Surface>(kWidth, kHeight);
    HDC dc = gdi::create_surface_dc(surface, POINT{0, 0});
    ~Window() { DeleteDC(dc); }
};

void paint(HDC dc, HFONT font, const std::string& line) {
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Panels and bars: a grid of filled rectangles with bevelled borders.
    const HBRUSH face = CreateSolidBrush(RGB(192, 192, 192));
    for (int y = 0; y < kHeight; y += 120)
        for (int x = 0; x < kWidth; x += 240) {
            RECT r{x + 4, y + 4, x + 236, y + 28};
            FillRect(dc, &r, face);
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        }
    DeleteObject(face);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SetBkColor(dc, RGB(255, 255, 240));
    for (int y = 0; y < kHeight; y += tm.tmHeight) TextOut(dc, 0, y, line.data(), static_cast<int>(line.size()));
    SelectObject(dc, old);
}

void run_paint(benchmark::State& state, const char* face) {
    Window window;
    const HFONT font = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, face);
    std::string line;
    while (line.size() < 300) line += "    LDA #$20 ; clear the \xD6\xD0\xCE\xC4 line counter  ";
    paint(window.dc, font, line);  // fills the glyph cache
    for (auto _ : state) {
        paint(window.dc, font, line);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    DeleteObject(font);
}

void BM_PaintWindowTestFont(benchmark::State& state) { run_paint(state, gdi::kTestFontFace); }
void BM_PaintWindowCourierNew(benchmark::State& state) { run_paint(state, "Courier New"); }
void BM_PaintWindowArial(benchmark::State& state) { run_paint(state, "Arial"); }

void BM_ComposeWindowByBitBlt(benchmark::State& state) {
    Window back, front;
    for (auto _ : state) {
        BitBlt(front.dc, 0, 0, kWidth, kHeight, back.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

}  // namespace

BENCHMARK(BM_PaintWindowTestFont)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowCourierNew)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowArial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeWindowByBitBlt)->Unit(benchmark::kMillisecond);
