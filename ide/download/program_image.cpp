#include "ide/download/program_image.h"

#include <algorithm>

#include "platform/os/file.h"

namespace download {
namespace {

// Data bytes 13-44 and the key's own place (1024-1041) are stored plain.
bool stored_plain(std::size_t index) { return (index >= 13 && index <= 44) || (index >= 1024 && index <= 1041); }

ProgramImage descramble(std::span<const std::uint8_t> file) {
    ProgramImage image;
    image.fill(0xFF);
    const auto data = file.subspan(2);
    const auto key = file.subspan(kScrambledKeyOffset, kScrambledKeySize);
    std::size_t next_key = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (stored_plain(i)) {
            image[i] = data[i];
            continue;
        }
        image[i] = static_cast<std::uint8_t>(key[next_key] - data[i] - 1);
        next_key = (next_key + 1) % kScrambledKeySize;
    }
    return image;
}

}  // namespace

os::Result<ProgramImage> image_from_file_bytes(std::span<const std::uint8_t> file) {
    if (file.size() == kPackedFileSize) {
        // The packed file keeps the image's second half first.
        ProgramImage image;
        std::copy(file.begin() + 40960, file.begin() + 57344, image.begin());
        std::copy(file.begin() + 24576, file.begin() + 40960, image.begin() + 16384);
        return image;
    }
    if (file.size() <= kScrambledFileMax) {
        if (file.size() < kScrambledFileMin)
            return os::plain_error("the file is too short to be a program image (" + std::to_string(file.size()) +
                                   " bytes)");
        return descramble(file);
    }
    return ProgramImage{};
}

os::Result<ProgramImage> load_program_image(const std::string& path) {
    // The packed form is the largest a program image takes.
    static_assert(kPackedFileSize > kScrambledFileMax);
    auto bytes = os::read_file(path, kPackedFileSize);
    if (!bytes) return bytes.error();
    return image_from_file_bytes(*bytes);
}

HeaderCheck check_header(const ProgramImage& image) {
    if (image[3] != 0xA5 || image[4] != 0xAA || image[5] != 0x55) return HeaderCheck::wrong_header;
    if (image[6] != 2 || image[7] != 0) return HeaderCheck::wrong_language_or_version;
    return HeaderCheck::good;
}

}  // namespace download
