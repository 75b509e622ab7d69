#include <cerrno>

#include <gtest/gtest.h>

#include "simulator/strings/sim_strings.h"

namespace {

TEST(SimStrings, EachFailureHasTheBoxItsStringIsShownIn) {
    struct Case {
        sim::SimFailure failure;
        const char* caption;
        const char* text;
    };
    const Case cases[] = {
        {sim::sim_failure(sim::kReadDownloadError), "Error", "Read download file error"},
        {sim::sim_failure(sim::kWarmBootWithoutRamFile), "Warning",
         "The Ram File does not exist, the Warm Boot Option will be switch to Cold Boot!!!!"},
        {sim::sim_failure(sim::kCreateMappingError, "IRom"), "", "Create File Mapping for IRom Error"},
        {sim::sim_failure(sim::kMapViewError, "/k/ram.mem"), "", "map view of file /k/ram.mem Error"},
        {sim::sim_failure(sim::kOpenProductIdError, "/k/QV4700.PID"), "Error",
         "Can not open Product Identification File [File name: /k/QV4700.PID]!"},
        // A system error: the string above the system's text and the file.
        {sim::system_failure(sim::kCreateFileError, os::system_error("open", ENOENT), "/k/ram.mem"),
         "Create File Error", "No such file or directory\r\n </k/ram.mem>"},
        {sim::system_failure(sim::kOpenBiosFileError, os::plain_error("/k/rom is a directory"), "/k/rom"),
         "Open Bios File Error", "/k/rom is a directory\r\n </k/rom>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.failure.caption, c.caption) << c.failure.id;
        EXPECT_EQ(c.failure.text, c.text) << c.failure.id;
    }
}

TEST(SimStrings, ALogLineCarriesASystemErrorsStringToo) {
    EXPECT_EQ(sim::failure_line(sim::system_failure(sim::kCreateFileError, os::system_error("open", ENOENT), "/r")),
              "Create File Error: No such file or directory </r>");
    EXPECT_EQ(sim::failure_line(sim::sim_failure(sim::kRamFileLength)), sim::sim_string(sim::kRamFileLength));
}

}  // namespace
