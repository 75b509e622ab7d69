#include "tools/packer/pack_image.h"

#include <cstring>

#include <gtest/gtest.h>

#include "formats/image_file.h"

namespace packer {
namespace {

// An image whose banks hold the given lengths of bytes; byte i of bank b is (b + i) & 0xFF.
std::vector<std::uint8_t> image_with(const std::vector<std::uint32_t>& lengths) {
    std::vector<std::uint8_t> image(formats::kImageBank0Offset, 0);
    image[formats::kImagePrefixOffset] = 0x55;
    image[formats::kImagePrefixOffset + 1] = 0x24;
    for (std::size_t b = 0; b < lengths.size(); ++b) {
        const formats::ImageBankEntry entry{std::uint32_t(image.size()), lengths[b]};
        std::memcpy(image.data() + 8 * b, &entry, sizeof entry);
        for (std::uint32_t i = 0; i < lengths[b]; ++i) image.push_back(std::uint8_t(b + i));
    }
    return image;
}

TEST(Packer, SwapsTheHalvesOfEachBankAndPadsWithFF) {
    auto packed = pack_image(image_with({0x4010, 0x20}));
    ASSERT_EQ(packed.error, "");
    ASSERT_EQ(packed.program.size(), 2u * 0x8000);
    const auto& p = packed.program;
    EXPECT_EQ(p[0x4000], 0x00);                  // bank 0 byte 0: the head
    EXPECT_EQ(p[0x7FFF], 0xFF);                  // bank 0 byte 0x3FFF
    EXPECT_EQ(p[0x0000], std::uint8_t(0x4000));  // bank 0 byte 0x4000
    EXPECT_EQ(p[0x000F], std::uint8_t(0x400F));
    EXPECT_EQ(p[0x0010], 0xFF);           // past bank 0's length
    EXPECT_EQ(p[0x8000 + 0x4000], 0x01);  // bank 1 byte 0
    EXPECT_EQ(p[0x8000 + 0x401F], 0x20);
    EXPECT_EQ(p[0x8000 + 0x4020], 0xFF);
    EXPECT_EQ(p[0x8000], 0xFF);
}

TEST(Packer, RefusesBrokenImages) {
    auto outside = image_with({0x10});
    outside[4] = 0x40;  // bank 0 claims more bytes than the file holds
    auto too_long = image_with({0x10});
    too_long[6] = 0x01;  // 0x10010 bytes
    auto not_image = image_with({0x10});
    not_image[formats::kImagePrefixOffset] = 0;
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {{1, 2, 3}, "shorter than a bank table"},
        {image_with({}), "no bank has any bytes"},
        {not_image, "not a bank image"},
        {outside, "bank 0 lies outside the file"},
        {too_long, "bank 0 is longer than 0x8000 bytes"},
    };
    for (const auto& [image, error] : cases) EXPECT_EQ(pack_image(image).error, error);
}

}  // namespace
}  // namespace packer
