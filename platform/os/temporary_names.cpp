#include "platform/os/temporary_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace os {

namespace {

constexpr std::size_t kRandomLength = 6;

// ".tmp-<program>-": what every temporary of this program holds after the
// target's name.
const std::string& own_marker() {
    static const std::string marker = std::string(".tmp-") + program_invocation_short_name + "-";
    return marker;
}

// The writer's process id when `name` is one of this program's temporaries:
// the marker, decimal digits, '-' and the random letters, at the name's end.
pid_t writer_of(std::string_view name) {
    const std::string& marker = own_marker();
    if (name.size() < kRandomLength + 1) return 0;
    const std::size_t dash = name.size() - kRandomLength - 1;
    if (name[dash] != '-') return 0;
    std::size_t digits = dash;
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    if (digits == dash || dash - digits > 9 || digits < marker.size()) return 0;
    if (name.substr(digits - marker.size(), marker.size()) != marker) return 0;
    return static_cast<pid_t>(std::strtol(std::string(name.substr(digits, dash - digits)).c_str(), nullptr, 10));
}

}  // namespace

int create_temporary(const std::filesystem::path& target, std::string& name) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::string stem = target.string() + own_marker() + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[kRandomLength];
        ::arc4random_buf(random, sizeof random);
        name = stem;
        for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
        // Created as any new file is (0666 less the umask, with the folder's
        // default rules), so only a replaced file's own mode needs setting.
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

void remove_dead_temporaries(const std::filesystem::path& folder) {
    const int saved_errno = errno;
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!listing) return;
    const int folder_fd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const pid_t writer = writer_of(entry->d_name);
        if (writer <= 0 || writer == ::getpid()) continue;
        if (::kill(writer, 0) == 0 || errno != ESRCH) continue;  // alive, or someone else's
        struct stat info {};
        if (::fstatat(folder_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(folder_fd, entry->d_name, 0);
    }
    ::closedir(listing);
    errno = saved_errno;
}

}  // namespace os
