// Writes "asm.ini", the keywords file of assembly sources, from the assembler's keyword
// tables, so that colouring and assembling never disagree on what a keyword is.
//   make_asm_ini <output file>
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

#include "editor/file_access.h"
#include "editor/tools/asm_keyword_lists.h"

namespace {

// Only words can be coloured: "=" and the empty placeholder are left out.
bool IsWord(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

template <size_t N>
void AddGroup(std::string& ini, const std::string_view (&names)[N], std::string_view prefix, std::string_view colour) {
    for (std::string_view name : names)
        if (IsWord(name)) ini.append(prefix).append(name).append("=").append(colour).append("\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_asm_ini <output file>\n");
        return 2;
    }
    using namespace editor::asm_keywords;
    std::string ini = "; Generated from the assembler's keyword tables; do not edit.\r\n[Keywords]\r\n";
    AddGroup(ini, kMnemonics, "", "Mnemonic");
    AddGroup(ini, kDirectives, "", "Directive");
    AddGroup(ini, kDataDirectives, "", "Directive");
    AddGroup(ini, kPreprocessor, "#", "Preprocessor");
    ini += "\r\n[Colors]\r\nMnemonic=0,0,255\r\nDirective=0,0,160\r\nPreprocessor=128,0,128\r\n";
    if (int error = editor::WriteFileSafely(argv[1], ini)) {
        std::fprintf(stderr, "make_asm_ini: cannot write %s: error %d\n", argv[1], error);
        return 1;
    }
    return 0;
}
