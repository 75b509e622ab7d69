// Hot paths of the platform layer: every file open resolves its path, the
// tools split command lines and list folders, the IDE saves its profile.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/dir.h"
#include "platform/os/file.h"
#include "platform/os/path.h"
#include "platform/os/process.h"
#include "platform/profile/store.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder with `count` files named "file0000.obj" ...
struct Folder {
    fs::path path;
    explicit Folder(int count) {
        path = fs::temp_directory_path() / ("os_bench_" + std::to_string(::getpid()));
        fs::create_directories(path);
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "file%04d.obj", i);
            std::ofstream(path / name) << "x";
        }
    }
    ~Folder() { fs::remove_all(path); }
};

void ResolveExactName(benchmark::State& state) {
    Folder folder(1000);
    const std::string spelled = (folder.path / "file0500.obj").string();
    for (auto _ : state) benchmark::DoNotOptimize(os::resolve_existing(spelled));
}
BENCHMARK(ResolveExactName);

void ResolveOtherCase(benchmark::State& state) {
    Folder folder(static_cast<int>(state.range(0)));
    const std::string spelled = (folder.path / "FILE0005.OBJ").string();
    for (auto _ : state) benchmark::DoNotOptimize(os::resolve_existing(spelled));
}
BENCHMARK(ResolveOtherCase)->Arg(10)->Arg(1000);

void FindFiles(benchmark::State& state) {
    Folder folder(1000);
    const std::string pattern = (folder.path / "*.OBJ").string();
    for (auto _ : state) benchmark::DoNotOptimize(os::find_files(pattern));
}
BENCHMARK(FindFiles);

void ReadFile(benchmark::State& state) {
    Folder folder(0);
    const std::string file = (folder.path / "big.bin").string();
    (void)os::write_file(file, std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    for (auto _ : state) benchmark::DoNotOptimize(os::read_file(file, static_cast<std::uint64_t>(state.range(0))));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadFile)->Arg(64 << 10)->Arg(4 << 20);

void SplitCommandLine(benchmark::State& state) {
    const std::string line =
        "Mossrel /OBJPATH \"C:\\My Projects\\game\\debug\\\\\" /OBJ main.obj util.obj \"sound fx.obj\" "
        "/LIBS \"C:\\kit\\lib\\std.lib\" /NAME \"Game\" /OUT GAME.LKE /AUTO -W2";
    for (auto _ : state) benchmark::DoNotOptimize(os::split_command_line(line));
}
BENCHMARK(SplitCommandLine);

void WildcardMatch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(os::wildcard_match("*MAIN*.?BJ", "project_mainline_v2.obj"));
}
BENCHMARK(WildcardMatch);

// Saving the toolbar and dock state writes a few hundred values at exit.
void ProfileFlushOf300Writes(benchmark::State& state) {
    Folder folder(0);
    profile::Store store(folder.path / "bench.profile");
    for (auto _ : state) {
        for (int bar = 0; bar < 30; ++bar)
            for (int key = 0; key < 10; ++key)
                store.WriteProfileInt("FrameState-Bar" + std::to_string(bar), "Key" + std::to_string(key), key);
        if (!store.Flush()) state.SkipWithError("flush failed");
    }
}
BENCHMARK(ProfileFlushOf300Writes)->Unit(benchmark::kMillisecond);

void ProfileSingleWrite(benchmark::State& state) {
    Folder folder(0);
    profile::Store store(folder.path / "bench.profile");
    int value = 0;
    for (auto _ : state) store.WriteProfileInt("Settings", "Counter", ++value);
}
BENCHMARK(ProfileSingleWrite)->Unit(benchmark::kMicrosecond);

}  // namespace
