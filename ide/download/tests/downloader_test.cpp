// The downloader against a simulated device: every result, refused and lost
// blocks, a vanished port and a cancel, with delays counted, not waited.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ide/download/downloader.h"
#include "ide/download/port_link.h"
#include "ide/download/tests/simulated_device.h"
#include "ide/download/tests/virtual_timer.h"
#include "platform/os/file.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace download {
namespace {

using testing::DeviceBehaviour;
using testing::SimulatedDevice;
using testing::VirtualDelayTimer;

// A packed program file whose image starts with a good header, then a pattern.
std::vector<std::uint8_t> program_image_bytes(std::uint8_t language = 2, std::uint8_t version = 0,
                                              std::uint8_t third_signature = 0x55) {
    std::vector<std::uint8_t> image(kImageSize);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    image[3] = 0xA5, image[4] = 0xAA, image[5] = third_signature, image[6] = language, image[7] = version;
    return image;
}

std::string write_packed_file(const testing_kit::TempDir& dir, const std::vector<std::uint8_t>& image) {
    std::vector<std::uint8_t> file(kPackedFileSize, 0);
    std::copy(image.begin(), image.begin() + 16384, file.begin() + 40960);
    std::copy(image.begin() + 16384, image.end(), file.begin() + 24576);
    const std::string path = (dir.path() / "GAME.BIN").string();
    EXPECT_TRUE(os::write_file(path, std::span<const std::uint8_t>(file)).ok());
    return path;
}

class ScriptedProgress : public DownloadProgress {
public:
    void set_status(std::string_view text) override { statuses.emplace_back(text); }
    void step_block() override { ++steps; }
    bool take_cancel() override { return ++cancel_checks == cancel_at; }
    void show_message(std::string_view text) override { messages.emplace_back(text); }

    std::vector<std::string> statuses, messages;
    int steps = 0;
    int cancel_checks = 0;
    int cancel_at = -1;
};

struct Outcome {
    int result;
    ScriptedProgress progress;
    SimulatedDevice* device;
    long long delay_units;
};

class DownloaderTest : public ::testing::Test {
protected:
    Outcome run(DeviceBehaviour behaviour, const std::string& path, int cancel_at = -1) {
        device_ = std::make_unique<SimulatedDevice>(behaviour);
        CDownloader downloader(testing::opener_of(*device_), timer_);
        Outcome r{0, {}, device_.get(), 0};
        r.progress.cancel_at = cancel_at;
        r.result = downloader.Download(path, r.progress);
        r.delay_units = timer_.units();
        last_block_ = downloader.last_block();
        return r;
    }

    testing_kit::TempDir dir_;
    VirtualDelayTimer timer_;
    std::unique_ptr<SimulatedDevice> device_;
    int last_block_ = -2;
};

TEST_F(DownloaderTest, AGoodImageArrivesWholeInTwoHundredFiftySixBlocks) {
    const auto image = program_image_bytes();
    auto r = run({}, write_packed_file(dir_, image));
    EXPECT_EQ(r.result, kSent);
    EXPECT_TRUE(r.progress.messages.empty());
    EXPECT_EQ(r.progress.statuses,
              (std::vector<std::string>{std::string(kTestingText), std::string(kDownloadingText)}));
    EXPECT_EQ(r.progress.steps, kBlockCount);
    EXPECT_EQ(last_block_, kBlockCount - 1);
    EXPECT_EQ(r.device->blocks_taken(), kBlockCount);
    EXPECT_EQ(r.device->language(), 2);
    EXPECT_EQ(r.device->version(), 0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), r.device->image().begin()));
    EXPECT_EQ(timer_.pause_ms_total(), 20 * kBlockCount);
}

TEST_F(DownloaderTest, ResultsAndMessagesForEachFailure) {
    struct Case {
        const char* what;
        DeviceBehaviour device;
        std::vector<std::uint8_t> image;  // empty: no file
        int result;
        std::string message;
    } cases[] = {
        {"wrong handshake answer",
         {.handshake_reply = 0x00},
         program_image_bytes(),
         kTimedOut,
         std::string(kTimedOutText)},
        {"device never ready", {.answers = false}, program_image_bytes(), kTimedOut, std::string(kTimedOutText)},
        {"wrong language", {}, program_image_bytes(3, 0), kWrongLanguageOrVersion, std::string(kLanguageText)},
        {"wrong version", {}, program_image_bytes(2, 1), kWrongLanguageOrVersion, std::string(kLanguageText)},
        {"wrong header", {}, program_image_bytes(2, 0, 0x56), kWrongHeader, std::string(kHeaderText)},
        {"block refused ten times",
         {.refuse_block = 7, .refusals = 10},
         program_image_bytes(),
         kSendError,
         std::string(kSendErrorText)},
        {"device falls silent",
         {.silent_after_blocks = 100},
         program_image_bytes(),
         kSendError,
         std::string(kSendErrorText)},
    };
    for (const auto& c : cases) {
        auto r = run(c.device, write_packed_file(dir_, c.image));
        EXPECT_EQ(r.result, c.result) << c.what;
        EXPECT_EQ(r.progress.messages, std::vector<std::string>{c.message}) << c.what;
    }
}

// A block is sent at most ten times: nine refusals still end in a whole
// image, the tenth ends the download with nothing sent after it.
TEST_F(DownloaderTest, ARefusedBlockIsSentAgainUpToTenTimes) {
    const auto image = program_image_bytes();
    const struct {
        int refusals;
        int result;
        int refusals_sent;
        int blocks_taken;
    } cases[] = {
        {3, kSent, 3, kBlockCount},
        {9, kSent, 9, kBlockCount},
        {10, kSendError, 10, 7},
        {1000, kSendError, 10, 7},  // a device that never takes it
    };
    for (const auto& c : cases) {
        auto r = run({.refuse_block = 7, .refusals = c.refusals}, write_packed_file(dir_, image));
        EXPECT_EQ(r.result, c.result) << c.refusals;
        EXPECT_EQ(r.device->refusals_sent(), c.refusals_sent) << c.refusals;
        EXPECT_EQ(r.device->blocks_taken(), c.blocks_taken) << c.refusals;
        if (c.result == kSent) {
            EXPECT_TRUE(std::equal(image.begin(), image.end(), r.device->image().begin())) << c.refusals;
        }
    }
}

TEST_F(DownloaderTest, TheHandshakeIsTriedTenTimes) {
    auto r = run({.handshake_reply = 0x55}, write_packed_file(dir_, program_image_bytes()));
    EXPECT_EQ(r.result, kTimedOut);
    EXPECT_EQ(r.device->handshakes(), 10);
}

TEST_F(DownloaderTest, ASilentDeviceEndsTheDownloadWithinBoundedWaits) {
    auto r = run({.silent_after_blocks = 100}, write_packed_file(dir_, program_image_bytes()));
    EXPECT_EQ(r.result, kSendError);
    EXPECT_EQ(r.device->blocks_taken(), 100);
    EXPECT_EQ(last_block_, 99);
}

TEST_F(DownloaderTest, AMissingFileOrPortOrAVanishingPortEndsCleanly) {
    auto missing = run({}, (dir_.path() / "none.bin").string());
    EXPECT_EQ(missing.result, kNotLoaded);
    ASSERT_EQ(missing.progress.messages.size(), 1u);
    EXPECT_NE(missing.progress.messages[0].find("none.bin"), std::string::npos);

    CDownloader no_port([]() -> os::Result<std::unique_ptr<ParallelPort>> { return os::plain_error("no port here"); },
                        timer_);
    ScriptedProgress progress;
    EXPECT_EQ(no_port.Download(write_packed_file(dir_, program_image_bytes()), progress), kSendError);
    EXPECT_EQ(progress.messages, std::vector<std::string>{"no port here"});

    auto vanished = run({.port_fails_after = 200000}, write_packed_file(dir_, program_image_bytes()));
    EXPECT_EQ(vanished.result, kSendError);
    ASSERT_EQ(vanished.progress.messages.size(), 1u);
    EXPECT_NE(vanished.progress.messages[0].find("No such device"), std::string::npos);
}

TEST_F(DownloaderTest, CancelIsSeenBeforeTheNextBlock) {
    // Checks: one before the handshake, one before each block.
    auto r = run({}, write_packed_file(dir_, program_image_bytes()), 1 + 50);
    EXPECT_EQ(r.result, kSendError);
    EXPECT_EQ(r.device->blocks_taken(), 49);
    EXPECT_EQ(r.progress.steps, 49);
}

// The register writes and delays of one byte on the wire, least significant bit first.
TEST(PortLink, SendingOneByteDrivesTheLinesInOrder) {
    struct Recorder : ParallelPort {
        std::vector<std::string>& log;
        explicit Recorder(std::vector<std::string>& l) : log(l) {}
        os::Status write_data(std::uint8_t v) override { return note("data", v); }
        os::Status write_control(std::uint8_t v) override { return note("control", v); }
        os::Result<std::uint8_t> read_status() override { return std::uint8_t(0); }
        os::Status note(const char* what, std::uint8_t v) {
            char line[32];
            std::snprintf(line, sizeof line, "%s %02X", what, v);
            log.emplace_back(line);
            return {};
        }
    };
    std::vector<std::string> log;
    Recorder port(log);
    VirtualDelayTimer timer;
    timer.log_to(&log);
    PortLink link(port, timer);
    link.reset();
    log.push_back("-- send A6");
    link.send_byte(0xA6);
    std::string trace;
    for (const auto& line : log) trace += line + "\n";
    EXPECT_TRUE(testing_kit::matches_golden("ide/download/tests/golden/send_byte_a6.txt", trace));
}

}  // namespace
}  // namespace download
