// The dumper's validation: sound files pass, and every kind of damage to an
// offset or a count is found without reading past the file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formats/obj_file.h"
#include "formats/sym_file.h"
#include "formats/testing/obj_builder.h"
#include "tools/objdump/obj_dump.h"
#include "tools/objdump/sym_dump.h"

namespace {

using formats::ByteReader;

std::string small_object() {
    formats::testing::ObjBuilder builder;
    builder.section("code_sec", 1).segment("code", {0xA9, 0x01, 0x4C, 0x00, 0x00}).label("start", 0);
    builder.fixup(formats::FixupType::Address, 3, "start");
    return builder.bytes();
}

template <class T>
void poke(std::string& bytes, size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

TEST(ObjDumpCheck, SoundObjectPassesAndDumps) {
    std::string bytes = small_object();
    EXPECT_EQ(objdump::check_object(ByteReader(bytes)), std::nullopt);
    std::string text = objdump::dump_object(ByteReader(bytes));
    EXPECT_NE(text.find("\"code_sec\""), std::string::npos) << text;
    EXPECT_NE(text.find("0000: A9 01 4C 00 00"), std::string::npos) << text;
    EXPECT_NE(text.find("type 1 \"start\""), std::string::npos) << text;
}

TEST(ObjDumpCheck, DamagedHeaderFieldsAreFound) {
    struct Damage {
        const char* what;
        size_t offset;
        uint32_t value;
        bool wide;
    };
    const Damage cases[] = {
        {"file size past the end", 8, 0xFFFFFF, true},    {"pool past the end", 24, 0xFFFFFF, true},
        {"symbols past the end", 32, 0xFFFFF0, true},     {"line count past the end", 62, 0xFFFF, false},
        {"source files past the end", 68, 0xFFFF, false}, {"section count past the end", 56, 0xFFFF, false},
        {"entry past the end", 44, 0xFFFFFF, true},
    };
    for (const Damage& damage : cases) {
        std::string bytes = small_object();
        if (damage.wide)
            poke<uint32_t>(bytes, damage.offset, damage.value);
        else
            poke<uint16_t>(bytes, damage.offset, static_cast<uint16_t>(damage.value));
        EXPECT_NE(objdump::check_object(ByteReader(bytes)), std::nullopt) << damage.what;
        // The dump of a damaged file still ends, reading only what is there.
        EXPECT_FALSE(objdump::dump_object(ByteReader(bytes)).empty()) << damage.what;
    }
    EXPECT_NE(objdump::check_object(ByteReader(std::string(10, '\0'))), std::nullopt);
}

std::string small_symbols() {
    std::string bytes;
    auto put = [&bytes](const auto& record) { bytes.append(reinterpret_cast<const char*>(&record), sizeof(record)); };
    put(formats::SymFileHeader{0, 7, 5, 16 + 16 * 7 + 8 * 5});
    for (uint32_t k = 0; k < 4; ++k) put(formats::SymTypeRecord{0, k, 0, 0, 0, 0});
    put(formats::SymTypeRecord{0, formats::kStructHeaderMarker, 2, 0, 0, 0});  // "pair"
    put(formats::SymTypeRecord{5, 0, 0, 1, 0, 0});                             // lo DB
    put(formats::SymTypeRecord{8, 4, 0, 2, 1, 0});                             // inner, descriptor 4
    for (uint8_t kind : {0x21, 0x22, 0x24, 0x28}) put(formats::SymTypeDescriptor{1, kind, 0, 0});
    put(formats::SymTypeDescriptor{1, 0x41, 0, 4});
    bytes.append("pair\0lo\0in\0", 11);
    return bytes;
}

TEST(ObjDumpCheck, SymbolFileChecks) {
    std::string sound = small_symbols();
    EXPECT_EQ(objdump::check_symbols(ByteReader(sound)), std::nullopt);
    EXPECT_NE(objdump::dump_symbols(ByteReader(sound)).find("structure \"pair\", 2 member(s)"), std::string::npos);

    struct Damage {
        const char* what;
        size_t offset;
        uint32_t value;
    };
    const Damage cases[] = {
        {"type count past the end", 4, 1000},
        {"pool offset off", 12, 17},
        {"member type past the descriptors", 16 + 16 * 6 + 4, 9},
        {"descriptor to a member row", 16 + 16 * 7 + 8 * 4 + 4, 5},
        {"member count past the table", 16 + 16 * 4 + 8, 9},
        {"name past the pool", 16 + 16 * 5, 400},
    };
    for (const Damage& damage : cases) {
        std::string bytes = sound;
        if (damage.what == cases[4].what)
            poke<uint16_t>(bytes, damage.offset, static_cast<uint16_t>(damage.value));
        else
            poke<uint32_t>(bytes, damage.offset, damage.value);
        EXPECT_NE(objdump::check_symbols(ByteReader(bytes)), std::nullopt) << damage.what;
        EXPECT_FALSE(objdump::dump_symbols(ByteReader(bytes)).empty()) << damage.what;
    }
}

}  // namespace
