#pragma once
// Result codes of the buffer operations; each is also the id of its message text.
#include <string>

namespace editor {

enum ResultCode : int {
    kOk = 0,
    kReadOnly = 22575,
    kClipboardEmpty = 22576,
    kCannotRead = 22577,
    kLineTooLong = 22578,
    kOutOfMemory = 22579,
    kEndOfFile = 22580,
    kNoSelection = 22581,
    kUntitled = 22582,
    kTopOfFile = 22583,
    kNoText = 22584,
    kStreamOnly = 22585,
    kNotFound = 22586,
    kWrapped = 22587,
    kFinishedSearching = 22588,
    kJoinLine = 22589,
    kDeleteLine = 22590,
    kNullsInFile = 22609,
    kLongLinesWrapped = 22610,
};

// The longest line, in display columns, line end included.
constexpr int kMaxLineColumns = 16384;

// The message text of a code, or an empty text for codes that are system error numbers.
std::string ResultMessage(int code);

// Why a file operation failed: the message of a buffer code, else the system's
// text for an error number ("No space left on device").
std::string FailureReason(int code);

}  // namespace editor
