#pragma once
// A small assembled program with its debug files in a scratch project folder,
// and a target whose flash holds its code.
//
//   main.asm (file 0), section 0 in bank 1 at 0x4000, procedure 0x4000-0x4008:
//     10: 4000 JSR $4020        11: 4003 BNE $4003 (loops on itself)
//     12: 4005 BEQ $4000        13: (blank)            14: 4007 RTS
//     20: 4020 LDA #1           21: 4022 RTS           (procedure 0x4020-0x4023)
//   section 1 in the fixed area at 0x2000, procedure 0x2000-0x2010:
//     30: 2000 JMP $2010
//   inc.asm (file 1) has no line records.
#include <memory>
#include <string>

#include "ide/debugger/debug_target.h"
#include "ide/debugger/testing/debug_files_writer.h"
#include "ide/debugger/testing/target_fixture.h"
#include "testing/temp_dir.h"

namespace ide::testing {

inline constexpr std::uint16_t kSlot = 2;
inline constexpr std::uint8_t kProgramBank = 1;
inline constexpr std::uint8_t kDeviceBank = kProgramBank + kSlot;

class DebugProject {
public:
    DebugProject() {
        folder = dir.path().string() + "/";
        main_source = folder + "main.asm";
        write_files(make_object(), make_map());
        const std::uint8_t main_code[] = {0x20, 0x20, 0x40, 0xD0, 0xFE, 0xF0, 0xF9, 0x60};
        const std::uint8_t sub_code[] = {0xA9, 0x01, 0x60};
        const std::uint8_t fixed_code[] = {0x4C, 0x10, 0x20};
        target.poke(0x4000, main_code);
        target.poke(0x4020, sub_code);
        target.poke(0x2000, fixed_code);
        target.set_bank(kDeviceBank);
    }

    ObjectContents make_object() const {
        ObjectContents object;
        object.sources = {main_source, folder + "inc.asm"};
        object.lines = {{0, 10, 0, 0, 0x00, 0x03}, {0, 11, 0, 0, 0x03, 0x05}, {0, 12, 0, 0, 0x05, 0x07},
                        {0, 14, 0, 0, 0x07, 0x08}, {0, 20, 0, 0, 0x20, 0x22}, {0, 21, 0, 0, 0x22, 0x23},
                        {0, 30, 1, 0, 0x00, 0x03}};
        object.procedures = {{0, 0, 0x00, 0x08}, {0, 0, 0x20, 0x23}, {1, 0, 0x00, 0x10}};
        return object;
    }
    DebugMapContents make_map() const {
        return DebugMapContents{{{object_path(), {{{kProgramBank, 0, 0x4000, 0x4100}}, {{0, 0, 0x2000, 0x2100}}}}}};
    }
    void write_files(const ObjectContents& object, const DebugMapContents& map) const {
        dir.write("debug/main.obj", write_obj(object));
        dir.write("debug/game.deb", write_deb(map));
    }
    std::string object_path() const { return folder + "debug/main.obj"; }

    // A session over the fixture, stopped at `pc`.
    std::unique_ptr<CDebugTarget> session() {
        return std::make_unique<CDebugTarget>(TargetViews{target.eram, target.rom}, folder, "game", kSlot, 1);
    }
    std::unique_ptr<CDebugTarget> stopped_at(std::uint16_t pc, int* located = nullptr) {
        target.set_pc(pc);
        auto made = session();
        const int result = made->LocateStop();
        if (located) *located = result;
        return made;
    }

    testing_kit::TempDir dir;
    std::string folder;
    std::string main_source;
    TargetFixture target;
};

}  // namespace ide::testing
