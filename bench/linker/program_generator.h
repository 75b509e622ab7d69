#pragma once
// Generated programs for the linker's benchmarks: objects whose procedures
// call procedures of other objects (many across banks) and of a library.
#include <cstdint>
#include <string>
#include <vector>

namespace linker_bench {

struct GeneratedFile {
    std::string name;
    std::string bytes;
};

struct ProgramShape {
    int banks = 27;
    int objects_per_bank = 80;
    int procedures_per_object = 2;
    int calls_per_procedure = 5;  // every fifth call goes to the library
    int library_members = 297;    // each: a procedure that calls a second one of its member
};

struct GeneratedProgram {
    std::vector<GeneratedFile> objects;  // the start-up object first
    GeneratedFile library;
    std::size_t references = 0;
};

GeneratedProgram generate_program(const ProgramShape& shape);

}  // namespace linker_bench
