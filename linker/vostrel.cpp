#include "linker/vostrel.h"

#include <optional>
#include <string_view>

#include "formats/file_sizes.h"
#include "linker/file_access.h"
#include "linker/library_file.h"
#include "linker/object_module.h"
#include "linker/tool_arguments.h"

namespace linker {
namespace {

constexpr std::string_view kBanner =
    "Marlowquin (R) 6502 Link Library Version 3.1\r\n"
    "\t\tCopyright (C) Marlowquin. All rights reserved.\r\n"
    "\r\n";
constexpr std::string_view kUsage =
    "usage: LINK [options] [filename]\r\n\r\n\tOptions:\r\n\t/OBJPATH:\tcommon path of obj files\r\n"
    "\t/OBJS:\tobj files\r\n\t/OUT:\tout put filename\r\n";

constexpr std::string_view kMissingObjName = "\nError: Missing OBJ file Name in command Line\r\n";
constexpr std::string_view kMissingLibName = "\nError: Missing Lib file Name in command Line\r\n";
constexpr std::string_view kMissingObjPath = "\nError: Missing OBJ file path in command Line\r\n";
constexpr std::string_view kCannotOpen = "%s\t: error LNK2006:%s\r\n";
constexpr std::string_view kBadObject = "%s\t: error LNK2007:%s\r\n";
constexpr std::string_view kCannotWrite = "%s\t: error LNK2008:%s\r\n";

bool is_vostrel_keyword(std::string_view argument) {
    return is_keyword(argument, {"/OBJPATH", "/OBJS", "/OBJ", "/OUT"});
}

struct LibraryRequest {
    std::string directory;
    std::vector<std::string> names;
    std::string output;
};

// The request, or the usage message that says what is missing.
std::optional<LibraryRequest> parse(const std::vector<std::string>& args, std::string_view& missing) {
    LibraryRequest request;
    std::size_t i = 0;
    auto at = [&](std::size_t index) -> std::string_view {
        return index < args.size() ? std::string_view(args[index]) : std::string_view();
    };
    missing = kMissingObjPath;
    if (upper_case(at(i)) != "/OBJPATH" || i + 1 >= args.size() || is_vostrel_keyword(at(i + 1))) return {};
    request.directory = tool_argument(at(i + 1));
    i += 2;
    missing = kMissingObjName;
    if (!is_keyword(at(i), {"/OBJS", "/OBJ"})) return {};
    for (++i; i < args.size() && !is_vostrel_keyword(at(i)); ++i) request.names.push_back(tool_argument(at(i)));
    if (request.names.empty()) return {};
    missing = kMissingLibName;
    if (upper_case(at(i)) != "/OUT" || i + 1 >= args.size() || is_vostrel_keyword(at(i + 1))) return {};
    request.output = tool_argument(at(i + 1));
    return request;
}

}  // namespace

int run_vostrel(const std::vector<std::string>& arguments, const Console& console) {
    ToolMessages messages(console);
    console.out(kBanner);

    std::string_view missing;
    auto request = parse(arguments, missing);
    if (!request) {
        messages.write(missing);
        messages.write(kUsage);
        return kVostrelFailed;
    }

    std::vector<std::string> paths;
    for (const auto& name : request->names) paths.push_back(join_object_path(request->directory, name));
    if (const std::string* input = input_named_by(request->output, paths)) {
        messages.write(fill_texts(kCannotOpen, request->output, replaces_input_text(*input)));
        return kVostrelFailed;
    }

    // Every input is read and checked before the old library is touched.
    std::vector<std::vector<std::uint8_t>> objects;
    for (const auto& path : paths) {
        auto file = read_whole_file(path, formats::kLargestObjFile);
        if (!file.ok) {
            messages.write(fill_texts(kCannotOpen, path, file.error));
            return kVostrelFailed;
        }
        try {
            read_object_module(formats::ByteReader(file.bytes));
        } catch (const CorruptInput& error) {
            messages.write(fill_texts(kBadObject, path, std::string("not a valid object file (") + error.what() + ")"));
            return kVostrelFailed;
        }
        objects.push_back(std::move(file.bytes));
    }

    std::vector<LibraryInput> members;
    for (std::size_t i = 0; i < objects.size(); ++i) members.push_back({request->names[i], objects[i]});
    std::vector<std::uint8_t> library;
    try {
        library = build_library(members);
    } catch (const CorruptInput& error) {
        messages.write(fill_texts(kBadObject, request->output, error.what()));
        return kVostrelFailed;
    }

    PendingOutput output(request->output);
    if (!output.create()) {
        messages.write(fill_texts(kCannotOpen, request->output, output.error()));
        return kVostrelFailed;
    }
    if (!output.write(library) || !output.commit()) {
        messages.write(fill_texts(kCannotWrite, request->output, output.error()));
        return kVostrelFailed;
    }
    return 0;
}

}  // namespace linker
