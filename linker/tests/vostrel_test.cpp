#include "linker/vostrel.h"

#include <gtest/gtest.h>

#include "linker/tests/test_objects.h"
#include "linker/tests/tool_run.h"
#include "testing/temp_dir.h"

namespace linker {
namespace {

using testing::procedure_object;
using testing::run_tool;
using testing_kit::read_file;
using testing_kit::TempDir;

constexpr char kUsage[] =
    "usage: LINK [options] [filename]\r\n\r\n\tOptions:\r\n\t/OBJPATH:\tcommon path of obj files\r\n"
    "\t/OBJS:\tobj files\r\n\t/OUT:\tout put filename\r\n";

std::string u32le(std::uint32_t value) { return {char(value), char(value >> 8), char(value >> 16), char(value >> 24)}; }

TEST(Vostrel, PacksObjectsWholeWithTheirUpperCasedNames) {
    TempDir dir;
    const auto a = procedure_object("alpha", 0);
    const auto b = procedure_object("beta", 0);
    dir.write("debug/a.obj", a);
    dir.write("debug/b.obj", b);

    // The IDE's line, lower-case names and keywords, and a trailing /AUTO.
    auto run = run_tool(run_vostrel, dir.path(),
                        {"/objpath", "debug\\", "/objs", "a.obj", "b.obj", "/out", "debug\\lib.lib", "/AUTO"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.messages, "");
    EXPECT_EQ(run.out.rfind("Marlowquin (R) 6502 Link Library Version 3.1\r\n", 0), 0u);

    const std::uint32_t first = 4 + 8 * 2;
    const std::uint32_t names = first + std::uint32_t(a.size() + b.size());
    const std::string expected = std::string("IL\x02\x00", 4) + u32le(first) + u32le(names) +
                                 u32le(first + std::uint32_t(a.size())) + u32le(names + 6) + a + b +
                                 std::string("A.OBJ\0B.OBJ\0", 12);
    // The library is created with the case given, in the folder found in any case.
    EXPECT_EQ(read_file(dir / "debug/LIB.LIB"), expected);
}

TEST(Vostrel, BadCommandLinesGiveTheirMessageAndUsage) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{}, "\nError: Missing OBJ file path in command Line\r\n"},
        {{"/OBJPATH"}, "\nError: Missing OBJ file path in command Line\r\n"},
        {{"/OBJPATH", "/OBJS", "a.obj"}, "\nError: Missing OBJ file path in command Line\r\n"},
        {{"/OBJPATH", "d\\", "a.obj"}, "\nError: Missing OBJ file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "/OUT", "x.lib"}, "\nError: Missing OBJ file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj"}, "\nError: Missing Lib file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/OUT"}, "\nError: Missing Lib file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/OUTPUT", "x.lib"},
         "\nError: Missing Lib file Name in command Line\r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto run = run_tool(run_vostrel, dir.path(), c.arguments);
        EXPECT_EQ(run.exit_code, kVostrelFailed);
        EXPECT_EQ(run.messages, c.message + kUsage);
        EXPECT_EQ(run.err, c.message + kUsage);
        EXPECT_FALSE(std::filesystem::exists(dir / "X.LIB"));
    }
}

TEST(Vostrel, AbsolutePathsAreNeitherKeywordsNorJoined) {
    TempDir dir;
    dir.write("objs/Alpha.obj", procedure_object("alpha", 0));
    const auto folder = (dir / "objs").string() + "/";
    auto run = run_tool(run_vostrel, dir.path(),
                        {"/OBJPATH", folder, "/OBJS", folder + "Alpha.obj", "/OUT", (dir / "out.lib").string()});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "out.lib"));
}

TEST(Vostrel, AFailedInputLeavesTheOldLibraryAsItWas) {
    TempDir dir;
    dir.write("a.obj", procedure_object("alpha", 0));
    dir.write("bad.obj", "not an object at all");
    dir.write("OUT.LIB", "old library");

    auto missing = run_tool(run_vostrel, dir.path(), {"/OBJPATH", "", "/OBJS", "a.obj", "gone.obj", "/OUT", "out.lib"});
    EXPECT_EQ(missing.exit_code, kVostrelFailed);
    EXPECT_EQ(missing.messages, "GONE.OBJ\t: error LNK2006:No such file or directory\r\n");

    auto corrupt = run_tool(run_vostrel, dir.path(), {"/OBJPATH", "", "/OBJS", "a.obj", "bad.obj", "/OUT", "out.lib"});
    EXPECT_EQ(corrupt.exit_code, kVostrelFailed);
    EXPECT_EQ(corrupt.messages, "BAD.OBJ\t: error LNK2007:not a valid object file (shorter than an object header)\r\n");

    EXPECT_EQ(read_file(dir / "OUT.LIB"), "old library");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);  // no temporary left
}

}  // namespace
}  // namespace linker
