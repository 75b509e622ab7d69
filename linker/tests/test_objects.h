#pragma once
// Small objects shared by the linker's tests.
#include <string>
#include <utility>
#include <vector>

#include "formats/testing/obj_builder.h"
#include "linker/library_file.h"

namespace linker::testing {

// One banked section in `bank` with a procedure `name` (a 3-byte RTS body
// after a JSR to `callee` when one is given, through a word fix-up).
inline std::string procedure_object(const std::string& name, int bank, const std::string& callee = {}) {
    using formats::FixupType;
    formats::testing::ObjBuilder builder;
    builder.section("code", std::uint16_t(bank)).segment("text", {0x20, 0x00, 0x00, 0x00, 0x00, 0x60});
    builder.procedure(name, 0, 6).make_public(name);
    if (!callee.empty()) builder.external(callee).fixup(FixupType::Address, 1, callee);
    return builder.bytes();
}

// The start-up object: "reset" and "farcall" in bank 0.
inline std::string startup_object() {
    formats::testing::ObjBuilder builder;
    builder.section("code", 0).segment("text", {0xEA, 0x60, 0xEA, 0xEA, 0x60});
    builder.procedure("reset", 0, 2).procedure("farcall", 2, 5).make_public("reset").make_public("farcall");
    return builder.bytes();
}

// A library of the given {member name, object bytes}, as Vostrel writes it.
inline std::string library_of(const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<LibraryInput> inputs;
    for (const auto& [name, bytes] : members)
        inputs.push_back({name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}});
    auto library = build_library(inputs);
    return {library.begin(), library.end()};
}

}  // namespace linker::testing
