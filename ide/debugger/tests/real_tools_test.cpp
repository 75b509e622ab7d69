// The debug target over debug files that the kit's own assembler and linker
// wrote, with the command lines the IDE gives them: the line records, source
// names, procedures and the debug map's object names must meet the readers.
#include <gtest/gtest.h>

#include <filesystem>

#include "ide/debugger/debug_target.h"
#include "ide/debugger/testing/target_fixture.h"
#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

constexpr const char* kSource = R"(; A small program for the debugger's tests.
code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
main PROC
        LDA #0
        STA 0300H

        JSR sub
        RTS
main ENDP
sub PROC
        LDA #1
        RTS
sub ENDP
text ENDSG
code ENDSC

PUBLIC main
)";

int run(const std::filesystem::path& folder, std::vector<std::string> argv) {
    os::SpawnOptions options;
    options.argv = std::move(argv);
    options.working_directory = folder;
    options.out = os::Stream::discarded();
    auto process = os::Process::spawn(options);
    if (!process) return -1;
    const os::ExitStatus status = process->wait();
    return status.exited ? status.code : -1;
}

TEST(RealToolsTest, BreakpointsAndStopsOverTheToolsOutput) {
    const auto dravlin = testing_kit::program_path("Dravlin");
    const auto mossrel = testing_kit::program_path("Mossrel");
    if (!std::filesystem::exists(dravlin) || !std::filesystem::exists(mossrel)) GTEST_SKIP() << "tools not built";
    testing_kit::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    dir.write("main.asm", kSource);
    for (const char* file : {"reset.obj", "kit.lib"})
        dir.write(std::string("debug/") + file, testing_kit::read_file(testing_kit::program_path(file)));
    ASSERT_EQ(run(dir.path(), {dravlin.string(), folder + "main.asm", folder + "DEBUG\\", "-W2"}), 0);
    ASSERT_EQ(run(dir.path(), {mossrel.string(), "/OBJPATH", folder + "DEBUG\\", "/OBJS", "MAIN.OBJ", "reset.obj",
                               "/LIBS", folder + "DEBUG\\kit.lib", "/NAME", "Game", "/OUT", folder + "DEBUG\\game.LKE",
                               "/FILEHEAD", folder + "game.VER", "/AUTO", "-W2"}),
              0);

    testing::TargetFixture target;
    CDebugTarget session(TargetViews{target.eram, target.rom}, folder, "game", 0, 1);
    const std::string modules[] = {"main"};
    std::uint32_t word = 0;
    ASSERT_EQ(session.SetBreakPoint(modules, folder + "MAIN.ASM", 7, &word), 8 << 4 | 1);  // the blank line moves on
    const auto address = static_cast<std::uint16_t>(word);
    EXPECT_EQ(word & 0xFFFF0000u, BreakForm::kSource);
    EXPECT_EQ(target.break_word(0), word);

    target.set_pc(address);
    ASSERT_EQ(session.LocateStop(), kStopOnLine);
    EXPECT_EQ(session.line(), 8u);
    EXPECT_TRUE(SamePath(session.source_path(), folder + "main.asm")) << session.source_path();
    EXPECT_EQ(session.line_start(), address);
    EXPECT_EQ(session.line_end(), address + 3);
    EXPECT_EQ(session.procedure_end(), address + 4);  // main ends after its RTS

    // The first line of the program and the routine it calls.
    ASSERT_EQ(session.SetBreakPoint(modules, folder + "main.asm", 12, &word), 0);
    EXPECT_EQ(static_cast<std::uint16_t>(word), address + 4);
}

}  // namespace
}  // namespace ide
