#include "linker/object_module.h"

#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "formats/obj_file.h"
#include "formats/testing/obj_builder.h"

namespace linker {
namespace {

using formats::FixupType;
using formats::SymbolKind;

std::string sample_object() {
    formats::testing::ObjBuilder builder;
    builder.section("code", 2)
        .segment("text", {0x20, 0, 0, 0xA9, 0, 0x60})
        .procedure("main", 0, 6)
        .label("here", 3)
        .external("helper")
        .constant("SIZE", 0x1234)
        .make_public("main")
        .make_public("SIZE")
        .fixup(FixupType::Address, 1, "helper")
        .fixup(FixupType::LowByte, 4, "here", 2);
    builder.section("global").segment("init_data", {1, 2, 3});
    return builder.bytes();
}

ObjectModule read(const std::string& bytes) { return read_object_module(formats::ByteReader(bytes)); }

template <class T>
void poke(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

template <class T>
T peek(const std::string& bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

formats::ObjFileHeader header_of(const std::string& bytes) { return peek<formats::ObjFileHeader>(bytes, 0); }

TEST(ObjectModule, ReadsSectionsSegmentsFixupsSymbolsAndPublics) {
    const auto bytes = sample_object();
    const auto module = read(bytes);
    ASSERT_EQ(module.sections.size(), 2u);
    const auto& code = module.sections[0];
    EXPECT_EQ(code.name, "code");
    EXPECT_EQ(code.bank, 2);
    EXPECT_FALSE(code.is_global);
    ASSERT_EQ(code.segments.size(), 1u);
    EXPECT_EQ(code.segments[0].code.size(), 6u);
    EXPECT_EQ(code.segments[0].code[0], 0x20);
    ASSERT_EQ(code.segments[0].fixups.size(), 2u);
    const auto& call = code.segments[0].fixups[0];
    EXPECT_TRUE(call.is_extern);
    EXPECT_EQ(module.symbols[call.symbol_row].name, "helper");
    EXPECT_EQ(code.segments[0].fixups[1].addend, 2u);

    EXPECT_TRUE(module.sections[1].is_global);
    EXPECT_TRUE(module.sections[1].segments[0].is_init_data);

    ASSERT_EQ(module.public_rows.size(), 2u);
    EXPECT_EQ(module.symbols[module.public_rows[0]].kind, SymbolKind::Procedure);
    EXPECT_EQ(module.procedure_of_row[module.public_rows[0]], 0);
    EXPECT_EQ(module.symbols[module.public_rows[1]].value, 0x1234);
}

// Each case corrupts one field of a valid object; the reader must refuse it.
TEST(ObjectModule, RefusesCorruptFields) {
    const auto good = sample_object();
    const auto header = header_of(good);
    const auto segment = header.segments_offset;
    const auto fixup = peek<formats::ObjSegmentRecord>(good, segment).first_fixup_offset;
    struct Case {
        const char* what;
        std::function<void(std::string&)> corrupt;
    };
    const Case cases[] = {
        {"section count past the file", [](std::string& b) { poke<std::uint16_t>(b, 56, 5000); }},
        {"symbol table offset past the end", [](std::string& b) { poke<std::uint32_t>(b, 32, 0xFFFFFFF0); }},
        {"string pool offset past the end", [](std::string& b) { poke<std::uint32_t>(b, 24, 0x7FFFFFFF); }},
        {"file size above the real size", [&](std::string& b) { poke<std::uint32_t>(b, 8, header.file_size + 1); }},
        {"segment code past the end",
         [&](std::string& b) { poke<std::uint32_t>(b, segment + 8, header.file_size - 2); }},
        {"fix-up table past the end", [&](std::string& b) { poke<std::uint32_t>(b, segment + 12, 0xFFFFFFFF); }},
        {"fix-up place past its segment", [&](std::string& b) { poke<std::uint16_t>(b, fixup + 6, 5); }},
        {"fix-up symbol row past the table", [&](std::string& b) { poke<std::uint16_t>(b, fixup + 8, 99); }},
        {"symbol name outside the pool",
         [&](std::string& b) { poke<std::uint32_t>(b, header.symbols_offset, 0x10000); }},
        {"unknown symbol kind", [&](std::string& b) { poke<std::uint16_t>(b, header.symbols_offset + 8, 7); }},
        {"procedure end past its segment",
         [&](std::string& b) { poke<std::uint16_t>(b, header.procedures_offset + 8, 7); }},
        {"procedure in a missing section",
         [&](std::string& b) { poke<std::uint16_t>(b, header.procedures_offset + 2, 9); }},
        {"public row past the table", [&](std::string& b) { poke<std::uint16_t>(b, header.publics_offset + 4, 99); }},
        {"public label with no segment",
         [&](std::string& b) {
             // Make "main" a label in a missing section: its public must be refused.
             poke<std::uint16_t>(b, header.symbols_offset + 10, 9);
         }},
        {"local fix-up to a symbol with no segment",
         [&](std::string& b) {
             poke<std::uint16_t>(b, header.symbols_offset + 16 + 12, 4);  // "here" in segment 4
         }},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        c.corrupt(bytes);
        EXPECT_THROW(read(bytes), CorruptInput) << c.what;
    }
}

// Every prefix of a valid object is either read or refused, never read out of bounds.
TEST(ObjectModule, EveryTruncationIsRefusedCleanly) {
    const auto good = sample_object();
    for (std::size_t size = 0; size < good.size(); ++size) {
        std::string bytes(good.data(), size);
        EXPECT_THROW(read(bytes), CorruptInput) << "size " << size;
    }
}

TEST(ObjectModule, FixupWidthFollowsItsType) {
    const std::pair<FixupType, std::uint32_t> widths[] = {
        {FixupType::Address, 2}, {FixupType::HighByte, 1},    {FixupType::LowByte, 1},
        {FixupType::FarCall, 4}, {FixupType::HereAddress, 2}, {FixupType::HereLowByte, 1},
    };
    for (auto [type, width] : widths) EXPECT_EQ(fixup_width(std::uint8_t(type)), width);
    EXPECT_EQ(fixup_width(0), 0u);
    EXPECT_EQ(fixup_width(8), 0u);
}

}  // namespace
}  // namespace linker
