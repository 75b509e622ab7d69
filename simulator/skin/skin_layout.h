#pragma once
// Byte layout of a skin file (".cfs"), little-endian. The reader and the skin
// maker both take their offsets from here.
#include <cstddef>
#include <cstdint>

namespace sim::skin_layout {

inline constexpr char kMagic[2] = {'s', 'u'};
// Header fields.
inline constexpr std::size_t kDisplayName = 12, kDisplayNameSize = 32;
inline constexpr std::size_t kDeviceImage = 46, kPressedImage = 48, kThirdImage = 50, kLcdImage = 52;  // u16, 1-based
inline constexpr std::size_t kIconOffset = 60, kIconLength = 64;                                       // u32, u16
inline constexpr std::size_t kIndicatorOffset = 66, kIndicatorCount = 70;                              // u32, u16
inline constexpr std::size_t kKeyOffset = 72, kKeyCount = 76;                                          // u32, u16
inline constexpr std::size_t kOutlineOffset = 78, kOutlineCount = 82;                                  // u32, u16
inline constexpr std::size_t kLcdOffset = 84;                                                          // u32
inline constexpr std::size_t kBitmapInfo = 88, kBitmapInfoSize = 40;
inline constexpr std::size_t kImageRecords = 128;
// What the skin search reads of each file.
inline constexpr std::size_t kListedHeaderSize = 88;

// Image record: width, height, x, y, then the offset of the picture's bits.
inline constexpr std::size_t kImageRecordSize = 33;
inline constexpr std::size_t kImageWidth = 0, kImageHeight = 4, kImageX = 8, kImageY = 12, kImageBits = 21;

// Indicator record: the image to draw, its place, its sort key.
inline constexpr std::size_t kIndicatorRecordSize = 32;
inline constexpr std::size_t kIndicatorImage = 5, kIndicatorPlace = 9, kIndicatorSortKey = 25;

// Key record: the name, the area, the device key code (low and high u16) and
// two PC virtual-key codes.
inline constexpr std::size_t kKeyRecordSize = 38;
inline constexpr std::size_t kKeyName = 0, kKeyNameSize = 9, kKeyArea = 9;
inline constexpr std::size_t kKeyCodeLow = 25, kKeyCodeHigh = 27, kKeyPcFirst = 29, kKeyPcSecond = 31;

inline constexpr std::size_t kOutlinePointSize = 8;     // u32 x, u32 y
inline constexpr std::size_t kLcdDescriptionSize = 20;  // left, top, right, bottom, pixel size

// Fields of the bitmap information header that the skin relies on.
inline constexpr std::size_t kInfoBitCount = 14, kInfoCompression = 16;

}  // namespace sim::skin_layout
