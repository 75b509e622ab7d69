// Three sources that together use the whole language, assembled by the
// Dravlin program as the IDE runs it; their object and debug-symbol dumps
// must equal reviewed goldens, and the line records are checked one by one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/byte_reader.h"
#include "linker/mossrel.h"
#include "linker/object_module.h"
#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"
#include "tools/objdump/obj_dump.h"
#include "tools/objdump/sym_dump.h"

namespace {

namespace fs = std::filesystem;

struct Assembled {
    int exit_code = -1;
    std::string messages;
    std::string object;
    std::string symbols;
};

// Copies a fixture folder and runs Dravlin on `source` there.
Assembled assemble_fixture(const std::string& fixture, const std::string& source, std::vector<std::string> options) {
    testing_kit::TempDir dir;
    fs::copy(testing_kit::source_path("assembler/tests/fixtures/" + fixture), dir.path(), fs::copy_options::recursive);
    std::vector<std::string> argv{testing_kit::program_path("Dravlin").string(), source};
    argv.insert(argv.end(), options.begin(), options.end());
    os::SpawnOptions spawn;
    spawn.argv = argv;
    spawn.working_directory = dir.path();
    spawn.out = os::Stream::to_file(dir / "stdout");
    auto process = os::Process::spawn(spawn);
    EXPECT_TRUE(process) << process.error().text;
    if (!process) return {};
    Assembled result;
    result.exit_code = process->wait().code;
    result.messages = testing_kit::read_file(dir / "output.msg");
    std::string base = source.substr(0, source.rfind('.'));
    if (fs::exists(dir / (base + ".obj"))) result.object = testing_kit::read_file(dir / (base + ".obj"));
    if (fs::exists(dir / (base + ".sym"))) result.symbols = testing_kit::read_file(dir / (base + ".sym"));
    return result;
}

std::string dump(const Assembled& assembled) {
    return objdump::dump_object(formats::ByteReader(assembled.object)) + "--- .sym\n" +
           objdump::dump_symbols(formats::ByteReader(assembled.symbols));
}

void expect_sound(const Assembled& assembled) {
    ASSERT_EQ(assembled.exit_code, 0) << assembled.messages;
    EXPECT_EQ(assembled.messages, "");
    EXPECT_EQ(objdump::check_object(formats::ByteReader(assembled.object)), std::nullopt);
    EXPECT_EQ(objdump::check_symbols(formats::ByteReader(assembled.symbols)), std::nullopt);
}

struct Line {
    uint32_t file;
    uint32_t line;
    uint16_t start;
    uint16_t end;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << "{" << line.file << ", " << line.line << ", " << line.start << "-" << line.end << "}";
}

std::vector<Line> line_records(const std::string& object) {
    formats::ByteReader file(object);
    auto header = *file.record<formats::ObjFileHeader>(0);
    std::vector<Line> lines;
    for (uint32_t i = 0; i < header.line_count; ++i) {
        auto record = *file.table_entry<formats::ObjLineRecord>(header.lines_offset, header.line_count, i);
        lines.push_back({formats::line_file_index(record.file_and_line), formats::line_number(record.file_and_line),
                         record.start_offset, record.end_offset});
    }
    return lines;
}

TEST(AsmFixtures, ProgramWithIncludesMacrosAndStructures) {
    Assembled program = assemble_fixture("program", "main.asm", {"-I", "inc/"});
    expect_sound(program);
    EXPECT_TRUE(testing_kit::matches_golden("assembler/tests/golden/program.txt", dump(program)));
    // Every line that made code has its record, under the file that holds it;
    // a macro call's line holds its whole expansion.
    std::vector<Line> lines = line_records(program.object);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], (Line{0, 13, 0, 2}));    // LDA #SCREEN_W
    EXPECT_EQ(lines[4], (Line{0, 17, 10, 24}));  // add16 frame_count, 1: 14 bytes
    EXPECT_EQ(lines[5], (Line{0, 18, 24, 32}));  // loop: wait 10
}

TEST(AsmFixtures, LibraryWithNestedStructures) {
    Assembled library = assemble_fixture("library", "lib.asm", {});
    expect_sound(library);
    EXPECT_TRUE(testing_kit::matches_golden("assembler/tests/golden/library.txt", dump(library)));
    // The publics the program takes by EXTERN are there.
    linker::ObjectModule module = linker::read_object_module(formats::ByteReader(library.object));
    std::vector<std::string> publics;
    for (uint16_t row : module.public_rows) publics.emplace_back(module.symbols[row].name);
    EXPECT_EQ(publics, (std::vector<std::string>{"draw_rect", "frame_count", "palette", "lookup"}));
}

TEST(AsmFixtures, CompilerOutputWithCodeLines) {
    Assembled module = assemble_fixture("c_output", "module.asm", {"-C"});
    expect_sound(module);
    EXPECT_TRUE(testing_kit::matches_golden("assembler/tests/golden/c_output.txt", dump(module)));
    // Each mark closes the code since the segment's previous mark; each
    // file's records are sorted by line, the C files first in the list.
    EXPECT_EQ(line_records(module.object),
              (std::vector<Line>{
                  {0, 3, 0, 5}, {0, 4, 5, 12}, {0, 4, 18, 21}, {0, 5, 12, 15}, {0, 7, 21, 22}, {1, 2, 15, 18}}));
}

TEST(AsmFixtures, ProgramLibraryAndStartupLink) {
    // The three objects through the linker: every EXTERN of the program
    // meets a PUBLIC of the library or the startup object.
    testing_kit::TempDir dir;
    const std::pair<const char*, Assembled> objects[] = {
        {"reset.obj", assemble_fixture("startup", "reset.asm", {})},
        {"main.obj", assemble_fixture("program", "main.asm", {"-I", "inc/"})},
        {"lib.obj", assemble_fixture("library", "lib.asm", {})},
    };
    for (const auto& [name, assembled] : objects) {
        ASSERT_EQ(assembled.exit_code, 0) << name << "\n" << assembled.messages;
        dir.write(std::string("debug/") + name, assembled.object);
    }
    std::string printed;
    linker::Console console{[&printed](std::string_view text) { printed += text; },
                            [&printed](std::string_view text) { printed += text; }};
    testing_kit::ScopedCwd cwd(dir.path());
    int code = linker::run_mossrel({"/OBJPATH", "debug\\", "/OBJS", "reset.obj", "main.obj", "lib.obj", "/LIBS",
                                    "/NAME", "Demo", "/OUT", "debug\\game.lke"},
                                   console);
    EXPECT_EQ(code, 0) << printed << testing_kit::read_file(dir / "output.msg");
    EXPECT_TRUE(fs::exists(dir / "debug/GAME.LKE"));
}

}  // namespace
