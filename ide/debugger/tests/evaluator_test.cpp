// The C expression evaluator over a small C module: its .csy made by mkcsy,
// its object, type file and the debug map written by the test writer, and a
// stopped target whose frame holds the locals below.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <memory>

#include "ide/debugger/formular.h"
#include "ide/debugger/testing/debug_files_writer.h"
#include "ide/debugger/testing/target_fixture.h"
#include "ide/debugger/value_display.h"
#include "testing/temp_dir.h"
#include "tools/mkcsy/csy_writer.h"

namespace ide {
namespace {

using testing::ObjectContents;

// Locals from the frame at 0x0400 (word at 0x40); the parameter p from the
// frame at 0x0500 (word at 0x42); globals at 0x0600 (prog) and 0x0710 (lib).
constexpr const char* kDescription = R"(
    module PROJECT/prog.c
    function 0x4000 0x40FF body
    scope file 3 -
    symbol g_int 81 int @_g_int
    symbol ext 81 int @_ext
    symbol lost 81 int @_lost
    scope body 4 file
    symbol x 4 int 0
    symbol f 4 float 2
    symbol c 4 char 6
    symbol l 4 long 8
    symbol s 4 s 12
    symbol ps 4 ps 18
    symbol arr 4 arr4 20
    symbol ia 4 ia3 24
    symbol zero 4 int 30
    symbol m1 4 int 32
    symbol ul 4 ulong 34
    symbol p 67 pint 0
    symbol odd 99 int 0
    type int 4 -
    type float 1 -
    type char 3 -
    type long 13 -
    type ulong 14 -
    type pint 7 int
    type s 9 - point
    type ps 7 s
    type arr4 12 char 4
    type ia3 12 int 6
    struct point point 6
    member a int 0
    member b int 2
    member next ps 4
)";

// The project and the stopped target.
class EvalWorld {
public:
    EvalWorld() {
        folder = dir.path().string() + "/";
        std::string description = kDescription;
        description.replace(description.find("PROJECT"), 7, dir.path().string());
        std::string error;
        const std::string csy = mkcsy::build_csy(description, &error);
        EXPECT_FALSE(csy.empty()) << error;
        dir.write("debug/prog.csy", csy);

        ObjectContents prog;
        prog.symbols = {{"_g_int", 0, formats::SymbolKind::Variable, 0, 0, 0},
                        {"_ext", formats::kExternalVariableType, formats::SymbolKind::Variable, 0, 0, 0}};
        ObjectContents lib;
        lib.symbols = {{"_EXT", 0, formats::SymbolKind::Variable, 0, 0, 0x10}};
        lib.public_rows = {0};
        dir.write("debug/prog.obj", testing::write_obj(prog));
        dir.write("debug/lib.obj", testing::write_obj(lib));
        dir.write("debug/broken.obj", "short");
        dir.write("debug/prog.sym", testing::write_sym(0));
        dir.write("debug/lib.sym", testing::write_sym(0));
        dir.write("debug/game.deb", testing::write_deb({{{folder + "debug/prog.obj", {{{0, 0, 0x0600, 0x0610}}}},
                                                         {folder + "debug/lib.obj", {{{0, 0, 0x0700, 0x0720}}}}}}));

        poke16(0x40, 0x0400);
        poke16(0x42, 0x0500);
        poke16(0x0400, 5);
        poke32(0x0402, std::bit_cast<std::uint32_t>(2.5f));
        poke8(0x0406, 0xFD);
        poke32(0x0408, 100000);
        poke16(0x040C, 1);
        poke16(0x040E, 2);
        poke16(0x0410, 0x040C);  // s.next points at s itself
        poke16(0x0412, 0x040C);  // ps = &s
        target.poke(0x0414, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("abc"), 4));
        poke16(0x0418, 10);
        poke16(0x041A, 20);
        poke16(0x041C, 30);
        poke16(0x041E, 0);
        poke16(0x0420, 0xFFFF);
        poke32(0x0422, 3000000000);
        poke16(0x0500, 0x0418);  // p = ia
        poke16(0x0600, 7);
        poke16(0x0710, 9);
    }

    void poke8(std::uint16_t address, std::uint8_t value) { target.poke(address, {&value, 1}); }
    void poke16(std::uint16_t address, std::uint16_t value) {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        target.poke(address, bytes);
    }
    void poke32(std::uint16_t address, std::uint32_t value) {
        poke16(address, static_cast<std::uint16_t>(value));
        poke16(address + 2, static_cast<std::uint16_t>(value >> 16));
    }
    std::uint16_t peek16(std::uint16_t address) const {
        return static_cast<std::uint16_t>(memory.read_word(address).value_or(0xDEAD));
    }

    std::unique_ptr<CFormular> formular(bool hex = false, bool with_target = true) {
        auto out = std::make_unique<CFormular>(
            EvalContext{with_target ? &memory : nullptr, {folder, "game", modules}, 0x4010});
        out->InitCsym("prog");
        out->SetHexMode(hex);
        return out;
    }
    std::string text(std::string_view expression, bool hex = false) { return formular(hex)->Evaluate(expression).text; }

    testing_kit::TempDir dir;
    std::string folder;
    std::vector<std::string> modules = {"prog", "broken", "lib"};
    testing::TargetFixture target;
    TargetMemory memory{TargetViews{target.eram, target.rom}};
};

class EvaluatorTest : public ::testing::Test, public EvalWorld {};

TEST_F(EvaluatorTest, ExpressionTable) {
    static const std::string kLongName(300, 'v');
    struct Case {
        const char* expression;
        const char* text;
        bool hex = false;
    };
    const Case cases[] = {
        // variables of each storage
        {"x", "5"},
        {"f", "2.500000"},
        {"c", "-3"},
        {"l", "100000"},
        {"m1", "-1"},
        {"m1", "0xffffffff", true},
        {"g_int", "7"},
        {"ext", "9"},
        {"lost", "Variable miss address"},
        {"odd", "Variable miss address"},
        {"*p", "10"},
        // operators and precedence
        {"x+1", "6"},
        {"-x", "-5"},
        {"x*2+1", "11"},
        {"x*(2+1)", "15"},
        {"7 % 3", "1"},
        {"x << 2", "20"},
        {"m1 >> 1", "-1"},
        {"x || 0", "1"},
        {"x | 2", "7"},
        {"x && 2", "1"},
        {"x & 4", "4"},
        {"x ^ 1", "4"},
        {"~0", "65535"},
        {"~x", "-6"},
        {"!x", "0"},
        {"x == 5", "1"},
        {"x != 5", "0"},
        {"x <= 4", "0"},
        {"x > 4", "1"},
        {"f*2", "5.000000"},
        {"f > 2", "1"},
        {"(int)f", "2"},
        {"(unsigned char)300", "44"},
        {"(float)x", "5.000000"},
        // long and unsigned long are 4-byte integers like any other; both
        // show signed, so the dialect's negative results (unsigned longs)
        // read as negative numbers and the exact bits show in hexadecimal.
        {"sizeof(l)", "4"},
        {"sizeof(ul)", "4"},
        {"l + 1", "100001"},
        {"l * 2", "200000"},
        {"ul", "-1294967296"},
        {"ul", "0xb2d05e00", true},
        {"ul + 0", "-1294967296"},
        {"-1", "-1"},
        {"5 - 10", "-5"},
        {"4294967295", "-1"},
        {"0xFFFFFFFF", "0xffffffff", true},
        // short circuits: the right side is parsed but never evaluated
        {"5 || 1/0", "1"},
        {"0 && 1/0", "0"},
        {"0 * (1/0)", "0"},
        {"0 / 0", "0"},
        {"zero || x", "1"},
        {"1/0", "Can not display this value"},
        {"1%0", "Can not display this value"},
        {"f/0", "Can not display this value"},
        // numbers and character constants
        {"0x1234", "4660"},
        {"0x12345", "74565"},
        {"0x123456789", "Unknow Identifier"},
        {"65535", "65535"},
        {"65536", "65536"},
        {"4294967296", "Unknow Identifier"},
        {"1.5e", "Wrong number style"},
        {"0x", "Wrong number style"},
        {"'a'", "97"},
        {"''", "0"},
        {"'ab'", "226"},
        {"'a", "Unknow Identifier"},
        {"'abc'", "Unknow Identifier"},
        {"ff", "0xff", true},
        {"0n10", "0xa", true},
        {"ff", "Unknow Identifier"},
        // sizeof
        {"sizeof(x)", "2"},
        {"sizeof(f)", "4"},
        {"sizeof(p)", "2"},
        {"sizeof(s)", "6"},
        {"sizeof x", "Miss left bracket -- '('"},
        // pointers, arrays and members
        {"p+1", "0x41a"},
        {"*(p+1)", "20"},
        {"p[2]", "30"},
        {"ia[1]", "20"},
        {"*(ia+2)", "30"},
        {"&x", "0x400"},
        {"*&x", "5"},
        {"arr[1]", "98"},
        {"s.b", "2"},
        {"ps->a", "1"},
        {"ps->next->b", "2"},
        {"s.next->a", "1"},
        {"(point)0x40C", "{...}"},
        {"((point)0x40C).b", "Unknow Identifier"},  // members follow names only
        // errors
        {"s.zz", "Miss subvariable"},
        {"s.", "Miss subvariable"},
        {"x.a", "Uncompatible style"},
        {"x[0]", "  "},
        {"5[0]", "Unknow Identifier"},
        {"&5", "the value is not compatible"},
        {"*x", "the value is not compatible"},
        {"(x", "Not Matching Identifier"},
        {"ia[1", "Not Matching Identifier"},
        {"a b", "Unknow Identifier"},
        {"x b", "Unknow Identifier"},
        {"5 = 3", "Option symbol is wrong"},
        {"(unsigned float)1", "Unknow Identifier"},
        {"", "Unknow Identifier"},
        {kLongName.c_str(), "the length of vairiable'name is too long"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.expression, c.hex), c.text) << c.expression << (c.hex ? " (hex)" : "");
    }
}

TEST_F(EvaluatorTest, AssignmentsWriteTargetMemory) {
    struct Case {
        const char* expression;
        const char* text;
        std::uint16_t address;
        std::uint32_t stored;
        int width = 2;  // bytes compared at the address
    };
    const Case cases[] = {
        {"x = 9", "9", 0x0400, 9},
        // The right side in 32-bit integers, written with the variable's width.
        {"x = -1", "-1", 0x0400, 0xFFFF},
        {"x += -1", "4", 0x0400, 4},
        {"x -= -1", "6", 0x0400, 6},
        {"x = 70000", "4464", 0x0400, 0x1170},
        {"x = 0xFFFFFFFF", "-1", 0x0400, 0xFFFF},
        {"x = -2.9", "-2", 0x0400, 0xFFFE},
        {"x = 1e30", "-1", 0x0400, 0xFFFF},  // beyond every width: held at the end, no undefined conversion
        {"c = -1", "-1", 0x0406, 0xFF, 1},
        {"l = -1", "-1", 0x0408, 0xFFFFFFFF, 4},
        {"l += -1", "99999", 0x0408, 99999, 4},
        {"l = 3000000000", "-1294967296", 0x0408, 3000000000, 4},
        {"ul = 3000000000", "-1294967296", 0x0422, 3000000000, 4},
        {"ul = -1", "-1", 0x0422, 0xFFFFFFFF, 4},
        {"ul -= 1", "-1294967297", 0x0422, 2999999999, 4},
        {"x <<= 1", "10", 0x0400, 10},
        {"x >>= 1", "2", 0x0400, 2},
        {"x %= 3", "2", 0x0400, 2},
        {"x /= 2", "2", 0x0400, 2},
        {"x += ia[2]", "35", 0x0400, 35},
        {"x |= 8", "13", 0x0400, 13},
        {"++x", "6", 0x0400, 6},
        {"x++", "5", 0x0400, 6},
        {"x--", "5", 0x0400, 4},
        {"c = 300", "44", 0x0406, 0x002C},
        {"p++", "0x418", 0x0500, 0x041A},
        {"p += 2", "1052", 0x0500, 0x041C},
        {"ps->b = 4", "4", 0x040E, 4},
        {"ia[0] = x = 3", "3", 0x0418, 3},
        {"x /= 0", "Divided by zero", 0x0400, 5},
        {"x %= 0", "Divided by zero", 0x0400, 5},
        {"ia = 1", "Option symbol is wrong", 0x0418, 10},
        {"s = 1", "Uncompatible style", 0x040C, 1},
    };
    for (const Case& c : cases) {
        EvalWorld fresh;
        EXPECT_EQ(fresh.text(c.expression), c.text) << c.expression;
        const std::uint32_t mask = c.width == 4 ? 0xFFFFFFFF : (1u << (8 * c.width)) - 1;
        EXPECT_EQ(fresh.memory.read_dword(c.address).value_or(0xDEADBEEF) & mask, c.stored) << c.expression;
    }
    EXPECT_EQ(text("f += 1"), "3.500000");
    EXPECT_EQ(memory.read_dword(0x0402), std::bit_cast<std::uint32_t>(3.5f));
}

TEST_F(EvaluatorTest, WithoutSymbolsOrTarget) {
    // No target: constants evaluate, variables cannot be read.
    EXPECT_EQ(formular(false, false)->Evaluate("1+2").text, "3");
    EXPECT_EQ(formular(false, false)->Evaluate("x").text, "is not debuging status");

    // A PC outside every function: no identifier resolves.
    CFormular outside(EvalContext{&memory, {folder, "game", modules}, 0x5000});
    EXPECT_FALSE(outside.InitCsym("prog"));
    EXPECT_EQ(outside.Evaluate("x").text, "Unknow Identifier");
    EXPECT_EQ(outside.Evaluate("2*3").text, "6");

    // No .csy for the module.
    CFormular missing(EvalContext{&memory, {folder, "game", modules}, 0x4010});
    EXPECT_FALSE(missing.InitCsym("other"));
    EXPECT_EQ(missing.Evaluate("x").text, "Unknow Identifier");
    EXPECT_EQ(missing.Evaluate("0x10").text, "16");

    // The .csy is compared without regard to case and never changed.
    const std::string before = testing_kit::read_file(dir.path() / "debug/prog.csy");
    CFormular upper(EvalContext{&memory, {folder, "game", modules}, 0x4010});
    EXPECT_TRUE(upper.InitCsym("PROG"));
    EXPECT_EQ(upper.Evaluate("x").text, "5");
    EXPECT_EQ(testing_kit::read_file(dir.path() / "debug/prog.csy"), before);
}

TEST_F(EvaluatorTest, AGlobalWhoseObjectIsMissingFromTheMapHasNoAddress) {
    dir.write("debug/game.deb", testing::write_deb({{{folder + "debug/prog.obj", {{{0, 0, 0x0600, 0x0610}}}}}}));
    EXPECT_EQ(text("g_int"), "7");
    EXPECT_EQ(text("ext"), "Variable miss address");
    std::filesystem::remove(dir.path() / "debug/prog.sym");
    EXPECT_EQ(text("g_int"), "Variable miss address");
}

TEST_F(EvaluatorTest, ValueDisplayExpandsOnRequest) {
    auto owner = formular();
    const CFormular& f = *owner;
    const DisplayItem s = owner->Evaluate("s");
    EXPECT_EQ(s.text, "{...}");
    ASSERT_TRUE(s.expandable);
    const auto members = expand_value(f, s);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].name, "a");
    EXPECT_EQ(members[0].text, "1");
    EXPECT_EQ(members[2].name, "next");
    EXPECT_EQ(members[2].text, "0x40c");
    // The self-pointer expands one level per request.
    const auto pointee = expand_value(f, members[2]);
    ASSERT_EQ(pointee.size(), 1u);
    EXPECT_EQ(pointee[0].name, "");
    EXPECT_EQ(pointee[0].text, "{...}");
    EXPECT_EQ(expand_value(f, pointee[0]).size(), 3u);

    const DisplayItem arr = owner->Evaluate("arr");
    EXPECT_EQ(arr.text, "0x414");
    const auto elements = expand_value(f, arr);
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[3].name, "[3]");
    EXPECT_EQ(elements[0].text, "97");

    const DisplayItem p = owner->Evaluate("p");
    EXPECT_EQ(p.text, "0x418");
    const auto target_of_p = expand_value(f, p);
    ASSERT_EQ(target_of_p.size(), 1u);
    EXPECT_EQ(target_of_p[0].text, "10");

    const DisplayItem address = owner->Evaluate("&x");
    EXPECT_EQ(expand_value(f, address).at(0).text, "5");
    EXPECT_FALSE(owner->Evaluate("x").expandable);
    EXPECT_FALSE(owner->Evaluate("&s").expandable);

    // The root line goes into the tree collapsed, after the given line.
    struct RecordingTree : ResultTree {
        std::uintptr_t InsertItem(std::uintptr_t parent, std::uintptr_t after, const std::string& name,
                                  const std::string& value, bool expandable) override {
            lines.push_back(std::to_string(parent) + "/" + std::to_string(after) + " " + name + " = " + value +
                            (expandable ? " +" : ""));
            return lines.size();
        }
        std::vector<std::string> lines;
    } tree;
    EXPECT_EQ(FillResultTree(s, tree, 7), 1u);
    EXPECT_EQ(tree.lines, std::vector<std::string>{"0/7 s = {...} +"});
}

}  // namespace
}  // namespace ide
