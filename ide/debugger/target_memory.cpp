#include "ide/debugger/target_memory.h"

#include <algorithm>
#include <cstring>

#include "formats/byte_reader.h"

namespace ide {

namespace cb = ControlBlock;

std::optional<std::uint32_t> TargetMemory::header_word(std::uint32_t offset) const {
    if (offset + 4 > cb::kHeaderSize) return std::nullopt;
    return formats::ByteReader(views_.control.data(), views_.control.size()).u32(offset);
}

std::optional<std::uint8_t> TargetMemory::page_flags(unsigned page) const {
    if (page >= 8 || cb::kPageFlags + page >= views_.control.size()) return std::nullopt;
    return views_.control[cb::kPageFlags + page];
}

std::uint8_t TargetMemory::current_bank() const {
    auto run = translate(0);
    return run ? run->bytes[0] : 0;
}

std::uint8_t* TargetMemory::register_block() const {
    auto offset = header_word(cb::kRegisterBlockOffset);
    if (!offset || *offset % 2 != 0) return nullptr;
    auto run = run_in_control(*offset, 16);
    return run && run->left == 16 ? run->writable : nullptr;
}

std::optional<TargetRun> TargetMemory::run_in_control(std::uint64_t offset, std::uint32_t length) const {
    if (offset >= views_.control.size()) return std::nullopt;
    auto left = static_cast<std::uint32_t>(std::min<std::uint64_t>(length, views_.control.size() - offset));
    std::uint8_t* place = views_.control.data() + offset;
    return TargetRun{place, place, left};
}

std::optional<TargetRun> TargetMemory::run_in_rom(std::uint64_t offset, std::uint32_t length) const {
    if (offset >= views_.rom.size()) return std::nullopt;
    auto left = static_cast<std::uint32_t>(std::min<std::uint64_t>(length, views_.rom.size() - offset));
    return TargetRun{views_.rom.data() + offset, nullptr, left};
}

std::optional<TargetRun> TargetMemory::translate(std::uint16_t address) const {
    if (address < 0x40) {
        auto base = header_word(cb::kIoBlockOffset);
        if (!base) return std::nullopt;
        return run_in_control(std::uint64_t{*base} + address, 0x40u - address);
    }
    if (address < 0x80) {
        auto base = header_word(cb::kLowAreaOffset);
        if (!base) return std::nullopt;
        return run_in_control(std::uint64_t{*base} + address - 0x40, 0x80u - address);
    }
    const unsigned page = address >> 13;
    const std::uint32_t within = address & 0x1FFF;
    auto base = header_word(cb::kPageOffsets + 4 * page);
    auto flags = page_flags(page);
    if (!base || !flags) return std::nullopt;
    const std::uint64_t offset = std::uint64_t{*base} + within;
    const std::uint32_t length = cb::kPageSize - within;
    if (!(*flags & cb::kPageInControlView)) return run_in_rom(offset, length);
    auto run = run_in_control(offset, length);
    // A page the device cannot write (flash switched in) is read-only here too.
    if (run && !(*flags & cb::kPageWritable)) run->writable = nullptr;
    return run;
}

bool TargetMemory::read(std::uint16_t address, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        auto run = translate(address);
        if (!run) {
            std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), 0);
            return false;
        }
        const std::size_t take = std::min<std::size_t>(run->left, out.size() - done);
        std::memcpy(out.data() + done, run->bytes, take);
        done += take;
        address = static_cast<std::uint16_t>(address + take);
    }
    return true;
}

std::optional<std::uint32_t> TargetMemory::read_dword(std::uint16_t address) const {
    std::uint8_t bytes[4];
    if (!read(address, bytes)) return std::nullopt;
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::optional<std::uint16_t> TargetMemory::read_word(std::uint16_t address) const {
    std::uint8_t bytes[2];
    if (!read(address, bytes)) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t TargetMemory::write(std::uint16_t address, std::span<const std::uint8_t> bytes) const {
    std::uint32_t done = 0;
    while (done < bytes.size()) {
        auto run = translate(address);
        if (!run || !run->writable) break;
        const std::uint32_t take = std::min<std::uint32_t>(run->left, static_cast<std::uint32_t>(bytes.size() - done));
        std::memcpy(run->writable, bytes.data() + done, take);
        done += take;
        address = static_cast<std::uint16_t>(address + take);
    }
    return done;
}

}  // namespace ide
