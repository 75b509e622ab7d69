#pragma once
// The 32 KB program image sent to the device, loaded from a packed program
// file (57,344 bytes) or a scrambled one (at most 32,770 bytes).
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/os/result.h"

namespace download {

inline constexpr std::size_t kImageSize = 32768;
using ProgramImage = std::array<std::uint8_t, kImageSize>;

inline constexpr std::size_t kPackedFileSize = 57344;
inline constexpr std::size_t kScrambledFileMax = 32770;
// A scrambled file holds its 18-byte key at offset 1026; a shorter file has no key.
inline constexpr std::size_t kScrambledKeyOffset = 1026;
inline constexpr std::size_t kScrambledKeySize = 18;
inline constexpr std::size_t kScrambledFileMin = kScrambledKeyOffset + kScrambledKeySize;

// The image from a file's bytes. A size that is neither form gives an empty
// (all zero) image, which the header check refuses; a scrambled file too short
// to hold its key is refused here.
os::Result<ProgramImage> image_from_file_bytes(std::span<const std::uint8_t> file);
os::Result<ProgramImage> load_program_image(const std::string& path);

enum class HeaderCheck { good, wrong_header, wrong_language_or_version };
HeaderCheck check_header(const ProgramImage& image);

}  // namespace download
