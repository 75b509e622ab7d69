// Command pictures: the colour-mapping loader with its header checks, and the
// bitmap manager's map of commands to images.
#include <gtest/gtest.h>

#include <cstring>

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/sys_color_bitmap.h"
#include "uikit/frames/tests/toolbar_fixture.h"

namespace toolbar_test {
namespace {

// A 4 by 2 image of 4 bits per pixel with `colors` table entries.
std::vector<BYTE> packed_4bit(DWORD colors) {
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = 4;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 4;
    header.biClrUsed = colors;
    const DWORD table = colors ? colors : 16;
    std::vector<BYTE> bytes(40 + table * 4 + 2 * 4);
    std::memcpy(bytes.data(), &header, 40);
    const DWORD stored[] = {0xC0C0C0, 0x808080, 0x123456};
    for (DWORD i = 0; i < table && i < 3; ++i) {
        bytes[40 + i * 4] = BYTE(stored[i]), bytes[41 + i * 4] = BYTE(stored[i] >> 8);
        bytes[42 + i * 4] = BYTE(stored[i] >> 16);
    }
    BYTE* rows = bytes.data() + 40 + table * 4;
    rows[0] = 0x01, rows[1] = 0x22;  // bottom row: face, shadow, other, other
    rows[4] = 0x10, rows[5] = 0x00;
    return bytes;
}

COLORREF pixel(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return c;
}

TEST_F(ToolBarTest, TheLoaderMapsTheGreysOfAShortColourTable) {
    const std::vector<BYTE> bytes = packed_4bit(3);  // three entries, then the rows at once
    HBITMAP bitmap = sec_load_sys_color_bitmap(bytes.data(), bytes.size());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(pixel(bitmap, 0, 1), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(bitmap, 1, 1), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(bitmap, 2, 1), RGB(0x12, 0x34, 0x56));
    ::DeleteObject(bitmap);
}

TEST_F(ToolBarTest, TheLoaderRefusesEveryHeaderItCannotTake) {
    const struct {
        const char* what;
        std::size_t offset;  // into the header
        DWORD value;
        int size;
    } kBad[] = {
        {"header size", 0, 12, 4}, {"width", 4, 0, 4},       {"height", 8, 0, 4},         {"planes", 12, 2, 2},
        {"24 bits", 14, 24, 2},    {"compressed", 16, 2, 4}, {"colour count", 32, 17, 4}, {"huge width", 4, 40000, 4},
    };
    for (const auto& item : kBad) {
        std::vector<BYTE> bytes = packed_4bit(0);
        std::memcpy(bytes.data() + item.offset, &item.value, std::size_t(item.size));
        EXPECT_EQ(sec_load_sys_color_bitmap(bytes.data(), bytes.size()), nullptr) << item.what;
    }
    const std::vector<BYTE> whole = packed_4bit(0);
    for (std::size_t cut : {std::size_t(0), std::size_t(39), std::size_t(40 + 16 * 4), whole.size() - 1})
        EXPECT_EQ(sec_load_sys_color_bitmap(whole.data(), cut), nullptr) << cut;
    HBITMAP fine = sec_load_sys_color_bitmap(whole.data(), whole.size());
    EXPECT_NE(fine, nullptr);
    ::DeleteObject(fine);
}

TEST_F(ToolBarTest, TheFirstStripToNameACommandKeepsIt) {
    SECBmpMgr* images = manager->GetBmpMgr();
    EXPECT_EQ(images->LoadToolBar(kToolBarResource), kCommands);  // the same strip again
    HBITMAP strip = nullptr;
    UINT image = 0;
    ASSERT_TRUE(images->GetBitmap(103, strip, image));
    EXPECT_EQ(image, 3u);
    HBITMAP first = nullptr;
    images->GetBitmap(100, first, image);
    EXPECT_EQ(strip, first);
    EXPECT_FALSE(images->GetBitmap(999, strip, image));
    EXPECT_EQ(images->LoadToolBar(4242), 0);
}

}  // namespace
}  // namespace toolbar_test
