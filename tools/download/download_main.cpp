// kitdownload: sends a program file to a device on a parallel port and
// reports the downloader's result, for use without the IDE.
//   kitdownload [--port <device or number>] <program file>
// The exit code is the result: 0 sent, 1 send error or cancelled, 2 no
// handshake, 3 wrong language or version, 4 wrong header, 5 file not loaded;
// 64 for a bad command line.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "ide/download/downloader.h"
#include "ide/download/ppdev_port.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

// Progress on the terminal; Ctrl+C cancels before the next block, so the
// port is released as after any other end.
class ConsoleProgress final : public download::DownloadProgress {
public:
    void set_status(std::string_view text) override { std::printf("%.*s\n", int(text.size()), text.data()); }
    void step_block() override {
        if (++blocks_ % 16 == 0) {
            std::printf("\r%d%%", blocks_ * 100 / download::kBlockCount);
            std::fflush(stdout);
        }
        if (blocks_ == download::kBlockCount) std::printf("\n");
    }
    bool take_cancel() override {
        const bool cancel = interrupted != 0;
        interrupted = 0;
        return cancel;
    }
    void show_message(std::string_view text) override {
        std::fprintf(stderr, "kitdownload: %.*s\n", int(text.size()), text.data());
    }

private:
    int blocks_ = 0;
};

int usage() {
    std::fprintf(stderr,
                 "usage: kitdownload [--port <device or number>] <program file>\n"
                 "  the port defaults to /dev/parport0\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    std::string port = "/dev/parport0";
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--port" && i + 1 < argc)
            port = argv[++i];
        else if (arg.starts_with("-") || !file.empty())
            return usage();
        else
            file = arg;
    }
    if (file.empty()) return usage();

    std::signal(SIGINT, [](int) { interrupted = 1; });
    download::SteadyDelayTimer timer;
    download::CDownloader downloader(
        [&]() -> os::Result<std::unique_ptr<download::ParallelPort>> {
            auto opened = download::PpdevPort::open(port);
            if (!opened) return opened.error();
            return std::unique_ptr<download::ParallelPort>(std::move(*opened));
        },
        timer);
    ConsoleProgress progress;
    const int result = downloader.Download(file, progress);
    if (result == download::kSent) std::printf("Sent %s.\n", file.c_str());
    return result;
}
