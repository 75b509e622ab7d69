#pragma once
// The project's 34-byte version block (.VER). Its bytes mirror bytes 8 to 41
// of the image file head: block byte k lies at head byte k + 8.
#include <cstdint>

#include "formats/image_file.h"
#include "formats/pack_check.h"

namespace formats {

#pragma pack(push, 1)

struct VersionBlock {
    std::uint8_t zero0[16];
    std::uint8_t kind;  // 'L'
    std::uint8_t zero1[2];
    std::uint8_t signature[3];  // A5 AA 55
    std::uint8_t language;      // low byte of "Default Language"
    std::uint8_t version;       // low byte of "Default Version"
    std::uint8_t zero2[8];
    std::uint16_t stack_address;
};

#pragma pack(pop)

inline constexpr std::uint32_t kVersionBlockHeadOffset = 8;

static_assert(sizeof(VersionBlock) == 34);
FORMATS_PIN(VersionBlock, kind, 16);
FORMATS_PIN(VersionBlock, signature, 19);
FORMATS_PIN(VersionBlock, language, 22);
FORMATS_PIN(VersionBlock, version, 23);
FORMATS_PIN(VersionBlock, stack_address, 32);
static_assert(offsetof(VersionBlock, kind) + kVersionBlockHeadOffset == offsetof(ImageFileHead, kind));
static_assert(offsetof(VersionBlock, signature) + kVersionBlockHeadOffset == offsetof(ImageFileHead, signature));

}  // namespace formats
