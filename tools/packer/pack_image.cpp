#include "tools/packer/pack_image.h"

#include <cstdio>
#include <string_view>

#include "formats/byte_reader.h"
#include "formats/file_sizes.h"
#include "formats/image_file.h"
#include "platform/os/file.h"

namespace packer {
namespace {

constexpr std::uint32_t kHalf = formats::kBankMaxSize / 2;

PackResult refuse(std::string why) { return {{}, std::move(why)}; }

void report(std::string_view text) {
    if (auto* file = std::fopen("output.msg", "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace

PackResult pack_image(std::span<const std::uint8_t> bytes) {
    const formats::ByteReader image(bytes);
    auto table = image.record<formats::ImageBankTable>(0);
    if (!table) return refuse("shorter than a bank table");
    if (image.u16(formats::kImagePrefixOffset) != formats::kImagePrefixMark) return refuse("not a bank image");

    int last_bank = -1;
    for (int bank = 0; bank < formats::kImageBankCount; ++bank)
        if (table->banks[bank].length != 0) last_bank = bank;
    if (last_bank < 0) return refuse("no bank has any bytes");

    PackResult result;
    result.program.assign(std::size_t(last_bank + 1) * formats::kBankMaxSize, 0xFF);
    for (int bank = 0; bank <= last_bank; ++bank) {
        const formats::ImageBankEntry entry = table->banks[bank];
        if (entry.length > formats::kBankMaxSize)
            return refuse("bank " + std::to_string(bank) + " is longer than 0x8000 bytes");
        auto content = image.slice(entry.file_offset, entry.length);
        if (!content) return refuse("bank " + std::to_string(bank) + " lies outside the file");
        const auto source = content->bytes();
        auto* out = result.program.data() + std::size_t(bank) * formats::kBankMaxSize;
        for (std::size_t i = 0; i < source.size(); ++i) out[i < kHalf ? i + kHalf : i - kHalf] = source[i];
    }
    return result;
}

int run_packer(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) {
        report("usage: packer <image.LKE> <program.BIN>\r\n");
        return 1;
    }
    const auto& input = arguments[0];
    const auto& output = arguments[1];
    auto image = os::read_file(input, formats::kLargestImageFile);
    if (!image) {
        report(input + ": " + image.error().text + "\r\n");
        return 1;
    }
    auto packed = pack_image(*image);
    if (!packed.error.empty()) {
        report(input + ": " + packed.error + "\r\n");
        return 1;
    }
    if (auto status = os::write_file(output, packed.program); !status) {
        report(output + ": " + status.error().text + "\r\n");
        return 1;
    }
    return 0;
}

}  // namespace packer
