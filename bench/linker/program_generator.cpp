#include "bench/linker/program_generator.h"

#include <algorithm>

#include "formats/testing/obj_builder.h"
#include "linker/library_file.h"

namespace linker_bench {
namespace {

using formats::FixupType;
using formats::testing::ObjBuilder;

std::string procedure_name(int bank, int object, int procedure) {
    return "f" + std::to_string(bank) + "_" + std::to_string(object) + "_" + std::to_string(procedure);
}

// A small deterministic generator, so every run links the same program.
struct Lcg {
    std::uint32_t state = 12345;
    std::uint32_t next(std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

std::string startup() {
    ObjBuilder builder;
    builder.section("code", 0).segment("text", {0xEA, 0x60, 0xEA, 0xEA, 0x60});
    builder.procedure("reset", 0, 2).procedure("farcall", 2, 5).make_public("reset").make_public("farcall");
    return builder.bytes();
}

std::string library_member(int k) {
    const auto entry = "lib" + std::to_string(k);
    const auto helper = "lib" + std::to_string(k) + "_helper";
    ObjBuilder builder;
    builder.section("code", 0).segment("text", {0x20, 0, 0, 0x60, 0xEA, 0xEA, 0x60});
    builder.procedure(entry, 0, 4).procedure(helper, 4, 7).make_public(entry).make_public(helper);
    builder.fixup(FixupType::Address, 1, helper);
    return builder.bytes();
}

}  // namespace

GeneratedProgram generate_program(const ProgramShape& shape) {
    GeneratedProgram program;
    program.objects.push_back({"START.OBJ", startup()});
    Lcg random;
    const int per_bank_library = std::max(1, shape.library_members / shape.banks);
    const std::uint16_t call_bytes = 5;  // JSR and two bytes of room for a far call
    for (int bank = 0; bank < shape.banks; ++bank)
        for (int object = 0; object < shape.objects_per_bank; ++object) {
            const auto procedure_length = std::uint16_t(call_bytes * shape.calls_per_procedure + 1);
            std::vector<std::uint8_t> code;
            for (int p = 0; p < shape.procedures_per_object; ++p) {
                for (int c = 0; c < shape.calls_per_procedure; ++c) code.insert(code.end(), {0x20, 0, 0, 0xEA, 0xEA});
                code.push_back(0x60);
            }
            ObjBuilder builder;
            builder.section("code", std::uint16_t(bank)).segment("text", code);
            for (int p = 0; p < shape.procedures_per_object; ++p) {
                const auto name = procedure_name(bank, object, p);
                builder.procedure(name, std::uint16_t(p * procedure_length), std::uint16_t((p + 1) * procedure_length));
                builder.make_public(name);
            }
            std::vector<std::string> declared;
            for (int p = 0; p < shape.procedures_per_object; ++p)
                for (int c = 0; c < shape.calls_per_procedure; ++c) {
                    std::string callee;
                    if (c == shape.calls_per_procedure - 1) {
                        // Each bank calls its own slice of the library.
                        const int member =
                            (bank * per_bank_library + object % per_bank_library) % shape.library_members;
                        callee = "lib" + std::to_string(member);
                    } else {
                        int other_bank = int(random.next(std::uint32_t(shape.banks)));
                        int other = int(random.next(std::uint32_t(shape.objects_per_bank)));
                        if (other_bank == bank && other == object) other = (other + 1) % shape.objects_per_bank;
                        callee = procedure_name(other_bank, other,
                                                int(random.next(std::uint32_t(shape.procedures_per_object))));
                    }
                    if (std::find(declared.begin(), declared.end(), callee) == declared.end()) {
                        builder.external(callee);
                        declared.push_back(callee);
                    }
                    builder.fixup(FixupType::Address, std::uint16_t(p * procedure_length + c * call_bytes + 1), callee);
                    ++program.references;
                }
            program.objects.push_back(
                {"B" + std::to_string(bank) + "O" + std::to_string(object) + ".OBJ", builder.bytes()});
        }

    std::vector<std::string> members;
    std::vector<linker::LibraryInput> inputs;
    for (int k = 0; k < shape.library_members; ++k) members.push_back(library_member(k));
    for (int k = 0; k < shape.library_members; ++k)
        inputs.push_back(
            {"L" + std::to_string(k) + ".OBJ",
             {reinterpret_cast<const std::uint8_t*>(members[std::size_t(k)].data()), members[std::size_t(k)].size()}});
    const auto library = linker::build_library(inputs);
    program.library = {"RT.LIB", std::string(library.begin(), library.end())};
    return program;
}

}  // namespace linker_bench
