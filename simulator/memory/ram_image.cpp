#include "simulator/memory/ram_image.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/os/file.h"
#include "platform/os/path.h"
#include "simulator/memory/rom_image.h"

namespace sim {

namespace {

bool has_ram_file(const SimOptions& options) { return options.ram_path != kNoFile; }

std::span<uint8_t> external_ram(const SimOptions& options, const RamImage& ram) {
    return ram.block.bytes().subspan(kCpuBlockSize + options.internal_ram_size, options.external_ram_size);
}

std::string product_id_path(const std::filesystem::path& program_dir) {
    return (program_dir / kProductIdFileName).string();
}

// A cold boot's external RAM: erased flash (0xFF) under the product identification.
std::optional<SimFailure> load_product_id(const SimOptions& options, const std::filesystem::path& program_dir,
                                          RamImage& ram) {
    std::span<uint8_t> external = external_ram(options, ram);
    std::fill(external.begin(), external.end(), 0xFF);
    std::string path = product_id_path(program_dir);
    auto file = os::File::open(path, os::File::Mode::read);
    if (!file) return sim_failure(kOpenProductIdError, path);
    auto read = file->read(external);
    if (!read) return sim_failure(kReadProductIdError, path);
    return std::nullopt;
}

std::variant<MemoryBlock, SimFailure> private_ram(const SimOptions& options, bool warm) {
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(ram_image_size(options));
    } catch (const std::bad_alloc&) {
        return sim_failure(kOutOfMemory);
    }
    if (!warm) return MemoryBlock(std::move(bytes));
    auto file = os::File::open(options.ram_path, os::File::Mode::read);
    if (!file) return system_failure(kCreateFileError, file.error(), options.ram_path);
    auto read = file->read(bytes);
    if (!read) return system_failure(kCreateFileError, read.error(), options.ram_path);
    if (*read < bytes.size()) return sim_failure(kRamFileLength);
    return MemoryBlock(std::move(bytes));
}

// The image goes to the start of the RAM file and whatever a longer file holds
// past it stays: the temporary that replaces the file gets the old tail too.
os::Status write_ram_file(const std::string& path, std::span<const uint8_t> image) {
    auto out = os::AtomicFile::create(path);
    if (!out) return out.error();
    if (auto written = out->write(image); !written) return written;
    if (os::FileInfo old = os::file_info(path); old.exists && !old.is_directory && old.size > image.size()) {
        auto in = os::File::open(path, os::File::Mode::read);
        if (!in) return in.error();
        if (auto moved = in->seek(image.size()); !moved) return moved;
        std::vector<uint8_t> chunk(std::min<uint64_t>(old.size - image.size(), 1 << 20));
        for (;;) {
            auto read = in->read(chunk);
            if (!read) return read.error();
            if (*read == 0) break;
            if (auto written = out->write(std::span(chunk).first(*read)); !written) return written;
        }
    }
    return out->commit();
}

// The product identification file takes back as many bytes as it holds, but
// never more than the external RAM has; the rest of the file stays as it was.
std::optional<SimFailure> write_back_product_id(const SimOptions& options, const std::filesystem::path& program_dir,
                                                const RamImage& ram) {
    std::string path = product_id_path(program_dir);
    auto old = os::read_file(path, kLargestDeviceMemory);
    if (!old) return sim_failure(kOpenProductIdError, path);
    std::span<const uint8_t> external = external_ram(options, ram);
    std::size_t taken = std::min(old->size(), external.size());
    std::copy_n(external.begin(), taken, old->begin());
    if (auto written = os::write_file(path, *old); !written)
        return sim_failure(kRamWriteBackError, written.error().text);
    return std::nullopt;
}

}  // namespace

std::variant<RamImage, SimFailure> open_ram_image(const SimOptions& options, const std::filesystem::path& program_dir,
                                                  const std::string& link_space, std::vector<SimFailure>& warnings) {
    // The RAM file is written back at the end: it may not be one of the inputs.
    if (has_ram_file(options))
        if (const auto identity = os::file_identity(options.ram_path))
            for (const std::string& input : {options.rom_path, options.skin_path, product_id_path(program_dir)})
                if (os::file_identity(input) == identity)
                    return system_failure(kCreateFileError, "the RAM file would replace the input " + input,
                                          options.ram_path);
    RamImage ram;
    ram.warm = options.warm_boot;
    if (ram.warm && (!has_ram_file(options) || !os::file_exists(options.ram_path))) {
        warnings.push_back(sim_failure(kWarmBootWithoutRamFile));
        ram.warm = false;
    }
    if (options.debug) {
        std::string why;
        auto start = ram.warm ? ipc::FileStart::Keep : ipc::FileStart::Fresh;
        auto shared =
            has_ram_file(options)
                ? ipc::SharedMapping::create_over_file(link_space, "ERam", os::resolve_for_create(options.ram_path),
                                                       ram_image_size(options), start, &why)
                : ipc::SharedMapping::create_in_memory(link_space, "ERam", ram_image_size(options), &why);
        if (!shared) return system_failure(kCreateFileError, why, options.ram_path);
        ram.block = MemoryBlock(std::move(shared));
    } else {
        auto made = private_ram(options, ram.warm);
        if (auto* failed = std::get_if<SimFailure>(&made)) return *failed;
        ram.block = std::move(std::get<MemoryBlock>(made));
    }
    if (ram.warm) return ram;
    if (auto failed = load_product_id(options, program_dir, ram)) return *failed;
    // A cold boot makes its RAM file now, holding the fresh image: a path where
    // no file can be made refuses the start, before a session's work is at stake.
    if (!options.debug && has_ram_file(options))
        if (auto written = os::write_file(options.ram_path, ram.block.bytes()); !written)
            return system_failure(kCreateFileError, written.error(), options.ram_path);
    return ram;
}

std::optional<SimFailure> write_back_memory_files(const SimOptions& options, const std::filesystem::path& program_dir,
                                                  RomBlock rom, RamImage ram) {
    rom = {};
    std::optional<SimFailure> failure;
    if (options.debug) {
        // The RAM file is the mapping itself; only its pages need to reach the disk.
        if (!options.delete_ram && !ram.block.shared()->flush())
            failure = sim_failure(kRamWriteBackError, options.ram_path);
    } else if (!options.delete_ram) {
        os::Status written = has_ram_file(options) ? write_ram_file(options.ram_path, ram.block.bytes()) : os::Status{};
        if (!written)
            failure = sim_failure(kRamWriteBackError, written.error().text);
        else
            failure = write_back_product_id(options, program_dir, ram);
    }
    ram = {};
    if (options.delete_ram && has_ram_file(options))
        if (auto deleted = os::remove_output(options.ram_path); !deleted)
            return system_failure(kDeleteRamFileError, deleted.error(), options.ram_path);
    return failure;
}

}  // namespace sim
