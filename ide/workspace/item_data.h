#pragma once
// The 32-bit word each project tree item carries: the item's kind in the top
// byte and a value of that kind in the low 24 bits (a bank's key, a category
// bit, a library's origin). The debugger reads it to find a source's bank.
#include <cstdint>
#include <string_view>

namespace ide {

enum class ItemKind : std::uint8_t {
    none = 0,
    project = 1,
    bank = 2,
    category = 3,
    source = 4,
    library = 5,
    library_group = 6,
};

inline constexpr std::uint32_t MakeItemData(ItemKind kind, std::uint32_t value) {
    return static_cast<std::uint32_t>(kind) << 24 | (value & 0xFFFFFF);
}
inline constexpr ItemKind KindOf(std::uint32_t data) { return static_cast<ItemKind>(data >> 24); }
inline constexpr std::uint32_t ValueOf(std::uint32_t data) { return data & 0xFFFFFF; }

// Category bits of the five folders of a bank; a mask selects several.
inline constexpr std::uint32_t kCSources = 0x01;
inline constexpr std::uint32_t kCHeaders = 0x02;
inline constexpr std::uint32_t kAsmSources = 0x04;
inline constexpr std::uint32_t kAsmHeaders = 0x08;
inline constexpr std::uint32_t kOtherFiles = 0x20;
inline constexpr std::uint32_t kSourceCategories = kCSources | kAsmSources;

// Library items: taken from the kit's library folders, or given by path.
inline constexpr std::uint32_t kDefaultLibrary = 1;
inline constexpr std::uint32_t kPathLibrary = 2;

struct FolderCategory {
    std::string_view text;
    std::uint32_t bit;
    std::string_view extension;  // empty for "Other files"
    int image;                   // of its files; the selected image is one more
};

// In tree order.
inline constexpr FolderCategory kCategories[] = {
    {"C Source files", kCSources, ".C", 2},       {"C Header files", kCHeaders, ".H", 4},
    {"Asm Source files", kAsmSources, ".ASM", 6}, {"Asm Header files", kAsmHeaders, ".INC", 8},
    {"Other files", kOtherFiles, "", 12},
};

// The category a file goes into by its extension (compared without case).
const FolderCategory& CategoryOfPath(std::string_view path);

inline constexpr std::string_view kLibraryGroupText = "Library files";
inline constexpr int kLibraryImage = 10;

}  // namespace ide
