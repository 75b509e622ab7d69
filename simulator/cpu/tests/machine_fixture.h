#pragma once
// A small machine for tests: RAM and ROM images built from bytes, a host that
// records what the core asks of it and answers from a script.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "simulator/cpu/checked_step.h"
#include "simulator/cpu/core_host.h"
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/machine_init.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu::testing {

struct MachineOptions {
    std::uint32_t internalRam = 0x4000;
    std::uint32_t externalRam = 0x80000;
    std::uint32_t rom = 0x8000;
    std::uint32_t lcdWidth = 0;
    std::uint32_t lcdHeight = 0;
    // Pages 0-7 all show internal RAM (64 KB of it): any address is plain memory.
    bool flatRam = false;
};

struct RaisedException {
    std::uint16_t address;
    int code;
    bool operator==(const RaisedException&) const = default;
};

class MachineFixture : public CoreHost {
public:
    explicit MachineFixture(MachineOptions options = {});

    KernelCore core;
    std::vector<std::uint8_t> ram;  // the RAM image: block, internal RAM, external RAM
    std::vector<std::uint8_t> rom;
    std::vector<std::uint8_t> lcdBitmap;
    std::vector<std::uint8_t> icons;

    // Host script and record.
    ExceptionAnswer exceptionAnswer = ExceptionAnswer::Continue;
    bool resumeAfterStop = true;
    std::vector<RaisedException> exceptions;
    std::vector<std::uint32_t> stops;
    std::vector<std::uint16_t> stopPcs;  // PC at each stop notice
    std::vector<unsigned> paints;
    int queueWaits = 0;

    formats::TargetRegisterBlock& regs() { return core.regs(); }
    formats::TargetControlBlock& block() { return *core.block; }

    // Writes bytes at CPU addresses through the current map, whatever the rights.
    void Poke(std::uint16_t address, std::initializer_list<std::uint8_t> bytes);
    void Poke(std::uint16_t address, const std::vector<std::uint8_t>& bytes);
    std::uint8_t Peek(std::uint16_t address) const;

    // Places code at `address` and points PC at it.
    void Load(std::uint16_t address, std::initializer_list<std::uint8_t> code);

    // One step inside a run.
    StepOutcome StepOnce();
    // Steps until PC is `address` or `limit` steps have run; true when reached.
    bool RunUntil(std::uint16_t address, int limit);

    // Chooses the interpreter that Run() hands the run to.
    void UseFast(bool fast);
    // Runs the machine until at least `cycles` more cycles are counted (or the
    // run ends otherwise). The stop notice of the bound itself is not recorded.
    RunResult RunCycles(std::uint64_t cycles);
    // Puts a ROM byte at CPU address $8000-$FFFF (the reset mapping's ROM).
    void PokeRom(std::uint16_t address, std::initializer_list<std::uint8_t> bytes);

    // Writes an I/O register as a store instruction would, with its side effects.
    void WriteIo(std::uint8_t reg, std::uint8_t value);

    bool PostStop(std::uint32_t code) override;
    ExceptionAnswer AskException(std::uint16_t address, int code) override;
    void PaintLcd(unsigned flags) override;
    void QueueWait() override;
};

}  // namespace simcpu::testing
