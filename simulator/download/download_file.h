#pragma once
// A file handed to the device: a program (".bin"), a text (".txt") or a BASIC
// source (".bas"), described by its download record, and the loader the device
// runs to take it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formats/download_record.h"
#include "simulator/strings/sim_strings.h"

namespace sim {

enum class DownloadKind { Program, Text, Basic };

// Program files hold at least their first bank's file head and stay below the
// 24 bits the record has for the size.
inline constexpr uint64_t kMinProgramSize = formats::kProgramHeadOffset + 64;
inline constexpr uint64_t kMaxDownloadSize = (uint64_t{1} << 24) - 1;

struct PreparedDownload {
    DownloadKind kind;
    formats::DownloadRecord record;
    std::vector<uint8_t> content;  // what goes to the device (a text already converted)
};

// The kind by the file's final extension, in any case; string 89 otherwise.
std::variant<DownloadKind, SimFailure> download_kind(const std::filesystem::path& path);

// A text in the device's form: u16 lines, u16 rows, 10, each line with "\r\n",
// FF FF. Rows hold 20 columns; a byte of 160 or more starts a two-column
// character, which never straddles a row end; an empty line adds no row.
// Nothing when the text has more lines or rows than the head can count.
std::optional<std::vector<uint8_t>> convert_text(std::span<const uint8_t> text);

// Reads the file, converts a text, and fills its download record. The record
// names a text or BASIC source by the first 16 characters of its file name:
// the device shows that name, and a folder would crowd it out. A file that
// cannot be read is string 90, a text string 91.
std::variant<PreparedDownload, SimFailure> prepare_download(const std::filesystem::path& path);

// The device-side loader: the first 4096 bytes of `file` ("dl.ini" in the
// program's folder), which the download places at device address $3000 of
// internal RAM. A shorter file, or none, is string 88 naming the file given.
inline constexpr const char* kLoaderFileName = "dl.ini";
inline constexpr uint32_t kLoaderSize = 4096;
// The loader is downloaded as a program is: no larger file is one.
inline constexpr uint64_t kLargestLoaderFile = kMaxDownloadSize;
std::variant<std::vector<uint8_t>, SimFailure> read_loader(const std::filesystem::path& file);

}  // namespace sim
