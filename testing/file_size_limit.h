#pragma once
// A full disk for a test's length: no write may grow a regular file past
// `bytes` (RLIMIT_FSIZE), and such a write fails with EFBIG instead of raising
// SIGXFSZ. Files can still be created, renamed and removed, as on a full disk.
// The limit is the whole process's: only single-threaded tests use it.
#include <sys/resource.h>

#include <csignal>

namespace testing_kit {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes = 0) {
        ::getrlimit(RLIMIT_FSIZE, &old_limit_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_limit_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_limit_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_limit_{};
    void (*old_handler_)(int) = nullptr;
};

}  // namespace testing_kit
