// Loading program images: the packed and scrambled forms, and the header check.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "ide/download/program_image.h"
#include "platform/os/file.h"
#include "testing/temp_dir.h"

namespace download {
namespace {

TEST(ProgramImage, APackedFileSendsItsLastSixteenKilobytesFirst) {
    std::vector<std::uint8_t> file(kPackedFileSize);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i / 4096);
    auto image = image_from_file_bytes(file);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ((*image)[0], 40960 / 4096);
    EXPECT_EQ((*image)[16383], 57343 / 4096);
    EXPECT_EQ((*image)[16384], 24576 / 4096);
    EXPECT_EQ((*image)[32767], 40959 / 4096);
}

// Builds a scrambled file whose restored image is `plain`, with `key`, as the packer would.
std::vector<std::uint8_t> scramble(const std::vector<std::uint8_t>& plain, const std::uint8_t (&key)[18]) {
    std::vector<std::uint8_t> file(plain.size() + 2, 0);
    std::size_t next = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const bool kept = (i >= 13 && i <= 44) || (i >= 1024 && i <= 1041);
        if (kept) {
            file[i + 2] = i >= 1024 && i <= 1041 ? key[i - 1024] : plain[i];
        } else {
            file[i + 2] = static_cast<std::uint8_t>(key[next] - plain[i] - 1);
            next = (next + 1) % 18;
        }
    }
    return file;
}

TEST(ProgramImage, AScrambledFileIsRestoredWithItsKeyAndTheRestIsFilled) {
    const std::uint8_t key[18] = {3, 141, 59, 26, 53, 58, 97, 93, 23, 84, 62, 64, 33, 83, 27, 95, 2, 88};
    for (std::size_t data_size : {std::size_t(32768), std::size_t(5000)}) {
        std::vector<std::uint8_t> plain(data_size);
        for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i * 7 + 1);
        for (int i = 0; i < 18; ++i) plain[1024 + i] = key[i];  // the key's place holds the key
        auto image = image_from_file_bytes(scramble(plain, key));
        ASSERT_TRUE(image.ok());
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(), image->begin())) << data_size;
        EXPECT_TRUE(std::all_of(image->begin() + data_size, image->end(), [](auto b) { return b == 0xFF; }));
    }
}

TEST(ProgramImage, FilesOfNoKnownFormAreRefusedOrGiveAnEmptyImage) {
    EXPECT_FALSE(image_from_file_bytes(std::vector<std::uint8_t>(kScrambledFileMin - 1)).ok());
    EXPECT_FALSE(image_from_file_bytes({}).ok());
    for (std::size_t size : {kScrambledFileMax + 1, kPackedFileSize - 1, kPackedFileSize + 1}) {
        auto image = image_from_file_bytes(std::vector<std::uint8_t>(size, 0x77));
        ASSERT_TRUE(image.ok()) << size;
        EXPECT_EQ(check_header(*image), HeaderCheck::wrong_header) << size;
    }
}

TEST(ProgramImage, HeaderCheck) {
    struct Case {
        std::uint8_t bytes[5];
        HeaderCheck expected;
    } cases[] = {
        {{0xA5, 0xAA, 0x55, 2, 0}, HeaderCheck::good},
        {{0xA5, 0xAA, 0x54, 2, 0}, HeaderCheck::wrong_header},
        {{0x00, 0xAA, 0x55, 2, 0}, HeaderCheck::wrong_header},
        {{0xA5, 0xAA, 0x55, 1, 0}, HeaderCheck::wrong_language_or_version},
        {{0xA5, 0xAA, 0x55, 2, 1}, HeaderCheck::wrong_language_or_version},
    };
    for (const auto& c : cases) {
        ProgramImage image{};
        std::copy(std::begin(c.bytes), std::end(c.bytes), image.begin() + 3);
        EXPECT_EQ(check_header(image), c.expected);
    }
}

TEST(ProgramImage, AMissingFileIsReportedWithItsPath) {
    testing_kit::TempDir dir;
    auto image = load_program_image((dir.path() / "none.bin").string());
    ASSERT_FALSE(image.ok());
    EXPECT_NE(image.error().text.find("none.bin"), std::string::npos) << image.error().text;
}

}  // namespace
}  // namespace download
