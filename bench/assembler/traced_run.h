#pragma once
// A program run as a child in a folder. To read its peak resident size the
// child is traced and stopped at its exit while its memory still exists (the
// rusage of a spawned child would also count the parent's pages it held
// before exec); the stops cost the child two waits for this process, so
// timed runs go untraced.
#include <filesystem>
#include <string>
#include <vector>

namespace dravlin_bench {

struct TracedRun {
    bool succeeded = false;  // started and exited with 0
    long peak_kb = 0;        // traced runs only
    double cpu_seconds = 0;  // the child's user and system time
    double wall_seconds = 0;
};

enum class Peak { Read, Skip };

TracedRun run_traced(const std::vector<std::string>& args, const std::filesystem::path& folder, Peak peak = Peak::Read);

}  // namespace dravlin_bench
