#include "simulator/window/file_download.h"

#include <algorithm>
#include <cstring>

namespace simwin {

FileDownload::FileDownload(sim::PreparedDownload prepared, std::string program_name, bool pause_after,
                           std::function<void(std::uint32_t)> finished)
    : prepared_(std::move(prepared)),
      program_name_(std::move(program_name)),
      pause_after_(pause_after),
      finished_(std::move(finished)) {}

std::size_t FileDownload::ReadBlock(std::span<std::uint8_t> out) {
    std::size_t count = std::min(out.size(), prepared_.content.size() - offset_);
    std::memcpy(out.data(), prepared_.content.data() + offset_, count);
    offset_ += count;
    return count;
}

std::span<const std::uint8_t> FileDownload::Record() const {
    return {reinterpret_cast<const std::uint8_t*>(&prepared_.record), sizeof prepared_.record};
}

bool FileDownload::Finished(std::uint32_t slots) {
    done_ = true;
    finished_(slots);
    return pause_after_;
}

}  // namespace simwin
