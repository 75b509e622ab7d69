// The download traps, the slot search and the host's end of the rings.
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "simulator/cpu/download_traps.h"
#include "simulator/cpu/host_queue.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

class FakeSource : public DownloadSource {
public:
    std::vector<std::uint8_t> file;
    std::vector<std::uint8_t> record = std::vector<std::uint8_t>(kRecordSize, 0x20);
    std::string name = "DEMO";
    bool debugMode = false;
    std::vector<std::uint32_t> finished;
    std::size_t position = 0;

    std::size_t ReadBlock(std::span<std::uint8_t> out) override {
        std::size_t count = std::min(out.size(), file.size() - position);
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(position), count, out.begin());
        position += count;
        return count;
    }
    std::span<const std::uint8_t> Record() const override { return record; }
    std::string_view ProgramName() const override { return name; }
    bool Finished(std::uint32_t slots) override {
        finished.push_back(slots);
        return debugMode;
    }
};

// A loader: the record to `recordAt`, one block to `blockAt`, then the end.
std::vector<std::uint8_t> Loader(std::uint16_t recordAt, std::uint16_t blockAt) {
    std::vector<std::uint8_t> code = {0xA9,
                                      static_cast<std::uint8_t>(recordAt),
                                      0x85,
                                      0xA4,
                                      0xA9,
                                      static_cast<std::uint8_t>(recordAt >> 8),
                                      0x85,
                                      0xA5,
                                      0x4B,
                                      0xA9,
                                      static_cast<std::uint8_t>(blockAt),
                                      0x85,
                                      0xA4,
                                      0xA9,
                                      static_cast<std::uint8_t>(blockAt >> 8),
                                      0x85,
                                      0xA5,
                                      0x53,
                                      0x5B};
    code.resize(kLoaderSize, 0xEA);
    return code;
}

class DownloadTest : public ::testing::TestWithParam<bool> {
protected:
    DownloadTest() {
        m.PokeRom(0x8000, {0x4C, 0x00, 0x80});  // JMP *
        m.PokeRom(0xFFFC, {0x00, 0x80});
        InitMachine(m.core, InitOption::kColdStart | (GetParam() ? InitOption::kFastInterpreter : 0));
        m.WriteIo(0x01, 0x10);
        source.file.resize(300);
        for (std::size_t i = 0; i < source.file.size(); ++i) source.file[i] = static_cast<std::uint8_t>(i * 7);
        source.record[0] = 'b';
    }
    MachineFixture m;
    FakeSource source;
};

TEST_P(DownloadTest, LoaderPullsTheRecordAndABlockThenReturns) {
    m.RunCycles(10);
    ASSERT_EQ(StartDownload(m.core, source, Loader(0x0400, 0x0500)), "");
    m.RunCycles(200);
    EXPECT_EQ(m.regs().pc, 0x8000);
    EXPECT_EQ(m.core.downloadState, DownloadState::kIdle);
    EXPECT_EQ(0, std::memcmp(m.core.internalRam + 0x400, source.record.data(), kRecordSize));
    EXPECT_EQ(0, std::memcmp(m.core.internalRam + 0x500, source.file.data(), kDownloadBlockSize));
    EXPECT_EQ(source.finished, std::vector<std::uint32_t>{0});  // no slot holds "DEMO"
    EXPECT_TRUE(m.stops.empty());                               // outside debug mode the device does not pause
}

TEST_P(DownloadTest, DebugModePausesOnceAfterTheEnd) {
    source.debugMode = true;
    ASSERT_EQ(StartDownload(m.core, source, Loader(0x0400, 0x0500)), "");
    m.RunCycles(400);
    EXPECT_EQ(m.stops, std::vector<std::uint32_t>{kPauseCode});
    EXPECT_EQ(m.stopPcs[0], 0x8000);
}

TEST_P(DownloadTest, TransfersThatWouldLeaveTheInternalRamAreRefused) {
    std::vector<std::uint8_t> external(m.core.externalRam, m.core.externalRam + 0x100);
    // The block at $3FC0 would run 192 bytes past the 16 KB internal RAM.
    ASSERT_EQ(StartDownload(m.core, source, Loader(0x3FB8, 0x3FC0)), "");
    m.RunCycles(200);
    EXPECT_EQ(m.regs().pc, 0x8000);
    EXPECT_EQ(0, std::memcmp(m.core.internalRam + 0x3FB8, source.record.data(), kRecordSize));
    EXPECT_EQ(source.position, 0u);  // nothing read, nothing copied
    EXPECT_EQ(external, std::vector<std::uint8_t>(m.core.externalRam, m.core.externalRam + 0x100));
}

TEST_P(DownloadTest, ASecondDownloadIsRefusedWhileOneIsUnderWay) {
    FakeSource other;
    ASSERT_EQ(StartDownload(m.core, source, Loader(0x0400, 0x0500)), "");
    EXPECT_NE(StartDownload(m.core, other, Loader(0x0400, 0x0500)), "");
    m.RunCycles(10);
    EXPECT_NE(StartDownload(m.core, other, Loader(0x0400, 0x0500)), "");
    m.RunCycles(200);
    EXPECT_EQ(StartDownload(m.core, other, Loader(0x0400, 0x0500)), "");
}

TEST_P(DownloadTest, AutomaticDownloadIsDueOnceAfterBoot) {
    struct AutoHost : MachineFixture {
        int due = 0;
        void AutoDownloadDue() override { ++due; }
    } host;
    host.PokeRom(0x8000, {0x4C, 0x00, 0x80});
    host.PokeRom(0xFFFC, {0x00, 0x80});
    InitMachine(host.core, InitOption::kColdStart | (GetParam() ? InitOption::kFastInterpreter : 0));
    host.WriteIo(0x01, 0x10);
    host.core.autoDownloadPending = true;
    host.RunCycles(16'777'200);
    EXPECT_EQ(host.due, 0);
    host.RunCycles(100);
    EXPECT_EQ(host.due, 1);
    EXPECT_FALSE(host.core.autoDownloadPending);
}

INSTANTIATE_TEST_SUITE_P(Interpreters, DownloadTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fast" : "Checked"; });

TEST(DownloadStartTest, RefusesALoaderOfTheWrongSizeOrNoRoomForIt) {
    MachineFixture m;
    FakeSource source;
    EXPECT_NE(StartDownload(m.core, source, std::vector<std::uint8_t>(100)), "");
    MachineOptions small;
    small.internalRam = 0x2000;
    MachineFixture tight(small);
    EXPECT_NE(StartDownload(tight.core, source, Loader(0, 0)), "");
    EXPECT_EQ(tight.core.downloadState, DownloadState::kIdle);
}

void PutName(MachineFixture& m, int slot, const char* sixteen) {
    std::memcpy(m.core.externalRam + slot * 0x8000 + 0x4002, sixteen, 16);
}

TEST(FindProgramSlotTest, MatchesTheWholePaddedNameInsideTheExternalRam) {
    MachineFixture m;
    PutName(m, 2, "DEMO            ");
    PutName(m, 5, "DEMO            ");
    PutName(m, 7, "DEMOS           ");
    struct Case {
        const char* name;
        std::uint32_t want;
    } cases[] = {
        {"DEMO", 0x0202}, {"DEMOS", 0x0701}, {"DEM", 0},  // a prefix is not the name
        {"", 0},                                          // an empty name matches nothing
        {"OTHER", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FindProgramSlot(m.core, c.name), c.want) << c.name;

    // Slots past the end of a small external RAM are not read; offsets follow
    // the real internal RAM size.
    MachineOptions options;
    options.internalRam = 0x8000;
    options.externalRam = 0x14000;
    MachineFixture small(options);
    PutName(small, 1, "DEMO            ");
    EXPECT_EQ(FindProgramSlot(small.core, "DEMO"), 0x0101u);
}

TEST(HostQueueTest, BothEndsAndGarbledIndices) {
    MachineFixture m;
    formats::TargetControlBlock& block = m.block();
    for (std::uint8_t i = 1; i <= 5; ++i) EXPECT_TRUE(PutHostToDevice(block, i));
    EXPECT_FALSE(PutHostToDevice(block, 6));
    std::uint8_t byte = 0;
    EXPECT_TRUE(GetHostToDevice(block, byte));
    EXPECT_EQ(byte, 1);

    EXPECT_TRUE(PutDeviceToHost(block, 9));
    EXPECT_TRUE(GetDeviceToHost(block, byte));
    EXPECT_EQ(byte, 9);
    EXPECT_FALSE(GetDeviceToHost(block, byte));

    for (std::uint8_t bad : {5, 6, 7}) {
        block.device_to_host = {};
        block.device_to_host.read_index = bad;
        EXPECT_FALSE(PutDeviceToHost(block, 1)) << int(bad);
        block.host_to_device = {};
        block.host_to_device.write_index = bad;
        EXPECT_FALSE(GetHostToDevice(block, byte)) << int(bad);
        EXPECT_EQ(QueueStatus(block), 0u);
    }
}

}  // namespace
}  // namespace simcpu::testing
