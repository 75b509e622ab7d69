#include "platform/ipc/runtime_dir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace ipc {

std::string errno_text(const std::string& what) { return what + ": " + std::strerror(errno); }

namespace {

std::filesystem::path chosen_directory() {
    if (const char* own = std::getenv(kRuntimeDirVariable); own && *own) return own;
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) return std::filesystem::path(xdg) / "qvkit";
    return "/tmp/qvkit-" + std::to_string(getuid());
}

}  // namespace

std::optional<std::filesystem::path> runtime_directory(std::string* why) {
    std::filesystem::path dir = chosen_directory();
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        if (why) *why = errno_text("cannot create " + dir.string());
        return std::nullopt;
    }
    struct stat info {};
    if (lstat(dir.c_str(), &info) != 0) {
        if (why) *why = errno_text("cannot inspect " + dir.string());
        return std::nullopt;
    }
    // Another user's folder, or one others may write to, could redirect our
    // messages and mappings: refuse it rather than use it.
    std::string wrong;
    if (!S_ISDIR(info.st_mode))
        wrong = " is not a folder; remove it";
    else if (info.st_uid != getuid())
        wrong = std::string(" belongs to another user; set ") + kRuntimeDirVariable + " to a folder of your own";
    else if ((info.st_mode & 077) != 0)
        wrong = " is open to other users; make it private (chmod 700)";
    if (!wrong.empty()) {
        if (why) *why = dir.string() + wrong;
        return std::nullopt;
    }
    return dir;
}

}  // namespace ipc
