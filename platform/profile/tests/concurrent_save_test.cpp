// Processes that save one store at the same moment take turns: each save
// merges over the file as the others left it, so no process loses a value.
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace {

constexpr int kProcesses = 4;
constexpr int kValuesEach = 100;

// A child's work: one value per flush, under a section of its own.
[[noreturn]] void save_values(const std::filesystem::path& file, int process, int start_pipe) {
    char go;
    if (read(start_pipe, &go, 1) != 0) _exit(3);  // waits until the parent closes the pipe
    profile::Store store(file);
    const std::string section = "Process" + std::to_string(process);
    for (int value = 0; value < kValuesEach; ++value) {
        store.WriteProfileInt(section, "Value" + std::to_string(value), value);
        if (!store.Flush()) _exit(2);
    }
    _exit(0);
}

TEST(StoreProcesses, SimultaneousSavesLoseNoValue) {
    testing_kit::TempDir dir;
    const auto file = dir / "shared.profile";
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> children;
    for (int process = 0; process < kProcesses; ++process) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(start[1]);
            save_values(file, process, start[0]);
        }
        children.push_back(pid);
    }
    close(start[0]);
    close(start[1]);  // all children start together
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a saving process failed: " << status;
    }

    const profile::Store merged(file);
    EXPECT_TRUE(merged.load_error().empty()) << merged.load_error();
    int missing = 0;
    for (int process = 0; process < kProcesses; ++process) {
        const std::string section = "Process" + std::to_string(process);
        for (int value = 0; value < kValuesEach; ++value)
            if (merged.GetProfileInt(section, "Value" + std::to_string(value), -1) != value) ++missing;
    }
    EXPECT_EQ(missing, 0) << "values lost of " << kProcesses * kValuesEach;
}

}  // namespace
