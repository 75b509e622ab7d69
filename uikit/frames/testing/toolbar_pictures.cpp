#include "uikit/frames/testing/toolbar_pictures.h"

#include <utility>

namespace frames_testing {

namespace {

constexpr std::uint32_t kFace = 0xFFC0C0C0, kBlack = 0xFF000000, kGrey = 0xFF808080, kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlue = 0xFF000080, kRed = 0xFF800000, kGreen = 0xFF008000;

void draw_picture(kit::res::Picture& strip, int image, int family, int place) {
    const auto set = [&](int x, int y, std::uint32_t argb) {
        if (x < 0 || x >= 16 || y < 0 || y >= 15) return;
        strip.pixels[std::size_t(y) * std::size_t(strip.width) + std::size_t(16 * image + x)] = argb;
    };
    switch (family) {
        case 0:  // a page with a folded corner
            for (int y = 1; y < 14; ++y)
                for (int x = 3; x < 13; ++x) set(x, y, (x == 3 || x == 12 || y == 1 || y == 13) ? kBlack : kWhite);
            set(11, 2, kGrey), set(11, 3, kGrey), set(10, 2, kGrey);
            break;
        case 1:  // a square block with a coloured core
            for (int y = 2; y < 13; ++y)
                for (int x = 2; x < 13; ++x)
                    set(x, y,
                        (x == 2 || x == 12 || y == 2 || y == 12) ? kBlack
                        : (x > 4 && x < 10 && y > 4 && y < 10)   ? kGreen
                                                                 : kGrey);
            break;
        case 2:  // a pencil across the picture
            for (int i = 0; i < 11; ++i) {
                set(2 + i, 12 - i, kBlack);
                set(3 + i, 12 - i, kBlue);
                set(3 + i, 13 - i, kBlack);
            }
            break;
        default:  // an arrow to the right
            for (int x = 2; x < 10; ++x) set(x, 7, kRed), set(x, 6, kRed), set(x, 8, kRed);
            for (int i = 0; i < 5; ++i)
                for (int y = 7 - (4 - i); y <= 7 + (4 - i); ++y) set(9 + i, y, kRed);
            break;
    }
    for (int dot = 0; dot <= place && dot < 6; ++dot) set(1 + 2 * dot, 14, kBlack);
}

}  // namespace

kit::res::Module toolbar_pictures(std::string name, unsigned resource_id,
                                  const std::vector<std::vector<unsigned>>& toolbars) {
    kit::res::Module module;
    module.name = std::move(name);
    kit::res::Toolbar toolbar;
    toolbar.id = resource_id;
    std::vector<std::pair<int, int>> places;  // toolbar and place of each image
    for (std::size_t t = 0; t < toolbars.size(); ++t) {
        int place = 0;
        for (unsigned id : toolbars[t]) {
            if (!id) continue;
            toolbar.items.push_back(id);
            places.emplace_back(int(t), place++);
        }
    }
    kit::res::Picture strip;
    strip.id = resource_id;
    strip.width = 16 * int(places.size());
    strip.height = 15;
    strip.pixels.assign(std::size_t(strip.width) * 15, kFace);
    for (std::size_t i = 0; i < places.size(); ++i) draw_picture(strip, int(i), places[i].first, places[i].second);
    module.toolbars.push_back(std::move(toolbar));
    module.pictures.push_back(std::move(strip));
    return module;
}

}  // namespace frames_testing
