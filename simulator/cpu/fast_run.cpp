#include "simulator/cpu/fast_run.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "simulator/cpu/alu.h"
#include "simulator/cpu/download_traps.h"
#include "simulator/cpu/flash.h"
#include "simulator/cpu/io_registers.h"
#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/fast_registers.h"
#include "simulator/cpu/opcode_table_data.h"
#include "simulator/cpu/queue_opcodes.h"
#include "simulator/cpu/run_control.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr std::uint32_t kPageSize = 0x2000;
constexpr std::uint8_t kNoIoRead = 0xFF;

// The machine as the fast interpreter sees it during a run: direct page
// pointers for the common accesses, and the batched counting of the run loop
// (run_loop.h) with `cyclesLeft` in the loop's local `left`, handed to the
// core only around the slow paths. Anything outside the direct pages (an
// I/O access, a flash access, the LCD turning dirty, a trap) goes a slow path.
class FastMachine {
public:
    explicit FastMachine(KernelCore& core) : core_(core) { RefreshPages(); }

    KernelCore& core() { return core_; }

    // The page tables for a map that a bank register, a trap or the run loop
    // changed, and the LCD memory to watch while the LCD is clean.
    void RefreshPages() {
        for (std::uint32_t page = 0; page < kPageCount; ++page) {
            const PageWindow& window = core_.pages[page];
            bool whole = window.base && window.limit == kPageSize;
            bool external = (core_.block->page_rights[page] & PageRight::kKindMask) == PageRight::kExternalRam;
            fetch_[page] = whole ? window.base : nullptr;
            // The external RAM is flash memory: its operand accesses feed the command machine.
            data_[page] = whole && !external ? window.base : nullptr;
        }
        bool clean = !(core_.state & StateBit::kLcdDirty);
        watchStart_ = core_.lcdStart;
        watchBytes_ = clean ? core_.lcdBytes : 0;
        // The page PC runs in may have changed: the next fetch looks it up again.
        codeFirst_ = kNoCodeWindow;
        codeSpan_ = 0;
    }

    // An instruction byte or a pointer byte: no device sees it.
    [[gnu::always_inline]] std::uint8_t Plain(std::uint16_t address) const {
        const std::uint8_t* base = fetch_[address >> 13];
        if (address >= 0x80 && base) [[likely]]
            return base[address & (kPageSize - 1)];
        return PlainSlow(address);
    }

    // Three instruction bytes at `pc`, straight from the code window (the
    // direct page PC last ran in) while PC stays inside it.
    [[gnu::always_inline]] const std::uint8_t* Fetch(std::uint16_t pc) {
        std::uint32_t offset = std::uint32_t{pc} - codeFirst_;
        if (offset <= codeSpan_) [[likely]]
            return codeStart_ + offset;
        return FetchOutsideWindow(pc);
    }

    // Operand accesses; `left` is the run loop's count (see the class comment).
    [[gnu::always_inline]] std::uint8_t Read(std::uint16_t address, std::int64_t& left) {
        const std::uint8_t* base = data_[address >> 13];
        if (address >= 0x80 && base) [[likely]]
            return base[address & (kPageSize - 1)];
        core_.cyclesLeft = left;
        std::uint8_t value = SlowRead(address);
        left = core_.cyclesLeft;
        return value;
    }

    [[gnu::always_inline]] void Write(std::uint16_t address, std::uint8_t value, std::int64_t& left) {
        std::uint8_t* base = data_[address >> 13];
        // Below the watched start the difference wraps high.
        bool watched = std::uint32_t{address} - watchStart_ < watchBytes_;
        if (address >= 0x80 && base && !watched) [[likely]] {
            base[address & (kPageSize - 1)] = value;
            return;
        }
        core_.cyclesLeft = left;
        SlowWrite(address, value);
        left = core_.cyclesLeft;
    }

    // Invalid opcodes take no cycles, so a program of nothing else would
    // never reach a driver's cycle bound: a bounded run also stops after this
    // many of them.
    [[gnu::always_inline]] void NoteFreeInstruction(std::int64_t& left) {
        constexpr std::uint32_t kFreeInstructionBound = 1u << 20;
        if (++freeInstructions_ > kFreeInstructionBound && core_.cycleLimit != UINT64_MAX) {
            core_.controlFlags |= ControlFlag::kStopRequest;
            core_.cyclesLeft = left;
            AskBoundary(core_);
            left = core_.cyclesLeft;
        }
    }

    // Asks for a boundary before the next instruction (after a trap).
    std::int64_t AfterTrap(std::int64_t left) {
        core_.cyclesLeft = left;
        AskBoundary(core_);
        return core_.cyclesLeft;
    }

    // The boundary after an instruction whose cycles ran `left` out: the
    // device effects of an I/O register it read, the pending cycles counted
    // when due, and the run loop's rounds while anything needs one (with the
    // registers in the block). Returns the new `left`, or the end of the run.
    std::int64_t Boundary(std::int64_t left, std::optional<RunResult>& end) {
        core_.cyclesLeft = left;
        if (ioRead_ != kNoIoRead) {
            AfterIoRead(core_, ioRead_);
            ioRead_ = kNoIoRead;
            SetCycleBudget(core_);
        }
        if (core_.cyclesLeft <= 0) CountPending();
        if (!AttentionNeeded(core_)) return core_.cyclesLeft;
        Round round;
        do {
            round = ServeRound();
        } while (round == Round::Counted && AttentionNeeded(core_));
        if (round != Round::Step && round != Round::Counted) end = EndResult(round);
        // The host may have acted in the round: look again after the next instruction.
        AskBoundary(core_);
        return core_.cyclesLeft;
    }

private:
    // A refresh leaves the LCD clean: its memory is watched again.
    void CountPending() {
        bool dirty = core_.state & StateBit::kLcdDirty;
        CountPendingCycles(core_);
        if (dirty && !(core_.state & StateBit::kLcdDirty)) RefreshPages();
    }

    // The run loop's round; the registers are in the block meanwhile.
    Round ServeRound() {
        CountPending();
        Round round;
        try {
            round = BeforeInstruction(core_);
        } catch (const RunEnded&) {
            round = Round::EndEnded;
        }
        RefreshPages();
        CountPending();
        return round;
    }

    [[gnu::noinline]] std::uint8_t PlainSlow(std::uint16_t address) const {
        Place place = MapAddress(core_, address);
        return place.at ? *place.at : 0xFF;
    }

    // A direct page becomes the code window (PC from $80, where no device
    // answers, to the last place with three bytes in the page); elsewhere
    // the bytes are read one by one.
    [[gnu::noinline]] const std::uint8_t* FetchOutsideWindow(std::uint16_t pc) {
        std::uint32_t page = pc >> 13;
        std::uint32_t origin = page * kPageSize;
        std::uint32_t first = std::max(origin, 0x80u), last = origin + kPageSize - 3;
        if (const std::uint8_t* base = fetch_[page]; base && pc >= first && pc <= last) {
            codeFirst_ = first;
            codeSpan_ = last - first;
            codeStart_ = base + (first - origin);
            return codeStart_ + (pc - first);
        }
        for (int i = 0; i < 3; ++i) straddle_[i] = Plain(static_cast<std::uint16_t>(pc + i));
        return straddle_.data();
    }

    // A store into the watched LCD memory makes the LCD dirty.
    void NoteStore(std::uint16_t address) {
        if (std::uint32_t{address} - watchStart_ >= watchBytes_) return;
        CountPending();  // the LCD's countdown starts with this instruction
        core_.state |= StateBit::kLcdDirty;
        core_.lcdCountdown = core_.lcdPeriod;
        RefreshPages();
        SetCycleBudget(core_);
        AskBoundary(core_);
    }

    [[gnu::noinline]] std::uint8_t SlowRead(std::uint16_t address) {
        if (address < 0x40) {
            auto reg = static_cast<std::uint8_t>(address);
            CountPending();
            RefreshIo(core_, reg);
            // The fast interpreter's $0C shows the counter's overflow bit of read latch $01.
            if (reg == 0x0C) {
                core_.block->read_latches[0x0C] =
                    static_cast<std::uint8_t>(0x08 | ((core_.block->read_latches[0x01] >> 4) & 1) << 2);
            }
            ioRead_ = reg;
            AskBoundary(core_);  // the read's device effects come after the instruction
            return *IoReadPlace(core_, reg);
        }
        Place place = MapAddress(core_, address);
        if (!place.at) return 0xFF;
        if ((place.rights & PageRight::kKindMask) == PageRight::kExternalRam && address >= 0x80) {
            if (auto id = FlashRead(core_, static_cast<std::uint32_t>(place.at - core_.externalRam))) return *id;
        }
        return *place.at;
    }

    [[gnu::noinline]] void SlowWrite(std::uint16_t address, std::uint8_t value) {
        if (address < 0x40) {
            auto reg = static_cast<std::uint8_t>(address);
            CountPending();
            core_.block->write_latches[reg] = value;
            ApplyIoWrite(core_, reg);
            RefreshPages();
            SetCycleBudget(core_);
            // A write that raised an interrupt or a request has the round look after this instruction.
            if (AttentionNeeded(core_)) AskBoundary(core_);
            return;
        }
        Place place = MapAddress(core_, address);
        if (!place.at) return;  // no memory there: the store is dropped
        if ((place.rights & PageRight::kKindMask) == PageRight::kExternalRam && address >= 0x80) {
            FlashCommand(core_, static_cast<std::uint32_t>(place.at - core_.externalRam), value);
        } else {
            *place.at = value;
        }
        NoteStore(address);
    }

    KernelCore& core_;
    std::array<std::uint8_t*, kPageCount> fetch_{};
    std::array<std::uint8_t*, kPageCount> data_{};
    std::uint32_t watchStart_ = 0, watchBytes_ = 0;
    // The code window: PC in [codeFirst_, codeFirst_ + codeSpan_] is fetched at
    // codeStart_ + (PC - codeFirst_). No PC lies past kNoCodeWindow.
    static constexpr std::uint32_t kNoCodeWindow = 0x10000;
    std::uint32_t codeFirst_ = kNoCodeWindow, codeSpan_ = 0;
    const std::uint8_t* codeStart_ = nullptr;
    std::array<std::uint8_t, 3> straddle_{};
    std::uint8_t ioRead_ = kNoIoRead;
    std::uint32_t freeInstructions_ = 0;
};

// The registers in locals for the run: written back to the block before
// anything outside the loop looks at them, and read again after. The store
// is out of line and takes each register by value: merged into wider stores
// in the loop, the registers would be packed on the hot path.
[[gnu::noinline]] void StoreRegisters(KernelCore& core, std::uint16_t pc, std::uint8_t p, std::uint8_t s,
                                      std::uint8_t a, std::uint8_t x, std::uint8_t y) {
    TargetRegisterBlock& out = core.regs();
    out.pc = pc;
    out.p = p;
    out.s = s;
    out.a = a;
    out.x = x;
    out.y = y;
}

[[gnu::always_inline]] inline void SaveRegisters(KernelCore& core, const FastRegisters& r) {
    StoreRegisters(core, r.pc, r.P(), r.s, r.a, r.x, r.y);
}

// Field by field, so the compiler keeps each register in a host register.
[[gnu::always_inline]] inline void LoadRegisters(const KernelCore& core, FastRegisters& r) {
    const TargetRegisterBlock& in = core.regs();
    r.pc = in.pc;
    r.SetP(in.p);
    r.s = in.s;
    r.a = in.a;
    r.x = in.x;
    r.y = in.y;
}

// A rare operation that takes the registers by address runs on the block's
// copy, so the locals never need one; it may settle the pending cycles.
template <typename Fn>
[[gnu::always_inline]] inline void OnBlock(KernelCore& core, FastRegisters& r, std::int64_t& left, Fn fn) {
    SaveRegisters(core, r);
    core.cyclesLeft = left;
    fn(core, core.regs());
    left = core.cyclesLeft;
    LoadRegisters(core, r);
}

// The stack wraps within $0100-$01FF without a report.
[[gnu::always_inline]] inline void Push(KernelCore& core, FastRegisters& r, std::uint8_t value) {
    core.internalRam[0x100 + r.s] = value;
    --r.s;
}

[[gnu::always_inline]] inline std::uint8_t Pull(KernelCore& core, FastRegisters& r) {
    ++r.s;
    return core.internalRam[0x100 + r.s];
}

// A read-modify-write rule (it sets the flags) on the accumulator or the operand.
template <std::uint8_t (FastRegisters::*Rule)(std::uint8_t)>
[[gnu::always_inline]] inline void Modify(FastMachine& m, FastRegisters& r, Mode mode, std::uint16_t address,
                                          std::int64_t& left) {
    if (mode == Mode::Accumulator) {
        r.a = (r.*Rule)(r.a);
        return;
    }
    m.Write(address, (r.*Rule)(m.Read(address, left)), left);
}

// The instruction `Opcode` at r.pc; returns its cycles, or -1 for a download
// trap (PC left at it). Each opcode gets its own copy with the table's
// length, cycles, mode and operation folded in, all inlined into the run's
// loop, so the registers stay in host registers.
template <std::uint8_t Opcode>
[[gnu::always_inline]] inline int ExecuteOpcode(FastMachine& m, FastRegisters& r, const std::uint8_t* bytes,
                                                std::int64_t& left) {
    KernelCore& core = m.core();
    constexpr OpcodeInfo info = kOpcodeTable[Opcode];
    const std::uint16_t word = static_cast<std::uint16_t>(bytes[1] | bytes[2] << 8);
    constexpr Mode mode = info.mode();
    int cycles = info.cycles();
    std::uint16_t pc = r.pc;
    r.pc = static_cast<std::uint16_t>(pc + info.length());

    // The operand's address by mode.
    std::uint16_t address = 0;
    switch (mode) {
        case Mode::Absolute:
        case Mode::JumpTarget: address = word; break;
        case Mode::ZeroPage: address = bytes[1]; break;
        case Mode::AbsoluteX:
        case Mode::AbsoluteY: {
            address = static_cast<std::uint16_t>(word + (mode == Mode::AbsoluteX ? r.x : r.y));
            if (info.pageCrossCycle() && ((address ^ word) & 0xFF00)) ++cycles;
            break;
        }
        // Zero-page sums are used unwrapped.
        case Mode::ZeroPageX: address = static_cast<std::uint16_t>(bytes[1] + r.x); break;
        case Mode::ZeroPageY: address = static_cast<std::uint16_t>(bytes[1] + r.y); break;
        case Mode::IndirectX: {
            auto pointer = static_cast<std::uint16_t>(bytes[1] + r.x);
            address =
                static_cast<std::uint16_t>(m.Plain(pointer) | m.Plain(static_cast<std::uint16_t>(pointer + 1)) << 8);
            break;
        }
        case Mode::IndirectY: {
            auto base =
                static_cast<std::uint16_t>(m.Plain(bytes[1]) | m.Plain(static_cast<std::uint16_t>(bytes[1] + 1)) << 8);
            address = static_cast<std::uint16_t>(base + r.y);
            if (info.pageCrossCycle() && ((address ^ base) & 0xFF00)) ++cycles;
            break;
        }
        case Mode::Indirect:
            address = static_cast<std::uint16_t>(m.Plain(word) | m.Plain(static_cast<std::uint16_t>(word + 1)) << 8);
            break;
        default: break;
    }
    auto load = [&]() __attribute__((always_inline)) {
        return mode == Mode::Immediate ? bytes[1] : m.Read(address, left);
    };
    auto branch = [&](bool taken) __attribute__((always_inline)) {
        if (!taken) return;
        auto target = static_cast<std::uint16_t>(r.pc + static_cast<std::int8_t>(bytes[1]));
        cycles += ((target ^ r.pc) & 0xFF00) ? 2 : 1;
        r.pc = target;
    };
    auto flag = [&](std::uint8_t bit, bool on) __attribute__((always_inline)) {
        r.rest = static_cast<std::uint8_t>(on ? (r.rest | bit) : (r.rest & ~bit));
    };

    switch (info.op()) {
        case Op::Invalid:
            if (IsDownloadTrap(core, bytes[0])) {
                r.pc = pc;
                return -1;  // the caller runs the trap
            }
            m.NoteFreeInstruction(left);
            break;  // one byte, no cycles, no effect
        case Op::ADC: {
            std::uint8_t v = load();
            if (r.rest & P::kD) [[unlikely]] {
                r.OnWholeP([v](TargetRegisterBlock& block) { AddDecimalHighNibbles(block, v); });
            } else {
                r.AddBinary(v);
            }
            break;
        }
        case Op::SBC: {
            std::uint8_t v = load();
            if (r.rest & P::kD) [[unlikely]] {
                r.OnWholeP([v](TargetRegisterBlock& block) { SubtractDecimal(block, v); });
            } else {
                r.AddBinary(static_cast<std::uint8_t>(~v));
            }
            break;
        }
        case Op::AND: r.a = r.SetNZ(r.a & load()); break;
        case Op::ORA: r.a = r.SetNZ(r.a | load()); break;
        case Op::EOR: r.a = r.SetNZ(r.a ^ load()); break;
        case Op::CMP: r.Compare(r.a, load()); break;
        case Op::CPX: r.Compare(r.x, load()); break;
        case Op::CPY: r.Compare(r.y, load()); break;
        case Op::BIT: r.Bit(load()); break;
        case Op::LDA: r.a = r.SetNZ(load()); break;
        case Op::LDX: r.x = r.SetNZ(load()); break;
        case Op::LDY: r.y = r.SetNZ(load()); break;
        case Op::STA: m.Write(address, r.a, left); break;
        case Op::STX: m.Write(address, r.x, left); break;
        case Op::STY: m.Write(address, r.y, left); break;
        case Op::ASL: Modify<&FastRegisters::Asl>(m, r, mode, address, left); break;
        case Op::LSR: Modify<&FastRegisters::Lsr>(m, r, mode, address, left); break;
        case Op::ROL: Modify<&FastRegisters::Rol>(m, r, mode, address, left); break;
        case Op::ROR: Modify<&FastRegisters::Ror>(m, r, mode, address, left); break;
        case Op::INC: Modify<&FastRegisters::Increment>(m, r, mode, address, left); break;
        case Op::DEC: Modify<&FastRegisters::Decrement>(m, r, mode, address, left); break;
        case Op::INX: r.x = r.Increment(r.x); break;
        case Op::INY: r.y = r.Increment(r.y); break;
        case Op::DEX: r.x = r.Decrement(r.x); break;
        case Op::DEY: r.y = r.Decrement(r.y); break;
        case Op::TAX: r.x = r.SetNZ(r.a); break;
        case Op::TAY: r.y = r.SetNZ(r.a); break;
        case Op::TSX: r.x = r.SetNZ(r.s); break;
        case Op::TXA: r.a = r.SetNZ(r.x); break;
        case Op::TYA: r.a = r.SetNZ(r.y); break;
        case Op::TXS: r.s = r.x; break;
        case Op::BCC: branch(!r.carry); break;
        case Op::BCS: branch(r.carry); break;
        case Op::BNE: branch(!r.Zero()); break;
        case Op::BEQ: branch(r.Zero()); break;
        case Op::BPL: branch(!r.Negative()); break;
        case Op::BMI: branch(r.Negative()); break;
        case Op::BVC: branch(!r.overflow); break;
        case Op::BVS: branch(r.overflow); break;
        case Op::CLC: r.carry = 0; break;
        case Op::SEC: r.carry = 1; break;
        case Op::CLD: flag(P::kD, false); break;
        case Op::SED: flag(P::kD, true); break;
        case Op::CLI: flag(P::kI, false); break;
        case Op::SEI: flag(P::kI, true); break;
        case Op::CLV: r.overflow = 0; break;
        case Op::NOP: break;
        case Op::JMP: r.pc = address; break;
        case Op::JSR: {
            auto last = static_cast<std::uint16_t>(pc + 2);
            Push(core, r, static_cast<std::uint8_t>(last >> 8));
            Push(core, r, static_cast<std::uint8_t>(last));
            r.pc = address;
            break;
        }
        case Op::RTS: {
            std::uint8_t low = Pull(core, r);
            r.pc = static_cast<std::uint16_t>((low | Pull(core, r) << 8) + 1);
            break;
        }
        case Op::BRK: {
            auto next = static_cast<std::uint16_t>(pc + 2);
            Push(core, r, static_cast<std::uint8_t>(next >> 8));
            Push(core, r, static_cast<std::uint8_t>(next));
            Push(core, r, static_cast<std::uint8_t>(r.P() | P::kB));
            r.rest |= P::kB | P::kI;
            r.pc = VectorWord(core, 0xFFFE);
            break;
        }
        case Op::RTI: {
            r.SetP(Pull(core, r));
            std::uint8_t low = Pull(core, r);
            r.pc = static_cast<std::uint16_t>(low | Pull(core, r) << 8);
            break;
        }
        case Op::PHA: Push(core, r, r.a); break;
        case Op::PHP: Push(core, r, r.P()); break;
        case Op::PLA: r.a = r.SetNZ(Pull(core, r)); break;
        case Op::PLP: r.SetP(Pull(core, r)); break;
        case Op::TAQ: OnBlock(core, r, left, RunTaq); break;
        case Op::TQA: OnBlock(core, r, left, RunTqa); break;
        case Op::BTQ: OnBlock(core, r, left, RunBtq); break;
    }
    return cycles;
}

// Every opcode byte, for the handler labels of the run's loop.
// clang-format off
#define KIT_OPCODE_ROW(X, high) \
    X(high##0) X(high##1) X(high##2) X(high##3) X(high##4) X(high##5) X(high##6) X(high##7) \
    X(high##8) X(high##9) X(high##A) X(high##B) X(high##C) X(high##D) X(high##E) X(high##F)
#define KIT_EACH_OPCODE(X) \
    KIT_OPCODE_ROW(X, 0x0) KIT_OPCODE_ROW(X, 0x1) KIT_OPCODE_ROW(X, 0x2) KIT_OPCODE_ROW(X, 0x3) \
    KIT_OPCODE_ROW(X, 0x4) KIT_OPCODE_ROW(X, 0x5) KIT_OPCODE_ROW(X, 0x6) KIT_OPCODE_ROW(X, 0x7) \
    KIT_OPCODE_ROW(X, 0x8) KIT_OPCODE_ROW(X, 0x9) KIT_OPCODE_ROW(X, 0xA) KIT_OPCODE_ROW(X, 0xB) \
    KIT_OPCODE_ROW(X, 0xC) KIT_OPCODE_ROW(X, 0xD) KIT_OPCODE_ROW(X, 0xE) KIT_OPCODE_ROW(X, 0xF)
// clang-format on

}  // namespace

// Each opcode's handler ends in the fetch and the jump to the next one's, so
// every handler has its own indirect jump for the host's predictor to learn
// (which opcode tends to follow this one) instead of one shared dispatch.
RunResult FastRun(KernelCore& core) {
    core.regs().run_flags |= RunFlag::kRunning;
    core.cycleBudget = core.cyclesLeft = 0;  // nothing pending, and a boundary first
    FastMachine m(core);
    FastRegisters r;
    LoadRegisters(core, r);
    std::int64_t left = 0;
    const std::uint8_t* bytes = nullptr;
    int cycles = 0;
#define KIT_HANDLER_ADDRESS(n) &&opcode_##n,
    static const void* const kHandlers[256] = {KIT_EACH_OPCODE(KIT_HANDLER_ADDRESS)};
#undef KIT_HANDLER_ADDRESS

boundary : {
    SaveRegisters(core, r);
    std::optional<RunResult> end;
    left = m.Boundary(left, end);
    if (end) return EndRun(core, *end);
    LoadRegisters(core, r);
}
    [[maybe_unused]] dispatch : bytes = m.Fetch(r.pc);
    goto* kHandlers[bytes[0]];

trap:
    SaveRegisters(core, r);
    RunDownloadTrap(core, bytes[0]);
    LoadRegisters(core, r);
    m.RefreshPages();
    left = m.AfterTrap(left);
    goto boundary;

// Clang, which the sanitizer builds use, compiles 256 jumps to 256 places
// each more than twice as slowly as one: there the handlers share one.
#if defined(__clang__)
#define KIT_NEXT_HANDLER goto dispatch;
#else
#define KIT_NEXT_HANDLER \
    bytes = m.Fetch(r.pc); \
    goto* kHandlers[bytes[0]];
#endif
#define KIT_HANDLER(n) \
    opcode_##n : cycles = ExecuteOpcode<n>(m, r, bytes, left); \
    if (cycles < 0) goto trap; \
    left -= cycles; \
    if (left <= 0) [[unlikely]] \
        goto boundary; \
    KIT_NEXT_HANDLER
    KIT_EACH_OPCODE(KIT_HANDLER)
#undef KIT_HANDLER
#undef KIT_NEXT_HANDLER
}

#undef KIT_EACH_OPCODE
#undef KIT_OPCODE_ROW

}  // namespace simcpu
