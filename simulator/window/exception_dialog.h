#pragma once
// The exception dialog: what stopped the device, its registers, a code and a
// data listing, and the five ways to go on.
#include <cstdint>

#include "platform/user/user.h"
#include "simulator/cpu/core_host.h"
#include "simulator/cpu/emu_kernel.h"

namespace simwin {

// Control and template ids of the dialog.
inline constexpr int kExceptionDialog = 107, kCodePage = 108, kDataPage = 109;
inline constexpr int kConditionEdit = 1000, kRegistersEdit = 1001, kCodeAddressEdit = 1002, kDataAddressEdit = 1003,
                     kDataList = 1004, kCodeList = 1005, kStopButton = 1006, kContinueButton = 1007,
                     kIgnoreKindButton = 1008, kIgnoreAllButton = 1009, kListingTabs = 1010, kSingleStepButton = 1018;

// The listing pages of an open exception dialog (children of its tab control's dialog).
HWND exception_dialog_page(HWND dialog, int page);

// Shows the dialog for exception `code` (0: suspended by the user) met at
// data address `address`, with the kernel's thread held. Closing the dialog
// answers Stop.
simcpu::ExceptionAnswer show_exception_dialog(HWND owner, simcpu::EmuKernel& kernel, int code, std::uint16_t address);

// The register line (strings 56 and 57) and one line of the data listing.
std::string register_text(simcpu::EmuKernel& kernel);
std::string data_line(simcpu::EmuKernel& kernel, std::uint16_t address);

}  // namespace simwin
