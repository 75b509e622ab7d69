#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ide/build/tests/build_fixture.h"
#include "platform/os/file.h"

namespace ide::testing {
namespace {

using Lines = std::vector<std::string>;

// A stand-in tool: reports "<name> <file name of its first argument>" in
// "output.msg"; fails when an argument names a file "bad_<name>..." or when
// "<name>.fail" exists in the folder it runs in; a file "slow_<name>..."
// makes it write "<name>.started" and sleep until it is ended.
std::string ToolScript(std::string_view name) {
    std::string script =
        "#!/bin/sh\n"
        "file=$(printf '%s' \"$1\" | sed 's|.*[\\\\/]||')\n"
        "printf 'NAME %s\\r\\n' \"$file\" > output.msg\n"
        "case \"$*\" in *slow_NAME*) : > NAME.started; exec sleep 30;; esac\n"
        "case \"$*\" in *bad_NAME*) printf 'NAME: error in %s\\n' \"$file\" >> output.msg; exit 2;; esac\n"
        "if [ -e NAME.fail ]; then printf 'NAME: failed\\n' >> output.msg; exit 1; fi\n"
        "exit 0\n";
    for (std::size_t at; (at = script.find("NAME")) != std::string::npos;) script.replace(at, 4, name);
    return script;
}

class IdeBuildEngine : public BuildFixture {
protected:
    void SetUp() override {
        BuildFixture::SetUp();
        for (const char* tool : {"ovp", "ucx", "Dravlin", "Mossrel", "Vostrel", "packer"}) {
            WriteTool(std::string(tool) + ".exe", ToolScript(tool));
        }
        dir.write("app/reset.obj", "obj");
        builds.SetEndPause(std::chrono::milliseconds(0));
    }

    // GAME with the given sources in its bank MAIN.
    void Project(const std::vector<std::string>& sources) {
        NewGame();
        for (const std::string& source : sources) ASSERT_TRUE(manager.AddFile(PathOf(source), "MAIN"));
    }

    Lines RunBuild(bool rebuild = true) {
        builds.SetWorkspace(&manager);
        EXPECT_TRUE(builds.Build(rebuild)) << builds.GetLastErrorText();
        builds.WaitForBuild();
        EXPECT_FALSE(builds.IsBuilding());
        return sink.Lines();
    }

    static Lines Framed(const char* kind, Lines body) {
        body.insert(body.begin(),
                    std::string("--------------------Start : GAME - 6502 ") + kind + "--------------------");
        body.push_back(std::string("--------------------End : GAME - 6502 ") + kind + "--------------------");
        return body;
    }

    void WaitForFile(std::string_view name) {
        for (int i = 0; i < 2000 && !std::filesystem::exists(dir / name); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(std::filesystem::exists(dir / name)) << name;
    }

    CVyrBuildManager builds{profile, sink, AppFolder()};
};

TEST_F(IdeBuildEngine, ASuccessfulBuildShowsEveryToolsLinesInOrder) {
    Project({"main.c", "start.asm"});
    EXPECT_EQ(RunBuild(), Framed("Build", {"Compile ...", "main.c", "ovp main.C", "ucx main.OVP", "Dravlin main.ASM",
                                           "start.asm", "Dravlin start.ASM", "Linking ...", "Mossrel OBJPATH",
                                           "Packing ...", "packer GAME.LKE"}));
    EXPECT_FALSE(os::file_exists(PathOf("output.msg")));
}

TEST_F(IdeBuildEngine, FailuresSkipWhatTheyMust) {
    struct Case {
        const char* what;
        std::vector<std::string> sources;
        const char* fail_marker;  // a "<tool>.fail" file, or null
        Lines body;
    };
    const Case cases[] = {
        {"preprocessor of the first of two C files",
         {"bad_ovp.c", "good.c"},
         nullptr,
         {"Compile ...", "bad_ovp.c", "ovp bad_ovp.C", "ovp: error in bad_ovp.C", "good.c", "ovp good.C",
          "ucx good.OVP", "Dravlin good.ASM"}},
        {"compiler",
         {"bad_ucx.c", "start.asm"},
         nullptr,
         {"Compile ...", "bad_ucx.c", "ovp bad_ucx.C", "ucx bad_ucx.OVP", "ucx: error in bad_ucx.OVP", "start.asm",
          "Dravlin start.ASM"}},
        {"assembler of the last file",
         {"main.c", "bad_Dravlin.asm"},
         nullptr,
         {"Compile ...", "main.c", "ovp main.C", "ucx main.OVP", "Dravlin main.ASM", "bad_Dravlin.asm",
          "Dravlin bad_Dravlin.ASM", "Dravlin: error in bad_Dravlin.ASM"}},
        {"link",
         {"start.asm"},
         "Mossrel.fail",
         {"Compile ...", "start.asm", "Dravlin start.ASM", "Linking ...", "Mossrel OBJPATH", "Mossrel: failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (manager.IsOpen()) {
            ASSERT_TRUE(manager.CloseWorkspace());
        }
        sink.Clear();
        std::filesystem::remove(dir / "GAME.WSP");
        if (c.fail_marker) dir.write(c.fail_marker, "");
        Project(c.sources);
        EXPECT_EQ(RunBuild(), Framed("Build", c.body));
        if (c.fail_marker) std::filesystem::remove(dir / c.fail_marker);
    }
}

TEST_F(IdeBuildEngine, NoBuildWithoutAWorkspaceOrWhileOneRuns) {
    EXPECT_FALSE(builds.Build(true));
    EXPECT_EQ(builds.GetLastErrorCode(), kErrorNoBankData);
    EXPECT_FALSE(builds.StopBuild());

    Project({"slow_Dravlin.asm"});
    builds.SetWorkspace(&manager);
    ASSERT_TRUE(builds.Build(true));
    WaitForFile("Dravlin.started");
    EXPECT_FALSE(builds.Build(true));
    EXPECT_FALSE(builds.Compile(PathOf("slow_Dravlin.asm")));
    builds.StopBuild();
    builds.WaitForBuild();
}

// The tools write into the folder they run in, the project's: a build or a
// compile whose project folder cannot be entered is refused with the folder
// and the reason, and nothing runs anywhere else.
TEST_F(IdeBuildEngine, AProjectFolderThatCannotBeEnteredRefusesTheBuild) {
    ASSERT_TRUE(manager.NewProject(PathOf("game/GAME.WSP"), "MAIN", kMainBankParam));
    ASSERT_TRUE(manager.SaveWorkspace()) << manager.GetLastErrorText();
    EXPECT_TRUE(std::filesystem::equivalent(os::current_directory(), dir / "game"));
    dir.write("game/start.asm", "");
    ASSERT_TRUE(manager.AddFile(PathOf("game/start.asm"), "MAIN"));
    builds.SetWorkspace(&manager);
    std::filesystem::rename(dir / "game", dir / "gone");
    host.messages.clear();

    const std::string refusal = "Can't enter the project folder (" + PathOf("game/") + "): No such file or directory";
    EXPECT_FALSE(builds.Build(true));
    EXPECT_EQ(builds.GetLastErrorText(), refusal);
    EXPECT_FALSE(builds.Compile(PathOf("game/start.asm")));
    EXPECT_EQ(host.messages, (Lines{refusal, refusal}));
    EXPECT_FALSE(builds.IsBuilding());
    EXPECT_TRUE(sink.Lines().empty());

    std::filesystem::rename(dir / "gone", dir / "game");
    EXPECT_EQ(RunBuild(), Framed("Build", {"Compile ...", "start.asm", "Dravlin start.ASM", "Linking ...",
                                           "Mossrel OBJPATH", "Packing ...", "packer GAME.LKE"}));
}

TEST_F(IdeBuildEngine, CompileOfOneFileStopsAtTheEndOfItsList) {
    Project({"bad_ovp.c"});
    builds.SetWorkspace(&manager);
    ASSERT_TRUE(builds.Compile(PathOf("bad_ovp.c")));
    builds.WaitForBuild();
    EXPECT_EQ(sink.Lines(),
              Framed("Compile", {"Compile ...", "bad_ovp.c", "ovp bad_ovp.C", "ovp: error in bad_ovp.C"}));
}

TEST_F(IdeBuildEngine, ALibraryProjectShowsTheLibraryMakersMessages) {
    Project({"start.asm"});
    manager.SetCodeMode(1);
    EXPECT_EQ(RunBuild(), Framed("Build", {"Compile ...", "start.asm", "Dravlin start.ASM", "Making Library...",
                                           "Vostrel OBJPATH"}));
}

TEST_F(IdeBuildEngine, NothingToCompileStillPacks) {
    Project({});
    dir.write("DEBUG/GAME.LKE", "image");
    EXPECT_EQ(RunBuild(false), Framed("Build", {"Packing ...", "packer GAME.LKE"}));
}

TEST_F(IdeBuildEngine, StopEndsTheRunningToolAndTheBuild) {
    Project({"slow_Dravlin.asm", "after.asm"});
    builds.SetWorkspace(&manager);
    ASSERT_TRUE(builds.Build(true));
    WaitForFile("Dravlin.started");
    EXPECT_TRUE(builds.IsBuilding());
    EXPECT_TRUE(builds.StopBuild());
    builds.WaitForBuild();
    EXPECT_FALSE(builds.IsBuilding());
    EXPECT_EQ(sink.Lines(), Framed("Build", {"Compile ...", "slow_Dravlin.asm"}));
    EXPECT_TRUE(os::file_exists(PathOf("output.msg")));  // neither shown nor deleted
}

TEST_F(IdeBuildEngine, TwoBuildsNeverStopEachOther) {
    BuildSettings settings{BuildMode::build_project, "A", Folder(), std::chrono::milliseconds(0)};
    RecordingSink slow_sink, quick_sink;
    CVyrBuildMainThread slow(slow_sink, settings);
    ASSERT_TRUE(slow.AddJob(ToolsFolder() + "/Dravlin.exe", " slow_Dravlin.asm", kFirstStepFlag));
    ASSERT_TRUE(slow.Start());
    WaitForFile("Dravlin.started");
    slow.RequestStop();

    settings.project_name = "B";
    CVyrBuildMainThread quick(quick_sink, settings);
    ASSERT_TRUE(quick.AddJob(ToolsFolder() + "/ovp.exe", " one.c", kFirstStepFlag));
    ASSERT_TRUE(quick.AddJob(ToolsFolder() + "/ucx.exe", " two.c", kFollowingStepFlag));
    ASSERT_TRUE(quick.Start());
    quick.WaitForEnd();
    slow.WaitForEnd();
    EXPECT_EQ(quick_sink.Lines(), (Lines{"--------------------Start : B - 6502 Build--------------------", "ovp one.c",
                                         "ucx two.c", "--------------------End : B - 6502 Build--------------------"}));
}

TEST_F(IdeBuildEngine, RowsAndToolsThatCannotRun) {
    BuildSettings settings{BuildMode::build_project, "A", Folder(), std::chrono::milliseconds(0)};
    CVyrBuildMainThread build(sink, settings);
    EXPECT_FALSE(build.AddJob(ToolsFolder() + "/none.exe", " x", kFirstStepFlag));
    EXPECT_TRUE(build.AddJob("  \"" + ToolsFolder() + "/ovp.exe\" ignored", std::nullopt, kFirstStepFlag));
    EXPECT_TRUE(build.AddJob(kMessageTool, "note", kFirstStepFlag));
    dir.write("tools/plain", "not a program");
    EXPECT_TRUE(build.AddJob(ToolsFolder() + "/plain", " x", kFirstStepFlag));
    EXPECT_TRUE(build.AddJob(kMessageTool, "never", kFirstStepFlag));
    ASSERT_EQ(build.Jobs().size(), 4u);
    EXPECT_EQ(build.Jobs()[0].tool, ToolsFolder() + "/ovp.exe");
    EXPECT_EQ(build.Jobs()[0].text, " ");

    dir.write("output.msg", "stale message\n");  // from an earlier run: never shown
    ASSERT_TRUE(build.Start());
    build.WaitForEnd();
    const Lines lines = sink.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "ovp ");
    EXPECT_EQ(lines[2], "note");
    EXPECT_NE(lines[3].find("plain"), std::string::npos);  // why the tool did not start
    EXPECT_EQ(lines[4], "--------------------End : A - 6502 Build--------------------");
}

// A message file that cannot be deleted would pass for the next tool's: the
// build stops there and says why.
TEST_F(IdeBuildEngine, AMessageFileThatCannotBeDeletedStopsTheBuild) {
    std::filesystem::create_directory(dir / "output.msg");
    BuildSettings settings{BuildMode::build_project, "A", Folder(), std::chrono::milliseconds(0)};
    CVyrBuildMainThread build(sink, settings);
    ASSERT_TRUE(build.AddJob(ToolsFolder() + "/ovp.exe", " a.c", kFirstStepFlag));
    ASSERT_TRUE(build.AddJob(kMessageTool, "never", kFirstStepFlag));
    ASSERT_TRUE(build.Start());
    build.WaitForEnd();
    const Lines lines = sink.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[1].find(PathOf("output.msg")), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], "--------------------End : A - 6502 Build--------------------");
}

}  // namespace
}  // namespace ide::testing
