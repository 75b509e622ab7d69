// Dravlin given what is not a source, or an output it must not replace: each
// run stops with one numbered message, within a deadline and a memory bound,
// and leaves the folder of its files as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assembler/file_access.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_kit::read_file;

class DravlinFiles : public ::testing::Test {
protected:
    // Runs Dravlin in its own working folder (where output.msg goes), so the
    // folder of the files sees only what the run does to them.
    void expect_refused(const std::vector<std::string>& args, const std::string& message) {
        const std::string before = testing_kit::folder_state(files.path());
        const auto run = testing_kit::run_bounded(
            [&] {
                std::vector<std::string> argv{"Dravlin"};
                argv.insert(argv.end(), args.begin(), args.end());
                return argv;
            }(),
            work.path());
        ASSERT_TRUE(run.finished) << "killed at the deadline";
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.code, 1);
        EXPECT_LT(run.peak_kib, testing_kit::kPeakKibBound);
        EXPECT_EQ(read_file(work / "output.msg"), message);
        EXPECT_EQ(testing_kit::folder_state(files.path()), before);
    }

    testing_kit::TempDir work;
    testing_kit::TempDir files;
};

TEST_F(DravlinFiles, SpecialAndOversizedSourcesAndIncludesAre1002) {
    const std::string source = files.write("g.asm", "nop\r\n").string();
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", dravlin::kLargestSource + 1)) {
        SCOPED_TRACE(input.label);
        const std::string path = input.path.string();
        expect_refused({path, (files / "x.obj").string()}, "fatal error " + path + ": 1002: " + input.reason + "\r\n");
        files.write("inc.asm", "#include \"" + path + "\"\r\n");
        expect_refused({(files / "inc.asm").string(), (files / "x.obj").string()},
                       "fatal error " + path + ": 1002: " + input.reason + "\r\n");
    }
}

TEST_F(DravlinFiles, OutputsThatAreNoPlainWritableFileOrAreTheSourceAre1006) {
    const fs::path source = files.write("g.asm", "nop\r\n");
    for (const auto& output : testing_kit::hostile_outputs(files.path(), "out")) {
        SCOPED_TRACE(output.label);
        const std::string path = output.path.string();
        expect_refused({source.string(), path}, "fatal error " + path + ": 1006: " + output.reason + "\r\n");
    }
    fs::create_hard_link(source, files / "linked.obj");
    for (const std::string& spelling :
         {(files / "G.ASM").string(), (files / "." / "g.asm").string(), (files / "linked.obj").string()}) {
        SCOPED_TRACE(spelling);
        expect_refused({source.string(), spelling},
                       "fatal error " + spelling + ": 1006: the output would replace a source\r\n");
    }
}

// The limit of 256 source files stops the run as the 257th is opened: the
// FIFO named there is never reached.
TEST_F(DravlinFiles, The257thSourceFileStopsTheRunBeforeItIsOpened) {
    files.write("a.inc", "; empty\r\n");
    std::string text;
    for (int i = 0; i < 255; ++i) text += "#include \"" + (files / "a.inc").string() + "\"\r\n";
    const auto fifo = testing_kit::hostile_inputs(files.path(), "in", 1).at(1);
    ASSERT_EQ(fifo.label, "FIFO");
    text += "#include \"" + fifo.path.string() + "\"\r\n";
    const fs::path source = files.write("many.asm", text);
    expect_refused({source.string(), (files / "x.obj").string()},
                   "fatal error: 1001: can not alloc virtual memory\r\n");
}

}  // namespace
