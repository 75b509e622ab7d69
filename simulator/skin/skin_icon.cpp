#include "simulator/skin/skin_icon.h"

#include "formats/byte_reader.h"

namespace sim {

namespace {

constexpr uint16_t kIconType = 1;
constexpr std::size_t kDirectorySize = 6, kInfoHeaderSize = 40;  // the first 16-byte entry follows the directory
constexpr uint32_t kMaxIconSide = 256;

}  // namespace

std::variant<SkinIcon, SimFailure> decode_skin_icon(std::span<const uint8_t> icon_file, const std::string& skin_name) {
    formats::ByteReader file(icon_file);
    auto reserved = file.u16(0), type = file.u16(2), count = file.u16(4);
    if (icon_file.empty() || (count && *count == 0)) return sim_failure(kNoIcon, skin_name);
    auto not_icon = [&] { return sim_failure(kNotAnIcon, skin_name); };
    if (!reserved || !type || !count || *reserved != 0 || *type != kIconType) return not_icon();

    auto length = file.u32(kDirectorySize + 8), offset = file.u32(kDirectorySize + 12);
    if (!length || !offset) return not_icon();
    auto image = file.slice(*offset, *length);
    if (!image) return not_icon();
    // The image is a bitmap information header, the colour rows (bottom-up,
    // twice the icon's height counting the mask) and a 1-bit mask.
    auto header_size = image->u32(0), width = image->u32(4), double_height = image->u32(8);
    auto compression = image->u32(16);
    auto bit_count = image->u16(14);
    if (!header_size || *header_size < kInfoHeaderSize || !bit_count || !compression || *compression != 0 ||
        (*bit_count != 24 && *bit_count != 32) || *width == 0 || *width > kMaxIconSide || *double_height % 2 ||
        *double_height == 0 || *double_height / 2 > kMaxIconSide)
        return not_icon();

    SkinIcon icon{*width, *double_height / 2, {}};
    uint64_t colour_stride = (uint64_t{icon.width} * *bit_count + 31) / 32 * 4;
    uint64_t mask_stride = (uint64_t{icon.width} + 31) / 32 * 4;
    auto colours = image->slice(*header_size, colour_stride * icon.height);
    auto mask = image->slice(*header_size + colour_stride * icon.height, mask_stride * icon.height);
    if (!colours || !mask) return not_icon();

    const uint8_t* c = colours->bytes().data();
    const uint8_t* m = mask->bytes().data();
    icon.argb.resize(uint64_t{icon.width} * icon.height);
    for (uint32_t y = 0; y < icon.height; ++y) {
        uint32_t stored = icon.height - 1 - y;
        for (uint32_t x = 0; x < icon.width; ++x) {
            const uint8_t* pixel = c + stored * colour_stride + uint64_t{x} * (*bit_count / 8);
            bool transparent = (m[stored * mask_stride + x / 8] >> (7 - x % 8)) & 1;
            uint32_t alpha = transparent ? 0 : *bit_count == 32 ? pixel[3] : 0xFF;
            icon.argb[uint64_t{y} * icon.width + x] = alpha << 24 | uint32_t{pixel[2]} << 16 | pixel[1] << 8 | pixel[0];
        }
    }
    return icon;
}

}  // namespace sim
