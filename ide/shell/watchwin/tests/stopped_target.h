#pragma once
// A stopped target in a small C module: its .csy made by the symbol-file
// writer, locals in the frame at 0x0400. Used by the tests and the benchmark.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ide/debugger/target_memory.h"
#include "ide/debugger/testing/target_fixture.h"
#include "ide/shell/watchwin/stop_scope.h"
#include "testing/temp_dir.h"
#include "tools/mkcsy/csy_writer.h"

namespace watchwin_test {

// count (int) at 0x0400, pos (struct point {x, y}) at 0x0402, arr (int[3]) at
// 0x0406, p (int*) at 0x040C, node (struct link {value, next}) at 0x040E.
constexpr const char* kModule = R"(
    module PROJECT/prog.c
    function 0x4000 0x40FF body
    scope file 3 -
    scope body 4 file
    symbol count 4 int 0
    symbol pos 4 tpoint 2
    symbol arr 4 arr3 6
    symbol p 4 pint 12
    symbol node 4 tlink 14
    type int 4 -
    type tpoint 9 - point
    type arr3 12 int 6
    type pint 7 int
    type tlink 9 - link
    type plink 7 tlink
    struct point point 4
    member x int 0
    member y int 2
    struct link link 4
    member value int 0
    member next plink 2
)";

class StoppedTarget {
public:
    StoppedTarget() {
        folder = dir.path().string() + "/";
        std::string description = kModule;
        description.replace(description.find("PROJECT"), 7, dir.path().string());
        std::string error;
        const std::string csy = mkcsy::build_csy(description, &error);
        if (csy.empty()) throw std::runtime_error("the test module's symbols: " + error);
        dir.write("debug/prog.csy", csy);
        poke16(0x40, 0x0400);
        poke16(0x0400, 5);
        poke16(0x0402, 10);
        poke16(0x0404, 20);
        poke16(0x0406, 1);
        poke16(0x0408, 2);
        poke16(0x040A, 3);
        poke16(0x040C, 0x0400);
        poke16(0x040E, 7);
        poke16(0x0410, 0x040E);  // node.next points at node itself
    }

    void poke16(std::uint16_t address, std::uint16_t value) {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        target.poke(address, bytes);
    }
    std::uint16_t peek16(std::uint16_t address) const {
        return static_cast<std::uint16_t>(memory.read_word(address).value_or(0xDEAD));
    }
    StopScope scope(const char* module = "prog") const {
        return StopScope{ide::EvalContext{&memory, {folder, "game", modules}, 0x4010}, module};
    }
    StopScopeSource source() {
        return [this] { return scope(module.c_str()); };
    }

    testing_kit::TempDir dir;
    std::string folder;
    std::string module = "prog";
    std::vector<std::string> modules = {"prog"};
    ide::testing::TargetFixture target;
    ide::TargetMemory memory{ide::TargetViews{target.eram, target.rom}};
};

}  // namespace watchwin_test
