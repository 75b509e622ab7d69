// The IDE engine's readers given what is not a file of their format, and its
// breakpoint writer given an output it must not replace: each fails at once
// with its own result, within a deadline and a memory bound, and leaves the
// files as they were.
#include <gtest/gtest.h>

#include <string>

#include "formats/file_sizes.h"
#include "ide/build/up_to_date.h"
#include "ide/debugger/breakpoint_list.h"
#include "ide/debugger/debug_files.h"
#include "ide/download/program_image.h"
#include "ide/workspace/code_table.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

TEST(IdeFiles, ReadersRefuseSpecialAndOversizedFilesAtOnce) {
    testing_kit::TempDir files;
    for (const auto& input : testing_kit::hostile_inputs(files.path(), "in", formats::kLargest32BitOffsetFile + 1)) {
        SCOPED_TRACE(input.label);
        const std::string path = input.path.string();
        const std::string state = testing_kit::folder_state(files.path());
        const auto grown = testing_kit::call_bounded([&] {
            const ide::ObjectCheck object = ide::ObjectUpToDate(path, files.path().string());
            EXPECT_EQ(object.state, ide::kObjectUnreadable);
            EXPECT_NE(object.system_error, 0);
            const ide::MapOutcome mapped = ide::map_read_only(path);
            EXPECT_FALSE(mapped.mapped);
            EXPECT_NE(mapped.error, 0);
            EXPECT_FALSE(download::load_program_image(path).ok());
            ide::CodeTable table;
            std::string log;
            EXPECT_EQ(table.Load(path, log), -1);
            ide::CVyrBreakPointMgr breakpoints;
            EXPECT_FALSE(breakpoints.LoadBreakPoints(path));
        });
        EXPECT_LT(grown, testing_kit::kPeakKibBound);
        EXPECT_EQ(testing_kit::folder_state(files.path()), state);
    }
}

TEST(IdeFiles, TheBreakpointFileReplacesOnlyAWritablePlainFile) {
    testing_kit::TempDir files;
    const auto outputs = testing_kit::hostile_outputs(files.path(), "out");
    const std::string before = testing_kit::folder_state(files.path());
    ide::CVyrBreakPointMgr breakpoints;
    for (const auto& output : outputs) {
        SCOPED_TRACE(output.label);
        testing_kit::call_bounded([&] { EXPECT_FALSE(breakpoints.SaveBreakPoints(output.path.string())); });
    }
    EXPECT_EQ(testing_kit::folder_state(files.path()), before);
}

}  // namespace
