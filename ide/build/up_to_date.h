#pragma once
// The file-time checks that decide what a Build compiles and whether it
// links, and the one place that names the program's packed image.
#include <cstdint>
#include <string>
#include <string_view>

#include "ide/build/job_context.h"

namespace ide {

inline constexpr std::uint32_t kObjectOutOfDate = 0x99;
inline constexpr std::uint32_t kObjectUpToDate = 0x100;
inline constexpr std::uint32_t kObjectUnreadable = 0x101;

struct ObjectCheck {
    std::uint32_t state = kObjectOutOfDate;
    int system_error = 0;  // errno when unreadable
};

// Out of date when the object is missing, empty or corrupt, or older than any
// source file its table lists (a listed file that is gone does not count);
// unreadable only when the object exists but cannot be read. Relative source
// names are taken from `source_folder`.
ObjectCheck ObjectUpToDate(std::string_view object_path, std::string_view source_folder);

// True when the link (or library) step must run: a job list that compiles
// something, a missing object or output, or an object, library or start-up
// object newer than the output.
bool NeedsLink(const JobContext& context, std::size_t job_rows);

// The packed program the build makes, the packer writes and the debugger loads.
std::string ProgramBinPath(const CVyrWorkspaceManager& workspace);

// The check before a debug run: the packed image exists, every source's
// object is current, and the image is not older than any source.
bool ProgramImageIsCurrent(const CVyrWorkspaceManager& workspace);

}  // namespace ide
