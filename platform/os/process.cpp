#include "platform/os/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/os/path.h"

extern char** environ;

namespace fs = std::filesystem;

namespace os {

// ---- Command-line splitting -------------------------------------------------

std::vector<std::string> split_command_line(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const auto blank = [&](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
    for (;;) {
        while (i < line.size() && blank(i)) ++i;
        if (i == line.size()) break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !blank(i))) {
            if (line[i] == '\\') {
                std::size_t backslashes = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    arg.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                    // An even run leaves the quote to toggle below.
                } else {
                    arg.append(backslashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += line[i++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

// ---- Spawning ---------------------------------------------------------------

namespace {

// Owns the posix_spawn attribute objects for the length of one spawn.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// The path strings must outlive the spawn: file actions keep pointers to them.
int redirect(SpawnSetup& setup, const Stream& stream, int target_fd, std::string& path_storage) {
    switch (stream.kind) {
        case Stream::Kind::inherit: return 0;
        case Stream::Kind::null:
            return posix_spawn_file_actions_addopen(&setup.actions, target_fd, "/dev/null",
                                                    target_fd == 0 ? O_RDONLY : O_WRONLY, 0);
        case Stream::Kind::file:
            if (target_fd == 0)  // resolved and checked by the caller
                return posix_spawn_file_actions_addopen(&setup.actions, 0, path_storage.c_str(), O_RDONLY, 0);
            path_storage = resolve_for_create(stream.file.string()).string();
            return posix_spawn_file_actions_addopen(&setup.actions, target_fd, path_storage.c_str(),
                                                    O_WRONLY | O_CREAT | (stream.append ? O_APPEND : O_TRUNC), 0666);
    }
    return 0;
}

// A program named with a folder is found case-insensitively and made absolute,
// so that the child's working folder does not change which file runs.
std::string program_path(const std::string& spelled, bool& search_path) {
    const fs::path mapped = map_path(spelled);
    search_path = !mapped.has_parent_path();
    if (search_path) return mapped.string();
    std::error_code error;
    return fs::absolute(resolve_existing(spelled), error).string();
}

ExitStatus decode(int status) {
    ExitStatus result;
    if (WIFEXITED(status)) {
        result.exited = true;
        result.code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

std::optional<ExitStatus> reap(pid_t pid, bool block) {
    int status = 0;
    for (;;) {
        const pid_t got = ::waitpid(pid, &status, block ? 0 : WNOHANG);
        if (got == pid) return decode(status);
        if (got == 0) return std::nullopt;
        if (errno != EINTR) return ExitStatus{};  // reaped elsewhere: report as failed
    }
}

}  // namespace

Result<Process> Process::spawn(const SpawnOptions& options) {
    if (options.argv.empty() || options.argv[0].empty()) return Error{EINVAL, "start: no program given"};
    const std::string what = "start '" + options.argv[0] + "'";
    // Checked here so that the message can say which one is missing; the
    // spawn itself would only report the errno.
    std::string directory;
    if (!options.working_directory.empty()) {
        directory = resolve_existing(options.working_directory.string()).string();
        if (::access(directory.c_str(), X_OK) != 0) return system_error(what + " in '" + directory + "'");
    }
    std::string in_path;
    if (options.in.kind == Stream::Kind::file) {
        in_path = resolve_existing(options.in.file.string()).string();
        if (::access(in_path.c_str(), R_OK) != 0) return system_error(what + ": input '" + in_path + "'");
    }

    SpawnSetup setup;
    std::string out_path, err_path;
    int failure = redirect(setup, options.in, 0, in_path);
    if (!failure) failure = redirect(setup, options.out, 1, out_path);
    if (!failure) failure = redirect(setup, options.err, 2, err_path);
    if (!failure && !directory.empty())
        failure = posix_spawn_file_actions_addchdir_np(&setup.actions, directory.c_str());
    // Only the three standard streams reach the child.
    if (!failure) failure = posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&setup.attributes, &signals);
    for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&signals, signal);
    posix_spawnattr_setsigdefault(&setup.attributes, &signals);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (failure) return system_error(what, failure);

    bool search_path = false;
    const std::string program = program_path(options.argv[0], search_path);
    std::vector<char*> argv;
    argv.reserve(options.argv.size() + 1);
    for (const std::string& arg : options.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    failure = search_path ? posix_spawnp(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ)
                          : posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (failure) return system_error(what, failure);

    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0) ::fcntl(pidfd, F_SETFD, FD_CLOEXEC);
    return Process(pid, pidfd);
}

Process::Process(Process&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), pidfd_(std::exchange(other.pidfd_, -1)), status_(other.status_) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        release();
        pid_ = std::exchange(other.pid_, -1);
        pidfd_ = std::exchange(other.pidfd_, -1);
        status_ = other.status_;
    }
    return *this;
}

Process::~Process() { release(); }

void Process::release() {
    if (pidfd_ >= 0) ::close(std::exchange(pidfd_, -1));
    if (pid_ > 0 && !status_) {
        // Still running: reap it when it ends, so it leaves no zombie behind.
        if (!reap(pid_, false)) std::thread([pid = pid_] { reap(pid, true); }).detach();
    }
    pid_ = -1;
    status_.reset();
}

std::optional<ExitStatus> Process::wait_for(std::chrono::milliseconds timeout) {
    if (status_ || pid_ <= 0) return status_;
    if (pidfd_ >= 0) {
        pollfd ready{pidfd_, POLLIN, 0};
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            const int result = ::poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
            if (result > 0) break;
            if (result == 0) return std::nullopt;
            if (errno != EINTR) break;  // fall back to waitpid below
        }
        status_ = reap(pid_, true);
        return status_;
    }
    // No process descriptor (old kernel): poll the child.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        status_ = reap(pid_, false);
        if (status_ || std::chrono::steady_clock::now() >= deadline) return status_;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

ExitStatus Process::wait() {
    if (!status_ && pid_ > 0) status_ = reap(pid_, true);
    return status_.value_or(ExitStatus{});
}

Status Process::kill() {
    if (pid_ <= 0) return Error{ESRCH, "end process: no process"};
    if (status_) return {};  // already ended and reaped; the pid may be someone else's now
    if (::kill(pid_, SIGKILL) != 0) return system_error("end process " + std::to_string(pid_));
    return {};
}

}  // namespace os
