#include <gtest/gtest.h>

#include <filesystem>

#include "ide/debugger/simulator_settings.h"
#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

TEST(SimulatorSettingsTest, DefaultsAndProfileKeys) {
    testing_kit::TempDir dir;
    const std::string app = dir.path().string() + "/app/";
    dir.write("app/Talvask", "#!/bin/sh\n");
    std::filesystem::permissions(dir.path() / "app/Talvask", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    profile::Store profile(dir.path() / "profile");

    SimulatorSettings settings = ReadSimulatorSettings(profile, app);
    EXPECT_EQ(settings.program, app + "Talvask");  // "Talvask.exe" finds the program beside the IDE
    EXPECT_EQ(settings.rom_file, "QV4700.BIN");

    profile.WriteProfileString(kExecutionSection, "vyr simulator", "missing.exe");
    profile.WriteProfileString(kExecutionSection, "Rom file", "other.bin");
    settings = ReadSimulatorSettings(profile, app);
    EXPECT_EQ(settings.program, "");
    EXPECT_EQ(settings.rom_file, "other.bin");
}

}  // namespace
}  // namespace ide
