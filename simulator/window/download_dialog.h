#pragma once
// Asking for the file to download: a program (.bin), a text (.txt) or a BASIC source (.bas).
#include <string>

#include "platform/user/user.h"

namespace simwin {

inline constexpr int kDownloadDialog = 115;
inline constexpr int kDownloadPathEdit = 1030;

// True with the path typed, false when cancelled or left empty.
bool ask_download_path(HWND owner, std::string& path);

}  // namespace simwin
