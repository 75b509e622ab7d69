// Error fixtures, one per pass: every bad line carries "; error N ..." with
// the messages it must produce, and Dravlin's "output.msg" must name exactly
// those (line, message) pairs and end with the exit code of a failed pass.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

using Marks = std::set<std::pair<int, int>>;  // (line, message id)

Marks expected_marks(const std::string& source) {
    Marks marks;
    std::istringstream lines(source);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        size_t mark = line.find("; error ");
        if (mark == std::string::npos) continue;
        std::istringstream ids(line.substr(mark + 8));
        for (int id; ids >> id;) marks.insert({number, id});
    }
    return marks;
}

Marks reported_marks(const std::string& messages, const std::string& file) {
    Marks marks;
    std::regex pattern(std::regex_replace(file, std::regex(R"([.])"), R"(\.)") + R"(\((\d+)\) syntax error (\d+):)");
    for (std::sregex_iterator it(messages.begin(), messages.end(), pattern), end; it != end; ++it) {
        marks.insert({std::stoi((*it)[1]), std::stoi((*it)[2])});
    }
    return marks;
}

class AsmErrorFixtures : public ::testing::TestWithParam<const char*> {};

TEST_P(AsmErrorFixtures, ReportsExactlyTheMarkedMessages) {
    std::string name = GetParam();
    std::string source = testing_kit::read_file(testing_kit::source_path("assembler/tests/errors/" + name));
    testing_kit::TempDir dir;
    dir.write(name, source);
    os::SpawnOptions options;
    options.argv = {testing_kit::program_path("Dravlin").string(), name};
    options.working_directory = dir.path();
    options.out = os::Stream::to_file(dir / "stdout");
    auto process = os::Process::spawn(options);
    ASSERT_TRUE(process) << process.error().text;
    os::ExitStatus status = process->wait();
    EXPECT_EQ(status.code, 255);
    std::string messages = testing_kit::read_file(dir / "output.msg");
    EXPECT_EQ(reported_marks(messages, name), expected_marks(source)) << messages;
    EXPECT_FALSE(std::filesystem::exists(dir / (name.substr(0, name.size() - 4) + ".obj")));
}

INSTANTIATE_TEST_SUITE_P(OnePerPass, AsmErrorFixtures, ::testing::Values("pass0.asm", "pass1.asm", "pass2.asm"));

}  // namespace
