#include "uikit/frames/tests/docking_toolbars.h"

#include "platform/res/resources.h"

namespace docking_test {

namespace {

constexpr UINT kToolBarResource = 128;  // every command above, once
constexpr std::uint32_t kFace = 0xFFC0C0C0, kBlack = 0xFF000000, kGrey = 0xFF808080, kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlue = 0xFF000080, kRed = 0xFF800000, kGreen = 0xFF008000;

// A 16 by 15 picture: a page, a block, a pencil or an arrow by toolbar, and dots for the place.
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

const kit::res::Module& toolbar_module() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "docking test toolbars";
        kit::res::Toolbar toolbar;
        toolbar.id = kToolBarResource;
        std::vector<std::pair<int, int>> places;  // toolbar and place of each image
        for (std::size_t t = 0; t < test_toolbars().size(); ++t) {
            int place = 0;
            for (UINT id : test_toolbars()[t].buttons) {
                if (!id) continue;
                toolbar.items.push_back(id);
                places.emplace_back(int(t), place++);
            }
        }
        kit::res::Picture strip;
        strip.id = kToolBarResource;
        strip.width = 16 * int(places.size());
        strip.height = 15;
        strip.pixels.assign(std::size_t(strip.width) * 15, kFace);
        for (std::size_t i = 0; i < places.size(); ++i) draw_picture(strip, int(i), places[i].first, places[i].second);
        m.toolbars.push_back(std::move(toolbar));
        m.pictures.push_back(std::move(strip));
        return m;
    }();
    return module;
}

}  // namespace

const std::array<TestToolBar, 4>& test_toolbars() {
    static const std::array<TestToolBar, 4> toolbars{{
        {0xE800, "File", {57600, 32776, 57601, 57603, 32783, 0, 57607, 57664}},
        {0xE805, "Compile", {32930, 32931, 32932, kStopBuild, 0, 32934, 32925}},
        {0xE806,
         "Edit",
         {57635, 57634, 57637, 57632, 0, 57643, 57644, 0, 57636, 32912, 0, 45027, 45028, 45029, 45030, 0, 32919}},
        {0xE807,
         "Debug",
         {32924, 32926, 32927, 0, kStopDebug, 32851, 32852, 32853, 0, 32921, 32920, 32922, 32928, 0, 45040, 45041}},
    }};
    return toolbars;
}

BOOL create_test_toolbars(SECToolBarManager& manager) {
    static const bool registered = (kit::res::register_module(&toolbar_module()), true);
    (void)registered;
    if (!manager.LoadToolBarResource(kToolBarResource, kToolBarResource)) return FALSE;
    const UINT first = test_toolbars().front().id;
    for (const TestToolBar& toolbar : test_toolbars())
        manager.DefineDefaultToolBar(toolbar.id, toolbar.title, UINT(toolbar.buttons.size()), toolbar.buttons.data(),
                                     CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, toolbar.id == first ? 0 : first, TRUE, TRUE);
    manager.EnableCoolLook(TRUE, CBRS_EX_COOLBORDERS);
    manager.CreateDefaultToolBars();
    return TRUE;
}

}  // namespace docking_test
