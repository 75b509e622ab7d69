// Links arbitrary bytes as one object beside a fixed start-up object and
// library, through every stage up to the image and the map: a valid-looking
// object must be linked or refused with a message, never crash the linker.
#include <cstddef>
#include <cstdint>

#include "formats/byte_reader.h"
#include "formats/testing/obj_builder.h"
#include "linker/image_writer.h"
#include "linker/layout.h"
#include "linker/link_context.h"
#include "linker/link_input.h"
#include "linker/link_report.h"
#include "linker/relocate.h"
#include "linker/resolve.h"
#include "linker/tests/test_objects.h"

namespace {

using namespace linker;

LinkObject object_from(std::string_view bytes) {
    LinkObject object;
    object.path = "FUZZ.OBJ";
    object.file.assign(bytes.begin(), bytes.end());
    object.module = read_object_module(formats::ByteReader(object.file));
    return object;
}

LinkLibrary fixed_library() {
    formats::testing::ObjBuilder member;
    member.section("code", 0).segment("text", {0x60}).procedure("lib_helper", 0, 1).make_public("lib_helper");
    member.section("library", 0).segment("text", {0x20, 0, 0, 0xEA, 0xEA, 0x60}).procedure("lib_every", 0, 6);
    member.fixup(formats::FixupType::Address, 1, "lib_helper").make_public("lib_every");
    member.section("global", 0).segment("init_data", {1, 2}).label("lib_data", 0).make_public("lib_data");
    const auto bytes = testing::library_of({{"M.OBJ", member.bytes()}});
    LinkLibrary library;
    library.path = "FIXED.LIB";
    library.file.assign(bytes.begin(), bytes.end());
    library.members = read_library(formats::ByteReader(library.file));
    for (std::uint32_t m = 0; m < library.members.size(); ++m)
        for (auto row : library.members[m].module.public_rows)
            library.publics.insert(library.members[m].module.symbols[row].name, MemberSymbol{m, row});
    return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string startup = testing::startup_object();
    const Console quiet{[](std::string_view) {}, [](std::string_view) {}};
    ToolMessages messages(quiet, /*with_file=*/false);
    LinkReporter reporter(messages);
    LinkContext link;
    link.settings.display_name = "Fuzz";
    try {
        link.objects.push_back(object_from(startup));
        link.objects.push_back(object_from({reinterpret_cast<const char*>(data), size}));
    } catch (const CorruptInput&) {
        return 0;
    }
    link.libraries.push_back(fixed_library());
    try {
        scan_objects(link, reporter);
        resolve_externals(link, reporter);
        place_init_data(link);
        layout_banks(link, reporter);
        auto banks = relocate_banks(link, reporter);
        if (reporter.errors() == 0) {
            build_image(link, std::move(banks));
            build_debug_map(link);
        }
    } catch (const LinkAbort&) {
    }
    return 0;
}
