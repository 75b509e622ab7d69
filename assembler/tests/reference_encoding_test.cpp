// Every mnemonic and addressing mode of the opcode table, encoded by Dravlin
// and by Debian's xa65 from the same instructions with numeric operands.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assembler/encoder.h"
#include "assembler/keyword_tables.h"
#include "assembler/opcode_table.h"
#include "platform/os/process.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace dravlin;

struct Instruction {
    std::string mnemonic;
    std::string ours;       // operand as Dravlin reads it
    std::string reference;  // operand as xa65 reads it
};

std::string hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "$%02X", value);
    return text;
}

// One instruction per documented pair; `location` is where the first one
// lands, so that branch targets stay in reach.
std::vector<Instruction> every_pair() {
    static const char* const kOperands[kColumnCount] = {"",      "#$12",    "$12",     "$12,X",   "$12,Y",
                                                        "$1234", "$1234,X", "$1234,Y", "($12,X)", "($12),Y"};
    std::vector<Instruction> list;
    int location = 0;
    for (size_t m = 1; m < mnemonics().size(); ++m) {
        std::string name(mnemonics()[m]);
        const OpcodeRow& row = opcode_row(static_cast<int>(m));
        if (row.group == InstructionGroup::Jump) {
            list.push_back({name, "$1234", "$1234"});
            list.push_back({name, "($1234)", "($1234)"});
            location += 6;
            continue;
        }
        for (int column = 0; column < kColumnCount; ++column) {
            if (row.codes[column] == kNoOpcode) continue;
            Instruction instruction{name, kOperands[column], kOperands[column]};
            if (row.group == InstructionGroup::Branch) {
                instruction.ours = instruction.reference = hex(location + 0x20);
            } else if (row.group == InstructionGroup::General && column == kColumnImplied) {
                instruction.ours = "A";  // the accumulator; xa65 writes it bare
            }
            location += column == kColumnImplied ? (row.group == InstructionGroup::Branch ? 2 : 1)
                        : column >= kColumnAbsolute && column <= kColumnAbsoluteY ? 3
                                                                                  : 2;
            list.push_back(instruction);
        }
    }
    return list;
}

std::vector<uint8_t> assemble_ours(const std::vector<Instruction>& list, std::vector<size_t>& starts) {
    AsmContext context;
    context.state.segment_open = true;
    context.state.section = 0;
    context.state.segment = 0;
    std::vector<uint8_t> bytes;
    for (const Instruction& instruction : list) {
        int mnemonic = find_keyword(mnemonics(), instruction.mnemonic);
        EncodedInstruction encoded = encode_instruction(context, mnemonic, instruction.ours, true);
        EXPECT_EQ(encoded.error, 0) << instruction.mnemonic << ' ' << instruction.ours;
        starts.push_back(bytes.size());
        bytes.insert(bytes.end(), encoded.bytes.begin(), encoded.bytes.begin() + encoded.size);
        context.state.location_counter += encoded.size;
    }
    return bytes;
}

fs::path find_reference() {
    for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        fs::path candidate = fs::path(folder) / "xa";
        if (fs::exists(candidate)) return candidate;
    }
    return {};
}

TEST(AsmReferenceEncoding, EveryPairMatchesXa65) {
    std::vector<Instruction> list = every_pair();
    EXPECT_EQ(list.size(), 151u);

    fs::path xa = find_reference();
    if (xa.empty()) GTEST_SKIP() << "xa65 (Debian package xa65) is not installed; run scripts/setup";

    testing_kit::TempDir dir;
    std::string source = "* = $0000\n";
    for (const Instruction& instruction : list)
        source += " " + instruction.mnemonic + " " + instruction.reference + "\n";
    dir.write("pairs.s", source);
    os::SpawnOptions options;
    options.argv = {xa.string(), "-o", (dir / "pairs.bin").string(), (dir / "pairs.s").string()};
    options.out = os::Stream::to_file(dir / "xa.log");
    options.err = os::Stream::to_file(dir / "xa.log", true);
    auto process = os::Process::spawn(options);
    ASSERT_TRUE(process) << process.error().text;
    ASSERT_TRUE(process->wait().succeeded()) << testing_kit::read_file(dir / "xa.log");

    std::string reference = testing_kit::read_file(dir / "pairs.bin");
    std::vector<size_t> starts;
    std::vector<uint8_t> ours = assemble_ours(list, starts);
    ASSERT_EQ(ours.size(), reference.size());
    for (size_t i = 0; i < list.size(); ++i) {
        size_t end = i + 1 < list.size() ? starts[i + 1] : ours.size();
        std::vector<uint8_t> expected(reference.begin() + static_cast<long>(starts[i]),
                                      reference.begin() + static_cast<long>(end));
        std::vector<uint8_t> actual(ours.begin() + static_cast<long>(starts[i]), ours.begin() + static_cast<long>(end));
        EXPECT_EQ(actual, expected) << list[i].mnemonic << ' ' << list[i].ours;
    }
}

}  // namespace
