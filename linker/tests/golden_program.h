#pragma once
// The golden program: several Dravlin-assembled objects in two banks, the
// kit's start-up object, a library made by Vostrel and the kit library,
// linked with the command line the IDE builds.
#include <filesystem>

#include <gtest/gtest.h>

#include "linker/tests/link_fixture.h"
#include "linker/vostrel.h"
#include "testing/golden.h"

namespace linker::testing {

struct LinkedProgram {
    LinkFixture fixture;
    ToolRun run;
};

// Fixture objects are assembled at build time into LINKER_PROGRAM_DIR.
inline void link_golden_program(LinkedProgram& program) {
    const std::filesystem::path objects = LINKER_PROGRAM_DIR;
    auto& fixture = program.fixture;
    for (const char* name : {"main.obj", "sound.obj", "data.obj", "draw.obj", "plot.obj", "util.obj"})
        fixture.add(name, testing_kit::read_file(objects / name));
    fixture.add("reset.obj", testing_kit::read_file(testing_kit::program_path("reset.obj")));
    fixture.add("kit.lib", testing_kit::read_file(testing_kit::program_path("kit.lib")));
    auto made = run_tool(run_vostrel, fixture.dir().path(),
                         {"/OBJPATH", "debug\\", "/OBJS", "util.obj", "/OUT", "debug\\util.lib"});
    ASSERT_EQ(made.exit_code, 0) << made.messages;
    program.run = fixture.run({"/OBJPATH",        "debug\\",        "/OBJS",    "MAIN.OBJ",    "SOUND.OBJ",
                               "DATA.OBJ",        "DRAW.OBJ",       "PLOT.OBJ", "reset.obj",   "/LIBS",
                               "debug\\util.lib", "debug\\kit.lib", "/NAME",    "Golden Demo", "/OUT",
                               "debug\\game.lke", "/FILEHEAD",      "game.ver", "/AUTO",       "-W2"});
    ASSERT_EQ(program.run.exit_code, 0) << program.run.messages;
}

}  // namespace linker::testing
