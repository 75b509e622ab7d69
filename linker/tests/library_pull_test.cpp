// Links that pull procedures and data out of libraries.
#include <gtest/gtest.h>

#include "linker/tests/link_fixture.h"
#include "linker/tests/test_objects.h"

namespace linker {
namespace {

using formats::FixupType;
using formats::testing::ObjBuilder;
using testing::hex_bytes;
using testing::le;
using testing::library_of;
using testing::LinkFixture;
using testing::procedure_object;
using testing::startup_object;

constexpr std::size_t kBank0 = 244;
constexpr std::size_t kBank0Code = 756;

// reset [0,2), farcall [2,5) and putc [5,6), all public.
std::string startup_with_putc() {
    ObjBuilder builder;
    builder.section("code", 0).segment("text", {0xEA, 0x60, 0xEA, 0xEA, 0x60, 0x60});
    builder.procedure("reset", 0, 2).procedure("farcall", 2, 5).procedure("putc", 5, 6);
    builder.make_public("reset").make_public("farcall").make_public("putc");
    return builder.bytes();
}

TEST(LibraryPull, ProceduresArePulledOneByOneWithWhatTheyCall) {
    LinkFixture fixture;
    fixture.add("s.obj", startup_with_putc());
    fixture.add("main.obj", [] {
        ObjBuilder main;
        main.section("code", 0).segment("text", {0x20, 0, 0, 0x60}).procedure("main", 0, 4).make_public("main");
        main.external("mul").fixup(FixupType::Address, 1, "mul");
        return main.bytes();
    }());
    ObjBuilder math;  // mul calls sq of its own member; sq calls putc of the start-up object
    math.section("code", 0).segment("text", {0x20, 0, 0, 0x60, 0x20, 0, 0, 0x60, 0xEA});
    math.procedure("mul", 0, 4).procedure("sq", 4, 8).procedure("unused", 8, 9);
    math.make_public("mul").make_public("sq").make_public("unused");
    math.external("putc").fixup(FixupType::Address, 1, "sq").fixup(FixupType::Address, 5, "putc");
    fixture.add("math.lib", library_of({{"MATH.OBJ", math.bytes()}}));

    auto run = fixture.link({"s.obj", "main.obj"}, {"math.lib"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    // startup at 0x4200 (6), main at 0x4206 (4), mul at 0x420A, sq at 0x420E; "unused" stays out.
    EXPECT_EQ(le(image, 4, 4), 512u + 6 + 4 + 4 + 4);
    EXPECT_EQ(hex_bytes(image, kBank0Code + 6, 12), "20 0A 42 60 20 0E 42 60 20 05 42 60");
    // Exports from 32: reset, farcall, putc, main, then the pulled mul and sq.
    EXPECT_EQ(hex_bytes(image, kBank0 + 64, 12), "00 42 02 42 05 42 06 42 0A 42 0E 42");
}

TEST(LibraryPull, ALibrarySectionProcedureIsPlacedInEveryBank) {
    LinkFixture fixture;
    fixture.add("s.obj", startup_object());
    fixture.add("a.obj", procedure_object("a", 0));
    fixture.add("b.obj", procedure_object("b", 1, "lput"));
    ObjBuilder lib;
    lib.section("library", 0).segment("text", {0xEA, 0xEA, 0x60}).procedure("lput", 0, 3).make_public("lput");
    fixture.add("rt.lib", library_of({{"RT.OBJ", lib.bytes()}}));

    auto run = fixture.link({"s.obj", "a.obj", "b.obj"}, {"rt.lib"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    // Bank 0: startup 5 + a 6 + lput 3; bank 1: b 6 + lput 3.
    EXPECT_EQ(le(image, 4, 4), 512u + 14);
    EXPECT_EQ(le(image, 12, 4), 512u + 9);
    EXPECT_EQ(hex_bytes(image, kBank0Code + 11, 3), "EA EA 60");
    EXPECT_EQ(le(image, kBank0 + 2 * 35, 2), 0x420Bu);  // after reset, farcall, a
    const std::size_t bank1 = kBank0 + 512 + 14;
    EXPECT_EQ(le(image, bank1 + 2, 2), 0x4206u);  // after b
    // b calls its own bank's copy directly.
    EXPECT_EQ(hex_bytes(image, bank1 + 512, 9), "20 06 42 00 00 60 EA EA 60");
}

TEST(LibraryPull, GlobalDataResolvesToItsFixedAddressPlusOffsetAndAddend) {
    LinkFixture fixture;
    fixture.add("s.obj", startup_object());
    fixture.add("main.obj", [] {
        ObjBuilder main;
        main.section("code", 0).segment("text", {0xAD, 0, 0, 0xA9, 0, 0x60}).procedure("main", 0, 6);
        main.external("buf", formats::SymbolKind::Variable).external("SIZE", formats::SymbolKind::Variable);
        main.fixup(FixupType::Address, 1, "buf", 1).fixup(FixupType::LowByte, 4, "SIZE");
        return main.bytes();
    }());
    ObjBuilder data;
    data.section("global", 0).segment("vars", {0, 0, 0, 0}).label("buf", 2).make_public("buf");
    data.constant("SIZE", 0x42).make_public("SIZE");
    fixture.add("d.lib", library_of({{"D.OBJ", data.bytes()}}));

    auto run = fixture.link({"s.obj", "main.obj"}, {"d.lib"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    EXPECT_EQ(hex_bytes(image, kBank0 + 38, 2), "04 00");                 // G
    EXPECT_EQ(hex_bytes(image, kBank0Code + 5, 6), "AD C3 1A A9 42 60");  // 0x1AC0 + 2 + 1; the constant
}

TEST(LibraryPull, ARecordThatDoesNotFitMovesToTheNextBank) {
    // Bank 0 holds the start-up object and a caller that leaves 2 bytes free.
    const std::size_t caller_size = 0x8000 - 512 - 5 - 2;
    auto caller = [&] {
        std::vector<std::uint8_t> code(caller_size, 0xEA);
        code[0] = 0x20;
        ObjBuilder builder;
        builder.section("code", 0).segment("text", code).procedure("big", 0, std::uint16_t(caller_size));
        builder.external("lib").fixup(FixupType::Address, 1, "lib");
        return builder.bytes();
    }();
    ObjBuilder lib;
    lib.section("code", 0).segment("text", {0xEA, 0xEA, 0xEA, 0x60}).procedure("lib", 0, 4).make_public("lib");
    const auto library = library_of({{"L.OBJ", lib.bytes()}});

    LinkFixture fixture;
    fixture.add("s.obj", startup_object());
    fixture.add("big.obj", caller);
    fixture.add("x.obj", procedure_object("x", 1));
    fixture.add("l.lib", library);
    auto run = fixture.link({"s.obj", "big.obj", "x.obj"}, {"l.lib"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    const std::size_t bank1 = kBank0 + 0x8000 - 2;
    EXPECT_EQ(le(image, 12, 4), 512u + 6 + 4);
    EXPECT_EQ(le(image, bank1 + 2, 2), 0x4206u);                       // lib behind x, export 1
    EXPECT_EQ(hex_bytes(image, kBank0Code + 5, 5), "20 02 42 01 01");  // far call to bank 1, export 1

    // Without a later bank it has nowhere to go.
    LinkFixture alone;
    alone.add("s.obj", startup_object());
    alone.add("big.obj", caller);
    alone.add("l.lib", library);
    auto full = alone.link({"s.obj", "big.obj"}, {"l.lib"});
    EXPECT_EQ(full.exit_code, 7);
    EXPECT_EQ(full.messages, " error LNK2015: Code range oversize\r\n");
}

TEST(LibraryPull, RecordsThatCallEachOtherArePulledOnce) {
    auto calling = [](const std::string& name, const std::string& callee) {
        ObjBuilder builder;
        builder.section("code", 0).segment("text", {0x20, 0, 0, 0x60}).procedure(name, 0, 4).make_public(name);
        builder.external(callee).fixup(FixupType::Address, 1, callee);
        return builder.bytes();
    };
    LinkFixture fixture;
    fixture.add("s.obj", startup_object());
    fixture.add("main.obj", procedure_object("main", 0, "ping"));
    fixture.add("pp.lib", library_of({{"PING.OBJ", calling("ping", "pong")}, {"PONG.OBJ", calling("pong", "ping")}}));
    auto run = fixture.link({"s.obj", "main.obj"}, {"pp.lib"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    // main at 0x4205 (6), ping at 0x420B, pong at 0x420F.
    EXPECT_EQ(le(image, 4, 4), 512u + 5 + 6 + 4 + 4);
    EXPECT_EQ(hex_bytes(image, kBank0Code + 11, 8), "20 0F 42 60 20 0B 42 60");
}

}  // namespace
}  // namespace linker
