#include "editor/result_codes.h"

#include "platform/os/result.h"

namespace editor {

std::string ResultMessage(int code) {
    switch (code) {
        case kReadOnly: return "The file is read only.";
        case kClipboardEmpty: return "The clipboard is empty.";
        case kCannotRead: return "Can't read data.";
        case kLineTooLong: return "Cannot complete operation.  Maximum line length would be exceeded.";
        case kOutOfMemory: return "Out of memory.";
        case kEndOfFile: return "End of file.";
        case kNoSelection: return "There is no selection.";
        case kUntitled: return "Untitled.";
        case kTopOfFile: return "Top of file.";
        case kNoText: return "There is no text.";
        case kStreamOnly: return "Stream Only.";
        case kNotFound: return "The string '%s' was not found.";
        case kWrapped: return "Wrapped.";
        case kFinishedSearching: return "Finished searching for '%s'.";
        case kJoinLine: return "Join line.";
        case kDeleteLine: return "Delete line.";
        case kNullsInFile: return "Nulls encounterd in file.  Use another editor to edit this file.";
        case kLongLinesWrapped:
            return "This file contains lines longer than the %d character maximum.\r\nThe lines will be wrapped.";
        default: return {};
    }
}

std::string FailureReason(int code) {
    std::string text = ResultMessage(code);
    return text.empty() ? os::error_text(code) : text;
}

}  // namespace editor
