#include "testing/hostile_files.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace fs = std::filesystem;

namespace testing_kit {

namespace {

constexpr const char* kSpecial = "Not a regular file";
constexpr const char* kFolder = "Is a directory";

fs::path made(const fs::path& path, int result, const char* what) {
    if (result != 0) throw std::runtime_error(std::string(what) + " " + path.string() + " failed");
    return path;
}

fs::path make_fifo(const fs::path& path) { return made(path, ::mkfifo(path.c_str(), 0666), "mkfifo"); }

fs::path make_link(const fs::path& path, const fs::path& to) {
    return made(path, ::symlink(to.c_str(), path.c_str()), "symlink");
}

// A device node where this user may make one; else a bound UNIX socket,
// which is as little a regular file and cannot be opened at all.
fs::path make_device(const fs::path& path) {
    if (::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) return path;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (fd < 0 || name.size() >= sizeof address.sun_path) throw std::runtime_error("no stand-in for a device");
    std::copy(name.begin(), name.end(), address.sun_path);
    const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);  // the socket file stays
    return made(path, bound, "bind");
}

std::string type_of(const fs::file_status& status) {
    switch (status.type()) {
        case fs::file_type::regular: return "file";
        case fs::file_type::directory: return "folder";
        case fs::file_type::symlink: return "link";
        case fs::file_type::fifo: return "fifo";
        case fs::file_type::character: return "device";
        case fs::file_type::socket: return "socket";
        default: return "other";
    }
}

}  // namespace

std::vector<HostileFile> hostile_inputs(const fs::path& folder, const std::string& stem, std::uint64_t oversize) {
    const fs::path fifo = make_fifo(folder / (stem + "-fifo"));
    const fs::path directory = folder / (stem + "-folder");
    fs::create_directory(directory);
    const fs::path large = folder / (stem + "-large");
    { std::ofstream(large, std::ios::binary); }
    fs::resize_file(large, oversize);  // sparse: costs no disk
    return {
        {"/dev/zero", "/dev/zero", kSpecial},
        {"FIFO", fifo, kSpecial},
        {"folder", directory, kFolder},
        {"link to /dev/zero", make_link(folder / (stem + "-zero-link"), "/dev/zero"), kSpecial},
        {"link to a FIFO", make_link(folder / (stem + "-fifo-link"), fifo), kSpecial},
        {"link to a folder", make_link(folder / (stem + "-folder-link"), directory), kFolder},
        {"file larger than the format allows", large, "File too large"},
    };
}

std::vector<HostileFile> hostile_outputs(const fs::path& folder, const std::string& stem) {
    const fs::path directory = folder / (stem + "-folder");
    fs::create_directory(directory);
    const fs::path locked = folder / (stem + "-locked");
    { std::ofstream(locked, std::ios::binary) << "keep"; }
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return {
        {"FIFO", make_fifo(folder / (stem + "-fifo")), kSpecial},
        {"device node", make_device(folder / (stem + "-device")), kSpecial},
        {"folder", directory, kFolder},
        {"read-only file", locked, "Permission denied"},
    };
}

std::string folder_state(const fs::path& folder) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        std::ostringstream line;
        line << fs::relative(entry.path(), folder).string() << ' ' << type_of(entry.symlink_status()) << " inode "
             << info.st_ino << " size " << info.st_size << " mode " << std::oct << info.st_mode << std::dec
             << " changed " << info.st_ctim.tv_sec << '.' << info.st_ctim.tv_nsec;
        lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    std::string state;
    for (const auto& line : lines) state += line + "\n";
    return state;
}

std::uint64_t call_bounded(const std::function<void()>& call, std::chrono::milliseconds deadline) {
    const auto peak = [] {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        return static_cast<std::uint64_t>(usage.ru_maxrss);
    };
    const std::uint64_t before = peak();
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(deadline) != std::future_status::ready) {
        std::fprintf(stderr, "a reader outlasted its deadline of %lld ms\n", static_cast<long long>(deadline.count()));
        std::_Exit(1);
    }
    done.get();
    return peak() - before;
}

BoundedRun run_bounded(std::vector<std::string> argv, const fs::path& cwd, std::chrono::milliseconds deadline) {
    TempDir streams;
    argv[0] = program_path(argv[0]).string();
    os::SpawnOptions options;
    options.argv = argv;
    options.working_directory = cwd;
    options.in = os::Stream::discarded();
    options.out = os::Stream::to_file(streams / "out");
    options.err = os::Stream::to_file(streams / "err");
    BoundedRun run;
    auto process = os::Process::spawn(options);
    if (!process) {
        run.err = process.error().text;
        return run;
    }
    auto status = process->wait_for(deadline);
    run.finished = status.has_value();
    if (!status) {
        (void)process->kill();
        status = process->wait();
    }
    run.exited = status->exited;
    run.code = status->code;
    run.out = read_file(streams / "out");
    run.err = read_file(streams / "err");
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    run.peak_kib = static_cast<std::uint64_t>(usage.ru_maxrss);
    return run;
}

}  // namespace testing_kit
