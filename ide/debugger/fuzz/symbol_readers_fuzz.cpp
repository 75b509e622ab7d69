// Feeds arbitrary bytes to every reader of the debug files: as a C symbol
// file (also through the evaluator, which walks its scopes and types), as a
// debug map and as an object. None may read outside the bytes or loop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ide/debugger/csy_file.h"
#include "ide/debugger/debug_files.h"
#include "ide/debugger/formular.h"
#include "ide/debugger/testing/target_fixture.h"
#include "platform/os/file.h"

namespace {

const std::string& scratch_folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/csy-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        std::string out = made ? std::string(made) + "/" : std::string("/tmp/");
        std::filesystem::create_directories(out + "debug");
        return out;
    }();
    return folder;
}

void read_as_csy(const formats::ByteReader& bytes) {
    const ide::CsyFile csy(bytes);
    csy.locate("/p/prog.c", 0x4000);
    csy.find_struct("S");
    for (std::uint32_t row = 0; row < 64; ++row) {
        auto scope = csy.scope(row);
        if (!scope) break;
        for (std::uint32_t i = 0; i < 64; ++i) {
            auto symbol = csy.symbol(*scope, i);
            if (!symbol) break;
            csy.name(symbol->name_offset);
            csy.type(symbol->type_row);
        }
    }
}

void read_as_debug_map(const formats::ByteReader& bytes) {
    const ide::DebugMap map(bytes);
    map.find_segment(0x4000, [](std::uint8_t) { return true; });
    if (auto index = map.find_object("/P/DEBUG/PROG.OBJ")) {
        if (auto object = map.object(*index)) map.segment(*object, 0, 0);
    }
}

void read_as_object(const formats::ByteReader& bytes) {
    auto object = ide::ObjectDebugInfo::read(bytes);
    if (!object) return;
    object->find_source_file("/p/main.asm");
    for (std::uint32_t i = 0; i < object->header().line_count; ++i) {
        if (!object->line(i)) break;
    }
    for (std::uint32_t i = 0; i < object->header().public_count; ++i) {
        auto entry = object->public_entry(i);
        if (!entry) break;
        object->pool_string(entry->name_offset);
        object->symbol(entry->symbol_row);
    }
    object->procedure(0);
}

void evaluate_over(const std::uint8_t* data, std::size_t size) {
    static ide::testing::TargetFixture target;
    static const ide::TargetMemory memory({target.eram, target.rom});
    const std::string& folder = scratch_folder();
    if (!os::write_file(folder + "debug/prog.csy", std::string_view(reinterpret_cast<const char*>(data), size))) return;
    const std::string modules[] = {"prog"};
    ide::CFormular formular(ide::EvalContext{&memory, {folder, "game", modules}, 0x4000});
    formular.InitCsym("prog");
    for (const char* expression : {"a.b[1]", "p->next->x + *q", "(S*)3", "sizeof(v) + w++"}) {
        const ide::DisplayItem item = formular.Evaluate(expression);
        (void)item;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const formats::ByteReader bytes(data, size);
    read_as_csy(bytes);
    read_as_debug_map(bytes);
    read_as_object(bytes);
    evaluate_over(data, size);
    return 0;
}
