#include "editor/file_access.h"

#include <cerrno>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace editor {

int ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return error;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int error = errno;
            ::close(fd);
            return error;
        }
        if (got == 0) break;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
    return 0;
}

int WriteFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    std::string temp = path.string() + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return errno;
    struct stat old {};
    mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) error = wrote < 0 ? errno : EIO;
        else done += static_cast<size_t>(wrote);
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temp.c_str());
    return error;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

std::filesystem::path ResolveNameCase(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) return path;
    std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string wanted = path.filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (strcasecmp(name.c_str(), wanted.c_str()) == 0)
            return path.has_parent_path() ? folder / name : std::filesystem::path(name);
    }
    return path;
}

std::filesystem::path ProgramDirectory() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : program.parent_path();
}

}  // namespace editor
