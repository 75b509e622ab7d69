#pragma once
// Templates, controls and strings of the IDE's project dialogs (dialogs.rc).
#include "platform/afx/afx.h"
#include "platform/res/resources.h"

// The resources of the project dialogs; register them once before use.
const kit::res::Module& ide_dialog_resources();

namespace ide::dlg {

// Templates.
inline constexpr UINT kNewBankPage = 109;
inline constexpr UINT kBankSettingPage = 253;
inline constexpr UINT kSelectBankDialog = 257;

// Bank pages (both templates).
inline constexpr int kBankNameEdit = 1011;
inline constexpr int kBankNameCombo = 1090;
inline constexpr int kBankNumber = 1013;
inline constexpr int kBankNumberSpin = 1031;
inline constexpr int kDataAddress = 1110;
inline constexpr int kDataSize = 1106;
inline constexpr int kStackAddress = 1028;
inline constexpr int kStackSize = 1108;
inline constexpr int kCodeAddress = 1109;
inline constexpr int kCodeSize = 1107;
inline constexpr int kNewBankParam = 1016;
inline constexpr int kSettingBankParam = 1111;
inline constexpr int kHexDisplay = 1089;

// Bank selection.
inline constexpr int kBankList = 1000;

// Strings.
inline constexpr UINT kNewSheetCaption = 31202;
inline constexpr UINT kProjectSettingCaption = 31203;

}  // namespace ide::dlg
