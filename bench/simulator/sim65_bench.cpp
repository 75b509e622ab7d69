// Instruction rate of `simrun --fast` and `simrun` against cc65's sim65 on
// the same compute loop (compute_loop/), side by side in one run: each
// program runs the whole loop as its own process, timed by its CPU time,
// best of the iterations.
// The counters give nanoseconds per instruction of each and the ratios
// `fast_vs_sim65` (sim65's time over the fast interpreter's: above 1 is
// faster) and `checked_vs_fast`.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "formats/file_sizes.h"
#include "platform/os/file.h"
#include "platform/os/process.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace {

namespace fs = std::filesystem;
using simcpu::testing::MachineFixture;

// The device image run in process by the checked interpreter, an instruction
// at a time, up to the jump to itself that ends it.
struct LoopRun {
    std::uint64_t instructions = 0;
    std::uint64_t cycles = 0;
    std::uint16_t endPc = 0;
    std::uint8_t checksum = 0;
};

std::string CountLoop(LoopRun& run) {
    auto image = os::read_file(COMPUTE_LOOP_ROM, formats::kLargestToolText);
    if (!image) return image.error().text;
    MachineFixture m;
    if (image->size() != m.rom.size()) return "the compute loop's ROM is not 32 KB";
    std::copy(image->begin(), image->end(), m.rom.begin());
    simcpu::InitMachine(m.core, simcpu::InitOption::kColdStart);
    constexpr std::uint64_t kLimit = 200'000'000;
    for (; run.instructions < kLimit; ++run.instructions) {
        std::uint16_t pc = m.regs().pc;
        if (m.Peek(pc) == 0x4C && m.Peek(pc + 1) == (pc & 0xFF) && m.Peek(pc + 2) == pc >> 8) break;
        if (m.StepOnce() != simcpu::StepOutcome::Ran || !m.exceptions.empty()) return "the compute loop failed";
        run.cycles += m.core.cycles;
    }
    if (run.instructions == kLimit) return "the compute loop does not end";
    run.endPc = m.regs().pc;
    run.checksum = m.regs().a;
    return {};
}

struct Timed {
    double seconds = std::numeric_limits<double>::infinity();
    int code = -1;
    std::string out;
};

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// One program as a process, timed by its own CPU time (user and system), so
// other load on the machine counts as little as it can.
Timed RunProgram(std::vector<std::string> argv, const fs::path& outFile) {
    os::SpawnOptions options;
    options.argv = std::move(argv);
    options.out = os::Stream::to_file(outFile);
    options.err = os::Stream::discarded();
    double before = ChildrenCpuSeconds();
    auto process = os::Process::spawn(options);
    if (!process) return {};
    os::ExitStatus status = process->wait();
    Timed timed{ChildrenCpuSeconds() - before, status.exited ? status.code : -1, {}};
    auto out = os::read_file(outFile.string(), formats::kLargestToolText);
    if (out) timed.out.assign(out->begin(), out->end());
    return timed;
}

// simrun's register line shows the loop's end and checksum.
bool SimrunReachedTheEnd(const Timed& timed, const LoopRun& run) {
    char pc[16], a[16];
    std::snprintf(pc, sizeof pc, "PC=%04X ", run.endPc);
    std::snprintf(a, sizeof a, " A=%02X ", run.checksum);
    return timed.code == 0 && timed.out.find(pc) != std::string::npos && timed.out.find(a) != std::string::npos;
}

void BM_ComputeLoopAgainstSim65(benchmark::State& state) {
    if (std::string_view(SIM65_PROGRAM).empty()) {
        state.SkipWithError("sim65 (cc65) is not installed");
        return;
    }
    LoopRun run;
    if (std::string error = CountLoop(run); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    fs::path out = fs::temp_directory_path() / ("simcpu_sim65_bench." + std::to_string(getpid()));
    // A few cycles past the end: simrun stops at the first instruction boundary there.
    std::string cycles = std::to_string(run.cycles + 16);
    std::vector<std::string> fast = {SIMRUN_PROGRAM, "--rom", COMPUTE_LOOP_ROM, "--cycles", cycles, "--regs", "--fast"};
    std::vector<std::string> checked(fast.begin(), fast.end() - 1);
    double sim65Best = std::numeric_limits<double>::infinity(), fastBest = sim65Best, checkedBest = sim65Best;
    std::string failure;
    for (auto _ : state) {
        Timed sim65 = RunProgram({SIM65_PROGRAM, COMPUTE_LOOP_SIM65}, out);
        Timed fastRun = RunProgram(fast, out);
        Timed checkedRun = RunProgram(checked, out);
        if (sim65.code != run.checksum) failure = "sim65 gave another checksum";
        if (!SimrunReachedTheEnd(fastRun, run)) failure = "simrun --fast did not end the loop with its checksum";
        if (!SimrunReachedTheEnd(checkedRun, run)) failure = "simrun did not end the loop with its checksum";
        sim65Best = std::min(sim65Best, sim65.seconds);
        fastBest = std::min(fastBest, fastRun.seconds);
        checkedBest = std::min(checkedBest, checkedRun.seconds);
    }
    std::error_code ignored;
    fs::remove(out, ignored);
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    auto nsPerInstruction = [&](double seconds) { return seconds * 1e9 / static_cast<double>(run.instructions); };
    state.counters["instructions_M"] = static_cast<double>(run.instructions) / 1e6;
    state.counters["sim65_ns"] = nsPerInstruction(sim65Best);
    state.counters["fast_ns"] = nsPerInstruction(fastBest);
    state.counters["checked_ns"] = nsPerInstruction(checkedBest);
    state.counters["fast_vs_sim65"] = sim65Best / fastBest;
    state.counters["checked_vs_fast"] = checkedBest / fastBest;
}
BENCHMARK(BM_ComputeLoopAgainstSim65)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
