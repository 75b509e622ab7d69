#pragma once
// A program run as a traced child in a folder, stopped at its exit to read
// its peak resident size while its memory still exists (the rusage of a
// spawned child would also count the parent's pages it held before exec).
#include <filesystem>
#include <string>
#include <vector>

namespace dravlin_bench {

struct TracedRun {
    bool succeeded = false;  // started and exited with 0
    long peak_kb = 0;
    double cpu_seconds = 0;  // the child's user and system time
    double wall_seconds = 0;
};

TracedRun run_traced(const std::vector<std::string>& args, const std::filesystem::path& folder);

}  // namespace dravlin_bench
