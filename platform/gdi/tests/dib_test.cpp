// Device-independent bitmaps of every depth into DCs and bitmaps, and PNG output.
#include <png.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/gdi/tests/canvas.h"
#include "testing/temp_dir.h"

using gdi_test::Canvas;

namespace {

// A packed DIB: header, colour table, rows.
struct Dib {
    std::vector<BYTE> bytes;
    std::size_t bits_offset;
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data()); }
    const BYTE* bits() const { return bytes.data() + bits_offset; }
};

Dib make_dib(int width, int height, int depth, const std::vector<RGBQUAD>& table, const std::vector<BYTE>& rows) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(depth);
    h.biClrUsed = static_cast<DWORD>(table.size());
    Dib dib;
    dib.bytes.resize(sizeof h + table.size() * sizeof(RGBQUAD));
    std::memcpy(dib.bytes.data(), &h, sizeof h);
    if (!table.empty()) std::memcpy(dib.bytes.data() + sizeof h, table.data(), table.size() * sizeof(RGBQUAD));
    dib.bits_offset = dib.bytes.size();
    dib.bytes.insert(dib.bytes.end(), rows.begin(), rows.end());
    return dib;
}

const RGBQUAD kRed{0, 0, 255, 0}, kGreen{0, 255, 0, 0}, kBlue{255, 0, 0, 0}, kWhite{255, 255, 255, 0};

struct DepthCase {
    const char* name;
    int depth;
    std::vector<RGBQUAD> table;
    std::vector<BYTE> rows;  // two rows of two pixels, bottom row first
};

// Every depth holds the same picture: top row red, green; bottom row blue, white.
TEST(StretchDIBits, EachDepthWithItsColourTableAndBottomUpRows) {
    const DepthCase cases[] = {
        {"1 bpp", 1, {kBlue, kWhite}, {0x40, 0, 0, 0, 0x40, 0, 0, 0}},
        {"4 bpp", 4, {kRed, kGreen, kBlue, kWhite}, {0x23, 0, 0, 0, 0x01, 0, 0, 0}},
        {"8 bpp", 8, {kRed, kGreen, kBlue, kWhite}, {2, 3, 0, 0, 0, 1, 0, 0}},
        {"24 bpp", 24, {}, {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}},
        {"32 bpp", 32, {}, {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0}},
    };
    for (const DepthCase& d : cases) {
        SCOPED_TRACE(d.name);
        const Dib dib = make_dib(2, 2, d.depth, d.table, d.rows);
        Canvas c(2, 2, RGB(9, 9, 9));
        ASSERT_EQ(StretchDIBits(c.dc, 0, 0, 2, 2, 0, 0, 2, 2, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY), 2);
        if (d.depth == 1) {
            // Two colours only: blue for 0, white for 1 in both rows.
            EXPECT_EQ(c.at(0, 0), RGB(0, 0, 255));
            EXPECT_EQ(c.at(1, 1), RGB(255, 255, 255));
            continue;
        }
        EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
        EXPECT_EQ(c.at(1, 0), RGB(0, 255, 0));
        EXPECT_EQ(c.at(0, 1), RGB(0, 0, 255));
        EXPECT_EQ(c.at(1, 1), RGB(255, 255, 255));
    }
}

TEST(StretchDIBits, TopDownRowsAndABottomUpSourceRectangleCountedFromTheBottom) {
    Dib dib = make_dib(1, 3, 8, {kRed, kGreen, kBlue}, {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0});
    Canvas c(1, 1);
    // Bottom-up: the rows are red (bottom), green, blue (top); source row 0
    // with height 1 is the bottom row.
    StretchDIBits(c.dc, 0, 0, 1, 1, 0, 0, 1, 1, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    reinterpret_cast<BITMAPINFOHEADER*>(dib.bytes.data())->biHeight = -3;  // now top-down
    StretchDIBits(c.dc, 0, 0, 1, 1, 0, 0, 1, 1, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    StretchDIBits(c.dc, 0, 0, 1, 1, 0, 2, 1, 1, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 255));
}

TEST(Dib, MalformedHeadersAndShortDataAreRefused) {
    const Dib good = make_dib(2, 2, 8, {kRed, kGreen}, std::vector<BYTE>(8, 1));
    const HBITMAP ok = CreateDIBitmapFromPacked(good.bytes.data(), good.bytes.size());
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(GetObjectType(ok), OBJ_BITMAP);
    DeleteObject(ok);

    EXPECT_EQ(CreateDIBitmapFromPacked(good.bytes.data(), good.bytes.size() - 1), nullptr);
    struct Mutation {
        const char* name;
        void (*apply)(BITMAPINFOHEADER&);
    };
    const Mutation mutations[] = {
        {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -2; }},
        {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"huge", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
        {"odd depth", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
        {"compressed", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
        {"short header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"header longer than the data", [](BITMAPINFOHEADER& h) { h.biSize = 0xFFFFFFF0; }},
        {"colour table too long", [](BITMAPINFOHEADER& h) { h.biClrUsed = 257; }},
        {"two planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
    };
    for (const Mutation& m : mutations) {
        SCOPED_TRACE(m.name);
        Dib bad = good;
        m.apply(*reinterpret_cast<BITMAPINFOHEADER*>(bad.bytes.data()));
        EXPECT_EQ(CreateDIBitmapFromPacked(bad.bytes.data(), bad.bytes.size()), nullptr);
        Canvas c(1, 1);
        EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 1, 1, 0, 0, 1, 1, bad.bits(), bad.info(), DIB_RGB_COLORS, SRCCOPY), 0);
    }
}

TEST(StretchDIBits, IntoAMonochromeDcTakesTheNearerOfBlackAndWhite) {
    const Dib dib = make_dib(2, 1, 8, {RGBQUAD{40, 40, 40, 0}, RGBQUAD{200, 200, 200, 0}}, {0, 1, 0, 0});
    Canvas mono(2, 1, RGB(0, 0, 0), true);
    StretchDIBits(mono.dc, 0, 0, 2, 1, 0, 0, 2, 1, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(mono.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(mono.at(1, 0), RGB(255, 255, 255));
}

std::vector<BYTE> decode_png(const std::vector<std::uint8_t>& bytes, int* width, int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<BYTE> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return rgb;
}

TEST(Png, RoundTripsPixelsAndReplacesFilesWhole) {
    gdi::Surface s(3, 2, 0x102030);
    s.set(2, 1, 0xFF0080);
    int w = 0, h = 0;
    const std::vector<BYTE> rgb = decode_png(gdi::encode_png(s), &w, &h);
    ASSERT_EQ(rgb.size(), 18u);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(rgb[0], 0x10);
    EXPECT_EQ(rgb[1], 0x20);
    EXPECT_EQ(rgb[2], 0x30);
    EXPECT_EQ(rgb[15], 0xFF);
    EXPECT_EQ(rgb[17], 0x80);

    testing_kit::TempDir dir;
    const auto path = dir / "shot.png";
    std::string error;
    ASSERT_TRUE(gdi::write_png(s, path, &error)) << error;
    EXPECT_EQ(testing_kit::read_file(path).size(), gdi::encode_png(s).size());
    EXPECT_FALSE(gdi::write_png(s, dir / "missing" / "shot.png", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(gdi::write_png(gdi::Surface(), path, &error));
    EXPECT_EQ(testing_kit::read_file(path).size(), gdi::encode_png(s).size());  // old file kept
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);  // no temporary left behind
}

}  // namespace

namespace {

// A 2x1 icon: the left pixel opaque red, the right one transparent (mask 1,
// image black) so the destination shows through.
TEST(Icons, MaskKeepsTheBackgroundAndImageXorsOntoIt) {
    Canvas mask(2, 1, RGB(0, 0, 0), true);
    SetPixel(mask.dc, 1, 0, RGB(255, 255, 255));
    Canvas image(2, 1, RGB(0, 0, 0));
    SetPixel(image.dc, 0, 0, RGB(255, 0, 0));
    const ICONINFO info{TRUE, 0, 0, mask.bitmap, image.bitmap};
    const HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);

    Canvas c(4, 2, RGB(0, 0, 200));
    ASSERT_TRUE(DrawIconEx(c.dc, 1, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.at(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(2, 0), RGB(0, 0, 200));
    ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 4, 2, 0, nullptr, DI_NORMAL));  // stretched
    EXPECT_EQ(c.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(c.at(2, 1), RGB(0, 0, 200));

    ICONINFO copy{};
    ASSERT_TRUE(GetIconInfo(icon, &copy));
    EXPECT_EQ(GetObjectType(copy.hbmMask), OBJ_BITMAP);
    DeleteObject(copy.hbmMask);
    DeleteObject(copy.hbmColor);
    EXPECT_FALSE(DeleteObject(icon));  // icons go with DestroyIcon
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST(Icons, MonochromeIconFromADoubleHeightMask) {
    Canvas both(1, 2, RGB(0, 0, 0), true);
    SetPixel(both.dc, 0, 1, RGB(255, 255, 255));  // mask 0, image white
    const ICONINFO info{TRUE, 0, 0, both.bitmap, nullptr};
    const HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    Canvas c(1, 1, RGB(0, 0, 200));
    DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(c.at(0, 0), RGB(255, 255, 255));
    DestroyIcon(icon);
    Canvas odd(1, 3, RGB(0, 0, 0), true);
    const ICONINFO bad{TRUE, 0, 0, odd.bitmap, nullptr};
    EXPECT_EQ(CreateIconIndirect(&bad), nullptr);
}

}  // namespace
