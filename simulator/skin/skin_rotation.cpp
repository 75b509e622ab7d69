#include "simulator/skin/skin_rotation.h"

#include <cstring>

namespace sim {

namespace {
constexpr uint32_t kTurnableBitsPerPixel = 24;
constexpr uint32_t kBytesPerPixel = 3;
}  // namespace

std::optional<SkinPicture> rotate_picture(const SkinPicture& picture) {
    if (picture.bits_per_pixel != kTurnableBitsPerPixel) return std::nullopt;
    SkinPicture turned{picture.height, picture.width, kTurnableBitsPerPixel, {}};
    turned.bits.assign(uint64_t{turned.stride()} * turned.height, 0);
    uint32_t old_stride = picture.stride(), new_stride = turned.stride();
    // Rows are stored bottom-up. On screen (X, Y) of the turned picture shows
    // (Y, H - 1 - X) of the original, so stored row j of the turned picture is
    // the original's column W - 1 - j, read along its stored rows.
    for (uint32_t row = 0; row < turned.height; ++row) {
        uint32_t column = picture.width - 1 - row;
        uint8_t* out = turned.bits.data() + uint64_t{row} * new_stride;
        for (uint32_t x = 0; x < turned.width; ++x)
            std::memcpy(out + uint64_t{x} * kBytesPerPixel,
                        picture.bits.data() + uint64_t{x} * old_stride + uint64_t{column} * kBytesPerPixel,
                        kBytesPerPixel);
    }
    return turned;
}

SkinRect rotate_rect(const SkinRect& rect, uint32_t window_height) {
    return {window_height - rect.y - rect.height, rect.x, rect.height, rect.width};
}

std::optional<RotatedSkin> rotate_skin(const Skin& skin) {
    auto device = rotate_picture(skin.device);
    auto pressed = rotate_picture(skin.pressed);
    if (!device || !pressed) return std::nullopt;
    RotatedSkin turned{std::move(*device), std::move(*pressed), {}, {}, {}, {}};
    for (const SkinIndicator& indicator : skin.indicators) {
        auto picture = rotate_picture(indicator.picture);
        if (!picture) return std::nullopt;
        turned.indicator_pictures.push_back(std::move(*picture));
        turned.indicator_places.push_back(rotate_rect(indicator.place, skin.height));
    }
    for (const SkinKey& key : skin.keys) turned.key_areas.push_back(rotate_rect(key.area, skin.height));
    const LcdDescription& lcd = skin.lcd;
    SkinRect area = rotate_rect({lcd.left, lcd.top, lcd.right - lcd.left, lcd.bottom - lcd.top}, skin.height);
    turned.lcd = {area.x, area.y, area.x + area.width, area.y + area.height, lcd.pixel_size};
    return turned;
}

}  // namespace sim
