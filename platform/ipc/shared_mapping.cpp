#include "platform/ipc/shared_mapping.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/ipc/runtime_dir.h"
#include "platform/os/file.h"

namespace ipc {

// Each name has two files in the runtime folder: "<name>.lock", locked
// exclusively by the owner for as long as it lives (the kernel drops the lock
// when the owner dies, however it dies), and "<name>", a record of what backs
// the mapping: "shm" or "file", the size and the shared-memory name or file path.
// The owner removes both when it lets the name go; what a dead owner left is
// removed by the next process that takes the name.
struct SharedMapping::Owner {
    int lock_fd = -1;
    std::filesystem::path record;
    std::string memory_name;  // empty for a file-backed mapping
    ~Owner();
};

namespace {

constexpr const char* kRecordPrefix = "mapping-";
constexpr const char* kLockSuffix = ".lock";
constexpr const char* kTemporarySuffix = ".new";

struct Record {
    bool in_memory = false;
    std::size_t size = 0;
    std::string backing;
};

bool valid_part(const std::string& text) {
    return !text.empty() && text.size() <= 64 && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The record's path; mapping names compare without case.
std::optional<std::filesystem::path> record_path(const std::string& space, const std::string& name, std::string* why) {
    if (!valid_part(space) || !valid_part(name)) {
        if (why) *why = "invalid mapping name \"" + name + "\" in namespace \"" + space + "\"";
        return std::nullopt;
    }
    auto dir = runtime_directory(why);
    if (!dir) return std::nullopt;
    return *dir / (kRecordPrefix + space + "-" + lower(name));
}

std::string lock_path(const std::filesystem::path& record) { return record.string() + kLockSuffix; }
std::string temporary_path(const std::filesystem::path& record) { return record.string() + kTemporarySuffix; }

bool write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool write_record(const std::filesystem::path& path, const Record& record, std::string* why) {
    std::string text =
        std::string(record.in_memory ? "shm" : "file") + "\n" + std::to_string(record.size) + "\n" + record.backing;
    std::string temporary = temporary_path(path);
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    bool written = fd >= 0 && write_all(fd, text);
    if (fd >= 0) close(fd);
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        if (why) *why = errno_text("cannot write " + path.string());
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<Record> read_record(const std::filesystem::path& path) {
    // Anything but a regular file is no record: a FIFO or a device left under
    // the record's name must not hold up the start that sweeps the folder.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat file {};
    if (fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::string text(8192, '\0');
    ssize_t got = read(fd, text.data(), text.size());
    close(fd);
    if (got <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(got));
    std::size_t first = text.find('\n');
    std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
    if (second == std::string::npos) return std::nullopt;
    Record record;
    std::string kind = text.substr(0, first);
    if (kind != "shm" && kind != "file") return std::nullopt;
    record.in_memory = kind == "shm";
    auto [end, error] = std::from_chars(text.data() + first + 1, text.data() + second, record.size);
    if (error != std::errc() || end != text.data() + second || record.size == 0) return std::nullopt;
    record.backing = text.substr(second + 1);
    if (record.backing.empty()) return std::nullopt;
    return record;
}

uint8_t* map_descriptor(int fd, std::size_t size, MappingAccess access) {
    int protection = access == MappingAccess::ReadOnly ? PROT_READ : PROT_READ | PROT_WRITE;
    void* view = mmap(nullptr, size, protection, MAP_SHARED, fd, 0);
    return view == MAP_FAILED ? nullptr : static_cast<uint8_t*>(view);
}

// An opener holds a shared lock for a moment while it looks for the owner, so a
// process that means to own the name retries a refusal briefly before the name
// counts as owned by a live process; a clean-up looks once.
constexpr int kOwnerAttempts = 20;
constexpr int kCleanUpAttempts = 1;

bool lock_exclusively(int fd, int attempts) {
    constexpr timespec kPause{0, 5'000'000};
    for (int attempt = 1;; ++attempt) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK || attempt == attempts) return false;
        nanosleep(&kPause, nullptr);
    }
}

// Whether the lock file open on `fd` is still the one at `path`: a process
// letting a name go removes the file while it holds its lock, and a lock taken
// on a removed file owns nothing.
bool still_at_path(int fd, const std::string& path) {
    struct stat open_file {};
    struct stat named {};
    return fstat(fd, &open_file) == 0 && lstat(path.c_str(), &named) == 0 && open_file.st_dev == named.st_dev &&
           open_file.st_ino == named.st_ino;
}

// Takes the name for this process: refused while a live process holds it; the
// record of a dead owner is cleared away.
std::unique_ptr<SharedMapping::Owner> take_name(const std::filesystem::path& record, const std::string& name,
                                                int attempts, std::string* why) {
    const std::string lock = lock_path(record);
    for (;;) {
        int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (why) *why = errno_text("cannot open " + lock);
            return nullptr;
        }
        if (!lock_exclusively(fd, attempts)) {
            if (why)
                *why = errno == EWOULDBLOCK ? "the mapping \"" + name + "\" is in use by another process"
                                            : errno_text("cannot lock " + lock);
            close(fd);
            return nullptr;
        }
        if (!still_at_path(fd, lock)) {
            close(fd);
            continue;
        }
        if (auto stale = read_record(record); stale && stale->in_memory) shm_unlink(stale->backing.c_str());
        auto owner = std::make_unique<SharedMapping::Owner>();
        owner->lock_fd = fd;
        owner->record = record;
        return owner;
    }
}

// Unique over time, not only among live processes: the record of a killed
// process may name its memory long after its pid has come round to another
// process, and removing that memory must never take another process's.
std::string next_memory_name() {
    static const std::uint64_t token = [] {
        std::random_device random;
        return std::uint64_t(random()) << 32 | random();
    }();
    static std::atomic<unsigned> counter{0};
    return "/qvkit-" + std::to_string(getuid()) + "-" + std::to_string(getpid()) + "-" + std::to_string(token) + "-" +
           std::to_string(counter.fetch_add(1));
}

}  // namespace

// The lock file goes last, while it is still held: a process that opened it
// meanwhile finds it gone once it has the lock, and opens the name afresh.
SharedMapping::Owner::~Owner() {
    unlink(record.c_str());
    unlink(temporary_path(record).c_str());
    if (!memory_name.empty()) shm_unlink(memory_name.c_str());
    unlink(lock_path(record).c_str());
    close(lock_fd);
}

std::string link_namespace(WindowHandle ide_window) {
    if (const char* own = std::getenv(kLinkNamespaceVariable); own && *own) return own;
    return std::to_string(ide_window);
}

SharedMapping::SharedMapping(uint8_t* data, std::size_t size, std::unique_ptr<Owner> owner)
    : data_(data), size_(size), owner_(std::move(owner)) {}

SharedMapping::~SharedMapping() {
    munmap(data_, size_);
    // owner_ goes last: the name stays taken until the view is gone.
}

bool SharedMapping::flush() { return msync(data_, size_, MS_SYNC) == 0; }

std::unique_ptr<SharedMapping> SharedMapping::create_in_memory(const std::string& space, const std::string& name,
                                                               std::size_t size, std::string* why) {
    auto record = record_path(space, name, why);
    if (!record) return nullptr;
    if (size == 0) {
        if (why) *why = "a mapping cannot be empty";
        return nullptr;
    }
    auto owner = take_name(*record, name, kOwnerAttempts, why);
    if (!owner) return nullptr;
    // The record names the memory before it is made, so that a process killed
    // in between leaves nothing the next taker of the name cannot find. A name
    // still there from a killed process is passed over, never taken over.
    std::string memory_name;
    int fd = -1;
    for (int tries = 0; tries < 1000; ++tries) {
        memory_name = next_memory_name();
        if (!write_record(*record, Record{true, size, memory_name}, why)) return nullptr;
        fd = shm_open(memory_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) break;
    }
    if (fd < 0) {
        if (why) *why = errno_text("cannot create shared memory for " + name);
        return nullptr;
    }
    owner->memory_name = memory_name;
    uint8_t* data =
        ftruncate(fd, static_cast<off_t>(size)) == 0 ? map_descriptor(fd, size, MappingAccess::ReadWrite) : nullptr;
    close(fd);
    if (!data) {
        if (why) *why = errno_text("cannot map shared memory for " + name);
        return nullptr;
    }
    return std::unique_ptr<SharedMapping>(new SharedMapping(data, size, std::move(owner)));
}

std::unique_ptr<SharedMapping> SharedMapping::create_over_file(const std::string& space, const std::string& name,
                                                               const std::filesystem::path& path, std::size_t size,
                                                               FileStart start, std::string* why) {
    auto record = record_path(space, name, why);
    if (!record) return nullptr;
    if (size == 0) {
        if (why) *why = "a mapping cannot be empty";
        return nullptr;
    }
    // The backing file is an output like any other: only a missing path or a
    // writable plain file is taken, and nothing is cut before that is known.
    if (auto refused = os::check_output(path.string()); !refused) {
        if (why) *why = refused.error().text;
        return nullptr;
    }
    auto owner = take_name(*record, name, kOwnerAttempts, why);
    if (!owner) return nullptr;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        if (why) *why = errno_text("cannot open " + path.string());
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        if (why) *why = path.string() + ": " + os::error_text(os::kNotRegularFile);
        return nullptr;
    }
    const bool emptied = start == FileStart::Keep || ftruncate(fd, 0) == 0;
    if (start == FileStart::Fresh) info.st_size = 0;
    bool sized =
        emptied && (static_cast<std::size_t>(info.st_size) >= size || ftruncate(fd, static_cast<off_t>(size)) == 0);
    uint8_t* data = sized ? map_descriptor(fd, size, MappingAccess::ReadWrite) : nullptr;
    close(fd);
    if (!data) {
        if (why) *why = errno_text("cannot map " + path.string());
        return nullptr;
    }
    auto mapping = std::unique_ptr<SharedMapping>(new SharedMapping(data, size, nullptr));
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    if (!write_record(*record, Record{false, size, absolute.string()}, why)) return nullptr;
    mapping->owner_ = std::move(owner);
    return mapping;
}

std::unique_ptr<SharedMapping> SharedMapping::open(const std::string& space, const std::string& name,
                                                   MappingAccess access, std::string* why) {
    auto record = record_path(space, name, why);
    if (!record) return nullptr;
    std::string missing = "no process offers the mapping \"" + name + "\"";
    int lock = ::open(lock_path(*record).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (lock < 0) {
        if (why) *why = missing;
        return nullptr;
    }
    // A shared lock we can take means no owner holds the name.
    bool owner_alive = flock(lock, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(lock);
    auto found = owner_alive ? read_record(*record) : std::nullopt;
    if (!found) {
        if (why) *why = missing;
        return nullptr;
    }
    int flags = (access == MappingAccess::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    int fd = found->in_memory ? shm_open(found->backing.c_str(), flags, 0) : ::open(found->backing.c_str(), flags);
    if (fd < 0) {
        if (why) *why = errno_text("cannot open the mapping \"" + name + "\"");
        return nullptr;
    }
    struct stat info {};
    bool whole = fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) >= found->size;
    uint8_t* data = whole ? map_descriptor(fd, found->size, access) : nullptr;
    close(fd);
    if (!data) {
        if (why) *why = whole ? errno_text("cannot map \"" + name + "\"") : "the mapping \"" + name + "\" is cut short";
        return nullptr;
    }
    return std::unique_ptr<SharedMapping>(new SharedMapping(data, found->size, nullptr));
}

void remove_dead_mappings(const std::filesystem::path& folder) {
    std::set<std::string> records;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string file = entry->path().filename().string();
        if (!file.starts_with(kRecordPrefix)) continue;
        for (const char* suffix : {kLockSuffix, kTemporarySuffix})
            if (file.ends_with(suffix)) file.resize(file.size() - std::strlen(suffix));
        records.insert(file);
    }
    // A name taken and let go at once takes with it whatever a dead owner left.
    for (const std::string& record : records) take_name(folder / record, record, kCleanUpAttempts, nullptr);
}

}  // namespace ipc
