#include "simulator/skin/skin_writer.h"

#include <algorithm>
#include <cstring>

#include "simulator/skin/skin_layout.h"

namespace sim {

namespace layout = skin_layout;

namespace {

class ByteWriter {
public:
    std::vector<uint8_t> bytes;

    void put_u16(std::size_t at, uint16_t value) { put(at, &value, 2); }
    void put_u32(std::size_t at, uint32_t value) { put(at, &value, 4); }
    void put(std::size_t at, const void* data, std::size_t size) {
        if (bytes.size() < at + size) bytes.resize(at + size);
        std::memcpy(bytes.data() + at, data, size);
    }
    void put_rect(std::size_t at, const SkinRect& r) {
        put_u32(at, r.x);
        put_u32(at + 4, r.y);
        put_u32(at + 8, r.width);
        put_u32(at + 12, r.height);
    }
    // Appends at the end and returns where the bytes went.
    uint32_t append(const std::vector<uint8_t>& data) {
        auto at = static_cast<uint32_t>(bytes.size());
        bytes.insert(bytes.end(), data.begin(), data.end());
        return at;
    }
    uint32_t reserve(std::size_t size) {
        auto at = static_cast<uint32_t>(bytes.size());
        bytes.resize(bytes.size() + size);
        return at;
    }
};

void put_image_record(ByteWriter& out, uint16_t number, const SkinRect& placement, uint32_t bits) {
    std::size_t at = layout::kImageRecords + (number - 1u) * layout::kImageRecordSize;
    out.put_u32(at + layout::kImageWidth, placement.width);
    out.put_u32(at + layout::kImageHeight, placement.height);
    out.put_u32(at + layout::kImageX, placement.x);
    out.put_u32(at + layout::kImageY, placement.y);
    out.put_u32(at + layout::kImageBits, bits);
}

}  // namespace

std::vector<uint8_t> write_skin(const SkinSource& source) {
    ByteWriter out;
    auto image_count = static_cast<uint16_t>(4 + source.indicators.size());
    out.reserve(layout::kImageRecords + image_count * layout::kImageRecordSize);
    out.put(0, layout::kMagic, 2);
    std::string name = source.display_name.substr(0, layout::kDisplayNameSize - 1);
    out.put(layout::kDisplayName, name.data(), name.size());

    const SkinPicture& device = source.device;
    uint32_t info[10] = {40, device.width, device.height, 1u | (24u << 16), 0, 0, 0, 0, 0, 0};
    out.put(layout::kBitmapInfo, info, sizeof info);

    SkinRect whole{0, 0, device.width, device.height};
    uint32_t device_bits = out.append(device.bits);
    put_image_record(out, 1, whole, device_bits);
    put_image_record(out, 2, whole, out.append(source.pressed.bits));
    put_image_record(out, 3, whole, device_bits);
    put_image_record(out, 4, source.lcd_area, 0);
    out.put_u16(layout::kDeviceImage, 1);
    out.put_u16(layout::kPressedImage, 2);
    out.put_u16(layout::kThirdImage, 3);
    out.put_u16(layout::kLcdImage, 4);

    uint32_t indicators = out.reserve(source.indicators.size() * layout::kIndicatorRecordSize);
    for (std::size_t i = 0; i < source.indicators.size(); ++i) {
        const SkinIndicator& indicator = source.indicators[i];
        auto number = static_cast<uint16_t>(5 + i);
        SkinRect size{0, 0, indicator.picture.width, indicator.picture.height};
        put_image_record(out, number, size, out.append(indicator.picture.bits));
        std::size_t at = indicators + i * layout::kIndicatorRecordSize;
        out.put_u32(at + layout::kIndicatorImage, number);
        out.put_rect(at + layout::kIndicatorPlace, indicator.place);
        out.put_u16(at + layout::kIndicatorSortKey, indicator.sort_key);
    }
    out.put_u32(layout::kIndicatorOffset, indicators);
    out.put_u16(layout::kIndicatorCount, static_cast<uint16_t>(source.indicators.size()));

    uint32_t keys = out.reserve(source.keys.size() * layout::kKeyRecordSize);
    for (std::size_t i = 0; i < source.keys.size(); ++i) {
        const SkinKey& key = source.keys[i];
        std::size_t at = keys + i * layout::kKeyRecordSize;
        out.put(at + layout::kKeyName, key.name.data(), std::min(key.name.size(), layout::kKeyNameSize - 1));
        out.put_rect(at + layout::kKeyArea, key.area);
        out.put_u16(at + layout::kKeyCodeLow, static_cast<uint16_t>(key.device_code));
        out.put_u16(at + layout::kKeyCodeHigh, static_cast<uint16_t>(key.device_code >> 16));
        out.put_u16(at + layout::kKeyPcFirst, key.pc_keys[0]);
        out.put_u16(at + layout::kKeyPcSecond, key.pc_keys[1]);
    }
    out.put_u32(layout::kKeyOffset, keys);
    out.put_u16(layout::kKeyCount, static_cast<uint16_t>(source.keys.size()));

    uint32_t outline = out.reserve(source.outline.size() * layout::kOutlinePointSize);
    for (std::size_t i = 0; i < source.outline.size(); ++i) {
        out.put_u32(outline + i * 8, source.outline[i].x);
        out.put_u32(outline + i * 8 + 4, source.outline[i].y);
    }
    out.put_u32(layout::kOutlineOffset, outline);
    out.put_u16(layout::kOutlineCount, static_cast<uint16_t>(source.outline.size()));

    const LcdDescription& lcd = source.lcd;
    uint32_t lcd_at = out.reserve(layout::kLcdDescriptionSize);
    uint32_t lcd_fields[5] = {lcd.left, lcd.top, lcd.right, lcd.bottom, lcd.pixel_size};
    out.put(lcd_at, lcd_fields, sizeof lcd_fields);
    out.put_u32(layout::kLcdOffset, lcd_at);

    out.put_u32(layout::kIconOffset, out.append(source.icon_file));
    out.put_u16(layout::kIconLength, static_cast<uint16_t>(source.icon_file.size()));
    return std::move(out.bytes);
}

std::vector<uint8_t> write_icon_file(uint32_t width, uint32_t height, const std::vector<uint32_t>& argb) {
    ByteWriter out;
    uint32_t colour_size = width * height * 4;
    uint32_t mask_stride = (width + 31) / 32 * 4;
    uint32_t image_size = 40 + colour_size + mask_stride * height;
    out.put_u16(0, 0);
    out.put_u16(2, 1);
    out.put_u16(4, 1);
    uint8_t entry_sizes[4] = {static_cast<uint8_t>(width), static_cast<uint8_t>(height), 0, 0};
    out.put(6, entry_sizes, 4);
    out.put_u16(10, 1);
    out.put_u16(12, 32);
    out.put_u32(14, image_size);
    out.put_u32(18, 22);
    uint32_t info[10] = {40, width, height * 2, 1u | (32u << 16), 0, colour_size + mask_stride * height, 0, 0, 0, 0};
    out.put(22, info, sizeof info);
    std::size_t colours = 22 + 40, mask = colours + colour_size;
    out.reserve(colour_size + mask_stride * height);
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t stored = height - 1 - y;
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t pixel = argb[uint64_t{y} * width + x];
            out.put_u32(colours + (uint64_t{stored} * width + x) * 4, pixel);
            if ((pixel >> 24) == 0)
                out.bytes[mask + stored * mask_stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return std::move(out.bytes);
}

}  // namespace sim
