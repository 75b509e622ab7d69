#include "linker/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace linker {
namespace {

namespace fs = std::filesystem;

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

fs::path map_spelling(std::string_view path) {
    std::string text(path);
    for (auto& c : text)
        if (c == '\\') c = '/';
    if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) text.erase(0, 2);
    return fs::path(text);
}

// The entry of `dir` named `name` in any case; the exact spelling wins.
std::optional<fs::path> find_entry(const fs::path& dir, const fs::path& name) {
    std::error_code ec;
    const auto base = dir.empty() ? fs::path(".") : dir;
    if (fs::exists(base / name, ec)) return dir / name;
    std::optional<fs::path> found;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        auto candidate = it->path().filename();
        if (same_ignoring_case(candidate.native(), name.native()) && (!found || candidate < *found))
            found = candidate;
    }
    if (!found) return std::nullopt;
    return dir / *found;
}

// Walks the components, taking each as it exists on disk in any case; from
// the first absent component on, the rest is kept as spelled.
fs::path resolve(std::string_view spelled) {
    const auto mapped = map_spelling(spelled);
    fs::path result;
    bool missing = false;
    for (const auto& part : mapped) {
        if (missing || part == "/" || part == "." || part == "..") {
            result /= part;
            continue;
        }
        if (auto entry = find_entry(result, part)) {
            result = *entry;
        } else {
            result /= part;
            missing = true;
        }
    }
    return result;
}

std::string system_text(int code) { return std::strerror(code); }

}  // namespace

fs::path resolve_input_path(std::string_view path) { return resolve(path); }
fs::path resolve_output_path(std::string_view path) { return resolve(path); }

ReadResult read_whole_file(std::string_view path) {
    ReadResult result;
    const auto resolved = resolve_input_path(path);
    int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = system_text(errno);
        return result;
    }
    std::uint8_t buffer[65536];
    for (;;) {
        auto got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.error = system_text(errno);
            ::close(fd);
            return result;
        }
        if (got == 0) break;
        result.bytes.insert(result.bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    result.ok = true;
    return result;
}

PendingOutput::PendingOutput(std::string_view path) : target_(resolve_output_path(path)) {}

PendingOutput::~PendingOutput() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) {
        std::error_code ec;
        fs::remove(temporary_, ec);
    }
}

bool PendingOutput::create() {
    auto pattern = target_.string() + ".tmp-XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        error_ = system_text(errno);
        return false;
    }
    temporary_ = pattern;
    // mkstemp makes the file private; give it the mode a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
    return true;
}

bool PendingOutput::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto put = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            error_ = system_text(errno);
            return false;
        }
        done += std::size_t(put);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::fsync(fd) != 0) {
        error_ = system_text(errno);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        error_ = system_text(errno);
        return false;
    }
    written_ = true;
    return true;
}

bool PendingOutput::commit() {
    if (!written_) return false;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error_ = system_text(errno);
        return false;
    }
    temporary_.clear();
    return true;
}

}  // namespace linker
