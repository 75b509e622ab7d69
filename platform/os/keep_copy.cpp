#include "platform/os/keep_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/file.h"
#include "platform/os/path.h"
#include "platform/os/temporary_names.h"

namespace fs = std::filesystem;

namespace os {

namespace {

constexpr int kLargestNumber = 1000;

Status write_whole(int fd, const Bytes& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return system_error("write");
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) return system_error("write");
    return {};
}

}  // namespace

Result<std::string> keep_copy(std::string_view path, std::string_view suffix, std::uint64_t max_size) {
    auto bytes = read_file(path, max_size);
    if (!bytes) return bytes.error();
    const std::string base = std::string(path) + std::string(suffix);
    for (int number = 1; number <= kLargestNumber; ++number) {
        const std::string name = number == 1 ? base : base + "." + std::to_string(number);
        const fs::path target = resolve_for_create(name);
        if (struct stat taken{}; ::lstat(target.c_str(), &taken) == 0) continue;
        // Written whole under a temporary name, then linked into place: a
        // link, unlike a rename, refuses a name another run took meanwhile.
        std::string temporary;
        const int fd = create_temporary(target, temporary);
        if (fd < 0) return system_error("create '" + target.string() + "'");
        const Status written = write_whole(fd, *bytes);
        ::close(fd);
        const int linked = written ? ::link(temporary.c_str(), target.c_str()) : -1;
        const int link_error = errno;
        ::unlink(temporary.c_str());
        if (!written) return written.error();
        if (linked == 0) return name;
        if (link_error != EEXIST) return system_error("link to '" + target.string() + "'", link_error);
    }
    return system_error("keep a copy of '" + std::string(path) + "'", EEXIST);
}

}  // namespace os
