#include <gtest/gtest.h>

#include "simulator/download/download_file.h"
#include "simulator/tests/sim_fixtures.h"

namespace {

std::string record_bytes(const formats::DownloadRecord& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

sim::PreparedDownload prepared(const std::filesystem::path& path) {
    auto result = sim::prepare_download(path);
    if (auto* failure = std::get_if<sim::SimFailure>(&result)) ADD_FAILURE() << failure->text;
    return std::holds_alternative<sim::PreparedDownload>(result) ? std::get<sim::PreparedDownload>(result)
                                                                 : sim::PreparedDownload{};
}

int failure_id(const std::filesystem::path& path) {
    auto result = sim::prepare_download(path);
    return std::holds_alternative<sim::SimFailure>(result) ? std::get<sim::SimFailure>(result).id : 0;
}

TEST(Download, KindByTheFinalExtension) {
    const std::pair<const char*, int> cases[] = {
        {"a.bin", 0}, {"A.BIN", 0}, {"x.Bas", 2}, {"notes.bin.txt", 1}, {"notes.txt.bak", -1}, {"plain", -1},
    };
    for (auto [name, kind] : cases) {
        auto result = sim::download_kind(name);
        if (kind < 0) {
            ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(result)) << name;
            EXPECT_EQ(std::get<sim::SimFailure>(result).id, sim::kDownloadKindError);
        } else {
            ASSERT_TRUE(std::holds_alternative<sim::DownloadKind>(result)) << name;
            EXPECT_EQ(static_cast<int>(std::get<sim::DownloadKind>(result)), kind) << name;
        }
    }
}

TEST(Download, ProgramRecordCarriesItsSizeAndFileHead) {
    testing_kit::TempDir dir;
    std::string program(70000, '\0');
    for (int i = 0; i < 64; ++i) program[0x4000 + i] = static_cast<char>('A' + i % 26);
    auto download = prepared(dir.write("demo.BIN", program));
    std::string record = record_bytes(download.record);
    EXPECT_EQ(record.substr(0, 4), "bin ");
    EXPECT_EQ(record[4], 6);
    EXPECT_EQ(record.substr(5, 3), "\x70\x11\x01");
    EXPECT_EQ(record.substr(8), program.substr(0x4000, 64));
    EXPECT_EQ(download.content.size(), 70000u);
}

TEST(Download, ProgramSizesOutsideTheRecordsRangeAreRefused) {
    testing_kit::TempDir dir;
    EXPECT_EQ(failure_id(dir.write("short.bin", std::string(0x403F, 'x'))), sim::kDownloadSizeError);
    EXPECT_EQ(failure_id(dir.write("least.bin", std::string(0x4040, 'x'))), 0);
    EXPECT_EQ(failure_id(dir.write("huge.bin", std::string(1 << 24, 'x'))), sim::kDownloadSizeError);
}

TEST(Download, AFileThatCannotBeReadIsString90AndATextString91) {
    testing_kit::TempDir dir;
    EXPECT_EQ(failure_id(dir / "missing.bin"), sim::kOpenDownloadError);
    EXPECT_EQ(failure_id(dir / "missing.bas"), sim::kOpenDownloadError);
    EXPECT_EQ(failure_id(dir / "missing.txt"), sim::kReadDownloadError) << "a text is read for its conversion";
    EXPECT_EQ(failure_id(dir / "missing.doc"), sim::kDownloadKindError) << "the kind is looked at first";
}

TEST(Download, TextIsConvertedIntoTheDeviceForm) {
    struct Case {
        const char* what;
        std::string text;
        uint16_t lines, rows;
    };
    const Case cases[] = {
        {"25 single-byte characters", std::string(25, 'a') + "\n", 1, 2},
        {"20 single-byte characters", std::string(20, 'a'), 1, 1},
        {"19 and a double-byte one", std::string(19, 'a') + "\xB0\xA1\n", 1, 2},
        {"18 and a double-byte one", std::string(18, 'a') + "\xB0\xA1", 1, 1},
        {"empty lines add no row", "a\n\r\n\nb\n", 4, 2},
        {"nothing", "", 0, 0},
    };
    for (const Case& c : cases) {
        auto converted = sim::convert_text(std::span(reinterpret_cast<const uint8_t*>(c.text.data()), c.text.size()));
        ASSERT_TRUE(converted) << c.what;
        EXPECT_EQ((*converted)[0] | (*converted)[1] << 8, c.lines) << c.what;
        EXPECT_EQ((*converted)[2] | (*converted)[3] << 8, c.rows) << c.what;
        EXPECT_EQ((*converted)[4], 10) << c.what;
        EXPECT_EQ(converted->end()[-2], 0xFF);
        EXPECT_EQ(converted->end()[-1], 0xFF);
    }
    auto converted = sim::convert_text(std::span(reinterpret_cast<const uint8_t*>("one\ntwo\r\nthree"), 14));
    EXPECT_EQ(std::string(converted->begin() + 5, converted->end() - 2), "one\r\ntwo\r\nthree\r\n");
    std::string too_many(70000, '\n');
    EXPECT_FALSE(sim::convert_text(std::span(reinterpret_cast<const uint8_t*>(too_many.data()), too_many.size())));
}

TEST(Download, TextAndBasicRecordsNameTheFile) {
    testing_kit::TempDir dir;
    auto text = prepared(dir.write("a-rather-long-note-name.txt", "hi\n"));
    std::string record = record_bytes(text.record);
    EXPECT_EQ(record.substr(0, 5), "txt \x07");
    EXPECT_EQ(record.substr(5, 3), std::string("\x0B\0\0", 3)) << "the converted size: 5 + 4 + 2";
    EXPECT_EQ(record.substr(8, 16), "a-rather-long-no") << "the file's name: its folder does not reach the device";
    EXPECT_EQ(static_cast<uint8_t>(record[39]), 0xFF);
    EXPECT_EQ(record.substr(24, 15), std::string(15, ' '));
    EXPECT_EQ(record.substr(40), std::string(32, ' '));
    EXPECT_EQ(text.content.size(), 11u);

    std::string source(300, 'x');
    auto basic = prepared(dir.write("game.bas", source));
    record = record_bytes(basic.record);
    EXPECT_EQ(record.substr(0, 5), "bas \x07");
    EXPECT_EQ(record.substr(5, 3), std::string("\x2C\x01\0", 3));
    EXPECT_EQ(record.substr(8, 8), "GAME.BAS");
    EXPECT_EQ(record.substr(16, 8), std::string(8, ' '));
    EXPECT_EQ(record.substr(24, 2), "\x2C\x01");
    EXPECT_EQ(basic.content.size(), 300u) << "a BASIC source goes as it is";
}

TEST(Download, LoaderIsTheFirst4096BytesOfDlIni) {
    testing_kit::TempDir dir;
    auto failure = [&] {
        auto loader = sim::read_loader(dir / sim::kLoaderFileName);
        return std::holds_alternative<sim::SimFailure>(loader) ? std::get<sim::SimFailure>(loader).id : 0;
    };
    EXPECT_EQ(failure(), sim::kReadLoaderError) << "no dl.ini";
    dir.write("dl.ini", std::string(4095, 'L'));
    EXPECT_EQ(failure(), sim::kReadLoaderError) << "a short dl.ini";
    dir.write("dl.ini", std::string(4096, 'L') + "extra");
    auto loader = sim::read_loader(dir / sim::kLoaderFileName);
    ASSERT_TRUE(std::holds_alternative<std::vector<uint8_t>>(loader));
    EXPECT_EQ(std::get<std::vector<uint8_t>>(loader), std::vector<uint8_t>(4096, 'L'));
}

}  // namespace
