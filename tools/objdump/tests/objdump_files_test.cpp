// kitobjdump given what is not a file of the kit's formats: each run ends with
// "<path>: <why>" and exit code 1, within a deadline and a memory bound, and
// leaves the folder as it was. It writes no files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/file_sizes.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ObjdumpFiles, SpecialAndOversizedFilesEndWithTheirReasonAndExitCode1) {
    testing_kit::TempDir work;
    testing_kit::TempDir files;
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", formats::kLargest32BitOffsetFile + 1)) {
        SCOPED_TRACE(input.label);
        // The kind of file is told by its extension: each is reached through links that carry one.
        for (const char* extension : {".obj", ".sym", ".LKE", ".DEB", ".lib"}) {
            const fs::path named = work / (input.path.filename().string() + extension);
            fs::create_symlink(input.path, named);
            const std::string before = testing_kit::folder_state(files.path());
            for (bool check : {false, true}) {
                if (check && std::string(extension) != ".obj" && std::string(extension) != ".sym") continue;
                const auto run = check
                                     ? testing_kit::run_bounded({"kitobjdump", "--check", named.string()}, work.path())
                                     : testing_kit::run_bounded({"kitobjdump", named.string()}, work.path());
                ASSERT_TRUE(run.finished) << "killed at the deadline";
                EXPECT_TRUE(run.exited);
                EXPECT_EQ(run.code, 1);
                EXPECT_LT(run.peak_kib, testing_kit::kPeakKibBound);
                EXPECT_EQ(run.out, "");
                EXPECT_EQ(run.err.rfind(named.string() + ": ", 0), 0u) << run.err;
                EXPECT_NE(run.err.find(input.reason), std::string::npos) << run.err;
            }
            EXPECT_EQ(testing_kit::folder_state(files.path()), before);
        }
    }
}

}  // namespace
