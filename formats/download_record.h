#pragma once
// The 72-byte record that describes a file handed to the device by the download
// loader: its type, its size and its head (a program's file head, or a name).
#include <cstddef>
#include <cstdint>

namespace formats {

struct DownloadRecord {
    char type[4];          // "bin ", "txt " or "bas "
    uint8_t kind;          // kDownloadProgram or kDownloadText
    uint8_t size_le24[3];  // file size, 24-bit little-endian
    uint8_t head[64];      // program: its 64-byte file head; text or BASIC: the name
};
static_assert(sizeof(DownloadRecord) == 72);
static_assert(offsetof(DownloadRecord, kind) == 4);
static_assert(offsetof(DownloadRecord, size_le24) == 5);
static_assert(offsetof(DownloadRecord, head) == 8);

inline constexpr uint8_t kDownloadProgram = 6;
inline constexpr uint8_t kDownloadText = 7;  // texts and BASIC sources
inline constexpr uint8_t kDownloadFill = 0x20;

// Where a program's file head is read from in the program file.
inline constexpr uint32_t kProgramHeadOffset = 0x4000;
inline constexpr std::size_t kDownloadNameLength = 16;
// Record offsets of the fields that only some kinds carry.
inline constexpr std::size_t kBasicSizeOffset = 24;  // u16 little-endian, BASIC only
inline constexpr std::size_t kTextMarkOffset = 39;   // 0xFF, text only
inline constexpr uint8_t kTextMark = 0xFF;

// The converted text that goes to the device: u16 lines, u16 rows, this byte,
// then each line ending in "\r\n", then the end mark FF FF.
inline constexpr uint8_t kTextHeadSeparator = 10;
inline constexpr unsigned kDeviceTextColumns = 20;

}  // namespace formats
