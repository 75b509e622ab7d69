#include <set>

#include <gtest/gtest.h>

#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_icon.h"
#include "simulator/skin/skin_outline.h"
#include "tools/mkskin/device_skin.h"

namespace {

bool overlap(const sim::SkinRect& a, const sim::SkinRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(DeviceSkin, BothScalesReadBackAsCompleteSkins) {
    for (int scale : {1, 2}) {
        auto result = sim::parse_skin(sim::write_skin(mkskin::draw_device_skin(scale, "QV4700")));
        ASSERT_TRUE(std::holds_alternative<sim::Skin>(result)) << std::get<sim::SimFailure>(result).text;
        const sim::Skin& skin = std::get<sim::Skin>(result);
        EXPECT_EQ(skin.width, 220u * scale);
        EXPECT_EQ(skin.lcd.columns(), mkskin::kLcdColumns) << "the same LCD at every scale";
        EXPECT_EQ(skin.lcd.rows(), mkskin::kLcdRows);
        EXPECT_TRUE(skin.rotated);
        EXPECT_EQ(sim::window_outline(skin, false).size(), 4 * skin.outline_points.size() + 1);
        EXPECT_TRUE(std::holds_alternative<sim::SkinIcon>(sim::decode_skin_icon(skin.icon_file, "qv4700.cfs")));
        EXPECT_EQ(skin.indicators.size(), 5u);

        int power_keys = 0;
        std::set<uint32_t> codes;
        std::set<uint16_t> pc_keys;
        for (std::size_t i = 0; i < skin.keys.size(); ++i) {
            const sim::SkinKey& key = skin.keys[i];
            power_keys += key.is_power_key();
            if (!key.is_power_key()) {
                EXPECT_TRUE(codes.insert(key.device_code).second) << key.name;
            }
            for (uint16_t pc : key.pc_keys) {
                if (pc != 0) {
                    EXPECT_TRUE(pc_keys.insert(pc).second) << key.name;
                }
            }
            for (std::size_t j = i + 1; j < skin.keys.size(); ++j)
                EXPECT_FALSE(overlap(key.area, skin.keys[j].area)) << key.name << " " << skin.keys[j].name;
        }
        EXPECT_EQ(power_keys, 1);
        EXPECT_GE(skin.keys.size(), 50u);
        EXPECT_NE(skin.device.bits, skin.pressed.bits) << "pressed keys look different";
    }
}

}  // namespace
