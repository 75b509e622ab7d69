#include "simulator/cpu/checked_step.h"

#include <array>

#include "simulator/cpu/alu.h"
#include "simulator/cpu/breakpoints.h"
#include "simulator/cpu/download_traps.h"
#include "simulator/cpu/flash.h"
#include "simulator/cpu/io_registers.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/opcode_dispatch.h"
#include "simulator/cpu/opcode_table_data.h"
#include "simulator/cpu/queue_opcodes.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/stack.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr std::uint8_t kRunFlagsOfStep =
    RunFlag::kIoReadModifyWrite | RunFlag::kAccessRefused | RunFlag::kMemoryOperand | RunFlag::kFlashStore;

// The instruction being executed.
struct Instruction {
    std::array<std::uint8_t, 3> bytes{};
    std::uint16_t pc = 0;                // its address
    std::uint16_t address = 0;           // memory operand, or jump target
    const std::uint8_t* read = nullptr;  // where the operand is read from
    std::uint8_t* write = nullptr;       // where a store goes
    Place place;                         // the operand's mapped place

    std::uint16_t word() const { return static_cast<std::uint16_t>(bytes[1] | bytes[2] << 8); }
    bool memory() const { return read || write; }
};

// A byte read for addressing (a pointer, or an instruction byte); a refused
// read gives $FF.
std::uint8_t AddressingByte(KernelCore& core, std::uint32_t address) {
    Place place = MapAddress(core, static_cast<std::uint16_t>(address));
    if (!place.readable()) {
        RaiseException(core, static_cast<std::uint16_t>(address), 1);
        return 0xFF;
    }
    return *place.at;
}

// An instruction byte in another area than its opcode's.
std::uint8_t FetchStraddling(KernelCore& core, std::uint32_t address) {
    if (address > 0xFFFF) {
        RaiseException(core, 0, 4);
        return 0xFF;
    }
    return AddressingByte(core, address);
}

std::uint16_t PointerWord(KernelCore& core, std::uint32_t address) {
    std::uint8_t low = AddressingByte(core, address);
    return static_cast<std::uint16_t>(low | AddressingByte(core, address + 1) << 8);
}

// Records and maps a memory operand and checks the rights it needs.
[[gnu::always_inline]] inline Place CheckOperand(KernelCore& core, std::uint16_t address, std::uint8_t access) {
    TargetRegisterBlock& r = core.regs();
    core.operandAddress = address;
    r.run_flags |= RunFlag::kMemoryOperand;
    Place place = MapOperand(core, address);
    if ((access & kAccessRead) && !place.readable()) {
        r.run_flags |= RunFlag::kAccessRefused;
        RaiseException(core, address, 1);
    } else if ((access & kAccessWrite) && !place.writable()) {
        r.run_flags |= RunFlag::kAccessRefused;
        RaiseException(core, address, 2);
    }
    return place;
}

std::uint8_t CheckedByte(KernelCore& core, std::uint16_t address) {
    Place place = CheckOperand(core, address, kAccessRead);
    return place.readable() ? *place.at : 0xFF;
}

template <std::uint8_t Opcode>
[[gnu::always_inline]] inline void AddPageCross(KernelCore& core, std::uint16_t base, std::uint16_t address) {
    if (kOpcodeTable[Opcode].pageCrossCycle() && (base & 0xFF00) != (address & 0xFF00)) ++core.cycles;
}

// JMP (abs): no page wrap of the pointer; a pointer split over two areas is
// read a byte at a time, high byte first.
std::uint16_t IndirectTarget(KernelCore& core, Instruction& in) {
    std::uint16_t pointer = in.word();
    if (pointer == 0xFFFF) RaiseException(core, 0, 4);
    if (MapAddress(core, pointer).run >= 2) {
        in.place = CheckOperand(core, pointer, kAccessRead);
        if (!in.place.readable()) return 0xFFFF;
        return static_cast<std::uint16_t>(in.place.at[0] | in.place.at[1] << 8);
    }
    std::uint8_t high = CheckedByte(core, static_cast<std::uint16_t>(pointer + 1));
    std::uint8_t low = CheckedByte(core, pointer);
    in.place = MapAddress(core, pointer);
    return static_cast<std::uint16_t>(low | high << 8);
}

// Works out the operand's address per the mode and checks it. Returns false
// for the modes without a memory operand.
template <std::uint8_t Opcode>
[[gnu::always_inline]] inline bool ResolveAddress(KernelCore& core, Instruction& in) {
    constexpr OpcodeInfo info = kOpcodeTable[Opcode];
    const TargetRegisterBlock& r = core.regs();
    constexpr std::uint8_t access = info.access();
    std::uint8_t zp = in.bytes[1];
    std::uint32_t address = 0;
    switch (info.mode()) {
        case Mode::Absolute:
        case Mode::JumpTarget: address = in.word(); break;
        case Mode::ZeroPage: address = zp; break;
        case Mode::AbsoluteX:
        case Mode::AbsoluteY: {
            std::uint8_t index = info.mode() == Mode::AbsoluteX ? r.x : r.y;
            address = (in.word() + index) & 0xFFFF;
            AddPageCross<Opcode>(core, in.word(), static_cast<std::uint16_t>(address));
            break;
        }
        case Mode::ZeroPageX:
        case Mode::ZeroPageY:
            address = zp + (info.mode() == Mode::ZeroPageX ? r.x : r.y);
            if (address >= 0xFF) RaiseException(core, static_cast<std::uint16_t>(address), 5);
            break;
        case Mode::IndirectX: {
            std::uint32_t pointer = zp + r.x;
            if (pointer >= 0xFF) RaiseException(core, static_cast<std::uint16_t>(pointer), 5);
            address = PointerWord(core, pointer);
            break;
        }
        case Mode::IndirectY: {
            if (zp == 0xFF) RaiseException(core, zp, 5);
            std::uint16_t base = PointerWord(core, zp);
            if (base + r.y > 0xFFFF) RaiseException(core, base, 6);
            address = (base + r.y) & 0xFFFF;
            AddPageCross<Opcode>(core, base, static_cast<std::uint16_t>(address));
            break;
        }
        case Mode::Indirect: in.address = IndirectTarget(core, in); return false;
        default: return false;
    }
    in.address = static_cast<std::uint16_t>(address);
    in.place = CheckOperand(core, in.address, access);
    return info.mode() != Mode::JumpTarget;
}

// Where the handler reads and writes: memory, the I/O latches, the flash
// command machine, or the scratch bytes after a refused access.
template <std::uint8_t Opcode>
[[gnu::always_inline]] inline void RouteOperand(KernelCore& core, Instruction& in) {
    TargetRegisterBlock& r = core.regs();
    constexpr std::uint8_t access = kOpcodeTable[Opcode].access();
    bool reads = access & kAccessRead;
    bool writes = access & kAccessWrite;
    if (r.run_flags & RunFlag::kAccessRefused) {
        core.scratch = {0xFF, 0xFF};
        in.read = &core.scratch[1];
        in.write = &core.scratch[0];
        return;
    }
    if (in.address < 0x40) {
        auto reg = static_cast<std::uint8_t>(in.address);
        SettleCycles(core);
        if (reads) {
            RefreshIo(core, reg);
            in.read = IoReadPlace(core, reg);
        }
        in.write = &core.block->write_latches[reg];
        if (reads && writes) r.run_flags |= RunFlag::kIoReadModifyWrite;
        return;
    }
    in.read = in.write = in.place.at;
    if ((in.place.rights & PageRight::kKindMask) != PageRight::kExternalRam) return;
    auto offset = static_cast<std::uint32_t>(in.place.at - core.externalRam);
    if (reads) {
        if (auto id = FlashRead(core, offset)) {
            core.scratch[1] = *id;
            in.read = &core.scratch[1];
        }
    }
    if (writes) {
        in.write = &core.scratch[0];
        r.run_flags |= RunFlag::kFlashStore;
    }
}

// Device effects of the operand access, after the handler.
template <std::uint8_t Opcode>
[[gnu::always_inline]] inline void FinishOperand(KernelCore& core, const Instruction& in) {
    TargetRegisterBlock& r = core.regs();
    constexpr std::uint8_t access = kOpcodeTable[Opcode].access();
    if (r.run_flags & RunFlag::kFlashStore) {
        FlashCommand(core, static_cast<std::uint32_t>(in.place.at - core.externalRam), core.scratch[0]);
    }
    if (r.run_flags & RunFlag::kAccessRefused) return;
    if (access & kAccessWrite) {
        if (in.address < 0x40) {
            ApplyIoWrite(core, static_cast<std::uint8_t>(in.address));
        } else {
            // The LCD's countdown starts with this instruction.
            if (!(core.state & StateBit::kLcdDirty) && InLcdMemory(core, in.address)) SettleCycles(core);
            NoteStore(core, in.address);
        }
    }
    if ((access & kAccessRead) && in.address < 0x40) AfterIoRead(core, static_cast<std::uint8_t>(in.address));
}

template <std::uint8_t Opcode>
[[gnu::always_inline]] inline std::uint8_t Load(const Instruction& in) {
    return kOpcodeTable[Opcode].mode() == Mode::Immediate ? in.bytes[1] : *in.read;
}

[[gnu::always_inline]] inline void Branch(KernelCore& core, const Instruction& in, bool taken) {
    if (!taken) return;
    TargetRegisterBlock& r = core.regs();
    auto target = static_cast<std::uint16_t>(r.pc + static_cast<std::int8_t>(in.bytes[1]));
    core.cycles += ((target ^ r.pc) & 0xFF00) ? 2 : 1;
    r.pc = target;
}

// Shift and rotate (one of the alu rules) on the accumulator or the operand.
template <std::uint8_t Opcode, typename Fn>
[[gnu::always_inline]] inline void Modify(TargetRegisterBlock& r, Instruction& in, Fn fn) {
    if constexpr (kOpcodeTable[Opcode].mode() == Mode::Accumulator) {
        r.a = fn(r, r.a);
    } else {
        *in.write = fn(r, *in.read);
    }
}

std::uint16_t PullWord(KernelCore& core) {
    std::array<std::uint8_t, 2> bytes{};
    Pull(core, bytes);
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

template <std::uint8_t Opcode>
[[gnu::always_inline]] inline void Execute(KernelCore& core, Instruction& in) {
    TargetRegisterBlock& r = core.regs();
    auto hi = [](std::uint16_t w) { return static_cast<std::uint8_t>(w >> 8); };
    auto lo = [](std::uint16_t w) { return static_cast<std::uint8_t>(w); };
    switch (kOpcodeTable[Opcode].op()) {
        case Op::Invalid: break;  // raised at decode
        case Op::ADC: Adc(r, Load<Opcode>(in)); break;
        case Op::SBC: Sbc(r, Load<Opcode>(in)); break;
        case Op::AND: r.a = SetNZ(r, r.a & Load<Opcode>(in)); break;
        case Op::ORA: r.a = SetNZ(r, r.a | Load<Opcode>(in)); break;
        case Op::EOR: r.a = SetNZ(r, r.a ^ Load<Opcode>(in)); break;
        case Op::CMP: Compare(r, r.a, Load<Opcode>(in)); break;
        case Op::CPX: Compare(r, r.x, Load<Opcode>(in)); break;
        case Op::CPY: Compare(r, r.y, Load<Opcode>(in)); break;
        case Op::BIT: Bit(r, Load<Opcode>(in)); break;
        case Op::LDA: r.a = SetNZ(r, Load<Opcode>(in)); break;
        case Op::LDX: r.x = SetNZ(r, Load<Opcode>(in)); break;
        case Op::LDY: r.y = SetNZ(r, Load<Opcode>(in)); break;
        case Op::STA: *in.write = r.a; break;
        case Op::STX: *in.write = r.x; break;
        case Op::STY: *in.write = r.y; break;
        case Op::ASL: Modify<Opcode>(r, in, Asl); break;
        case Op::LSR: Modify<Opcode>(r, in, Lsr); break;
        case Op::ROL: Modify<Opcode>(r, in, Rol); break;
        case Op::ROR: Modify<Opcode>(r, in, Ror); break;
        case Op::INC: *in.write = Increment(r, *in.read); break;
        case Op::DEC: *in.write = Decrement(r, *in.read); break;
        case Op::INX: r.x = SetNZ(r, static_cast<std::uint8_t>(r.x + 1)); break;
        case Op::INY: r.y = SetNZ(r, static_cast<std::uint8_t>(r.y + 1)); break;
        case Op::DEX: r.x = SetNZ(r, static_cast<std::uint8_t>(r.x - 1)); break;
        case Op::DEY: r.y = SetNZ(r, static_cast<std::uint8_t>(r.y - 1)); break;
        case Op::TAX: r.x = SetNZ(r, r.a); break;
        case Op::TAY: r.y = SetNZ(r, r.a); break;
        case Op::TSX: r.x = SetNZ(r, r.s); break;
        case Op::TXA: r.a = SetNZ(r, r.x); break;
        case Op::TYA: r.a = SetNZ(r, r.y); break;
        case Op::TXS: r.s = r.x; break;
        case Op::BCC: Branch(core, in, !(r.p & P::kC)); break;
        case Op::BCS: Branch(core, in, r.p & P::kC); break;
        case Op::BNE: Branch(core, in, !(r.p & P::kZ)); break;
        case Op::BEQ: Branch(core, in, r.p & P::kZ); break;
        case Op::BPL: Branch(core, in, !(r.p & P::kN)); break;
        case Op::BMI: Branch(core, in, r.p & P::kN); break;
        case Op::BVC: Branch(core, in, !(r.p & P::kV)); break;
        case Op::BVS: Branch(core, in, r.p & P::kV); break;
        case Op::CLC: SetFlag(r, P::kC, false); break;
        case Op::SEC: SetFlag(r, P::kC, true); break;
        case Op::CLD: SetFlag(r, P::kD, false); break;
        case Op::SED: SetFlag(r, P::kD, true); break;
        case Op::CLI: SetFlag(r, P::kI, false); break;
        case Op::SEI: SetFlag(r, P::kI, true); break;
        case Op::CLV: SetFlag(r, P::kV, false); break;
        case Op::NOP: break;
        case Op::JMP: r.pc = in.address; break;
        case Op::JSR: {
            auto last = static_cast<std::uint16_t>(in.pc + 2);
            Push(core, {hi(last), lo(last)});
            r.pc = in.address;
            break;
        }
        case Op::RTS: r.pc = static_cast<std::uint16_t>(PullWord(core) + 1); break;
        case Op::BRK: {
            auto next = static_cast<std::uint16_t>(in.pc + 2);
            Push(core, {hi(next), lo(next), static_cast<std::uint8_t>(r.p | P::kB)});
            r.p |= P::kB | P::kI;
            r.pc = VectorWord(core, 0xFFFE);
            break;
        }
        case Op::RTI: {
            std::array<std::uint8_t, 3> bytes{};
            Pull(core, bytes);
            r.p = bytes[0];
            r.pc = static_cast<std::uint16_t>(bytes[1] | bytes[2] << 8);
            break;
        }
        case Op::PHA: Push(core, {r.a}); break;
        case Op::PHP: Push(core, {r.p}); break;
        case Op::PLA: {
            std::array<std::uint8_t, 1> byte{};
            Pull(core, byte);
            r.a = SetNZ(r, byte[0]);
            break;
        }
        case Op::PLP: {
            std::array<std::uint8_t, 1> byte{};
            Pull(core, byte);
            r.p = byte[0];
            break;
        }
        case Op::TAQ: RunTaq(core, r); break;
        case Op::TQA: RunTqa(core, r); break;
        case Op::BTQ: RunBtq(core, r); break;
    }
}

// Reads the opcode at PC, after the execute breakpoints before it, and keeps
// its place in `at`. Returns false when the IDE moved PC at a stop, so the
// step starts over.
bool FetchOpcode(KernelCore& core, Instruction& in, Place& at) {
    TargetRegisterBlock& r = core.regs();
    in.pc = r.pc;
    at = MapAddress(core, in.pc);
    if (!at.readable()) RaiseException(core, in.pc, 1);

    BreakHit hit = ScanBreakpoints(core, at.at, BreakScan::Execute);
    if (hit.hit && hit.after) core.state |= StateBit::kStopAfter;
    if (hit.hit && !hit.after) {
        core.stopPC = in.pc;
        ReportStop(core);
        if (r.pc != in.pc) return false;
        if (ScanBreakpoints(core, at.at, BreakScan::ExecuteAfter).hit) core.state |= StateBit::kStopAfter;
    }
    in.bytes[0] = at.readable() ? at.at[0] : 0xFF;
    return true;
}

// The rest of the instruction whose opcode FetchOpcode read, specialised for it.
template <std::uint8_t Opcode>
[[gnu::always_inline]] inline void RunOpcode(KernelCore& core, Instruction& in, const Place& at) {
    constexpr OpcodeInfo info = kOpcodeTable[Opcode];
    TargetRegisterBlock& r = core.regs();
    for (int i = 1; i < info.length(); ++i) {
        in.bytes[i] = static_cast<std::uint32_t>(i) < at.run ? at.at[i] : FetchStraddling(core, in.pc + i);
    }
    core.cycles = static_cast<std::uint8_t>(info.cycles());
    core.state = static_cast<std::uint8_t>((core.state & ~StateBit::kAccessMask) | (info.access() >> 6)
                                                                                       << StateBit::kAccessShift);
    r.run_flags &= static_cast<std::uint8_t>(~kRunFlagsOfStep);
    core.instructionPC = in.pc;
    if constexpr (info.op() == Op::Invalid) RaiseException(core, in.pc, 3);

    bool memory = ResolveAddress<Opcode>(core, in);
    r.pc = static_cast<std::uint16_t>(in.pc + info.length());
    core.operandPlace = in.place.at;
    if (memory) RouteOperand<Opcode>(core, in);
    Execute<Opcode>(core, in);
    if (memory) FinishOperand<Opcode>(core, in);

    bool stop = core.state & StateBit::kStopAfter;
    core.state &= static_cast<std::uint8_t>(~StateBit::kStopAfter);
    if constexpr (info.access() != 0) {
        if (!stop && (r.run_flags & RunFlag::kMemoryOperand)) {
            constexpr BreakScan scan = (info.access() & kAccessWrite) ? BreakScan::DataWrite : BreakScan::DataRead;
            stop = ScanBreakpoints(core, core.operandPlace, scan).hit;
        }
    }
    if (stop) {
        core.stopPC = in.pc;
        ReportStop(core);
    }
}

[[gnu::always_inline]] inline void RunInstruction(KernelCore& core) {
    TargetRegisterBlock& r = core.regs();
    ++core.stepSerial;
    if (core.downloadState == DownloadState::kActive) {
        if (Place at = MapAddress(core, r.pc); at.readable() && IsDownloadTrap(core, *at.at)) {
            core.cycles = 0;
            SettleCycles(core);
            RunDownloadTrap(core, *at.at);
            return;
        }
    }
    Instruction in;
    Place at;
    while (!FetchOpcode(core, in, at)) {
    }
    DispatchOpcode(
        in.bytes[0], [&]<std::uint8_t Opcode>() __attribute__((always_inline)) { RunOpcode<Opcode>(core, in, at); });
}

// One instruction; a run that must end unwinds to here.
[[gnu::always_inline]] inline StepOutcome StepInline(KernelCore& core) {
    try {
        RunInstruction(core);
        return StepOutcome::Ran;
    } catch (const RunEnded&) {
        core.regs().run_flags &= static_cast<std::uint8_t>(~RunFlag::kRunning);
        return StepOutcome::Ended;
    }
}

}  // namespace

StepOutcome Step(KernelCore& core) { return StepInline(core); }

RunResult CheckedRun(KernelCore& core) {
    core.regs().run_flags |= RunFlag::kRunning;
    core.cycleBudget = core.cyclesLeft = 0;  // nothing pending, and a boundary first
    int last = 0;                            // the cycles of the instruction before the boundary
    for (;;) {
        if (core.cyclesLeft <= 0) {
            // A stop request seen after an instruction: its cycles are not counted.
            if (core.controlFlags & ControlFlag::kStopRequest) {
                core.cycleBudget -= last;
                CountPendingCycles(core);
                ReportStopped(core);
                return EndRun(core, RunResult::Stopped);
            }
            CountPendingCycles(core);
            if (AttentionNeeded(core)) {
                Round round;
                do {
                    try {
                        round = BeforeInstruction(core);
                    } catch (const RunEnded&) {
                        return EndRun(core, RunResult::Ended);
                    }
                } while (round == Round::Counted && AttentionNeeded(core));
                if (round != Round::Step && round != Round::Counted) return EndRun(core, EndResult(round));
                // The round may have counted cycles or let the host act: look again after the next instruction.
                SettleCycles(core);
            }
        }
        if (StepInline(core) == StepOutcome::Ended) return EndRun(core, RunResult::Ended);
        last = core.cycles;
        core.cyclesLeft -= last;
    }
}

}  // namespace simcpu
