#pragma once
// The rows of a build: a tool with its command-line tail, or a message to
// print, and the flag that decides what a failure skips.
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/result.h"

namespace ide {

inline constexpr std::string_view kMessageTool = ":MESSAGE";

// 1: a message, or the first tool row of a source in a whole-project build;
// 0: a further tool row of the same source, or any row of a compile;
// -1: the link (or library) row and the packing row.
inline constexpr int kFirstStepFlag = 1;
inline constexpr int kFollowingStepFlag = 0;
inline constexpr int kLinkStepFlag = -1;

struct BuildJob {
    std::string tool;  // full path of the program, or kMessageTool
    std::string text;  // command-line tail (it brings its own leading blank), or the message
    int flag = kFirstStepFlag;
};

// The codes of a refused job list, kept in its os::Error beside the text the
// user is shown.
inline constexpr int kErrorToolMissing = 0x102;
inline constexpr int kErrorNoBankData = 0x104;
inline constexpr int kErrorNoStartupObject = 0x105;
inline constexpr int kErrorThreadFailure = 259;

}  // namespace ide
