#include "tools/simrun/report.h"

#include <cstdio>

#include "simulator/cpu/memory_map.h"

namespace simrun {

std::string RegisterLine(const simcpu::KernelCore& core) {
    const formats::TargetRegisterBlock& r = core.regs();
    char line[128];
    std::snprintf(line, sizeof line, "PC=%04X P=%02X S=%02X A=%02X X=%02X Y=%02X cycles=%llu\n", r.pc, r.p, r.s, r.a,
                  r.x, r.y, static_cast<unsigned long long>(core.cycleCount));
    return line;
}

std::string MemoryLines(const simcpu::KernelCore& core, const MemoryDump& dump) {
    std::string text;
    for (std::uint32_t i = 0; i < dump.length; ++i) {
        std::uint32_t address = dump.address + i;
        if (address > 0xFFFF) break;
        char cell[8];
        if (i % 16 == 0) {
            std::snprintf(cell, sizeof cell, "%04X:", address);
            text += cell;
        }
        const std::uint8_t* at = simcpu::MapPlain(core, static_cast<std::uint16_t>(address));
        if (at) {
            std::snprintf(cell, sizeof cell, " %02X", *at);
        } else {
            std::snprintf(cell, sizeof cell, " --");
        }
        text += cell;
        if (i % 16 == 15 || i + 1 == dump.length || address == 0xFFFF) text += "\n";
    }
    return text;
}

}  // namespace simrun
