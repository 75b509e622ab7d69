#include <gtest/gtest.h>

#include "simulator/memory/rom_image.h"
#include "simulator/tests/sim_fixtures.h"

namespace {

using sim_fixtures::patterned_rom;

// The file form of one chunk with the given header and data.
std::vector<uint8_t> chunk(uint32_t size, uint32_t seed, uint16_t kind, uint16_t key, std::vector<uint8_t> data) {
    sim::RomChunkHeader header{size, seed, kind, key};
    std::vector<uint8_t> out(reinterpret_cast<const uint8_t*>(&header),
                             reinterpret_cast<const uint8_t*>(&header) + sizeof header);
    for (uint8_t byte : data) out.push_back(byte);
    return out;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const std::vector<uint8_t> kEnd = chunk(0, 0, 0, 0, {});

TEST(RomImage, DecodedSizeComesFromTheFileSize) {
    EXPECT_EQ(sim::decoded_rom_size(12 + 2 * 4108), 8192u);
    EXPECT_EQ(sim::decoded_rom_size(12), 0u);
    EXPECT_EQ(sim::decoded_rom_size(5), 0u);
}

TEST(RomImage, ScrambledImageDecodesToTheOriginal) {
    for (std::size_t size : {std::size_t{8192}, std::size_t{40960}, std::size_t{4096 * 3 + 4100}}) {
        auto rom = patterned_rom(size);
        auto file = sim::scramble_rom_image(rom, 0x1234567);
        EXPECT_NE(std::vector<uint8_t>(file.begin() + 12, file.begin() + 12 + 64),
                  std::vector<uint8_t>(rom.begin(), rom.begin() + 64));
        std::vector<uint8_t> decoded(sim::decoded_rom_size(file.size()));
        ASSERT_TRUE(sim::decode_rom_image(file, decoded)) << size;
        decoded.resize(size);
        EXPECT_EQ(decoded, rom) << size;
    }
}

TEST(RomImage, WordsAreXoredWithKeyAndSeedAndATailStaysAsItIs) {
    uint32_t seed = 0x0F0F0F0F;
    uint32_t key = sim::kKitRomKeyTable[3] ^ seed;
    std::vector<uint8_t> data = {0, 0, 0, 0, 0xAA, 0xBB};
    auto file = join({chunk(6, seed, 1, 3, data), kEnd});
    std::vector<uint8_t> rom(6);
    ASSERT_TRUE(sim::decode_rom_image(file, rom));
    uint32_t first;
    std::memcpy(&first, rom.data(), 4);
    EXPECT_EQ(first, key);
    EXPECT_EQ(rom[4], 0xAA);
    EXPECT_EQ(rom[5], 0xBB);
}

TEST(RomImage, CorruptChunksAreRefused) {
    std::vector<uint8_t> data(16, 0x55);
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    };
    const Case cases[] = {
        {"kind 2", join({chunk(16, 0, 2, 0, data), kEnd})},
        {"key index 10", join({chunk(16, 0, 1, 10, data), kEnd})},
        {"size past the end of the file", join({chunk(0xFFFFFFF0, 0, 1, 0, data), kEnd})},
        {"size past the block", join({chunk(16, 0, 1, 0, data), chunk(16, 0, 1, 0, data), kEnd})},
        {"no end header", chunk(16, 0, 1, 0, data)},
        {"end header cut short", join({chunk(16, 0, 1, 0, data), std::vector<uint8_t>(6, 0)})},
        {"empty file", {}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> rom(16);
        EXPECT_FALSE(sim::decode_rom_image(c.file, rom)) << c.what;
    }
}

TEST(RomImage, LoadGivesAPrivateWritableBlockOfWholePages) {
    testing_kit::TempDir dir;
    auto rom = patterned_rom(0x9000);
    sim::SimOptions options;
    options.rom_path = dir.write("rom.bin", sim_fixtures::as_text(sim::scramble_rom_image(rom, 77))).string();
    auto loaded = sim::load_rom_image(options, sim::kKitRomKeyTable, "1");
    ASSERT_TRUE(std::holds_alternative<sim::RomBlock>(loaded));
    auto& block = std::get<sim::RomBlock>(loaded);
    EXPECT_EQ(block.size, 0x9000u);
    EXPECT_EQ(block.block.size(), 0xA000u);
    EXPECT_EQ(block.block.shared(), nullptr);
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), block.block.data()));
    block.block.data()[0] ^= 0xFF;  // the fast interpreter may store into ROM pages

    options.plain_rom = true;
    options.rom_path = dir.write("plain.bin", sim_fixtures::as_text(rom)).string();
    auto plain = sim::load_rom_image(options, sim::kKitRomKeyTable, "1");
    ASSERT_TRUE(std::holds_alternative<sim::RomBlock>(plain));
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), std::get<sim::RomBlock>(plain).block.data()));
    std::get<sim::RomBlock>(plain).block.data()[0] ^= 0xFF;
    EXPECT_EQ(testing_kit::read_file(options.rom_path)[0], static_cast<char>(rom[0])) << "the file stays as it was";
}

TEST(RomImage, LoadFailuresCarryTheirStrings) {
    testing_kit::TempDir dir;
    sim::SimOptions options;
    auto failure_of = [&](const std::string& bytes, bool plain) {
        options.plain_rom = plain;
        options.rom_path = dir.write("rom.bin", bytes).string();
        auto loaded = sim::load_rom_image(options, sim::kKitRomKeyTable, "1");
        return std::holds_alternative<sim::SimFailure>(loaded) ? std::get<sim::SimFailure>(loaded).id : 0;
    };
    auto good = sim::scramble_rom_image(patterned_rom(0x8000), 1);
    auto bad_kind = good;
    bad_kind[8] = 2;
    EXPECT_EQ(failure_of(sim_fixtures::as_text(bad_kind), false), sim::kRomPreprocessFailure);
    EXPECT_EQ(failure_of(sim_fixtures::as_text(sim::scramble_rom_image(patterned_rom(0x2000), 1)), false),
              sim::kRomTooSmall);
    EXPECT_EQ(failure_of(std::string(0x7FFF, 'x'), true), sim::kRomTooSmall);
    EXPECT_EQ(failure_of(sim_fixtures::as_text(good), false), 0);

    options.rom_path = (dir / "missing.bin").string();
    auto missing = sim::load_rom_image(options, sim::kKitRomKeyTable, "1");
    ASSERT_TRUE(std::holds_alternative<sim::SimFailure>(missing));
    EXPECT_EQ(std::get<sim::SimFailure>(missing).id, sim::kOpenBiosFileError);
}

}  // namespace

namespace {

TEST(RomImage, ADevicesOwnKeysComeFromTheKeyFile) {
    testing_kit::TempDir dir;
    auto only_keys = [&]() -> std::optional<sim::RomKeyTable> {
        auto found = sim::rom_key_table(dir.path());
        if (auto* keys = std::get_if<sim::RomKeyTable>(&found)) return *keys;
        EXPECT_EQ(std::get<sim::SimFailure>(found).id, sim::kRomKeyFileError);
        return std::nullopt;
    };
    EXPECT_EQ(only_keys(), sim::kKitRomKeyTable) << "no key file: the kit's keys";

    sim::RomKeyTable device_keys{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    dir.write(sim::kRomKeyFileName, std::string(reinterpret_cast<const char*>(device_keys.data()), 40));
    auto keys = only_keys();
    ASSERT_EQ(keys, device_keys);
    auto rom = patterned_rom(0x8000);
    sim::SimOptions options;
    options.rom_path =
        dir.write("rom.bin", sim_fixtures::as_text(sim::scramble_rom_image(rom, 3, device_keys))).string();
    auto loaded = sim::load_rom_image(options, *keys, "1");
    ASSERT_TRUE(std::holds_alternative<sim::RomBlock>(loaded));
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), std::get<sim::RomBlock>(loaded).block.data()));

    dir.write(sim::kRomKeyFileName, std::string(39, 'k'));
    EXPECT_EQ(only_keys(), std::nullopt);
}

}  // namespace
