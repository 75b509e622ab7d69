// The whole link of a program that fills the 27 banks, and the resolution
// stage alone on programs past the image's limits (its time should grow
// linearly with the number of references).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "bench/linker/program_generator.h"
#include "linker/link_context.h"
#include "linker/link_input.h"
#include "linker/link_report.h"
#include "linker/mossrel.h"
#include "linker/resolve.h"

namespace {

namespace fs = std::filesystem;
using linker_bench::generate_program;
using linker_bench::ProgramShape;

const linker::Console kQuiet{[](std::string_view) {}, [](std::string_view) {}};

// A private folder that is the working directory while it lives.
class BenchFolder {
public:
    BenchFolder() {
        char pattern[] = "/tmp/linker-bench-XXXXXX";
        path_ = ::mkdtemp(pattern);
        old_ = fs::current_path();
        fs::current_path(path_);
    }
    ~BenchFolder() {
        fs::current_path(old_);
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    fs::path path_, old_;
};

void BM_LinkFullProgram(benchmark::State& state) {
    const auto program = generate_program(ProgramShape{});
    BenchFolder folder;
    std::vector<std::string> arguments = {"/OBJPATH", "", "/OBJS"};
    for (const auto& object : program.objects) {
        folder.write(object.name, object.bytes);
        arguments.push_back(object.name);
    }
    folder.write(program.library.name, program.library.bytes);
    arguments.insert(arguments.end(),
                     {"/LIBS", program.library.name, "/NAME", "Bench", "/OUT", "BENCH.LKE", "/AUTO", "-W2"});
    for (auto _ : state)
        if (linker::run_mossrel(arguments, kQuiet) != 0) state.SkipWithError("the generated program did not link");
    state.counters["objects"] = double(program.objects.size());
    state.counters["references"] = double(program.references);
}
BENCHMARK(BM_LinkFullProgram)->Unit(benchmark::kMillisecond);

// Resolution alone on a program past the image's limits (200 objects and 400
// procedures per bank), read and scanned once.
void resolve_program(benchmark::State& state, const ProgramShape& shape) {
    const auto program = generate_program(shape);
    BenchFolder folder;
    linker::ToolMessages messages(kQuiet);
    linker::LinkReporter reporter(messages);
    linker::LinkContext link;
    for (const auto& object : program.objects) {
        folder.write(object.name, object.bytes);
        link.settings.object_paths.push_back(object.name);
    }
    folder.write(program.library.name, program.library.bytes);
    link.settings.library_paths.push_back(program.library.name);
    linker::load_objects(link, reporter);
    linker::scan_objects(link, reporter);
    linker::load_libraries(link, reporter);
    for (auto _ : state) {
        link.reset.reset();
        link.farcall.reset();
        link.pulled.clear();
        link.every_bank.clear();
        linker::resolve_externals(link, reporter);
    }
    state.SetComplexityN(std::int64_t(program.references));
    state.counters["references"] = double(program.references);
}

// More references into the same symbol tables: the time should double with them.
void BM_ResolveMoreReferences(benchmark::State& state) {
    ProgramShape shape;
    shape.objects_per_bank = 200;
    shape.calls_per_procedure = int(state.range(0));
    resolve_program(state, shape);
}
BENCHMARK(BM_ResolveMoreReferences)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(80)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// More objects, hence larger tables: lookups stay constant-time, but each one
// misses the caches more often once the tables outgrow them.
void BM_ResolveMoreObjects(benchmark::State& state) {
    ProgramShape shape;
    shape.objects_per_bank = int(state.range(0));
    resolve_program(state, shape);
}
BENCHMARK(BM_ResolveMoreObjects)
    ->Arg(200)
    ->Arg(400)
    ->Arg(800)
    ->Arg(1600)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
