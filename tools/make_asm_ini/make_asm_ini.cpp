// Writes "asm.ini", the keywords file of assembly sources, from the assembler's own
// keyword tables, so that colouring and assembling never disagree on what a keyword is.
//   make_asm_ini <output file>
#include <cctype>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "assembler/keyword_tables.h"
#include "platform/os/file.h"

namespace {

// Only words can be coloured: "=" and the empty placeholder are left out.
bool IsWord(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

void AddGroup(std::string& ini, std::span<const std::string_view> names, std::string_view prefix,
              std::string_view colour) {
    for (std::string_view name : names)
        if (IsWord(name)) ini.append(prefix).append(name).append("=").append(colour).append("\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_asm_ini <output file>\n");
        return 2;
    }
    std::string ini = "; Generated from the assembler's keyword tables; do not edit.\r\n[Keywords]\r\n";
    AddGroup(ini, dravlin::mnemonics(), "", "Mnemonic");
    AddGroup(ini, dravlin::directives(), "", "Directive");
    AddGroup(ini, dravlin::data_directives(), "", "Directive");
    AddGroup(ini, dravlin::hash_keywords(), "#", "Preprocessor");
    ini += "\r\n[Colors]\r\nMnemonic=0,0,255\r\nDirective=0,0,160\r\nPreprocessor=128,0,128\r\n";
    if (os::Status status = os::write_file(argv[1], ini); !status) {
        std::fprintf(stderr, "make_asm_ini: %s\n", status.error().text.c_str());
        return 1;
    }
    return 0;
}
