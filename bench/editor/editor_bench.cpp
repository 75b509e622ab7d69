// The editor engine's hot paths on a 100,000-line, 5 MB source: loading, saving, a
// regular-expression search over the whole text, colouring one screen deep in it,
// finding lines by number, undoing edits spread over the file, and the editor core's
// paging and typing, and the editor window: opening a file to its first paint, a
// full-window repaint, typing at line 99,000 with the repaint of what changed, and the
// caret, page and scroll keys with their repaints at 1024 x 768 and 1920 x 1080.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/line_colours.h"
#include "editor/sec_edit.h"
#include "editor/sec_edit_core.h"
#include "editor/window/sec_edit_view.h"
#include "platform/display/headless.h"

namespace {

constexpr int kLines = 100'000;
constexpr int kScreenLines = 60;

// A C-like source of about 5 MB with block and line comments and strings.
std::string MakeSource() {
    std::string text;
    text.reserve(5'300'000);
    for (int i = 0; i < kLines; ++i) {
        switch (i % 10) {
            case 0: text += "/* block comment number " + std::to_string(i) + " opens here and runs on"; break;
            case 1:
                text += "   the comment goes on with some more words here */ int value_" + std::to_string(i) + ";";
                break;
            case 2: text += "\tif (count > limit) { return \"/* not a comment */\"; } // trailing"; break;
            default: text += "\twhile (index < " + std::to_string(i) + ") { total += table[index++] * 3; }  "; break;
        }
        text += "\r\n";
    }
    text += "\tint needle12345\r\n";  // what the search looks for, at the very end
    return text;
}

struct Fixture {
    Fixture() {
        folder = std::filesystem::temp_directory_path() / ("editor-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        source = folder / "big.c";
        std::string text = MakeSource();
        std::ofstream(source, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
        std::ofstream(folder / "c.ini") << "[Keywords]\nwhile=K\nif=K\nreturn=K\nint=K\n[Colors]\nK=0,0,255\n";
        profile.WriteProfileString("C", "Keywords", (folder / "c.ini").string());
        profile.WriteProfileInt("C", "Chroma", 1);
        profile.WriteProfileString("C", "Comment Start 1", "/*");
        profile.WriteProfileString("C", "Comment End 1", "*/");
        profile.WriteProfileString("C", "Comment Start 2", "//");
    }
    ~Fixture() {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::filesystem::path folder;
    std::filesystem::path source;
    editor::MemoryProfile profile;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

std::unique_ptr<editor::SECEdit> LoadedBuffer() {
    auto edit = std::make_unique<editor::SECEdit>(Shared().profile);
    edit->SetSettingsSection("C");
    edit->LoadSettings();
    if (edit->ReadFile(Shared().source) != 0) std::abort();
    return edit;
}

void BM_LoadFile(benchmark::State& state) {
    editor::SECEdit edit(Shared().profile);
    for (auto _ : state) benchmark::DoNotOptimize(edit.ReadFile(Shared().source));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(Shared().source)));
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state) {
    auto edit = LoadedBuffer();
    std::filesystem::path target = Shared().folder / "saved.c";
    for (auto _ : state) benchmark::DoNotOptimize(edit->WriteFile(target));
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void RegexSearch(benchmark::State& state, uint32_t case_flag) {
    auto edit = LoadedBuffer();
    editor::SearchRequest request;
    request.flags = editor::SearchRequest::kForward | editor::SearchRequest::kRegularExpression | case_flag;
    request.find_text = "needle[0-9]+$";
    editor::EditLine* last = edit->GetLastLine();
    for (auto _ : state) {
        editor::TextPosition at{edit->GetFirstLine(), 0};
        if (!edit->FindText(at, {last, last->length()}, request)) std::abort();
    }
}
void BM_RegexSearchWholeFile(benchmark::State& state) { RegexSearch(state, editor::SearchRequest::kMatchCase); }
void BM_RegexSearchWholeFileCaseBlind(benchmark::State& state) { RegexSearch(state, 0); }
BENCHMARK(BM_RegexSearchWholeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexSearchWholeFileCaseBlind)->Unit(benchmark::kMillisecond);

// What painting needs for each visible line: the comment state at its start, the
// comment starts and ends on it, and its keywords.
void ColourScreen(editor::SECEdit& edit, editor::EditLine* top) {
    editor::EditLine* line = top;
    for (int row = 0; row < kScreenLines && line; ++row, line = line->next) {
        int type = 0;
        benchmark::DoNotOptimize(edit.GetCommentStateAtLine(line, &type));
        std::string_view text = edit.TextOf(line);
        int start = edit.FindCommentStart(text, &type);
        if (start >= 0)
            benchmark::DoNotOptimize(edit.FindCommentEnd(text.substr(static_cast<size_t>(start) + 2), type));
        int from = 0, word_start = 0, word_end = 0;
        while (edit.FindNextKeyword(text, &from, &word_start, &word_end)) benchmark::ClobberMemory();
    }
}

void BM_ColourScreenAtLine99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    editor::EditLine* top = edit->GetLineByNumber(99'000);
    ColourScreen(*edit, top);  // the first screen fills the cache
    for (auto _ : state) ColourScreen(*edit, top);
}
BENCHMARK(BM_ColourScreenAtLine99000)->Unit(benchmark::kMillisecond);

// Typing on the screen invalidates the states from the edited line on.
void BM_ColourScreenAfterTypingAtLine99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    editor::EditLine* top = edit->GetLineByNumber(99'000);
    ColourScreen(*edit, top);
    for (auto _ : state) {
        edit->InsertChar({top->next, 1}, 'x', true, false);
        ColourScreen(*edit, top);
    }
}
BENCHMARK(BM_ColourScreenAfterTypingAtLine99000)->Unit(benchmark::kMillisecond);

// The first screen after loading: every state up to the screen is computed once.
void BM_CommentStateColdAtLine99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    editor::EditLine* line = edit->GetLineByNumber(99'000);
    for (auto _ : state) {
        edit->InsertChar({edit->GetFirstLine(), 0}, ' ', true, false);  // invalidates every state
        int type = 0;
        benchmark::DoNotOptimize(edit->GetCommentStateAtLine(line, &type));
    }
}
BENCHMARK(BM_CommentStateColdAtLine99000)->Unit(benchmark::kMillisecond);

// Finding a line by its number deep in the file: undo does this for every record.
void BM_LineByNumberAt99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    for (auto _ : state) benchmark::DoNotOptimize(edit->GetLineByNumber(99'000));
}
BENCHMARK(BM_LineByNumberAt99000)->Unit(benchmark::kNanosecond);

// And the other way: the number of a line deep in the file.
void BM_NumberOfLine99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    const editor::EditLine* line = edit->GetLineByNumber(99'000);
    for (auto _ : state) benchmark::DoNotOptimize(static_cast<int>(line->number));
}
BENCHMARK(BM_NumberOfLine99000)->Unit(benchmark::kNanosecond);

// Undoing 10,000 edits spread over the file: five rounds of 2,000 recorded edits (the
// history holds 2,048 records), each round undone to the start. Only the undos are timed.
void BM_Undo10000EditsSpreadOverTheFile(benchmark::State& state) {
    constexpr int kRounds = 5;
    constexpr int kEditsPerRound = 2'000;
    auto edit = LoadedBuffer();
    uint32_t random = 12345;
    auto pick = [&](int bound) {
        random = random * 1664525u + 1013904223u;
        return static_cast<int>((random >> 8) % static_cast<uint32_t>(bound));
    };
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            state.PauseTiming();
            for (int i = 0; i < kEditsPerRound; ++i) {
                editor::EditLine* line = edit->GetLineByNumber(1 + pick(edit->GetLineCount()));
                int index = pick(static_cast<int>(edit->TextOf(line).size()) + 1);
                switch (i % 4) {
                    case 0:
                    case 1: edit->InsertChar({line, index}, 'x', true, true); break;
                    case 2: edit->SplitLine({line, index}, true); break;
                    case 3: edit->InsertText({line, index}, "a\r\nb", true); break;
                }
            }
            state.ResumeTiming();
            while (edit->Undo()) {
            }
        }
    }
    if (edit->GetModified()) std::abort();  // every edit was undone
}
BENCHMARK(BM_Undo10000EditsSpreadOverTheFile)->Unit(benchmark::kMillisecond);

// The editor core over a window that draws nothing: what the core itself costs.
class QuietWindow : public editor::EditCoreWindow {
public:
    void InvalidateAll() override {}
    void InvalidateRows(int, int) override {}
    void ScrollRows(int) override {}
    void PlaceCaret(int, int) override {}
    void SetScrollRange(editor::ScrollBar, int, int, int) override {}
    void SetScrollPosition(editor::ScrollBar, int) override {}
    void ShowMessage(int, const std::string&) override {}
    bool GetClipboardText(std::string&) override { return false; }
    bool SetClipboardText(const std::string&) override { return true; }
    void NotifyOtherViews(editor::ViewHint) override {}
    void OpenDialog(int) override {}
    bool IsPrimaryButtonDown() override { return false; }
};

// A core showing the buffer in a window of 120 columns and 60 rows.
struct ShownBuffer {
    ShownBuffer() : edit(LoadedBuffer()), core(window) {
        core.Attach(edit.get());
        core.SetCellSize(8, 16);
        core.SetClientSize(16 + 120 * 8, kScreenLines * 16);
        core.InitView();
    }
    std::unique_ptr<editor::SECEdit> edit;
    QuietWindow window;
    editor::SECEditCore core;
};

void BM_PageDown100Times(benchmark::State& state) {
    ShownBuffer shown;
    for (auto _ : state) {
        shown.core.OnCommand(editor::kCmdTopOfFile);
        for (int page = 0; page < 100; ++page) shown.core.OnCommand(editor::kCmdPageDown);
    }
    if (shown.core.caret().line != 1 + 100 * kScreenLines) std::abort();
}
BENCHMARK(BM_PageDown100Times)->Unit(benchmark::kMillisecond);

// Typing a character at line 99,000 and colouring the row it changed, as a repaint of
// that row would; every fifth character is a quote, which recolours the window.
void BM_TypeAtLine99000AndColourWhatChanged(benchmark::State& state) {
    ShownBuffer shown;
    shown.core.GoToLine(99'000);
    int typed = 0;
    for (auto _ : state) {
        char c = ++typed % 5 == 0 ? '"' : 'x';
        shown.core.ProcessChar(static_cast<unsigned char>(c));
        int rows = c == '"' ? kScreenLines : 1;
        editor::EditLine* line = c == '"' ? shown.edit->GetLineByNumber(shown.core.top_line())
                                          : shown.edit->GetLineByNumber(shown.core.caret().line);
        for (int row = 0; row < rows && line; ++row, line = line->next)
            benchmark::DoNotOptimize(editor::ColourLine(*shown.edit, line));
        if (typed % 64 == 0) shown.core.OnCommand(editor::kCmdHome);  // keep the line short
    }
}
BENCHMARK(BM_TypeAtLine99000AndColourWhatChanged)->Unit(benchmark::kMicrosecond);

// The colour runs of a whole window of 60 rows deep in the file.
void BM_ColourRunsOfAWindowAtLine99000(benchmark::State& state) {
    auto edit = LoadedBuffer();
    editor::EditLine* top = edit->GetLineByNumber(99'000);
    for (auto _ : state) {
        editor::EditLine* line = top;
        for (int row = 0; row < kScreenLines && line; ++row, line = line->next)
            benchmark::DoNotOptimize(editor::ColourLine(*edit, line));
    }
}
BENCHMARK(BM_ColourRunsOfAWindowAtLine99000)->Unit(benchmark::kMicrosecond);

// ---- the editor window ---------------------------------------------------------

// A headless display and a full-screen parent for editor views.
struct Screen {
    kit::display::Headless display;
    CWnd parent;
    int width, height;
    explicit Screen(int w = 1280, int h = 960) : width(w), height(h) {
        parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
    }
    ~Screen() { parent.DestroyWindow(); }
    editor::SECEditView* Show(editor::SECEdit& edit) {
        auto* view = new editor::SECEditView;  // deletes itself with its window
        view->Attach(&edit);
        view->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, CRect(0, 0, width, height), &parent,
                     1);
        view->OnInitialUpdate();
        view->UpdateWindow();
        return view;
    }
};

// Reading the file, making the view and painting its first screen.
void BM_OpenToFirstPaint(benchmark::State& state) {
    Shared();  // the file is written before the clock runs
    Screen screen;
    for (auto _ : state) {
        std::unique_ptr<editor::SECEdit> edit = LoadedBuffer();
        editor::SECEditView* view = screen.Show(*edit);
        view->DestroyWindow();
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_FullWindowRepaint(benchmark::State& state) {
    Screen screen;
    std::unique_ptr<editor::SECEdit> edit = LoadedBuffer();
    editor::SECEditView* view = screen.Show(*edit);
    view->GoToLine(99'000);
    view->UpdateWindow();
    for (auto _ : state) {
        view->Invalidate(FALSE);
        view->UpdateWindow();
    }
    view->DestroyWindow();
}
BENCHMARK(BM_FullWindowRepaint)->Unit(benchmark::kMillisecond);

// A character typed at line 99,000 and the row it changed repainted.
void BM_TypeAndRepaintAtLine99000(benchmark::State& state) {
    Screen screen;
    std::unique_ptr<editor::SECEdit> edit = LoadedBuffer();
    editor::SECEditView* view = screen.Show(*edit);
    view->GoToLineColumn(99'005, 4);
    view->UpdateWindow();
    for (auto _ : state) {
        view->SendMessage(WM_CHAR, 'x');
        view->UpdateWindow();
    }
    view->DestroyWindow();
}
BENCHMARK(BM_TypeAndRepaintAtLine99000)->Unit(benchmark::kMicrosecond);

// ---- keys and their repaints on a screen of state.range(0) x state.range(1) ----------

// A focused view of the big file on a whole screen, keys pressed as the message loop
// would deliver them and the window repainted after each, as it is before the next key.
struct KeyedView {
    explicit KeyedView(benchmark::State& state)
        : screen(int(state.range(0)), int(state.range(1))), edit(LoadedBuffer()), view(screen.Show(*edit)) {
        view->SetFocus();
        view->UpdateWindow();
    }
    ~KeyedView() { view->DestroyWindow(); }
    void Press(UINT key) {
        view->SendMessage(WM_KEYDOWN, key);
        view->UpdateWindow();
    }
    // Puts the caret on `line`, shown on the `row`th row.
    void Place(int line, int row) {
        view->SetTopLine(std::max(1, line - row), true);
        view->GoToLine(line);
        view->UpdateWindow();
    }
    // The same inside the timed loop, outside the clock.
    void Replace(benchmark::State& state, int line, int row) {
        state.PauseTiming();
        Place(line, row);
        state.ResumeTiming();
    }
    Screen screen;
    std::unique_ptr<editor::SECEdit> edit;
    editor::SECEditView* view;
};

void ScreenSizes(benchmark::internal::Benchmark* bench) { bench->Args({1024, 768})->Args({1920, 1080}); }

// Page Down from the top of the file to near its end, over and over.
void BM_PageDownAndRepaint(benchmark::State& state) {
    KeyedView keyed(state);
    for (auto _ : state) {
        if (keyed.view->caret().line > kLines - 2'000) keyed.Replace(state, 1, 0);
        keyed.Press(VK_NEXT);
    }
}
BENCHMARK(BM_PageDownAndRepaint)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

void BM_PageUpAndRepaint(benchmark::State& state) {
    KeyedView keyed(state);
    for (auto _ : state) {
        if (keyed.view->caret().line < 2'000) keyed.Replace(state, kLines - 1, 0);
        keyed.Press(VK_PRIOR);
    }
}
BENCHMARK(BM_PageUpAndRepaint)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// Down on the last row: the view scrolls by one row.
void BM_DownScrollingAndRepaint(benchmark::State& state) {
    KeyedView keyed(state);
    keyed.Place(50'000, keyed.view->rows() - 1);
    for (auto _ : state) {
        if (keyed.view->caret().line >= kLines) keyed.Replace(state, 50'000, keyed.view->rows() - 1);
        keyed.Press(VK_DOWN);
    }
}
BENCHMARK(BM_DownScrollingAndRepaint)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// Up on the top row: the view scrolls by one row the other way.
void BM_UpScrollingAndRepaint(benchmark::State& state) {
    KeyedView keyed(state);
    keyed.Place(99'000, 0);
    for (auto _ : state) {
        if (keyed.view->caret().line <= 1) keyed.Replace(state, 99'000, 0);
        keyed.Press(VK_UP);
    }
}
BENCHMARK(BM_UpScrollingAndRepaint)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// The scroll bar's arrow: the view moves one row, the caret stays on its line.
void BM_ScrollOneRowAndRepaint(benchmark::State& state) {
    KeyedView keyed(state);
    keyed.Place(50'000, 0);
    for (auto _ : state) {
        if (keyed.view->top_line() >= kLines - 1'000) keyed.Replace(state, 50'000, 0);
        keyed.view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
        keyed.view->UpdateWindow();
    }
}
BENCHMARK(BM_ScrollOneRowAndRepaint)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// Right and Left inside a row, and Down and Up inside the window: no scrolling.
void BM_CaretKeysInsideTheWindow(benchmark::State& state) {
    KeyedView keyed(state);
    keyed.Place(50'000, 10);
    const UINT keys[4] = {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP};
    int pressed = 0;
    for (auto _ : state) keyed.Press(keys[pressed++ % 4]);
}
BENCHMARK(BM_CaretKeysInsideTheWindow)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

}  // namespace
