#include "platform/os/module.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

TEST(Module, PathIsTheRunningProgram) {
    const auto path = os::module_path();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.filename(), "os_test");
    EXPECT_EQ(os::module_directory(), path.parent_path());
}

TEST(Module, EnvironmentNamesMatchInAnyCase) {
    ::setenv("KIT_TEST_Include", "/usr/include/kit", 1);
    EXPECT_EQ(os::environment_variable("kit_test_include"), "/usr/include/kit");
    EXPECT_EQ(os::environment_variable("KIT_TEST_Include"), "/usr/include/kit");
    ::setenv("kit_test_include", "exact", 1);
    EXPECT_EQ(os::environment_variable("kit_test_include"), "exact");  // the exact name wins
    ::unsetenv("KIT_TEST_Include");
    ::unsetenv("kit_test_include");
    EXPECT_FALSE(os::environment_variable("kit_test_include"));
}

}  // namespace
