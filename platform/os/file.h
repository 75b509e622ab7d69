#pragma once
// Whole-file reading, read-only and read-write mappings, plain files with a
// position, and the one writer every program uses for its outputs: bytes go
// to a temporary file beside the target, which is renamed into place only
// when complete, so no output is ever half-written.
//
// Every function here takes paths as the programs spell them and resolves
// them with resolve_existing / resolve_for_create (path.h).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/result.h"

namespace os {

using Bytes = std::vector<std::uint8_t>;

// The reader of every input a program is given: a regular file (a link to
// one is followed) of at most `max_size` bytes, the largest its format allows.
// Anything else is refused before a byte is read, and without waiting: a
// folder (EISDIR), a FIFO, a device or a socket (kNotRegularFile, result.h),
// a larger file (EFBIG). Callers turn the error into their own diagnostic.
Result<Bytes> read_file(std::string_view path, std::uint64_t max_size);
// Bytes as they are, no CR handling.
Result<std::string> read_text_file(std::string_view path, std::uint64_t max_size);

// The rule for every output and for every stale output a program removes:
// the path is missing or names a regular file that may be written. A folder
// (EISDIR), a special file (kNotRegularFile) or a read-only file (EACCES) is
// refused and left as it is.
Status check_output(std::string_view path);

// Removes a stale output under the same rule; a missing path is no failure.
Status remove_output(std::string_view path);

// What makes two paths the same file (any spelling, a link, a hard link).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Empty when nothing exists at the path.
std::optional<FileIdentity> file_identity(std::string_view path);

// What commit() does before the rename. Either way the target is replaced
// whole, so a crash never leaves it half-written.
enum class Durability {
    flushed,      // fsync first: the new bytes survive a power cut
    regenerable,  // no fsync: a build output (object, image, map, library)
                  // that a power cut may lose and the next build remakes
};

// Writes the whole file through a temporary file and a rename.
Status write_file(std::string_view path, std::span<const std::uint8_t> bytes,
                  Durability durability = Durability::flushed);
Status write_file(std::string_view path, std::string_view bytes, Durability durability = Durability::flushed);

// An output file being written: appends go to a temporary file beside the
// target; commit() flushes it to disk (unless regenerable) and renames it over
// the target. Without a successful commit the temporary file is removed and
// the target is left as it was. The target must pass check_output, both when
// the writer is created and again just before the rename.
//
// A temporary file is named "<name>.tmp-<program>-<pid>-XXXXXX", so that one
// left by a killed run is known: creating a writer removes, in the target's
// folder, those of the same program whose process is gone, and no others.
class AtomicFile {
public:
    static Result<AtomicFile> create(std::string_view path, Durability durability = Durability::flushed);

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    Status write(std::span<const std::uint8_t> bytes);
    Status write(std::string_view bytes);
    Status commit();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temp_; }

private:
    AtomicFile(int fd, std::filesystem::path target, std::filesystem::path temp, Durability durability);
    void discard();

    int fd_ = -1;
    Durability durability_ = Durability::flushed;
    std::filesystem::path target_;
    std::filesystem::path temp_;
};

// A file mapped into memory. A 0-byte file cannot be mapped and fails, as
// the programs expect of their mapping calls.
class MappedFile {
public:
    // Only a regular file of at most `max_size` bytes, as read_file.
    static Result<MappedFile> open_read(std::string_view path, std::uint64_t max_size);
    // Shared read-write mapping: stores reach the file (and other mappings of it).
    static Result<MappedFile> open_read_write(std::string_view path);

    MappedFile() = default;
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    const std::uint8_t* data() const { return data_; }
    std::uint8_t* mutable_data() { return writable_ ? data_ : nullptr; }
    std::size_t size() const { return size_; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
    std::string_view text() const { return {reinterpret_cast<const char*>(data_), size_}; }

    Status flush();  // msync of a read-write mapping

private:
    static Result<MappedFile> open(std::string_view path, bool writable, std::uint64_t max_size);
    void unmap();

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool writable_ = false;
};

// A file opened for reading and writing at a position; only a regular file
// is opened (without waiting on a FIFO), anything else refused as read_file does.
class File {
public:
    enum class Mode {
        read,           // existing file, read only
        read_write,     // existing file, read and write
        create_always,  // created or truncated, read and write
        open_always,    // created when absent, read and write
    };
    static Result<File> open(std::string_view path, Mode mode);

    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Bytes read; fewer than asked at the end of the file.
    Result<std::size_t> read(std::span<std::uint8_t> into);
    Status write(std::span<const std::uint8_t> bytes);
    Status seek(std::uint64_t offset);
    Result<std::uint64_t> size() const;
    const std::filesystem::path& path() const { return path_; }

private:
    File(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    std::filesystem::path path_;
};

// What a directory listing and GetFileAttributes/GetFileTime report.
struct FileInfo {
    bool exists = false;
    bool is_directory = false;
    bool read_only = false;  // no write bit at all, or the user may not write it
    std::uint64_t size = 0;
    std::int64_t modified_ns = 0;  // nanoseconds since the epoch; compare, don't interpret
};

FileInfo file_info(std::string_view path);
bool file_exists(std::string_view path);

// Replaces `to` atomically; `from` is read as read_file does.
Status copy_file(std::string_view from, std::string_view to, std::uint64_t max_size);
Status delete_file(std::string_view path);                     // a missing file is an error
Status move_file(std::string_view from, std::string_view to);  // rename, replacing `to`
Status create_directory(std::string_view path);                // an existing folder is fine
Status set_current_directory(std::string_view path);
std::filesystem::path current_directory();

// Text-mode conversions: LF written as CR LF (an existing CR LF stays one),
// CR LF read as LF (a lone CR stays).
std::string to_crlf(std::string_view text);
std::string strip_cr(std::string_view text);

}  // namespace os
