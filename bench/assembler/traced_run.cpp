#include "traced_run.h"

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <fstream>

namespace dravlin_bench {

namespace {

long peak_resident_kb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

TracedRun run_traced(const std::vector<std::string>& args, const std::filesystem::path& folder, Peak peak) {
    TracedRun run;
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        if (peak == Peak::Read) ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        int null_out = open("/dev/null", O_WRONLY);
        dup2(null_out, 1);
        dup2(null_out, 2);
        if (chdir(folder.c_str()) != 0) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (peak == Peak::Read) {
        wait4(pid, &status, 0, &usage);  // stopped at exec
        ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACEEXIT));
        ptrace(PTRACE_CONT, pid, nullptr, nullptr);
    }
    while (wait4(pid, &status, 0, &usage) == pid && !WIFEXITED(status) && !WIFSIGNALED(status)) {
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)))
            run.peak_kb = std::max(run.peak_kb, peak_resident_kb(pid));
        int signal = WIFSTOPPED(status) && WSTOPSIG(status) != SIGTRAP ? WSTOPSIG(status) : 0;
        ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<intptr_t>(signal)));
    }
    run.wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

}  // namespace dravlin_bench
