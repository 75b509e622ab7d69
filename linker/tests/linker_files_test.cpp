// Mossrel and Vostrel given what is not an object or library, or an output
// they must not replace: each run stops with LNK2006 and its documented exit
// code, within a deadline and a memory bound, and leaves the folder of its
// files as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/file_sizes.h"
#include "linker/link_report.h"
#include "linker/tests/test_objects.h"
#include "linker/vostrel.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_kit::read_file;

// The object folder and name of a file, as both tools take objects.
std::pair<std::string, std::string> folder_and_name(const fs::path& path) {
    return {path.parent_path().string() + "/", path.filename().string()};
}

class LinkerFiles : public ::testing::Test {
protected:
    LinkerFiles() {
        files.write("start.obj", linker::testing::startup_object());
        files.write("main.obj", linker::testing::procedure_object("main", 0));
    }

    void expect_refused(const std::vector<std::string>& argv, int code, const std::string& message) {
        const std::string before = testing_kit::folder_state(files.path());
        const auto run = testing_kit::run_bounded(argv, work.path());
        ASSERT_TRUE(run.finished) << "killed at the deadline";
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.code, code);
        EXPECT_LT(run.peak_kib, testing_kit::kPeakKibBound);
        const std::string messages = read_file(work / "output.msg");
        EXPECT_NE(messages.find(message), std::string::npos) << messages;
        EXPECT_EQ(testing_kit::folder_state(files.path()), before);
    }

    std::vector<std::string> mossrel(const std::string& folder, const std::vector<std::string>& objects,
                                     const std::vector<std::string>& libraries, const std::string& out) const {
        std::vector<std::string> argv{"Mossrel", "/OBJPATH", folder, "/OBJS"};
        argv.insert(argv.end(), objects.begin(), objects.end());
        argv.push_back("/LIBS");
        argv.insert(argv.end(), libraries.begin(), libraries.end());
        argv.insert(argv.end(), {"/NAME", "Demo", "/OUT", out, "/AUTO", "-W2"});
        return argv;
    }

    std::vector<std::string> vostrel(const std::string& folder, const std::vector<std::string>& objects,
                                     const std::string& out) const {
        std::vector<std::string> argv{"Vostrel", "/OBJPATH", folder, "/OBJS"};
        argv.insert(argv.end(), objects.begin(), objects.end());
        argv.insert(argv.end(), {"/OUT", out});
        return argv;
    }

    std::string in_files(const std::string& name) const { return (files / name).string(); }

    testing_kit::TempDir work;
    testing_kit::TempDir files;
};

TEST_F(LinkerFiles, SpecialAndOversizedObjectsAndLibrariesAreLnk2006) {
    const std::string folder = files.path().string() + "/";
    // The same link of plain files succeeds, so each refusal below is the input's.
    ASSERT_EQ(
        testing_kit::run_bounded(mossrel(folder, {"start.obj", "main.obj"}, {}, in_files("game.lke")), work.path())
            .code,
        0)
        << read_file(work / "output.msg");
    fs::remove(files / "game.lke");
    fs::remove(files / "GAME.DEB");
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", formats::kLargestObjFile + 1)) {
        SCOPED_TRACE(input.label);
        const auto [input_folder, name] = folder_and_name(input.path);
        const std::string refusal = "error LNK2006:" + input.reason;
        expect_refused(mossrel(input_folder, {name}, {}, in_files("game.lke")), linker::kLinkAborted, refusal);
        expect_refused(mossrel(folder, {"start.obj", "main.obj"}, {input.path.string()}, in_files("game.lke")),
                       linker::kLinkAborted, refusal);
        expect_refused(vostrel(input_folder, {name}, in_files("x.lib")), linker::kVostrelFailed, refusal);
    }
}

TEST_F(LinkerFiles, OutputsThatAreNoPlainWritableFileOrAreAnInputAreLnk2006) {
    const std::string folder = files.path().string() + "/";
    for (const auto& output : testing_kit::hostile_outputs(files.path(), "out")) {
        SCOPED_TRACE(output.label);
        const std::string path = output.path.string();
        const std::string refusal = path + "\t: error LNK2006:" + output.reason;
        expect_refused(mossrel(folder, {"start.obj", "main.obj"}, {}, path), linker::kLinkAborted, refusal);
        expect_refused(vostrel(folder, {"main.obj"}, path), linker::kVostrelFailed, refusal);
    }
    fs::create_hard_link(files / "main.obj", files / "linked.lke");
    for (const std::string& spelling : {in_files("MAIN.OBJ"), folder + "./main.obj", in_files("linked.lke")}) {
        SCOPED_TRACE(spelling);
        const std::string refusal = spelling + "\t: error LNK2006:the output would replace the input ";
        expect_refused(mossrel(folder, {"start.obj", "main.obj"}, {}, spelling), linker::kLinkAborted, refusal);
        expect_refused(vostrel(folder, {"start.obj", "main.obj"}, spelling), linker::kVostrelFailed, refusal);
    }
}

}  // namespace
