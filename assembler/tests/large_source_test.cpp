// Sources at the scale of a large project, assembled and linked as the IDE's
// build runs the tools: the tables grow with the source, and only what the
// object and debug-symbol files can hold limits it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "assembler/driver.h"
#include "assembler/tests/program_generator.h"
#include "linker/mossrel.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder that is the current folder, as the IDE runs the tools.
class AsmLargeSource : public ::testing::Test {
protected:
    int assemble(const std::string& name, const std::string& text, std::vector<std::string> options = {}) {
        dir_.write(name, text);
        options.insert(options.begin(), name);
        return dravlin::assemble(options);
    }

    // Links the objects after the start-up object; the image's bytes, or
    // empty when the link failed.
    std::string link(const std::vector<std::string>& objects, const std::string& image) {
        std::vector<std::string> arguments{"/OBJPATH", "./", "/OBJS", "startup.obj"};
        arguments.insert(arguments.end(), objects.begin(), objects.end());
        arguments.insert(arguments.end(), {"/NAME", "Large", "/OUT", image});
        std::string printed;
        linker::Console console{[&](std::string_view text) { printed += text; },
                                [&](std::string_view text) { printed += text; }};
        EXPECT_EQ(linker::run_mossrel(arguments, console), 0) << printed;
        for (const auto& entry : fs::directory_iterator(dir_.path())) {
            std::string name = entry.path().filename().string();
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            if (name == image) return testing_kit::read_file(entry.path());
        }
        return {};
    }

    std::string messages() const { return testing_kit::read_file(dir_.path() / "output.msg"); }
    bool exists(const std::string& name) const { return fs::exists(dir_.path() / name); }

    testing_kit::TempDir dir_;
    testing_kit::ScopedCwd cwd_{dir_.path()};
};

int count_lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(AsmLargeSource, OneSourceLinksToTheImageOfItsModules) {
    // 200,000 lines in one source, and the same code as eight modules of
    // 25,000 lines, one bank each: the two links give the same image. The
    // one source is assembled with "-C": its line records would outgrow the
    // object's 16-bit count (see the next test), the modules' do not.
    const dravlin_test::GeneratedProgram program = dravlin_test::generate_program(8, 25000);
    ASSERT_EQ(count_lines(program.whole), 200000);
    ASSERT_EQ(assemble("startup.asm", program.startup), 0) << messages();
    std::vector<std::string> modules;
    for (size_t k = 0; k < program.modules.size(); ++k) {
        ASSERT_EQ(count_lines(program.modules[k]), 25000);
        std::string name = "m" + std::to_string(k);
        ASSERT_EQ(assemble(name + ".asm", program.modules[k]), 0) << messages();
        modules.push_back(name + ".obj");
    }
    ASSERT_EQ(assemble("whole.asm", program.whole, {"-C"}), 0) << messages();

    std::string from_modules = link(modules, "modules.lke");
    std::string from_whole = link({"whole.obj"}, "whole.lke");
    ASSERT_GT(from_modules.size(), 8u * 30000u);  // eight banks of code
    EXPECT_TRUE(from_whole == from_modules);
}

TEST_F(AsmLargeSource, PastAFormatLimitTheMessageNamesItAndNothingIsWritten) {
    struct Case {
        const char* what;
        std::string source;
        std::string message;
    };
    std::string constants;
    for (int i = 0; i < 66000; ++i) constants += "K" + std::to_string(i) + " EQU " + std::to_string(i) + "\n";
    const Case cases[] = {
        {"a line record for each line of code", dravlin_test::generate_program(8, 25000).whole,
         "fatal error big.obj: 1006: more than 65535 line records in one object file\r\n"},
        {"a symbol row for each constant", constants,
         "fatal error big.obj: 1006: more than 65535 symbols in one object file\r\n"},
    };
    for (const Case& c : cases) {
        // Outputs of an earlier run go too: a later link must not take them.
        dir_.write("big.obj", "old");
        dir_.write("big.sym", "old");
        EXPECT_EQ(assemble("big.asm", c.source), 1) << c.what;
        EXPECT_EQ(messages(), c.message) << c.what;
        EXPECT_FALSE(exists("big.obj")) << c.what;
        EXPECT_FALSE(exists("big.sym")) << c.what;
    }
}

}  // namespace
