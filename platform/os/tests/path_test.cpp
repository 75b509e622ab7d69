#include "platform/os/path.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace {

using testing_kit::ScopedCwd;
using testing_kit::TempDir;

TEST(MapPath, SeparatorsAndDrivePrefixes) {
    const struct {
        const char* spelled;
        const char* mapped;
    } cases[] = {
        {"DEBUG\\MAIN.OBJ", "DEBUG/MAIN.OBJ"},  {"C:\\proj\\a.asm", "/proj/a.asm"},      {"c:rel\\x", "rel/x"},
        {"plain/unix/path", "plain/unix/path"}, {"1:\\not\\a\\drive", "1:/not/a/drive"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(os::map_path(c.spelled).string(), c.mapped) << c.spelled;
}

TEST(ResolveExisting, FindsAnyCaseAndPrefersTheExactName) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("debug/main.obj", "x");
    EXPECT_EQ(os::resolve_existing("DEBUG\\MAIN.OBJ"), "debug/main.obj");
    EXPECT_EQ(os::resolve_existing("Debug\\Main.Obj"), "debug/main.obj");

    dir.write("debug/Main.obj", "y");
    EXPECT_EQ(os::resolve_existing("debug\\Main.obj"), "debug/Main.obj");
    // Two candidates in other cases: the first in byte order, every time.
    EXPECT_EQ(os::resolve_existing("DEBUG\\MAIN.OBJ"), "debug/Main.obj");

    // Nothing matches: the mapped spelling, so the open reports the usual error.
    EXPECT_EQ(os::resolve_existing("DEBUG\\NONE.OBJ"), "DEBUG/NONE.OBJ");
    EXPECT_EQ(os::resolve_existing("NODIR\\MAIN.OBJ"), "NODIR/MAIN.OBJ");
}

TEST(ResolveForCreate, KeepsExistingFoldersAndTheGivenNameCase) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    std::filesystem::create_directory("debug");
    EXPECT_EQ(os::resolve_for_create("DEBUG\\GAME.LKE"), "debug/GAME.LKE");
    dir.write("debug/game.lke", "old");
    EXPECT_EQ(os::resolve_for_create("DEBUG\\GAME.LKE"), "debug/game.lke");
    EXPECT_EQ(os::resolve_for_create("NEW\\SUB\\X.BIN"), "NEW/SUB/X.BIN");
    const auto absolute = dir.path() / "debug" / "GAME2.LKE";
    EXPECT_EQ(os::resolve_for_create((dir.path() / "DEBUG" / "GAME2.LKE").string()), absolute);
}

}  // namespace
