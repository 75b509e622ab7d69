// kitobjdump [--check] <file>...: dumps object (.obj), debug-symbol (.sym),
// bank image (.LKE), debug map (.DEB) and library (.lib) files, chosen by
// extension; --check validates objects and symbol files as the linker and the
// debugger do. Exit code 0 when every file was read (and, with --check, found
// sound), 1 otherwise, 2 for a bad command line.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/file_sizes.h"
#include "linker/dump.h"
#include "platform/os/file.h"
#include "tools/objdump/obj_dump.h"
#include "tools/objdump/sym_dump.h"

namespace {

bool has_extension(std::string_view path, std::string_view extension) {
    if (path.size() < extension.size()) return false;
    std::string_view tail = path.substr(path.size() - extension.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i]) return false;
    }
    return true;
}

struct FileKind {
    std::string_view extension;
    std::string (*dump)(const formats::ByteReader&);
    std::optional<std::string> (*check)(const formats::ByteReader&);  // null: no --check for this kind
};

constexpr FileKind kKinds[] = {
    {".obj", objdump::dump_object, objdump::check_object},
    {".sym", objdump::dump_symbols, objdump::check_symbols},
    {".lke", linker::dump_image, nullptr},
    {".deb", linker::dump_debug_map, nullptr},
    {".lib", linker::dump_library, nullptr},
};

bool process(const std::string& path, bool check) {
    const FileKind* kind = nullptr;
    for (const FileKind& candidate : kKinds)
        if (has_extension(path, candidate.extension)) kind = &candidate;
    if (!kind || (check && !kind->check)) {
        std::fprintf(stderr, "%s: not a %s file\n", path.c_str(),
                     check ? ".obj or .sym" : ".obj, .sym, .LKE, .DEB or .lib");
        return false;
    }
    os::Result<os::Bytes> bytes = os::read_file(path, formats::kLargest32BitOffsetFile);
    if (!bytes) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), bytes.error().text.c_str());
        return false;
    }
    formats::ByteReader file(bytes.value());
    if (check) {
        std::optional<std::string> problem = kind->check(file);
        if (problem) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), problem->c_str());
            return false;
        }
        std::printf("%s: sound\n", path.c_str());
        return true;
    }
    std::string text = kind->dump(file);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--check")
            check = true;
        else
            paths.emplace_back(arg);
    }
    if (paths.empty()) {
        std::fputs("usage: kitobjdump [--check] <file.obj|.sym|.LKE|.DEB|.lib>...\n", stderr);
        return 2;
    }
    bool sound = true;
    for (const std::string& path : paths) sound = process(path, check) && sound;
    return sound ? 0 : 1;
}
