#pragma once
// The device's queue opcodes TAQ, TQA and BTQ, run alike by both
// interpreters: carry tells of a full or empty ring, and the host hears when
// the program has to wait for it.
#include "simulator/cpu/alu.h"
#include "simulator/cpu/host_queue.h"
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {

inline void RunTaq(KernelCore& core, formats::TargetRegisterBlock& r) {
    bool put = PutDeviceToHost(*core.block, r.a);
    SetFlag(r, P::kC, !put);
    if (!put && core.host) {
        SettleCycles(core);
        core.host->QueueWait();
    }
}

inline void RunTqa(KernelCore& core, formats::TargetRegisterBlock& r) {
    bool got = GetHostToDevice(*core.block, r.a);
    SetFlag(r, P::kC, !got);
    if (!got && core.host) {
        SettleCycles(core);
        core.host->QueueWait();
    }
}

inline void RunBtq(KernelCore& core, formats::TargetRegisterBlock& r) {
    unsigned status = QueueStatus(*core.block);
    SetFlag(r, P::kC, status & 1);
    SetFlag(r, P::kZ, !(status & 2));
}

}  // namespace simcpu
