// simrun given what is not a ROM, loader or download file, or an output it
// must not replace: each run stops with its numbered message and exit code,
// within a deadline and a memory bound, and leaves the folder as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "simulator/memory/rom_image.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class SimrunFiles : public ::testing::Test {
protected:
    // The message starts with `message` and holds `detail`.
    void expect_refused(std::vector<std::string> arguments, int code, const std::string& message,
                        const std::string& detail = {}) {
        const std::string before = testing_kit::folder_state(files.path());
        arguments.insert(arguments.begin(), "simrun");
        const auto run = testing_kit::run_bounded(arguments, work.path());
        ASSERT_TRUE(run.finished) << "killed at the deadline";
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.code, code);
        EXPECT_LT(run.peak_kib, testing_kit::kPeakKibBound);
        EXPECT_EQ(run.err.rfind(message, 0), 0u) << run.err;
        EXPECT_NE(run.err.find(detail), std::string::npos) << run.err;
        EXPECT_EQ(testing_kit::folder_state(files.path()), before);
    }

    testing_kit::TempDir work;
    testing_kit::TempDir files;
};

// Every cap is below the largest scrambled ROM file, so one size is over all.
TEST_F(SimrunFiles, SpecialAndOversizedRomLoaderAndDownloadAreError2) {
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", sim::kLargestScrambledRomFile + 1)) {
        SCOPED_TRACE(input.label);
        const std::string path = input.path.string();
        const std::string failed = "'" + path + "': " + input.reason + "\n";
        expect_refused({"--rom", path}, 2, "simrun: error 2: ", failed);
        expect_refused({"--rom", path, "--scrambled"}, 2, "simrun: error 2: ", failed);
        expect_refused({"--rom", DEMO_ROM_PATH, "--download", DEMO_PROGRAM_PATH, "--name", "X", "--loader", path}, 2,
                       "simrun: error 2: Read \"dl.ini\" error\n <" + path + ": " + input.reason + ">");
        // A download is taken by its extension: the file is reached through a ".bin" link.
        const fs::path download = work / (input.path.filename().string() + ".bin");
        fs::create_symlink(input.path, download);
        const bool large = input.label.find("larger") != std::string::npos;
        expect_refused(
            {"--rom", DEMO_ROM_PATH, "--download", download.string(), "--name", "X", "--loader", DEMO_LOADER_PATH}, 2,
            "simrun: error 2: ", large ? download.string() : input.reason);
    }
}

TEST_F(SimrunFiles, PictureOutputsThatAreNoPlainWritableFileOrAreAnInputAreError3) {
    const std::vector<std::string> run = {"--rom", DEMO_ROM_PATH, "--cycles", "1000", "--pbm"};
    for (const auto& output : testing_kit::hostile_outputs(files.path(), "out")) {
        SCOPED_TRACE(output.label);
        auto arguments = run;
        arguments.push_back(output.path.string());
        expect_refused(arguments, 1, "simrun: error 3: create '" + output.path.string() + "': " + output.reason);
    }
    fs::copy_file(DEMO_ROM_PATH, files / "rom.bin");
    fs::create_hard_link(files / "rom.bin", files / "linked.pbm");
    for (const std::string& spelling :
         {(files / "ROM.BIN").string(), (files / "." / "rom.bin").string(), (files / "linked.pbm").string()}) {
        SCOPED_TRACE(spelling);
        expect_refused({"--rom", (files / "rom.bin").string(), "--pbm", spelling}, 1,
                       "simrun: error 3: " + spelling + ": the output would replace the input ");
    }
}

}  // namespace
