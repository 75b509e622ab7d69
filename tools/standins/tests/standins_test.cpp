// The stand-in C tools as the build runs them: outputs, messages, exit codes.
#include <gtest/gtest.h>

#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

class StandinTools : public ::testing::Test {
protected:
    int Run(std::string_view program, std::string_view tail) {
        os::SpawnOptions options;
        options.argv.push_back(testing_kit::program_path(program).string());
        for (std::string& argument : os::split_command_line(tail)) options.argv.push_back(std::move(argument));
        options.working_directory = dir.path();
        auto process = os::Process::spawn(options);
        EXPECT_TRUE(process.ok());
        const os::ExitStatus status = process->wait();
        return status.exited ? status.code : -1;
    }
    std::string Read(std::string_view name) { return testing_kit::read_file(dir / name); }

    testing_kit::TempDir dir;
};

TEST_F(StandinTools, PreprocessorCopiesOrStopsAtAnErrorLine) {
    dir.write("main.c", "int a;\r\n");
    dir.write("bad.c", "int a;\n#error no target\n");
    const std::string debug = dir.path().string() + "/DEBUG\\\\";
    std::filesystem::create_directories(dir / "DEBUG");
    EXPECT_EQ(Run("ovp", "\"" + dir.path().string() + "/MAIN.C\" \"" + debug + "main.OVP\" -I \"x\\\\\" -W"), 0);
    EXPECT_EQ(Read("DEBUG/main.OVP"), "int a;\n");
    EXPECT_EQ(Run("ovp", "bad.c bad.OVP"), 2);
    EXPECT_EQ(Read("output.msg"), "bad.c(2) : error :  no target\r\n");
}

TEST_F(StandinTools, CompilerKeepsAsmLinesAndReportsToItsMessageFile) {
    dir.write("main.OVP", "//asm  NOP\nint a;\n//asm  RTS\n");
    dir.write("bad.OVP", "int a;\nsyntax_error here\n");
    EXPECT_EQ(Run("ucx", "main.OVP main.ASM  -CB 0x4040 -BN 0x1 -MB  -errout=msgs.txt"), 0);
    EXPECT_EQ(Read("main.ASM"), "; -CB 0x4040 -BN 0x1 -MB\n NOP\n RTS\n");
    EXPECT_EQ(Run("ucx", "bad.OVP bad.ASM -errout=msgs.txt"), 1);
    EXPECT_EQ(Read("msgs.txt"), "bad.OVP(2) : error C2001 : syntax error\r\n");
    EXPECT_EQ(Run("ucx", "none.OVP x.ASM"), 1);
    EXPECT_EQ(Read("output.msg"), "ucx : fatal error C1001 : can't open none.OVP\r\n");
}

}  // namespace
