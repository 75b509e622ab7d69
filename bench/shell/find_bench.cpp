// Find in Files over a generated tree of 20,000 sources, side by side with
// `grep -rn` (and `grep -rni`) run as a child on the same tree; both write
// every result line. The tree is made once, in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "ide/shell/find/find_in_files.h"
#include "platform/os/process.h"
#include "testing/temp_dir.h"

namespace {

constexpr int kFolders = 40;
constexpr int kSubfolders = 5;
constexpr int kFilesPerFolder = 100;  // 40 x 5 x 100 = 20,000 files

// About 2.5 KB of assembler per file; one file in seven mentions the string twice.
std::string SourceText(int number) {
    std::string text = "; generated source " + std::to_string(number) + "\n";
    for (int line = 0; line < 60; ++line) {
        text += "label" + std::to_string(line) + ":  lda #" + std::to_string((number + line) % 256) +
                "\n        sta $" + std::to_string(4000 + line) + "\n";
        if (number % 7 == 0 && (line == 10 || line == 40)) text += "        jsr PlotSprite   ; draws\n";
    }
    return text;
}

const testing_kit::TempDir& Tree() {
    static const testing_kit::TempDir tree;
    static const bool made = [] {
        int number = 0;
        for (int folder = 0; folder < kFolders; ++folder)
            for (int sub = 0; sub < kSubfolders; ++sub)
                for (int file = 0; file < kFilesPerFolder; ++file, ++number)
                    tree.write("d" + std::to_string(folder) + "/s" + std::to_string(sub) + "/f" + std::to_string(file) +
                                   ".asm",
                               SourceText(number));
        return true;
    }();
    (void)made;
    return tree;
}

void FindInTree(benchmark::State& state, bool match_case) {
    const ide::FindRequest request{{"PlotSprite", match_case, false}, "*.*", Tree().path().string(), true};
    std::string listing;
    std::int64_t hits = 0;
    for (auto _ : state) {
        listing.clear();
        hits = ide::FindInFiles(request, [&](std::string_view line) { listing.append(line).push_back('\n'); }).hits;
        benchmark::DoNotOptimize(listing.data());
    }
    state.counters["hits"] = double(hits);
}

void GrepTree(benchmark::State& state, const char* options) {
    const testing_kit::TempDir out;
    const os::SpawnOptions spawn{{"env", "LC_ALL=C", "grep", options, "PlotSprite", Tree().path().string()},
                                 {},
                                 os::Stream::inherited(),
                                 os::Stream::to_file(out / "grep.txt"),
                                 os::Stream::discarded()};
    for (auto _ : state) {
        auto child = os::Process::spawn(spawn);
        if (!child.ok() || !child.value().wait().succeeded()) {
            state.SkipWithError("grep did not run");
            break;
        }
    }
}

void BM_FindInFilesMatchCase(benchmark::State& state) { FindInTree(state, true); }
void BM_GrepRn(benchmark::State& state) { GrepTree(state, "-rn"); }
void BM_FindInFilesAnyCase(benchmark::State& state) { FindInTree(state, false); }
void BM_GrepRni(benchmark::State& state) { GrepTree(state, "-rni"); }

BENCHMARK(BM_FindInFilesMatchCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepRn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindInFilesAnyCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GrepRni)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
