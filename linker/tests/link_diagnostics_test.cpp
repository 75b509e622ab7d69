// What Mossrel says when a link fails: the exact lines of output.msg, the exit
// code, and that no output is left behind.
#include <functional>

#include <gtest/gtest.h>

#include "linker/tests/link_fixture.h"
#include "linker/tests/test_objects.h"

namespace linker {
namespace {

using formats::FixupType;
using formats::testing::ObjBuilder;
using testing::library_of;
using testing::LinkFixture;
using testing::procedure_object;
using testing::startup_object;

constexpr char kSummary1[] = "\r\nGAME.bin - 1 error(s), 0 warning(s)\r\n";

std::string sized_object(const std::string& section, int bank, std::size_t size) {
    ObjBuilder builder;
    builder.section(section, std::uint16_t(bank)).segment("text", std::vector<std::uint8_t>(size, 0xEA));
    return builder.bytes();
}

struct DiagnosticCase {
    const char* name;
    std::function<void(LinkFixture&)> setup;
    std::vector<std::string> objects;
    std::vector<std::string> libraries;
    int exit_code;
    std::string messages;
};

TEST(MossrelDiagnostics, EachFailureGivesItsLinesAndExitCodeAndNoOutput) {
    const DiagnosticCase cases[] = {
        {"duplicate public",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("a.obj", procedure_object("main", 0));
             f.add("b.obj", procedure_object("main", 0));
             f.add("c.obj", procedure_object("other", 0, "main"));
         },
         {"s.obj", "a.obj", "b.obj", "c.obj"},
         {},
         1,
         std::string("DEBUG\\B.OBJ\t: error LNK2002: redefine symbol main\r\n") + kSummary1},
        {"second reset",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("t.obj", startup_object());
         },
         {"s.obj", "t.obj"},
         {},
         1,
         "DEBUG\\T.OBJ\t: error LNK2002: redefine symbol reset\r\n"
         "DEBUG\\T.OBJ\t: error LNK2002: redefine symbol farcall\r\n"
         "\r\nGAME.bin - 2 error(s), 0 warning(s)\r\n"},
        {"missing reset",
         [](LinkFixture& f) { f.add("a.obj", procedure_object("farcall", 0)); },
         {"a.obj"},
         {},
         7,
         " error LNK2017: miss funtion reset(...) \r\n"},
        {"missing farcall",
         [](LinkFixture& f) { f.add("a.obj", procedure_object("reset", 0)); },
         {"a.obj"},
         {},
         7,
         " error LNK2017: miss funtion farcall(...) \r\n"},
        {"unresolved without a library",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("a.obj", procedure_object("main", 0, "nowhere"));
         },
         {"s.obj", "a.obj"},
         {},
         7,
         " error LNK2030: Need library file"},
        {"unresolved with a library",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("a.obj", procedure_object("main", 0, "nowhere"));
             f.add("x.lib", library_of({{"X.OBJ", procedure_object("other", 0)}}));
         },
         {"s.obj", "a.obj"},
         {"x.lib"},
         1,
         std::string("DEBUG\\A.OBJ\t: error LNK2001: unresolved external symbol nowhere\r\n") + kSummary1},
        {"fixed data area overflow",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("d.obj", sized_object("global", 0, 0x1F00));
             f.add("e.obj", sized_object("global", 0, 0x101));
         },
         {"s.obj", "d.obj", "e.obj"},
         {},
         7,
         " error LNK2026: The total length of data is ovesize(0x2000)"},
        {"bank overflow",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("big.obj", sized_object("code", 0, 0x8000 - 512 - 5 + 1));
         },
         {"s.obj", "big.obj"},
         {},
         7,
         " error LNK2015: Code range oversize\r\n"},
        {"corrupt object",
         [](LinkFixture& f) {
             auto bytes = startup_object();
             bytes[56] = 100;  // section count
             f.add("s.obj", bytes);
         },
         {"s.obj"},
         {},
         7,
         "DEBUG\\S.OBJ\t: error LNK2007:not a valid object file (section table outside the file)\r\n"},
        {"more objects than the debug map counts",
         [](LinkFixture& f) { f.add("s.obj", startup_object()); },
         std::vector<std::string>(65536, "s.obj"),
         {},
         7,
         "DEBUG\\S.OBJ\t: error LNK2007:more than 65535 objects in one link\r\n"},
        {"missing object",
         [](LinkFixture&) {},
         {"gone.obj"},
         {},
         7,
         "DEBUG\\GONE.OBJ\t: error LNK2006:No such file or directory\r\n"},
        {"not a library",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("x.lib", "LI\x01\x00");
         },
         {"s.obj"},
         {"x.lib"},
         7,
         "DEBUG\\X.LIB\t: error LNK2011:FileStyle is wrong!\r\n"},
        {"corrupt library member",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             auto library = library_of({{"A.OBJ", procedure_object("other", 0)}});
             library[12 + 56] = 50;  // the member's section count
             f.add("x.lib", library);
         },
         {"s.obj"},
         {"x.lib"},
         7,
         "DEBUG\\X.LIB\t: error LNK2007:not a valid library (member A.OBJ: section table outside the file)\r\n"},
        {"bank above 26",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             f.add("a.obj", procedure_object("main", 27));
         },
         {"s.obj", "a.obj"},
         {},
         7,
         "DEBUG\\A.OBJ\t: error LNK2007:bank 27 is above the last bank (26)\r\n"},
        {"cross-bank call with an addend",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             ObjBuilder caller;
             caller.section("code", 0).segment("text", {0x20, 0, 0, 0, 0, 0x60}).procedure("main", 0, 6);
             caller.external("helper").fixup(FixupType::Address, 1, "helper", 3);
             f.add("a.obj", caller.bytes());
             f.add("h.obj", procedure_object("helper", 1));
         },
         {"s.obj", "a.obj", "h.obj"},
         {},
         7,
         " error LNK2031: Symbol 'helper' relocate cross bank invalid"},
        {"cross-bank byte selector",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             ObjBuilder caller;
             caller.section("code", 0).segment("text", {0xA9, 0, 0, 0, 0, 0x60}).procedure("main", 0, 6);
             caller.external("helper").fixup(FixupType::LowByte, 1, "helper");
             f.add("a.obj", caller.bytes());
             f.add("h.obj", procedure_object("helper", 1));
         },
         {"s.obj", "a.obj", "h.obj"},
         {},
         7,
         " error LNK2031: Symbol 'helper' relocate cross bank invalid"},
        {"cross-bank word without room for a far call",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             ObjBuilder caller;
             caller.section("code", 0).segment("text", {0x20, 0, 0}).procedure("main", 0, 3);
             caller.external("helper").fixup(FixupType::Address, 1, "helper");
             f.add("a.obj", caller.bytes());
             f.add("h.obj", procedure_object("helper", 1));
         },
         {"s.obj", "a.obj", "h.obj"},
         {},
         7,
         " error LNK2031: Symbol 'helper' relocate cross bank invalid"},
        {"cross-bank data",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             ObjBuilder caller;
             caller.section("code", 0).segment("text", {0xAD, 0, 0, 0, 0, 0x60}).procedure("main", 0, 6);
             caller.external("table", formats::SymbolKind::Variable).fixup(FixupType::Address, 1, "table");
             f.add("a.obj", caller.bytes());
             ObjBuilder data;
             data.section("code", 1).segment("text", {1, 2, 3}).label("table", 0).make_public("table");
             f.add("d.obj", data.bytes());
         },
         {"s.obj", "a.obj", "d.obj"},
         {},
         7,
         " error LNK2031: Symbol 'table' relocate cross bank invalid"},
        {"internal far call",
         [](LinkFixture& f) {
             f.add("s.obj", startup_object());
             ObjBuilder caller;
             caller.section("code", 0).segment("text", {0, 0, 0, 0, 0x60}).procedure("main", 0, 5).make_public("main");
             caller.fixup(FixupType::FarCall, 0, "main");
             f.add("a.obj", caller.bytes());
         },
         {"s.obj", "a.obj"},
         {},
         7,
         " error LNK2029: Interal relocate in different bank"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkFixture fixture;
        c.setup(fixture);
        auto run = fixture.link(c.objects, c.libraries);
        EXPECT_EQ(run.exit_code, c.exit_code);
        EXPECT_EQ(run.messages, c.messages);
        EXPECT_FALSE(fixture.has_outputs());
    }
}

TEST(MossrelDiagnostics, UnresolvedExternalsAreAllListedUpToTheLimit) {
    auto caller_of = [](int count) {
        ObjBuilder caller;
        caller.section("code", 0).segment("text", std::vector<std::uint8_t>(std::size_t(count) * 2, 0));
        caller.procedure("main", 0, std::uint16_t(count * 2));
        for (int i = 0; i < count; ++i) {
            const auto name = "missing" + std::to_string(i);
            caller.external(name).fixup(FixupType::Address, std::uint16_t(i * 2), name);
        }
        return caller.bytes();
    };
    auto link_with = [&](int count) {
        LinkFixture fixture;
        fixture.add("s.obj", startup_object());
        fixture.add("a.obj", caller_of(count));
        fixture.add("x.lib", library_of({{"X.OBJ", procedure_object("other", 0)}}));
        return fixture.link({"s.obj", "a.obj"}, {"x.lib"});
    };

    auto count_lines = [](const std::string& text, const std::string& what) {
        std::size_t count = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
        return count;
    };
    auto five = link_with(5);
    EXPECT_EQ(five.exit_code, 1);
    EXPECT_EQ(count_lines(five.messages, "\t: error LNK2001: unresolved external symbol missing"), 5u);
    const std::string summary = "\r\nGAME.bin - 5 error(s), 0 warning(s)\r\n";
    EXPECT_EQ(five.messages.substr(five.messages.size() - summary.size()), summary);

    // The 103rd report is followed by LNK2013, and the link ends without a summary.
    auto many = link_with(110);
    EXPECT_EQ(many.exit_code, 1);
    const std::string tail =
        "DEBUG\\A.OBJ\t: error LNK2001: unresolved external symbol missing102\r\n"
        " error LNK2013: Too Many g_wNumOfErrors...\r\n";
    ASSERT_GE(many.messages.size(), tail.size());
    EXPECT_EQ(many.messages.substr(many.messages.size() - tail.size()), tail);
}

TEST(MossrelDiagnostics, BadCommandLines) {
    const std::string usage =
        "usage: MOSSREL [options] [filename]\r\n\r\n\tOptions:\r\n\t/OBJPATH: all obj files path\r\n"
        "\t/OBJ:\t  obj files\r\n\t/LIBS:\t  Librarys filename\r\n\t/NAME:\t  display filename\r\n"
        "\t/OUT:\t  out put filename\r\n\t/FILEHEAD: filename of filehead\r\n";
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"/OBJS", "a.obj"}, "\nMissing OBJ file path in command Line\r\n"},
        {{"/OBJPATH", "/OBJS", "a.obj"}, "\nMissing OBJ file path in command Line\r\n"},
        {{"/OBJPATH", "d\\", "a.obj"}, "\nMissing OBJ file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "/NAME", "x"}, "\nMissing OBJ file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/LIBS", "/OUT", "x.lke"},
         "\nMissing file Name display on Simulater in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/NAME", "/OUT", "x.lke"},
         "\nMissing file Name display on Simulater in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/NAME", "n"}, "\nMissing output file Name in command Line\r\n"},
        {{"/OBJPATH", "d\\", "/OBJS", "a.obj", "/NAME", "n", "/OUT", "dir\\.lke"},
         "\nMissing output file Name in command Line\r\n"},
        // Keywords are whole words: "/OBJECTS" is neither "/OBJ" nor "/OBJS".
        {{"/OBJPATH", "d\\", "/OBJECTS", "a.obj"}, "\nMissing OBJ file Name in command Line\r\n"},
    };
    for (const auto& c : cases) {
        LinkFixture fixture;
        auto run = fixture.run(c.arguments);
        EXPECT_EQ(run.exit_code, 7);
        EXPECT_EQ(run.messages, c.message + usage);
        EXPECT_EQ(run.err, c.message + usage);
        EXPECT_EQ(run.out.rfind("Marlowquin 6502 Linker Version 1.00\r\n\t\t\t", 0), 0u);
    }

    LinkFixture fixture;
    auto bare = fixture.run({});
    EXPECT_EQ(bare.exit_code, 1);
    EXPECT_EQ(bare.messages, "");
    EXPECT_NE(bare.out.find("usage: MOSSREL [options] [filename]\r\n\r\n\tOptions:\n\t/OBJPATH:  all obj files path"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(fixture.dir() / "output.msg"));
}

}  // namespace
}  // namespace linker
