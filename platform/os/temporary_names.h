#pragma once
// Internal to kit_os: the temporary files of the atomic writer. Each is named
// "<target>.tmp-<program>-<pid>-XXXXXX", so that a later run of the same
// program can tell one whose writer was killed from one still being written.
#include <filesystem>
#include <string>

namespace os {

// Creates a fresh temporary file beside `target`, its name in `name`; the
// descriptor, or -1 with errno set.
int create_temporary(const std::filesystem::path& target, std::string& name);

// Removes from `folder` the temporary files of this program whose process
// has ended. Files of other programs, of live processes and anything that is
// not a regular file are left alone.
void remove_dead_temporaries(const std::filesystem::path& folder);

}  // namespace os
