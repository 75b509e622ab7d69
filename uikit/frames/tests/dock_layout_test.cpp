#include "uikit/frames/dock_layout.h"

#include <gtest/gtest.h>

namespace {

SECDockLayoutBar share(float value) { return SECDockLayoutBar{value, kSecMinLength, std::nullopt, true}; }
SECDockLayoutBar fixed(int length) { return SECDockLayoutBar{0.0f, 0, length, true}; }
SECDockLayoutBar hidden(float value) { return SECDockLayoutBar{value, kSecMinLength, std::nullopt, false}; }

std::vector<int> lengths(const SECDockRowLayout& layout) {
    std::vector<int> out;
    for (const CRect& bar : layout.bars) out.push_back(bar.Width());
    return out;
}

TEST(DockLayout, BarsShareTheRowByTheirSharesAndTheLastTakesTheRest) {
    const struct {
        const char* what;
        std::vector<SECDockLayoutBar> bars;
        int extent;
        std::vector<int> lengths;
    } kRows[] = {
        {"three quarters and a quarter", {share(0.75f), share(0.25f)}, 406, {300, 100}},
        {"three thirds truncate", {share(1 / 3.0f), share(1 / 3.0f), share(1 / 3.0f)}, 406, {131, 131, 132}},
        {"a share below the minimum", {share(0.01f), share(0.99f)}, 406, {18, 382}},
        {"the minimum is capped by the room", {share(0.5f), share(0.5f)}, 10, {4, 0}},
        {"no length divides nothing", {share(0.5f), share(0.5f)}, 0, {0, 0}},
        {"a bar of its own size keeps it", {fixed(40), share(1.0f)}, 406, {40, 360}},
        {"a fixed bar wider than the row", {fixed(500), share(1.0f)}, 406, {500, 0}},
        {"a hidden bar takes nothing", {share(0.5f), hidden(0.5f), share(0.5f)}, 406, {200, 0, 200}},
        {"a lone bar takes the row", {share(0.2f)}, 406, {406}},
    };
    for (const auto& row : kRows) {
        const SECDockRowLayout layout = sec_layout_dock_row({row.bars, 50}, SECDockRowPlace{0, row.extent, true, true});
        EXPECT_EQ(lengths(layout), row.lengths) << row.what;
    }
}

TEST(DockLayout, SplittersStandBetweenShownBarsAndNameTheBarBefore) {
    const SECDockRowLayout layout =
        sec_layout_dock_row({{share(0.5f), hidden(0.3f), share(0.5f)}, 50}, SECDockRowPlace{0, 406, true, true});
    ASSERT_EQ(layout.splitters.size(), 1u);
    EXPECT_EQ(layout.splitters[0].rect, CRect(200, 2, 206, 52));
    EXPECT_EQ(layout.splitters[0].after, 0);
    EXPECT_EQ(layout.bars[2], CRect(206, 2, 406, 52));
    EXPECT_TRUE(layout.bars[1].IsRectEmpty());
}

TEST(DockLayout, TheEdgeAndTheRowSplitterTakeTheSidesByTheDockBarsSide) {
    const struct {
        const char* what;
        SECDockRowPlace place;
        CRect edge, row_splitter, bar;
    } kPlaces[] = {
        // Top: edge, row, then the splitter toward the client area.
        {"top", {10, 300, true, true}, CRect(0, 10, 300, 12), CRect(0, 62, 300, 68), CRect(0, 12, 300, 62)},
        // Bottom: the splitter toward the client area first.
        {"bottom", {10, 300, true, false}, CRect(0, 66, 300, 68), CRect(0, 10, 300, 16), CRect(0, 16, 300, 66)},
        {"left", {10, 300, false, true}, CRect(10, 0, 12, 300), CRect(62, 0, 68, 300), CRect(12, 0, 62, 300)},
        {"right", {10, 300, false, false}, CRect(66, 0, 68, 300), CRect(10, 0, 16, 300), CRect(16, 0, 66, 300)},
    };
    for (const auto& item : kPlaces) {
        const SECDockRowLayout layout = sec_layout_dock_row({{share(1.0f)}, 50}, item.place);
        EXPECT_EQ(layout.client_edge, item.edge) << item.what;
        EXPECT_EQ(layout.row_splitter, item.row_splitter) << item.what;
        EXPECT_EQ(layout.bars[0], item.bar) << item.what;
        EXPECT_EQ(layout.room, 2 + 50 + 6) << item.what;
    }
}

TEST(DockLayout, ARowWithNothingShownTakesNoRoom) {
    const SECDockRowLayout layout = sec_layout_dock_row({{hidden(0.5f), hidden(0.5f)}, 50}, SECDockRowPlace{});
    EXPECT_EQ(layout.room, 0);
    EXPECT_TRUE(layout.splitters.empty());
    EXPECT_TRUE(layout.row_splitter.IsRectEmpty());
    EXPECT_TRUE(layout.client_edge.IsRectEmpty());
}

}  // namespace
