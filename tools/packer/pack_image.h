#pragma once
// The stand-in packer: turns a bank image (.LKE) into a program file (.BIN)
// as the device's download expects it. Each bank takes 0x8000 bytes of the
// file: its bytes 0x4000-0x7FFF first, then its bytes 0-0x3FFF, the rest
// padded with 0xFF, so that bank 0's 64-byte head lies at file offset 0x4000.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace packer {

struct PackResult {
    std::vector<std::uint8_t> program;
    std::string error;  // why the image was refused; empty on success
};

PackResult pack_image(std::span<const std::uint8_t> image);

// packer <image.LKE> <program.BIN>: exit code 0, or 1 with the reason in
// "output.msg" and on standard error.
int run_packer(const std::vector<std::string>& arguments);

}  // namespace packer
