#include "linker/link_command_line.h"

#include <gtest/gtest.h>

namespace linker {
namespace {

LinkSettings parse(const std::vector<std::string>& arguments) {
    auto parsed = parse_link_command_line(arguments);
    EXPECT_TRUE(std::holds_alternative<LinkSettings>(parsed));
    return std::get<LinkSettings>(parsed);
}

TEST(LinkCommandLine, JoinsNamesUpperCasesAllButTheDisplayNameAndFindsTheBaseName) {
    const auto settings =
        parse({"/objpath", "proj\\debug\\", "/objs", "main.obj", "C:\\kit\\reset.obj", "/home/me/Start.obj", "/libs",
               "lib\\a.lib", "/Name", "My Game", "/out", "proj\\debug\\game.v1.lke"});
    EXPECT_EQ(settings.object_directory, "PROJ\\DEBUG\\");
    EXPECT_EQ(settings.object_paths,
              (std::vector<std::string>{"PROJ\\DEBUG\\MAIN.OBJ", "C:\\KIT\\RESET.OBJ", "/home/me/Start.obj"}));
    EXPECT_EQ(settings.library_paths, std::vector<std::string>{"LIB\\A.LIB"});
    EXPECT_EQ(settings.display_name, "My Game");
    EXPECT_EQ(settings.output_path, "PROJ\\DEBUG\\GAME.V1.LKE");
    EXPECT_EQ(settings.output_base, "GAME.V1");
}

TEST(LinkCommandLine, OutputBaseNameTable) {
    const std::pair<const char*, const char*> cases[] = {
        {"GAME.LKE", "GAME"}, {"D\\GAME.LKE", "GAME"}, {"/tmp/x/GAME.LKE", "GAME"},
        {"D\\GAME", "GAME"},  {"D.X\\GAME", "GAME"},   {"D\\.LKE", ""},
    };
    for (auto [path, base] : cases) EXPECT_EQ(output_base_name(path), base) << path;
}

TEST(LinkCommandLine, TheLibraryListMayBeEmpty) {
    const auto settings = parse({"/OBJPATH", "d\\", "/OBJ", "a.obj", "/LIBS", "/NAME", "n", "/OUT", "x.lke"});
    EXPECT_TRUE(settings.library_paths.empty());
    EXPECT_EQ(settings.object_paths, std::vector<std::string>{"D\\A.OBJ"});
}

}  // namespace
}  // namespace linker
