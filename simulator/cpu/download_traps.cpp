#include "simulator/cpu/download_traps.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace simcpu {
namespace {

constexpr std::uint32_t kSlotSize = 0x8000;
constexpr std::uint32_t kSlotCount = 16;
constexpr std::uint32_t kNameOffset = 0x4002;  // in a slot: byte 2 of the program's file head
constexpr std::size_t kNameLength = 16;

// The internal RAM the loader pointer names for a transfer of `size` bytes,
// or null when the transfer would not fit inside the internal RAM.
std::uint8_t* LoaderDestination(KernelCore& core, std::size_t size) {
    std::uint32_t pointer = core.internalRam[kLoaderPointer] | core.internalRam[kLoaderPointer + 1] << 8;
    if (pointer + size > core.internalRamSize) return nullptr;
    return core.internalRam + pointer;
}

void TransferBlock(KernelCore& core) {
    std::array<std::uint8_t, kDownloadBlockSize> block{};
    std::uint8_t* destination = LoaderDestination(core, block.size());
    if (!destination || !core.download) return;
    std::size_t count = core.download->ReadBlock(block);
    std::copy_n(block.begin(), std::min(count, block.size()), destination);
}

void TransferRecord(KernelCore& core) {
    if (!core.download) return;
    std::span<const std::uint8_t> record = core.download->Record();
    std::uint8_t* destination = LoaderDestination(core, record.size());
    if (destination) std::copy(record.begin(), record.end(), destination);
}

void EndDownload(KernelCore& core) {
    core.downloadState = DownloadState::kIdle;
    core.regs().pc = core.savedPC;
    DownloadSource* source = core.download;
    core.download = nullptr;
    if (!source) return;
    // The device waits for the IDE through the run loop's pause, never here.
    if (source->Finished(FindProgramSlot(core, source->ProgramName()))) {
        core.controlFlags |= ControlFlag::kPauseRequest;
    }
}

}  // namespace

std::string StartDownload(KernelCore& core, DownloadSource& source, std::span<const std::uint8_t> loader) {
    if (core.downloadState != DownloadState::kIdle) return "A download is already under way.";
    if (loader.size() != kLoaderSize) return "The download loader must hold 4096 bytes.";
    if (core.internalRamSize < kLoaderAddress + kLoaderSize) {
        return "The internal RAM is too small for the download loader at $3000.";
    }
    std::copy(loader.begin(), loader.end(), core.internalRam + kLoaderAddress);
    core.download = &source;
    core.downloadState = DownloadState::kRequested;
    core.controlFlags |= ControlFlag::kDownloadRequested;
    return {};
}

void ActivateDownload(KernelCore& core) {
    core.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kDownloadRequested);
    if (core.downloadState != DownloadState::kRequested) return;
    core.savedPC = core.regs().pc;
    core.regs().pc = kLoaderAddress;
    core.downloadState = DownloadState::kActive;
}

void RunDownloadTrap(KernelCore& core, std::uint8_t opcode) {
    switch (opcode) {
        case kTrapNextBlock:
            TransferBlock(core);
            ++core.regs().pc;
            break;
        case kTrapRecord:
            TransferRecord(core);
            ++core.regs().pc;
            break;
        case kTrapEnd: EndDownload(core); break;
        default: break;
    }
}

std::uint32_t FindProgramSlot(const KernelCore& core, std::string_view name) {
    if (name.empty()) return 0;
    std::array<char, kNameLength> padded;
    padded.fill(' ');
    std::copy_n(name.begin(), std::min(name.size(), kNameLength), padded.begin());
    std::uint32_t first = 0, count = 0;
    for (std::uint32_t slot = 0; slot < kSlotCount; ++slot) {
        std::uint64_t offset = std::uint64_t{slot} * kSlotSize + kNameOffset;
        if (offset + kNameLength > core.externalRamSize) break;
        if (std::memcmp(core.externalRam + offset, padded.data(), kNameLength) != 0) continue;
        if (count++ == 0) first = slot;
    }
    return count ? (first << 8 | count) : 0;
}

}  // namespace simcpu
