#pragma once
// Internal to kit_os: the attributes of `name` relative to an open folder
// (or AT_FDCWD), shared by file_info and the directory listing.
#include "platform/os/file.h"

namespace os {

FileInfo file_info_at(int folder_fd, const char* name);

}  // namespace os
