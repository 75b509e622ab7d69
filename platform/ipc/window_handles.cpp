#include "platform/ipc/window_handles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/ipc/runtime_dir.h"

namespace ipc {

namespace {

// Closes a descriptor (and so drops its lock) on every path out.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

WindowHandle allocate_window_handle(std::string* why) {
    auto dir = runtime_directory(why);
    if (!dir) return 0;
    std::string path = (*dir / "window-handles").string();
    FileDescriptor counter{open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)};
    if (counter.fd < 0 || flock(counter.fd, LOCK_EX) != 0) {
        if (why) *why = errno_text("cannot use " + path);
        return 0;
    }
    // The file holds the last handle given, as four bytes in host order.
    WindowHandle last = 0;
    ssize_t got = pread(counter.fd, &last, sizeof last, 0);
    if (got != static_cast<ssize_t>(sizeof last) || last < kFirstSharedHandle || last >= kSharedHandleLimit - 1)
        last = kFirstSharedHandle - 1;
    WindowHandle next = last + 1;
    if (pwrite(counter.fd, &next, sizeof next, 0) != static_cast<ssize_t>(sizeof next)) {
        if (why) *why = errno_text("cannot write " + path);
        return 0;
    }
    return next;
}

}  // namespace ipc
