// Whole assemblies: logical lines per second and peak memory, with Debian's
// 64tass on the same instructions side by side in the same run.
//
// In-process runs time the three passes and both writers; process runs time
// a program end to end (start, read, assemble, write) and read its peak
// resident size as it exits.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "assembler/context.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"
#include "assembler/tests/program_generator.h"
#include "source_generator.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;

struct Workspace {
    fs::path folder;
    dravlin_bench::GeneratedSources sources;

    Workspace() {
        folder = fs::temp_directory_path() / ("dravlin_bench_" + std::to_string(getpid()));
        fs::create_directories(folder);
        sources = dravlin_bench::generate_sources(folder);
        write("macro.asm", sources.macro_main);
        write("plain.asm", sources.plain_dravlin);
        write("plain.s", sources.plain_64tass);
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void write(const char* name, const std::string& text) const {
        FILE* file = std::fopen((folder / name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
};

const Workspace& workspace() {
    static const Workspace instance;
    return instance;
}

// A generated program of ordinary code as one source of `lines` lines, in
// modules of at most 25,000 lines (a bank each), written to the workspace
// as "large<lines>.asm" for the process runs.
const std::string& large_source(long lines) {
    static std::map<long, std::string> sources;
    std::string& text = sources[lines];
    if (text.empty()) {
        int modules = static_cast<int>(std::max(2L, (lines + 24999) / 25000));
        text = dravlin_test::generate_program(modules, static_cast<int>(lines / modules)).whole;
        workspace().write(("large" + std::to_string(lines) + ".asm").c_str(), text);
    }
    return text;
}

void assemble_in_process(benchmark::State& state, const std::string& text, long lines, bool code_lines = false) {
    const Workspace& work = workspace();
    for (auto _ : state) {
        dravlin::AsmContext context;
        context.settings.code_lines = code_lines;
        context.search.include_directories = {work.folder.string() + "/"};
        dravlin::SourceFile source;
        source.name = "bench.asm";
        source.text = text;
        context.sources.push_back(std::move(source));
        if (!dravlin::run_passes(context)) {
            state.SkipWithError(context.reporter.transcript().substr(0, 200).c_str());
            return;
        }
        benchmark::DoNotOptimize(dravlin::object_file_bytes(context));
        benchmark::DoNotOptimize(dravlin::symbol_file_bytes(context.rows));
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DravlinMacroSource(benchmark::State& state) {
    assemble_in_process(state, workspace().sources.macro_main, workspace().sources.macro_lines);
}
BENCHMARK(BM_DravlinMacroSource)->Unit(benchmark::kMillisecond);

void BM_DravlinPlainSource(benchmark::State& state) {
    assemble_in_process(state, workspace().sources.plain_dravlin, workspace().sources.plain_lines);
}
BENCHMARK(BM_DravlinPlainSource)->Unit(benchmark::kMillisecond);

// One source of 25,000 to 400,000 lines: the rate must hold as it grows.
// "-C" leaves out the line records, which the object holds at most 65535 of.
void BM_DravlinLargeSource(benchmark::State& state) {
    assemble_in_process(state, large_source(state.range(0)), state.range(0), true);
}
BENCHMARK(BM_DravlinLargeSource)
    ->Unit(benchmark::kMillisecond)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000);

fs::path dravlin_program() { return fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "Dravlin"; }

void run_process(benchmark::State& state, const std::vector<std::string>& args, long lines) {
    if (!fs::exists(args[0])) {
        state.SkipWithError(("missing " + args[0]).c_str());
        return;
    }
    long peak_kb = 0;
    for (auto _ : state) {
        dravlin_bench::TracedRun run = dravlin_bench::run_traced(args, workspace().folder);
        if (!run.succeeded) {
            state.SkipWithError(("failed: " + args[0]).c_str());
            return;
        }
        peak_kb = std::max(peak_kb, run.peak_kb);
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_KB"] = static_cast<double>(peak_kb);
}

void BM_ProcessDravlinMacroSource(benchmark::State& state) {
    run_process(state, {dravlin_program().string(), "macro.asm"}, workspace().sources.macro_lines);
}
BENCHMARK(BM_ProcessDravlinMacroSource)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessDravlinPlainSource(benchmark::State& state) {
    run_process(state, {dravlin_program().string(), "plain.asm"}, workspace().sources.plain_lines);
}
BENCHMARK(BM_ProcessDravlinPlainSource)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peak resident size of the program on the same sources.
void BM_ProcessDravlinLargeSource(benchmark::State& state) {
    std::string name = "large" + std::to_string(state.range(0)) + ".asm";
    large_source(state.range(0));
    run_process(state, {dravlin_program().string(), name, "-C"}, state.range(0));
}
BENCHMARK(BM_ProcessDravlinLargeSource)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000);

void BM_Process64tassPlainSource(benchmark::State& state) {
    run_process(state, {"/usr/bin/64tass", "-q", "--nostart", "-o", "plain.bin", "plain.s"},
                workspace().sources.plain_lines);
}
BENCHMARK(BM_Process64tassPlainSource)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// The side-by-side figures are taken in repetitions that alternate in a
// random order, so that a slow spell of the machine does not fall on one
// program alone; arguments given on the command line still win.
int main(int argc, char** argv) {
    // Every run of a source reuses the memory the run before it took: no
    // block is mapped apart or given back. Otherwise the larger sources alone
    // take fresh pages in every run (their blocks pass the allocator's
    // limits), and the figures compare page faults rather than assembling.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string repetitions = "--benchmark_repetitions=12";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {interleave.data(), repetitions.data(), aggregates.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
