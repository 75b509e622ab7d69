// The printer DC: page geometry, pages written as PNG files, aborted jobs.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/gdi/printer.h"
#include "platform/gdi/tests/canvas.h"
#include "testing/temp_dir.h"

namespace {

gdi::PrinterSetup small_paper(const std::filesystem::path& folder) {
    gdi::PrinterSetup setup;
    setup.dpi = 254;  // ten pixels a millimetre
    setup.paper_mm = SIZE{20, 10};
    setup.margin_mm = SIZE{1, 2};
    setup.folder = folder;
    return setup;
}

TEST(Printer, ReportsPaperAndPrintableAreaInPrinterPixels) {
    testing_kit::TempDir dir;
    const HDC dc = gdi::create_printer_dc(small_paper(dir.path()));
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 200);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 100);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 10);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 20);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 180);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 60);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 18);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 254);
    DeleteDC(dc);
    gdi::PrinterSetup bad = small_paper(dir.path());
    bad.margin_mm = SIZE{10, 1};
    EXPECT_EQ(gdi::create_printer_dc(bad), nullptr);
}

TEST(Printer, EachPageBecomesAPictureOfThePaper) {
    testing_kit::TempDir dir;
    const HDC dc = gdi::create_printer_dc(small_paper(dir.path()));
    const DOCINFO doc{sizeof(DOCINFO), "../My Doc", nullptr, nullptr, 0};
    EXPECT_EQ(StartPage(dc), -1);  // no document yet
    ASSERT_GT(StartDoc(dc, &doc), 0);
    EXPECT_LE(StartDoc(dc, &doc), 0);  // one at a time
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(StartPage(dc), 0);
        const RECT all{-50, -50, 500, 500};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ASSERT_GT(EndPage(dc), 0);
    }
    EXPECT_LE(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    const auto first = dir / "_._My_Doc-1.png";
    ASSERT_TRUE(std::filesystem::exists(first));
    EXPECT_TRUE(std::filesystem::exists(dir / "_._My_Doc-2.png"));
    // Drawing stayed inside the printable area: the margins are white.
    gdi::Surface expected(200, 100, 0xFFFFFF);
    for (int y = 20; y < 80; ++y)
        for (int x = 10; x < 190; ++x) expected.set(x, y, 0);
    EXPECT_EQ(testing_kit::read_file(first).size(), gdi::encode_png(expected).size());
    const auto bytes = gdi::encode_png(expected);
    EXPECT_EQ(testing_kit::read_file(first), std::string(bytes.begin(), bytes.end()));
    DeleteDC(dc);
}

TEST(Printer, AbortRemovesThePagesAndAMissingFolderFailsThePage) {
    testing_kit::TempDir dir;
    const HDC dc = gdi::create_printer_dc(small_paper(dir.path()));
    const DOCINFO doc{sizeof(DOCINFO), "job", nullptr, nullptr, 0};
    StartDoc(dc, &doc);
    StartPage(dc);
    EndPage(dc);
    ASSERT_TRUE(std::filesystem::exists(dir / "job-1.png"));
    ASSERT_GT(AbortDoc(dc), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "job-1.png"));
    DeleteDC(dc);

    const HDC lost = gdi::create_printer_dc(small_paper(dir / "missing"));
    StartDoc(lost, &doc);
    StartPage(lost);
    EXPECT_LE(EndPage(lost), 0);
    EndDoc(lost);
    DeleteDC(lost);
    gdi_test::Canvas screen(1, 1);
    EXPECT_LE(StartDoc(screen.dc, &doc), 0);
}

}  // namespace
