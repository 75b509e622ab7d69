// The Dravlin program as the IDE runs it: each case in its own folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assembler/command_line.h"
#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_kit::read_file;
using testing_kit::TempDir;

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

class DravlinCli : public ::testing::Test {
protected:
    RunResult run(const std::vector<std::string>& args, const fs::path& cwd) {
        std::vector<std::string> argv{testing_kit::program_path("Dravlin").string()};
        argv.insert(argv.end(), args.begin(), args.end());
        os::SpawnOptions options;
        options.argv = argv;
        options.working_directory = cwd;
        options.out = os::Stream::to_file(streams / "out");
        options.err = os::Stream::to_file(streams / "err");
        auto process = os::Process::spawn(options);
        EXPECT_TRUE(process) << process.error().text;
        if (!process) return {};
        os::ExitStatus status = process->wait();
        EXPECT_TRUE(status.exited);
        return {status.code, read_file(streams / "out"), read_file(streams / "err")};
    }

    std::string messages() const { return read_file(dir / "output.msg"); }

    TempDir dir;
    TempDir streams;
};

constexpr const char* kCleanSource = "; nothing to assemble\r\n";

std::string overlong_lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(300, 'x') + "\r\n";
    return text;
}

TEST_F(DravlinCli, NoArgumentsPromptsAndWritesNoMessageFile) {
    RunResult result = run({}, dir.path());
    EXPECT_EQ(result.code, 255);
    EXPECT_EQ(result.out, "Please Enter FileName to the compiler\n");
    EXPECT_FALSE(fs::exists(dir / "output.msg"));
}

TEST_F(DravlinCli, CleanSourceSucceedsWithSummary) {
    dir.write("x.asm", kCleanSource);
    dir.write("empty.asm", "");
    RunResult result = run({"x.asm"}, dir.path());
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "x.obj 0 error(s), 0 warning(s)\n");
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(run({"empty.asm"}, dir.path()).code, 0);
}

TEST_F(DravlinCli, MissingSourceIsFatal1002) {
    RunResult result = run({"nothere.asm"}, dir.path());
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(messages(), "fatal error nothere.asm: 1002: No such file or directory\r\n");
}

TEST_F(DravlinCli, TheHundredAndSecondErrorGoesOnTheHundredAndThirdAborts) {
    dir.write("many.asm", overlong_lines(102));
    dir.write("more.asm", overlong_lines(103));
    RunResult result = run({"many.asm"}, dir.path());
    EXPECT_EQ(result.code, 255);
    EXPECT_EQ(result.out, "many.obj 102 error(s), 0 warning(s)\n");
    std::string text = messages();
    EXPECT_TRUE(text.starts_with("many.asm(1) syntax error 2000: one line is too long\r\n"));
    EXPECT_NE(text.find("many.asm(102) syntax error 2000"), std::string::npos);

    result = run({"more.asm"}, dir.path());
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
    text = messages();
    EXPECT_NE(text.find("more.asm(103) syntax error 2000"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 103);
}

TEST_F(DravlinCli, FailedOrAbortedRunsLeaveNoOutputs) {
    dir.write("bad.asm", overlong_lines(1));
    dir.write("worse.asm", overlong_lines(103));
    for (const char* source : {"bad", "worse"}) {
        dir.write(std::string(source) + ".obj", "old object");
        dir.write(std::string(source) + ".sym", "old symbols");
        EXPECT_NE(run({std::string(source) + ".asm"}, dir.path()).code, 0);
        EXPECT_FALSE(fs::exists(dir / (std::string(source) + ".obj"))) << source;
        EXPECT_FALSE(fs::exists(dir / (std::string(source) + ".sym"))) << source;
    }
}

// An output named after an include is found out once the include is read;
// a run that stops before reading it must not delete it either.
TEST_F(DravlinCli, AnOutputNamingAnIncludeLeavesTheIncludeAsItWas) {
    const std::string include = "K EQU 1\r\n";
    dir.write("inc.asm", include);
    dir.write("main.asm", "#INCLUDE \"inc.asm\"\r\n");
    dir.write("early.asm", overlong_lines(103) + "#INCLUDE \"inc.asm\"\r\n");
    for (const char* source : {"main.asm", "early.asm"}) {
        EXPECT_NE(run({source, "inc.asm"}, dir.path()).code, 0) << source;
        EXPECT_EQ(read_file(dir / "inc.asm"), include) << source;
    }
}

TEST_F(DravlinCli, AnOutputNamingTheSourceIsRefused) {
    dir.write("x.asm", kCleanSource);
    RunResult result = run({"x.asm", "x.asm"}, dir.path());
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(messages().starts_with("fatal error x.asm: 1006: "));
    EXPECT_EQ(read_file(dir / "x.asm"), kCleanSource);
}

TEST_F(DravlinCli, MessageFileThatCannotBeCreatedGoesToStandardError) {
    dir.write("x.asm", kCleanSource);
    fs::create_directory(dir / "output.msg");
    RunResult result = run({"x.asm"}, dir.path());
    EXPECT_EQ(result.err, "INVALID_OUTPUT_HANDLE\n");
    EXPECT_EQ(result.code, 0);
}

TEST_F(DravlinCli, SourceSearchOrder) {
    // A clean and a failing copy tell which one was read.
    dir.write("given/x.asm", kCleanSource);
    dir.write("inc1/x.asm", overlong_lines(1));
    dir.write("inc2/x.asm", kCleanSource);
    dir.write("env/y.asm", overlong_lines(1));
    fs::path given = dir / "given";

    EXPECT_EQ(run({"x.asm", "-I", "../inc1/"}, given).code, 0);                     // as given first
    EXPECT_EQ(run({"x.asm", "-I", "inc1/", "-I", "inc2/"}, dir.path()).code, 255);  // then -I in order
    EXPECT_EQ(run({"x.asm", "-I", "inc2/", "-I", "inc1/"}, dir.path()).code, 0);
    EXPECT_EQ(run({"y.asm"}, dir.path()).code, 1);

    std::string variable = (dir / "env").string() + "/";
    setenv("include", variable.c_str(), 1);
    RunResult found = run({"y.asm", "-I", "inc1/"}, dir.path());
    unsetenv("include");
    EXPECT_EQ(found.code, 255);
    // Messages name the source as it was given, not where it was found.
    EXPECT_TRUE(messages().starts_with("y.asm(1) syntax error 2000"));
}

TEST_F(DravlinCli, OutputsAreNamedByTheThreeRules) {
    const std::string source = "s SECTION BASEADDRESS:0 LENGTH:10H BANKNUMBER:0\nc SEGMENT\nNOP\nc ENDSG\ns ENDSC\n";
    dir.write("x.asm", source);
    dir.write("src/y.asm", source);
    fs::create_directories(dir / "out");
    struct Case {
        std::vector<std::string> args;
        const char* object;
        const char* symbols;
    };
    const Case cases[] = {
        {{"x.asm"}, "x.obj", "x.sym"},                        // beside the source
        {{"src\\y.asm", "out\\"}, "out/y.obj", "out/y.sym"},  // into a folder
        {{"x.asm", "z.bin"}, "z.bin", "z.sym"},               // the object's name as given
    };
    for (const Case& c : cases) {
        RunResult result = run(c.args, dir.path());
        EXPECT_EQ(result.code, 0) << c.object << "\n" << messages();
        // One NOP: the object holds its byte last, the .sym its basic types.
        std::string object = read_file(dir / c.object);
        ASSERT_FALSE(object.empty()) << c.object;
        EXPECT_EQ(object.back(), '\xEA') << c.object;
        EXPECT_EQ(read_file(dir / c.symbols).size(), 112u) << c.symbols;
    }
}

TEST_F(DravlinCli, CommandLinesOfTheIdeBuild) {
    // The four assembler rows of the IDE's job list, with the project folder
    // and the application folder written as the IDE writes them.
    std::string project = dir.path().string() + "\\";
    std::string app = (dir / "app").string() + "\\";
    std::string include = " -I \"" + project + "inc\\\\\" -I \"" + app + "\\\" -I \"" + project + "\\\"";
    dir.write("DEBUG/main.ASM", kCleanSource);
    dir.write("util.asm", kCleanSource);
    fs::create_directories(dir / "app");
    fs::create_directories(dir / "inc");

    struct Row {
        std::string text;
        std::string source;
        std::string output;
        bool code_lines;
    };
    const Row rows[] = {
        {" \"" + project + "DEBUG\\main.ASM\" \"" + project + "DEBUG\\\\\" -C   -W2" + include,
         project + "DEBUG\\main.ASM", project + "DEBUG\\", true},
        {" \"" + project + "util.ASM\" \"" + project + "DEBUG\\\\\"  -W2" + include, project + "util.ASM",
         project + "DEBUG\\", false},
        {" " + project + "DEBUG\\main.ASM " + project + "DEBUG\\ -W2 " + include, project + "DEBUG\\main.ASM",
         project + "DEBUG\\", false},
        {" " + project + "util.ASM " + project + "DEBUG\\ -C  -W2" + include, project + "util.ASM", project + "DEBUG\\",
         true},
    };
    for (const Row& row : rows) {
        std::vector<std::string> argv = os::split_command_line("\"Dravlin.exe\"" + row.text);
        ASSERT_GE(argv.size(), 2u) << row.text;
        std::vector<std::string> args(argv.begin() + 1, argv.end());
        auto settings = dravlin::parse_command_line(args);
        ASSERT_TRUE(settings) << row.text;
        EXPECT_EQ(settings->source_path, row.source);
        EXPECT_EQ(settings->output_path, row.output);
        EXPECT_EQ(settings->code_lines, row.code_lines) << row.text;
        EXPECT_EQ(settings->include_directories, (std::vector<std::string>{project + "inc\\", app, project}));

        RunResult result = run(args, dir.path());
        EXPECT_EQ(result.code, 0) << row.text << "\n" << messages();
        EXPECT_EQ(messages(), "");
    }
}

}  // namespace
