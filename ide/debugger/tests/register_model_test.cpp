#include <gtest/gtest.h>

#include <array>

#include "ide/debugger/register_model.h"

namespace ide {
namespace {

// PC 0x1234, flags Z and C, SP 0xFD, A 1, X 2, Y 3, P 0x23.
std::array<std::uint8_t, 16> block() { return {0x34, 0x12, 0x03, 0xFD, 0x01, 0x02, 0x03, 0x23}; }

std::vector<std::string> changed_values(const RegisterModel& model) {
    std::vector<std::string> out;
    for (const auto& value : model.Values()) {
        if (value.changed) out.push_back(std::to_string(value.line) + ":" + std::to_string(value.column));
    }
    return out;
}

TEST(RegisterModelTest, WithoutABlockOnlyTheTemplatesShow) {
    RegisterModel model;
    EXPECT_TRUE(model.Values().empty());
    model.ShowStopped();
    model.Key(RegisterKey::Right);
    model.Type('1');
    EXPECT_EQ(model.field(), 0);
}

TEST(RegisterModelTest, MarksWhatChangedSinceTheTargetRan) {
    auto registers = block();
    RegisterModel model;
    model.SetRegisterBlock(registers.data());
    registers[4] = 0x99;  // the step changed A only
    model.ShowStopped();
    EXPECT_EQ(changed_values(model), std::vector<std::string>{"1:2"});
    const auto values = model.Values();
    EXPECT_EQ(values[0].text, "1234");
    EXPECT_EQ(values[2].text, "99");
    model.TakeSnapshot();
    EXPECT_TRUE(changed_values(model).empty());
}

TEST(RegisterModelTest, EditsWhileStopped) {
    auto registers = block();
    RegisterModel model;
    model.SetRegisterBlock(registers.data());
    model.Type('7');  // running: no edits
    EXPECT_EQ(registers[1], 0x12);

    model.ShowStopped();
    model.Type('1');
    model.Type('2');
    EXPECT_EQ(registers[1], 0x12);
    model.Type('a');
    EXPECT_EQ(registers[0] | registers[1] << 8, 0x12A4);
    EXPECT_EQ(model.field(), 3);
    model.Key(RegisterKey::Escape);
    EXPECT_EQ(registers[0] | registers[1] << 8, 0x1234);

    model.Click(3, 9);  // on Z
    EXPECT_EQ(model.field(), 19);
    model.Type('5');
    EXPECT_EQ(registers[2], 0x01);
    model.Type(' ');
    EXPECT_EQ(registers[2], 0x03);
    model.Type('5');
    model.Key(RegisterKey::Escape);
    EXPECT_EQ(registers[2], 0x03);

    model.Click(1, 20);  // "P=" takes no input
    EXPECT_EQ(model.field(), 12);
    model.Type('f');
    EXPECT_EQ(registers[7], 0x23);
    EXPECT_EQ(model.field(), 12);
}

TEST(RegisterModelTest, OperandLine) {
    auto registers = block();
    registers[8] = 0x34;
    registers[9] = 0x12;
    registers[10] = 0x78;
    registers[11] = 0x56;
    RegisterModel model;
    model.SetRegisterBlock(registers.data());
    struct Case {
        std::uint8_t flags;
        const char* text;
    };
    for (const Case c : {Case{0, ""}, Case{1, "????:????"}, Case{3, "1234:78"}, Case{7, "1234:5678"}}) {
        registers[12] = c.flags;
        EXPECT_EQ(model.OperandText(), c.text);
    }
}

}  // namespace
}  // namespace ide
