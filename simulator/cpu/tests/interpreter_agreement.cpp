#include "simulator/cpu/tests/interpreter_agreement.h"

#include <cstring>
#include <sstream>
#include <tuple>

#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/opcode_table.h"

namespace simcpu::testing {

InstructionStart StartOf(const MachineFixture& machine) {
    const formats::TargetRegisterBlock& r = machine.core.regs();
    const Place place = MapAddress(machine.core, r.pc);
    InstructionStart start;
    if (place.at) start.opcode = *place.at;
    start.p = r.p;
    return start;
}

bool DiffersByDesign(const InstructionStart& start, const MachineFixture& checked) {
    if (!checked.exceptions.empty() || !start.opcode) return true;
    const OpcodeInfo info = OpcodeTable()[*start.opcode];
    const bool decimal = (start.p & formats::RegisterP::kD) && info.op() == Op::ADC;
    return decimal || checked.core.operandAddress == 0x0C;
}

std::string Disagreement(const MachineFixture& checked, const MachineFixture& fast) {
    const formats::TargetRegisterBlock& c = checked.core.regs();
    const formats::TargetRegisterBlock& f = fast.core.regs();
    std::ostringstream out;
    auto registers = [](std::ostream& to, const formats::TargetRegisterBlock& r) {
        to << std::hex << "pc=" << r.pc << " p=" << int(r.p) << " s=" << int(r.s) << " a=" << int(r.a)
           << " x=" << int(r.x) << " y=" << int(r.y);
    };
    if (std::tie(c.pc, c.p, c.s, c.a, c.x, c.y) != std::tie(f.pc, f.p, f.s, f.a, f.x, f.y)) {
        out << "registers: checked ";
        registers(out, c);
        out << ", fast ";
        registers(out, f);
    } else if (checked.core.cycleCount != fast.core.cycleCount) {
        out << "cycles: checked " << checked.core.cycleCount << ", fast " << fast.core.cycleCount;
    } else if (std::memcmp(checked.core.internalRam, fast.core.internalRam, checked.core.internalRamSize) != 0) {
        std::uint32_t at = 0;
        while (checked.core.internalRam[at] == fast.core.internalRam[at]) ++at;
        out << std::hex << "internal RAM at " << at << ": checked " << int(checked.core.internalRam[at]) << ", fast "
            << int(fast.core.internalRam[at]);
    } else if (std::memcmp(checked.core.block->write_latches, fast.core.block->write_latches, 0x80) != 0) {
        int reg = 0;
        while (checked.core.block->write_latches[reg] == fast.core.block->write_latches[reg]) ++reg;
        out << std::hex << "I/O latch " << reg << ": checked " << int(checked.core.block->write_latches[reg])
            << ", fast " << int(fast.core.block->write_latches[reg]);
    }
    return out.str();
}

}  // namespace simcpu::testing
