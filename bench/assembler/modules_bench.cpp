// Dravlin against Debian's 64tass on a program of eight generated modules
// (module_generator.h), each assembled by its own process, as a build does:
// side by side in one run, each iteration running the eight Dravlin
// processes and then the eight 64tass processes. The counters give the
// medians of each program's time for the whole program, wall and CPU (user
// and system of the children), the ratios (Dravlin's over 64tass's: below 1
// is faster) and both peak resident sizes. Before timing, every module's code
// bytes from Dravlin's object (fix-ups applied at the section's base) must
// equal 64tass's output; that first run also reads the peaks.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/obj_file.h"
#include "module_generator.h"
#include "platform/os/file.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int kModules = 8;
constexpr int kModuleLines = 25000;
const char kTass[] = "/usr/bin/64tass";

struct Program {
    std::vector<std::vector<std::string>> runs;  // one command line per module
};

struct ModulesWorkspace {
    fs::path folder;
    Program dravlin, tass;

    ModulesWorkspace() {
        folder = fs::temp_directory_path() / ("dravlin_modules_" + std::to_string(getpid()));
        fs::create_directories(folder);
        const std::string program = (fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "Dravlin");
        for (int m = 0; m < kModules; ++m) {
            const std::string name = "mod" + std::to_string(m);
            dravlin_bench::GeneratedModule module = dravlin_bench::generate_module(m, kModuleLines);
            write(name + ".asm", module.dravlin);
            write(name + ".s", module.tass);
            dravlin.runs.push_back({program, name + ".asm"});
            tass.runs.push_back({kTass, "-q", "--nostart", "-o", name + ".bin", name + ".s"});
        }
    }
    ~ModulesWorkspace() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void write(const std::string& name, const std::string& text) const {
        FILE* file = std::fopen((folder / name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
};

std::optional<std::vector<std::uint8_t>> read_bytes(const fs::path& path) {
    auto bytes = os::read_file(path.string(), 64u << 20);
    if (!bytes) return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

// The code of every segment in file order, each fix-up patched with its
// symbol's place: the section's base plus the symbol's value (the modules
// keep one segment per section) plus the addend.
std::optional<std::vector<std::uint8_t>> linked_code(const std::vector<std::uint8_t>& file) {
    using namespace formats;
    ByteReader in(file.data(), file.size());
    auto header = in.record<ObjFileHeader>(0);
    if (!header) return std::nullopt;
    std::vector<std::uint8_t> out;
    for (std::uint32_t s = 0; s < header->section_count; ++s) {
        auto section = in.table_entry<ObjSectionRecord>(header->sections_offset, header->section_count, s);
        if (!section || section->segment_count != 1) return std::nullopt;
        auto segment = in.record<ObjSegmentRecord>(section->first_segment_offset);
        if (!segment || !in.contains(segment->code_offset, segment->code_length)) return std::nullopt;
        std::vector<std::uint8_t> code(file.begin() + segment->code_offset,
                                       file.begin() + segment->code_offset + segment->code_length);
        for (std::uint32_t f = 0; f < segment->fixup_count; ++f) {
            auto fixup = in.table_entry<ObjFixupRecord>(segment->first_fixup_offset, segment->fixup_count, f);
            if (!fixup) return std::nullopt;
            auto symbol =
                in.table_entry<ObjSymbolRecord>(header->symbols_offset, header->symbol_count, fixup->symbol_row);
            if (!symbol || fixup->place + 2u > code.size()) return std::nullopt;
            auto value = static_cast<std::uint16_t>(section->base_address + symbol->value + fixup->addend);
            switch (static_cast<FixupType>(fixup->type)) {
                case FixupType::Address:
                case FixupType::HereAddress:
                    code[fixup->place] = static_cast<std::uint8_t>(value);
                    code[fixup->place + 1u] = static_cast<std::uint8_t>(value >> 8);
                    break;
                case FixupType::HighByte:
                case FixupType::HereHighByte: code[fixup->place] = static_cast<std::uint8_t>(value >> 8); break;
                case FixupType::LowByte:
                case FixupType::HereLowByte: code[fixup->place] = static_cast<std::uint8_t>(value); break;
                default: return std::nullopt;
            }
        }
        out.insert(out.end(), code.begin(), code.end());
    }
    return out;
}

struct Peaks {
    long dravlin_kb = 0, tass_kb = 0;
};

// Both programs once, traced for their peak sizes; an empty text when every
// module gave the same code bytes.
std::string compare_code(const ModulesWorkspace& work, Peaks& peaks) {
    for (int m = 0; m < kModules; ++m) {
        dravlin_bench::TracedRun dravlin = dravlin_bench::run_traced(work.dravlin.runs[m], work.folder);
        dravlin_bench::TracedRun tass = dravlin_bench::run_traced(work.tass.runs[m], work.folder);
        if (!dravlin.succeeded) return "Dravlin failed";
        if (!tass.succeeded) return "64tass failed";
        peaks.dravlin_kb = std::max(peaks.dravlin_kb, dravlin.peak_kb);
        peaks.tass_kb = std::max(peaks.tass_kb, tass.peak_kb);
        const std::string name = "mod" + std::to_string(m);
        auto object = read_bytes(work.folder / (name + ".obj"));
        auto binary = read_bytes(work.folder / (name + ".bin"));
        std::optional<std::vector<std::uint8_t>> code = object ? linked_code(*object) : std::nullopt;
        if (!code || !binary || *code != *binary) return "the code bytes of " + name + " differ";
    }
    return {};
}

struct ProgramTotals {
    std::vector<double> wall, cpu;

    bool run(const Program& program, const fs::path& folder) {
        double wall_sum = 0, cpu_sum = 0;
        for (const std::vector<std::string>& args : program.runs) {
            dravlin_bench::TracedRun run = dravlin_bench::run_traced(args, folder, dravlin_bench::Peak::Skip);
            if (!run.succeeded) return false;
            wall_sum += run.wall_seconds;
            cpu_sum += run.cpu_seconds;
        }
        wall.push_back(wall_sum);
        cpu.push_back(cpu_sum);
        return true;
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_ModulesAgainst64tass(benchmark::State& state) {
    if (!fs::exists(kTass)) {
        state.SkipWithError("64tass is not installed");
        return;
    }
    ModulesWorkspace work;
    Peaks peaks;
    if (std::string difference = compare_code(work, peaks); !difference.empty()) {
        state.SkipWithError(difference.c_str());
        return;
    }
    ProgramTotals dravlin, tass;
    for (auto _ : state) {
        if (!dravlin.run(work.dravlin, work.folder) || !tass.run(work.tass, work.folder)) {
            state.SkipWithError("a program failed");
            return;
        }
    }
    state.counters["dravlin_ms"] = median(dravlin.wall) * 1e3;
    state.counters["64tass_ms"] = median(tass.wall) * 1e3;
    state.counters["time_ratio"] = median(dravlin.wall) / median(tass.wall);
    state.counters["dravlin_cpu_ms"] = median(dravlin.cpu) * 1e3;
    state.counters["64tass_cpu_ms"] = median(tass.cpu) * 1e3;
    state.counters["cpu_ratio"] = median(dravlin.cpu) / median(tass.cpu);
    state.counters["dravlin_peak_KB"] = static_cast<double>(peaks.dravlin_kb);
    state.counters["64tass_peak_KB"] = static_cast<double>(peaks.tass_kb);
}
BENCHMARK(BM_ModulesAgainst64tass)->Iterations(15)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
