#pragma once
// What a careless or hostile user hands a program in place of its files, and
// a run of the program as a child that must end within a deadline and a
// memory bound. Shared by every program's tests of its readers and writers.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_kit {

struct HostileFile {
    std::string label;  // for the test's trace
    std::filesystem::path path;
    std::string reason;  // the system's text for its refusal ("Not a regular file", ...)
};

// Inputs that are not a readable file of the program's format, made under
// `folder` with names starting with `stem`: /dev/zero, a FIFO, a folder, a
// link to each, and a (sparse) regular file of `oversize` bytes.
std::vector<HostileFile> hostile_inputs(const std::filesystem::path& folder, const std::string& stem,
                                        std::uint64_t oversize);

// Outputs a program must neither replace nor delete, made under `folder`: a
// FIFO, a device node (a copy of /dev/null's numbers where this user may make
// one, else a UNIX socket in its place), a folder and a read-only file.
std::vector<HostileFile> hostile_outputs(const std::filesystem::path& folder, const std::string& stem);

// Everything below `folder`, one line per entry: name, type, inode, size,
// mode and time of change. Equal before and after a run when nothing was
// created, replaced or deleted there.
std::string folder_state(const std::filesystem::path& folder);

struct BoundedRun {
    bool finished = false;  // false: killed at the deadline
    bool exited = false;    // ended by exit(), not by a signal
    int code = -1;
    std::string out, err;
    std::uint64_t peak_kib = 0;  // largest resident size of any child so far
};

// Runs `argv` (argv[0] a program under the build's bin folder, by name) in
// `cwd` and kills it when it outlasts `deadline`.
BoundedRun run_bounded(std::vector<std::string> argv, const std::filesystem::path& cwd,
                       std::chrono::milliseconds deadline = std::chrono::seconds(20));

// Runs `call` in this process on a thread of its own and waits `deadline` for
// it; a call that outlasts it ends the test program with a message (a thread
// blocked in the kernel cannot be stopped). Returns how far the process's
// largest resident size grew meanwhile, in KiB.
std::uint64_t call_bounded(const std::function<void()>& call,
                           std::chrono::milliseconds deadline = std::chrono::seconds(20));

// What every refused case must keep to: ended in time by exit() with
// `code`, within a resident size far below an unbounded read's.
inline constexpr std::uint64_t kPeakKibBound = 512 * 1024;

}  // namespace testing_kit
