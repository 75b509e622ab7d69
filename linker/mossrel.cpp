#include "linker/mossrel.h"

#include <new>
#include <string_view>

#include "linker/file_access.h"
#include "linker/image_writer.h"
#include "linker/layout.h"
#include "linker/link_command_line.h"
#include "linker/link_context.h"
#include "linker/link_input.h"
#include "linker/link_report.h"
#include "linker/relocate.h"
#include "linker/resolve.h"

namespace linker {
namespace {

constexpr std::string_view kTitle = "Marlowquin 6502 Linker Version 1.00\r\n";
constexpr std::string_view kNotice = "Copyright (C) Marlowquin. All rights reserved.\r\n";
constexpr std::string_view kUsage =
    "usage: MOSSREL [options] [filename]\r\n\r\n\tOptions:\r\n\t/OBJPATH: all obj files path\r\n"
    "\t/OBJ:\t  obj files\r\n\t/LIBS:\t  Librarys filename\r\n\t/NAME:\t  display filename\r\n"
    "\t/OUT:\t  out put filename\r\n\t/FILEHEAD: filename of filehead\r\n";
constexpr std::string_view kShortUsage =
    "usage: MOSSREL [options] [filename]\r\n\r\n\tOptions:\n\t/OBJPATH:  all obj files path\r\n"
    "\t/OBJ:\t   obj files\r\n\t/LIBS:\t   Librarys filename\r\n\t/NAME:\t  display filename\r\n"
    "\t/OUT:\t   out put filename\r\n\t/FILEHEAD: filename of filehead\r\n";

std::string debug_map_path(const LinkSettings& settings) {
    return settings.object_directory + settings.output_base + ".DEB";
}

// Both files are complete on disk under temporary names before either is
// renamed into place.
void write_outputs(const LinkContext& link, LinkReporter& reporter, const std::vector<std::uint8_t>& image,
                   const std::vector<std::uint8_t>& debug_map) {
    const auto& settings = link.settings;
    const auto map_path = debug_map_path(settings);
    PendingOutput image_file(settings.output_path);
    if (!image_file.create()) reporter.report(LinkMessage::CannotOpen, settings.output_path, image_file.error());
    if (!image_file.write(image)) reporter.report(LinkMessage::WriteFailed, settings.output_path, image_file.error());
    PendingOutput map_file(map_path);
    if (!map_file.create()) reporter.report(LinkMessage::CannotOpen, map_path, map_file.error());
    if (!map_file.write(debug_map)) reporter.report(LinkMessage::WriteFailed, map_path, map_file.error());
    if (!image_file.commit()) reporter.report(LinkMessage::WriteFailed, settings.output_path, image_file.error());
    if (!map_file.commit()) reporter.report(LinkMessage::WriteFailed, map_path, map_file.error());
}

// Neither output may be one of the inputs: the link would destroy what it reads.
void refuse_outputs_over_inputs(const LinkSettings& settings, LinkReporter& reporter) {
    std::vector<std::string> inputs = settings.object_paths;
    inputs.insert(inputs.end(), settings.library_paths.begin(), settings.library_paths.end());
    for (const auto& output : {settings.output_path, debug_map_path(settings)})
        if (const std::string* input = input_named_by(output, inputs))
            reporter.report(LinkMessage::CannotOpen, output, replaces_input_text(*input));
}

int link(LinkSettings settings, LinkReporter& reporter) {
    LinkContext link;
    link.settings = std::move(settings);
    refuse_outputs_over_inputs(link.settings, reporter);
    load_objects(link, reporter);
    scan_objects(link, reporter);
    load_libraries(link, reporter);
    resolve_externals(link, reporter);
    place_init_data(link);
    layout_banks(link, reporter);
    auto banks = relocate_banks(link, reporter);
    if (reporter.errors() == 0)
        write_outputs(link, reporter, build_image(link, std::move(banks)), build_debug_map(link));
    reporter.summary(link.settings.output_base);
    return reporter.errors() == 0 ? 0 : kLinkFailed;
}

}  // namespace

int run_mossrel(const std::vector<std::string>& arguments, const Console& console) {
    ToolMessages messages(console);
    if (arguments.empty()) {
        console.out(std::string(kTitle) + std::string(kNotice) + "\r\n" + std::string(kShortUsage));
        return kLinkFailed;
    }
    console.out(std::string(kTitle) + "\t\t\t" + std::string(kNotice) + "\r\n");

    auto parsed = parse_link_command_line(arguments);
    if (auto* error = std::get_if<LinkUsageError>(&parsed)) {
        messages.write(usage_error_text(*error));
        messages.write(kUsage);
        return kLinkAborted;
    }
    auto& settings = std::get<LinkSettings>(parsed);
    messages.set_echo(settings.echo);

    LinkReporter reporter(messages);
    try {
        try {
            return link(std::move(settings), reporter);
        } catch (const std::bad_alloc&) {
            reporter.report(LinkMessage::OutOfMemory);
        }
    } catch (const LinkAbort& abort) {
        return abort.exit_code;
    }
    return kLinkAborted;
}

}  // namespace linker
