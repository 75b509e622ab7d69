#pragma once
// The assembler's few file operations over the platform's file services;
// paths are taken as the IDE spells them ("DEBUG\x.asm", "C:\proj\x.asm").
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "assembler/byte_sink.h"

namespace dravlin {

// Sources are placed by 32-bit offsets: none is larger than they reach.
inline constexpr std::uint64_t kLargestSource = 0xFFFFFFFF;

// Reads a whole regular file of at most kLargestSource bytes. On failure
// returns false with the system's text.
bool read_whole_file(const std::string& path, std::string& contents, std::string& error_text);

// An output written in pieces to a temporary file and renamed over the path
// at the end, so a failed write leaves no half-written file. Outputs are not
// flushed to disk: the next build remakes one that a power cut lost. The
// pieces gather in a buffer of a few pages, so the whole file is never in
// memory. The first failure is kept: later appends do nothing and finish()
// reports it with the system's text.
class OutputFile : public ByteSink {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile() override;
    void append(std::string_view bytes) override;
    // Writes what is left and renames the file over the path.
    bool finish(std::string& error_text);

private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
};

// Why `path` may not be written as an output (a folder, a FIFO, a device, a
// read-only file); empty when it may.
std::string output_refusal(const std::string& path);

// Removes an output of an earlier run: only a regular file that may be
// written; a missing one, or anything else, is left as it is.
void remove_stale_output(const std::string& path);

// True when both paths name the same existing file (by device and inode: any
// spelling, a link or a hard link).
bool same_file(const std::string& a, const std::string& b);

}  // namespace dravlin
