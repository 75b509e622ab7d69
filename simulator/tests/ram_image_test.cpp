#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "platform/ipc/runtime_dir.h"
#include "simulator/memory/ram_image.h"
#include "simulator/tests/sim_fixtures.h"

namespace {

constexpr uint32_t kInternal = 0x4000, kExternal = 0x100;
constexpr uint32_t kImageSize = 0x2000 + kInternal + kExternal;
constexpr uint32_t kExternalStart = 0x2000 + kInternal;

class RamImageTest : public ::testing::Test {
protected:
    RamImageTest() {
        setenv(ipc::kRuntimeDirVariable, runtime_.path().c_str(), 1);
        options_.ram_path = (dir_ / "ram.mem").string();
        options_.rom_path = dir_.write("rom.bin", sim_fixtures::as_text(sim_fixtures::patterned_rom(0x8000))).string();
        options_.plain_rom = true;
        options_.internal_ram_size = kInternal;
        options_.external_ram_size = kExternal;
    }
    ~RamImageTest() override { unsetenv(ipc::kRuntimeDirVariable); }

    std::variant<sim::RamImage, sim::SimFailure> open() {
        warnings_.clear();
        return sim::open_ram_image(options_, dir_.path(), "9", warnings_);
    }

    // The end of a run with `ram`: what the write-back reported.
    std::optional<sim::SimFailure> end(sim::RamImage ram) {
        auto rom = sim::load_rom_image(options_, sim::kKitRomKeyTable, "9");
        return sim::write_back_memory_files(options_, dir_.path(), std::move(std::get<sim::RomBlock>(rom)),
                                            std::move(ram));
    }

    void expect_no_temporary() {
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "a temporary left behind";
    }

    testing_kit::TempDir dir_, runtime_;
    sim::SimOptions options_;
    std::vector<sim::SimFailure> warnings_;
};

TEST_F(RamImageTest, ColdAndWarmBoots) {
    struct Case {
        const char* what;
        bool warm;
        std::optional<std::string> ram_file, pid_file;
        int failure;  // string number, 0 for none
        bool booted_warm;
        int warning;          // string number, 0 for none
        uint8_t external[4];  // the first external RAM bytes after the boot
        uint8_t last;         // the last byte of the image
    };
    std::string warm_image(kImageSize, '\0');
    warm_image[kExternalStart] = 0x42;
    const Case cases[] = {
        {"cold", false, std::nullopt, "ID", 0, false, 0, {'I', 'D', 0xFF, 0xFF}, 0xFF},
        {"cold over an old RAM file", false, warm_image, "ID", 0, false, 0, {'I', 'D', 0xFF, 0xFF}, 0xFF},
        {"cold with a long PID",
         false,
         std::nullopt,
         std::string(kExternal + 50, 'P'),
         0,
         false,
         0,
         {'P', 'P', 'P', 'P'},
         'P'},
        {"cold without PID", false, std::nullopt, std::nullopt, sim::kOpenProductIdError, false, 0, {}, 0},
        {"warm", true, warm_image, std::nullopt, 0, true, 0, {0x42, 0, 0, 0}, 0},
        {"warm, longer file", true, warm_image + "tail", std::nullopt, 0, true, 0, {0x42, 0, 0, 0}, 0},
        {"warm, short file", true, warm_image.substr(1), std::nullopt, sim::kRamFileLength, false, 0, {}, 0},
        {"warm without a file turns cold",
         true,
         std::nullopt,
         "ID",
         0,
         false,
         sim::kWarmBootWithoutRamFile,
         {'I', 'D', 0xFF, 0xFF},
         0xFF},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(options_.ram_path);
        std::filesystem::remove(dir_ / sim::kProductIdFileName);
        if (c.ram_file) dir_.write("ram.mem", *c.ram_file);
        if (c.pid_file) dir_.write(sim::kProductIdFileName, *c.pid_file);
        options_.warm_boot = c.warm;
        auto result = open();
        if (c.failure) {
            ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(result)) << c.what;
            EXPECT_EQ(std::get<sim::SimFailure>(result).id, c.failure) << c.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<sim::RamImage>(result)) << c.what;
        const sim::RamImage& ram = std::get<sim::RamImage>(result);
        EXPECT_EQ(ram.block.size(), kImageSize) << c.what;
        EXPECT_EQ(ram.warm, c.booted_warm) << c.what;
        EXPECT_EQ(warnings_.empty() ? 0 : warnings_[0].id, c.warning) << c.what;
        if (c.warning) {
            EXPECT_EQ(warnings_[0].caption, "Warning") << c.what;
        }
        for (int i = 0; i < 4; ++i) EXPECT_EQ(ram.block.data()[kExternalStart + i], c.external[i]) << c.what << i;
        EXPECT_EQ(ram.block.data()[kImageSize - 1], c.last) << c.what;
    }
}

TEST_F(RamImageTest, WriteBackReplacesTheRamFileAndGivesThePidItsBytes) {
    dir_.write(sim::kProductIdFileName, std::string(kExternal + 8, 'P'));
    auto opened = open();
    ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
    sim::RamImage ram = std::move(std::get<sim::RamImage>(opened));
    ram.block.data()[0x2000] = 0x11;
    ram.block.data()[kExternalStart] = 'Q';
    ram.block.data()[kImageSize - 1] = 'Z';
    ASSERT_FALSE(end(std::move(ram)));

    std::string file = testing_kit::read_file(options_.ram_path);
    ASSERT_EQ(file.size(), kImageSize);
    EXPECT_EQ(file[0x2000], 0x11);
    std::string pid = testing_kit::read_file(dir_ / sim::kProductIdFileName);
    ASSERT_EQ(pid.size(), kExternal + 8) << "the PID keeps its length";
    EXPECT_EQ(pid[0], 'Q');
    EXPECT_EQ(pid[kExternal - 1], 'Z');
    EXPECT_EQ(pid.substr(kExternal), std::string(8, 'P')) << "bytes past the external RAM stay";
    expect_no_temporary();
}

TEST_F(RamImageTest, WriteBackKeepsWhatALongerRamFileHoldsPastTheImage) {
    std::string tail(5000, '\0');
    for (std::size_t i = 0; i < tail.size(); ++i) tail[i] = static_cast<char>(i * 13 + 1);
    dir_.write(sim::kProductIdFileName, "ID");
    options_.warm_boot = true;
    for (bool debug : {false, true}) {
        options_.debug = debug;
        dir_.write("ram.mem", std::string(kImageSize, 'w') + tail);
        auto opened = open();
        ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
        sim::RamImage ram = std::move(std::get<sim::RamImage>(opened));
        ram.block.data()[0] = 'A';
        ram.block.data()[kImageSize - 1] = 'Z';
        ASSERT_FALSE(end(std::move(ram)));

        std::string file = testing_kit::read_file(options_.ram_path);
        ASSERT_EQ(file.size(), kImageSize + tail.size()) << debug;
        EXPECT_EQ(file[0], 'A');
        EXPECT_EQ(file[1], 'w');
        EXPECT_EQ(file[kImageSize - 1], 'Z');
        EXPECT_EQ(file.substr(kImageSize), tail) << debug;
        expect_no_temporary();
    }
}

TEST_F(RamImageTest, AColdBootMakesItsRamFileAtStart) {
    dir_.write(sim::kProductIdFileName, "ID");
    dir_.write("ram.mem", "an old session");
    auto opened = open();
    ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
    std::string file = testing_kit::read_file(options_.ram_path);
    ASSERT_EQ(file.size(), kImageSize) << "the fresh image, before the device has run";
    EXPECT_EQ(file.substr(kExternalStart, 3), "ID\xFF");
    expect_no_temporary();

    options_.ram_path = (dir_ / "no-such-folder" / "ram.mem").string();
    auto refused = open();
    ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(refused)) << "the start stops here";
    const sim::SimFailure& failure = std::get<sim::SimFailure>(refused);
    EXPECT_EQ(failure.id, sim::kCreateFileError);
    EXPECT_EQ(failure.caption, "Create File Error");
    EXPECT_EQ(failure.text, "No such file or directory\r\n <" + options_.ram_path + ">");

    options_.ram_path = (dir_ / "ram.mem").string();
    std::filesystem::remove(dir_ / sim::kProductIdFileName);
    auto without_pid = open();
    ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(without_pid));
    EXPECT_EQ(std::get<sim::SimFailure>(without_pid).id, sim::kOpenProductIdError);
    EXPECT_EQ(testing_kit::read_file(options_.ram_path).size(), kImageSize) << "a refused start replaces nothing";
}

TEST_F(RamImageTest, NulNamesNoRamFile) {
    testing_kit::ScopedCwd cwd(dir_.path());
    dir_.write(sim::kProductIdFileName, "ID");
    options_.ram_path = "NUL";
    for (bool debug : {false, true}) {
        for (bool warm : {false, true}) {
            options_.debug = debug;
            options_.warm_boot = warm;
            auto opened = open();
            ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened)) << debug << warm;
            EXPECT_FALSE(std::get<sim::RamImage>(opened).warm) << "a warm boot without a file turns cold";
            EXPECT_EQ(warnings_.size(), warm ? 1u : 0u);
            EXPECT_EQ(std::get<sim::RamImage>(opened).block.data()[kExternalStart], 'I');
            EXPECT_FALSE(end(std::move(std::get<sim::RamImage>(opened)))) << debug << warm;
        }
    }
    options_.debug = false;
    options_.delete_ram = true;
    auto opened = open();
    ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
    EXPECT_FALSE(end(std::move(std::get<sim::RamImage>(opened))));
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_NE(entry.path().filename(), "NUL") << "no file is made for NUL";
}

TEST_F(RamImageTest, DelRamDeletesTheRamFileAndLeavesThePid) {
    dir_.write(sim::kProductIdFileName, "ID");
    dir_.write("ram.mem", "old");
    options_.delete_ram = true;
    auto opened = open();
    ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
    std::get<sim::RamImage>(opened).block.data()[kExternalStart] = 'X';
    EXPECT_FALSE(end(std::move(std::get<sim::RamImage>(opened))));
    EXPECT_FALSE(std::filesystem::exists(options_.ram_path));
    EXPECT_EQ(testing_kit::read_file(dir_ / sim::kProductIdFileName), "ID");
}

TEST_F(RamImageTest, DebugModeSharesBothBlocksByName) {
    dir_.write(sim::kProductIdFileName, "ID");
    options_.debug = true;
    auto rom = sim::load_rom_image(options_, sim::kKitRomKeyTable, "9");
    ASSERT_TRUE(std::holds_alternative<sim::RomBlock>(rom));
    auto opened = open();
    ASSERT_TRUE(std::holds_alternative<sim::RamImage>(opened));
    sim::RamImage& ram = std::get<sim::RamImage>(opened);

    std::string why;
    auto eram = ipc::SharedMapping::open("9", "ERam", ipc::MappingAccess::ReadWrite, &why);
    auto irom = ipc::SharedMapping::open("9", "IRom", ipc::MappingAccess::ReadOnly, &why);
    ASSERT_TRUE(eram && irom) << why;
    EXPECT_EQ(eram->size(), kImageSize);
    EXPECT_EQ(irom->data()[5], sim_fixtures::patterned_rom(6)[5]);
    EXPECT_EQ(eram->data()[kExternalStart], 'I');
    eram->data()[0x100] = 0x77;  // the IDE plants a breakpoint word
    EXPECT_EQ(ram.block.data()[0x100], 0x77);
    ram.block.data()[0x200] = 0x66;
    eram.reset();
    irom.reset();

    EXPECT_FALSE(
        sim::write_back_memory_files(options_, dir_.path(), std::move(std::get<sim::RomBlock>(rom)), std::move(ram)));
    std::string file = testing_kit::read_file(options_.ram_path);
    ASSERT_EQ(file.size(), kImageSize);
    EXPECT_EQ(file[0x100], 0x77);
    EXPECT_EQ(file[0x200], 0x66);
    EXPECT_FALSE(ipc::SharedMapping::open("9", "IRom", ipc::MappingAccess::ReadOnly, &why)) << "released at the end";
}

}  // namespace
