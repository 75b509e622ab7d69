// The resource compiler: kitrc <input.rc> <output.cpp> <function name>.
// Exit code 0 on success, 1 when the input has errors (each reported on
// stderr as "file(line): error Rnnnn: text"), 2 on a bad command line or an
// unreadable input or unwritable output. The output is written whole or not at all.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/res/compiler/cpp_writer.h"
#include "platform/res/compiler/resource_parser.h"

namespace {

bool read_all(const std::filesystem::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return !in.bad();
}

bool write_atomically(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) std::filesystem::remove(temporary, ec);
    return !ec;
}

bool is_identifier(const std::string& s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || !is_identifier(argv[3])) {
        std::fprintf(stderr, "usage: kitrc <input.rc> <output.cpp> <function name>\n");
        return 2;
    }
    std::string text;
    if (!read_all(argv[1], text)) {
        std::fprintf(stderr, "%s: error R0001: cannot read the file\n", argv[1]);
        return 2;
    }
    std::string name = std::filesystem::path(argv[1]).stem().string();
    kit::res::ParseResult parsed = kit::res::parse_resources(text, name);
    for (const auto& d : parsed.errors) std::fprintf(stderr, "%s\n", kit::res::format_diagnostic(argv[1], d).c_str());
    if (!parsed.ok()) return 1;
    if (!write_atomically(argv[2], kit::res::module_as_cpp(parsed.module, argv[3], argv[1]))) {
        std::fprintf(stderr, "%s: error R0002: cannot write the file\n", argv[2]);
        return 2;
    }
    return 0;
}
