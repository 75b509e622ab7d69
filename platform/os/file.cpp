#include "platform/os/file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

#include "platform/os/file_info_at.h"
#include "platform/os/path.h"
#include "platform/os/temporary_names.h"

namespace fs = std::filesystem;

namespace os {

namespace {

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

Error failed(std::string_view what, const fs::path& path, int code = errno) {
    return system_error(std::string(what) + " " + quoted(path), code);
}

int open_retrying(const fs::path& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

Status write_all(int fd, const std::uint8_t* data, std::size_t size, const fs::path& path) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return failed("write", path);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

// Why a path may not be read or written as a file, from its mode: a folder
// or anything but a regular file.
std::optional<Error> refused_type(std::string_view what, const fs::path& path, mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    return failed(what, path, S_ISDIR(mode) ? EISDIR : kNotRegularFile);
}

// Opens an existing regular file. The path is looked at before it is opened,
// so a device is never opened at all, and opened without blocking, so a FIFO
// put there in between is refused instead of waited on.
Result<int> open_regular(const fs::path& path, int flags, struct stat& info) {
    if (::stat(path.c_str(), &info) == 0)
        if (auto refusal = refused_type("open", path, info.st_mode)) return *refusal;
    const int fd = open_retrying(path, flags | O_NONBLOCK);
    if (fd < 0) return failed("open", path);
    std::optional<Error> refusal;
    if (::fstat(fd, &info) != 0)
        refusal = failed("open", path);
    else
        refusal = refused_type("open", path, info.st_mode);
    if (refusal) {
        ::close(fd);
        return *refusal;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::optional<Error> refused_output(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return std::nullopt;  // a new file, or a link to nothing
        return failed("create", path);
    }
    if (auto refusal = refused_type("create", path, info.st_mode)) return refusal;
    // A read-only file is not replaced behind its owner's back, as opening it
    // for writing would fail too; no write bit at all holds even for root.
    if ((info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return failed("create", path, EACCES);
    return std::nullopt;
}

template <class Container>
Result<Container> read_whole(std::string_view spelled, std::uint64_t max_size) {
    const fs::path path = resolve_existing(spelled);
    struct stat info {};
    auto opened = open_regular(path, O_RDONLY, info);
    if (!opened) return opened.error();
    const int fd = *opened;
    const auto too_large = [&] {
        ::close(fd);
        return failed("read", path, EFBIG);
    };
    const auto known = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
    if (known > max_size) return too_large();
    // Read straight into the result; files whose size stat does not know
    // (/proc) grow it as they go, never past one byte more than allowed.
    Container bytes(static_cast<std::size_t>(known) + 1, 0);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > max_size) return too_large();
            bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size() * 2, max_size + 1)));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            return failed("read", path, code);
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > max_size) return too_large();
    ::close(fd);
    bytes.resize(filled);
    return bytes;
}

}  // namespace

Result<Bytes> read_file(std::string_view path, std::uint64_t max_size) { return read_whole<Bytes>(path, max_size); }
Result<std::string> read_text_file(std::string_view path, std::uint64_t max_size) {
    return read_whole<std::string>(path, max_size);
}

Status check_output(std::string_view path) {
    if (auto refusal = refused_output(resolve_for_create(path))) return *refusal;
    return {};
}

Status remove_output(std::string_view spelled) {
    const fs::path path = resolve_existing(spelled);
    if (auto refusal = refused_output(path)) return *refusal;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return failed("delete", path);
    return {};
}

std::optional<FileIdentity> file_identity(std::string_view path) {
    struct stat info {};
    if (::stat(resolve_existing(path).c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// ---- AtomicFile ------------------------------------------------------------

AtomicFile::AtomicFile(int fd, fs::path target, fs::path temp, Durability durability)
    : fd_(fd), durability_(durability), target_(std::move(target)), temp_(std::move(temp)) {}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      durability_(other.durability_),
      target_(std::move(other.target_)),
      temp_(std::move(other.temp_)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        discard();
        fd_ = std::exchange(other.fd_, -1);
        durability_ = other.durability_;
        target_ = std::move(other.target_);
        temp_ = std::move(other.temp_);
    }
    return *this;
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temp_.c_str());
    fd_ = -1;
}

Result<AtomicFile> AtomicFile::create(std::string_view spelled, Durability durability) {
    const fs::path target = resolve_for_create(spelled);
    if (target.filename().empty()) return failed("create", target, EISDIR);
    if (auto refusal = refused_output(target)) return *refusal;
    remove_dead_temporaries(target.parent_path());
    std::string temporary;
    const int fd = create_temporary(target, temporary);
    if (fd < 0) return failed("create", target);
    // Keep the mode of the file being replaced.
    if (struct stat existing{}; ::stat(target.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
    return AtomicFile(fd, target, fs::path(temporary), durability);
}

Status AtomicFile::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return failed("write", target_, EBADF);
    // A failure names the file the caller writes: the temporary one is gone with it.
    Status status = write_all(fd_, bytes.data(), bytes.size(), target_);
    if (!status) discard();
    return status;
}

Status AtomicFile::write(std::string_view bytes) {
    return write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

Status AtomicFile::commit() {
    if (fd_ < 0) return failed("write", target_, EBADF);
    if (durability_ == Durability::flushed && ::fsync(fd_) != 0) {
        Error error = failed("write", target_);
        discard();
        return error;
    }
    // The target may have changed since the writer was made.
    if (auto refusal = refused_output(target_)) {
        discard();
        return *refusal;
    }
    ::close(std::exchange(fd_, -1));
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        Error error = failed("rename to", target_);
        ::unlink(temp_.c_str());
        return error;
    }
    return {};
}

Status write_file(std::string_view path, std::span<const std::uint8_t> bytes, Durability durability) {
    auto file = AtomicFile::create(path, durability);
    if (!file) return file.error();
    if (Status status = file->write(bytes); !status) return status;
    return file->commit();
}

Status write_file(std::string_view path, std::string_view bytes, Durability durability) {
    return write_file(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, durability);
}

// ---- MappedFile ------------------------------------------------------------

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      writable_(std::exchange(other.writable_, false)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        writable_ = std::exchange(other.writable_, false);
    }
    return *this;
}

MappedFile::~MappedFile() { unmap(); }

void MappedFile::unmap() {
    if (data_) ::munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

Result<MappedFile> MappedFile::open_read(std::string_view path, std::uint64_t max_size) {
    return open(path, false, max_size);
}
Result<MappedFile> MappedFile::open_read_write(std::string_view path) {
    return open(path, true, std::numeric_limits<std::size_t>::max());
}

Result<MappedFile> MappedFile::open(std::string_view spelled, bool writable, std::uint64_t max_size) {
    const fs::path path = resolve_existing(spelled);
    struct stat info {};
    auto opened = open_regular(path, writable ? O_RDWR : O_RDONLY, info);
    if (!opened) return opened.error();
    const int fd = *opened;
    if (info.st_size == 0 || static_cast<std::uint64_t>(info.st_size) > max_size) {
        ::close(fd);
        if (info.st_size != 0) return failed("map", path, EFBIG);
        return Error{EINVAL, "map " + quoted(path) + ": the file is empty"};
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* data = ::mmap(nullptr, size, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    const int code = errno;
    ::close(fd);
    if (data == MAP_FAILED) return failed("map", path, code);
    MappedFile mapped;
    mapped.data_ = static_cast<std::uint8_t*>(data);
    mapped.size_ = size;
    mapped.writable_ = writable;
    return mapped;
}

Status MappedFile::flush() {
    if (!data_ || !writable_) return {};
    if (::msync(data_, size_, MS_SYNC) != 0) return system_error("flush mapping");
    return {};
}

// ---- File ------------------------------------------------------------------

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

File::~File() {
    if (fd_ >= 0) ::close(fd_);
}

Result<File> File::open(std::string_view spelled, Mode mode) {
    const bool creates = mode == Mode::create_always || mode == Mode::open_always;
    const fs::path path = creates ? resolve_for_create(spelled) : resolve_existing(spelled);
    int flags = O_RDWR;
    switch (mode) {
        case Mode::read: flags = O_RDONLY; break;
        case Mode::read_write: break;
        case Mode::create_always: flags |= O_CREAT | O_TRUNC; break;
        case Mode::open_always: flags |= O_CREAT; break;
    }
    if (creates) {
        // A file to create or truncate: the same rule as every output.
        if (auto refusal = refused_output(path)) return *refusal;
        const int fd = open_retrying(path, flags, 0666);
        if (fd < 0) return failed("open", path);
        return File(fd, path);
    }
    struct stat info {};
    auto opened = open_regular(path, flags, info);
    if (!opened) return opened.error();
    return File(*opened, path);
}

Result<std::size_t> File::read(std::span<std::uint8_t> into) {
    std::size_t total = 0;
    while (total < into.size()) {
        const ssize_t got = ::read(fd_, into.data() + total, into.size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return failed("read", path_);
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

Status File::write(std::span<const std::uint8_t> bytes) { return write_all(fd_, bytes.data(), bytes.size(), path_); }

Status File::seek(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return failed("seek", path_);
    return {};
}

Result<std::uint64_t> File::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return failed("stat", path_);
    return static_cast<std::uint64_t>(info.st_size);
}

// ---- Attributes and whole-file operations ----------------------------------

FileInfo file_info_at(int folder_fd, const char* name) {
    FileInfo result;
    struct stat info {};
    if (::fstatat(folder_fd, name, &info, 0) != 0) return result;
    result.exists = true;
    result.is_directory = S_ISDIR(info.st_mode);
    // Read-only as the platform's attribute means it: nobody has a write bit
    // (which holds even for root), or this user may not write it.
    result.read_only = (info.st_mode & 0222) == 0 || ::faccessat(folder_fd, name, W_OK, 0) != 0;
    result.size = static_cast<std::uint64_t>(info.st_size);
    result.modified_ns = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return result;
}

FileInfo file_info(std::string_view spelled) { return file_info_at(AT_FDCWD, resolve_existing(spelled).c_str()); }

bool file_exists(std::string_view path) { return file_info(path).exists; }

Status copy_file(std::string_view from, std::string_view to, std::uint64_t max_size) {
    auto bytes = read_file(from, max_size);
    if (!bytes) return bytes.error();
    return write_file(to, *bytes);
}

Status delete_file(std::string_view spelled) {
    const fs::path path = resolve_existing(spelled);
    if (::unlink(path.c_str()) != 0) return failed("delete", path);
    return {};
}

Status move_file(std::string_view from, std::string_view to) {
    const fs::path source = resolve_existing(from);
    const fs::path target = resolve_for_create(to);
    if (::rename(source.c_str(), target.c_str()) != 0) return failed("move", source);
    return {};
}

Status create_directory(std::string_view spelled) {
    const fs::path path = resolve_for_create(spelled);
    if (::mkdir(path.c_str(), 0777) == 0) return {};
    const int code = errno;
    struct stat info {};
    if (code == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return {};
    return failed("create folder", path, code);
}

Status set_current_directory(std::string_view spelled) {
    const fs::path path = resolve_existing(spelled);
    if (::chdir(path.c_str()) != 0) return failed("change to folder", path);
    return {};
}

fs::path current_directory() {
    std::error_code error;
    return fs::current_path(error);
}

std::string to_crlf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

std::string strip_cr(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') result += text[i];
    return result;
}

}  // namespace os
