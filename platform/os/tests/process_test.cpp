#include "platform/os/process.h"

#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using testing_kit::read_file;
using testing_kit::ScopedCwd;
using testing_kit::TempDir;

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheDocumentedRules) {
    const struct {
        const char* line;
        Args args;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"Dravlin main.asm -C", {"Dravlin", "main.asm", "-C"}},
        {"  a\t\tb  ", {"a", "b"}},
        {"\"C:\\Program Files\\Dravlin.exe\" \"my file.asm\"", {"C:\\Program Files\\Dravlin.exe", "my file.asm"}},
        {"a\"b c\"d e", {"ab cd", "e"}},  // quotes group inside an argument
        {"\"\" x \"\"", {"", "x", ""}},   // empty arguments
        {"-I \"\" -C", {"-I", "", "-C"}},
        {"a\\\\b c\\d", {"a\\\\b", "c\\d"}},              // backslashes not before a quote are literal
        {"\"C:\\dir\\\\\" next", {"C:\\dir\\", "next"}},  // 2n backslashes + quote: n, and the quote closes
        {"a\\\\\\\\\"b c\" d", {"a\\\\b c", "d"}},        // 4 backslashes + quote: 2, and the quote opens
        {"a\\\"b", {"a\"b"}},                             // 2n+1 backslashes + quote: n and a literal quote
        {"a\\\\\\\"b", {"a\\\"b"}},
        {"\"a \\\" b\"", {"a \" b"}},
        {"\"say \"\"hi\"\"\" x", {"say \"hi\"", "x"}},  // "" inside quotes is a literal quote
        {"\"\"\"\"", {"\""}},
        {"\"unterminated arg", {"unterminated arg"}},
        {"trailing\\", {"trailing\\"}},
    };
    for (const auto& c : cases) EXPECT_EQ(os::split_command_line(c.line), c.args) << c.line;
}

os::ExitStatus run(Args argv) {
    auto process = os::Process::spawn({std::move(argv), {}, {}, {}, {}});
    EXPECT_TRUE(process) << process.error().text;
    return process ? process->wait() : os::ExitStatus{};
}

TEST(Process, ExitCodesAndSignalsDecideSuccess) {
    const struct {
        const char* script;
        bool exited;
        int code;
        int signal;
    } cases[] = {
        {"exit 0", true, 0, 0},
        {"exit 3", true, 3, 0},
        {"exit 255", true, 255, 0},
        {"kill -TERM $$", false, 0, SIGTERM},
    };
    for (const auto& c : cases) {
        const os::ExitStatus status = run({"sh", "-c", c.script});
        EXPECT_EQ(status.exited, c.exited) << c.script;
        EXPECT_EQ(status.code, c.code) << c.script;
        EXPECT_EQ(status.signal, c.signal) << c.script;
        EXPECT_EQ(status.succeeded(), c.exited && c.code == 0) << c.script;
    }
}

TEST(Process, WaitTimesOutAndAKilledChildFails) {
    auto process = os::Process::spawn({{"sleep", "30"}, {}, {}, {}, {}});
    ASSERT_TRUE(process) << process.error().text;
    EXPECT_FALSE(process->poll());
    EXPECT_FALSE(process->wait_for(10ms));
    ASSERT_TRUE(process->kill());
    const auto status = process->wait_for(10s);
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->succeeded());
    EXPECT_EQ(status->signal, SIGKILL);
    EXPECT_TRUE(process->kill());  // ended already: nothing to do, and no stranger is hit
}

TEST(Process, RedirectsStreamsAndRunsInTheWorkingFolder) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("project/input.txt", "from stdin\n");
    dir.write("project/out.txt", "stale contents that must go");
    dir.write("project/err.txt", "earlier\n");

    os::SpawnOptions options;
    options.argv = {"sh", "-c", "pwd; cat; echo problem >&2"};
    options.working_directory = "PROJECT";
    options.in = os::Stream::to_file("PROJECT\\INPUT.TXT");
    options.out = os::Stream::to_file("project/out.txt");
    options.err = os::Stream::to_file("Project\\Err.txt", true);
    auto process = os::Process::spawn(options);
    ASSERT_TRUE(process) << process.error().text;
    EXPECT_TRUE(process->wait().succeeded());

    const std::string folder = std::filesystem::canonical(dir / "project").string();
    EXPECT_EQ(read_file(dir / "project/out.txt"), folder + "\nfrom stdin\n");
    EXPECT_EQ(read_file(dir / "project/err.txt"), "earlier\nproblem\n");

    options.in = os::Stream::discarded();
    options.out = os::Stream::discarded();
    options.err = os::Stream::discarded();
    options.argv = {"sh", "-c", "cat; echo nowhere"};
    EXPECT_TRUE(os::Process::spawn(options)->wait().succeeded());
}

TEST(Process, ProgramNamedWithAFolderIsFoundInAnyCase) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    const auto script = dir.write("tools/Check.sh", "#!/bin/sh\nexit 7\n");
    ::chmod(script.c_str(), 0755);
    EXPECT_EQ(run({"TOOLS\\CHECK.SH"}).code, 7);
}

TEST(Process, StartFailuresAreReportedNotCrashed) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    const struct {
        os::SpawnOptions options;
        const char* text;
    } cases[] = {
        {{{"no-such-program-here"}, {}, {}, {}, {}}, "start 'no-such-program-here': No such file or directory"},
        {{{"./absent"}, {}, {}, {}, {}}, "start './absent': No such file or directory"},
        {{{}, {}, {}, {}, {}}, "start: no program given"},
        {{{"sh", "-c", "exit 0"}, "no-folder", {}, {}, {}}, "start 'sh' in 'no-folder': No such file or directory"},
        {{{"sh"}, {}, os::Stream::to_file("missing.txt"), {}, {}},
         "start 'sh': input 'missing.txt': No such file or directory"},
        {{{"sh"}, {}, {}, os::Stream::to_file("no-folder/out.txt"), {}}, "start 'sh': No such file or directory"},
    };
    for (const auto& c : cases) {
        auto process = os::Process::spawn(c.options);
        ASSERT_FALSE(process) << c.text;
        EXPECT_EQ(process.error().text, c.text);
    }
}

}  // namespace
