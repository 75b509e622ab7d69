#include <gtest/gtest.h>

#include <vector>

#include "ide/debugger/tests/debug_project.h"

namespace ide {
namespace {

using testing::DebugProject;
using testing::kDeviceBank;

std::uint32_t entry(std::uint32_t form, std::uint16_t address, std::uint32_t bank = kDeviceBank) {
    return form | bank << 16 | address;
}

std::vector<std::uint32_t> temporary_entries(const testing::TargetFixture& target) {
    std::vector<std::uint32_t> out;
    for (unsigned i = 0; target.temp_word(i) & 0x80000000u; ++i) out.push_back(target.temp_word(i));
    return out;
}

TEST(SteppingTest, PlantsTheExitsOfTheInstructionOrLine) {
    struct Case {
        const char* name;
        std::uint16_t pc;
        StepMode mode;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"into instruction", 0x4000, StepMode::IntoInstruction, {entry(BreakForm::kStep, 0x4000)}},
        {"over a JSR", 0x4000, StepMode::OverInstruction, {entry(BreakForm::kBefore, 0x4003)}},
        {"over an LDA", 0x4020, StepMode::OverInstruction, {entry(BreakForm::kStep, 0x4020)}},
        {"over a calling line", 0x4000, StepMode::OverLine, {entry(BreakForm::kSource, 0x4003)}},
        {"into a calling line",
         0x4000,
         StepMode::IntoLine,
         {entry(BreakForm::kSource, 0x4020), entry(BreakForm::kSource, 0x4003)}},
        {"loop inside the line", 0x4003, StepMode::OverLine, {entry(BreakForm::kSource, 0x4005)}},
        {"branch to an earlier line",
         0x4005,
         StepMode::OverLine,
         {entry(BreakForm::kSource, 0x4000), entry(BreakForm::kSource, 0x4007)}},
        {"return at the procedure end", 0x4007, StepMode::OverLine, {entry(BreakForm::kStepSource, 0x4007)}},
        {"jump in the fixed area", 0x2000, StepMode::IntoLine, {entry(BreakForm::kSource, 0x2010, 0)}},
        {"line step without a line", 0x1000, StepMode::OverLine, {entry(BreakForm::kStep, 0x1000)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DebugProject project;
        auto session = project.stopped_at(c.pc);
        EXPECT_EQ(session->PrepareStep(c.mode), kStepPlanted);
        EXPECT_EQ(temporary_entries(project.target), c.expected);
    }
}

TEST(SteppingTest, ALineSpreadOverRecordsIsOneLine) {
    DebugProject project;
    auto object = project.make_object();
    // Line 11 continues at 0x4010 with a JMP back into its first part.
    object.lines.insert(object.lines.begin() + 2, {0, 11, 0, 0, 0x10, 0x13});
    object.procedures[0].end = 0x14;
    project.write_files(object, project.make_map());
    const std::uint8_t jump[] = {0x4C, 0x03, 0x40};
    project.target.poke(0x4010, jump);
    auto session = project.stopped_at(0x4011);
    ASSERT_EQ(session->line(), 11u);
    EXPECT_EQ(session->PrepareStep(StepMode::OverLine), kStepPlanted);
    EXPECT_EQ(temporary_entries(project.target), (std::vector<std::uint32_t>{entry(BreakForm::kSource, 0x4005)}));
}

TEST(SteppingTest, AMissingObjectIsAFileError) {
    DebugProject project;
    auto session = project.stopped_at(0x4000);
    std::filesystem::remove(project.object_path());
    EXPECT_EQ(session->PrepareStep(StepMode::OverLine), kStepFileError);
}

}  // namespace
}  // namespace ide
