#pragma once
// The external RAM behaves as flash memory: operand reads reset the command
// sequence, and stores are commands that only a completed program sequence
// lets through (and then only to clear bits).
#include <cstdint>
#include <optional>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// An operand read at `offset` in the external RAM. In identification mode the
// first two bytes of every 4 KB give the maker and device codes.
std::optional<std::uint8_t> FlashRead(KernelCore& core, std::uint32_t offset);

// A caught store of `byte` at `offset` in the external RAM.
void FlashCommand(KernelCore& core, std::uint32_t offset, std::uint8_t byte);

}  // namespace simcpu
