#pragma once
// Comparing the fast interpreter with the checked one after the same
// instruction from the same state, minus the differences that are by design.
#include <cstdint>
#include <optional>
#include <string>

#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {

// What an instruction's outcome depends on from before it ran.
struct InstructionStart {
    std::optional<std::uint8_t> opcode;  // none when PC points at unbacked memory
    std::uint8_t p = 0;
};
InstructionStart StartOf(const MachineFixture& machine);

// Where the interpreters differ by design: any check the checked one makes
// (it raised an exception), decimal ADC (the fast one adds whole high
// nibbles, which differs for digits above 9), and reads of $0C.
bool DiffersByDesign(const InstructionStart& start, const MachineFixture& checked);

// The first way the two machines differ (registers, cycle count, internal RAM,
// I/O latches), or an empty text when they agree.
std::string Disagreement(const MachineFixture& checked, const MachineFixture& fast);

}  // namespace simcpu::testing
