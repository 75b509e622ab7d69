#include "simulator/skin/skin_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "formats/byte_reader.h"
#include "formats/file_sizes.h"
#include "platform/os/file.h"
#include "simulator/skin/skin_layout.h"
#include "simulator/skin/skin_rotation.h"

namespace sim {

namespace layout = skin_layout;

bool SkinKey::is_power_key() const {
    return name.size() >= 3 && std::tolower(static_cast<unsigned char>(name[0])) == 'o' && name[1] == '_' &&
           std::tolower(static_cast<unsigned char>(name[2])) == 'f';
}

namespace {

// Pictures larger than this on either side are no device's skin.
constexpr uint32_t kMaxPictureSide = 16384;

// Reads the fields of a skin; the first thing out of place makes it invalid.
class SkinReader {
public:
    explicit SkinReader(std::span<const uint8_t> file) : file_(file) {}

    bool ok = true;

    uint32_t u32(uint64_t at) { return take(file_.u32(at)); }
    uint16_t u16(uint64_t at) { return take(file_.u16(at)); }

    void require(bool condition) { ok = ok && condition; }

    // The 1-based image record named by the u16 at `field`.
    uint64_t image_record(uint64_t number) {
        require(number >= 1 && file_.contains(layout::kImageRecords + (number - 1) * layout::kImageRecordSize,
                                              layout::kImageRecordSize));
        return ok ? layout::kImageRecords + (number - 1) * layout::kImageRecordSize : 0;
    }

    SkinRect rect(uint64_t at) { return {u32(at), u32(at + 4), u32(at + 8), u32(at + 12)}; }

    SkinPicture picture(uint64_t number, uint32_t bits_per_pixel) {
        uint64_t record = image_record(number);
        SkinPicture picture{u32(record + layout::kImageWidth), u32(record + layout::kImageHeight), bits_per_pixel, {}};
        require(picture.width >= 1 && picture.height >= 1 && picture.width <= kMaxPictureSide &&
                picture.height <= kMaxPictureSide);
        if (!ok) return picture;
        uint64_t size = uint64_t{picture.stride()} * picture.height;
        auto bits = file_.slice(u32(record + layout::kImageBits), size);
        require(bits.has_value());
        if (ok) picture.bits.assign(bits->bytes().begin(), bits->bytes().end());
        return picture;
    }

    std::string text(uint64_t at, uint64_t size) {
        auto bytes = file_.slice(at, size);
        require(bytes.has_value());
        if (!ok) return {};
        std::string text(reinterpret_cast<const char*>(bytes->bytes().data()), size);
        return text.substr(0, text.find('\0'));
    }

    // A table of `count` records of `size` bytes at `offset`, or nothing.
    bool table(uint64_t offset, uint64_t count, uint64_t size) {
        require(file_.contains(offset, count * size));
        return ok;
    }

    std::span<const uint8_t> bytes(uint64_t at, uint64_t size) {
        auto part = file_.slice(at, size);
        require(part.has_value());
        return ok ? part->bytes() : std::span<const uint8_t>{};
    }

private:
    template <class T>
    T take(std::optional<T> value) {
        require(value.has_value());
        return value.value_or(T{});
    }
    formats::ByteReader file_;
};

bool inside(const SkinRect& r, uint32_t width, uint32_t height) {
    return uint64_t{r.x} + r.width <= width && uint64_t{r.y} + r.height <= height;
}

void read_indicators(SkinReader& in, Skin& skin, uint32_t bits_per_pixel) {
    uint64_t offset = in.u32(layout::kIndicatorOffset);
    uint16_t count = in.u16(layout::kIndicatorCount);
    if (!in.table(offset, count, layout::kIndicatorRecordSize)) return;
    for (uint16_t i = 0; i < count && in.ok; ++i) {
        uint64_t record = offset + uint64_t{i} * layout::kIndicatorRecordSize;
        SkinIndicator indicator;
        indicator.picture = in.picture(in.u32(record + layout::kIndicatorImage), bits_per_pixel);
        indicator.place = in.rect(record + layout::kIndicatorPlace);
        indicator.sort_key = in.u16(record + layout::kIndicatorSortKey);
        in.require(inside(indicator.place, skin.width, skin.height));
        skin.indicators.push_back(std::move(indicator));
    }
    std::stable_sort(skin.indicators.begin(), skin.indicators.end(),
                     [](const SkinIndicator& a, const SkinIndicator& b) { return a.sort_key < b.sort_key; });
}

void read_keys(SkinReader& in, Skin& skin) {
    uint64_t offset = in.u32(layout::kKeyOffset);
    uint16_t count = in.u16(layout::kKeyCount);
    if (!in.table(offset, count, layout::kKeyRecordSize)) return;
    for (uint16_t i = 0; i < count && in.ok; ++i) {
        uint64_t record = offset + uint64_t{i} * layout::kKeyRecordSize;
        SkinKey key;
        key.name = in.text(record + layout::kKeyName, layout::kKeyNameSize);
        key.area = in.rect(record + layout::kKeyArea);
        key.device_code = uint32_t{in.u16(record + layout::kKeyCodeHigh)} << 16 | in.u16(record + layout::kKeyCodeLow);
        key.pc_keys = {in.u16(record + layout::kKeyPcFirst), in.u16(record + layout::kKeyPcSecond)};
        in.require(inside(key.area, skin.width, skin.height));
        skin.keys.push_back(std::move(key));
    }
}

void read_outline(SkinReader& in, Skin& skin) {
    uint64_t offset = in.u32(layout::kOutlineOffset);
    uint16_t count = in.u16(layout::kOutlineCount);
    in.require(count >= 1);
    if (!in.table(offset, count, layout::kOutlinePointSize)) return;
    for (uint16_t i = 0; i < count && in.ok; ++i) {
        SkinPoint point{in.u32(offset + uint64_t{i} * 8), in.u32(offset + uint64_t{i} * 8 + 4)};
        in.require(point.x <= skin.width && point.y <= skin.height);  // mirroring stays inside the window
        skin.outline_points.push_back(point);
    }
    // A closed list needs three corners besides the repeated first point.
    in.require(skin.outline_points.front() != skin.outline_points.back() || count >= 4);
}

void read_lcd(SkinReader& in, Skin& skin) {
    uint64_t at = in.u32(layout::kLcdOffset);
    LcdDescription& lcd = skin.lcd;
    lcd = {in.u32(at), in.u32(at + 4), in.u32(at + 8), in.u32(at + 12), in.u32(at + 16)};
    in.require(lcd.pixel_size >= 1 && lcd.left < lcd.right && lcd.top < lcd.bottom && lcd.right <= skin.width &&
               lcd.bottom <= skin.height);
    in.require(in.ok && lcd.columns() >= 1 && lcd.rows() >= 1);
}

}  // namespace

std::variant<Skin, SimFailure> parse_skin(std::span<const uint8_t> file) {
    SkinReader in(file);
    in.require(file.size() >= layout::kImageRecords && file[0] == layout::kMagic[0] && file[1] == layout::kMagic[1]);
    if (!in.ok) return sim_failure(kInvalidSkin);

    Skin skin;
    skin.display_name = in.text(layout::kDisplayName, layout::kDisplayNameSize);
    std::memcpy(skin.bitmap_info.data(), file.data() + layout::kBitmapInfo, layout::kBitmapInfoSize);
    uint16_t bits_per_pixel = in.u16(layout::kBitmapInfo + layout::kInfoBitCount);
    // Pictures carry no palette, so only direct-colour uncompressed pictures can be drawn.
    in.require((bits_per_pixel == 16 || bits_per_pixel == 24 || bits_per_pixel == 32) &&
               in.u32(layout::kBitmapInfo + layout::kInfoCompression) == 0);

    if (in.ok) skin.device = in.picture(in.u16(layout::kDeviceImage), bits_per_pixel);
    skin.width = skin.device.width;
    skin.height = skin.device.height;
    if (in.ok) skin.pressed = in.picture(in.u16(layout::kPressedImage), bits_per_pixel);
    in.require(skin.pressed.width == skin.width && skin.pressed.height == skin.height);
    in.image_record(in.u16(layout::kThirdImage));
    uint64_t lcd_record = in.image_record(in.u16(layout::kLcdImage));
    skin.lcd_area = {in.u32(lcd_record + layout::kImageX), in.u32(lcd_record + layout::kImageY),
                     in.u32(lcd_record + layout::kImageWidth), in.u32(lcd_record + layout::kImageHeight)};
    in.require(inside(skin.lcd_area, skin.width, skin.height));

    if (in.ok) read_indicators(in, skin, bits_per_pixel);
    if (in.ok) read_keys(in, skin);
    if (in.ok) read_outline(in, skin);
    if (in.ok) read_lcd(in, skin);
    auto icon = in.bytes(in.u32(layout::kIconOffset), in.u16(layout::kIconLength));
    skin.icon_file.assign(icon.begin(), icon.end());
    if (!in.ok) return sim_failure(kInvalidSkin);

    skin.rotated = rotate_skin(skin);
    return skin;
}

std::variant<Skin, SimFailure> load_skin(const std::filesystem::path& path) {
    auto file = os::read_file(path.string(), formats::kLargestSkinFile);
    if (!file) return system_failure(kCreateFileError, file.error(), path.string());
    return parse_skin(*file);
}

}  // namespace sim
