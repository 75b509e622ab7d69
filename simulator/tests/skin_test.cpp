#include <gtest/gtest.h>

#include "formats/byte_reader.h"
#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_icon.h"
#include "simulator/skin/skin_layout.h"
#include "simulator/skin/skin_list.h"
#include "simulator/skin/skin_outline.h"
#include "simulator/skin/skin_switch.h"
#include "simulator/tests/sim_fixtures.h"

namespace {

namespace layout = sim::skin_layout;
using sim_fixtures::pixel_at;

const std::vector<uint8_t> kSkinFile = sim::write_skin(sim_fixtures::small_skin());

sim::Skin parsed(const std::vector<uint8_t>& file) {
    auto result = sim::parse_skin(file);
    if (auto* failure = std::get_if<sim::SimFailure>(&result)) {
        ADD_FAILURE() << failure->text;
        return {};
    }
    return std::get<sim::Skin>(std::move(result));
}

int failure_id(const std::vector<uint8_t>& file) {
    auto result = sim::parse_skin(file);
    return std::holds_alternative<sim::SimFailure>(result) ? std::get<sim::SimFailure>(result).id : 0;
}

TEST(Skin, ParsesEveryPart) {
    sim::Skin skin = parsed(kSkinFile);
    EXPECT_EQ(skin.display_name, "Test Skin");
    EXPECT_EQ(skin.width, 40u);
    EXPECT_EQ(skin.height, 30u);
    EXPECT_EQ(pixel_at(skin.device, 7, 5), (std::array<uint8_t, 3>{7, 5, 1}));
    EXPECT_EQ(pixel_at(skin.pressed, 7, 5), (std::array<uint8_t, 3>{7, 5, 2}));
    EXPECT_EQ(skin.lcd.columns(), 12u);
    EXPECT_EQ(skin.lcd.rows(), 6u);
    EXPECT_EQ(skin.lcd_area.width, 24u);

    ASSERT_EQ(skin.indicators.size(), 2u);
    EXPECT_EQ(skin.indicators[0].sort_key, 3) << "sorted by their sort key";
    EXPECT_EQ(pixel_at(skin.indicators[0].picture, 0, 0)[2], 8);
    EXPECT_EQ(skin.indicators[1].place.y, 4u);

    ASSERT_EQ(skin.keys.size(), 2u);
    EXPECT_TRUE(skin.keys[0].is_power_key());
    EXPECT_FALSE(skin.keys[1].is_power_key());
    EXPECT_EQ(skin.keys[1].name, "left");
    EXPECT_EQ(skin.keys[1].device_code, 0x00020004u);
    EXPECT_EQ(skin.keys[1].pc_keys[1], 0x64);
    EXPECT_TRUE(skin.keys[1].area.contains(15, 24));
    EXPECT_FALSE(skin.keys[1].area.contains(16, 24));

    auto icon = sim::decode_skin_icon(skin.icon_file, "t.cfs");
    ASSERT_TRUE(std::holds_alternative<sim::SkinIcon>(icon));
    const auto& argb = std::get<sim::SkinIcon>(icon).argb;
    EXPECT_EQ(argb, (std::vector<uint32_t>{0xFF112233, 0x00000000, 0x80445566, 0xFF778899}));
}

TEST(Skin, EveryTruncationIsRefused) {
    for (std::size_t size = 0; size < kSkinFile.size(); ++size) {
        std::vector<uint8_t> cut(kSkinFile.begin(), kSkinFile.begin() + static_cast<std::ptrdiff_t>(size));
        ASSERT_EQ(failure_id(cut), sim::kInvalidSkin) << "cut at " << size;
    }
}

TEST(Skin, OutOfPlaceFieldsAreRefused) {
    formats::ByteReader header(kSkinFile);
    uint32_t keys = *header.u32(layout::kKeyOffset);
    uint32_t indicators = *header.u32(layout::kIndicatorOffset);
    uint32_t outline = *header.u32(layout::kOutlineOffset);
    uint32_t lcd = *header.u32(layout::kLcdOffset);
    struct Case {
        const char* what;
        std::size_t at;
        uint32_t value;
        int bytes;
    };
    const Case cases[] = {
        {"magic", 0, 'x', 1},
        {"device image 0", layout::kDeviceImage, 0, 2},
        {"device image past the records", layout::kDeviceImage, 60000, 2},
        {"pressed image past the records", layout::kPressedImage, 900, 2},
        {"LCD image 0", layout::kLcdImage, 0, 2},
        {"huge device width", layout::kImageRecords + layout::kImageWidth, 0xFFFFFFFF, 4},
        {"pressed picture of another size", layout::kImageRecords + 33 + layout::kImageHeight, 29, 4},
        {"device bits past the end", layout::kImageRecords + layout::kImageBits, 0xFFFFFF00, 4},
        {"icon past the end", layout::kIconOffset, 0xFFFFFFF0, 4},
        {"indicator count", layout::kIndicatorCount, 0xFFFF, 2},
        {"indicator image 0", indicators + layout::kIndicatorImage, 0, 4},
        {"indicator outside the window", indicators + layout::kIndicatorPlace, 38, 4},
        {"key table past the end", layout::kKeyOffset, 0xFFFFFFF0, 4},
        {"key outside the window", keys + layout::kKeyArea + 4, 26, 4},
        {"key of huge width", keys + layout::kKeyArea + 8, 0xFFFFFFFF, 4},
        {"no outline points", layout::kOutlineCount, 0, 2},
        {"outline point outside", outline, 41, 4},
        {"LCD description past the end", layout::kLcdOffset, 0xFFFFFFFF, 4},
        {"LCD pixel size 0", lcd + 16, 0, 4},
        {"LCD right of the window", lcd + 8, 41, 4},
        {"LCD narrower than a pixel", lcd + 8, 5, 4},
        {"8-bit pictures", layout::kBitmapInfo + layout::kInfoBitCount, 8, 2},
        {"compressed pictures", layout::kBitmapInfo + layout::kInfoCompression, 1, 4},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = kSkinFile;
        std::memcpy(file.data() + c.at, &c.value, c.bytes);
        EXPECT_EQ(failure_id(file), sim::kInvalidSkin) << c.what;
    }
}

TEST(Skin, TurnedViewMovesPicturesAndRectangles) {
    sim::Skin skin = parsed(kSkinFile);
    ASSERT_TRUE(skin.rotated);
    const sim::RotatedSkin& turned = *skin.rotated;
    EXPECT_EQ(turned.device.width, 30u);
    EXPECT_EQ(turned.device.height, 40u);
    // Screen point (X, Y) of the turned picture shows (Y, H - 1 - X) of the original.
    for (auto [x, y] : {std::pair{0u, 0u}, {29u, 0u}, {3u, 17u}, {29u, 39u}}) {
        EXPECT_EQ(pixel_at(turned.device, x, y), pixel_at(skin.device, y, 29 - x)) << x << "," << y;
        EXPECT_EQ(pixel_at(turned.pressed, x, y), pixel_at(skin.pressed, y, 29 - x)) << x << "," << y;
    }
    EXPECT_EQ(turned.indicator_pictures[0].width, 2u);
    EXPECT_EQ(turned.key_areas[0].x, 5u);  // (2, 20, 6, 5) -> (30 - 20 - 5, 2, 5, 6)
    EXPECT_EQ(turned.key_areas[0].y, 2u);
    EXPECT_EQ(turned.key_areas[0].width, 5u);
    EXPECT_EQ(turned.key_areas[0].height, 6u);
    EXPECT_EQ(turned.indicator_places[0].x, 20u);  // (30, 8, 3, 2) -> (30 - 8 - 2, 30, 2, 3)
    EXPECT_EQ(turned.lcd.left, 16u);
    EXPECT_EQ(turned.lcd.top, 4u);
    EXPECT_EQ(turned.lcd.right, 28u);
    EXPECT_EQ(turned.lcd.bottom, 28u);

    sim::LcdBuffers buffers = sim::make_lcd_buffers(skin);
    EXPECT_EQ(buffers.row_status.size(), 6u);
    EXPECT_EQ(buffers.normal.bits.size(), 4u * 6);
    EXPECT_EQ(buffers.turned.columns, 6u);
    EXPECT_EQ(buffers.turned.rows, 12u);
    EXPECT_EQ(buffers.turned.bits.size(), 4u * 12) << "sized from the turned geometry";
}

TEST(Skin, PicturesOtherThan24BitsHaveNoTurnedView) {
    std::vector<uint8_t> file = kSkinFile;
    file[layout::kBitmapInfo + layout::kInfoBitCount] = 16;
    sim::Skin skin = parsed(file);
    EXPECT_EQ(skin.device.stride(), 80u);
    EXPECT_FALSE(skin.rotated);
}

TEST(Skin, QuarterOutlineIsMirroredIntoAWholeOne) {
    sim::Skin skin = parsed(kSkinFile);
    std::vector<sim::SkinPoint> expected = {{0, 3},   {3, 0},   {20, 0},   // as stored
                                            {20, 30}, {3, 30},  {0, 27},   // reversed, top to bottom
                                            {40, 27}, {37, 30}, {20, 30},  // in order, both ways
                                            {20, 0},  {37, 0},  {40, 3},   // reversed, left to right
                                            {0, 3}};
    EXPECT_EQ(sim::window_outline(skin, false), expected);
    auto turned = sim::window_outline(skin, true);
    ASSERT_EQ(turned.size(), 13u);
    EXPECT_EQ(turned[0], (sim::SkinPoint{27, 0}));

    skin.outline_points = {{0, 0}, {40, 0}, {40, 30}, {0, 0}};
    EXPECT_EQ(sim::window_outline(skin, false), skin.outline_points) << "a closed list stands as it is";
}

TEST(Skin, IconFailures) {
    auto id_of = [](std::vector<uint8_t> icon) {
        auto result = sim::decode_skin_icon(icon, "x.cfs");
        return std::holds_alternative<sim::SimFailure>(result) ? std::get<sim::SimFailure>(result).id : 0;
    };
    auto good = sim::write_icon_file(2, 2, {0, 0, 0, 0});
    auto no_images = good;
    no_images[4] = 0;
    auto cursor = good;
    cursor[2] = 2;
    auto eight_bit = good;
    eight_bit[22 + 14] = 8;
    auto far_image = good;
    far_image[18] = 0xF0;
    EXPECT_EQ(id_of(good), 0);
    EXPECT_EQ(id_of({}), sim::kNoIcon);
    EXPECT_EQ(id_of(no_images), sim::kNoIcon);
    EXPECT_EQ(id_of(cursor), sim::kNotAnIcon);
    EXPECT_EQ(id_of(eight_bit), sim::kNotAnIcon);
    EXPECT_EQ(id_of(far_image), sim::kNotAnIcon);
    EXPECT_EQ(id_of({0, 0, 1}), sim::kNotAnIcon);
    EXPECT_EQ(id_of(std::vector<uint8_t>(good.begin(), good.end() - 1)), sim::kNotAnIcon);
}

TEST(Skin, SkinsOfTheProgramFolderAndTheOneChosenAtStart) {
    testing_kit::TempDir dir;
    std::string skin = sim_fixtures::as_text(kSkinFile);
    dir.write("b.cfs", skin);
    dir.write("A.CFS", skin);
    dir.write("notes.txt", "not a skin");
    sim::SkinList list = sim::find_skins(dir.path(), "/elsewhere/B.cfs");
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].path.filename(), "A.CFS");
    EXPECT_EQ(list.entries[0].display_name, "Test Skin");
    EXPECT_EQ(list.current, 1u) << "-if: picks by file name, without case";
    EXPECT_FALSE(list.problem);
    EXPECT_EQ(sim::find_skins(dir.path(), "").current, 0u);

    EXPECT_EQ(sim::start_skin_path(list, dir.path(), std::nullopt), dir / "b.cfs");
    EXPECT_EQ(sim::start_skin_path(list, dir.path(), std::string("mine")), dir / "mine.cfs")
        << "the remembered skin wins over -if:";
    EXPECT_EQ(sim::start_skin_path(list, dir.path(), std::string("x.skin")), dir / "x.skin");

    dir.write("c.cfs", "su short");
    dir.write("d.cfs", skin);
    list = sim::find_skins(dir.path(), "");
    EXPECT_EQ(list.entries.size(), 2u) << "the search stops at a short header";
    ASSERT_TRUE(list.problem);
    EXPECT_EQ(list.problem->id, sim::kSkinHeaderIncomplete);
}

TEST(Skin, ChoosingASkinReadsItWholeOrRefusesIt) {
    testing_kit::TempDir dir;
    auto first = dir.write("a.cfs", sim_fixtures::as_text(kSkinFile));
    sim::SkinSource other_source = sim_fixtures::small_skin();
    other_source.display_name = "Other";
    auto other = dir.write("b.cfs", sim_fixtures::as_text(sim::write_skin(other_source)));
    auto broken = dir.write("c.cfs", "su but nothing more");
    sim::SkinSource wide_source = sim_fixtures::small_skin();
    wide_source.lcd = {4, 2, 30, 14, 2};  // one device pixel wider
    auto wide = dir.write("d.cfs", sim_fixtures::as_text(sim::write_skin(wide_source)));
    sim::LoadedSkin current{first, parsed(kSkinFile)};

    EXPECT_TRUE(std::holds_alternative<std::monostate>(sim::read_chosen_skin(current, first)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(sim::read_chosen_skin(current, dir / "." / "a.cfs")))
        << "the loaded file under another spelling";
    for (const auto& refused : {broken, wide, dir / "missing.cfs"}) {
        auto chosen = sim::read_chosen_skin(current, refused);
        ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(chosen)) << refused;
        EXPECT_EQ(std::get<sim::SimFailure>(chosen).id, sim::kReloadSkinError);
    }
    auto chosen = sim::read_chosen_skin(current, other);
    ASSERT_TRUE(std::holds_alternative<sim::LoadedSkin>(chosen));
    EXPECT_EQ(std::get<sim::LoadedSkin>(chosen).path, other);
    EXPECT_EQ(std::get<sim::LoadedSkin>(chosen).skin.display_name, "Other");
}

}  // namespace
