// The IDE engine's hot paths: loading the shipped code table, opening a large
// project, and making the job list of a Build whose objects are all current
// (every object's source table is read and every source's time compared).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "formats/obj_file.h"
#include "ide/build/command_lines.h"
#include "ide/workspace/code_table.h"
#include "ide/workspace/memory_tree.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/module.h"
#include "platform/profile/store.h"

namespace {

constexpr int kBanks = 10;
constexpr int kSourcesPerBank = 100;

// A project of 1000 assembler sources in ten banks, each with a current object.
class LargeProject {
public:
    LargeProject() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ide-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern + "/";
        std::filesystem::create_directories(folder_ + "DEBUG");
        std::string project =
            "/*   Vyr project file 1.0   */\n#BEGINGENERALSETTING\n#ADDITIONALLIB = \n#ENDGENERALSETTING\n";
        for (int bank = 0; bank < kBanks; ++bank) {
            project += "\n#BEGINBANK\n#BANKNAME = B" + std::to_string(bank) +
                       "\n#BANKPARAM =  -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x" + std::to_string(bank) + "\n";
            for (int i = 0; i < kSourcesPerBank; ++i) {
                const std::string name = "s" + std::to_string(bank) + "_" + std::to_string(i);
                project += "#SOURCE = " + name + ".asm\n";
                Write(name + ".asm", "; source\n");
                Write("DEBUG/" + name + ".OBJ", ObjectListing(name + ".asm"));
            }
            project += "#ENDBANK\n";
        }
        project += "#DISPLAYNAME = BENCH";
        Write("GAME.PRJ", os::to_crlf(project));
    }
    ~LargeProject() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Path(std::string_view name) const { return folder_ + std::string(name); }

private:
    static std::string ObjectListing(const std::string& source) {
        formats::ObjFileHeader header{};
        header.source_files_offset = sizeof header;
        header.source_file_count = 1;
        header.string_pool_offset = sizeof header + sizeof(formats::ObjSourceFileRecord);
        const formats::ObjSourceFileRecord record{0, 0xFFFFFFFF};
        return std::string(reinterpret_cast<const char*>(&header), sizeof header) +
               std::string(reinterpret_cast<const char*>(&record), sizeof record) + source + '\0';
    }
    void Write(const std::string& name, std::string_view bytes) {
        if (!os::write_file(Path(name), bytes)) std::abort();
    }
    std::string folder_;
};

const LargeProject& Project() {
    static const LargeProject project;
    return project;
}

struct OpenProject {
    OpenProject() : store(Project().Path("bench.profile")), manager(tree, host, store) {
        if (!manager.OpenWorkspace(Project().Path("GAME.PRJ"))) std::abort();
    }
    ide::MemoryTree tree;
    ide::SilentWorkspaceHost host;
    profile::Store store;
    ide::CVyrWorkspaceManager manager;
};

void BM_LoadCodeTable(benchmark::State& state) {
    const std::string path = (os::module_directory().parent_path() / "bin" / "hc.tab").string();
    for (auto _ : state) {
        ide::CodeTable table;
        std::string log;
        if (table.Load(path, log) <= 0) state.SkipWithError("hc.tab not found beside the kit's programs");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_LoadCodeTable)->Unit(benchmark::kMillisecond);

void BM_OpenLargeProject(benchmark::State& state) {
    Project();  // written once, outside the timing
    for (auto _ : state) {
        OpenProject open;
        benchmark::DoNotOptimize(open.manager.GetBankRecords().size());
    }
    state.SetItemsProcessed(state.iterations() * kBanks * kSourcesPerBank);
}
BENCHMARK(BM_OpenLargeProject)->Unit(benchmark::kMillisecond);

void BM_BuildJobsAllCurrent(benchmark::State& state) {
    OpenProject open;
    const std::string tools = Project().Path("");
    open.store.WriteProfileString("Environment\\Directories", "Executable files", "/bin");
    for (const char* key : {"C PreCompile", "C Compile", "Asm Compile", "6502 linker", "6502 packer"}) {
        open.store.WriteProfileString("Execution", key, "sh");
    }
    ide::JobContext context{open.manager, open.store, tools, ide::CollectSourceFiles(open.manager)};
    (void)os::write_file(Project().Path("reset.obj"), "obj");
    (void)os::write_file(Project().Path("DEBUG/GAME.LKE"), "image");  // newer than every object
    for (auto _ : state) {
        auto jobs = ide::MakeBuildJobs(context, false);
        if (!jobs) state.SkipWithError(jobs.error().text.c_str());
        benchmark::DoNotOptimize(jobs);
    }
    state.SetItemsProcessed(state.iterations() * kBanks * kSourcesPerBank);
}
BENCHMARK(BM_BuildJobsAllCurrent)->Unit(benchmark::kMillisecond);

}  // namespace
