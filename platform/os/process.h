#pragma once
// Child processes started with an argument vector (posix_spawn), their
// standard streams inherited, redirected to files or discarded, and the
// Windows command-line splitter for the command lines the programs build.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "platform/os/result.h"

namespace os {

// Splits a command line by the documented Windows rules: blanks (space, tab)
// separate arguments outside quotes; `"` toggles quoting; 2n backslashes then
// `"` give n backslashes and toggle; 2n+1 backslashes then `"` give n
// backslashes and a literal `"`; other backslashes are literal; `""` inside
// a quoted argument is a literal `"`; `""` on its own is an empty argument.
std::vector<std::string> split_command_line(std::string_view command_line);

// Where a standard stream of the child goes.
struct Stream {
    enum class Kind { inherit, null, file };
    Kind kind = Kind::inherit;
    std::filesystem::path file;  // Kind::file: read for stdin, created/truncated otherwise
    bool append = false;         // Kind::file for stdout/stderr: append instead of truncate

    static Stream inherited() { return {}; }
    static Stream discarded() { return {Kind::null, {}, false}; }
    static Stream to_file(std::filesystem::path path, bool append = false) {
        return {Kind::file, std::move(path), append};
    }
};

struct SpawnOptions {
    // argv[0] names the program: a path (looked up as given, then resolved
    // case-insensitively) or a bare name searched in PATH.
    std::vector<std::string> argv;
    std::filesystem::path working_directory;  // empty: the caller's
    Stream in, out, err;
};

struct ExitStatus {
    bool exited = false;  // ended by exit(); false when ended by a signal
    int code = 0;         // exit code (0-255) when exited
    int signal = 0;       // the signal that ended it otherwise
    bool succeeded() const { return exited && code == 0; }
};

class Process {
public:
    static Result<Process> spawn(const SpawnOptions& options);

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // A child still running is left running (as a closed process handle does);
    // it is reaped when it ends.
    ~Process();

    pid_t pid() const { return pid_; }

    // Waits for the end; std::nullopt when the timeout passes first.
    std::optional<ExitStatus> wait_for(std::chrono::milliseconds timeout);
    ExitStatus wait();
    // Non-blocking look: the status once ended.
    std::optional<ExitStatus> poll() { return wait_for(std::chrono::milliseconds(0)); }
    // Sends SIGKILL; the child then ends as failed.
    Status kill();

private:
    explicit Process(pid_t pid, int pidfd) : pid_(pid), pidfd_(pidfd) {}
    void release();

    pid_t pid_ = -1;
    int pidfd_ = -1;
    std::optional<ExitStatus> status_;
};

}  // namespace os
