#include "simulator/memory/rom_image.h"

#include <cstring>
#include <new>

#include "formats/byte_reader.h"
#include "platform/os/file.h"

namespace sim {

uint64_t decoded_rom_size(uint64_t file_size) {
    constexpr uint64_t header = sizeof(RomChunkHeader);
    return file_size < header ? 0 : (file_size - header) * kRomChunkData / (kRomChunkData + header);
}

namespace {

// XORs each whole little-endian word with the key; a tail of 1-3 bytes stays.
void xor_words(uint8_t* data, uint32_t size, uint32_t key) {
    for (uint32_t word = 0; word + 4 <= size; word += 4) {
        uint32_t value;
        std::memcpy(&value, data + word, 4);
        value ^= key;
        std::memcpy(data + word, &value, 4);
    }
}

}  // namespace

bool decode_rom_image(std::span<const uint8_t> file, std::span<uint8_t> rom, const RomKeyTable& keys) {
    formats::ByteReader reader(file);
    uint64_t at = 0;
    std::size_t placed = 0;
    for (;;) {
        auto header = reader.record<RomChunkHeader>(at);
        if (!header) return false;  // the end header is missing
        if (header->data_size == 0) return true;
        at += sizeof(RomChunkHeader);
        if (header->kind != kRomChunkKind || header->key_index >= keys.size()) return false;
        if (!reader.contains(at, header->data_size) || header->data_size > rom.size() - placed) return false;
        uint8_t* out = rom.data() + placed;
        std::memcpy(out, file.data() + at, header->data_size);
        xor_words(out, header->data_size, keys[header->key_index] ^ header->seed);
        at += header->data_size;
        placed += header->data_size;
    }
}

std::vector<uint8_t> scramble_rom_image(std::span<const uint8_t> rom, uint32_t first_seed, const RomKeyTable& keys) {
    std::vector<uint8_t> file;
    auto append = [&file](const void* bytes, std::size_t size) {
        auto* start = static_cast<const uint8_t*>(bytes);
        file.insert(file.end(), start, start + size);
    };
    uint32_t seed = first_seed;
    for (std::size_t at = 0, chunk = 0; at < rom.size(); at += kRomChunkData, ++chunk) {
        uint32_t size = static_cast<uint32_t>(std::min<std::size_t>(kRomChunkData, rom.size() - at));
        auto key_index = static_cast<uint16_t>(chunk % keys.size());
        RomChunkHeader header{size, seed, kRomChunkKind, key_index};
        append(&header, sizeof header);
        std::size_t data_start = file.size();
        append(rom.data() + at, size);
        xor_words(file.data() + data_start, size, keys[key_index] ^ seed);
        seed = seed * 1103515245u + 12345u;
    }
    RomChunkHeader end{0, 0, 0, 0};
    append(&end, sizeof end);
    return file;
}

namespace {

uint64_t whole_pages(uint64_t size) { return (size + kRomPageSize - 1) / kRomPageSize * kRomPageSize; }

std::variant<MemoryBlock, SimFailure> make_block(bool debug, const std::string& link_space, uint64_t size) {
    if (debug) {
        std::string why;
        auto shared = ipc::SharedMapping::create_in_memory(link_space, "IRom", size, &why);
        if (!shared) return sim_failure(kCreateMappingError, "IRom (" + why + ")");
        return MemoryBlock(std::move(shared));
    }
    try {
        return MemoryBlock(std::vector<uint8_t>(size));
    } catch (const std::bad_alloc&) {
        return sim_failure(kOutOfMemory);
    }
}

}  // namespace

std::variant<RomKeyTable, SimFailure> rom_key_table(const std::filesystem::path& program_dir) {
    std::string path = (program_dir / kRomKeyFileName).string();
    if (!os::file_exists(path)) return kKitRomKeyTable;
    auto file = os::read_file(path, sizeof(RomKeyTable));
    RomKeyTable keys{};
    if (!file || file->size() != sizeof keys) return sim_failure(kRomKeyFileError, path);
    std::memcpy(keys.data(), file->data(), sizeof keys);
    return keys;
}

std::variant<RomBlock, SimFailure> load_rom_image(const SimOptions& options, const RomKeyTable& keys,
                                                  const std::string& link_space) {
    auto file = os::read_file(options.rom_path, largest_rom_file(options.plain_rom));
    if (!file) return system_failure(kOpenBiosFileError, file.error(), options.rom_path);
    uint64_t size = options.plain_rom ? file->size() : decoded_rom_size(file->size());
    if (size < kMinimumRomSize) return sim_failure(kRomTooSmall, options.rom_path);
    if (size > UINT32_MAX) return sim_failure(kOutOfMemory);

    auto made = make_block(options.debug, link_space, whole_pages(size));
    if (auto* failed = std::get_if<SimFailure>(&made)) return *failed;
    RomBlock rom{std::move(std::get<MemoryBlock>(made)), static_cast<uint32_t>(size)};
    std::span<uint8_t> image = rom.block.bytes().first(rom.size);
    if (options.plain_rom)
        std::memcpy(image.data(), file->data(), rom.size);
    else if (!decode_rom_image(*file, image, keys))
        return sim_failure(kRomPreprocessFailure);
    return rom;
}

}  // namespace sim
