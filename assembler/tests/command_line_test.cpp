// Command-line options and the names of the outputs.
#include "assembler/command_line.h"

#include <gtest/gtest.h>

namespace {

using dravlin::output_paths;
using dravlin::parse_command_line;

TEST(AsmCommandLine, Options) {
    EXPECT_FALSE(parse_command_line({}));

    auto settings = parse_command_line({"x.asm", "out\\", "-C", "-W2", "-I", "inc\\", "-c", "-I"});
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->source_path, "x.asm");
    EXPECT_EQ(settings->output_path, "out\\");
    EXPECT_TRUE(settings->code_lines);
    EXPECT_EQ(settings->include_directories, std::vector<std::string>{"inc\\"});

    settings = parse_command_line({"x.asm", "-c"});
    EXPECT_EQ(settings->output_path, "");
    EXPECT_FALSE(settings->code_lines);  // options are matched exactly

    std::vector<std::string> many{"x.asm"};
    for (int i = 0; i < 30; ++i) {
        many.push_back("-I");
        many.push_back("d" + std::to_string(i) + "/");
    }
    settings = parse_command_line(many);
    ASSERT_EQ(settings->include_directories.size(), 24u);
    EXPECT_EQ(settings->include_directories.back(), "d23/");
}

TEST(AsmCommandLine, OutputNames) {
    struct Case {
        std::vector<std::string> args;
        const char* base;
        const char* object;
        const char* symbols;
    };
    const Case cases[] = {
        {{"x.asm"}, "x", "x.obj", "x.sym"},
        {{"dir\\x.asm", "out\\"}, "dir\\x", "out\\x.obj", "out\\x.sym"},
        {{"dir/x.asm", "out/"}, "dir/x", "out/x.obj", "out/x.sym"},
        {{"x.asm", "y.bin"}, "x", "y.bin", "y.sym"},
        {{"x.asm", "dir.v2/y"}, "x", "dir.v2/y", "dir.v2/y.sym"},
        {{"dir.v2/x"}, "dir.v2/x", "dir.v2/x.obj", "dir.v2/x.sym"},
        {{"a.b.asm"}, "a.b", "a.b.obj", "a.b.sym"},
        {{"x"}, "x", "x.obj", "x.sym"},
    };
    for (const Case& c : cases) {
        dravlin::OutputPaths paths = output_paths(*parse_command_line(c.args));
        EXPECT_EQ(paths.base, c.base) << c.args[0];
        EXPECT_EQ(paths.object, c.object) << c.args[0];
        EXPECT_EQ(paths.symbols, c.symbols) << c.args[0];
    }
}

}  // namespace
