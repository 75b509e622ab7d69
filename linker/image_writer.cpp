#include "linker/image_writer.h"

#include <algorithm>
#include <cstring>

#include "formats/image_file.h"
#include "linker/layout.h"

namespace linker {
namespace {

template <class Record>
void append(std::vector<std::uint8_t>& out, const Record& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    out.insert(out.end(), bytes, bytes + sizeof record);
}

formats::ImageFileHead make_head(const LinkContext& link) {
    formats::ImageFileHead head{};
    head.head_size = sizeof head;
    // At most 16 characters of the display name are kept, padded with spaces.
    std::memset(head.display_name, ' ', sizeof head.display_name);
    const auto& name = link.settings.display_name;
    std::memcpy(head.display_name, name.data(), std::min(name.size(), sizeof head.display_name));
    head.kind = formats::kImageHeadKind;
    head.reset_address = std::uint16_t(procedure_address(link, *link.reset));
    std::memcpy(head.signature, formats::kImageHeadSignature, sizeof head.signature);
    std::memcpy(head.version_a, formats::kImageHeadVersionA, sizeof head.version_a);
    std::memcpy(head.version_b, formats::kImageHeadVersionB, sizeof head.version_b);
    head.global_length = std::uint16_t(link.global_length);
    head.init_data_length = std::uint16_t(link.init_data_length);
    head.fixed_data_end = std::uint16_t(formats::kFixedDataBase + link.global_length + link.init_data_length);
    return head;
}

}  // namespace

std::vector<std::uint8_t> build_image(const LinkContext& link, std::vector<std::vector<std::uint8_t>> banks) {
    formats::ImageBankTable table{};
    std::uint32_t offset = formats::kImageBank0Offset;
    for (std::size_t bank = 0; bank < banks.size(); ++bank) {
        table.banks[bank] = {offset, std::uint32_t(banks[bank].size())};
        offset += std::uint32_t(banks[bank].size());
    }
    formats::ImagePrefix prefix{};
    prefix.mark = formats::kImagePrefixMark;
    const auto head = make_head(link);
    std::memcpy(banks[0].data(), &head, sizeof head);

    std::vector<std::uint8_t> image;
    image.reserve(offset);
    append(image, table);
    append(image, prefix);
    for (const auto& bank : banks) image.insert(image.end(), bank.begin(), bank.end());
    return image;
}

std::vector<std::uint8_t> build_debug_map(const LinkContext& link) {
    std::size_t section_count = 0;
    std::string names;
    std::vector<std::uint32_t> name_offsets;
    for (const auto& object : link.objects) {
        section_count += object.module.sections.size();
        name_offsets.push_back(std::uint32_t(names.size()));
        names += object.path;
        names += '\0';
    }
    const auto sections_offset =
        std::uint32_t(sizeof(formats::DebFileHeader) + sizeof(formats::DebObjectEntry) * link.objects.size());
    const auto names_offset = std::uint32_t(sections_offset + sizeof(formats::DebSectionEntry) * section_count);
    const auto segments_offset = std::uint32_t(names_offset + names.size());

    std::vector<std::uint8_t> objects, sections, segments;
    std::uint32_t next_section = sections_offset;
    std::uint32_t next_segment = segments_offset;
    for (std::size_t i = 0; i < link.objects.size(); ++i) {
        const auto& object = link.objects[i];
        const auto& module = object.module;
        append(objects,
               formats::DebObjectEntry{name_offsets[i], std::uint16_t(module.sections.size()), 0, next_section});
        next_section += std::uint32_t(sizeof(formats::DebSectionEntry) * module.sections.size());
        for (std::uint16_t s = 0; s < module.sections.size(); ++s) {
            const auto& section = module.sections[s];
            append(sections, formats::DebSectionEntry{next_segment, std::uint16_t(section.segments.size()), 0});
            next_segment += std::uint32_t(sizeof(formats::DebSegmentEntry) * section.segments.size());
            for (std::uint16_t g = 0; g < section.segments.size(); ++g) {
                const auto start = device_address(object, s, g, 0);
                const auto end = start + std::uint32_t(section.segments[g].code.size());
                append(segments, formats::DebSegmentEntry{std::uint8_t(section_bank(object, s)), 0,
                                                          std::uint16_t(start), std::uint16_t(end)});
            }
        }
    }

    std::vector<std::uint8_t> map;
    append(map, formats::DebFileHeader{std::uint16_t(link.objects.size()), 0, names_offset});
    map.insert(map.end(), objects.begin(), objects.end());
    map.insert(map.end(), sections.begin(), sections.end());
    map.insert(map.end(), names.begin(), names.end());
    map.insert(map.end(), segments.begin(), segments.end());
    return map;
}

}  // namespace linker
