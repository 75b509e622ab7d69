// Links of small programs through the whole of Mossrel: the bytes of the
// image and the debug map, and what output.msg says.
#include "linker/mossrel.h"

#include <gtest/gtest.h>

#include "linker/tests/link_fixture.h"
#include "linker/tests/test_objects.h"

namespace linker {
namespace {

using formats::FixupType;
using formats::testing::ObjBuilder;
using testing::hex_bytes;
using testing::le;
using testing::LinkFixture;
using testing::procedure_object;
using testing::startup_object;

constexpr std::size_t kBank0 = 244;

// startup (bank 0), main (bank 0) calling helper (bank 1).
void add_two_bank_program(LinkFixture& fixture) {
    fixture.add("startup.obj", startup_object());
    fixture.add("main.obj", procedure_object("main", 0, "helper"));
    fixture.add("helper.obj", procedure_object("helper", 1));
}

TEST(Mossrel, LinksATwoBankProgramWithAFarCall) {
    LinkFixture fixture;
    add_two_bank_program(fixture);
    auto run = fixture.link({"startup.obj", "main.obj", "helper.obj"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    EXPECT_EQ(run.messages, "\r\nGAME.bin - 0 error(s), 0 warning(s)\r\n");
    EXPECT_EQ(run.err, "");  // "/AUTO -W2" after the output path
    const auto image = fixture.image();

    // Bank table: bank 0 = export table + 5 + 6 bytes of code, bank 1 = table + 6.
    EXPECT_EQ(le(image, 0, 4), kBank0);
    EXPECT_EQ(le(image, 4, 4), 512u + 11);
    EXPECT_EQ(le(image, 8, 4), kBank0 + 523);
    EXPECT_EQ(le(image, 12, 4), 518u);
    EXPECT_EQ(le(image, 16, 4), 0u);
    EXPECT_EQ(le(image, 216, 2), 0x2455u);
    EXPECT_EQ(image.size(), kBank0 + 523 + 518);

    // Head: size, padded name, 'L', reset address, signature and versions, G, I, end of fixed data.
    EXPECT_EQ(hex_bytes(image, kBank0, 2), "40 00");
    EXPECT_EQ(image.substr(kBank0 + 2, 16), "Demo            ");
    EXPECT_EQ(hex_bytes(image, kBank0 + 18, 26),
              "00 00 00 00 00 00 4C 00 42 A5 AA 55 01 00 00 00 01 00 00 01 00 00 00 00 C0 1A");

    // Bank 0 exports from entry 32: reset, farcall, main; bank 1 exports helper at entry 0.
    EXPECT_EQ(le(image, kBank0 + 64, 2), 0x4200u);
    EXPECT_EQ(le(image, kBank0 + 66, 2), 0x4202u);
    EXPECT_EQ(le(image, kBank0 + 68, 2), 0x4205u);
    EXPECT_EQ(le(image, kBank0 + 70, 2), 0u);
    const std::size_t bank1 = kBank0 + 523;
    EXPECT_EQ(le(image, bank1, 2), 0x4200u);

    // main's JSR helper became a far call: farcall's address, bank 1, export 0.
    EXPECT_EQ(hex_bytes(image, kBank0 + 512, 11), "EA 60 EA EA 60 20 02 42 01 00 60");
    EXPECT_EQ(hex_bytes(image, bank1 + 512, 6), "20 00 00 00 00 60");
}

TEST(Mossrel, AnObjectOfTwoBanksLinksAsItsPiecesWould) {
    // helper in bank 1 and main in bank 0 calling it, in one object: each
    // section goes to its bank, and the call becomes the same far call.
    LinkFixture pieces;
    add_two_bank_program(pieces);
    ASSERT_EQ(pieces.link({"startup.obj", "main.obj", "helper.obj"}).exit_code, 0);

    LinkFixture whole;
    whole.add("startup.obj", startup_object());
    ObjBuilder both;
    both.section("high", 1).segment("text", {0x20, 0, 0, 0, 0, 0x60}).procedure("helper", 0, 6).make_public("helper");
    both.section("low", 0).segment("text", {0x20, 0, 0, 0, 0, 0x60}).procedure("main", 0, 6).make_public("main");
    both.fixup(FixupType::Address, 1, "helper");
    whole.add("both.obj", both.bytes());
    auto run = whole.link({"startup.obj", "both.obj"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    EXPECT_EQ(whole.image(), pieces.image());
}

TEST(Mossrel, ALongDisplayNameIsCutToSixteenCharactersAndKeepsItsCase) {
    LinkFixture fixture;
    add_two_bank_program(fixture);
    auto run = fixture.run({"/OBJPATH", "debug\\", "/OBJS", "startup.obj", "main.obj", "helper.obj", "/NAME",
                            "A Rather Long Game Name", "/OUT", "debug\\game.lke"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    EXPECT_EQ(image.substr(kBank0 + 2, 16), "A Rather Long Ga");
    EXPECT_EQ(image[kBank0 + 18], '\0');
}

TEST(Mossrel, DebugMapGivesEachSegmentItsBankAndRange) {
    LinkFixture fixture;
    add_two_bank_program(fixture);
    ASSERT_EQ(fixture.link({"startup.obj", "main.obj", "helper.obj"}).exit_code, 0);
    const auto map = fixture.debug_map();
    const std::string names =
        "DEBUG\\STARTUP.OBJ" + std::string(1, '\0') + "DEBUG\\MAIN.OBJ" + '\0' + "DEBUG\\HELPER.OBJ" + '\0';
    const std::size_t names_at = 8 + 3 * 12 + 3 * 8;
    ASSERT_EQ(map.size(), names_at + names.size() + 3 * 6);
    EXPECT_EQ(le(map, 0, 2), 3u);
    EXPECT_EQ(le(map, 4, 4), names_at);
    // Second object: name offset, one section, its section entry.
    EXPECT_EQ(hex_bytes(map, 8 + 12, 12), "12 00 00 00 01 00 00 00 34 00 00 00");
    // Its section entry points at its segment entry.
    EXPECT_EQ(le(map, 52, 4), names_at + names.size() + 6);
    EXPECT_EQ(map.substr(names_at, names.size()), names);
    EXPECT_EQ(hex_bytes(map, names_at + names.size(), 18), "00 00 00 42 05 42 00 00 05 42 0B 42 01 00 00 42 06 42");
}

TEST(Mossrel, InitDataTravelsBehindBankZerosExportTable) {
    LinkFixture fixture;
    fixture.add("startup.obj", startup_object());
    ObjBuilder data;
    data.section("global").segment("vars", {0, 0, 0, 0}).label("counter", 2);
    data.segment("init_data", {0x11, 0x22, 0x00, 0x00}).label("table", 0).make_public("counter");
    data.fixup(FixupType::Address, 2, "counter", 1);  // a pointer to counter + 1 in the table
    data.section("code", 0).segment("text", {0xAD, 0, 0, 0x60}).procedure("use", 0, 4);
    data.fixup(FixupType::Address, 1, "table");
    fixture.add("data.obj", data.bytes());
    auto run = fixture.link({"startup.obj", "data.obj"});
    ASSERT_EQ(run.exit_code, 0) << run.messages;
    const auto image = fixture.image();
    // G = 4 ("vars" at 0x1AC0), I = 4 (the table at 0x1AC4), end 0x1AC8.
    EXPECT_EQ(hex_bytes(image, kBank0 + 38, 6), "04 00 04 00 C8 1A");
    EXPECT_EQ(hex_bytes(image, 756, 4), "11 22 C3 1A");  // counter (0x1AC2) + 1
    // Bank 0's code follows the init data; "use" loads from the table's address.
    EXPECT_EQ(hex_bytes(image, 760 + 5, 4), "AD C4 1A 60");
    EXPECT_EQ(le(image, 4, 4), 512u + 4 + 5 + 4);
}

TEST(Mossrel, AFailedLinkLeavesTheOldOutputsAsTheyWere) {
    LinkFixture fixture;
    add_two_bank_program(fixture);
    fixture.add("GAME.LKE", "old image");
    fixture.add("GAME.DEB", "old map");
    auto run = fixture.link({"startup.obj", "main.obj"});  // helper is missing
    EXPECT_EQ(run.exit_code, 7);
    EXPECT_EQ(fixture.image(), "old image");
    EXPECT_EQ(fixture.debug_map(), "old map");
    EXPECT_EQ(fixture.file_count(), 5u);  // no temporary left behind
}

TEST(Mossrel, EchoFollowsThePlaceOfW2) {
    struct Case {
        std::vector<std::string> tail;
        bool echoed;
    };
    const Case cases[] = {
        {{"/FILEHEAD", "debug\\game.ver", "/AUTO", "-W2"}, true},  // the IDE's line
        {{"/AUTO", "-W2"}, false},
        {{"/OTHER", "-W2"}, false},
        {{}, true},
    };
    for (const auto& c : cases) {
        LinkFixture fixture;
        add_two_bank_program(fixture);
        auto run = fixture.link({"startup.obj", "main.obj", "helper.obj"}, {}, c.tail);
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.err, c.echoed ? run.messages : "");
        EXPECT_TRUE(fixture.has_outputs());
    }
}

}  // namespace
}  // namespace linker
