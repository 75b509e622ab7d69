#pragma once
// Ids of Corvel's resources and commands (corvel.rc names the same numbers).
#include "platform/user/user.h"

namespace shell {

enum : UINT {
    IDR_MAINFRAME = 128,
    IDR_VYRTYPE = 129,
    IDR_ACCELERATORS = 262,
    IDD_ABOUTBOX = 100,
    IDC_ABOUT_VERSION = 1000,

    ID_FILE_OPEN_WORKSPACE = 32780,
    ID_FILE_CLOSE_WORKSPACE = 32781,
    ID_FILE_SAVE_WORKSPACE = 32782,
    ID_FILE_SAVE_ALL = 32783,
    ID_FILE_CLOSE_ALL_WINDOWS = 32778,
    ID_RECENT_PROJECT_FIRST = 32785,
    ID_RECENT_PROJECT_LAST = 32800,
    ID_APP_ABOUT = 57664,
    ID_BUILD_BUILD = 32931,
    ID_BUILD_REBUILD_ALL = 32932,
    ID_BUILD_STOP = 32933,
    ID_RELOAD_EDITOR_SETTINGS = 4001,
};

}  // namespace shell
