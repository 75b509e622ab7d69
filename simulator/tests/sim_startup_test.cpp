#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/ipc/runtime_dir.h"
#include "platform/profile/store.h"
#include "simulator/memory/ram_image.h"
#include "simulator/sim_startup.h"
#include "simulator/tests/sim_fixtures.h"

namespace {

// A program folder with a skin, a scrambled ROM and a product identification file.
class SimStartupTest : public ::testing::Test {
protected:
    SimStartupTest() {
        setenv(ipc::kRuntimeDirVariable, runtime_.path().c_str(), 1);
        dir_.write("qv4700.cfs", sim_fixtures::as_text(sim::write_skin(sim_fixtures::small_skin())));
        dir_.write("QV4700.BIN",
                   sim_fixtures::as_text(sim::scramble_rom_image(sim_fixtures::patterned_rom(0x8000), 5)));
        dir_.write(sim::kProductIdFileName, "ID");
    }
    ~SimStartupTest() override { unsetenv(ipc::kRuntimeDirVariable); }

    int run(std::vector<std::string> arguments) {
        log_.str("");
        return sim::run_console_session(arguments, dir_.path(), std::nullopt, log_);
    }

    testing_kit::TempDir dir_, runtime_;
    std::ostringstream log_;
};

TEST_F(SimStartupTest, LoadsEverythingAndWritesTheRamBack) {
    EXPECT_EQ(run({"-o:QV4700.BIN", "-a:ram.mem", "-eas:1024", "-if:qv4700.cfs"}), 0) << log_.str();
    EXPECT_NE(log_.str().find("skin \"Test Skin\" 40x30, LCD 12x6, ROM 32768 bytes"), std::string::npos) << log_.str();
    EXPECT_EQ(std::filesystem::file_size(dir_ / "ram.mem"), 0x2000u + 16384 + 1024);

    EXPECT_EQ(run({"-o:QV4700.BIN", "-a:ram.mem", "-eas:1024", "-Warm", "-d", "-h:70000"}), 0) << log_.str();
    EXPECT_NE(log_.str().find("warm boot, debug link 70000"), std::string::npos) << log_.str();
}

TEST_F(SimStartupTest, FailuresEndWithANonZeroCodeAndTheirString) {
    auto corrupt = sim::scramble_rom_image(sim_fixtures::patterned_rom(0x8000), 5);
    corrupt[4108 * 3 + 10] = 10;  // the key index of the fourth chunk
    dir_.write("corrupt.bin", sim_fixtures::as_text(corrupt));
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"-o:QV4700.BIN"}, "error 43: Please Specify Parameter:"},
        {{"-q"}, "error 32: Invalid Option -q "},
        {{"-o:missing.bin", "-a:ram.mem"}, "error 4: Open Bios File Error: No such file or directory"},
        {{"-o:corrupt.bin", "-a:ram.mem"}, "error 64: Rom file preprocess failure!"},
        {{"-o:qv4700.cfs", "-a:ram.mem"}, "error 122: Rom image is smaller"},
        {{"-o:QV4700.BIN", "-a:no-such-folder/ram.mem"}, "error 12: Create File Error: "},
        {{"-o:QV4700.BIN", "-a:ram.mem", "-Warm", "-a:absent.mem", "-o:missing.bin"}, "error 4"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(run(arguments), 1) << message;
        EXPECT_NE(log_.str().find(message), std::string::npos) << log_.str();
    }
}

TEST_F(SimStartupTest, WithoutSkinsTheSimulatorDoesNotStart) {
    std::filesystem::remove(dir_ / "qv4700.cfs");
    EXPECT_EQ(run({"-o:QV4700.BIN", "-a:ram.mem"}), 1);
    EXPECT_NE(log_.str().find("error 23: Find CompFace File Error"), std::string::npos) << log_.str();
}

TEST_F(SimStartupTest, TheFileToDownloadIsNoConcernOfTheStart) {
    // The device takes it once it has booted; neither a bad file nor a missing loader stops the start.
    for (const char* file : {"-f:notes.doc", "-f:missing.bin", "-f:QV4700.BIN"})
        EXPECT_EQ(run({"-o:QV4700.BIN", "-a:ram.mem", file}), 0) << file << log_.str();
}

}  // namespace

namespace {

TEST(SimStartup, RemembersTheSkinThatTheProfileNames) {
    testing_kit::TempDir profile_dir;
    setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1);
    EXPECT_EQ(sim::remembered_skin_name(), std::nullopt);
    auto store = profile::Store::for_program("Harnlow", "Vyrsim");
    store.WriteProfileString("", "CFFileName", "qv4700-small");
    ASSERT_TRUE(store.Flush().ok());
    EXPECT_EQ(sim::remembered_skin_name(), "qv4700-small");
    unsetenv("KIT_PROFILE_DIR");
}

}  // namespace
