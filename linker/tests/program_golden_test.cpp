// A program of several Dravlin-assembled objects in two banks, the kit's
// start-up object, a library made by Vostrel and the kit library, linked as
// the IDE links it. The image and map must equal the reviewed golden, and an
// outside disassembler (da65) must see every call across banks land, through
// farcall and the export tables, on the procedure it names.
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/byte_reader.h"
#include "formats/image_file.h"
#include "linker/dump.h"
#include "linker/tests/golden_program.h"

namespace linker {
namespace {

namespace fs = std::filesystem;
using testing::link_golden_program;
using testing::LinkedProgram;

TEST(ProgramGolden, ImageAndDebugMapMatchTheReviewedDump) {
    LinkedProgram program;
    link_golden_program(program);
    if (HasFatalFailure()) return;
    const auto image = program.fixture.image();
    const auto map = program.fixture.debug_map();
    const auto library = testing_kit::read_file(program.fixture.dir() / "debug/UTIL.LIB");
    const auto dump = dump_image(formats::ByteReader(image)) + dump_debug_map(formats::ByteReader(map)) +
                      dump_library(formats::ByteReader(library));
    EXPECT_TRUE(testing_kit::matches_golden("linker/tests/golden/program.txt", dump));
}

std::string hex4(std::uint32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

// da65's listing of `code` at `address`, with the two bytes behind each known
// far-call record marked as data so the listing stays in step.
std::string disassemble(const fs::path& folder, const std::string& code, std::uint32_t address,
                        const std::vector<std::uint32_t>& records) {
    std::ofstream(folder / "bank.bin", std::ios::binary) << code;
    std::ofstream info(folder / "bank.info");
    for (auto at : records)
        info << "RANGE { START $" << hex4(at) << "; END $" << hex4(at + 1) << "; TYPE ByteTable; };\n";
    info.close();
    const auto command = "da65 --comments 4 --start-addr " + std::to_string(address) + " -i " +
                         (folder / "bank.info").string() + " -o " + (folder / "bank.s").string() + " " +
                         (folder / "bank.bin").string();
    if (std::system(command.c_str()) != 0) return {};
    return testing_kit::read_file(folder / "bank.s");
}

struct JsrSite {
    std::uint32_t address;
    std::uint32_t target;
};

// Every "jsr" of a listing, by the address and bytes da65 prints beside it.
std::vector<JsrSite> jsr_sites(const std::string& listing) {
    std::vector<JsrSite> sites;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" jsr ") == std::string::npos) continue;
        unsigned address = 0, opcode = 0, low = 0, high = 0;
        if (std::sscanf(line.c_str() + line.find(';'), "; %x %x %x %x", &address, &opcode, &low, &high) == 4)
            sites.push_back({address, low | high << 8});
    }
    return sites;
}

TEST(ProgramGolden, EveryCallAcrossBanksReachesItsProcedureThroughFarcall) {
    if (std::system("da65 --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "da65 (cc65) is not installed";
    LinkedProgram program;
    link_golden_program(program);
    if (HasFatalFailure()) return;
    const auto image = program.fixture.image();
    const formats::ByteReader bytes(image);
    const auto table = *bytes.record<formats::ImageBankTable>(0);
    const auto head = *bytes.record<formats::ImageFileHead>(formats::kImageBank0Offset);

    // Where procedures begin, from the debug map: each named one opens the
    // first segment of its object; farcall opens reset.obj's init_data.
    const auto map_file = program.fixture.debug_map();
    const formats::ByteReader map(map_file);
    auto segment_start = [&](std::uint32_t object_index, std::uint32_t section, std::uint32_t segment) {
        const auto object = *map.record<formats::DebObjectEntry>(8 + 12 * object_index);
        const auto entry = *map.record<formats::DebSectionEntry>(object.first_section_offset + 8 * section);
        return std::uint32_t(
            map.record<formats::DebSegmentEntry>(entry.first_segment_offset + 6 * segment)->start_address);
    };
    const std::uint32_t farcall = segment_start(5, 1, 1);
    const std::map<std::string, std::uint32_t> procedure_bank = {{"draw", 1}, {"beep", 0}};
    const std::map<std::string, std::uint32_t> object_of = {{"draw", 3}, {"beep", 1}};
    auto start_of = [&](const std::string& procedure) { return segment_start(object_of.at(procedure), 0, 0); };

    // Bank 0 calls draw (bank 1); bank 1 calls beep (bank 0).
    const std::map<int, std::string> expected_far_call = {{0, "draw"}, {1, "beep"}};
    for (const auto& [bank, callee] : expected_far_call) {
        SCOPED_TRACE("bank " + std::to_string(bank));
        const formats::ImageBankEntry entry = table.banks[bank];
        const auto window = *bytes.slice(entry.file_offset, entry.length);
        const std::uint32_t code_start = formats::kBankExportTableSize + (bank == 0 ? head.init_data_length : 0);
        const auto code = *window.slice(code_start, entry.length - code_start);
        const std::string code_bytes(reinterpret_cast<const char*>(code.bytes().data()), code.size());

        // Mark far-call records one by one until the listing finds no new one.
        std::vector<std::uint32_t> records;
        std::vector<JsrSite> far_calls;
        for (;;) {
            const auto listing =
                disassemble(program.fixture.dir().path(), code_bytes, formats::kBankWindowBase + code_start, records);
            ASSERT_FALSE(listing.empty());
            far_calls.clear();
            for (const auto& site : jsr_sites(listing))
                if (site.target == farcall) far_calls.push_back(site);
            if (far_calls.size() == records.size()) break;
            records.push_back(far_calls[records.size()].address + 3);
        }
        ASSERT_EQ(far_calls.size(), 1u);
        const auto record = far_calls[0].address + 3 - formats::kBankWindowBase;
        const auto target_bank = *window.u8(record);
        const auto slot = *window.u8(record + 1);
        EXPECT_EQ(target_bank, procedure_bank.at(callee));
        const formats::ImageBankEntry target = table.banks[target_bank];
        const auto entry_value = *bytes.u16(target.file_offset + 2u * slot);
        EXPECT_EQ(entry_value, start_of(callee)) << callee;
    }
}

}  // namespace
}  // namespace linker
