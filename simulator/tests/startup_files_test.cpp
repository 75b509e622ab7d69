// Talvask's start-up readers and writers given what is not a file of their
// format, or a RAM file that is no writable plain file or is one of the
// inputs: each start ends with its numbered message and exit code 1, within a
// deadline and a memory bound, and leaves the files as they were.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/file_sizes.h"
#include "platform/ipc/runtime_dir.h"
#include "simulator/memory/ram_image.h"
#include "simulator/memory/rom_image.h"
#include "simulator/sim_startup.h"
#include "simulator/tests/sim_fixtures.h"
#include "testing/hostile_files.h"

namespace {

namespace fs = std::filesystem;

class StartupFiles : public ::testing::Test {
protected:
    StartupFiles() {
        setenv(ipc::kRuntimeDirVariable, runtime.path().c_str(), 1);
        program.write("qv4700.cfs", sim_fixtures::as_text(sim::write_skin(sim_fixtures::small_skin())));
        program.write("QV4700.BIN",
                      sim_fixtures::as_text(sim::scramble_rom_image(sim_fixtures::patterned_rom(0x8000), 5)));
        program.write(sim::kProductIdFileName, "ID");
    }
    ~StartupFiles() override { unsetenv(ipc::kRuntimeDirVariable); }

    // One start that must fail with `message` in its log, leaving `files` as it was.
    void expect_refused(const std::vector<std::string>& arguments, const std::string& message) {
        const std::string before = testing_kit::folder_state(files.path());
        std::ostringstream log;
        int code = 0;
        const auto grown = testing_kit::call_bounded(
            [&] { code = sim::run_console_session(arguments, program.path(), std::nullopt, log); });
        EXPECT_EQ(code, 1) << log.str();
        EXPECT_NE(log.str().find(message), std::string::npos) << log.str();
        EXPECT_LT(grown, testing_kit::kPeakKibBound);
        EXPECT_EQ(testing_kit::folder_state(files.path()), before);
    }

    std::string ram() const { return "-a:" + (work / "ram.mem").string(); }

    testing_kit::TempDir program, files, work, runtime;
};

TEST_F(StartupFiles, SpecialAndOversizedRomSkinRamProductIdAndKeyFilesAreRefused) {
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", sim::kLargestScrambledRomFile + 1)) {
        SCOPED_TRACE(input.label);
        const std::string path = input.path.string();
        const bool large = input.label.find("larger") != std::string::npos;
        expect_refused({"-o:" + path, ram()}, "error 4: Open Bios File Error: " + input.reason);
        expect_refused({"-o:" + path, "-up", ram()}, "error 4: Open Bios File Error: " + input.reason);
        if (!large) expect_refused({"-o:QV4700.BIN", "-a:" + path, "-Warm"}, input.reason);
        for (const char* name : {sim::kProductIdFileName, sim::kRomKeyFileName}) {
            fs::remove(program / name);
            fs::create_symlink(input.path, program / name);
            expect_refused({"-o:QV4700.BIN", ram()}, name == std::string(sim::kRomKeyFileName) ? "error 126" : "error");
            fs::remove(program / name);
        }
        program.write(sim::kProductIdFileName, "ID");
    }
    // Skins are only looked for among the plain files of the program's folder, so
    // only a large one is ever read; a skin's own bound is far larger than a ROM's.
    const auto skins = testing_kit::hostile_inputs(files.path(), "skin", formats::kLargestSkinFile + 1);
    fs::create_symlink(skins.back().path, program / "big.cfs");
    expect_refused({"-o:QV4700.BIN", ram(), "-if:big.cfs"}, "File too large");
}

TEST_F(StartupFiles, RamFilesThatAreNoPlainWritableFileOrAreAnInputAreRefused) {
    for (const auto& output : testing_kit::hostile_outputs(files.path(), "out")) {
        SCOPED_TRACE(output.label);
        const std::string path = output.path.string();
        expect_refused({"-o:QV4700.BIN", "-a:" + path}, "error");
        expect_refused({"-o:QV4700.BIN", "-a:" + path, "-DelRam"}, "error");
    }
    const fs::path rom = program / "QV4700.BIN";
    fs::create_hard_link(rom, files / "linked.mem");
    for (const std::string& spelling : {(program / "qv4700.bin").string(), (program / "." / "QV4700.BIN").string(),
                                        (files / "linked.mem").string()}) {
        SCOPED_TRACE(spelling);
        const auto rom_before = testing_kit::folder_state(program.path());
        expect_refused({"-o:QV4700.BIN", "-a:" + spelling}, "the RAM file would replace the input");
        EXPECT_EQ(testing_kit::folder_state(program.path()), rom_before);
    }
}

TEST_F(StartupFiles, ADebugRamFileMapsOnlyAWritablePlainFile) {
    // In debug mode the RAM file is mapped and shared with the IDE rather than
    // written at the end: the same outputs, and links to them, are refused.
    std::vector<fs::path> refused;
    for (const auto& output : testing_kit::hostile_outputs(files.path(), "out")) {
        refused.push_back(output.path);
        fs::create_symlink(output.path, files / ("link-to-" + output.path.filename().string()));
        refused.push_back(files / ("link-to-" + output.path.filename().string()));
    }
    for (const fs::path& path : refused) {
        SCOPED_TRACE(path.filename().string());
        expect_refused({"-o:QV4700.BIN", "-a:" + path.string(), "-d"}, "error 12: Create File Error");
        expect_refused({"-o:QV4700.BIN", "-a:" + path.string(), "-d", "-Warm"}, "error 12: Create File Error");
    }
}

}  // namespace
