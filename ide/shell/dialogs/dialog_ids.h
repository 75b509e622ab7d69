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
inline constexpr UINT kLibraryPropertyDialog = 258;
inline constexpr UINT kStandardLibraryDialog = 259;
inline constexpr UINT kNewFilePage = 107;
inline constexpr UINT kNewProjectPage = 108;
inline constexpr UINT kGeneralSettingPage = 255;
inline constexpr UINT kDirectoriesPage = 252;
inline constexpr UINT kEditorOptionsPage = 160;
inline constexpr UINT kFormatOptionsPage = 162;

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

// File page.
inline constexpr int kFileBankList = 1000;
inline constexpr int kAddToBank = 1001;
inline constexpr int kFileName = 1002;
inline constexpr int kFileType = 1003;
inline constexpr int kFileLocation = 1005;

// Project and general pages.
inline constexpr int kModeBin = 1033;
inline constexpr int kModeLib = 1035;
inline constexpr int kProjectLinkAuto = 1120;
inline constexpr int kProjectLinkCustom = 1121;
inline constexpr int kSettingLinkAuto = 1122;
inline constexpr int kSettingLinkCustom = 1123;
inline constexpr int kProjectName = 1037;
inline constexpr int kProjectLocation = 1038;
inline constexpr int kDisplayName = 1039;
inline constexpr int kOutputPath = 1095;

// Library dialogs.
inline constexpr int kLibraryPath = 1096;
inline constexpr int kLibraryType = 1099;
inline constexpr int kStandardLibraryList = 1100;

// Directories page.
inline constexpr int kDirectoryChooser = 1082;
inline constexpr int kDirectoryList = 1083;

// Options: editor page.
inline constexpr int kOptionFileType = 1006;  // both pages
inline constexpr int kRecentFiles = 1054;
inline constexpr int kRecentFilesSpin = 1056;
inline constexpr int kRecentProjects = 1055;
inline constexpr int kRecentProjectsSpin = 1057;
inline constexpr int kTabSize = 1044;
inline constexpr int kTabSizeSpin = 1045;
inline constexpr int kKeepTabs = 1027;
inline constexpr int kInsertSpaces = 1024;
inline constexpr int kCommentStart1 = 32848;
inline constexpr int kCommentEnd1 = 32849;
inline constexpr int kCommentStart2 = 32850;
inline constexpr int kCommentEnd2 = 32851;

// Options: format page.
inline constexpr int kSyntaxClassList = 1066;
inline constexpr int kClassColour = 1068;
inline constexpr int kBackgroundColour = 1070;
inline constexpr int kFontStyle = 1072;
inline constexpr int kFontName = 1074;
inline constexpr int kFontSize = 1078;
inline constexpr int kSampleBox = 1087;
inline constexpr int kFormatDefaults = 1088;

// Bank selection.
inline constexpr int kBankList = 1000;

// Strings.
inline constexpr UINT kNewSheetCaption = 31202;
inline constexpr UINT kProjectSettingCaption = 31203;
inline constexpr UINT kOptionsCaption = 31204;
inline constexpr UINT kSaveTypeQuestion = 140;  // "%s": the file type whose changes are kept or dropped

}  // namespace ide::dlg
